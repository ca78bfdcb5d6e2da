#include "platform/tzif_footer.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace skelvane {

namespace {

// TZif layout (RFC 8536): a 44-byte header - "TZif", a version byte, 15 reserved bytes and
// six big-endian 32-bit counts - then a data block whose size follows from the counts. A
// version 2+ file repeats header and block with 64-bit times, then "\n" rule "\n".
constexpr std::size_t kHeaderBytes = 44;
constexpr std::size_t kCountsOffset = 20;

std::uint64_t ReadBigEndian32(std::string_view data, std::size_t at) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(data[at + i]);
    return value;
}

// Size of the data block after the header at `at`; timeBytes is 4 (version 1) or 8.
std::optional<std::uint64_t> DataBlockBytes(std::string_view data, std::size_t at,
                                            std::uint64_t timeBytes) {
    if (data.size() < kHeaderBytes || at > data.size() - kHeaderBytes ||
        data.substr(at, 4) != "TZif")
        return std::nullopt;
    std::array<std::uint64_t, 6> counts{};
    for (std::size_t i = 0; i < counts.size(); ++i)
        counts[i] = ReadBigEndian32(data, at + kCountsOffset + 4 * i);
    const auto [isUtCount, isStdCount, leapCount, timeCount, typeCount, charCount] = counts;
    // Each count is below 2^32, so the sum stays far below 2^64.
    return timeCount * (timeBytes + 1) + typeCount * 6 + charCount + leapCount * (timeBytes + 4) +
           isStdCount + isUtCount;
}

} // namespace

std::optional<std::string> TzifFooter(std::string_view data) {
    if (data.size() < kHeaderBytes || data.substr(0, 4) != "TZif" || data[4] < '2')
        return std::nullopt;
    const auto firstBlock = DataBlockBytes(data, 0, 4);
    if (!firstBlock || *firstBlock > data.size())
        return std::nullopt;
    const std::size_t secondHeader = kHeaderBytes + static_cast<std::size_t>(*firstBlock);
    const auto secondBlock = DataBlockBytes(data, secondHeader, 8);
    if (!secondBlock || *secondBlock > data.size())
        return std::nullopt;
    const std::size_t footer = secondHeader + kHeaderBytes + static_cast<std::size_t>(*secondBlock);
    // The footer is the rest of the file: "\n", the rule, "\n".
    if (footer > data.size() || data.size() - footer < 2 || data[footer] != '\n' ||
        data.back() != '\n')
        return std::nullopt;
    std::string rule(data.substr(footer + 1, data.size() - footer - 2));
    if (rule.empty())
        return std::nullopt;
    for (const char c : rule) {
        if (c < 0x20 || c > 0x7E)
            return std::nullopt;
    }
    return rule;
}

} // namespace skelvane

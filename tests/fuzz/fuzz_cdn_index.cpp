// The satellite CDN's folder index comes from the network. Whatever the page holds, the
// frames read are at most the number asked for, oldest first, each a plain file name of the
// asked satellite, sector, band and size whose time reads back from its name.
#include "net/live/cdn_index.h"
#include "net/live/iso_time.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace skelvane;
    const std::string_view page(reinterpret_cast<const char*>(data), size);
    const std::vector<CdnFrame> frames =
        ReadCdnFrames(page, "GOES19", "eus", "13", "1000x1000", 12);
    Check(frames.size() <= 12);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const CdnFrame& frame = frames[i];
        if (i > 0)
            Check(frames[i - 1].unixMs < frame.unixMs);
        Check(frame.name.find_first_of("/\\?#\"<> ") == std::string::npos);
        Check(frame.name.size() > 11);
        const std::optional<std::int64_t> time =
            ParseOrdinalStamp(std::string_view(frame.name).substr(0, 11));
        Check(time && *time == frame.unixMs);
    }
    return 0;
}

// Directory reading takes any server reply: the frame, legend and warnings keys with the
// frame counts the page can ask for. Whatever the body, a listing that succeeds holds
// exactly the frames asked for and one that fails holds none.
#include "net/decode/radar_directory.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    struct Keys {
        std::string_view key1, key2;
    };
    constexpr Keys keys[] = {{"OKX_20", ""}, {"OKX_20", "Short_Warnings"}, {"", ""}};
    for (const Keys& k : keys) {
        for (int count : {1, 10, 30}) {
            const skelvane::RadarDirectoryListing listing =
                skelvane::ReadRadarDirectory(body, k.key1, k.key2, count);
            const std::size_t expected = listing.ok() ? static_cast<std::size_t>(count) : 0;
            if (listing.names.size() != expected || listing.fieldNumber < 1)
                std::abort();
            for (const auto& name : listing.names)
                if (name.size() > size)
                    std::abort();
        }
    }
    return 0;
}

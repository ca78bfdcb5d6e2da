// Frame file names come from a server's directory page. Any name gives either nothing or a
// real instant whose calendar fields read back in range.
#include "net/decode/radar_frame_time.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view name(reinterpret_cast<const char*>(data), size);
    const auto utc = skelvane::GetRadarFileTimeStamp(name);
    if (utc) {
        if (!std::isfinite(*utc))
            std::abort();
        const skelvane::CivilDate date = skelvane::DecodeDate(*utc);
        if (date.year < 1 || date.year > 9999 || date.month < 1 || date.month > 12)
            std::abort();
        if (skelvane::DecodeTime(*utc).second != 0)
            std::abort();
    }
    return 0;
}

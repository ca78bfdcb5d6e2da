// A tropical loop's file_names.txt comes straight from the server. Whatever it holds, the
// reader keeps at most ten plain names in list order, and every frame address built from them
// stays inside the loop's folder.
#include "net/decode/satellite_frame_list.h"
#include "net/decode/satellite_request.h"

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
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    const SatelliteFrameList list = ParseJPGList(body);
    Check(list.ok() == !list.names.empty());
    Check(list.names.size() <= kSatelliteLoopFrames);
    for (const std::string& name : list.names)
        Check(IsPlainFrameName(name));

    const SatelliteRequest gulf = *SatelliteRequestForCode("GULFIR", true, true);
    for (const std::string& path : TropicalFramePaths(gulf, list.names)) {
        Check(path.starts_with(gulf.path));
        Check(path.find_first_of("/\\?#%:@ ", gulf.path.size()) == std::string::npos);
    }

    // The same bytes as an image code: refused or a request under one of the four folders.
    if (const auto request =
            SatelliteRequestForCode(body.substr(0, 12), size % 2 == 1, size % 3 == 0))
        Check(request->path.starts_with("/GIFS/") || request->path.starts_with("/FULLDISK/") ||
              request->path.starts_with("/MOVIES/") || request->path.starts_with("/HURRLOOPS/"));
    return 0;
}

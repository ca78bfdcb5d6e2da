// Warning polygons come from the network as GeoJSON. Whatever the body holds, the reader
// keeps only rings of real longitudes and latitudes within its limits, and every area's
// time span is ordered.
#include "net/live/warning_areas.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace skelvane;
    const WarningAreas read = ReadWarningAreas(
        QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    Check(read.ok || read.areas.empty());
    Check(read.areas.size() <= 20000);
    std::size_t points = 0;
    for (const WarningArea& area : read.areas) {
        Check(!area.rings.empty());
        for (const auto& ring : area.rings) {
            points += ring.size();
            for (const LonLat& point : ring)
                Check(std::isfinite(point.longitude) && std::isfinite(point.latitude));
        }
        (void)area.inForceAt(0);
    }
    Check(points <= 1000000);
    return 0;
}

#include "net/decode/radar_map_marks.h"

#include "net/decode/radar_geometry.h"
#include "net/decode/radar_views.h"

namespace skelvane {

namespace {

constexpr int kMarkRadius = 4;

RadarCircleMark MarkAt(MapPixel pixel, RadarMarkColour fill) {
    return {pixel.x - kMarkRadius, pixel.y - kMarkRadius, pixel.x + kMarkRadius,
            pixel.y + kMarkRadius, fill};
}

} // namespace

std::vector<RadarCircleMark> BuildSmallMapCenterArray(int view, int productEntry, double zoom,
                                                      double homeLatitude, double homeLongitude) {
    std::vector<RadarCircleMark> marks;
    if (!IsRadarView(view))
        return marks;
    const RadarGeometry geometry = GetScaleLonLat(view, productEntry);
    marks.reserve(kRadarSiteCount + 1);
    for (int site = kFirstRadarSiteView; site < kRadarViewCount; ++site) {
        const LonLat centre = RadarViewCentre(site, productEntry);
        marks.push_back(MarkAt(LonLatToXY(centre.longitude, centre.latitude, geometry, zoom),
                               kRadarSiteMarkFill));
    }
    marks.push_back(
        MarkAt(LonLatToXY(homeLongitude, homeLatitude, geometry, zoom), kRadarHomeMarkFill));
    return marks;
}

} // namespace skelvane

#include "net/decode/radar_geometry.h"

#include "astro/angles.h"
#include "net/decode/radar_site_tables.h"
#include "net/decode/radar_views.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace skelvane {

namespace {

struct MosaicRow {
    double scale; // degrees a pixel
    double west;
    double north;
};

// Views 0 ... 13. View 0 shares view 1's row; its picture is the 3400 x 1600 map shrunk to
// 600 x 282, so its scales are stretched by those ratios.
constexpr std::array<MosaicRow, 14> kMosaicRows{{
    {0.017971305190311, -127.620375523875, 50.406626367301},   // 0 Entire USA Small
    {0.017971305190311, -127.620375523875, 50.406626367301},   // 1 Entire USA Large
    {0.0251932562511368, -81.6138342366792, 49.5080611077854}, // 2 NorthEast
    {0.0251932562511368, -90.2400607280285, 36.9281474745677}, // 3 SouthEast
    {0.0251932562511368, -92.0371912470596, 49.2384915299308}, // 4 Great Lakes
    {0.0251932562511368, -97.4285828041529, 38.7252779935988}, // 5 Louisiana
    {0.0251932562511368, -104.617104880277, 49.9573437375432}, // 6 Great Plains
    {0.0251932562511368, -107.492513710727, 38.7252779935988}, // 7 Texas
    {0.0251932562511368, -116.118740202076, 49.9573437375432}, // 8 Rockies North
    {0.0251932562511368, -117.915870721107, 39.6238432531144}, // 9 Rockies South
    {0.0251932562511368, -127.620375523875, 49.5080611077854}, // 10 Pacific NorthWest
    {0.0251932562511368, -127.620375523875, 42.319539031661},  // 11 California
    {0.08331546, -176, 73.9},                                  // 12 Alaska
    {0.015680116966933, -162.209677673567, 24.3939841050841},  // 13 Hawaii
}};

constexpr double kAlaskaMosaicYScale = 0.039;
constexpr double kLongRangeScale = 4.0 / 275.0;
constexpr int kSitePictureWidth = 600;
constexpr int kSitePictureHeight = 550;
constexpr double kNoSiteDistanceMiles = 30000;
// A site closer than this to the search point is never its neighbour in a direction, so a
// search that starts at a site's centre does not find that site itself.
constexpr double kNeighbourFloorMiles = 10;
constexpr double kPixelLimit = 1e9;

double ZoomOrOne(double zoom) {
    return (zoom > 0 && std::isfinite(zoom)) ? zoom : 1.0;
}

int RoundedPixel(double value) {
    if (!std::isfinite(value))
        return 0;
    return static_cast<int>(std::nearbyint(std::clamp(value, -kPixelLimit, kPixelLimit)));
}

} // namespace

RadarGeometry GetScaleLonLat(int view, int productEntry) {
    if (IsRadarMosaicView(view)) {
        const MosaicRow& row = kMosaicRows[static_cast<std::size_t>(view)];
        if (view == kRadarUsaSmallView)
            return {row.scale * 3400.0 / 600.0, row.scale * 1600.0 / 282.0, row.west, row.north};
        if (view == kRadarAlaskaMosaicView)
            return {row.scale, kAlaskaMosaicYScale, row.west, row.north};
        return {row.scale, row.scale, row.west, row.north};
    }
    if (!IsRadarSiteView(view))
        return {};
    const tables::RadarSiteRow& row =
        tables::kRadarSiteRows[static_cast<std::size_t>(view - kFirstRadarSiteView)];
    if (productEntry == kLongRangeProductEntry)
        return {kLongRangeScale, kLongRangeScale, row.longWest, row.longNorth};
    return {row.shortScale, row.shortScale, row.shortWest, row.shortNorth};
}

LonLat WHToLonLat(int width, int height, const RadarGeometry& geometry) {
    LonLat centre{geometry.west, geometry.north};
    if (geometry.xScale > 0.0001)
        centre.longitude = geometry.west + width * geometry.xScale / 2.0;
    if (geometry.yScale > 0.001)
        centre.latitude = geometry.north - height * geometry.yScale / 2.0;
    return centre;
}

LonLat XYtoLonLat(double x, double y, const RadarGeometry& geometry, double zoom) {
    zoom = ZoomOrOne(zoom);
    LonLat point{geometry.west, geometry.north};
    if (geometry.xScale > 0.0001)
        point.longitude = geometry.west + x * geometry.xScale / zoom;
    if (geometry.yScale > 0.0001)
        point.latitude = geometry.north - y * geometry.yScale / zoom;
    return point;
}

MapPixel LonLatToXY(double longitude, double latitude, const RadarGeometry& geometry, double zoom) {
    zoom = ZoomOrOne(zoom);
    MapPixel pixel;
    if (geometry.xScale != 0)
        pixel.x = RoundedPixel((longitude - geometry.west) * zoom / geometry.xScale);
    if (geometry.yScale != 0)
        pixel.y = RoundedPixel((latitude - geometry.north) * zoom / -geometry.yScale);
    return pixel;
}

int PointInQuadrant(double longitude, double latitude, double siteLongitude, double siteLatitude) {
    const double b = FlatBearing(longitude, latitude, siteLongitude, siteLatitude);
    if (!(b >= 0 && b <= 360))
        return -1;
    if (b <= 22.5)
        return 1;
    if (b <= 67.5)
        return 2;
    if (b <= 112.5)
        return 3;
    if (b <= 157.5)
        return 4;
    if (b <= 202.5)
        return 5;
    if (b <= 247.5)
        return 6;
    if (b <= 292.5)
        return 7;
    if (b <= 337.5)
        return 8;
    return 1;
}

LonLat RadarViewCentre(int view, int productEntry) {
    const RadarMapSize size = GetMapSize(view);
    return WHToLonLat(size.width, size.height, GetScaleLonLat(view, productEntry));
}

ClosestRadar FindClosestRadar(int direction, double longitude, double latitude, int productEntry) {
    double best = kNoSiteDistanceMiles;
    double bestInDirection = kNoSiteDistanceMiles;
    int nearest = 0;
    int inDirection = 0;
    bool found = false;
    LonLat nearestCentre = WHToLonLat(kSitePictureWidth, kSitePictureHeight,
                                      GetScaleLonLat(kFirstRadarSiteView, productEntry));
    LonLat inDirectionCentre = nearestCentre;
    for (int site = 0; site < kRadarSiteCount; ++site) {
        const LonLat centre = WHToLonLat(kSitePictureWidth, kSitePictureHeight,
                                         GetScaleLonLat(kFirstRadarSiteView + site, productEntry));
        const double distance =
            GreatCircleMiles(longitude, latitude, centre.longitude, centre.latitude);
        if (distance < best) {
            best = distance;
            nearest = site;
            nearestCentre = centre;
        }
        if (direction > 0 && distance < bestInDirection && distance > kNeighbourFloorMiles &&
            longitude != centre.longitude && latitude != centre.latitude &&
            PointInQuadrant(longitude, latitude, centre.longitude, centre.latitude) == direction) {
            bestInDirection = distance;
            inDirection = site;
            inDirectionCentre = centre;
            found = true;
        }
    }
    ClosestRadar result;
    result.found = found && direction > 0;
    result.view = kFirstRadarSiteView + (result.found ? inDirection : nearest);
    result.centre = result.found ? inDirectionCentre : nearestCentre;
    result.name = RadarViewEntryText(result.view);
    return result;
}

ClosestRadar GetClosestRadarInQuadrant(int direction, int view, int productEntry) {
    const LonLat start = XYtoLonLat(300, 275, GetScaleLonLat(view, productEntry), 1.0);
    return FindClosestRadar(direction, start.longitude, start.latitude, productEntry);
}

} // namespace skelvane

#pragma once

#include <string>

namespace skelvane {

// Every radar picture is a plain longitude-latitude grid: a north-west corner and the size
// of one pixel in degrees. Longitudes are degrees east, latitudes degrees north.
struct RadarGeometry {
    double xScale = 0; // degrees of longitude a pixel at zoom 1
    double yScale = 0; // degrees of latitude a pixel at zoom 1
    double west = 0;   // longitude of the west edge
    double north = 0;  // latitude of the north edge
    friend bool operator==(const RadarGeometry&, const RadarGeometry&) = default;
};

struct LonLat {
    double longitude = 0;
    double latitude = 0;
    friend bool operator==(const LonLat&, const LonLat&) = default;
};

struct MapPixel {
    int x = 0;
    int y = 0;
    friend bool operator==(const MapPixel&, const MapPixel&) = default;
};

// The product entry (RadarReflectivityBoxIndex) whose site pictures use the long-range
// table; every other entry uses the short-range table.
inline constexpr int kLongRangeProductEntry = 0;

// Geometry of a view. Mosaics: their own table (view 0 is view 1's map made small; view 12
// has its own y scale). Sites: the long-range table when productEntry is 0, else the
// short-range table. All zero outside 0 ... 168.
RadarGeometry GetScaleLonLat(int view, int productEntry);

// Centre of a width x height picture: longitude west + width * xScale / 2 when xScale is
// above 0.0001, latitude north - height * yScale / 2 when yScale is above 0.001; an axis
// whose scale is not above its limit keeps the corner value.
LonLat WHToLonLat(int width, int height, const RadarGeometry& geometry);

// The point under pixel (x, y) of the map shown at a zoom (1 or 2): west + x * xScale /
// zoom, north - y * yScale / zoom, each axis only when its scale is above 0.0001 (else the
// corner value). A zoom that is not a positive finite number counts as 1.
LonLat XYtoLonLat(double x, double y, const RadarGeometry& geometry, double zoom);

// The pixel of a point on the map shown at a zoom: round((lon - west) * zoom / xScale),
// round((lat - north) * zoom / -yScale), ties to even. An axis with a zero scale or a
// result that is not finite gives 0; results are kept within +-1e9.
MapPixel LonLatToXY(double longitude, double latitude, const RadarGeometry& geometry, double zoom);

// Direction 1 ... 8 (north, north-east, east, ... north-west) in which the site lies seen
// from the point, by the compass bearing on the flat longitude-latitude grid; a bearing on
// a boundary belongs to the lower-numbered direction. -1 when the bearing cannot be
// computed (a value that is not a number).
int PointInQuadrant(double longitude, double latitude, double siteLongitude, double siteLatitude);

// Picture centre of the site of a view (the radar's position) in the table the product
// entry selects; for a mosaic the centre of its picture.
LonLat RadarViewCentre(int view, int productEntry);

struct ClosestRadar {
    bool found = false; // a site lies in the asked direction (never for direction 0)
    int view = 14;      // the site's view, 14 ... 168
    std::string name;   // that view's entry text
    LonLat centre;      // the site's picture centre
};

// The nearest radar site to a point (direction 0), or the nearest one lying in direction
// 1 ... 8 that is more than 10 miles away and differs from the point in both longitude
// and latitude; when none qualifies, found is false and the nearest site overall is given.
// Distances are great-circle miles between the point and the sites' picture centres in the
// table the product entry selects.
ClosestRadar FindClosestRadar(int direction, double longitude, double latitude, int productEntry);

// FindClosestRadar from the centre of a view's picture (pixel 300, 275 at zoom 1), for the
// direction buttons. The search starts there whatever the map's zoom.
ClosestRadar GetClosestRadarInQuadrant(int direction, int view, int productEntry);

} // namespace skelvane

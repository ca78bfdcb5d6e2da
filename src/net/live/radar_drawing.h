#pragma once

#include "net/decode/radar_geometry.h"
#include "net/live/warning_areas.h"

#include <QImage>
#include <QSize>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skelvane {

class PlaceList;

// The layers of a radar picture the program draws itself, each a transparent picture of the
// view's size on the view's longitude-latitude grid (pixel (x, y) is centred on
// west + x * xScale, north - y * yScale, as LonLatToXY has it). Nothing is anti-aliased, so
// every set pixel holds exactly its colour.

// The warnings in force at `unixMs`, outlined two pixels wide in the warning colours
// (tornado 255,0,0; severe thunderstorm 255,165,0; flash flood 139,0,0; extreme wind
// 255,20,147), the more dangerous drawn over the others.
QImage DrawWarningsLayer(const std::vector<WarningArea>& areas, std::int64_t unixMs,
                         const RadarGeometry& geometry, QSize size);

// A legend strip along the bottom: the product's colour scale with its values, the
// product's name and units, the site and the frame's time (UTC). `product` is a
// canonical code ("N0R", "N0V", "N1P", ...).
QImage DrawLegendLayer(std::string_view product, std::string_view site, std::int64_t unixMs,
                       QSize size);

// Circles 50, 100 and 150 statute miles around the radar at `centre`.
QImage DrawRangeRingsLayer(LonLat centre, const RadarGeometry& geometry, QSize size);

struct CityMark {
    std::string name;
    LonLat position;
    int weight = 0; // how important: more postal codes, a bigger city
};

// The cities of the place list's US section: one mark per city and state, at its first
// line's coordinates, weighed by its number of lines (one per postal code).
std::vector<CityMark> CitiesFromPlaceList(const PlaceList& list);

// Dots and names of the heaviest cities inside the picture, each name where it overlaps no
// name drawn before it, at most `maxCities`.
QImage DrawCitiesLayer(const std::vector<CityMark>& cities, const RadarGeometry& geometry,
                       QSize size, int maxCities = 30);

// The colours of the product's legend, weakest first, and their values' texts.
struct LegendScale {
    std::string_view name;  // "BASE REFLECTIVITY"
    std::string_view units; // "DBZ"
    std::vector<QRgb> colours;
    std::vector<std::string_view> values;
};
LegendScale LegendScaleFor(std::string_view product);

} // namespace skelvane

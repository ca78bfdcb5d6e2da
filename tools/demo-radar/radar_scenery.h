#pragma once

// The drawn world of the demo radar tree: real places, rough river and road courses, storms
// that drift, warning areas, and how each layer of a radar picture is painted from them
// through the program's own map geometry.

#include "net/decode/radar_geometry.h"
#include "net/decode/radar_views.h"

#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <string>
#include <vector>

namespace skelvane::demo {

// The colour of a city's mark in the cities layer: a 3 × 3 square centred on the place's
// pixel (LonLatToXY at zoom 1) inside a black 5 × 5 frame. No other layer uses it, so a test
// can find the place in a composed picture.
inline constexpr QRgb kCityMarkColour = qRgb(255, 255, 160);
// The overlays' transparent colour, as the radar server's overlays had it.
inline constexpr QRgb kOverlayTransparentColour = qRgb(255, 255, 255);

struct Place {
    const char* name;
    double latitude;
    double longitude;
};
// The places marked in a site's cities layer (the mosaics mark their own larger list).
const std::vector<Place>& SitePlaces();
const std::vector<Place>& MosaicPlaces();

// One layer picture of a site, `width` × `height` with the geometry; ARGB32, transparent
// where the layer shows nothing. Drawn without smoothing, so its colours are exact.
QImage DrawTopo(const RadarGeometry& geometry, int width, int height);
QImage DrawCounties(const RadarGeometry& geometry, int width, int height);
QImage DrawRivers(const RadarGeometry& geometry, int width, int height);
QImage DrawHighways(const RadarGeometry& geometry, int width, int height);
QImage DrawCities(const RadarGeometry& geometry, int width, int height);
// Rings every 50 km around the radar at the picture's centre.
QImage DrawRangeRings(const RadarGeometry& geometry, int width, int height);
// Echoes at `hours` after the first frame, in the reflectivity colours.
QImage DrawEchoes(const RadarGeometry& geometry, int width, int height, double hours);
// The warning areas of `site` ("OKX") in force in frame `frame` of 30, in the four exact
// warning colours.
QImage DrawWarnings(const std::string& site, int frame, const RadarGeometry& geometry, int width,
                    int height);
// The colour scale of a product at the bottom left. (No time: the demo moves the frames' times
// to the present, and a time in the picture would not follow.)
QImage DrawLegend(const std::string& product, int width, int height);
// A mosaic frame: background, graticule, the radar sites, places and echoes, and the title.
QImage DrawMosaic(int view, double hours);

// A single-frame GIF89a whose colour table holds exactly the picture's colours, with index 0
// the transparent colour (white, as the radar server wrote it) for pixels below half alpha.
// Empty when the picture has more than 255 colours.
QByteArray IndexedTransparentGif(const QImage& picture);

} // namespace skelvane::demo

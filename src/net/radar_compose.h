#pragma once

#include "net/decode/radar_map_marks.h"
#include "net/decode/radar_views.h"
#include "net/decode/weather_warnings.h"
#include "net/gif_decoder.h"

#include <QImage>
#include <array>
#include <optional>
#include <vector>

namespace skelvane {

// The layers of a radar site's picture, in drawing order.
enum class RadarLayer {
    Topo,
    Radar,
    Counties,
    Rivers,
    Highways,
    Cities,
    Warnings,
    RangeRing,
    Legend
};
inline constexpr int kRadarLayerCount = 9;
// The layer's name as the settings and the command line use it ("topo", "rangering", ...).
const char* RadarLayerName(RadarLayer layer);

// How a GIF layer leaves the picture below it showing.
enum class RadarLayerKeying {
    // DrawTransparent: the pixels the GIF leaves transparent, every pixel of the colour of its
    // first frame's transparent index, and the pixel at column 0 of the target's last row
    // (the painter's "bottom-left pixel is the transparent colour" rule) are left out.
    ColourKeyAndCorner,
    // The range ring: transparent pixels and pixels of the transparent colour are left out.
    ColourKey,
    // The legend: only the pixels the GIF leaves transparent are left out.
    OwnTransparency,
};

// What a GIF layer draws: its first frame as an ARGB32_Premultiplied picture that is clear
// wherever the keying leaves the picture below. `targetHeight` is the height of the picture
// it is drawn onto (for the bottom-left pixel). Null for a null frame.
QImage KeyedRadarLayer(const GifFrame& frame, RadarLayerKeying keying, int targetHeight);

// DrawTransparent (GIF, target): the GIF's first frame drawn at (0, 0) with the first rule above.
void DrawTransparent(const GifFrame& frame, QImage& target);

// The layers of one frame as downloaded. A null picture is a layer that is not loaded.
struct RadarLayers {
    QImage topo;                                  // the topographic JPEG
    std::array<QImage, kRadarLayerCount> keyed{}; // GIF layers, keyed for drawing
    QImage warningsPlain;                         // the warnings layer as decoded, for the scan
    bool loaded(RadarLayer layer) const;
    // Keeps a decoded GIF layer, keyed by the layer's own rule.
    void setGif(RadarLayer layer, const GifFrame& frame, int targetHeight);
    void clear(RadarLayer layer);
};

struct RadarComposeOptions {
    RadarMapSize size{600, 550}; // GetMapSize of the view
    bool drawWarnings = true;    // "Warnings": the warnings layer is drawn
    bool scanWarnings = false;   // "Warn Text" on the newest frame: the layer is scanned
    double zoom = 1.0;
    std::vector<RadarCircleMark> marks; // "Tiny Circles", placed for the zoom; empty: none
};

struct RadarComposedFrame {
    QImage picture;                          // Format_RGB32, the map's size times the zoom
    std::optional<WeatherWarnings> warnings; // the scan's result, when it ran
};

// ShowRadarFrame's picture: the topographic map (or black) under the radar, counties, rivers,
// highways and cities layers, the warnings layer when it is to be drawn, the range ring and
// the legend; stretched by the zoom (each pixel doubled at 2); then the tiny circles.
RadarComposedFrame ComposeRadarFrame(const RadarLayers& layers, const RadarComposeOptions& options);

// The tiny circles: each filled with its colour and outlined black, 2 pixels wide.
void DrawRadarMarks(QImage& picture, const std::vector<RadarCircleMark>& marks);

// A mosaic frame as shown: black, the GIF's picture stretched over `size`, the tiny circles.
QImage MosaicPicture(const QImage& frame, RadarMapSize size,
                     const std::vector<RadarCircleMark>& marks);

// The warning colours in a warnings layer drawn at (0, 0) onto a black picture of `size` (its
// transparent parts stay black), scanned as GetWarning scans (the bottom-left pixel is not).
WeatherWarnings ScanWarningsLayer(const QImage& warningsLayer, RadarMapSize size);

} // namespace skelvane

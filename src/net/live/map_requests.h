#pragma once

#include "net/decode/radar_geometry.h"

#include <QSize>
#include <QString>
#include <string>
#include <string_view>

namespace skelvane {

// The addresses the live sources ask: WMS 1.1.1 requests of map servers and the satellite
// CDN's folders, built from the values of the live sources' table.

// A map server layer written "workspace:layer" (a layer without a workspace has none).
struct MapLayer {
    std::string workspace;
    std::string name;
};
MapLayer SplitMapLayer(std::string_view qualified);

// A box in degrees whose edges are the outer edges of a picture's pixels.
struct GeoBox {
    double west = 0, south = 0, east = 0, north = 0;
};

// The box of a `size` picture on a radar view's grid, whose pixel centres lie at
// west + x * xScale and north - y * yScale: its edges lie half a pixel outside them.
GeoBox PictureBox(const RadarGeometry& geometry, QSize size);

// A WMS 1.1.1 GetMap address on `base` (which may hold a query already): SRS=EPSG:4326,
// BBOX=west,south,east,north (longitude first, as 1.1.1 has it), the size, the format,
// TRANSPARENT, and TIME when `time` is not empty. Values are percent-encoded.
QString GetMapUrl(const std::string& base, const std::string& layers, const std::string& style,
                  const GeoBox& box, QSize size, std::string_view format, bool transparent,
                  const std::string& time);

// `base` with service=WMS&version=1.1.1&request=GetCapabilities added, unless it names a
// request already.
QString CapabilitiesUrl(const std::string& base);

// A satellite area of the table: "GOES19 SECTOR/eus 1000x1000 1000x1000".
struct SatelliteArea {
    std::string satellite; // "GOES19"
    std::string path;      // under ABI/: "SECTOR/eus", "CONUS", "FD"
    std::string sector;    // as in frame names: "eus", "CONUS", "FD"
    std::string stillSize, loopSize;
    bool ok() const { return !satellite.empty() && !path.empty() && !stillSize.empty(); }
};
// Nothing (ok() false) for fewer than three words; the loop size defaults to the still size.
SatelliteArea ReadSatelliteArea(std::string_view text);

// The area and the type of a satellite image code: "ECIR" -> EC, IR; "GULFVS" -> GULF, VS;
// the colourised "ECI5" ... "WCW4" -> EC or WC, "colour".
struct SatelliteCodeParts {
    std::string area;
    std::string type; // IR, VS, WV or colour
};
SatelliteCodeParts ReadSatelliteCode(std::string_view code);

// The band folder of an area ({cdn}/{satellite}/ABI/{path}/{band}/), its still
// ({folder}{size}.jpg) and its animated loop ({folder}{satellite}-{SECTOR}-{band}-{size}.gif).
std::string SatelliteFolder(const std::string& cdn, const SatelliteArea& area,
                            const std::string& band);
std::string SatelliteLoopName(const SatelliteArea& area, const std::string& band);

} // namespace skelvane

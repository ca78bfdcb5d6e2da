#pragma once

#include "net/decode/radar_paths.h"

#include <string>
#include <string_view>

namespace skelvane {

// What a request to the retired radar and satellite trees asks for, read from its path.
enum class LiveRequestKind {
    None,              // not a path of those trees
    RadarDirectory,    // /ridge/RadarImg/{product}/{SITE}/
    RadarFrame,        // /ridge/RadarImg/{product}/{SITE}/{SITE}_YYYYMMDD_HHMM_{product}.gif
    LegendDirectory,   // /ridge/Legend/{product}/{SITE}/
    LegendFrame,       // ... /{SITE}_YYYYMMDD_HHMM_{product}_Legend.gif
    WarningsDirectory, // /ridge/Warnings/{range}/{SITE}/
    WarningsFrame,     // ... /{SITE}_YYYYMMDD_HHMM_{range}_Warnings.gif
    Overlay,           // /ridge/Overlays/{kind}/{range}/{SITE}_{Kind}_{range}.{gif|jpg}
    MosaicStill,       // /Conus/RadarImg/{still}.gif
    MosaicLoop,        // /Conus/Loop/{loop}.gif
    SatelliteStill,    // /GIFS/{code}.JPG
    SatelliteFullDisk, // /FULLDISK/{code}.JPG
    SatelliteMovie,    // /MOVIES/{code}.mpg
    TropicalList,      // /HURRLOOPS/{folder}/file_names.txt
    TropicalFrame,     // /HURRLOOPS/{folder}/{name}
};

struct LiveRequest {
    LiveRequestKind kind = LiveRequestKind::None;
    std::string product;    // radar: the product as in the path ("N0R", "NOZ")
    std::string site;       // radar: the site in upper case ("OKX")
    int view = -1;          // radar: the site's view 14 ... 168, or the mosaic's 0 ... 13
    std::string rangeClass; // radar: "Short" or "Long"
    std::string fileName;   // frames and loop frames: the file asked for
    std::string stamp;      // radar frames: "YYYYMMDD_HHMM" from the file name
    RadarOverlay overlay = RadarOverlay::Topo;
    std::string code;    // satellite: the image code in upper case ("ECIR", "GULFVS")
    std::string folder;  // tropical loops: the folder under /HURRLOOPS/ ("gulfir", "ir")
    int frameNumber = 0; // numbered loop frames 1 ... 10; 0 for a named frame
    friend bool operator==(const LiveRequest&, const LiveRequest&) = default;
};

// Reads a request path (without the query; the program's own paths need no decoding).
// Paths of the two trees that name no known site, product, view, code or file come back
// as None, as does any other path.
LiveRequest ClassifyLiveRequest(std::string_view path);

// The product code with the letter O after the N read as the digit zero: "NOZ" -> "N0Z",
// "NOV" -> "N0V", "NOS" -> "N0S"; other codes as they stand.
std::string CanonicalRadarProduct(std::string_view product);

// The ICAO identifier of a radar site view in lower case: "k" + the site for the
// contiguous states, "p" for Alaska, Hawaii and Guam, "t" for San Juan ("kokx", "pahg",
// "tjua"); empty for a view that is not a site.
std::string RadarSiteIcao(int view);

// The national mosaic workspace that covers a view: "alaska", "hawaii", "guam", "carib"
// (San Juan) or "conus".
std::string_view RadarMosaicRegion(int view);

} // namespace skelvane

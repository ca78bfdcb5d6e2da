#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skelvane {

// Product codes of the product box entries (GetRadarType): 0 "NOZ" (long range, letter O),
// 1 "N0R", 2 "NCR", 3 "N1P", 4 "NTP", 5 "NOS", 6 "NOV"; empty for any other entry.
std::string_view GetRadarType(int productEntry);

// The texts of the product box entries 0 ... 6; empty for any other entry.
std::string_view RadarProductEntryText(int productEntry);
inline constexpr int kRadarProductEntryCount = 7;
inline constexpr int kDefaultRadarProductEntry = 1; // "Reflectivity - Short Range"

// Range class of a product code: "Long" for "N0Z" and "NOZ", "Short" for every other code.
std::string_view RadarRangeClass(std::string_view productCode);

// The radar servers, in the order a site download tries them for the frame list.
enum class RadarHost {
    Regional, // also serves every site overlay
    Alternative1,
    Alternative2, // also serves the national and regional mosaics
};

// The long-range rule: "N0Z" and "NOZ" become "NOZ" when the active host (as the previous
// download left it) is the regional server, else "N0Z"; other codes are unchanged.
std::string_view LongRangeProduct(std::string_view productCode, RadarHost activeHost);

// Reads the radar frame list along the host chain: regional, then the first alternative,
// then the second, calling readFrom(host) until one returns true. `active` is set to each
// host before it is tried and stays at the last one tried (the next download's long-range
// rule reads it). Returns whether a read succeeded.
template <class ReadFrom> bool ReadAlongRadarHostChain(RadarHost& active, ReadFrom&& readFrom) {
    for (RadarHost host : {RadarHost::Regional, RadarHost::Alternative1, RadarHost::Alternative2}) {
        active = host;
        if (readFrom(host))
            return true;
    }
    return false;
}

// Overlays of a site picture, fetched once per download from the regional server in this
// order.
enum class RadarOverlay { Topo, Counties, Rivers, Highways, Cities, RangeRing };

// Whether an overlay exists for a range class: range rings only for "Short".
bool RadarOverlayExists(RadarOverlay overlay, std::string_view rangeClass);

// Overlay path for a site in upper case and a range class, e.g. Topo, "OKX", "Short" ->
// "/ridge/Overlays/Topo/Short/OKX_Topo_Short.jpg". Empty for an overlay that does not exist
// in that range class.
std::string RadarOverlayPath(RadarOverlay overlay, std::string_view site,
                             std::string_view rangeClass);

// Frame directories, each ending in "/", and the keys of their directory reading.
// "/ridge/RadarImg/" + product + "/" + site + "/"
std::string RadarFrameDirectory(std::string_view product, std::string_view site);
// "/ridge/Warnings/" + range class + "/" + site + "/"
std::string RadarWarningsDirectory(std::string_view rangeClass, std::string_view site);
// "/ridge/Legend/" + product + "/" + site + "/"
std::string RadarLegendDirectory(std::string_view product, std::string_view site);
// The first key of every frame directory: site + "_20".
std::string RadarFrameKey(std::string_view site);
// The second key of the warnings directory: range class + "_Warnings".
std::string RadarWarningsKey(std::string_view rangeClass);

// Whether a name read from a directory page may be put into a request: 1 ... 255
// characters, letters, digits, '.', '_' and '-' only, not starting with '.'. Anything else
// (slashes, "..", blanks, '%', '?', '#', control characters) could point the request
// elsewhere or break it.
bool IsPlainRadarFileName(std::string_view name);
// directory + name, or nothing when the name is not a plain file name (a fetch that is
// not made counts as failed).
std::optional<std::string> RadarFramePath(std::string_view directory, std::string_view name);

// Mosaic file names of views 0 ... 13 (empty for other views): the still ("latest",
// "northeast", ...) and the loop (still + "_loop", except "NatLoop_Small", "NatLoop",
// "alaskaLoop" and "hawaiiLoop" for views 0, 1, 12 and 13).
std::string_view RadarMosaicStillName(int view);
std::string RadarMosaicLoopName(int view);
// "/Conus/Loop/" + loop + ".gif" when animating, else "/Conus/RadarImg/" + still + ".gif";
// empty for a view that is not a mosaic. Served by the second alternative server.
std::string RadarMosaicPath(int view, bool animate);

// The weather service's radar information page ("Radar Info") and its ground-clutter
// section ("Clutter Info").
inline constexpr std::string_view kRadarInfoPath = "/srh/jetstream/doppler/radarfaq.htm";
inline constexpr std::string_view kRadarClutterInfoPath =
    "/srh/jetstream/doppler/radarfaq.htm#everything";

} // namespace skelvane

#include "net/decode/radar_paths.h"

#include "net/decode/radar_views.h"

#include <array>

namespace skelvane {

namespace {

struct ProductRow {
    std::string_view code;
    std::string_view text;
};

constexpr std::array<ProductRow, kRadarProductEntryCount> kProducts{{
    {"NOZ", "Reflectivity - Long Range"},
    {"N0R", "Reflectivity - Short Range"},
    {"NCR", "Composite"},
    {"N1P", "Rainfall Inches - 1 Hour Total"},
    {"NTP", "Rainfall Inches - Storm Total"},
    {"NOS", "Storm Relative Motion"},
    {"NOV", "Base Velocity"},
}};

struct OverlayRow {
    std::string_view folder;    // under /ridge/Overlays/
    std::string_view layerName; // in the file name
    std::string_view extension;
};

constexpr std::array<OverlayRow, 6> kOverlays{{
    {"Topo", "Topo", ".jpg"},
    {"County", "County", ".gif"},
    {"Rivers", "Rivers", ".gif"},
    {"Highways", "Highways", ".gif"},
    {"Cities", "City", ".gif"},
    {"RangeRings", "RangeRing", ".gif"},
}};

constexpr std::array<std::string_view, 14> kMosaicStills{
    "latest_Small", "latest",       "northeast",   "southeast",    "centgrtlakes",
    "southmissvly", "uppermissvly", "southplains", "northrockies", "southrockies",
    "pacnorthwest", "pacsouthwest", "alaska",      "hawaii",
};

bool IsLongRangeCode(std::string_view code) {
    return code == "N0Z" || code == "NOZ";
}

std::string Joined(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (std::string_view part : parts)
        out.append(part);
    return out;
}

} // namespace

std::string_view GetRadarType(int productEntry) {
    if (productEntry < 0 || productEntry >= kRadarProductEntryCount)
        return {};
    return kProducts[static_cast<std::size_t>(productEntry)].code;
}

std::string_view RadarProductEntryText(int productEntry) {
    if (productEntry < 0 || productEntry >= kRadarProductEntryCount)
        return {};
    return kProducts[static_cast<std::size_t>(productEntry)].text;
}

std::string_view RadarRangeClass(std::string_view productCode) {
    return IsLongRangeCode(productCode) ? "Long" : "Short";
}

std::string_view LongRangeProduct(std::string_view productCode, RadarHost activeHost) {
    if (!IsLongRangeCode(productCode))
        return productCode;
    return activeHost == RadarHost::Regional ? "NOZ" : "N0Z";
}

bool RadarOverlayExists(RadarOverlay overlay, std::string_view rangeClass) {
    return overlay != RadarOverlay::RangeRing || rangeClass == "Short";
}

std::string RadarOverlayPath(RadarOverlay overlay, std::string_view site,
                             std::string_view rangeClass) {
    if (!RadarOverlayExists(overlay, rangeClass))
        return {};
    const OverlayRow& row = kOverlays[static_cast<std::size_t>(overlay)];
    return Joined({"/ridge/Overlays/", row.folder, "/", rangeClass, "/", site, "_", row.layerName,
                   "_", rangeClass, row.extension});
}

std::string RadarFrameDirectory(std::string_view product, std::string_view site) {
    return Joined({"/ridge/RadarImg/", product, "/", site, "/"});
}

std::string RadarWarningsDirectory(std::string_view rangeClass, std::string_view site) {
    return Joined({"/ridge/Warnings/", rangeClass, "/", site, "/"});
}

std::string RadarLegendDirectory(std::string_view product, std::string_view site) {
    return Joined({"/ridge/Legend/", product, "/", site, "/"});
}

std::string RadarFrameKey(std::string_view site) {
    return Joined({site, "_20"});
}

std::string RadarWarningsKey(std::string_view rangeClass) {
    return Joined({rangeClass, "_Warnings"});
}

bool IsPlainRadarFileName(std::string_view name) {
    if (name.empty() || name.size() > 255 || name.front() == '.')
        return false;
    for (char c : name) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
        if (!plain)
            return false;
    }
    return true;
}

std::optional<std::string> RadarFramePath(std::string_view directory, std::string_view name) {
    if (!IsPlainRadarFileName(name))
        return std::nullopt;
    return Joined({directory, name});
}

std::string_view RadarMosaicStillName(int view) {
    if (!IsRadarMosaicView(view))
        return {};
    return kMosaicStills[static_cast<std::size_t>(view)];
}

std::string RadarMosaicLoopName(int view) {
    switch (view) {
    case 0:
        return "NatLoop_Small";
    case 1:
        return "NatLoop";
    case kRadarAlaskaMosaicView:
        return "alaskaLoop";
    case kRadarHawaiiMosaicView:
        return "hawaiiLoop";
    default:
        if (!IsRadarMosaicView(view))
            return {};
        return std::string(RadarMosaicStillName(view)) + "_loop";
    }
}

std::string RadarMosaicPath(int view, bool animate) {
    if (!IsRadarMosaicView(view))
        return {};
    if (animate)
        return Joined({"/Conus/Loop/", RadarMosaicLoopName(view), ".gif"});
    return Joined({"/Conus/RadarImg/", RadarMosaicStillName(view), ".gif"});
}

} // namespace skelvane

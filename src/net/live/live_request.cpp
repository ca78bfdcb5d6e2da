#include "net/live/live_request.h"

#include "net/decode/radar_views.h"
#include "net/decode/satellite_frame_list.h"
#include "net/decode/satellite_request.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

namespace skelvane {

namespace {

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           EqualsIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
}

// The path's segments after the leading "/", and whether it ended with "/".
std::vector<std::string_view> Segments(std::string_view path, bool& folder) {
    std::vector<std::string_view> parts;
    folder = path.ends_with('/');
    path.remove_prefix(1);
    while (!path.empty()) {
        const std::size_t slash = path.find('/');
        parts.push_back(path.substr(0, slash));
        if (slash == std::string_view::npos)
            break;
        path.remove_prefix(slash + 1);
    }
    return parts;
}

// The view of a site identifier (upper or lower case); -1 when there is none.
int SiteView(std::string_view site) {
    if (site.size() != 3)
        return -1;
    for (int view = kFirstRadarSiteView; view < kRadarViewCount; ++view)
        if (EqualsIgnoringCase(RadarSiteId(view), site))
            return view;
    return -1;
}

bool IsKnownProduct(std::string_view product) {
    for (int entry = 0; entry < kRadarProductEntryCount; ++entry)
        if (CanonicalRadarProduct(GetRadarType(entry)) == CanonicalRadarProduct(product))
            return true;
    return false;
}

// "SITE_YYYYMMDD_HHMM" + rest, giving the stamp; false when the name is not that.
bool ReadFrameName(std::string_view name, std::string_view site, std::string_view rest,
                   std::string& stamp) {
    // SITE _ 8 digits _ 4 digits rest
    if (name.size() != site.size() + 14 + rest.size() || !name.starts_with(site) ||
        name.substr(name.size() - rest.size()) != rest)
        return false;
    const std::string_view middle = name.substr(site.size(), 14);
    if (middle[0] != '_' || middle[9] != '_' || !AllDigits(middle.substr(1, 8)) ||
        !AllDigits(middle.substr(10, 4)))
        return false;
    stamp = std::string(middle.substr(1));
    return true;
}

struct OverlayName {
    RadarOverlay overlay;
    std::string_view folder;
    std::string_view part; // in the file name
    std::string_view extension;
};
constexpr std::array kOverlays{
    OverlayName{RadarOverlay::Topo, "Topo", "Topo", ".jpg"},
    OverlayName{RadarOverlay::Counties, "County", "County", ".gif"},
    OverlayName{RadarOverlay::Rivers, "Rivers", "Rivers", ".gif"},
    OverlayName{RadarOverlay::Highways, "Highways", "Highways", ".gif"},
    OverlayName{RadarOverlay::Cities, "Cities", "City", ".gif"},
    OverlayName{RadarOverlay::RangeRing, "RangeRings", "RangeRing", ".gif"},
};

LiveRequest ClassifyRidge(const std::vector<std::string_view>& parts, bool folder) {
    LiveRequest request;
    if (parts.size() < 4)
        return request;
    const std::string_view kind = parts[1];
    if (kind == "Overlays") {
        if (parts.size() != 5 || folder)
            return request;
        const std::string_view range = parts[3];
        if (range != "Short" && range != "Long")
            return request;
        for (const OverlayName& overlay : kOverlays) {
            if (parts[2] != overlay.folder)
                continue;
            const std::string_view name = parts[4];
            const std::string tail = "_" + std::string(overlay.part) + "_" + std::string(range) +
                                     std::string(overlay.extension);
            if (name.size() != 3 + tail.size() || name.substr(3) != tail)
                return request;
            const int view = SiteView(name.substr(0, 3));
            if (view < 0 || !RadarOverlayExists(overlay.overlay, range))
                return request;
            request.kind = LiveRequestKind::Overlay;
            request.overlay = overlay.overlay;
            request.site = Upper(name.substr(0, 3));
            request.view = view;
            request.rangeClass = std::string(range);
            request.fileName = std::string(name);
            return request;
        }
        return request;
    }
    const bool directory = parts.size() == 4;
    if (!directory && (parts.size() != 5 || folder))
        return request;
    const std::string_view middle = parts[2];
    const std::string_view site = parts[3];
    const int view = SiteView(site);
    if (view < 0 || site != Upper(site))
        return request;
    request.site = std::string(site);
    request.view = view;
    std::string rest;
    if (kind == "RadarImg" || kind == "Legend") {
        if (!IsKnownProduct(middle))
            return request;
        request.product = std::string(middle);
        request.rangeClass = std::string(RadarRangeClass(middle));
        rest = "_" + std::string(middle) + (kind == "Legend" ? "_Legend.gif" : ".gif");
        request.kind =
            kind == "Legend" ? LiveRequestKind::LegendDirectory : LiveRequestKind::RadarDirectory;
    } else if (kind == "Warnings") {
        if (middle != "Short" && middle != "Long")
            return request;
        request.rangeClass = std::string(middle);
        rest = "_" + std::string(middle) + "_Warnings.gif";
        request.kind = LiveRequestKind::WarningsDirectory;
    } else {
        return request;
    }
    if (directory)
        return request;
    std::string stamp;
    if (!ReadFrameName(parts[4], site, rest, stamp))
        return LiveRequest{};
    request.fileName = std::string(parts[4]);
    request.stamp = std::move(stamp);
    request.kind = request.kind == LiveRequestKind::RadarDirectory ? LiveRequestKind::RadarFrame
                   : request.kind == LiveRequestKind::LegendDirectory
                       ? LiveRequestKind::LegendFrame
                       : LiveRequestKind::WarningsFrame;
    return request;
}

LiveRequest ClassifyMosaic(const std::vector<std::string_view>& parts, bool folder) {
    LiveRequest request;
    if (parts.size() != 3 || folder || !parts[2].ends_with(".gif"))
        return request;
    const std::string_view name = parts[2].substr(0, parts[2].size() - 4);
    for (int view = 0; view <= kRadarHawaiiMosaicView; ++view) {
        if (parts[1] == "RadarImg" && name == RadarMosaicStillName(view)) {
            request.kind = LiveRequestKind::MosaicStill;
        } else if (parts[1] == "Loop" && name == RadarMosaicLoopName(view)) {
            request.kind = LiveRequestKind::MosaicLoop;
        } else {
            continue;
        }
        request.view = view;
        request.fileName = std::string(parts[2]);
        return request;
    }
    return request;
}

// Whether `code` names an area and a type the satellite requests use.
bool IsSatelliteCode(std::string_view code) {
    static constexpr std::array kAreas{"ECST", "GULF", "EC", "WC", "PR", "AL", "HA", "AT",
                                       "HU",   "HP",   "NH", "GE", "GW", "GM", "MT", "GI"};
    for (std::string_view area : kAreas) {
        if (!code.starts_with(area))
            continue;
        const std::string_view type = code.substr(area.size());
        if (type == "IR" || type == "VS" || type == "WV")
            return true;
        if ((area == "EC" || area == "WC") && type.size() == 2 &&
            ((type[0] == 'I' && type[1] >= '5' && type[1] <= '8') ||
             (type[0] == 'W' && type[1] >= '1' && type[1] <= '4')))
            return true;
        return false;
    }
    return false;
}

// The image code of a tropical loop's folder: "ir", "vs", "wv" are the HU loops, "huecir"
// ... the ECST loops, any other folder is its code in lower case.
std::string TropicalFolderCode(std::string_view folder) {
    const std::string lower = Lower(folder);
    if (lower == "ir" || lower == "vs" || lower == "wv")
        return "HU" + Upper(lower);
    if (lower.starts_with("huec") && lower.size() == 6)
        return "ECST" + Upper(lower.substr(4));
    return Upper(lower);
}

LiveRequest ClassifySatellite(const std::vector<std::string_view>& parts, bool folder) {
    LiveRequest request;
    if (folder)
        return request;
    const std::string_view top = parts[0];
    if (parts.size() == 2 && (top == "GIFS" || top == "FULLDISK" || top == "MOVIES")) {
        const std::string_view name = parts[1];
        const std::string_view extension = top == "MOVIES" ? ".mpg" : ".JPG";
        if (!EndsWithIgnoringCase(name, extension))
            return request;
        const std::string code = Upper(name.substr(0, name.size() - extension.size()));
        if (!IsSatelliteCode(code))
            return request;
        const bool fullDisk = IsFullDiskCode(code);
        if ((top == "FULLDISK") != fullDisk)
            return request;
        if (top == "MOVIES" && !(code.starts_with("EC") || code.starts_with("WC")))
            return request;
        request.kind = top == "GIFS"       ? LiveRequestKind::SatelliteStill
                       : top == "FULLDISK" ? LiveRequestKind::SatelliteFullDisk
                                           : LiveRequestKind::SatelliteMovie;
        request.code = code;
        request.fileName = std::string(name);
        return request;
    }
    if (parts.size() == 3 && top == "HURRLOOPS") {
        const std::string code = TropicalFolderCode(parts[1]);
        if (!IsSatelliteCode(code) || !IsPlainFrameName(parts[2]))
            return request;
        request.code = code;
        request.folder = std::string(parts[1]);
        request.fileName = std::string(parts[2]);
        if (parts[2] == "file_names.txt") {
            request.kind = LiveRequestKind::TropicalList;
            return request;
        }
        request.kind = LiveRequestKind::TropicalFrame;
        const std::string_view name = parts[2];
        if (name.size() >= 5 && name.size() <= 6 && name.ends_with(".jpg") &&
            AllDigits(name.substr(0, name.size() - 4))) {
            const int number = std::stoi(std::string(name.substr(0, name.size() - 4)));
            if (number < 1 || number > static_cast<int>(kSatelliteLoopFrames))
                return LiveRequest{};
            request.frameNumber = number;
        }
        return request;
    }
    return request;
}

} // namespace

std::string CanonicalRadarProduct(std::string_view product) {
    std::string out(product);
    if (out.size() == 3 && out[0] == 'N' && out[1] == 'O')
        out[1] = '0';
    return out;
}

std::string RadarSiteIcao(int view) {
    if (!IsRadarSiteView(view))
        return {};
    char prefix = 'k';
    if (InRadarAlaskaGroup(view) || InRadarHawaiiGroup(view) || view == kRadarGuamView)
        prefix = 'p';
    else if (view == kRadarSanJuanView)
        prefix = 't';
    return prefix + std::string(RadarSiteId(view));
}

std::string_view RadarMosaicRegion(int view) {
    if (InRadarAlaskaGroup(view))
        return "alaska";
    if (InRadarHawaiiGroup(view))
        return "hawaii";
    if (view == kRadarGuamView)
        return "guam";
    if (view == kRadarSanJuanView)
        return "carib";
    return "conus";
}

LiveRequest ClassifyLiveRequest(std::string_view path) {
    if (path.empty() || path.front() != '/' || path.size() > 512)
        return {};
    bool folder = false;
    const std::vector<std::string_view> parts = Segments(path, folder);
    if (parts.empty())
        return {};
    if (parts[0] == "ridge")
        return ClassifyRidge(parts, folder);
    if (parts[0] == "Conus")
        return ClassifyMosaic(parts, folder);
    return ClassifySatellite(parts, folder);
}

} // namespace skelvane

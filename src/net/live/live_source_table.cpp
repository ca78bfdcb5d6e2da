#include "net/live/live_source_table.h"

#include <array>
#include <cctype>

namespace skelvane {

namespace {

constexpr std::string_view kUnchecked = "as of 2026-12, from public documentation; unchecked";

// clang-format off
constexpr std::array kEntries{
    // The weather service's map server (GeoServer): per-site radar workspaces named by the
    // site's ICAO identifier, national mosaics in the region workspaces. Capabilities are
    // asked of the one layer (the server's whole document is megabytes).
    LiveSourceEntry{"radar.capabilities",
        "https://opengeo.ncep.noaa.gov/geoserver/{workspace}/{layer}/ows?service=WMS&version=1.1.1&request=GetCapabilities",
        kUnchecked},
    LiveSourceEntry{"radar.map", "https://opengeo.ncep.noaa.gov/geoserver/{workspace}/ows", kUnchecked},
    LiveSourceEntry{"radar.style", "", "the layers' own styles"},
    // Layers by the product code in the request path ("workspace:layer"); empty: no source.
    LiveSourceEntry{"radar.layer.N0R", "{site}:{site}_sr_bref", kUnchecked},
    LiveSourceEntry{"radar.layer.N0V", "{site}:{site}_sr_bvel", kUnchecked},
    LiveSourceEntry{"radar.layer.N0S", "", "storm-relative motion has no public map layer today"},
    LiveSourceEntry{"radar.layer.N1P", "{site}:{site}_boha", kUnchecked},
    LiveSourceEntry{"radar.layer.NTP", "{site}:{site}_bdsa", kUnchecked},
    LiveSourceEntry{"radar.layer.NCR", "{region}:{region}_cref_qcd", kUnchecked},
    LiveSourceEntry{"radar.layer.N0Z", "{region}:{region}_bref_qcd", kUnchecked},
    LiveSourceEntry{"mosaic.layer", "{region}:{region}_bref_qcd", kUnchecked},
    LiveSourceEntry{"mosaic.frames", "10", "frames of a national or regional loop"},
    // Warning polygons as GeoJSON, one request per download.
    LiveSourceEntry{"warnings.features",
        "https://opengeo.ncep.noaa.gov/geoserver/wwa/ows?service=WFS&version=2.0.0&request=GetFeature&typeNames=warnings&outputFormat=application/json&srsName=EPSG:4326",
        kUnchecked},
    // Base maps: WMS 1.1.1 servers whose layers are numbers; the census and hydrography
    // layers are found by title in the server's capabilities ("|" separates titles tried in
    // order).
    LiveSourceEntry{"relief.map",
        "https://basemap.nationalmap.gov/arcgis/services/USGSShadedReliefOnly/MapServer/WMSServer",
        kUnchecked},
    LiveSourceEntry{"relief.layer", "0", kUnchecked},
    LiveSourceEntry{"boundaries.map",
        "https://tigerweb.geo.census.gov/arcgis/services/TIGERweb/tigerWMS_Current/MapServer/WMSServer",
        kUnchecked},
    LiveSourceEntry{"counties.titles", "Counties", kUnchecked},
    LiveSourceEntry{"states.titles", "States", kUnchecked},
    LiveSourceEntry{"roads.map",
        "https://tigerweb.geo.census.gov/arcgis/services/TIGERweb/tigerWMS_Current/MapServer/WMSServer",
        kUnchecked},
    LiveSourceEntry{"highways.titles", "Primary Roads|Primary Roads Labels", kUnchecked},
    LiveSourceEntry{"rivers.map",
        "https://hydro.nationalmap.gov/arcgis/services/nhd/MapServer/WMSServer", kUnchecked},
    LiveSourceEntry{"rivers.titles",
        "Flowline - Small Scale|Flowline - Large Scale|Flowline", kUnchecked},
    // The satellite image CDN: {cdn}/{satellite}/ABI/{path}/{band}/{size}.jpg, the band
    // folder's index of YYYYJJJHHMM_{satellite}-ABI-{sector}-{band}-{size}.jpg frames and
    // its animated {satellite}-{SECTOR}-{band}-{size}.gif. GOES-19 is the eastern satellite
    // since April 2025, GOES-18 the western one.
    LiveSourceEntry{"satellite.cdn", "https://cdn.star.nesdis.noaa.gov", kUnchecked},
    LiveSourceEntry{"satellite.band.IR", "13", "clean long-wave infrared"},
    LiveSourceEntry{"satellite.band.VS", "02", "red visible"},
    LiveSourceEntry{"satellite.band.WV", "09", "mid-level water vapour (08: upper level)"},
    LiveSourceEntry{"satellite.band.colour", "GEOCOLOR", "the four colourised choices"},
    // Areas by the code's first letters: satellite, path under ABI/, still size, loop size.
    LiveSourceEntry{"satellite.area.EC", "GOES19 SECTOR/eus 1000x1000 1000x1000", kUnchecked},
    LiveSourceEntry{"satellite.area.WC", "GOES18 SECTOR/wus 1000x1000 1000x1000", kUnchecked},
    LiveSourceEntry{"satellite.area.PR", "GOES19 SECTOR/pr 600x600 600x600", kUnchecked},
    LiveSourceEntry{"satellite.area.AL", "GOES18 SECTOR/ak 1000x1000 1000x1000", kUnchecked},
    LiveSourceEntry{"satellite.area.HA", "GOES18 SECTOR/hi 600x600 600x600", kUnchecked},
    LiveSourceEntry{"satellite.area.ECST", "GOES19 SECTOR/se 600x600 600x600", kUnchecked},
    LiveSourceEntry{"satellite.area.AT", "GOES19 SECTOR/taw 900x540 900x540", kUnchecked},
    LiveSourceEntry{"satellite.area.HU", "GOES19 SECTOR/car 1000x1000 1000x1000", kUnchecked},
    LiveSourceEntry{"satellite.area.GULF", "GOES19 SECTOR/gm 1000x1000 1000x1000", kUnchecked},
    LiveSourceEntry{"satellite.area.HP", "GOES19 SECTOR/eep 900x540 900x540", kUnchecked},
    LiveSourceEntry{"satellite.area.NH", "GOES19 CONUS 1250x750 625x375", kUnchecked},
    LiveSourceEntry{"satellite.area.GE", "GOES19 FD 1808x1808 678x678", kUnchecked},
    LiveSourceEntry{"satellite.area.GW", "GOES18 FD 1808x1808 678x678", kUnchecked},
    // The full disks of the satellites that see Europe, India and Asia: one picture each.
    LiveSourceEntry{"satellite.image.GMIR",
        "https://eumetview.eumetsat.int/static-images/latestImages/EUMETSAT_MSG_IR108Color_FullResolution.jpg",
        kUnchecked},
    LiveSourceEntry{"satellite.image.GMVS",
        "https://eumetview.eumetsat.int/static-images/latestImages/EUMETSAT_MSG_RGBNatColourEnhncd_FullResolution.jpg",
        kUnchecked},
    LiveSourceEntry{"satellite.image.GIIR",
        "https://eumetview.eumetsat.int/static-images/latestImages/EUMETSAT_MSGIODC_IR108Color_FullResolution.jpg",
        kUnchecked},
    LiveSourceEntry{"satellite.image.GIVS",
        "https://eumetview.eumetsat.int/static-images/latestImages/EUMETSAT_MSGIODC_RGBNatColourEnhncd_FullResolution.jpg",
        kUnchecked},
    LiveSourceEntry{"satellite.image.MTIR",
        "https://www.data.jma.go.jp/mscweb/data/himawari/img/fd_/fd__b13_{hhmm}.jpg", kUnchecked},
    LiveSourceEntry{"satellite.image.MTVS",
        "https://www.data.jma.go.jp/mscweb/data/himawari/img/fd_/fd__trm_{hhmm}.jpg", kUnchecked},
    LiveSourceEntry{"satellite.movie.frames", "12", "newest frames of a loop made a movie"},
};
// clang-format on

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

std::string_view DefaultValue(std::string_view key) {
    for (const LiveSourceEntry& entry : kEntries)
        if (entry.key == key)
            return entry.value;
    return {};
}

} // namespace

std::span<const LiveSourceEntry> DefaultLiveSourceEntries() {
    return kEntries;
}

LiveSourceTable::LiveSourceTable() {
    for (const LiveSourceEntry& entry : kEntries)
        values_.emplace(std::string(entry.key), std::string(entry.value));
}

LiveSourceTable LiveSourceTable::WithOverrides(std::string_view text,
                                               std::vector<std::string>* rejected) {
    LiveSourceTable table;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of(";\r\n");
        const std::string_view entry = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (entry.empty())
            continue;
        const std::size_t equals = entry.find('=');
        const std::string_view key =
            Trim(entry.substr(0, equals == std::string_view::npos ? entry.size() : equals));
        if (equals == std::string_view::npos || !table.has(key)) {
            if (rejected)
                rejected->emplace_back(entry);
            continue;
        }
        table.set(key, std::string(Trim(entry.substr(equals + 1))));
    }
    return table;
}

std::string LiveSourceTable::value(std::string_view key) const {
    const auto found = values_.find(key);
    return found == values_.end() ? std::string() : found->second;
}

bool LiveSourceTable::has(std::string_view key) const {
    return values_.find(key) != values_.end();
}

void LiveSourceTable::set(std::string_view key, std::string value) {
    values_[std::string(key)] = std::move(value);
}

bool LiveSourceTable::overridden(std::string_view key) const {
    return value(key) != DefaultValue(key);
}

std::string FillPlaceholders(std::string_view text,
                             std::span<const std::pair<std::string_view, std::string>> fields) {
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('{', at);
        if (open == std::string_view::npos) {
            out.append(text.substr(at));
            break;
        }
        out.append(text.substr(at, open - at));
        const std::size_t close = text.find('}', open);
        if (close == std::string_view::npos) {
            out.append(text.substr(open));
            break;
        }
        const std::string_view name = text.substr(open + 1, close - open - 1);
        bool filled = false;
        for (const auto& [field, value] : fields)
            if (field == name) {
                out += value;
                filled = true;
                break;
            }
        if (!filled)
            out.append(text.substr(open, close - open + 1));
        at = close + 1;
    }
    return out;
}

std::string_view LiveServiceName(std::string_view key) {
    struct Service {
        std::string_view prefix;
        std::string_view name;
    };
    static constexpr std::array kServices{
        Service{"radar.", "the NWS radar map server"},
        Service{"mosaic.", "the NWS radar map server"},
        Service{"warnings.", "the NWS warnings service"},
        Service{"relief.", "the USGS shaded relief map server"},
        Service{"boundaries.", "the Census TIGERweb map server"},
        Service{"counties.", "the Census TIGERweb map server"},
        Service{"states.", "the Census TIGERweb map server"},
        Service{"roads.", "the Census TIGERweb map server"},
        Service{"highways.", "the Census TIGERweb map server"},
        Service{"rivers.", "the USGS hydrography map server"},
        Service{"satellite.image.GM", "EUMETSAT's image server"},
        Service{"satellite.image.GI", "EUMETSAT's image server"},
        Service{"satellite.image.MT", "JMA's Himawari image server"},
        Service{"satellite.", "the NOAA satellite image CDN"},
    };
    for (const Service& service : kServices)
        if (key.starts_with(service.prefix))
            return service.name;
    return "a live source";
}

} // namespace skelvane

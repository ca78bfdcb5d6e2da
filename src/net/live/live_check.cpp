#include "net/live/live_check.h"

#include "net/decode/image_signatures.h"
#include "net/decode/radar_geometry.h"
#include "net/decode/radar_views.h"
#include "net/jpeg_decoder.h"
#include "net/live/cdn_index.h"
#include "net/live/iso_time.h"
#include "net/live/live_request.h"
#include "net/live/live_sources.h"
#include "net/live/map_requests.h"
#include "net/live/warning_areas.h"
#include "net/live/wms_capabilities.h"

#include <QImage>
#include <chrono>

namespace skelvane {

namespace {

constexpr int kOkxView = 120;
constexpr QSize kSmall(60, 55);

class Checker {
public:
    Checker(const LiveSourceTable& table, HttpTransport& transport, const HttpLimits& limits,
            const HttpProxy& proxy, const std::function<void(const LiveCheck&)>& progress)
        : table_(table), transport_(transport), limits_(limits), proxy_(proxy),
          progress_(progress) {}

    // Asks `url` for `key`; `read` judges a body that came and says what it holds.
    void ask(const std::string& key, const QString& url,
             const std::function<bool(const QByteArray&, std::string&)>& read,
             std::string value = {}) {
        LiveCheck check;
        check.key = key;
        check.value = value.empty() ? table_.value(key) : std::move(value);
        check.url = url.toStdString();
        HttpRequest request;
        request.url = url;
        request.options.userAgent =
            QByteArray(kLiveUserAgent.data(), static_cast<qsizetype>(kLiveUserAgent.size()));
        request.options.accept = "*/*";
        request.options.limits = limits_;
        request.proxy = proxy_;
        const auto started = std::chrono::steady_clock::now();
        const HttpResult http = transport_.perform(request, {});
        check.milliseconds =
            static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                  std::chrono::steady_clock::now() - started)
                                  .count());
        if (!http.ok()) {
            check.detail = http.errorText.isEmpty() ? "no answer" : http.errorText.toStdString();
        } else if (IsOgcExceptionReport(http.body)) {
            check.detail = "a service exception: " + http.body.left(300).simplified().toStdString();
        } else {
            check.ok = read(http.body, check.detail);
        }
        add(std::move(check));
    }

    void note(const std::string& key, bool ok, std::string detail) {
        LiveCheck check;
        check.key = key;
        check.value = table_.value(key);
        check.ok = ok;
        check.detail = std::move(detail);
        add(std::move(check));
    }

    std::string value(const std::string& key) const { return table_.value(key); }
    std::vector<LiveCheck> results;

private:
    void add(LiveCheck check) {
        if (progress_)
            progress_(check);
        results.push_back(std::move(check));
    }

    const LiveSourceTable& table_;
    HttpTransport& transport_;
    HttpLimits limits_;
    HttpProxy proxy_;
    const std::function<void(const LiveCheck&)>& progress_;
};

bool ReadPicture(const QByteArray& body, std::string& detail) {
    const std::string_view bytes(body.constData(), static_cast<std::size_t>(body.size()));
    QImage image;
    if (CheckJPGSignature(bytes))
        image = JpegDecoder().decode(body);
    else
        image.loadFromData(body, "PNG");
    if (image.isNull()) {
        detail = "not a JPEG or PNG picture (" + std::to_string(body.size()) + " bytes)";
        return false;
    }
    detail =
        "a picture of " + std::to_string(image.width()) + " x " + std::to_string(image.height());
    return true;
}

} // namespace

std::vector<LiveCheck> RunLiveChecks(const LiveSourceTable& table, HttpTransport& transport,
                                     const HttpLimits& limits, const HttpProxy& proxy,
                                     const std::function<void(const LiveCheck&)>& progress) {
    Checker checker(table, transport, limits, proxy, progress);
    const std::pair<std::string_view, std::string> place[] = {
        {"site", RadarSiteIcao(kOkxView)}, {"region", std::string(RadarMosaicRegion(kOkxView))}};

    // Radar layers: each one's capabilities with its time dimension.
    std::string newestReflectivity;
    for (const char* key :
         {"radar.layer.N0R", "radar.layer.N0V", "radar.layer.N1P", "radar.layer.NTP",
          "radar.layer.NCR", "radar.layer.N0Z", "mosaic.layer"}) {
        const std::string layerText = checker.value(key);
        if (layerText.empty()) {
            checker.note(key, true, "no source configured: the product fails with a status line");
            continue;
        }
        const MapLayer layer = SplitMapLayer(FillPlaceholders(layerText, place));
        const std::pair<std::string_view, std::string> fields[] = {{"workspace", layer.workspace},
                                                                   {"layer", layer.name}};
        const std::string url = FillPlaceholders(checker.value("radar.capabilities"), fields);
        checker.ask(
            key, CapabilitiesUrl(url),
            [&, layer, key](const QByteArray& body, std::string& detail) {
                const WmsLayerTimes times = ReadWmsLayerTimes(body, layer.name);
                if (!times.layerFound) {
                    detail = "the capabilities do not list " + layer.name;
                    return false;
                }
                if (times.times.empty()) {
                    detail = layer.name + " has no time dimension";
                    return false;
                }
                detail = std::to_string(times.times.size()) + " times, newest " +
                         times.times.back().text;
                if (std::string_view(key) == "radar.layer.N0R")
                    newestReflectivity = times.times.back().text;
                return true;
            },
            layer.workspace + ":" + layer.name);
    }
    for (const char* key : {"radar.layer.N0S"})
        if (checker.value(key).empty())
            checker.note(key, true, "no source: storm-relative motion fails with a status line");

    // One small map of each map server.
    const GeoBox okx = PictureBox(GetScaleLonLat(kOkxView, 1), {600, 550});
    const MapLayer reflectivity =
        SplitMapLayer(FillPlaceholders(checker.value("radar.layer.N0R"), place));
    const std::pair<std::string_view, std::string> mapFields[] = {
        {"workspace", reflectivity.workspace}, {"layer", reflectivity.name}};
    checker.ask("radar.map",
                GetMapUrl(FillPlaceholders(checker.value("radar.map"), mapFields),
                          reflectivity.name, checker.value("radar.style"), okx, kSmall, "image/png",
                          true, newestReflectivity),
                ReadPicture);
    checker.ask("relief.map",
                GetMapUrl(checker.value("relief.map"), checker.value("relief.layer"), "", okx,
                          kSmall, "image/jpeg", false, ""),
                ReadPicture);

    checker.ask("warnings.features", QString::fromStdString(checker.value("warnings.features")),
                [](const QByteArray& body, std::string& detail) {
                    const WarningAreas areas = ReadWarningAreas(body);
                    if (!areas.ok) {
                        detail = "not a GeoJSON feature collection";
                        return false;
                    }
                    detail = std::to_string(areas.areas.size()) +
                             " tornado, severe thunderstorm, flash flood or extreme wind "
                             "warnings in force";
                    return true;
                });

    // Numbered layers found by title.
    const struct {
        const char* map;
        const char* titles;
    } titled[] = {{"boundaries.map", "counties.titles"},
                  {"boundaries.map", "states.titles"},
                  {"roads.map", "highways.titles"},
                  {"rivers.map", "rivers.titles"}};
    for (const auto& row : titled)
        checker.ask(
            row.titles, CapabilitiesUrl(checker.value(row.map)),
            [&checker, row](const QByteArray& body, std::string& detail) {
                const std::vector<WmsLayer> layers = ReadWmsLayers(body);
                const std::string name = WmsLayerNameByTitle(layers, checker.value(row.titles));
                if (name.empty()) {
                    detail = std::to_string(layers.size()) + " layers, none with one of the titles";
                    return false;
                }
                detail = "layer " + name + " of " + std::to_string(layers.size());
                return true;
            });

    // Each satellite area's infrared folder (the visible, water-vapour and colour bands of
    // the first area too): its index and the frames of the sizes in use.
    const std::string cdn = checker.value("satellite.cdn");
    const auto folder = [&](const std::string& key, const std::string& band) {
        const SatelliteArea area = ReadSatelliteArea(checker.value(key));
        if (!area.ok()) {
            checker.note(key, false, "not \"SATELLITE PATH STILLSIZE [LOOPSIZE]\"");
            return;
        }
        checker.ask(
            key, QString::fromStdString(SatelliteFolder(cdn, area, band)),
            [area, band](const QByteArray& body, std::string& detail) {
                const std::string page = body.toStdString();
                const auto still =
                    ReadCdnFrames(page, area.satellite, area.sector, band, area.stillSize);
                const auto loop =
                    ReadCdnFrames(page, area.satellite, area.sector, band, area.loopSize);
                const bool gif = page.find(SatelliteLoopName(area, band)) != std::string::npos;
                detail = "band " + band + ": " + std::to_string(still.size()) + " frames " +
                         area.stillSize + ", " + std::to_string(loop.size()) + " frames " +
                         area.loopSize +
                         (gif ? ", the animated loop listed" : ", no animated loop") +
                         (loop.empty() ? "" : ", newest " + loop.back().name);
                return !loop.empty() && gif;
            },
            checker.value(key) + " band " + band);
    };
    for (const char* area :
         {"EC", "WC", "PR", "AL", "HA", "ECST", "AT", "HU", "GULF", "HP", "NH", "GE", "GW"})
        folder(std::string("satellite.area.") + area, checker.value("satellite.band.IR"));
    for (const char* band : {"satellite.band.VS", "satellite.band.WV", "satellite.band.colour"})
        folder("satellite.area.EC", checker.value(band));

    // The full disks of the other satellites.
    const std::int64_t slot = (std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::system_clock::now().time_since_epoch())
                                   .count() -
                               30 * 60000) /
                              600000 * 600000;
    const std::string iso = IsoInstantText(slot);
    const std::pair<std::string_view, std::string> hhmm[] = {
        {"hhmm", iso.substr(11, 2) + iso.substr(14, 2)}};
    for (const char* key : {"satellite.image.GMIR", "satellite.image.GMVS", "satellite.image.GIIR",
                            "satellite.image.GIVS", "satellite.image.MTIR", "satellite.image.MTVS"})
        checker.ask(key, QString::fromStdString(FillPlaceholders(checker.value(key), hhmm)),
                    ReadPicture);
    return std::move(checker.results);
}

} // namespace skelvane

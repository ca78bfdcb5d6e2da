#include "net/live/live_sources.h"

#include "location/place_list_file.h"
#include "net/decode/image_signatures.h"
#include "net/decode/radar_geometry.h"
#include "net/decode/radar_views.h"
#include "net/decode/satellite_frame_list.h"
#include "net/gif_decoder.h"
#include "net/gif_encoder.h"
#include "net/jpeg_decoder.h"
#include "net/jpeg_encoder.h"
#include "net/live/cache_control.h"
#include "net/live/cdn_index.h"
#include "net/live/index_page.h"
#include "net/live/iso_time.h"
#include "net/live/live_request.h"
#include "net/live/map_requests.h"
#include "net/live/mpeg1_writer.h"
#include "net/live/radar_drawing.h"
#include "net/live/warning_areas.h"
#include "net/live/wms_capabilities.h"
#include "net/loopback_guard.h"
#include "net/replace_file.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <map>
#include <mutex>
#include <optional>

namespace skelvane {

namespace {

constexpr std::int64_t kSecond = 1000;
constexpr std::int64_t kMinute = 60 * kSecond;
// A layer's capabilities, a CDN folder's index and a map server's layer list are asked at
// most once in this time (also after a failure).
constexpr std::int64_t kPoliteInterval = 2 * kMinute;
// The warning polygons read at the start of a download serve its frames this long.
constexpr std::int64_t kWarningsKept = 15 * kMinute;
// The frame times of the last radar listing of a site serve its warnings listing this long.
constexpr std::int64_t kListingKept = 10 * kMinute;
// Overlays and mosaic backgrounds are kept this long in the cache folder.
constexpr std::int64_t kOverlayDays = 30;
// Pictures kept in memory while their Cache-Control allows it.
constexpr std::size_t kMaxKeptPictures = 64;

constexpr QSize kSiteSize(600, 550);

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

QString HostOf(const QString& url) {
    const QString host = QUrl(url).host();
    return host.isEmpty() ? url : host;
}

HttpResult Answered(const HttpRequest& request, QByteArray body) {
    HttpResult result;
    result.failure = HttpFailure::None;
    result.status = 200;
    result.body = std::move(body);
    result.finalUrl = request.url;
    return result;
}

QByteArray GifOf(const QImage& image, bool transparent) {
    GifEncoder::Options options;
    options.transparency = transparent;
    return GifEncoder(options).encodeStill(image);
}

QImage Picture(const QByteArray& body) {
    if (CheckJPGSignature(View(body)))
        return JpegDecoder().decode(body);
    QImage image;
    image.loadFromData(body, "PNG");
    if (image.isNull() && CheckGIFSignature(View(body)))
        image = GifDecoder().decodeFirstFrame(body);
    return image;
}

// A JPEG body as the pages check it: as it came when it passes the signature check, else
// the picture encoded again.
QByteArray AsJpeg(const QByteArray& body) {
    if (CheckJPGSignature(View(body)) && !JpegDecoder().decode(body).isNull())
        return body;
    const QImage image = Picture(body);
    return image.isNull() ? QByteArray() : JpegEncoder(95).encode(image);
}

int IntValue(const std::string& text, int fallback, int low, int high) {
    try {
        return std::clamp(std::stoi(text), low, high);
    } catch (...) {
        return fallback;
    }
}

} // namespace

struct LiveSources::Impl {
    LiveSourcesOptions options;
    QString cacheFolder;
    std::function<void(const QString&)> statusHandler;
    QString lastStatus;
    std::atomic<int> upstreamCount{0};

    mutable std::mutex mutex; // guards everything below
    struct TimedTimes {
        bool ok = false;
        std::vector<WmsTime> times;
        HttpResult failure;
        std::int64_t reuseUntil = 0;
    };
    std::map<std::string, TimedTimes> capabilities; // by capabilities address
    struct Listing {
        std::vector<WmsTime> times;
        std::int64_t at = 0;
    };
    std::map<std::string, Listing> listings; // by "SITE/range": the last radar listing
    struct Warnings {
        std::vector<WarningArea> areas;
        std::int64_t at = 0;
        bool ok = false;
    };
    Warnings warnings;
    struct TimedLayers {
        bool ok = false;
        std::vector<WmsLayer> layers;
        HttpResult failure;
        std::int64_t reuseUntil = 0;
    };
    std::map<std::string, TimedLayers> serviceLayers; // by capabilities address
    struct TimedIndex {
        bool ok = false;
        std::string page;
        HttpResult failure;
        std::int64_t reuseUntil = 0;
    };
    std::map<std::string, TimedIndex> indexes; // by folder address
    struct KeptPicture {
        QByteArray body;
        std::int64_t until = 0;
    };
    std::map<QString, KeptPicture> pictures; // by address, while Cache-Control allows
    std::map<std::string, std::shared_ptr<std::mutex>> fetchLocks;
    std::once_flag citiesOnce;
    std::vector<CityMark> cities;

    // One request of an answer: what it answers and through what.
    struct Call {
        const HttpRequest& request;
        HttpTransport& upstream;
        const std::function<void(const QString&)>& status;
    };

    std::int64_t now() const {
        if (options.clock)
            return options.clock();
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::system_clock::now().time_since_epoch())
            .count();
    }

    // Held while one address is fetched, so that two threads asking at once make one request.
    std::shared_ptr<std::mutex> fetchLock(const std::string& key) {
        const std::lock_guard lock(mutex);
        auto& entry = fetchLocks[key];
        if (!entry)
            entry = std::make_shared<std::mutex>();
        return entry;
    }

    void report(const Call& call, const QString& line) {
        std::function<void(const QString&)> handler;
        {
            const std::lock_guard lock(mutex);
            lastStatus = line;
            handler = statusHandler;
        }
        if (handler)
            handler(line);
        else if (call.status)
            call.status(line);
    }

    HttpResult fail(const Call& call, HttpFailure failure, long status, const QString& line) {
        report(call, line);
        HttpResult result;
        result.failure = failure;
        result.status = status;
        result.errorText = line;
        result.finalUrl = call.request.url;
        return result;
    }

    // A failed answer of the service behind `key` for a request to `url`.
    HttpResult serviceFailure(const Call& call, std::string_view key, const QString& url,
                              const HttpResult& http) {
        const QString service =
            QString::fromUtf8(LiveServiceName(key)) + QStringLiteral(" (") + HostOf(url) + u')';
        QString line;
        switch (http.failure) {
        case HttpFailure::None:
            line = service + QStringLiteral(" sent something unreadable");
            break;
        case HttpFailure::HttpStatus:
            line = service + QStringLiteral(" answered HTTP status %1").arg(http.status);
            break;
        default:
            line = service + QStringLiteral(" did not answer: ") + http.errorText;
        }
        const HttpFailure failure =
            http.failure == HttpFailure::None ? HttpFailure::HttpStatus : http.failure;
        return fail(call, failure, http.failure == HttpFailure::None ? 502 : http.status, line);
    }

    // One GET of a live source with the request's limits and proxy and the program's identity.
    HttpResult fetch(const Call& call, const QString& url) {
        if (LoopbackOnly() && !IsLoopbackHost(QUrl(url).host().toStdString())) {
            HttpResult refused;
            refused.errorText = QStringLiteral("only loopback servers are allowed here");
            return refused;
        }
        HttpRequest live;
        live.url = url;
        live.options.userAgent =
            QByteArray(kLiveUserAgent.data(), static_cast<qsizetype>(kLiveUserAgent.size()));
        live.options.accept = "*/*";
        live.options.followRedirects = true;
        live.options.keepCookies = false;
        live.options.limits = call.request.options.limits;
        live.proxy = call.request.proxy;
        ++upstreamCount;
        return call.upstream.perform(live, call.status);
    }

    // A picture's bytes, reused while the answer's Cache-Control allows.
    HttpResult fetchKept(const Call& call, const QString& url) {
        {
            const std::lock_guard lock(mutex);
            const auto kept = pictures.find(url);
            if (kept != pictures.end() && kept->second.until > now())
                return Answered(call.request, kept->second.body);
        }
        HttpResult http = fetch(call, url);
        if (!http.ok())
            return http;
        const std::int64_t fresh = ParseCacheControl(View(http.cacheControl)).freshSeconds();
        if (fresh > 0) {
            const std::lock_guard lock(mutex);
            if (pictures.size() >= kMaxKeptPictures) {
                const std::int64_t t = now();
                std::erase_if(pictures, [t](const auto& entry) { return entry.second.until <= t; });
                if (pictures.size() >= kMaxKeptPictures)
                    pictures.erase(pictures.begin());
            }
            pictures[url] = {http.body, now() + fresh * kSecond};
        }
        return http;
    }

    // How long an answer may stand for the next request: two minutes at least, longer when
    // its Cache-Control allows.
    std::int64_t reuseUntil(const HttpResult& http) const {
        const std::int64_t fresh = ParseCacheControl(View(http.cacheControl)).freshSeconds();
        return now() + std::max(kPoliteInterval, fresh * kSecond);
    }

    std::string value(std::string_view key) const { return options.table.value(key); }

    // --- Radar ---------------------------------------------------------------------------

    // The layer of a product at a site ("kokx:kokx_sr_bref"); empty when it has no source.
    MapLayer productLayer(std::string_view product, int view) const {
        const std::string layerText = value("radar.layer." + CanonicalRadarProduct(product));
        if (layerText.empty())
            return {};
        const std::pair<std::string_view, std::string> fields[] = {
            {"site", RadarSiteIcao(view)}, {"region", std::string(RadarMosaicRegion(view))}};
        return SplitMapLayer(FillPlaceholders(layerText, fields));
    }

    MapLayer mosaicLayer(int view) const {
        const std::pair<std::string_view, std::string> fields[] = {
            {"region", std::string(RadarMosaicRegion(view))}};
        return SplitMapLayer(FillPlaceholders(value("mosaic.layer"), fields));
    }

    std::string mapAddress(const MapLayer& layer) const {
        const std::pair<std::string_view, std::string> fields[] = {{"workspace", layer.workspace},
                                                                   {"layer", layer.name}};
        return FillPlaceholders(value("radar.map"), fields);
    }

    // The layer's frame times, oldest first, from its capabilities (asked at most once in two
    // minutes). On failure, the failed answer.
    std::optional<std::vector<WmsTime>> layerTimes(const Call& call, const MapLayer& layer,
                                                   HttpResult& failure) {
        const std::pair<std::string_view, std::string> fields[] = {{"workspace", layer.workspace},
                                                                   {"layer", layer.name}};
        const std::string key = FillPlaceholders(value("radar.capabilities"), fields);
        const auto held = fetchLock(key);
        const std::lock_guard fetching(*held);
        std::optional<TimedTimes> reused;
        {
            const std::lock_guard lock(mutex);
            const auto found = capabilities.find(key);
            if (found != capabilities.end() && found->second.reuseUntil > now())
                reused = found->second;
        }
        if (reused) {
            if (reused->ok)
                return std::move(reused->times);
            failure = reused->failure;
            report(call, failure.errorText);
            return std::nullopt;
        }
        const QString url = CapabilitiesUrl(key);
        const HttpResult http = fetch(call, url);
        TimedTimes entry;
        entry.reuseUntil = reuseUntil(http);
        if (http.ok()) {
            WmsLayerTimes read = ReadWmsLayerTimes(http.body, layer.name);
            if (read.layerFound && !read.times.empty()) {
                entry.ok = true;
                entry.times = std::move(read.times);
            }
        }
        if (!entry.ok)
            entry.failure = serviceFailure(call, "radar.capabilities", url, http);
        const std::lock_guard lock(mutex);
        capabilities[key] = entry;
        if (!entry.ok) {
            failure = entry.failure;
            return std::nullopt;
        }
        return entry.times;
    }

    // The exact time of a frame name's stamp in the layer's times; when the times no longer
    // hold it, the stamp's own minute.
    std::string frameTime(const Call& call, const MapLayer& layer, const std::string& stamp) {
        HttpResult ignored;
        const std::optional<std::vector<WmsTime>> times = layerTimes(call, layer, ignored);
        if (times)
            for (auto it = times->rbegin(); it != times->rend(); ++it)
                if (RadarStampText(it->unixMs) == stamp)
                    return it->text;
        return stamp.substr(0, 4) + "-" + stamp.substr(4, 2) + "-" + stamp.substr(6, 2) + "T" +
               stamp.substr(9, 2) + ":" + stamp.substr(11, 2) + ":00Z";
    }

    static std::int64_t StampMs(const std::string& stamp) {
        return ParseIsoInstant(stamp.substr(0, 4) + "-" + stamp.substr(4, 2) + "-" +
                               stamp.substr(6, 2) + "T" + stamp.substr(9, 2) + ":" +
                               stamp.substr(11, 2) + "Z")
            .value_or(0);
    }

    // The newest frames, one per minute (the file names hold minutes), at most 30.
    static std::vector<WmsTime> NewestFrames(const std::vector<WmsTime>& times,
                                             std::size_t count = kRadarMaxFrames) {
        std::vector<WmsTime> frames;
        for (auto it = times.rbegin(); it != times.rend() && frames.size() < count; ++it)
            if (frames.empty() ||
                RadarStampText(frames.back().unixMs) != RadarStampText(it->unixMs))
                frames.push_back(*it);
        std::reverse(frames.begin(), frames.end());
        return frames;
    }

    HttpResult noSource(const Call& call, const LiveRequest& request) {
        std::string_view name = request.product;
        for (int entry = 0; entry < kRadarProductEntryCount; ++entry)
            if (CanonicalRadarProduct(GetRadarType(entry)) ==
                CanonicalRadarProduct(request.product))
                name = RadarProductEntryText(entry);
        return fail(call, HttpFailure::HttpStatus, 404,
                    QStringLiteral("Live radar: \"") +
                        QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) +
                        QStringLiteral("\" has no live source today"));
    }

    HttpResult listing(const Call& call, const LiveRequest& request,
                       const std::vector<WmsTime>& times, std::string_view suffix) {
        std::vector<IndexEntry> entries;
        for (const WmsTime& time : NewestFrames(times))
            entries.push_back(
                {request.site + "_" + RadarStampText(time.unixMs) + std::string(suffix),
                 time.unixMs, -1});
        const QUrl url(call.request.url);
        return Answered(call.request, QByteArray::fromStdString(
                                          MakeIndexPage(url.path().toStdString(), entries)));
    }

    HttpResult radarDirectory(const Call& call, const LiveRequest& request, bool legend) {
        const MapLayer layer = productLayer(request.product, request.view);
        if (layer.name.empty())
            return noSource(call, request);
        HttpResult failure;
        const std::optional<std::vector<WmsTime>> times = layerTimes(call, layer, failure);
        if (!times)
            return failure;
        if (!legend) {
            const std::lock_guard lock(mutex);
            listings[request.site + "/" + request.rangeClass] = {*times, now()};
        }
        return listing(call, request, *times,
                       "_" + request.product + (legend ? "_Legend.gif" : ".gif"));
    }

    bool fetchWarnings(const Call& call, HttpResult& failure) {
        const QString url = QString::fromStdString(value("warnings.features"));
        const auto held = fetchLock("warnings");
        const std::lock_guard fetching(*held);
        const HttpResult http = fetch(call, url);
        WarningAreas read;
        if (http.ok())
            read = ReadWarningAreas(http.body);
        if (!read.ok) {
            failure = serviceFailure(call, "warnings.features", url, http);
            return false;
        }
        const std::lock_guard lock(mutex);
        warnings = {std::move(read.areas), now(), true};
        return true;
    }

    HttpResult warningsDirectory(const Call& call, const LiveRequest& request) {
        std::vector<WmsTime> times;
        {
            const std::lock_guard lock(mutex);
            const auto found = listings.find(request.site + "/" + request.rangeClass);
            if (found != listings.end() && found->second.at + kListingKept > now())
                times = found->second.times;
        }
        HttpResult failure;
        if (times.empty()) {
            // No radar listing came first (the Radar box is off): the reflectivity layer's.
            const MapLayer layer =
                productLayer(request.rangeClass == "Long" ? "N0Z" : "N0R", request.view);
            if (layer.name.empty())
                return noSource(call, request);
            const std::optional<std::vector<WmsTime>> read = layerTimes(call, layer, failure);
            if (!read)
                return failure;
            times = *read;
        }
        // One warnings request per download: the frames that follow draw from it.
        if (!fetchWarnings(call, failure))
            return failure;
        return listing(call, request, times, "_" + request.rangeClass + "_Warnings.gif");
    }

    RadarGeometry siteGeometry(const LiveRequest& request) const {
        return GetScaleLonLat(request.view,
                              request.rangeClass == "Long" ? kLongRangeProductEntry : 1);
    }

    HttpResult radarFrame(const Call& call, const LiveRequest& request) {
        const MapLayer layer = productLayer(request.product, request.view);
        if (layer.name.empty())
            return noSource(call, request);
        const std::string time = frameTime(call, layer, request.stamp);
        const QString url = GetMapUrl(mapAddress(layer), layer.name, value("radar.style"),
                                      PictureBox(siteGeometry(request), kSiteSize), kSiteSize,
                                      "image/png", true, time);
        return transparentGif(call, "radar.map", url, kSiteSize);
    }

    // A map server's transparent picture as a GIF of `size` with its transparent colour.
    HttpResult transparentGif(const Call& call, std::string_view key, const QString& url,
                              QSize size) {
        const HttpResult http = fetchKept(call, url);
        QImage image;
        if (http.ok() && !IsOgcExceptionReport(http.body))
            image = Picture(http.body);
        if (image.isNull())
            return serviceFailure(call, key, url, http);
        image = image.convertToFormat(QImage::Format_ARGB32);
        if (image.size() != size)
            image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        return Answered(call.request, GifOf(image, true));
    }

    HttpResult legendFrame(const Call& call, const LiveRequest& request) {
        std::int64_t at = StampMs(request.stamp);
        const MapLayer layer = productLayer(request.product, request.view);
        if (layer.name.empty())
            return noSource(call, request);
        if (const auto exact = ParseIsoInstant(frameTime(call, layer, request.stamp)))
            at = *exact;
        const QImage legend = DrawLegendLayer(CanonicalRadarProduct(request.product),
                                              Upper(RadarSiteIcao(request.view)), at, kSiteSize);
        return Answered(call.request, GifOf(legend, true));
    }

    HttpResult warningsFrame(const Call& call, const LiveRequest& request) {
        bool fresh = false;
        {
            const std::lock_guard lock(mutex);
            fresh = warnings.ok && warnings.at + kWarningsKept > now();
        }
        HttpResult failure;
        if (!fresh && !fetchWarnings(call, failure))
            return failure;
        std::vector<WarningArea> areas;
        {
            const std::lock_guard lock(mutex);
            areas = warnings.areas;
        }
        // A frame shows the polygons in force at the end of its minute.
        const std::int64_t at = StampMs(request.stamp) + kMinute - 1;
        return Answered(
            call.request,
            GifOf(DrawWarningsLayer(areas, at, siteGeometry(request), kSiteSize), true));
    }

    // --- Overlays and mosaic backgrounds, kept in the cache folder ------------------------

    QString cachePath(const QString& name) const { return cacheFolder + u'/' + name; }

    std::optional<QByteArray> cached(const QString& name) const {
        if (cacheFolder.isEmpty())
            return std::nullopt;
        const QFileInfo info(cachePath(name));
        if (!info.isFile() ||
            info.lastModified().daysTo(QDateTime::currentDateTimeUtc()) >= kOverlayDays)
            return std::nullopt;
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        QByteArray bytes = file.readAll();
        return bytes.isEmpty() ? std::nullopt : std::optional<QByteArray>(std::move(bytes));
    }

    void keep(const QString& name, const QByteArray& bytes, bool allowed) {
        if (!allowed || cacheFolder.isEmpty() || bytes.isEmpty())
            return;
        QDir().mkpath(QFileInfo(cachePath(name)).path());
        ReplaceFileContent(cachePath(name), bytes);
    }

    // The layer names of a numbered map server, by title, from its capabilities (asked once
    // a run, or once in two minutes after a failure).
    std::optional<std::string> layerByTitle(const Call& call, std::string_view mapKey,
                                            std::string_view titlesKey, HttpResult& failure) {
        const std::string service = value(mapKey);
        const auto held = fetchLock("layers " + service);
        const std::lock_guard fetching(*held);
        std::vector<WmsLayer> layers;
        bool have = false;
        std::optional<HttpResult> remembered;
        {
            const std::lock_guard lock(mutex);
            const auto found = serviceLayers.find(service);
            if (found != serviceLayers.end() &&
                (found->second.ok || found->second.reuseUntil > now())) {
                if (found->second.ok) {
                    layers = found->second.layers;
                    have = true;
                } else {
                    remembered = found->second.failure;
                }
            }
        }
        if (remembered) {
            failure = *remembered;
            report(call, failure.errorText);
            return std::nullopt;
        }
        if (!have) {
            const QString url = CapabilitiesUrl(service);
            const HttpResult http = fetch(call, url);
            TimedLayers entry;
            entry.reuseUntil = reuseUntil(http);
            if (http.ok())
                entry.layers = ReadWmsLayers(http.body);
            entry.ok = !entry.layers.empty();
            if (!entry.ok)
                entry.failure = serviceFailure(call, mapKey, url, http);
            const std::lock_guard lock(mutex);
            serviceLayers[service] = entry;
            if (!entry.ok) {
                failure = entry.failure;
                return std::nullopt;
            }
            layers = entry.layers;
        }
        const std::string name = WmsLayerNameByTitle(layers, value(titlesKey));
        if (name.empty()) {
            failure = fail(call, HttpFailure::HttpStatus, 404,
                           QString::fromUtf8(LiveServiceName(mapKey)) + QStringLiteral(" (") +
                               HostOf(QString::fromStdString(service)) +
                               QStringLiteral(") has no layer titled ") +
                               QString::fromStdString(value(titlesKey)));
            return std::nullopt;
        }
        return name;
    }

    // A picture of a numbered map server's layer over `box`.
    HttpResult baseMap(const Call& call, std::string_view mapKey, std::string_view layerKey,
                       bool byTitle, const GeoBox& box, QSize size, bool jpeg) {
        std::string layer = value(layerKey);
        if (byTitle) {
            HttpResult failure;
            const std::optional<std::string> name = layerByTitle(call, mapKey, layerKey, failure);
            if (!name)
                return failure;
            layer = *name;
        }
        const QString url = GetMapUrl(value(mapKey), layer, "", box, size,
                                      jpeg ? "image/jpeg" : "image/png", !jpeg, "");
        HttpResult http = fetch(call, url);
        if (!http.ok() || IsOgcExceptionReport(http.body) || Picture(http.body).isNull())
            return serviceFailure(call, mapKey, url, http);
        return http;
    }

    const std::vector<CityMark>& cityMarks() {
        std::call_once(citiesOnce, [this] {
            const std::vector<std::filesystem::path> folders =
                options.placeListFolders.empty() ? PlaceListFolders(ProgramFolder())
                                                 : options.placeListFolders;
            const PlaceListLoad load = LoadPlaceList(folders);
            if (load.loaded)
                cities = CitiesFromPlaceList(load.list);
        });
        return cities;
    }

    HttpResult overlay(const Call& call, const LiveRequest& request) {
        const QString name = QStringLiteral("overlays/") + QString::fromStdString(request.fileName);
        if (const std::optional<QByteArray> kept = cached(name))
            return Answered(call.request, *kept);
        const RadarGeometry geometry = siteGeometry(request);
        const GeoBox box = PictureBox(geometry, kSiteSize);
        QByteArray body;
        bool storable = true;
        switch (request.overlay) {
        case RadarOverlay::Topo: {
            const HttpResult http =
                baseMap(call, "relief.map", "relief.layer", false, box, kSiteSize, true);
            if (!http.ok())
                return http;
            body = AsJpeg(http.body);
            storable = !ParseCacheControl(View(http.cacheControl)).noStore;
            break;
        }
        case RadarOverlay::Counties:
        case RadarOverlay::Rivers:
        case RadarOverlay::Highways: {
            const bool counties = request.overlay == RadarOverlay::Counties;
            const bool rivers = request.overlay == RadarOverlay::Rivers;
            const HttpResult http = baseMap(call,
                                            counties ? "boundaries.map"
                                            : rivers ? "rivers.map"
                                                     : "roads.map",
                                            counties ? "counties.titles"
                                            : rivers ? "rivers.titles"
                                                     : "highways.titles",
                                            true, box, kSiteSize, false);
            if (!http.ok())
                return http;
            QImage image = Picture(http.body).convertToFormat(QImage::Format_ARGB32);
            if (image.size() != kSiteSize)
                image = image.scaled(kSiteSize, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            body = GifOf(image, true);
            storable = !ParseCacheControl(View(http.cacheControl)).noStore;
            break;
        }
        case RadarOverlay::Cities:
            body = GifOf(DrawCitiesLayer(cityMarks(), geometry, kSiteSize), true);
            break;
        case RadarOverlay::RangeRing:
            body = GifOf(
                DrawRangeRingsLayer(WHToLonLat(kSiteSize.width(), kSiteSize.height(), geometry),
                                    geometry, kSiteSize),
                true);
            break;
        }
        if (body.isEmpty())
            return fail(call, HttpFailure::Other, 0,
                        QStringLiteral("Live radar: the overlay could not be drawn"));
        keep(name, body, storable);
        return Answered(call.request, body);
    }

    // Shaded relief with state lines over a mosaic view, kept in the cache folder.
    std::optional<QImage> mosaicBase(const Call& call, int view, const GeoBox& box, QSize size,
                                     HttpResult& failure) {
        const QString name = QStringLiteral("mosaic/base_%1.png").arg(view);
        if (const std::optional<QByteArray> kept = cached(name)) {
            QImage image;
            if (image.loadFromData(*kept, "PNG") && image.size() == size)
                return image.convertToFormat(QImage::Format_RGB32);
        }
        const HttpResult relief =
            baseMap(call, "relief.map", "relief.layer", false, box, size, true);
        if (!relief.ok()) {
            failure = relief;
            return std::nullopt;
        }
        QImage base = Picture(relief.body).convertToFormat(QImage::Format_RGB32);
        if (base.size() != size)
            base = base.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const HttpResult states =
            baseMap(call, "boundaries.map", "states.titles", true, box, size, false);
        if (states.ok()) {
            QPainter painter(&base);
            painter.drawImage(QRect(QPoint(0, 0), size), Picture(states.body));
        } // without state lines the relief alone still serves
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        base.save(&buffer, "PNG");
        keep(name, png, !ParseCacheControl(View(relief.cacheControl)).noStore && states.ok());
        return base;
    }

    HttpResult mosaic(const Call& call, const LiveRequest& request, bool loop) {
        const RadarMapSize mapSize = GetMapSize(request.view);
        const QSize size(mapSize.width, mapSize.height);
        const GeoBox box = PictureBox(GetScaleLonLat(request.view, 1), size);
        const MapLayer layer = mosaicLayer(request.view);
        HttpResult failure;
        const std::optional<std::vector<WmsTime>> times = layerTimes(call, layer, failure);
        if (!times)
            return failure;
        const std::optional<QImage> base = mosaicBase(call, request.view, box, size, failure);
        if (!base)
            return failure;
        // A loop of the newest frames, fewer for the large map (about 40 million pixels).
        int frames = 1;
        if (loop) {
            frames = IntValue(value("mosaic.frames"), 10, 2, kRadarMaxFrames);
            frames = std::max(
                2, std::min<int>(frames,
                                 static_cast<int>(40000000LL / (size.width() * size.height()))));
        }
        const std::vector<WmsTime> newest = NewestFrames(*times, static_cast<std::size_t>(frames));
        std::vector<GifEncodeFrame> composed;
        for (std::size_t i = 0; i < newest.size(); ++i) {
            const QString url = GetMapUrl(mapAddress(layer), layer.name, value("radar.style"), box,
                                          size, "image/png", true, newest[i].text);
            const HttpResult http = fetchKept(call, url);
            QImage radar;
            if (http.ok() && !IsOgcExceptionReport(http.body))
                radar = Picture(http.body);
            if (radar.isNull())
                return serviceFailure(call, "mosaic.layer", url, http);
            QImage frame = *base;
            QPainter painter(&frame);
            painter.drawImage(QRect(QPoint(0, 0), size), radar);
            painter.end();
            const bool last = i + 1 == newest.size();
            composed.push_back({frame, last ? 200 : 50});
        }
        GifEncoder::Options gifOptions;
        gifOptions.loopCount = 0;
        GifEncoder encoder(gifOptions);
        const QByteArray body =
            loop ? encoder.encodeAnimation(composed) : encoder.encodeStill(composed.back().image);
        if (body.isEmpty())
            return fail(call, HttpFailure::Other, 0,
                        QStringLiteral("Live radar: the mosaic could not be written: ") +
                            encoder.errorString());
        return Answered(call.request, body);
    }

    // --- Satellite -----------------------------------------------------------------------

    struct SatelliteSource {
        SatelliteArea area;
        std::string band;
        std::string folder; // the band folder's address, ending in "/"
    };

    std::optional<SatelliteSource> satelliteSource(const Call& call, const std::string& code,
                                                   HttpResult& failure) {
        const SatelliteCodeParts parsed = ReadSatelliteCode(code);
        SatelliteSource source;
        source.area = ReadSatelliteArea(value("satellite.area." + parsed.area));
        source.band = value("satellite.band." + parsed.type);
        if (!source.area.ok() || source.band.empty()) {
            failure = fail(call, HttpFailure::HttpStatus, 404,
                           QStringLiteral("Live satellite: no source for ") +
                               QString::fromStdString(code));
            return std::nullopt;
        }
        source.folder = SatelliteFolder(value("satellite.cdn"), source.area, source.band);
        return source;
    }

    HttpResult jpegPicture(const Call& call, std::string_view key, const QString& url) {
        const HttpResult http = fetch(call, url);
        const QByteArray body = http.ok() ? AsJpeg(http.body) : QByteArray();
        if (body.isEmpty())
            return serviceFailure(call, key, url, http);
        return Answered(call.request, body);
    }

    HttpResult satelliteStill(const Call& call, const LiveRequest& request) {
        const std::string fullDiskKey = "satellite.image." + request.code;
        if (request.kind == LiveRequestKind::SatelliteFullDisk && options.table.has(fullDiskKey)) {
            // {hhmm}: the newest ten-minute slot that has had half an hour to be published.
            const std::int64_t slot = (now() - 30 * kMinute) / (10 * kMinute) * (10 * kMinute);
            const std::string iso = IsoInstantText(slot);
            const std::pair<std::string_view, std::string> fields[] = {
                {"hhmm", iso.substr(11, 2) + iso.substr(14, 2)}};
            return jpegPicture(
                call, fullDiskKey,
                QString::fromStdString(FillPlaceholders(value(fullDiskKey), fields)));
        }
        HttpResult failure;
        const std::optional<SatelliteSource> source = satelliteSource(call, request.code, failure);
        if (!source)
            return failure;
        return jpegPicture(
            call, "satellite.cdn",
            QString::fromStdString(source->folder + source->area.stillSize + ".jpg"));
    }

    HttpResult satelliteMovie(const Call& call, const LiveRequest& request) {
        HttpResult failure;
        const std::optional<SatelliteSource> source = satelliteSource(call, request.code, failure);
        if (!source)
            return failure;
        const QString url =
            QString::fromStdString(source->folder + SatelliteLoopName(source->area, source->band));
        const HttpResult http = fetch(call, url);
        std::optional<GifAnimation> loop;
        if (http.ok())
            loop = GifDecoder().decode(http.body);
        if (!loop)
            return serviceFailure(call, "satellite.cdn", url, http);
        const int keep = IntValue(value("satellite.movie.frames"), 12, 2, 60);
        const std::size_t first =
            loop->frames.size() > static_cast<std::size_t>(keep) ? loop->frames.size() - keep : 0;
        Mpeg1Writer movie;
        for (std::size_t i = first; i < loop->frames.size(); ++i) {
            // A fifth of a second a frame, the last one held for a second.
            const bool last = i + 1 == loop->frames.size();
            QImage frame(loop->frames[i].image.size(), QImage::Format_RGB32);
            frame.fill(Qt::black);
            QPainter painter(&frame);
            painter.drawImage(0, 0, loop->frames[i].image);
            painter.end();
            movie.add(frame,
                      last ? Mpeg1Writer::kPicturesPerSecond : Mpeg1Writer::kPicturesPerSecond / 5);
        }
        const QByteArray body = movie.finish();
        if (body.isEmpty())
            return fail(call, HttpFailure::Other, 0,
                        QStringLiteral("Live satellite: the movie could not be written"));
        return Answered(call.request, body);
    }

    // The band folder's index (asked at most once in two minutes) and its newest frames.
    std::optional<std::vector<CdnFrame>> loopFrames(const Call& call, const SatelliteSource& source,
                                                    HttpResult& failure) {
        const auto held = fetchLock("index " + source.folder);
        const std::lock_guard fetching(*held);
        std::string page;
        bool have = false;
        std::optional<HttpResult> remembered;
        {
            const std::lock_guard lock(mutex);
            const auto found = indexes.find(source.folder);
            if (found != indexes.end() && found->second.reuseUntil > now()) {
                if (found->second.ok) {
                    page = found->second.page;
                    have = true;
                } else {
                    remembered = found->second.failure;
                }
            }
        }
        if (remembered) {
            failure = *remembered;
            report(call, failure.errorText);
            return std::nullopt;
        }
        if (!have) {
            const QString url = QString::fromStdString(source.folder);
            const HttpResult http = fetch(call, url);
            TimedIndex entry;
            entry.reuseUntil = reuseUntil(http);
            entry.ok = http.ok();
            if (entry.ok)
                entry.page = http.body.toStdString();
            else
                entry.failure = serviceFailure(call, "satellite.cdn", url, http);
            const std::lock_guard lock(mutex);
            indexes[source.folder] = entry;
            if (!entry.ok) {
                failure = entry.failure;
                return std::nullopt;
            }
            page = entry.page;
        }
        std::vector<CdnFrame> frames =
            ReadCdnFrames(page, source.area.satellite, source.area.sector, source.band,
                          source.area.loopSize, kSatelliteLoopFrames);
        if (frames.empty()) {
            failure = fail(call, HttpFailure::HttpStatus, 404,
                           QStringLiteral("Live satellite: the NOAA satellite image CDN (") +
                               HostOf(QString::fromStdString(source.folder)) +
                               QStringLiteral(") lists no frames in ") +
                               QString::fromStdString(source.folder));
            return std::nullopt;
        }
        return frames;
    }

    HttpResult tropicalList(const Call& call, const LiveRequest& request) {
        HttpResult failure;
        const std::optional<SatelliteSource> source = satelliteSource(call, request.code, failure);
        if (!source)
            return failure;
        const std::optional<std::vector<CdnFrame>> frames = loopFrames(call, *source, failure);
        if (!frames)
            return failure;
        QByteArray body;
        for (const CdnFrame& frame : *frames)
            body += QByteArray::fromStdString(frame.name) + "\r\n";
        return Answered(call.request, body);
    }

    HttpResult tropicalFrame(const Call& call, const LiveRequest& request) {
        HttpResult failure;
        const std::optional<SatelliteSource> source = satelliteSource(call, request.code, failure);
        if (!source)
            return failure;
        std::string name = request.fileName;
        if (request.frameNumber > 0) {
            const std::optional<std::vector<CdnFrame>> frames = loopFrames(call, *source, failure);
            if (!frames)
                return failure;
            // 1.jpg is the oldest of the ten; a shorter index leaves the first numbers empty.
            const int index =
                request.frameNumber - 1 -
                (static_cast<int>(kSatelliteLoopFrames) - static_cast<int>(frames->size()));
            if (index < 0)
                return fail(call, HttpFailure::HttpStatus, 404,
                            QStringLiteral("Live satellite: the loop has fewer frames"));
            name = (*frames)[static_cast<std::size_t>(index)].name;
        } else if (ReadCdnFrames(name, source->area.satellite, source->area.sector, source->band,
                                 source->area.loopSize, 1)
                       .empty()) {
            return fail(call, HttpFailure::HttpStatus, 404,
                        QStringLiteral("Live satellite: not a frame of this loop: ") +
                            QString::fromStdString(name));
        }
        return jpegPicture(call, "satellite.cdn", QString::fromStdString(source->folder + name));
    }
};

LiveSources::LiveSources(LiveSourcesOptions options) : impl_(std::make_unique<Impl>()) {
    enabled_.store(options.enabled);
    impl_->cacheFolder = options.cacheFolder.isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                                   QStringLiteral("/live")
                             : options.cacheFolder;
    impl_->options = std::move(options);
}

LiveSources::~LiveSources() = default;

const LiveSourceTable& LiveSources::table() const {
    return impl_->options.table;
}

bool LiveSources::translates(const QString& url) const {
    if (!enabled())
        return false;
    const QUrl address(url);
    const QString scheme = address.scheme().toLower();
    if ((scheme != u"http" && scheme != u"https") ||
        (address.port() != -1 && address.port() != 80 && address.port() != 443))
        return false;
    const std::string host = address.host().toLower().toStdString();
    const bool radarHost = std::find(std::begin(kLiveRadarHosts), std::end(kLiveRadarHosts),
                                     host) != std::end(kLiveRadarHosts);
    const bool satelliteHost =
        std::find(std::begin(kLiveSatelliteHosts), std::end(kLiveSatelliteHosts), host) !=
        std::end(kLiveSatelliteHosts);
    if (!radarHost && !satelliteHost)
        return false;
    const LiveRequest request = ClassifyLiveRequest(address.path().toStdString());
    switch (request.kind) {
    case LiveRequestKind::None:
        return false;
    case LiveRequestKind::SatelliteStill:
    case LiveRequestKind::SatelliteFullDisk:
    case LiveRequestKind::SatelliteMovie:
    case LiveRequestKind::TropicalList:
    case LiveRequestKind::TropicalFrame:
        return satelliteHost;
    default:
        return radarHost;
    }
}

HttpResult LiveSources::answer(const HttpRequest& request, HttpTransport& upstream,
                               const std::function<void(const QString&)>& status) {
    const Impl::Call call{request, upstream, status};
    const LiveRequest what = ClassifyLiveRequest(QUrl(request.url).path().toStdString());
    switch (what.kind) {
    case LiveRequestKind::RadarDirectory:
        return impl_->radarDirectory(call, what, false);
    case LiveRequestKind::LegendDirectory:
        return impl_->radarDirectory(call, what, true);
    case LiveRequestKind::WarningsDirectory:
        return impl_->warningsDirectory(call, what);
    case LiveRequestKind::RadarFrame:
        return impl_->radarFrame(call, what);
    case LiveRequestKind::LegendFrame:
        return impl_->legendFrame(call, what);
    case LiveRequestKind::WarningsFrame:
        return impl_->warningsFrame(call, what);
    case LiveRequestKind::Overlay:
        return impl_->overlay(call, what);
    case LiveRequestKind::MosaicStill:
        return impl_->mosaic(call, what, false);
    case LiveRequestKind::MosaicLoop:
        return impl_->mosaic(call, what, true);
    case LiveRequestKind::SatelliteStill:
    case LiveRequestKind::SatelliteFullDisk:
        return impl_->satelliteStill(call, what);
    case LiveRequestKind::SatelliteMovie:
        return impl_->satelliteMovie(call, what);
    case LiveRequestKind::TropicalList:
        return impl_->tropicalList(call, what);
    case LiveRequestKind::TropicalFrame:
        return impl_->tropicalFrame(call, what);
    case LiveRequestKind::None:
        break;
    }
    return impl_->fail(call, HttpFailure::HttpStatus, 404,
                       QStringLiteral("Live sources: nothing answers ") + request.url);
}

void LiveSources::setStatusHandler(std::function<void(const QString&)> handler) {
    const std::lock_guard lock(impl_->mutex);
    impl_->statusHandler = std::move(handler);
}

QString LiveSources::lastStatusLine() const {
    const std::lock_guard lock(impl_->mutex);
    return impl_->lastStatus;
}

int LiveSources::upstreamRequests() const {
    return impl_->upstreamCount.load();
}

LiveTranslatingTransport::LiveTranslatingTransport(std::unique_ptr<HttpTransport> inner,
                                                   std::unique_ptr<HttpTransport> upstream,
                                                   std::shared_ptr<LiveSources> live)
    : inner_(std::move(inner)), upstream_(std::move(upstream)), live_(std::move(live)) {}

HttpResult LiveTranslatingTransport::perform(const HttpRequest& request,
                                             const std::function<void(const QString&)>& status) {
    if (live_ && upstream_ && live_->translates(request.url))
        return live_->answer(request, *upstream_, status);
    return inner_->perform(request, status);
}

HttpTransportFactory LiveTransportFactory(HttpTransportFactory base,
                                          std::shared_ptr<LiveSources> live) {
    return [base = std::move(base), live = std::move(live)]() -> std::unique_ptr<HttpTransport> {
        return std::make_unique<LiveTranslatingTransport>(base(), base(), live);
    };
}

} // namespace skelvane

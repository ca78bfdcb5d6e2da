#include "net/radar_site_download.h"

#include "app/settings.h"
#include "net/decode/image_signatures.h"
#include "net/decode/radar_directory.h"
#include "net/decode/radar_map_marks.h"
#include "net/decode/radar_views.h"
#include "net/jpeg_decoder.h"

#include <algorithm>
#include <optional>

namespace skelvane {

namespace {

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// One download's requests, with the refusal flag of the directory reading.
class SiteFetcher {
public:
    SiteFetcher(const RadarSiteRequest& request, HttpClient& client, RadarSiteObserver& observer)
        : request_(request), client_(client), observer_(observer) {}

    // GET of host + path; nothing when the host setting or the path cannot make an address.
    std::optional<HttpResult> get(const std::string& host, const std::string& path) {
        const std::optional<std::string> address = ServerAddress(host, path, request_.movedLayouts);
        if (!address)
            return std::nullopt;
        return client_.get(QString::fromStdString(*address));
    }

    // The radar client's GIF fetch: signature, then the first frame. Tried twice.
    bool gif(const std::string& host, const std::string& path, GifFrame& frame) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            const std::optional<HttpResult> result = get(host, path);
            if (!result || !result->ok() || !CheckGIFSignature(View(result->body)))
                continue;
            std::optional<GifAnimation> decoded = GifDecoder().decode(result->body);
            if (!decoded || decoded->frames.empty())
                continue;
            frame = std::move(decoded->frames.front());
            return true;
        }
        return false;
    }

    // The radar client's JPEG fetch, tried twice.
    bool jpeg(const std::string& host, const std::string& path, QImage& picture) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            const std::optional<HttpResult> result = get(host, path);
            if (!result || !result->ok() || !CheckJPGSignature(View(result->body)))
                continue;
            QImage decoded = JpegDecoder().decode(result->body);
            if (decoded.isNull())
                continue;
            picture = std::move(decoded);
            return true;
        }
        return false;
    }

    // Directory reading: the newest `count` names of the page at host + path.
    bool directory(const std::string& host, const std::string& path, const std::string& key1,
                   const std::string& key2, int count, std::vector<std::string>& names) {
        refused = false;
        names.clear();
        const std::optional<HttpResult> result = get(host, path);
        if (!result)
            return false;
        if (!result->ok()) {
            if (result->refused()) {
                refused = true;
                observer_.ConnectionRefused();
            }
            return false;
        }
        const RadarDirectoryListing listing =
            ReadRadarDirectory(View(result->body), key1, key2, count);
        if (!listing.ok())
            return false;
        names = listing.names;
        return true;
    }

    bool refused = false;

private:
    const RadarSiteRequest& request_;
    HttpClient& client_;
    RadarSiteObserver& observer_;
};

// The picture of frame `index` of a list, from `directory` on the active host.
bool FetchFrameLayer(SiteFetcher& fetcher, const std::string& host, const std::string& directory,
                     const std::vector<std::string>& names, bool read, int index, GifFrame& frame) {
    if (!read || index < 0 || index >= static_cast<int>(names.size()))
        return false;
    const std::optional<std::string> path =
        RadarFramePath(directory, names[static_cast<std::size_t>(index)]);
    return path && fetcher.gif(host, *path, frame);
}

} // namespace

const std::string& RadarServers::host(RadarHost which) const {
    switch (which) {
    case RadarHost::Alternative1:
        return alternative1;
    case RadarHost::Alternative2:
        return alternative2;
    case RadarHost::Regional:
        break;
    }
    return regional;
}

RadarServers RadarServersFromSettings(const Settings& settings) {
    return {settings.RadarServer.toStdString(), settings.RadarServerAlternative1.toStdString(),
            settings.RadarServerAlternative2.toStdString()};
}

RadarLayerChoices RadarLayerChoicesFromSettings(const Settings& settings) {
    RadarLayerChoices choices;
    choices.topo = settings.TopoBoxChecked;
    choices.radar = settings.RadarBoxChecked;
    choices.counties = settings.CountiesBoxChecked;
    choices.rivers = settings.RiversBoxChecked;
    choices.highways = settings.HighwaysBoxChecked;
    choices.cities = settings.CitiesBoxChecked;
    choices.warnings = settings.WarningsBoxChecked;
    choices.rangeRing = settings.RangeRingBoxChecked;
    choices.legend = settings.LegendBoxChecked;
    choices.warnText = settings.WarningsTextBoxChecked;
    return choices;
}

HttpClient::Options RadarClientOptions(const HttpLimits& limits) {
    HttpClient::Options options;
    options.contentType = "text/html";
    options.followRedirects = true;
    options.limits = limits;
    return options;
}

RadarSiteOutcome RunRadarSiteDownload(const RadarSiteRequest& request, HttpClient& client,
                                      RadarSiteObserver& observer) {
    RadarSiteOutcome outcome;
    outcome.activeHost = request.activeHost;
    observer.PrepRadar();
    client.setProxy(request.proxy);
    SiteFetcher fetcher(request, client, observer);

    const std::string& site = request.site;
    const std::string rangeClass(RadarRangeClass(request.product));
    outcome.rangeClass = rangeClass;
    const RadarLayerChoices& choices = request.layers;
    const RadarMapSize size = GetMapSize(request.view);
    RadarLayers layers;

    // Overlays, once per download, from the regional server.
    const std::string& regional = request.servers.regional;
    struct Overlay {
        RadarOverlay overlay;
        RadarLayer layer;
        bool wanted;
    };
    const Overlay overlays[] = {
        {RadarOverlay::Topo, RadarLayer::Topo, choices.topo},
        {RadarOverlay::Counties, RadarLayer::Counties, choices.counties},
        {RadarOverlay::Rivers, RadarLayer::Rivers, choices.rivers},
        {RadarOverlay::Highways, RadarLayer::Highways, choices.highways},
        {RadarOverlay::Cities, RadarLayer::Cities, choices.cities},
        {RadarOverlay::RangeRing, RadarLayer::RangeRing, choices.rangeRing},
    };
    for (const Overlay& overlay : overlays) {
        if (!overlay.wanted || !RadarOverlayExists(overlay.overlay, rangeClass))
            continue;
        const std::string path = RadarOverlayPath(overlay.overlay, site, rangeClass);
        if (overlay.layer == RadarLayer::Topo) {
            fetcher.jpeg(regional, path, layers.topo);
        } else {
            GifFrame frame;
            if (fetcher.gif(regional, path, frame))
                layers.setGif(overlay.layer, frame, size.height);
        }
        outcome.overlaysLoaded = outcome.overlaysLoaded || layers.loaded(overlay.layer);
        outcome.layersLoaded[static_cast<std::size_t>(overlay.layer)] =
            layers.loaded(overlay.layer);
    }

    // The long-range product follows the host the previous download ended on.
    outcome.product = std::string(LongRangeProduct(request.product, request.activeHost));
    const int count = std::clamp(request.desiredFrames, kRadarMinFrames, kRadarMaxFrames);
    outcome.frameCount = count;
    observer.FrameCountFixed(count);

    const std::string key = RadarFrameKey(site);
    const std::string radarDirectory = RadarFrameDirectory(outcome.product, site);
    const std::string legendDirectory = RadarLegendDirectory(outcome.product, site);
    const std::string warningsDirectory = RadarWarningsDirectory(rangeClass, site);
    RadarFrameLists& lists = outcome.lists;
    if (choices.radar) {
        lists.radarRead = ReadAlongRadarHostChain(outcome.activeHost, [&](RadarHost host) {
            return fetcher.directory(request.servers.host(host), radarDirectory, key, {}, count,
                                     lists.radar);
        });
        observer.ActiveHostChanged(outcome.activeHost);
    }
    const std::string& active = request.servers.host(outcome.activeHost);
    if (choices.legend)
        lists.legendRead = fetcher.directory(active, legendDirectory, key, {}, count, lists.legend);
    if (choices.warnings || choices.warnText)
        lists.warningsRead = fetcher.directory(active, warningsDirectory, key,
                                               RadarWarningsKey(rangeClass), count, lists.warnings);
    outcome.refused = fetcher.refused;
    observer.FrameListsRead(lists);

    const bool anyList = lists.radarRead || lists.legendRead || lists.warningsRead;
    outcome.radarShown = anyList || outcome.overlaysLoaded;
    if (lists.radarRead)
        outcome.lastIndex = static_cast<int>(lists.radar.size()) - 1;
    else if (lists.legendRead)
        outcome.lastIndex = static_cast<int>(lists.legend.size()) - 1;
    else if (lists.warningsRead)
        outcome.lastIndex = static_cast<int>(lists.warnings.size()) - 1;
    if (!anyList && !outcome.overlaysLoaded && outcome.refused)
        observer.ConnectionRefused();
    if (request.animate)
        observer.AnimationCleared();

    RadarComposeOptions compose;
    compose.size = size;
    compose.drawWarnings = choices.warnings;
    compose.zoom = request.zoom;
    if (request.tinyCircles)
        compose.marks = BuildSmallMapCenterArray(request.view, request.productEntry, request.zoom,
                                                 request.homeLatitude, request.homeLongitude);
    if (outcome.radarShown) {
        const int first = request.animate ? 0 : outcome.lastIndex;
        for (int i = first; i <= outcome.lastIndex; ++i) {
            if (request.animate)
                observer.FrameLoading(i);
            layers.clear(RadarLayer::Radar);
            layers.clear(RadarLayer::Warnings);
            layers.clear(RadarLayer::Legend);
            GifFrame frame;
            if (choices.radar && FetchFrameLayer(fetcher, active, radarDirectory, lists.radar,
                                                 lists.radarRead, i, frame))
                layers.setGif(RadarLayer::Radar, frame, size.height);
            if ((choices.warnings || choices.warnText) &&
                FetchFrameLayer(fetcher, active, warningsDirectory, lists.warnings,
                                lists.warningsRead, i, frame))
                layers.setGif(RadarLayer::Warnings, frame, size.height);
            if (choices.legend && FetchFrameLayer(fetcher, active, legendDirectory, lists.legend,
                                                  lists.legendRead, i, frame))
                layers.setGif(RadarLayer::Legend, frame, size.height);
            const bool frameLayer = layers.loaded(RadarLayer::Radar) ||
                                    layers.loaded(RadarLayer::Warnings) ||
                                    layers.loaded(RadarLayer::Legend);
            if (!outcome.overlaysLoaded && !frameLayer)
                continue;
            outcome.successful = true;
            compose.scanWarnings = choices.warnText && i == count - 1;
            const RadarComposedFrame composed = ComposeRadarFrame(layers, compose);
            if (composed.warnings) {
                const WeatherWarnings& found = *composed.warnings;
                outcome.warnings.extremeWeather |= found.extremeWeather;
                outcome.warnings.tornado |= found.tornado;
                outcome.warnings.severeWeather |= found.severeWeather;
                outcome.warnings.flashFlood |= found.flashFlood;
            }
            ++outcome.framesShown;
            outcome.lastFrameShown = i;
            for (int layer = 0; layer < kRadarLayerCount; ++layer)
                outcome.layersLoaded[static_cast<std::size_t>(layer)] =
                    layers.loaded(static_cast<RadarLayer>(layer));
            observer.ShowRadarFrame(i, composed);
        }
    }
    if (outcome.radarShown && outcome.successful)
        observer.DownloadSucceeded(outcome);
    observer.DownloadEnded(outcome);
    return outcome;
}

} // namespace skelvane

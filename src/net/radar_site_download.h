#pragma once

#include "net/decode/radar_paths.h"
#include "net/decode/server_addresses.h"
#include "net/decode/weather_warnings.h"
#include "net/http_client.h"
#include "net/radar_compose.h"

#include <array>
#include <string>
#include <vector>

namespace skelvane {

struct Settings;

// The three radar servers as the settings name them (hosts with an optional port).
struct RadarServers {
    std::string regional; // also serves every site overlay
    std::string alternative1;
    std::string alternative2; // also serves the national and regional mosaics
    const std::string& host(RadarHost which) const;
};
RadarServers RadarServersFromSettings(const Settings& settings);

// The layer boxes of the Radar page and the "Warn Text" box, as a download reads them.
struct RadarLayerChoices {
    bool topo = true, radar = true, counties = true, rivers = true, highways = true, cities = true,
         warnings = true, rangeRing = true, legend = true;
    bool warnText = true; // "Warn Text": the newest warnings layer is read for the labels
};
RadarLayerChoices RadarLayerChoicesFromSettings(const Settings& settings);

// Everything a site download reads, copied on the user-interface thread when it starts, so
// that the worker never reads what the windows change meanwhile.
struct RadarSiteRequest {
    int view = 120;
    int productEntry = 1; // RadarReflectivityBoxIndex: chooses the site geometry
    std::string product;  // GetRadarType of the entry ("N0R", "NOZ", ...)
    std::string site;     // the view's identifier in upper case ("OKX")
    bool animate = false; // all frames for an animation, or only the newest
    RadarLayerChoices layers;
    int desiredFrames = 10;                     // kept within 1 ... 30
    RadarHost activeHost = RadarHost::Regional; // as the previous download left it
    double zoom = 1.0;
    bool tinyCircles = true;
    double homeLatitude = 0, homeLongitude = 0;
    RadarServers servers;
    HttpProxy proxy;
    std::vector<MovedLayout> movedLayouts;
};

// The frame lists read from the directory pages: the newest file names, oldest first.
struct RadarFrameLists {
    std::vector<std::string> radar, warnings, legend;
    bool radarRead = false, warningsRead = false, legendRead = false;
};

struct RadarSiteOutcome {
    std::string product;    // after the long-range rule
    std::string rangeClass; // "Long" or "Short"
    RadarHost activeHost = RadarHost::Regional;
    RadarFrameLists lists;
    int frameCount = 10; // N
    int lastIndex = 0;   // the newest frame the lists allow
    bool overlaysLoaded = false;
    bool radarShown = false; // some list or overlay arrived
    bool successful = false; // at least one frame was composed
    int framesShown = 0;
    int lastFrameShown = -1;                           // the index of the last frame composed
    std::array<bool, kRadarLayerCount> layersLoaded{}; // overlays, and the last frame's layers
    WeatherWarnings warnings;                          // seen in the newest frame's warnings layer
    bool refused = false;                              // a directory request was refused
};

// The hand-over points of a site download, in the order a run meets them. The worker
// thread runs each on the user-interface thread and waits; a tool without windows calls
// them directly.
class RadarSiteObserver {
public:
    virtual ~RadarSiteObserver() = default;
    // The worker thread's first and last hand-overs, around the download (the last also
    // after an error): the Radar page is disabled and enabled again.
    virtual void RunStarted() {}
    virtual void RunEnded() {}
    virtual void PrepRadar() {}
    virtual void FrameCountFixed(int /*count*/) {}
    virtual void ActiveHostChanged(RadarHost /*host*/) {}
    virtual void FrameListsRead(const RadarFrameLists& /*lists*/) {}
    // A directory request was refused (the firewall notice).
    virtual void ConnectionRefused() {}
    // An animated download starts: the animation GIF is emptied.
    virtual void AnimationCleared() {}
    // An animated download starts on frame `index`.
    virtual void FrameLoading(int /*index*/) {}
    // Frame `index` is composed.
    virtual void ShowRadarFrame(int /*index*/, const RadarComposedFrame& /*frame*/) {}
    virtual void DownloadSucceeded(const RadarSiteOutcome& /*outcome*/) {}
    // Always the last call of a run (also after a failure).
    virtual void DownloadEnded(const RadarSiteOutcome& /*outcome*/) {}
};

// A radar site's download: the overlays from the regional server (each tried twice), the
// long-range rule, the frame lists (the radar list along the host chain, the legend and
// warnings lists from the host that answered), then for every frame (only the newest without
// `animate`) its radar, warnings and legend pictures (each tried twice), composed over the
// overlays. Blocks; the client's limits bound every request. `client` gets the request's
// proxy and serves only this download.
RadarSiteOutcome RunRadarSiteDownload(const RadarSiteRequest& request, HttpClient& client,
                                      RadarSiteObserver& observer);

// The radar client's identity: redirects followed, Content-Type "text/html", no status texts.
HttpClient::Options RadarClientOptions(const HttpLimits& limits);

} // namespace skelvane

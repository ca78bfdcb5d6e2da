#pragma once

// Stand-ins for today's public services that answer the radar and satellite requests
// (net/live): a GeoServer map server with per-layer capabilities and a time dimension, its
// warnings as GeoJSON, three ArcGIS-style WMS base map servers whose layers are numbers,
// the satellite image CDN with its band folder indexes, and the full-disk image servers.
// Each map request is checked the way the real servers read it, and every broken rule is
// kept, so a test sees not only what was asked but whether it was asked right.

#include "fixture_http_server.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace skelvane::fixture {

class LiveServicesEmulation {
public:
    // Installs handlers on `server` under /geoserver/, /arcgis/, /cdn/ and /images/.
    explicit LiveServicesEmulation(FixtureHttpServer& server);

    // The LiveSourceOverrides text that points every live source at this server.
    std::string overrides() const;

    // A map server layer with its times as its capabilities list them ("2026-12-01T15:45:12.000Z").
    void addLayer(const std::string& workspace, const std::string& layer,
                  std::vector<std::string> times);
    // Every GetMap picture of the map server gets one pixel of `rgb` (0xRRGGBB) at this
    // point: the pixel whose area holds it, counting pixels from the box's edges as WMS does.
    void setMark(double longitude, double latitude, std::uint32_t rgb);
    // The body of every warnings request.
    void setWarnings(std::string geojson);
    // The band folders' frames: one entry per stamp (YYYYJJJHHMM) and per usual size.
    void setCdnStamps(std::vector<std::string> stamps);
    // A Cache-Control header sent with every answer from now on (empty: none).
    void setCacheControl(std::string header);

    // Requests that broke a rule of the service asked (wrong version, SRS, BBOX order or
    // range, size, format, an unknown layer or a TIME the layer does not list), one line
    // each.
    std::vector<std::string> problems() const;

    // The GetMap requests of the map server's layers, oldest first.
    std::vector<FixtureRequestRecord> mapRequests() const;

private:
    struct Layer {
        std::string workspace, name;
        std::vector<std::string> times;
    };
    std::optional<FolderAnswer> geoserver(const FixtureRequestRecord& request);
    std::optional<FolderAnswer> arcgis(const FixtureRequestRecord& request);
    std::optional<FolderAnswer> cdn(const FixtureRequestRecord& request);
    std::optional<FolderAnswer> images(const FixtureRequestRecord& request);
    // The answer with the Cache-Control header set, if any.
    std::optional<FolderAnswer> withHeaders(std::optional<FolderAnswer> answer) const;
    // Checks a GetMap request; the problem found, or empty.
    std::string checkGetMap(const FixtureRequestRecord& request, const Layer* layer,
                            bool wantsTime) const;
    FolderAnswer mapPicture(const FixtureRequestRecord& request, bool drawMark) const;
    FolderAnswer exception(const FixtureRequestRecord& request, const std::string& problem);

    FixtureHttpServer& server_;
    mutable std::mutex mutex_;
    std::vector<Layer> layers_;
    bool hasMark_ = false;
    double markLongitude_ = 0, markLatitude_ = 0;
    std::uint32_t markRgb_ = 0;
    std::string warnings_ = R"({"type":"FeatureCollection","features":[]})";
    std::vector<std::string> stamps_;
    std::string cacheControl_;
    std::vector<std::string> problems_;
    std::vector<FixtureRequestRecord> mapRequests_;
};

} // namespace skelvane::fixture

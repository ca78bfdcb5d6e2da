#pragma once

#include "net/http_transport.h"
#include "net/live/live_source_table.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace skelvane {

// The hosts whose radar and satellite trees were retired or moved, as of 2026-12: the
// regional radar server and the second alternative (which served the mosaics), the first
// alternative (the weather service's mirror of the same tree, retired with it), and the
// satellite image server. Requests to any other host are never translated.
inline constexpr std::string_view kLiveRadarHosts[] = {"radar.weather.gov",
                                                       "radar2pub.ncep.noaa.gov"};
inline constexpr std::string_view kLiveSatelliteHosts[] = {"www.goes.noaa.gov"};

// The identity every live request carries: the weather service's alerts API refuses
// requests whose User-Agent does not name the program and a contact.
inline constexpr std::string_view kLiveUserAgent = "Skelvane/2.0 (skelvane@example.org)";

struct LiveSourcesOptions {
    bool enabled = true;
    LiveSourceTable table;
    // Where overlays and mosaic backgrounds are kept between runs; empty: "live" in the
    // per-user cache folder (QStandardPaths::CacheLocation).
    QString cacheFolder;
    // Now, in milliseconds since 1970 (UTC); empty: the system clock.
    std::function<std::int64_t()> clock;
    // Where the place list is looked for (the cities overlay); empty: where the program
    // looks for it.
    std::vector<std::filesystem::path> placeListFolders;
};

// Answers the requests the Radar and Satellite pages make of the retired trees from
// today's public services, building answers of the same kind: index pages in the usual
// web-server style, GIFs with their transparent colour, JPEG pictures, MPEG-1 movies and
// frame lists. One object serves every client of the process and is safe to use from
// several threads at once; what it keeps between requests (capabilities, frame times,
// warning polygons, pictures a server allows to be reused) is held under a lock, and
// overlays go to the cache folder.
//
// Politeness: nothing is fetched except to answer a request; a layer's capabilities are
// asked at most once in two minutes (longer when the answer's Cache-Control allows it, and
// a failure is remembered as long); answers are reused as long as their Cache-Control
// allows; overlays are fetched once per site and range class and kept for 30 days (not
// stored when the answer says no-store); every request carries the limits and proxy of the
// request it answers and the User-Agent above.
//
// Failure: the answer fails as the service's request failed (a refusal stays a refusal, a
// time-out a time-out; a body that is not what was asked for, or a product without a
// source, an HTTP status), and its errorText is one status line naming the service that did
// not answer, e.g. "the NWS radar map server (opengeo.ncep.noaa.gov) did not answer: timed
// out". The same line goes to the status handler, or without one to the request's progress
// texts.
class LiveSources {
public:
    explicit LiveSources(LiveSourcesOptions options = {});
    ~LiveSources();
    LiveSources(const LiveSources&) = delete;
    LiveSources& operator=(const LiveSources&) = delete;

    bool enabled() const { return enabled_.load(); }
    void setEnabled(bool enabled) { enabled_.store(enabled); }
    const LiveSourceTable& table() const;

    // Whether a request for `url` is answered here: translation is on, the host is one of
    // the retired hosts (http or https, default port) and the path is one the pages ask for
    // (radar paths on the radar hosts, satellite paths on the satellite host).
    bool translates(const QString& url) const;

    // Answers `request` (one that translates()) by asking today's services through
    // `upstream`. Blocks; `status` gets the upstream requests' progress texts and, when no
    // status handler is set, a failure's status line.
    HttpResult answer(const HttpRequest& request, HttpTransport& upstream,
                      const std::function<void(const QString&)>& status);

    // Called with each failure's status line, on the thread that made the request.
    void setStatusHandler(std::function<void(const QString&)> handler);
    // The last failure's status line; empty before the first.
    QString lastStatusLine() const;

    // Upstream requests made so far (for tests and the live check).
    int upstreamRequests() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::atomic<bool> enabled_{true};
};

// A client's transport with the translator in front: requests that `live` translates are
// answered through `upstream`; every other request goes to `inner` untouched.
class LiveTranslatingTransport final : public HttpTransport {
public:
    LiveTranslatingTransport(std::unique_ptr<HttpTransport> inner,
                             std::unique_ptr<HttpTransport> upstream,
                             std::shared_ptr<LiveSources> live);
    HttpResult perform(const HttpRequest& request,
                       const std::function<void(const QString&)>& status) override;

private:
    std::unique_ptr<HttpTransport> inner_;
    std::unique_ptr<HttpTransport> upstream_;
    std::shared_ptr<LiveSources> live_;
};

// A factory whose transports put `live` in front of transports made by `base`.
HttpTransportFactory LiveTransportFactory(HttpTransportFactory base,
                                          std::shared_ptr<LiveSources> live);

} // namespace skelvane

#pragma once

#include "net/decode/server_addresses.h"
#include "net/http_client.h"

#include <string>
#include <vector>

namespace skelvane {

struct Settings;

// The proxy the settings put in force: only with UseProxyServer on, a server name and a
// port above 0; otherwise none (empty host, port 0, no credentials).
HttpProxy ProxyInForce(const Settings& settings);

// What a download reads of the settings, copied when it starts so that a worker thread
// never reads the user-interface thread's values while they change.
struct DownloadSettings {
    HttpProxy proxy;
    std::string weatherServer;
    std::string defaultWeatherServer;
    std::vector<MovedLayout> movedLayouts;
    std::string temperatureUnits; // "C" or "F"
    HttpLimits limits;
};

DownloadSettings SnapshotDownloadSettings(const Settings& settings, const HttpLimits& limits);

} // namespace skelvane

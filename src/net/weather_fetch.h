#pragma once

#include "net/download_settings.h"

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

namespace skelvane {

class HttpClient;

enum class WeatherFetchStatus {
    Ok,      // a body arrived (which may still be a web page rather than a report)
    Failed,  // neither server gave one
    Refused, // the default server refused the connection (a firewall, perhaps)
};

struct WeatherFetch {
    WeatherFetchStatus status = WeatherFetchStatus::Failed;
    std::string url;       // the last address asked, after the moved-layout table
    QByteArray body;       // with Ok
    QString errorText;     // the last failure's text, for status lines
    bool fellBack = false; // the configured server failed: the default one was asked
};

// The network part of a weather download: the station's decoded report from the configured
// report server, and when that fails, once more from the default server (the caller then
// makes the default the configured server for the rest of the run). Blocks; the client's
// time-outs and size cap bound it. `stationCode` is used as ReportStationCode makes it.
WeatherFetch FetchWeatherReport(const DownloadSettings& settings, std::string_view stationCode,
                                HttpClient& client);

} // namespace skelvane

#include "net/weather_fetch.h"

#include "net/decode/weather_report.h"
#include "net/http_client.h"

namespace skelvane {

namespace {

// One GET of the report path from one server; a host setting that cannot form an address
// fails like a server that does not answer.
HttpResult Ask(const std::string& host, const std::string& path,
               const std::vector<MovedLayout>& moved, HttpClient& client, std::string& url) {
    const std::optional<std::string> address = ServerAddress(host, path, moved);
    if (!address) {
        url.clear();
        HttpResult refusedHost;
        refusedHost.errorText =
            QStringLiteral("not a server name: ") + QString::fromStdString(host);
        return refusedHost;
    }
    url = *address;
    return client.get(QString::fromStdString(url));
}

} // namespace

WeatherFetch FetchWeatherReport(const DownloadSettings& settings, std::string_view stationCode,
                                HttpClient& client) {
    WeatherFetch fetch;
    client.setProxy(settings.proxy);
    client.setLimits(settings.limits);
    const std::string path = WeatherReportPath(stationCode);

    HttpResult result = Ask(settings.weatherServer, path, settings.movedLayouts, client, fetch.url);
    if (!result.ok()) {
        fetch.fellBack = true;
        result = Ask(settings.defaultWeatherServer, path, settings.movedLayouts, client, fetch.url);
    }
    if (result.ok()) {
        fetch.status = WeatherFetchStatus::Ok;
        fetch.body = std::move(result.body);
        return fetch;
    }
    fetch.errorText = result.errorText;
    // Only the second attempt's refusal counts: the first server may simply be gone.
    fetch.status = result.refused() ? WeatherFetchStatus::Refused : WeatherFetchStatus::Failed;
    return fetch;
}

} // namespace skelvane

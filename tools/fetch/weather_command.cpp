// weather: one station's decoded report, fetched and read as the program does it.
#include "fetch/fetch_commands.h"
#include "net/decode/weather_report.h"
#include "net/download_settings.h"
#include "net/http_client.h"
#include "net/weather_fetch.h"
#include "platform/clock.h"

#include <algorithm>

namespace skelvane::fetch {

namespace {

std::string JsonArray(const std::vector<std::string>& lines) {
    std::string array = "[";
    for (const std::string& line : lines) {
        if (array.size() > 1)
            array += ',';
        // A one-key object's value is exactly the escaped JSON string.
        const std::string object = JsonLine().add("", line).str();
        array += object.substr(4, object.size() - 5);
    }
    return array + "]";
}

std::string StatusOf(const WeatherFetch& fetch, const DecodedWeatherReport& report) {
    switch (fetch.status) {
    case WeatherFetchStatus::Refused:
        return "refused";
    case WeatherFetchStatus::Failed:
        return "failed";
    case WeatherFetchStatus::Ok:
        break;
    }
    switch (report.status) {
    case WeatherReportStatus::HtmlPage:
        return "html";
    case WeatherReportStatus::TooShort:
        return "short";
    case WeatherReportStatus::Report:
        break;
    }
    return "ok";
}

} // namespace

int WeatherCommand(const std::vector<std::string>& words, std::ostream& out) {
    const Arguments arguments(words, {"station", "server", "units", "settings-dir"}, {"json"});
    const Settings settings = ReadSettings(arguments);
    const std::string station = arguments.text("station");
    std::string units = settings.TemperatureUnits == u'C' ? "C" : "F";
    if (arguments.has("units")) {
        units = arguments.text("units");
        if (units != "C" && units != "F")
            throw UsageError{"--units needs C or F"};
    }

    DownloadSettings download = SnapshotDownloadSettings(settings, HttpLimits{});
    download.weatherServer = HostOption(arguments, "server", download.weatherServer);
    if (arguments.has("server"))
        download.defaultWeatherServer = download.weatherServer; // ask the one server given
    download.temperatureUnits = units;

    HttpClient client(HttpClient::Options{});
    const WeatherFetch fetch = FetchWeatherReport(download, station, client);
    WeatherDecodeContext context;
    context.temperatureUnits = units;
    context.nowUtc = SystemClock().nowUtc();
    const DecodedWeatherReport report =
        fetch.status == WeatherFetchStatus::Ok
            ? DecodeWeatherReport(std::string_view(fetch.body.constData(),
                                                   static_cast<std::size_t>(fetch.body.size())),
                                  context)
            : DecodedWeatherReport{};
    const std::string status = StatusOf(fetch, report);
    std::string weatherText = report.weatherText;
    std::replace(weatherText.begin(), weatherText.end(), '\r', '\n');

    JsonLine json;
    json.add("status", status).add("url", fetch.url);
    if (report.usable() && report.temperatureF > kNoTemperature)
        json.add("temperature_f", report.temperatureF);
    else
        json.addNull("temperature_f");
    json.add("temperature_text", report.temperatureText)
        .add("sky", report.skyText)
        .add("weather_text", weatherText);
    if (report.observationUtc)
        json.addInstant("observed_utc", *report.observationUtc);
    else
        json.addNull("observed_utc");
    json.addRaw("lines", JsonArray(report.lines));

    if (arguments.flag("json")) {
        out << json.str() << '\n';
    } else {
        out << "status: " << status << "\nurl: " << fetch.url << '\n';
        if (!fetch.errorText.isEmpty())
            out << "error: " << fetch.errorText.toStdString() << '\n';
        if (report.usable()) {
            out << "temperature: " << report.temperatureText << "\nsky: " << report.skyText
                << "\nweather: " << weatherText << '\n';
            for (const std::string& line : report.lines)
                out << line << '\n';
        }
    }
    return status == "ok" ? 0 : 1;
}

} // namespace skelvane::fetch

// time: one SNTP exchange with a time server; the computer's clock is never set.
#include "fetch/fetch_commands.h"
#include "net/sntp_exchange.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace skelvane::fetch {

namespace {

// YYYY-MM-DDThh:mm:ss.mmmZ of Unix milliseconds.
std::string IsoMilliseconds(std::int64_t unixMs) {
    const std::time_t seconds = static_cast<std::time_t>(std::floor(unixMs / 1000.0));
    const auto millis = static_cast<int>(unixMs - static_cast<std::int64_t>(seconds) * 1000);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, millis);
    return text;
}

} // namespace

int TimeCommand(const std::vector<std::string>& words, std::ostream& out) {
    const Arguments arguments(words, {"server", "settings-dir", "timeout-ms"}, {"json"});
    const Settings settings = ReadSettings(arguments);
    std::string server = settings.TimeServer.trimmed().toStdString();
    if (arguments.has("server")) {
        server = arguments.text("server");
        if (!ParseSntpServer(server))
            throw UsageError{"--server needs a host name with an optional :port"};
    }
    SntpExchangeOptions options;
    options.timeout = std::chrono::milliseconds(arguments.integerOr("timeout-ms", 5000, 1, 60000));
    const SntpExchangeResult result = RunSntpExchange(server, options);

    // "failed" (no exchange at all) is told as a time-out: no time came back.
    const std::string status =
        result.status == SntpStatus::Failed ? "timeout" : SntpStatusName(result.status);
    JsonLine json;
    json.add("status", status);
    if (!result.ok())
        json.add("reason", result.reason);
    if (result.ok()) {
        json.add("server_utc", IsoMilliseconds(result.serverUtcMs))
            .add("offset_ms", result.offsetMs)
            .add("delay_ms", result.delayMs);
    } else {
        json.addNull("server_utc").addNull("offset_ms").addNull("delay_ms");
    }
    if (result.replied)
        json.add("stratum", result.stratum)
            .add("leap", result.leap)
            .add("reference_id", result.referenceId);
    else
        json.addNull("stratum").addNull("leap").addNull("reference_id");

    if (arguments.flag("json")) {
        out << json.str() << '\n';
    } else {
        out << "status: " << status << '\n';
        if (!result.ok())
            out << "reason: " << result.reason << '\n';
        if (result.ok())
            out << "server time: " << IsoMilliseconds(result.serverUtcMs)
                << "\noffset: " << result.offsetMs << " ms\ndelay: " << result.delayMs << " ms\n";
        if (result.replied)
            out << "stratum: " << result.stratum << "\nleap: " << result.leap
                << "\nreference: " << result.referenceId << '\n';
    }
    return result.ok() ? 0 : 1;
}

} // namespace skelvane::fetch

// live-check: asks each live source of the radar and satellite pages for one small thing
// and says, per source, whether it answered, how fast and what it said. Reaches the real
// services: for a user with the internet, never for tests.
#include "fetch/fetch_commands.h"
#include "net/download_settings.h"
#include "net/http_transport.h"
#include "net/live/live_check.h"
#include "net/live/live_setup.h"

#include <cstdio>

namespace skelvane::fetch {

int LiveCheckCommand(const std::vector<std::string>& words, std::ostream& out) {
    const Arguments arguments(words, {"settings-dir", "timeout-ms"}, {"json"});
    const Settings settings = ReadSettings(arguments);
    std::vector<std::string> rejected;
    const LiveSourcesOptions options = LiveSourcesOptionsFromSettings(settings, &rejected);
    HttpLimits limits;
    if (arguments.has("timeout-ms")) {
        const std::chrono::milliseconds timeout(arguments.integer("timeout-ms", 100, 600000));
        limits.connect = timeout;
        limits.stall = timeout;
    }
    const bool json = arguments.flag("json");
    for (const std::string& entry : rejected) {
        if (json)
            out << JsonLine().add("rejected_override", entry).str() << '\n';
        else
            out << "LiveSourceOverrides: left out \"" << entry << "\"\n";
    }
    if (!options.enabled && !json)
        out << "LiveSources is off: the pages send their requests unchanged; checking anyway.\n";

    const std::unique_ptr<HttpTransport> transport = MakeHttpTransport();
    int failed = 0;
    RunLiveChecks(options.table, *transport, limits, ProxyInForce(settings),
                  [&](const LiveCheck& check) {
                      failed += check.ok ? 0 : 1;
                      if (json) {
                          out << JsonLine()
                                     .add("source", check.key)
                                     .add("value", check.value)
                                     .add("url", check.url)
                                     .add("answered", check.ok ? "yes" : "no")
                                     .add("ms", static_cast<int>(check.milliseconds))
                                     .add("said", check.detail)
                                     .str()
                              << '\n';
                      } else {
                          char head[64];
                          std::snprintf(head, sizeof head, "%-4s %6ld ms  ",
                                        check.ok ? "ok" : "FAIL", check.milliseconds);
                          out << head << check.key << "  " << check.value << "\n      "
                              << check.detail << '\n';
                          if (!check.url.empty())
                              out << "      " << check.url << '\n';
                      }
                      out.flush();
                  });
    if (!json)
        out << (failed == 0
                    ? "every live source answered\n"
                    : std::to_string(failed) + " live source(s) did not answer as expected\n");
    return failed == 0 ? 0 : 1;
}

} // namespace skelvane::fetch

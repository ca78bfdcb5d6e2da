#include "fetch/fetch.h"

#include "fetch/fetch_commands.h"

#include <functional>
#include <map>

namespace skelvane::fetch {

namespace {

constexpr const char* kUsage =
    "usage: skelvane-fetch weather --station CODE [--server HOST[:PORT]] [--units C|F] [--json]\n"
    "                              [--settings-dir DIR]\n"
    "       skelvane-fetch time [--server HOST[:PORT]] [--timeout-ms N] [--json]\n"
    "                           [--settings-dir DIR]\n"
    "       skelvane-fetch radar --view N [--product INDEX] [--frames N] [--animate] [--zoom 2]\n"
    "                            [--layers topo,radar,counties,rivers,highways,cities,warnings,\n"
    "                            rangering,legend] [--circles] [--home LAT,LON] [--warn-text]\n"
    "                            [--server HOST[:PORT]] [--alt1 HOST[:PORT]] [--alt2 HOST[:PORT]]\n"
    "                            --out DIR [--json] [--settings-dir DIR]\n"
    "       skelvane-fetch satellite --location INDEX --type INDEX [--color INDEX] [--animate]\n"
    "                                [--server HOST[:PORT]] --out DIR [--json]\n"
    "                                [--settings-dir DIR]\n"
    "       skelvane-fetch live-check [--timeout-ms N] [--json] [--settings-dir DIR]";

} // namespace

int RunFetch(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    using Command = std::function<int(const std::vector<std::string>&, std::ostream&)>;
    const std::map<std::string, Command> commands{
        {"weather", WeatherCommand},      {"time", TimeCommand},
        {"radar", RadarCommand},          {"satellite", SatelliteCommand},
        {"live-check", LiveCheckCommand},
    };
    if (words.empty() || words.front() == "--help") {
        (words.empty() ? err : out) << kUsage << '\n';
        return words.empty() ? 2 : 0;
    }
    const auto command = commands.find(words.front());
    if (command == commands.end()) {
        err << "skelvane-fetch: unknown command " << words.front() << '\n';
        return 2;
    }
    try {
        return command->second(std::vector<std::string>(words.begin() + 1, words.end()), out);
    } catch (const UsageError& error) {
        err << "skelvane-fetch: " << error.message << '\n';
        return 2;
    }
}

} // namespace skelvane::fetch

#include "almanac/almanac.h"

#include "almanac/commands.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

namespace skelvane::almanac {

namespace {

const char* const kUsage =
    "usage: skelvane-almanac COMMAND [options] [--json]\n"
    "  sun      --lat D --lon D [--alt-ft N] --from YYYY-MM-DD [--to YYYY-MM-DD] [--step N]\n"
    "  moon     --lat D --lon D [--alt-ft N] --from YYYY-MM-DD [--to YYYY-MM-DD] [--step N]\n"
    "  phases   --from-year Y --to-year Y\n"
    "  seasons  --from-year Y --to-year Y\n"
    "  moonpos  --utc YYYY-MM-DDThh:mm:ssZ\n"
    "  sunpos   --utc YYYY-MM-DDThh:mm:ssZ\n"
    "  holidays --from-year Y --to-year Y   (years 1601..3428; clock changes follow TZ)\n"
    "  hebrew   --from YYYY-MM-DD [--to YYYY-MM-DD] [--step N]\n"
    "  eclipses --from-year Y --to-year Y\n"
    "  planets  --utc YYYY-MM-DDThh:mm:ssZ\n"
    "  place    --zip CODE | --country NAME | --state CODE | --nearest-station LAT LON\n"
    "           [--file sitename.dat]   (place-list lines, always JSON)\n"
    "Times are UT; --json writes one JSON object per line.\n";

} // namespace

std::string ClockText(double hours) {
    long total = std::lround(hours * 3600.0);
    total = ((total % 86400) + 86400) % 86400;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02ld:%02ld:%02ld", total / 3600, total / 60 % 60,
                  total % 60);
    return buffer;
}

Observer ReadObserver(const Arguments& arguments) {
    return Observer{arguments.number("lat", -90, 90), arguments.number("lon", -180, 180),
                    arguments.numberOr("alt-ft", 0, -2000, 100000)};
}

DateRange ReadDateRange(const Arguments& arguments) {
    DateRange range;
    range.from = arguments.date("from");
    range.to = arguments.has("to") ? arguments.date("to") : range.from;
    range.step = arguments.integerOr("step", 1, 1, 1000000);
    if (range.to < range.from)
        throw UsageError{"--to is before --from"};
    return range;
}

std::pair<int, int> ReadYearRange(const Arguments& arguments, int minYear, int maxYear) {
    const int from = arguments.integer("from-year", minYear, maxYear);
    const int to = arguments.integer("to-year", minYear, maxYear);
    if (to < from)
        throw UsageError{"--to-year is before --from-year"};
    return {from, to};
}

int RunAlmanac(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    using Command = std::function<void(const std::vector<std::string>&, std::ostream&)>;
    static const std::map<std::string, Command> commands = {
        {"sun", SunCommand},
        {"moon", MoonCommand},
        {"phases", PhasesCommand},
        {"seasons", SeasonsCommand},
        {"moonpos", MoonPositionCommand},
        {"sunpos", SunPositionCommand},
        {"holidays", HolidaysCommand},
        {"hebrew", HebrewCommand},
        {"eclipses", EclipsesCommand},
        {"planets", PlanetsCommand},
        {"place", PlaceCommand},
    };
    if (!words.empty() && (words[0] == "--help" || words[0] == "-h")) {
        out << kUsage;
        return 0;
    }
    try {
        if (words.empty())
            throw UsageError{"no command given (see --help)"};
        const auto command = commands.find(words[0]);
        if (command == commands.end())
            throw UsageError{"unknown command '" + words[0] + "'"};
        command->second(std::vector<std::string>(words.begin() + 1, words.end()), out);
        out.flush();
        return 0;
    } catch (const UsageError& error) {
        err << "skelvane-almanac: " << error.message << " (see --help)\n";
        return 2;
    } catch (const CommandFailure& failure) {
        err << "skelvane-almanac: " << failure.message << "\n";
        return 1;
    }
}

} // namespace skelvane::almanac

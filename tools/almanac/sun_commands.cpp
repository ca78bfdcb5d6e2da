// sun, seasons and sunpos: the Sun and the seasons from the engine.
#include "almanac/commands.h"

#include "astro/apparent_position.h"
#include "astro/seasons.h"
#include "astro/sun.h"

namespace skelvane::almanac {

namespace {

std::string SunEventText(const char* label, double hours) {
    if (hours == kNeverRises)
        return "Sun down all day";
    if (hours == kNeverSets)
        return "Sun up all day";
    return std::string(label) + " " + ClockText(hours) + " UT";
}

} // namespace

void SunCommand(const std::vector<std::string>& words, std::ostream& out) {
    const Arguments arguments(words, kRiseSetOptions, {"json"});
    const Observer observer = ReadObserver(arguments);
    const DateRange range = ReadDateRange(arguments);
    Output output(out, arguments.flag("json"));
    for (DateTime day = range.from; day <= range.to; day += range.step) {
        const CivilDate date = DecodeDate(day);
        const double rise =
            SunRiseSetHours(date.day, date.month, date.year, true, observer.altitudeFeet,
                            observer.longitude, observer.latitude);
        const double set =
            SunRiseSetHours(date.day, date.month, date.year, false, observer.altitudeFeet,
                            observer.longitude, observer.latitude);
        std::string text = IsoDate(day) + "  " + SunEventText("rise", rise);
        if (rise >= 0 && set >= 0)
            text += "  " + SunEventText("set", set);
        output.write(JsonLine().add("date", IsoDate(day)).add("rise", rise).add("set", set), text);
    }
}

void SeasonsCommand(const std::vector<std::string>& words, std::ostream& out) {
    const Arguments arguments(words, {"from-year", "to-year"}, {"json"});
    const auto [from, to] = ReadYearRange(arguments);
    Output output(out, arguments.flag("json"));
    for (int year = from; year <= to; ++year) {
        for (const char* which : {"MAR", "JUN", "SEP", "DEC"}) {
            const DateTime instant = EquinoxSolstice(year, which);
            output.write(JsonLine().add("year", year).add("which", which).addInstant("ut", instant),
                         std::to_string(year) + "  " + which + "  " + IsoInstant(instant));
        }
    }
}

void SunPositionCommand(const std::vector<std::string>& words, std::ostream& out) {
    const Arguments arguments(words, {"utc"}, {"json"});
    const DateTime utc = arguments.utcInstant("utc");
    const AstroTimeRec time = AstroTimeFromDateTime(utc);
    const RaDecRec position = SunRaDec(time);
    const double apparentLongitude = static_cast<double>(ApparentSunPosition(utc).longitude);
    const double sidereal = SiderealDegrees(time);
    Output output(out, arguments.flag("json"));
    output.write(JsonLine()
                     .add("ra", position.ra)
                     .add("dec", position.dec)
                     .add("apparent_longitude", apparentLongitude)
                     .add("sidereal", sidereal),
                 "RA " + NumberText(position.ra) + "°  Dec " + NumberText(position.dec) +
                     "°  apparent longitude " + NumberText(apparentLongitude) + "°  sidereal " +
                     NumberText(sidereal) + "°");
}

} // namespace skelvane::almanac

// moon, phases and moonpos: the Moon from the engine.
#include "almanac/commands.h"

#include "astro/lunation.h"
#include "astro/moon.h"
#include "astro/moon_calendar.h"
#include "astro/moon_rise_set.h"

#include <cmath>

namespace skelvane::almanac {

namespace {

std::string MoonEventText(const char* label, std::int32_t seconds) {
    switch (seconds) {
    case kMoonNeverRises:
        return "Moon down all day";
    case kMoonNeverSets:
        return "Moon up all day";
    case kMoonDateOutOfRange:
        return "date out of range";
    default:
        return std::string(label) + " " + ClockText(seconds / 3600.0) + " UT";
    }
}

} // namespace

void MoonCommand(const std::vector<std::string>& words, std::ostream& out) {
    const Arguments arguments(words, kRiseSetOptions, {"json"});
    const Observer observer = ReadObserver(arguments);
    const DateRange range = ReadDateRange(arguments);
    Output output(out, arguments.flag("json"));
    for (DateTime day = range.from; day <= range.to; day += range.step) {
        const MoonRiseSetRec events = MoonRiseSet(DayNumberFromDate(day), observer.altitudeFeet,
                                                  observer.latitude, observer.longitude);
        std::string text = IsoDate(day) + "  " + MoonEventText("rise", events.rise);
        if (events.rise >= 0 && events.set >= 0)
            text += "  " + MoonEventText("set", events.set);
        output.write(JsonLine()
                         .add("day", IsoDate(day))
                         .add("rise", static_cast<int>(events.rise))
                         .add("set", static_cast<int>(events.set)),
                     text);
    }
}

void PhasesCommand(const std::vector<std::string>& words, std::ostream& out) {
    const Arguments arguments(words, {"from-year", "to-year"}, {"json"});
    const auto [from, to] = ReadYearRange(arguments);
    Output output(out, arguments.flag("json"));
    // Lunation 0 is the new moon of 6 January 2000; 12.3685 lunations a year. One spare
    // lunation on each side covers the year boundaries.
    const int firstK = static_cast<int>(std::floor((from - 2000) * 12.3685)) - 1;
    const int lastK = static_cast<int>(std::ceil((to + 1 - 2000) * 12.3685)) + 1;
    for (int k = firstK; k <= lastK; ++k) {
        const LunationRec lunation = LunationPhases(k);
        const std::pair<const char*, double> phases[] = {{"new", lunation.newMoon},
                                                         {"first", lunation.firstQuarter},
                                                         {"full", lunation.fullMoon},
                                                         {"last", lunation.lastQuarter}};
        for (const auto& [name, julianEphemerisDay] : phases) {
            // The phase instants are used as Universal Time directly.
            const DateTime instant = FromJulianDate(julianEphemerisDay);
            const std::string iso = IsoInstant(instant);
            const int year = std::stoi(iso.substr(0, 4));
            if (year < from || year > to)
                continue;
            output.write(JsonLine().add("phase", name).add("ut", iso), iso + "  " + name);
        }
    }
}

void MoonPositionCommand(const std::vector<std::string>& words, std::ostream& out) {
    const Arguments arguments(words, {"utc"}, {"json"});
    const DateTime utc = arguments.utcInstant("utc");
    const MoonPosRec position = MoonPosition(AstroTimeFromDateTime(utc));
    const double phaseAngle = MoonPhaseAngle(utc);
    const double illuminated = MoonIlluminatedFraction(utc);
    const double age = MoonAgeDays(utc);
    const int icon = PhaseIconIndex(phaseAngle);
    Output output(out, arguments.flag("json"));
    output.write(JsonLine()
                     .add("ra", position.ra)
                     .add("dec", position.dec)
                     .add("illuminated", illuminated)
                     .add("phase_angle", phaseAngle)
                     .add("age_days", age)
                     .add("icon", icon),
                 "RA " + NumberText(position.ra) + "°  Dec " + NumberText(position.dec) +
                     "°  illuminated " + NumberText(illuminated) + "  phase angle " +
                     NumberText(phaseAngle) + "°  age " + NumberText(age) + " days  icon " +
                     std::to_string(icon));
}

} // namespace skelvane::almanac

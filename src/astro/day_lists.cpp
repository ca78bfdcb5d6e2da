#include "astro/day_lists.h"

#include "astro/format.h"
#include "astro/lunation.h"
#include "astro/moon_rise_set.h"
#include "astro/seasons.h"
#include "astro/timezone.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

namespace skelvane {

namespace {

// A UTC instant in the mode's time scale, with the zone name to show beside it.
struct ShownInstant {
    DateTime value = 0;
    std::string zoneName;
    double offsetHours = 0;
};

ShownInstant Show(bool localTime, DateTime utc) {
    if (!localTime)
        return {utc, kGreenwichZoneName, 0};
    const double offset = TimeZoneOffsetHours(utc);
    return {utc + offset / 24, CurrentTimeZoneState().zoneName, offset};
}

// Day number and whole seconds of a value, the seconds rounded and carried into the day.
void SplitDaySeconds(DateTime value, std::int32_t& day, std::int32_t& seconds) {
    const double total = std::nearbyint(value * 86400.0);
    const double wholeDays = std::floor(total / 86400.0);
    day = DayNumberFromDate(wholeDays);
    seconds = static_cast<std::int32_t>(total - wholeDays * 86400.0);
}

std::string PadLeft(std::string text, std::size_t width) {
    if (text.size() < width)
        text.insert(0, width - text.size(), ' ');
    return text;
}

struct PhaseKind {
    float code;
    std::string_view listName;
    std::string_view dayName;
};
constexpr PhaseKind kPhaseKinds[] = {
    {kNewMoonCode, kNewMoonListName, kNewMoonName},
    {kFirstQuarterCode, kFirstQuarterListName, kFirstQuarterName},
    {kFullMoonCode, kFullMoonListName, kFullMoonName},
    {kLastQuarterCode, kLastQuarterListName, kLastQuarterName},
};

} // namespace

DateTimeText MyDateTimeString(const std::string& pattern, bool use24Hour, bool roundMinute,
                              bool toLocal, DateTime utc, const DateLocale& names) {
    const ShownInstant shown = Show(toLocal, utc);
    std::string time;
    if (roundMinute) {
        const double hours = (shown.value - std::floor(shown.value)) * 24.0;
        time = FormatHours(false, use24Hour, 0, hours);
    } else {
        time = FormatDate(use24Hour ? "hh:mm" : "hh:mm  AM/PM", shown.value, names);
    }
    return {FormatDate(pattern, shown.value, names) + "   " + time, shown.zoneName};
}

std::array<StMoonRec, 5> CalcMoonPhases(const ListDisplayMode& mode, DateTime date) {
    const CivilDate shownMonth = DecodeDate(date);
    std::vector<StMoonRec> candidates;
    for (int delta = -1; delta <= 1; ++delta) {
        int year = shownMonth.year;
        int month = shownMonth.month + delta;
        if (month < 1)
            month += 12, --year;
        if (month > 12)
            month -= 12, ++year;
        const std::int32_t firstDay = DayNumberFromDate(SafeEncodeDate(year, month, 1));
        for (int phase = 0; phase < 4; ++phase) {
            for (const PhaseInstant& found : PhasesInMonth(firstDay, phase)) {
                if (found.empty())
                    continue;
                const DateTime utc = DateFromDayNumber(found.day) + found.seconds / 86400.0;
                const ShownInstant shown = Show(mode.localTime, utc);
                StMoonRec record;
                SplitDaySeconds(shown.value, record.day, record.seconds);
                record.phaseCode = kPhaseKinds[phase].code;
                record.zoneName = shown.zoneName;
                record.text = MyDateTimeString(mode.datePattern, mode.use24Hour, false, false,
                                               record.instant(), mode.names)
                                  .text +
                              "  " + std::string(kPhaseKinds[phase].listName);
                candidates.push_back(std::move(record));
            }
        }
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const StMoonRec& a, const StMoonRec& b) {
                         return a.day != b.day ? a.day < b.day : a.seconds < b.seconds;
                     });
    std::array<StMoonRec, 5> kept{};
    std::size_t count = 0;
    for (StMoonRec& record : candidates) {
        if (count < kept.size() && DecodeDate(record.instant()).month == shownMonth.month)
            kept[count++] = std::move(record);
    }
    return kept;
}

std::string GetMoonPhaseName(const std::array<StMoonRec, 5>& phases, DateTime date) {
    const std::int32_t day = DayNumberFromDate(date);
    for (const StMoonRec& phase : phases) {
        if (phase.empty() || phase.day != day)
            continue;
        for (const PhaseKind& kind : kPhaseKinds) {
            if (kind.code == phase.phaseCode)
                return std::string(kind.dayName);
        }
    }
    return {};
}

MoonDayEvents CalcMoonRiseSet(const ListDisplayMode& mode, DateTime date, DateTime now,
                              double latitude, double longitude, double altitudeFeet) {
    const std::int32_t selectedDay = DayNumberFromDate(date);
    const int dayOfMonth = DecodeDate(date).day;
    std::vector<StMoonRec> records;
    // Counting by offset keeps the loop finite for day numbers at the ends of the range.
    for (int offset = -1; offset <= 1; ++offset) {
        const std::int64_t wide = static_cast<std::int64_t>(selectedDay) + offset;
        if (wide < 0 || wide > kLastDayNumber)
            continue;
        const auto day = static_cast<std::int32_t>(wide);
        const MoonRiseSetRec events = MoonRiseSet(day, altitudeFeet, latitude, longitude);
        if (events.rise == kMoonDateOutOfRange)
            continue;
        if (events.rise < 0 && events.rise == events.set) {
            // A whole day up or down is listed on its own UT day.
            StMoonRec record;
            record.day = day;
            record.isRise = true;
            record.text = events.rise == kMoonNeverRises ? "Moon down all day" : "Moon up all day";
            record.zoneName = Show(mode.localTime, DateFromDayNumber(day)).zoneName;
            records.push_back(std::move(record));
            continue;
        }
        for (const bool isRise : {true, false}) {
            const std::int32_t seconds = isRise ? events.rise : events.set;
            if (seconds < 0)
                continue;
            const DateTime utc = DateFromDayNumber(day) + seconds / 86400.0;
            const ShownInstant shown = Show(mode.localTime, utc);
            StMoonRec record;
            SplitDaySeconds(shown.value, record.day, record.seconds);
            record.isRise = isRise;
            record.zoneName = shown.zoneName;
            const std::string time =
                FormatHours(mode.localTime, mode.use24Hour, shown.offsetHours, seconds / 3600.0);
            record.text = std::string(isRise ? "Moonrise" : "Moonset") +
                          PadLeft(time, mode.use24Hour ? 7 : 9) + "  " +
                          FormatDate(mode.datePattern, shown.value, mode.names);
            records.push_back(std::move(record));
        }
    }

    MoonDayEvents result;
    for (StMoonRec& record : records) {
        if (result.count < static_cast<int>(result.events.size()) &&
            DecodeDate(record.instant()).day == dayOfMonth)
            result.events[result.count++] = std::move(record);
    }
    std::sort(result.events.begin(), result.events.begin() + result.count,
              [](const StMoonRec& a, const StMoonRec& b) { return a.instant() < b.instant(); });

    if (result.count == 0)
        return result;
    const StMoonRec& first = result.events[0];
    std::string upper = first.text;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (upper.find("ALL") != std::string::npos) {
        result.allDay = true;
        result.moonUp = upper.find("UP") != std::string::npos;
        return result;
    }
    // The Moon is up between its rise and its set of the day; with only one of them, after
    // the rise or before the set.
    const StMoonRec* rise = nullptr;
    const StMoonRec* set = nullptr;
    for (int i = 0; i < result.count; ++i) {
        const StMoonRec& event = result.events[i];
        if (event.isRise && !rise)
            rise = &event;
        else if (!event.isRise && !set)
            set = &event;
    }
    if (rise && set) {
        const DateTime r = rise->instant(), s = set->instant();
        result.moonUp = r >= s ? (now < s || now >= r) : (r <= now && now < s);
    } else if (rise) {
        result.moonUp = now >= rise->instant();
    } else if (set) {
        result.moonUp = now < set->instant();
    }
    return result;
}

std::array<EquinoxEntry, 4> CalcEquinoxSolstice(const ListDisplayMode& mode, int year) {
    struct Season {
        const char* which;
        const char* name;
    };
    constexpr Season kSeasons[] = {{"MAR", "Mar Equinox"},
                                   {"JUN", "Jun Solstice"},
                                   {"SEP", "Sep Equinox"},
                                   {"DEC", "Dec Solstice"}};
    std::array<EquinoxEntry, 4> list{};
    for (std::size_t i = 0; i < list.size(); ++i) {
        const ShownInstant shown = Show(mode.localTime, EquinoxSolstice(year, kSeasons[i].which));
        list[i].instant = shown.value;
        list[i].zoneName = shown.zoneName;
        list[i].name = kSeasons[i].name;
        list[i].text = MyDateTimeString(mode.datePattern, mode.use24Hour, false, false, shown.value,
                                        mode.names)
                           .text +
                       "  " + list[i].name;
    }
    return list;
}

std::string GetEquinoxSolsticeName(const std::array<EquinoxEntry, 4>& list, DateTime date) {
    for (const EquinoxEntry& entry : list) {
        if (entry.instant != 0 && std::floor(entry.instant) == std::floor(date))
            return entry.name;
    }
    return {};
}

} // namespace skelvane

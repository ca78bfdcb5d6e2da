#pragma once

#include "astro/datetime.h"
#include "astro/format_date.h"

#include <array>
#include <cstdint>
#include <string>

namespace skelvane {

// How listed instants are shown: local clock time (with the zone's name) or Greenwich
// time, 12- or 24-hour clock, and the date pattern of the lists.
struct ListDisplayMode {
    bool localTime = true;
    bool use24Hour = false;
    std::string datePattern = "mm/dd/yy";
    DateLocale names = EnglishDateLocale();
};

inline constexpr const char* kGreenwichZoneName = "Greenwich Time (GMT)";

// One listed event: a principal phase or a moonrise or moonset.
struct StMoonRec {
    std::int32_t day = -1;    // day number, local or UT as the list's mode says; -1 = empty
    std::int32_t seconds = 0; // seconds after midnight of that day
    std::string text;
    float phaseCode = 0; // 0 new, 0.5 first quarter, 1 full, -0.5 last quarter
    std::string zoneName;
    bool isRise = false;
    bool empty() const { return day < 0; }
    DateTime instant() const { return DateFromDayNumber(day) + seconds / 86400.0; }
};

struct DateTimeText {
    std::string text;
    std::string zoneName;
};

// "<date>   <time>" of a UTC instant: the date by `pattern`, the time as "hh:mm" (24-hour)
// or "hh:mm  AM/PM", or with roundMinute by FormatHours. With toLocal the instant is moved
// by TimeZoneOffsetHours at it and the zone's name comes with it, else kGreenwichZoneName.
DateTimeText MyDateTimeString(const std::string& pattern, bool use24Hour, bool roundMinute,
                              bool toLocal, DateTime utc,
                              const DateLocale& names = EnglishDateLocale());

// The principal phases that fall in the month of `date` (a local date), in time order,
// at most 5; empty slots have day -1. Instants in local time or UT as the mode says.
std::array<StMoonRec, 5> CalcMoonPhases(const ListDisplayMode& mode, DateTime date);

// "New Moon", "First Quarter", "FULL MOON" or "Last Quarter" for the kept phase on the
// day of `date` (same day number); empty when none.
std::string GetMoonPhaseName(const std::array<StMoonRec, 5>& phases, DateTime date);

// The day's moonrises and moonsets in time order, at the observer (latitude and longitude
// in degrees, north and east positive, altitude in feet).
struct MoonDayEvents {
    std::array<StMoonRec, 3> events; // the first two are shown
    int count = 0;
    bool allDay = false; // "Moon up all day" or "Moon down all day"
    bool moonUp = false; // at `now`
};
// `date` is the selected day and `now` the selected day at the present clock time, both
// in the mode's time scale (local or UT).
MoonDayEvents CalcMoonRiseSet(const ListDisplayMode& mode, DateTime date, DateTime now,
                              double latitude, double longitude, double altitudeFeet);

// The year's equinoxes and solstices (March, June, September, December).
struct EquinoxEntry {
    DateTime instant = 0; // local or UT as the mode says
    std::string text;
    std::string zoneName;
    std::string name; // "Mar Equinox", "Jun Solstice", "Sep Equinox", "Dec Solstice"
};
std::array<EquinoxEntry, 4> CalcEquinoxSolstice(const ListDisplayMode& mode, int year);
// The name of the entry on the day of `date`; empty when none.
std::string GetEquinoxSolsticeName(const std::array<EquinoxEntry, 4>& list, DateTime date);

} // namespace skelvane

#pragma once

#include "astro/datetime.h"

#include <array>
#include <string>
#include <string_view>

namespace skelvane {

// The 27 holidays of the table, numbered in the order the table is filled.
enum class Holiday {
    NewYearsDay = 1,
    MartinLKing,
    ChinaNewYear,
    GroundhogDay,
    WashBirthday,
    AshWednesday,
    GoodFriday,
    Easter,
    OrthodoxEaster,
    PassoverDay1,
    MothersDay,
    MemorialDay,
    FathersDay,
    FourthOfJuly,
    LaborDay,
    JewishNewYear,
    ColumbusDay,
    Halloween,
    ElectionDay,
    VeteransDay,
    Thanksgiving,
    HanukahDay1,
    Christmas,
    ClockAhead,
    ClockBack,
    ValentinesDay,
    StPatricksDay,
};

inline constexpr int kHolidayCount = 27;

// The holiday's name as the calendar shows it ("New Year's Day" ... "St Patrick's Day",
// at most 20 characters).
std::string_view HolidayName(Holiday holiday);

// Date of one holiday in a Gregorian year, by its rule: 00:00 of the local calendar day,
// except ClockAhead and ClockBack, which are the daylight start and end instants in local
// clock time as the computer's time-zone record states them (TimeZoneOffsetHours asked
// about 4 April and 28 October of the year; this overwrites CurrentTimeZoneState) or 0 when
// the zone has no daylight saving. Years 1600..3429 are those the calendar reaches; 0 (no
// date) for a year outside 2..9998 or a rule that cannot be computed there.
DateTime HolidayDate(Holiday holiday, int year);

struct HolidayEntry {
    DateTime date = 0; // 0 when the rule gave no date (never matches a shown day)
    Holiday holiday = Holiday::NewYearsDay;
    std::string_view name; // HolidayName(holiday)
};

// One year's holidays sorted by date; entries on the same date keep the order in which
// the table is filled (a stable sort).
struct HolidayTable {
    int year = 0;
    std::array<HolidayEntry, kHolidayCount> entries{};
};

// Computes and sorts the 27 entries of a year (see HolidayDate for the clock changes and
// the side effect on CurrentTimeZoneState).
HolidayTable BuildHolidayTable(int year);

// The cached table of a year, rebuilt first when the cache holds another year (or was
// invalidated). The reference stays valid until the next rebuild. User-interface thread
// only, as the cache is shared.
const HolidayTable& HolidayTableFor(int year);

// Forgets the cached table, so that the next lookup rebuilds it; call after the
// computer's time zone changes, as the clock-change entries depend on it.
void InvalidateHolidayTable();

struct HolidayMatch {
    std::string_view name; // empty when no holiday was found
    int index = 0;         // 1-based position in the sorted table; 0 when none
};

// The first holiday at or after 1-based position startIndex of the date's year table whose
// date falls on the same calendar day as the local date-time value `date`. A second
// holiday on that day is found by asking again with index + 1. startIndex below 1 counts
// as 1; above 27, or a date that cannot be decoded, gives no match. Uses the cache of
// HolidayTableFor (cheap when the year is cached).
HolidayMatch HolidayNameOn(int startIndex, DateTime date);

} // namespace skelvane

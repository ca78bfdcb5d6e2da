#include "astro/holidays.h"

#include "astro/chinese_new_year.h"
#include "astro/hebrew_calendar.h"
#include "astro/movable_feasts.h"
#include "astro/timezone.h"

#include <algorithm>
#include <cmath>

namespace skelvane {
namespace {

constexpr int kMonday = 1;
constexpr int kThursday = 4;
constexpr int kSunday = 7;
constexpr int kLast = 5;

constexpr std::array<std::string_view, kHolidayCount> kNames = {
    "New Year's Day",  "Martin L. King",  "China New Year", "Groundhog Day",   "Wash. Birthday",
    "Ash Wednesday",   "Good Friday",     "Easter",         "Orthodox Easter", "Passover Day 1",
    "Mother's Day",    "Memorial Day",    "Father's Day",   "Fourth of July",  "Labor Day",
    "Jewish New Year", "Columbus Day",    "Halloween",      "Election Day",    "Veterans Day",
    "Thanksgiving",    "Hanukah Day 1",   "Christmas",      "Clock Ahead 1H",  "Clock Back 1H",
    "Valentine's Day", "St Patrick's Day"};

// 0 stays 0 (no date) when a date is shifted by a number of days.
DateTime Offset(DateTime date, int days) {
    return date == 0 ? 0 : date + days;
}

DateTime DaylightTransition(int year, bool start) {
    TimeZoneOffsetHours(SafeEncodeDate(year, start ? 4 : 10, start ? 4 : 28));
    const TimeZoneState& state = CurrentTimeZoneState();
    if (!state.hasDaylightSaving)
        return 0;
    return start ? state.daylightStart : state.daylightEnd;
}

struct Cache {
    HolidayTable table;
    bool valid = false;
};

Cache& TheCache() {
    static Cache cache;
    return cache;
}

} // namespace

std::string_view HolidayName(Holiday holiday) {
    const int number = static_cast<int>(holiday);
    if (number < 1 || number > kHolidayCount)
        return {};
    return kNames[number - 1];
}

DateTime HolidayDate(Holiday holiday, int year) {
    if (year < 2 || year > 9998)
        return 0;
    switch (holiday) {
    case Holiday::NewYearsDay:
        return SafeEncodeDate(year, 1, 1);
    case Holiday::MartinLKing:
        return NthWeekdayDate(kMonday, year, 1, 3);
    case Holiday::ChinaNewYear:
        return ChineseNewYearDate(year);
    case Holiday::GroundhogDay:
        return SafeEncodeDate(year, 2, 2);
    case Holiday::WashBirthday:
        return NthWeekdayDate(kMonday, year, 2, 3);
    case Holiday::AshWednesday:
        return Offset(EasterDate(year), -46);
    case Holiday::GoodFriday:
        return Offset(EasterDate(year), -2);
    case Holiday::Easter:
        return EasterDate(year);
    case Holiday::OrthodoxEaster:
        return OrthodoxEasterDate(year);
    case Holiday::PassoverDay1:
        return PassoverDate(year);
    case Holiday::MothersDay:
        return NthWeekdayDate(kSunday, year, 5, 2);
    case Holiday::MemorialDay:
        return NthWeekdayDate(kMonday, year, 5, kLast);
    case Holiday::FathersDay:
        return NthWeekdayDate(kSunday, year, 6, 3);
    case Holiday::FourthOfJuly:
        return SafeEncodeDate(year, 7, 4);
    case Holiday::LaborDay:
        return NthWeekdayDate(kMonday, year, 9, 1);
    case Holiday::JewishNewYear:
        return Offset(PassoverDate(year), 163);
    case Holiday::ColumbusDay:
        return NthWeekdayDate(kMonday, year, 10, 2);
    case Holiday::Halloween:
        return SafeEncodeDate(year, 10, 31);
    case Holiday::ElectionDay:
        return Offset(NthWeekdayDate(kMonday, year, 11, 1), 1);
    case Holiday::VeteransDay:
        return SafeEncodeDate(year, 11, 11);
    case Holiday::Thanksgiving:
        return NthWeekdayDate(kThursday, year, 11, 4);
    case Holiday::HanukahDay1:
        return HanukahDate(year);
    case Holiday::Christmas:
        return SafeEncodeDate(year, 12, 25);
    case Holiday::ClockAhead:
        return DaylightTransition(year, true);
    case Holiday::ClockBack:
        return DaylightTransition(year, false);
    case Holiday::ValentinesDay:
        return SafeEncodeDate(year, 2, 14);
    case Holiday::StPatricksDay:
        return SafeEncodeDate(year, 3, 17);
    }
    return 0;
}

HolidayTable BuildHolidayTable(int year) {
    HolidayTable table;
    table.year = year;
    for (int number = 1; number <= kHolidayCount; ++number) {
        const auto holiday = static_cast<Holiday>(number);
        table.entries[number - 1] = {HolidayDate(holiday, year), holiday, HolidayName(holiday)};
    }
    std::stable_sort(table.entries.begin(), table.entries.end(),
                     [](const HolidayEntry& a, const HolidayEntry& b) { return a.date < b.date; });
    return table;
}

const HolidayTable& HolidayTableFor(int year) {
    Cache& cache = TheCache();
    if (!cache.valid || cache.table.year != year) {
        cache.table = BuildHolidayTable(year);
        cache.valid = true;
    }
    return cache.table;
}

void InvalidateHolidayTable() {
    TheCache().valid = false;
}

HolidayMatch HolidayNameOn(int startIndex, DateTime date) {
    const CivilDate civil = DecodeDate(date);
    if (civil.year == 0 || startIndex > kHolidayCount)
        return {};
    const HolidayTable& table = HolidayTableFor(civil.year);
    const double day = std::floor(date);
    for (int index = std::max(startIndex, 1); index <= kHolidayCount; ++index) {
        const HolidayEntry& entry = table.entries[index - 1];
        if (entry.date != 0 && std::floor(entry.date) == day)
            return {entry.name, index};
    }
    return {};
}

} // namespace skelvane

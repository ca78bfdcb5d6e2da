#include "astro/hebrew_calendar.h"

#include "astro/movable_feasts.h"

#include <array>
#include <cmath>

namespace skelvane {
namespace {

constexpr int kFirstPassoverYear = 359;
constexpr int kLastYear = 9999;
// 15 Nisan to 1 Tishri: 15 more days of Nisan, then Iyar 29, Sivan 30, Tammuz 29, Av 30,
// Elul 29.
constexpr int kPassoverToNewYearDays = 163;
constexpr int kTishri = 7;
// Hebrew years whose 1 Tishri and following 1 Tishri the Passover rule can give.
constexpr int kFirstHebrewYear = kFirstPassoverYear + kHebrewYearOffset;
constexpr int kLastHebrewYear = kLastYear + kHebrewYearOffset - 1;

constexpr std::array<int, 6> kYearLengths = {353, 354, 355, 383, 384, 385};

// Month lengths by year type, months 1 (Nisan) .. 13 (Adar 2).
constexpr int kMonthLengths[6][13] = {
    {30, 29, 30, 29, 30, 29, 30, 29, 29, 29, 30, 29, 0},
    {30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {30, 29, 30, 29, 30, 29, 30, 30, 30, 29, 30, 29, 0},
    {30, 29, 30, 29, 30, 29, 30, 29, 29, 29, 30, 30, 29},
    {30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 30, 30, 29},
    {30, 29, 30, 29, 30, 29, 30, 30, 30, 29, 30, 30, 29},
};

constexpr std::array<std::string_view, 13> kMonthNames = {
    "Nisan",   "Iyar",   "Sivan", "Tammuz", "Av",   "Elul",  "Tishri",
    "Heshvan", "Kislev", "Tevet", "Shevat", "Adar", "Adar 2"};

// 1 Tishri that begins Hebrew year gregorianYear + 3761.
DateResult NewYearOf(int gregorianYear) {
    DateResult passover = HebrewPassover(gregorianYear);
    if (passover.ok())
        passover.value += kPassoverToNewYearDays;
    return passover;
}

int NextMonth(int month) {
    return month == 13 ? 1 : month + 1;
}

} // namespace

std::string_view HebrewMonthName(int month) {
    if (month < 1 || month > 13)
        return {};
    return kMonthNames[month - 1];
}

DateResult HebrewPassover(int year) {
    if (year < kFirstPassoverYear)
        return {0, std::string(kOutOfRangeError)};
    if (year > kLastYear)
        return {0, std::string(kInvalidYearError)};
    // Up to 1582 the rule without the century correction gives the Julian-calendar date;
    // Passover always falls in March or April, before the October change.
    const bool julian = year <= 1582;
    const int marchDay = GaussPassoverMarchDay(year, julian ? 0 : GaussCenturyCorrection(year));
    // Counted on from 1 March, as the day can run past April.
    DateResult firstOfMarch =
        julian ? JulianCalendarToDate(year, 3, 1) : DateResult{SafeEncodeDate(year, 3, 1), {}};
    if (!firstOfMarch.ok())
        return firstOfMarch;
    return {firstOfMarch.value + marchDay - 1, {}};
}

int HebrewYearLength(int hebrewYear) {
    // Checked before any arithmetic on the year, which must not overflow.
    if (hebrewYear < kFirstHebrewYear || hebrewYear > kLastHebrewYear)
        return 0;
    const DateResult start = HebrewPassover(hebrewYear - kHebrewYearOffset);
    const DateResult end = HebrewPassover(hebrewYear - kHebrewYearOffset + 1);
    if (!start.ok() || !end.ok())
        return 0;
    return static_cast<int>(std::lround(end.value - start.value));
}

int HebrewYearType(int hebrewYear) {
    const int length = HebrewYearLength(hebrewYear);
    for (std::size_t type = 0; type < kYearLengths.size(); ++type)
        if (kYearLengths[type] == length)
            return static_cast<int>(type);
    return 0;
}

int HebrewMonthLength(int yearType, int month) {
    if (yearType < 0 || yearType > 5 || month < 1 || month > 13)
        return 0;
    return kMonthLengths[yearType][month - 1];
}

DateResult HebrewToDate(int hebrewYear, int month, int day) {
    // Range first: the month and day checks need the year type.
    if (hebrewYear < kFirstHebrewYear)
        return {0, std::string(kOutOfRangeError)};
    if (hebrewYear > kLastHebrewYear)
        return {0, std::string(kInvalidYearError)};
    DateResult newYear = NewYearOf(hebrewYear - kHebrewYearOffset);
    if (!newYear.ok())
        return newYear;
    const int type = HebrewYearType(hebrewYear);
    if (month < 1 || month > 13 || HebrewMonthLength(type, month) == 0)
        return {0, std::string(kInvalidMonthError)};
    if (day < 1 || day > HebrewMonthLength(type, month))
        return {0, std::string(kInvalidDayError)};
    DateTime date = newYear.value;
    for (int m = kTishri; m != month; m = NextMonth(m))
        date += HebrewMonthLength(type, m);
    return {date + day - 1, {}};
}

HebrewDateResult DateToHebrew(DateTime value) {
    const CalendarDateResult civil = DateToHistoricalCalendar(value);
    if (!civil.ok())
        return {{}, civil.error};
    const DateTime day = std::floor(value);
    int year = civil.date.year;
    DateResult start = NewYearOf(year);
    if (start.ok() && day < start.value) {
        --year;
        start = NewYearOf(year);
    }
    if (!start.ok())
        return {{}, start.error};
    const int hebrewYear = year + kHebrewYearOffset;
    if (HebrewYearLength(hebrewYear) == 0)
        return {{}, std::string(kInvalidYearError)};
    const int type = HebrewYearType(hebrewYear);
    int dayOfMonth = static_cast<int>(std::lround(day - start.value)) + 1;
    int month = kTishri;
    // At most 13 months; a common year's Adar 2 (0 days) is passed over.
    while (dayOfMonth > HebrewMonthLength(type, month)) {
        dayOfMonth -= HebrewMonthLength(type, month);
        month = NextMonth(month);
    }
    return {{hebrewYear, month, dayOfMonth}, {}};
}

DateTime HanukahDate(int year) {
    if (year < kFirstPassoverYear || year >= kLastYear)
        return 0;
    const HebrewDateResult hebrew = DateToHebrew(SafeEncodeDate(year, 12, 15));
    if (!hebrew.ok())
        return 0;
    return HebrewToDate(hebrew.date.year, 9, 25).value;
}

} // namespace skelvane

#include "astro/julian_calendar.h"

#include <cmath>

namespace skelvane {
namespace {

// Date-time value = Julian day number - this (the civil day starting at the midnight
// before the day number's noon).
constexpr long kDateTimeDayNumberOffset = 2415019;
constexpr int kFirstYear = -4713;
constexpr int kLastYear = 9999;

// Historians' year (no year 0) to astronomical year (1 BC = 0).
int AstronomicalYear(int year) {
    return year < 0 ? year + 1 : year;
}
int HistoriansYear(int astronomicalYear) {
    return astronomicalYear <= 0 ? astronomicalYear - 1 : astronomicalYear;
}

bool JulianLeapYear(int astronomicalYear) {
    // Astronomical years are never below -4712 here, so the remainder is taken of a
    // shifted positive number.
    return (astronomicalYear + 4800) % 4 == 0;
}

int JulianDaysInMonth(int astronomicalYear, int month) {
    static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && JulianLeapYear(astronomicalYear))
        return 29;
    return kLengths[month - 1];
}

// Day-number arithmetic of Richards (1998), valid for astronomical years above -4800.
long JulianDayNumberOfJulian(int astronomicalYear, int month, int day) {
    const long a = (14 - month) / 12;
    const long y = astronomicalYear + 4800 - a;
    const long m = month + 12 * a - 3;
    return day + (153 * m + 2) / 5 + 365 * y + y / 4 - 32083;
}

long JulianDayNumberOfGregorian(int astronomicalYear, int month, int day) {
    const long a = (14 - month) / 12;
    const long y = astronomicalYear + 4800 - a;
    const long m = month + 12 * a - 3;
    return day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

// Inverses for non-negative day numbers; the year comes back astronomical.
CivilDate JulianFromDayNumber(long dayNumber) {
    const long c = dayNumber + 32082;
    const long d = (4 * c + 3) / 1461;
    const long e = c - 1461 * d / 4;
    const long m = (5 * e + 2) / 153;
    return {static_cast<int>(d - 4800 + m / 10), static_cast<int>(m + 3 - 12 * (m / 10)),
            static_cast<int>(e - (153 * m + 2) / 5 + 1)};
}

CivilDate GregorianFromDayNumber(long dayNumber) {
    const long a = dayNumber + 32044;
    const long b = (4 * a + 3) / 146097;
    const long c = a - 146097 * b / 4;
    const long d = (4 * c + 3) / 1461;
    const long e = c - 1461 * d / 4;
    const long m = (5 * e + 2) / 153;
    return {static_cast<int>(100 * b + d - 4800 + m / 10), static_cast<int>(m + 3 - 12 * (m / 10)),
            static_cast<int>(e - (153 * m + 2) / 5 + 1)};
}

// Checks year, month and day of a Julian-calendar date; empty when it is real.
std::string_view CheckJulianDate(int year, int month, int day) {
    if (year == 0 || year < kFirstYear || year > kLastYear)
        return kInvalidYearError;
    if (month < 1 || month > 12)
        return kInvalidMonthError;
    if (day < 1 || day > JulianDaysInMonth(AstronomicalYear(year), month))
        return kInvalidDayError;
    return {};
}

DateResult FromDayNumber(long dayNumber) {
    if (dayNumber < 0)
        return {0, std::string(kNegativeJulianError)};
    return {static_cast<DateTime>(dayNumber - kDateTimeDayNumberOffset), {}};
}

struct DayNumberResult {
    long dayNumber = 0;
    std::string_view error;
};

DayNumberResult DayNumberOfValue(DateTime value) {
    // Beyond this the year is far outside 1..9999 anyway; the bound keeps the cast defined.
    constexpr double kLimit = 1e8;
    if (!std::isfinite(value) || std::fabs(value) > kLimit)
        return {0, kInvalidYearError};
    const long dayNumber = static_cast<long>(std::floor(value)) + kDateTimeDayNumberOffset;
    if (dayNumber < 0)
        return {0, kNegativeJulianError};
    return {dayNumber, {}};
}

CalendarDateResult ToResult(CivilDate astronomical) {
    if (astronomical.year > kLastYear)
        return {{}, std::string(kInvalidYearError)};
    astronomical.year = HistoriansYear(astronomical.year);
    return {astronomical, {}};
}

} // namespace

DateResult JulianCalendarToDate(int year, int month, int day) {
    if (const auto error = CheckJulianDate(year, month, day); !error.empty())
        return {0, std::string(error)};
    return FromDayNumber(JulianDayNumberOfJulian(AstronomicalYear(year), month, day));
}

CalendarDateResult DateToJulianCalendar(DateTime value) {
    const auto [dayNumber, error] = DayNumberOfValue(value);
    if (!error.empty())
        return {{}, std::string(error)};
    return ToResult(JulianFromDayNumber(dayNumber));
}

DateResult HistoricalCalendarToDate(int year, int month, int day) {
    if (year == 1582 && month == 10 && day > 4 && day < 15)
        return {0, std::string(kCalendarChangeError)};
    const bool gregorian =
        year > 1582 || (year == 1582 && (month > 10 || (month == 10 && day >= 15)));
    if (!gregorian)
        return JulianCalendarToDate(year, month, day);
    if (year > kLastYear)
        return {0, std::string(kInvalidYearError)};
    if (month < 1 || month > 12)
        return {0, std::string(kInvalidMonthError)};
    if (day < 1 || day > DaysInMonth(year, month))
        return {0, std::string(kInvalidDayError)};
    return FromDayNumber(JulianDayNumberOfGregorian(year, month, day));
}

CalendarDateResult DateToHistoricalCalendar(DateTime value) {
    const auto [dayNumber, error] = DayNumberOfValue(value);
    if (!error.empty())
        return {{}, std::string(error)};
    return ToResult(dayNumber >= kFirstGregorianDayNumber ? GregorianFromDayNumber(dayNumber)
                                                          : JulianFromDayNumber(dayNumber));
}

} // namespace skelvane

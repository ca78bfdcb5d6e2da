#pragma once

#include <cstdint>

namespace skelvane {

// A date-time value: days since 1899-12-30 00:00, the fraction being the time of day.
// Continuous across zero: calendar fields come from the floor of the value, the time of
// day from what is left. Each function says whether it expects local time or UTC; the
// engine itself computes in UTC. 0 doubles as "no date" where a function says so.
using DateTime = double;

// Julian date = date-time value + this offset.
inline constexpr double kJulianDateOffset = 2415018.5;

struct CivilDate {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    friend bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};

// The instant taken by the Sun, Moon and planet routines: day number (days since
// 1600-01-01, Gregorian; 0..876581 = 1600-01-01..3999-12-31, -1 = no date) and whole
// seconds after midnight UT (0..86399).
struct AstroTimeRec {
    std::int32_t day = -1;
    std::int32_t seconds = 0;
    bool valid() const { return day >= 0 && day <= 876581 && seconds >= 0 && seconds <= 86399; }
};

inline constexpr std::int32_t kLastDayNumber = 876581;

double ToJulianDate(DateTime value);
DateTime FromJulianDate(double julianDate);

// Day number of the value's calendar date; values outside 1600-01-01..3999-12-31 give a
// number outside 0..876581 (which the routines treat as invalid), NaN gives -1.
std::int32_t DayNumberFromDate(DateTime value);
// Date-time value at 00:00 of a day number; -1 gives 0.
DateTime DateFromDayNumber(std::int32_t day);
// Dates and times are decoded from one split: day = floor(value), time = the rest rounded to
// the millisecond, a rounding up to midnight carrying into the next day. Values that are
// not finite or lie more than 1e9 days from 1899-12-30 cannot be decoded.

// Whole seconds of the value's decoded time of day (0..86399); 0 when it cannot be decoded.
std::int32_t SecondsFromTime(DateTime value);
// Time-of-day fraction of a count of seconds; -1 gives 0.
DateTime TimeFromSeconds(std::int32_t seconds);
// Day number and whole seconds of the decoded value; an invalid record (day -1) outside
// 1600-01-01..3999-12-31.
AstroTimeRec AstroTimeFromDateTime(DateTime value);
// Julian date of a record = day - 0.5 + 2305448 + seconds / 86400.
double JulianDateOf(const AstroTimeRec& time);

bool IsLeapYear(int year);
// 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
// The value for a real date in years 1..9999, else 0 (callers read 0 as no date).
DateTime SafeEncodeDate(int year, int month, int day);
// Also 0 when the time fields are out of range (hour 0..23, minute and second 0..59,
// millisecond 0..999).
DateTime SafeEncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                            int millisecond);
// All fields 0 for a value that cannot be decoded.
CivilDate DecodeDate(DateTime value);
// Time of day rounded to the millisecond (a value that rounds up to midnight reads 00:00).
TimeOfDay DecodeTime(DateTime value);
// The date of dateSource with the time of day of timeSource.
DateTime CombineDateTime(DateTime timeSource, DateTime dateSource);
// Date part (floor) of a value.
DateTime DateOf(DateTime value);

// These three give 0 for a value that cannot be decoded.
// 1 = Monday .. 7 = Sunday.
int DayOfWeekIso(DateTime value);
// 1..366.
int DayOfYear(DateTime value);
// ISO 8601 week number, 1..53.
int IsoWeekNumber(DateTime value);

// Day of the month of the n-th given weekday (1 = Monday .. 7 = Sunday); when the month
// has fewer matches, the last one (so n = 5 is "last"). Any argument of 0 or less, or a
// weekday or month out of range, gives 7.
int NthWeekdayOfMonth(int weekday, int year, int month, int n);
// That day as a value at 00:00 (0 when the month is not real).
DateTime NthWeekdayDate(int weekday, int year, int month, int n);

// Day of the year by the almanac sunrise formula's own expression.
int DayOfYearAlmanac(int day, int month, int year);

} // namespace skelvane

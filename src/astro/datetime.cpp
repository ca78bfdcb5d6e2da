#include "astro/datetime.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace skelvane {

namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;
// Date-time value of 1600-01-01, day number 0.
constexpr std::int64_t kDayNumberEpoch = -109'571;
// Values further from 1899-12-30 than this (about 2.7 million years) are not decoded: the
// day count would lose its fraction and the year would no longer fit an int.
constexpr double kMaxDecodableDays = 1e9;

// Floor division and modulo for integers.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}
std::int64_t FloorMod(std::int64_t a, std::int64_t b) {
    return a - FloorDiv(a, b) * b;
}

// Days from 1899-12-30 to a proleptic Gregorian date. Counts in 400-year cycles
// (146097 days) of years that start on March 1, so that the leap day falls at the end of
// each counted year (the era method described by H. Hinnant, "chrono-Compatible
// Low-Level Date Algorithms").
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
    const std::int64_t y = month <= 2 ? year - 1 : year;
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yearOfEra = y - era * 400;                          // 0..399
    const int shiftedMonth = month > 2 ? month - 3 : month + 9;            // March = 0
    const std::int64_t dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1; // 0..365
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    // 0000-03-01 lies 693899 days before 1899-12-30.
    return era * 146097 + dayOfEra - 693'899;
}

CivilDate CivilFromDays(std::int64_t days) {
    const std::int64_t z = days + 693'899;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t dayOfEra = z - era * 146097; // 0..146096
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return CivilDate{static_cast<int>(year), month, day};
}

// A value split into whole days and the time of day rounded to the millisecond. Rounding
// up to midnight carries into the next day, so date and time read together agree.
struct SplitValue {
    std::int64_t day = 0;
    std::int64_t ms = 0; // 0..86399999
};

std::optional<SplitValue> Split(DateTime value) {
    if (!std::isfinite(value) || std::fabs(value) > kMaxDecodableDays)
        return std::nullopt;
    const double whole = std::floor(value);
    SplitValue split{static_cast<std::int64_t>(whole),
                     static_cast<std::int64_t>(std::nearbyint((value - whole) * kMsPerDay))};
    if (split.ms >= kMsPerDay) {
        split.ms -= kMsPerDay;
        ++split.day;
    }
    return split;
}

int DayOfYearOf(std::int64_t day) {
    const CivilDate date = CivilFromDays(day);
    return static_cast<int>(day - DaysFromCivil(date.year, 1, 1)) + 1;
}

} // namespace

double ToJulianDate(DateTime value) {
    return value + kJulianDateOffset;
}
DateTime FromJulianDate(double julianDate) {
    return julianDate - kJulianDateOffset;
}

std::int32_t DayNumberFromDate(DateTime value) {
    if (std::isnan(value))
        return -1;
    if (const auto split = Split(value))
        return static_cast<std::int32_t>(split->day - kDayNumberEpoch);
    return value < 0 ? std::numeric_limits<std::int32_t>::min()
                     : std::numeric_limits<std::int32_t>::max();
}

DateTime DateFromDayNumber(std::int32_t day) {
    if (day == -1)
        return 0;
    return static_cast<double>(static_cast<std::int64_t>(day) + kDayNumberEpoch);
}

std::int32_t SecondsFromTime(DateTime value) {
    const auto split = Split(value);
    return split ? static_cast<std::int32_t>(split->ms / 1000) : 0;
}

DateTime TimeFromSeconds(std::int32_t seconds) {
    if (seconds == -1)
        return 0;
    return static_cast<double>(seconds) / 86400.0;
}

AstroTimeRec AstroTimeFromDateTime(DateTime value) {
    const auto split = Split(value);
    if (!split)
        return AstroTimeRec{};
    const std::int64_t day = split->day - kDayNumberEpoch;
    if (day < 0 || day > kLastDayNumber)
        return AstroTimeRec{};
    return AstroTimeRec{static_cast<std::int32_t>(day),
                        static_cast<std::int32_t>(split->ms / 1000)};
}

double JulianDateOf(const AstroTimeRec& time) {
    return time.day - 0.5 + 2305448.0 + time.seconds / 86400.0;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

namespace {
bool IsRealDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && day >= 1 && day <= DaysInMonth(year, month);
}
} // namespace

DateTime SafeEncodeDate(int year, int month, int day) {
    if (!IsRealDate(year, month, day))
        return 0;
    return static_cast<double>(DaysFromCivil(year, month, day));
}

DateTime SafeEncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                            int millisecond) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999 || !IsRealDate(year, month, day))
        return 0;
    const DateTime date = SafeEncodeDate(year, month, day);
    const std::int64_t ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    return date + static_cast<double>(ms) / kMsPerDay;
}

CivilDate DecodeDate(DateTime value) {
    const auto split = Split(value);
    return split ? CivilFromDays(split->day) : CivilDate{};
}

TimeOfDay DecodeTime(DateTime value) {
    const auto split = Split(value);
    if (!split)
        return TimeOfDay{};
    const std::int64_t ms = split->ms;
    return TimeOfDay{static_cast<int>(ms / 3'600'000), static_cast<int>(ms / 60'000 % 60),
                     static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000)};
}

DateTime CombineDateTime(DateTime timeSource, DateTime dateSource) {
    return std::floor(dateSource) + (timeSource - std::floor(timeSource));
}

DateTime DateOf(DateTime value) {
    return std::floor(value);
}

int DayOfWeekIso(DateTime value) {
    const auto split = Split(value);
    // 1899-12-30 was a Saturday (6).
    return split ? static_cast<int>(FloorMod(split->day + 5, 7)) + 1 : 0;
}

int DayOfYear(DateTime value) {
    const auto split = Split(value);
    return split ? DayOfYearOf(split->day) : 0;
}

int IsoWeekNumber(DateTime value) {
    const auto split = Split(value);
    if (!split)
        return 0;
    // The week belongs to the year that holds its Thursday.
    const std::int64_t weekday = FloorMod(split->day + 5, 7) + 1;
    const std::int64_t thursday = split->day + 4 - weekday;
    return (DayOfYearOf(thursday) - 1) / 7 + 1;
}

int NthWeekdayOfMonth(int weekday, int year, int month, int n) {
    if (weekday <= 0 || year <= 0 || month <= 0 || n <= 0 || weekday > 7 || month > 12)
        return 7;
    const int firstWeekday = static_cast<int>(FloorMod(DaysFromCivil(year, month, 1) + 5, 7)) + 1;
    int day = 1 + (weekday - firstWeekday + 7) % 7;
    const int lastDay = DaysInMonth(year, month);
    for (int match = 1; match < n && day + 7 <= lastDay; ++match)
        day += 7;
    return day;
}

DateTime NthWeekdayDate(int weekday, int year, int month, int n) {
    return SafeEncodeDate(year, month, NthWeekdayOfMonth(weekday, year, month, n));
}

int DayOfYearAlmanac(int day, int month, int year) {
    const std::int64_t n1 = FloorDiv(275LL * month, 9);
    const std::int64_t n2 = FloorDiv(month + 9LL, 12);
    const std::int64_t n3 = 1 + FloorDiv(year - 4 * FloorDiv(year, 4) + 2, 3);
    return static_cast<int>(n1 - n2 * n3 + day - 30);
}

} // namespace skelvane

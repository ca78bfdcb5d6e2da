#include "astro/regional_dst.h"

namespace skelvane {

namespace {

constexpr int kSunday = 7;
constexpr int kLast = 5;

// The calendar year of a value, or 0 when its transitions cannot be encoded.
int RuleYear(DateTime value) {
    const int year = DecodeDate(value).year;
    return year >= 1 && year <= 9999 ? year : 0;
}

// The n-th Sunday of a month at a clock time.
DateTime SundayAt(int year, int month, int n, double hour) {
    return NthWeekdayDate(kSunday, year, month, n) + hour / 24.0;
}

} // namespace

bool OldUsDstActive(DateTime value) {
    const int year = RuleYear(value);
    return year != 0 && value >= SundayAt(year, 4, 1, 2) && value < SundayAt(year, 10, kLast, 2);
}

bool EuDstActive(DateTime value) {
    const int year = RuleYear(value);
    return year != 0 && value >= SundayAt(year, 3, kLast, 1) &&
           value < SundayAt(year, 10, kLast, 1);
}

bool SouthDstActive(DateTime value) {
    const int year = RuleYear(value);
    return year != 0 && (value >= SundayAt(year, 10, 1, 2) || value < SundayAt(year, 3, 3, 2));
}

} // namespace skelvane

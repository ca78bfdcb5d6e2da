#include "astro/movable_feasts.h"

#include "astro/julian_calendar.h"

#include <cmath>

namespace skelvane {
namespace {

bool YearInRange(int year) {
    return year >= 1 && year <= 9999;
}

// Floor division for the one place a numerator can be negative (years below 100).
int FloorDiv(int a, int b) {
    const int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Counting on from 1 March rather than writing (d - 31) April: late in the fourth
// millennium the rule reaches day 62, which is 1 May, not "31 April".
DateTime MarchDayToDate(int year, int marchDay) {
    const DateTime firstOfMarch = SafeEncodeDate(year, 3, 1);
    return firstOfMarch == 0 ? 0 : firstOfMarch + marchDay - 1;
}

} // namespace

DateTime EasterDate(int year) {
    if (!YearInRange(year))
        return 0;
    const int g = year % 19;
    const int c = year / 100;
    const int h = (c - c / 4 - (8 * c + 13) / 25 + 19 * g + 15) % 30;
    const int i = h - (h / 28) * (1 - (29 / (h + 1)) * (h / 28) * ((21 - g) / 11));
    const int j = (year + year / 4 + i + 2 - c + c / 4) % 7;
    const int l = i - j;
    const int month = 3 + (l + 40) / 44;
    const int day = l + 28 - 31 * (month / 4);
    DateTime date = SafeEncodeDate(year, month, day);
    // The computus already yields a Sunday; the walk only guards the arithmetic.
    for (int step = 0; step < 6 && date != 0 && DayOfWeekIso(date) != 7; ++step)
        date += 1;
    return date;
}

DateTime OrthodoxEasterDate(int year) {
    if (!YearInRange(year))
        return 0;
    const int i = (19 * (year % 19) + 15) % 30;
    const int j = (year + year / 4 + i) % 7;
    const int l = i - j;
    const int month = 3 + (l + 40) / 44;
    const int day = l + 28 - 31 * (month / 4);
    // Year 9999's Julian Easter is a Gregorian date of 9999 as well (the calendars are
    // 75 days apart by then), so every year in range converts.
    return JulianCalendarToDate(year, month, day).value;
}

int GaussCenturyCorrection(int year) {
    return FloorDiv(3 * (year / 100) - 5, 4);
}

int GaussPassoverMarchDay(int year, int centuryCorrection) {
    const int s = centuryCorrection;
    const int a = (12 * year + 12) % 19;
    const int b = year % 4;
    const double x = 1.554241796621 * a - 1.904412361576 + 0.25 * b - 0.003177794022 * year + s;
    const int whole = static_cast<int>(std::floor(x));
    const double fraction = x - whole;
    const int c = ((whole + 3 * year + 5 * b - s + 2) % 7 + 7) % 7;
    int d = (c == 2 || c == 4 || c == 6) ? whole + 23 : whole + 22;
    if (c == 1 && a > 6 && fraction >= 0.63287037)
        d = whole + 24;
    if (c == 0 && a > 11 && fraction >= 0.897723765)
        d = whole + 23;
    return d;
}

DateTime PassoverDate(int year) {
    if (!YearInRange(year))
        return 0;
    return MarchDayToDate(year, GaussPassoverMarchDay(year, GaussCenturyCorrection(year)));
}

} // namespace skelvane

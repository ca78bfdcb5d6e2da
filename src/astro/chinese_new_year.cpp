#include "astro/chinese_new_year.h"

#include "astro/apparent_position.h"
#include "astro/moon_calendar.h"
#include "astro/seasons.h"

#include <cmath>

namespace skelvane {
namespace {

constexpr double kChinaStandardOffsetDays = 8.0 / 24.0;
constexpr double kBeijingMeanTimeOffsetDays = 0.3233796;
// A term more than this many months away from the month of x means the Sun search failed.
constexpr int kMaxMonthSteps = 3;

int PrincipalTermOfMonth(int month) {
    return (2 * month + 18) % 24;
}

// Steps a (year, month) pair by one month either way.
void StepMonth(int& year, int& month, int direction) {
    month += direction;
    if (month > 12) {
        month = 1;
        ++year;
    } else if (month < 1) {
        month = 12;
        --year;
    }
}

// Signed difference target - λ of the apparent Sun, taken the short way round (degrees).
double LongitudeShortfall(DateTime utc, double target) {
    const double lambda = static_cast<double>(ApparentSunPosition(utc).longitude);
    return std::remainder(target - lambda, 360.0);
}

// Second search for the instant the Sun reaches `target`, for the rare term where
// SolarLongitudeDate's much tighter search does not settle: bisection on the apparent
// longitude within ±20 days of its first guess, to 1e-6 day. Only the China date of the
// term matters here. 0 when the bracket does not hold the term.
DateTime SolarLongitudeByBisection(DateTime guess, double target) {
    DateTime low = guess - 20;
    DateTime high = guess + 20;
    if (!(LongitudeShortfall(low, target) > 0 && LongitudeShortfall(high, target) < 0))
        return 0;
    while (high - low > 1e-6) {
        const DateTime middle = (low + high) / 2;
        (LongitudeShortfall(middle, target) > 0 ? low : high) = middle;
    }
    return (low + high) / 2;
}

// China-time instant of the principal term of a Gregorian month; 0 on failure.
DateTime PrincipalTermOf(int year, int month) {
    const int term = PrincipalTermOfMonth(month);
    DateTime utc = SolarLongitudeDate(year, term);
    if (utc == 0) {
        // The Sun moves about 30° a month; the 21st of the month is within days of every
        // principal term.
        utc = SolarLongitudeByBisection(SafeEncodeDate(year, month, 21), term * 15.0);
    }
    return utc == 0 ? 0 : ChinaTimeFromUtc(utc);
}

DateTime ChinaDate(DateTime chinaTime) {
    return std::floor(chinaTime);
}

// China date of the first new moon at or after the China-time value; 0 on failure. The
// search runs in UTC so that a new moon early on a China date counts for that date.
DateTime NextNewMoon(DateTime chinaTime) {
    const DateTime approxUtc = chinaTime - kChinaStandardOffsetDays;
    const PhaseSearchResult found = NextPhaseAfter(0, approxUtc - 1);
    if (!found.ok())
        return 0;
    // Step on to the first one whose China time is not before x (the offset before 1929 is
    // smaller than the one the search assumed).
    DateTime utc = found.value;
    for (int step = 0; step < 3 && ChinaTimeFromUtc(utc) < chinaTime; ++step) {
        const PhaseSearchResult next = NextPhaseAfter(0, utc + 1);
        if (!next.ok())
            return 0;
        utc = next.value;
    }
    return ChinaTimeFromUtc(utc) < chinaTime ? 0 : ChinaDate(ChinaTimeFromUtc(utc));
}

// China date of the last new moon at or before the China-time value; 0 on failure.
DateTime LastNewMoon(DateTime chinaTime) {
    const DateTime approxUtc = chinaTime - kChinaStandardOffsetDays;
    const PhaseSearchResult found = LastPhaseBefore(0, approxUtc + 1);
    if (!found.ok())
        return 0;
    DateTime utc = found.value;
    for (int step = 0; step < 3 && ChinaTimeFromUtc(utc) > chinaTime; ++step) {
        const PhaseSearchResult previous = LastPhaseBefore(0, utc - 1);
        if (!previous.ok())
            return 0;
        utc = previous.value;
    }
    return ChinaTimeFromUtc(utc) > chinaTime ? 0 : ChinaDate(ChinaTimeFromUtc(utc));
}

// Whether the lunar month that starts on China date monthStart holds no principal term:
// the last term before its start and the last term before the next month's start are the
// same one. Failure reads as "has a term".
bool HasNoPrincipalTerm(DateTime monthStart) {
    const DateTime nextStart = NextNewMoon(monthStart + 2);
    const DateTime before = PreviousPrincipalTerm(monthStart);
    const DateTime beforeNext = PreviousPrincipalTerm(nextStart);
    if (nextStart == 0 || before == 0 || beforeNext == 0)
        return false;
    return ChinaDate(before) == ChinaDate(beforeNext);
}

} // namespace

DateTime ChinaTimeFromUtc(DateTime utc) {
    static const DateTime kChinaStandardTimeStart = SafeEncodeDate(1929, 1, 1);
    return utc +
           (utc >= kChinaStandardTimeStart ? kChinaStandardOffsetDays : kBeijingMeanTimeOffsetDays);
}

DateTime NextPrincipalTerm(DateTime chinaTime) {
    const CivilDate start = DecodeDate(chinaTime);
    if (start.year == 0)
        return 0;
    int year = start.year;
    int month = start.month;
    for (int step = 0; step <= kMaxMonthSteps; ++step) {
        const DateTime term = PrincipalTermOf(year, month);
        if (term == 0)
            return 0;
        if (term >= chinaTime)
            return term;
        StepMonth(year, month, +1);
    }
    return 0;
}

DateTime PreviousPrincipalTerm(DateTime chinaTime) {
    const CivilDate start = DecodeDate(chinaTime);
    if (start.year == 0)
        return 0;
    int year = start.year;
    int month = start.month;
    for (int step = 0; step <= kMaxMonthSteps; ++step) {
        const DateTime term = PrincipalTermOf(year, month);
        if (term == 0)
            return 0;
        if (term < chinaTime)
            return term;
        StepMonth(year, month, -1);
    }
    return 0;
}

DateTime ChineseNewYearDate(int year) {
    if (year < 2 || year > 9998)
        return 0;
    const DateTime solstice1 = NextPrincipalTerm(SafeEncodeDate(year - 1, 12, 15));
    const DateTime solstice2 = NextPrincipalTerm(SafeEncodeDate(year, 12, 15));
    if (solstice1 == 0 || solstice2 == 0)
        return 0;
    const DateTime s1 = ChinaDate(solstice1);
    const DateTime s2 = ChinaDate(solstice2);
    // m1 starts the 12th month, m2 normally the 1st.
    const DateTime m1 = NextNewMoon(s1 + 1);
    const DateTime m2 = m1 == 0 ? 0 : NextNewMoon(m1 + 4);
    const DateTime nextEleventh = LastNewMoon(s2 + 1);
    if (m2 == 0 || nextEleventh == 0)
        return 0;
    const long lunations = std::lround((nextEleventh - m1) / kSynodicMonthDays);
    if (lunations == 12 && (HasNoPrincipalTerm(m1) || HasNoPrincipalTerm(m2)))
        return NextNewMoon(m2 + 1);
    return m2;
}

} // namespace skelvane

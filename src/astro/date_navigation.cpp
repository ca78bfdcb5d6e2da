#include "astro/date_navigation.h"

#include <algorithm>
#include <cmath>

namespace skelvane {

DateTime GoToHolidayDate(Holiday holiday, DateTime selected) {
    const CivilDate civil = DecodeDate(selected);
    if (civil.year == 0)
        return 0;
    return std::floor(HolidayDate(holiday, civil.year));
}

DateTime GoToDaylightTransition(const TimeZoneState& state, bool start) {
    // A zone without daylight saving keeps 0 here; selecting 30 December 1899 would be
    // meaningless, so nothing is selected.
    const DateTime instant = start ? state.daylightStart : state.daylightEnd;
    return instant == 0 ? 0 : std::floor(instant);
}

bool CanNavigate(NavigationStep step, DateTime selected) {
    const CivilDate civil = DecodeDate(selected);
    if (civil.year == 0)
        return false;
    switch (step) {
    case NavigationStep::PreviousDay:
        return DecodeDate(std::floor(selected) - 1).year > kFirstNavigableYear;
    case NavigationStep::NextDay:
        return DecodeDate(std::floor(selected) + 1).year < kLastNavigableYear;
    case NavigationStep::PreviousMonth:
        return civil.year > kFirstNavigableYear || civil.month > 2;
    case NavigationStep::NextMonth:
        return civil.year < kLastNavigableYear || civil.month < 12;
    case NavigationStep::PreviousYear:
        return civil.year > kFirstNavigableYear;
    case NavigationStep::NextYear:
        return civil.year < kLastNavigableYear;
    }
    return false;
}

int ClampDayToMonth(int year, int month, int day) {
    const int length = DaysInMonth(year, month);
    if (length == 0)
        return 0;
    return std::clamp(day, 1, length);
}

DateTime ChangeMonthYear(DateTime selected, int year, int month) {
    const CivilDate civil = DecodeDate(selected);
    if (civil.year == 0 || year < kFirstNavigableYear || year > kLastNavigableYear || month < 1 ||
        month > 12)
        return 0;
    return SafeEncodeDate(year, month, ClampDayToMonth(year, month, civil.day));
}

DateTime Navigate(NavigationStep step, DateTime selected) {
    const DateTime day = std::floor(selected);
    if (!CanNavigate(step, selected))
        return day;
    const CivilDate civil = DecodeDate(selected);
    int year = civil.year;
    int month = civil.month;
    switch (step) {
    case NavigationStep::PreviousDay:
        return day - 1;
    case NavigationStep::NextDay:
        return day + 1;
    case NavigationStep::PreviousMonth:
        month == 1 ? (month = 12, --year) : --month;
        break;
    case NavigationStep::NextMonth:
        month == 12 ? (month = 1, ++year) : ++month;
        break;
    case NavigationStep::PreviousYear:
        --year;
        break;
    case NavigationStep::NextYear:
        ++year;
        break;
    }
    return ChangeMonthYear(selected, year, month);
}

DateTime YearCalendarDateFor(DateTime selected, DateTime shown) {
    const CivilDate date = DecodeDate(selected);
    if (date.year >= kFirstYearCalendarYear)
        return selected;
    if (shown != 0 && DecodeDate(shown).year == kFirstYearCalendarYear)
        return shown;
    // 1756 is a leap year, so every month and day exists in it.
    return SafeEncodeDate(kFirstYearCalendarYear, date.month, date.day);
}

} // namespace skelvane

#pragma once

#include "astro/datetime.h"
#include "astro/holidays.h"
#include "astro/timezone.h"

namespace skelvane {

// The dates that the clock window's Go To and navigation commands select. All dates are
// local calendar days (date-time values at 00:00); 0 means "select nothing".

// Years the month calendar may show.
inline constexpr int kFirstNavigableYear = 1600;
inline constexpr int kLastNavigableYear = 3429;

// A holiday command: the holiday's date in the year of the selected date, by its rule
// (HolidayDate), reduced to its calendar day. 0 when the rule gives no date (a clock
// change in a zone without daylight saving).
DateTime GoToHolidayDate(Holiday holiday, DateTime selected);

// "Go To Start Daylight Savings" / "Go To End Daylight Savings": the calendar day of the
// transition kept by the last reading of the time zone; 0 when that reading had none.
DateTime GoToDaylightTransition(const TimeZoneState& state, bool start);

enum class NavigationStep {
    PreviousDay,
    NextDay,
    PreviousMonth,
    NextMonth,
    PreviousYear,
    NextYear
};

// Whether the step is allowed from the selected date: previous day while the result's year
// is above 1600, next day while it is below 3429; previous year while the year is above
// 1600, next year while it is below 3429; previous month while the year is above 1600 or
// the month above 2, next month while the year is below 3429 or the month below 12. False
// for a date that cannot be decoded.
bool CanNavigate(NavigationStep step, DateTime selected);

// The date selected by the step (its calendar day; month and year steps keep the day of
// the month, stepped back until it exists in the target month), or the selected day
// unchanged when the step is not allowed.
DateTime Navigate(NavigationStep step, DateTime selected);

// The day of the month stepped back until it exists in the month: 31 in a 30-day month
// gives 30, 30 February gives 28 or 29. 0 for a month outside 1..12.
int ClampDayToMonth(int year, int month, int day);

// The date a change through the month and year lists selects: the given year and month
// with the selected day of the month, clamped by ClampDayToMonth. 0 for a year outside
// 1600..3429 or a month outside 1..12.
DateTime ChangeMonthYear(DateTime selected, int year, int month);

// The first year the year calendar can show.
inline constexpr int kFirstYearCalendarYear = 1756;

// The date the year calendar takes when the month calendar selects `selected`: the same
// date, except that before 1756 it is the same month and day in 1756, or, when the year
// calendar already shows a date in 1756 (`shown`), that date stays.
DateTime YearCalendarDateFor(DateTime selected, DateTime shown);

} // namespace skelvane

#pragma once

#include "astro/datetime.h"

#include <string>
#include <string_view>

namespace skelvane {

// Error texts of the calendar conversions (Julian, historical and Hebrew calendars).
inline constexpr std::string_view kInvalidMonthError = "Invalid month";
inline constexpr std::string_view kInvalidDayError = "Invalid day";
inline constexpr std::string_view kInvalidYearError = "Invalid year";
inline constexpr std::string_view kCalendarChangeError = "Date invalid due to calendar change";
inline constexpr std::string_view kNegativeJulianError = "Negative julian dates not supported";

// A date-time value or the reason there is none (value 0 then).
struct DateResult {
    DateTime value = 0;
    std::string error;
    bool ok() const { return error.empty(); }
};

// A calendar date (year, month 1..12, day) or the reason there is none (all fields 0).
// Years count as historians do: -1 is 1 BC, there is no year 0.
struct CalendarDateResult {
    CivilDate date;
    std::string error;
    bool ok() const { return error.empty(); }
};

// The calendar change of 1582: 4 October 1582 (Julian calendar) was followed by
// 15 October 1582 (Gregorian calendar). Julian day number of 15 October 1582.
inline constexpr long kFirstGregorianDayNumber = 2299161;

// Date-time value (00:00 of the day) of a date of the Julian calendar. Years -4713..9999
// without 0 (-1 = 1 BC). Errors: "Invalid year" (0, 10000 and above), "Invalid month",
// "Invalid day", "Negative julian dates not supported" (before 1 January 4713 BC).
// Agrees with Meeus ch. 7 (B = 0); integer form after Richards, "Mapping Time" (1998).
DateResult JulianCalendarToDate(int year, int month, int day);

// The Julian-calendar date of the day containing a date-time value (local or UTC, the
// calendar day is taken as it stands). Errors: "Negative julian dates not supported",
// "Invalid year" (year 10000 and above, or a value that is not a finite number).
CalendarDateResult DateToJulianCalendar(DateTime value);

// Date-time value of a date of the historical calendar: the Julian calendar up to
// 4 October 1582, the Gregorian one from 15 October 1582. The errors of
// JulianCalendarToDate, and "Date invalid due to calendar change" for 5..14 October 1582.
DateResult HistoricalCalendarToDate(int year, int month, int day);

// The historical-calendar date of the day containing a date-time value. Errors as for
// DateToJulianCalendar.
CalendarDateResult DateToHistoricalCalendar(DateTime value);

} // namespace skelvane

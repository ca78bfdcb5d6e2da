#pragma once

#include "astro/datetime.h"
#include "astro/julian_calendar.h"

#include <string>
#include <string_view>

namespace skelvane {

inline constexpr std::string_view kOutOfRangeError = "Out of range of the algorithm";

// The Hebrew year AM h begins with 1 Tishri in the autumn of Gregorian year h - 3761.
inline constexpr int kHebrewYearOffset = 3761;

// A Hebrew date: year Anno Mundi, month 1..13 numbered from Nisan (7 = Tishri, where the
// year begins; 12 = Adar, Adar I in a leap year; 13 = Adar 2, leap years only), day.
struct HebrewDate {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const HebrewDate&, const HebrewDate&) = default;
};

struct HebrewDateResult {
    HebrewDate date; // all 0 when there is an error
    std::string error;
    bool ok() const { return error.empty(); }
};

// "Nisan", "Iyar", ... "Adar", "Adar 2" for months 1..13; empty for any other number.
std::string_view HebrewMonthName(int month);

// Passover day 1 (15 Nisan) of a year of the historical calendar, by Gauss's Passover
// rule: the Gregorian correction from 1583, the Julian-calendar date (no correction) up
// to 1582. Years 359..9999. Errors: "Out of range of the algorithm" below 359, "Invalid
// year" above 9999.
DateResult HebrewPassover(int year);

// Days in Hebrew year h (1 Tishri to the next 1 Tishri), from two Passovers 163 days
// before each 1 Tishri. 0 when either Passover is out of range (h below 4120 or above
// 13759).
int HebrewYearLength(int hebrewYear);

// Year type 0..5 for 353, 354, 355, 383, 384, 385 days. 0 as well when the length is
// none of these (only an out-of-range year).
int HebrewYearType(int hebrewYear);

// Days in month 1..13 for a year type 0..5; Adar 2 has 0 days in a common year. 0 for a
// month or type out of range.
int HebrewMonthLength(int yearType, int month);

// Date-time value (00:00) of a Hebrew date. Errors: "Invalid month" (outside 1..13, or 13
// in a common year), "Invalid day" (0 or beyond the month's length), "Out of range of the
// algorithm" / "Invalid year" for years outside 4120..13759.
DateResult HebrewToDate(int hebrewYear, int month, int day);

// The Hebrew date of the calendar day of a date-time value (its time of day is ignored;
// the Hebrew day's start at sunset is not modelled). Dates from 1 Tishri 4120 (autumn of
// 359, Julian calendar) to 31 December 9998. Errors as for HebrewPassover, or those of the
// historical calendar for a value outside it.
HebrewDateResult DateToHebrew(DateTime value);

// Hanukah day 1 (25 Kislev) falling in December of a Gregorian year: the Hebrew year of
// 15 December, then 25 Kislev of it. 0 (no date) outside 359..9998.
DateTime HanukahDate(int year);

} // namespace skelvane

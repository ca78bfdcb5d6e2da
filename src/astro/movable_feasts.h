#pragma once

#include "astro/datetime.h"

namespace skelvane {

// The Christian and Jewish movable feasts of a Gregorian year as date-time values at 00:00
// (a calendar day, valid as local date). Years 1..9999 (the rules are used for 1600..3429);
// 0 (no date) for any other year.

// Easter Sunday, Gregorian computus (the anonymous Gregorian algorithm in the integer form
// of Oudin, 1940). Always a Sunday, 22 March .. 25 April.
DateTime EasterDate(int year);

// Orthodox Easter Sunday: the Julian computus (Meeus ch. 8), its Julian-calendar date
// converted to a Gregorian date-time value.
DateTime OrthodoxEasterDate(int year);

// Passover day 1 (15 Nisan) by Gauss's Passover rule with the Gregorian correction, as a
// Gregorian date (proleptic before 1583; HebrewPassover handles the calendar change).
DateTime PassoverDate(int year);

// Gauss's rule as a day of March (32 = 1 April, 62 = 1 May) for a century correction s.
// Shared with HebrewPassover, which uses s = 0 before 1583.
int GaussPassoverMarchDay(int year, int centuryCorrection);

// Gauss's century correction floor((3 * floor(year / 100) - 5) / 4) of the Gregorian
// calendar.
int GaussCenturyCorrection(int year);

} // namespace skelvane

#pragma once

#include "astro/datetime.h"

namespace skelvane {

// China's civil time for a UTC instant: UTC + 8 h from 1929 (the instant's UTC year) on,
// Beijing mean time UTC + 7 h 45 m 40 s (0.3233796 day) before.
DateTime ChinaTimeFromUtc(DateTime utc);

// China-time instant of the first principal solar term (Sun at a multiple of 30°) at or
// after the China-time value x; 0 when the Sun's position cannot be found. The principal
// term of Gregorian month m is the Sun at ((2m + 18) mod 24) × 15°.
DateTime NextPrincipalTerm(DateTime chinaTime);
// China-time instant of the last principal term strictly before x; 0 on failure.
DateTime PreviousPrincipalTerm(DateTime chinaTime);

// Chinese New Year (the first day of the first lunar month) that falls in a Gregorian
// year, as the China civil date at 00:00. The 11th month holds the winter solstice; with
// 12 lunations between the months after two solstices, the first month without a
// principal term is the leap month (Aslaksen, "The Mathematics of the Chinese Calendar",
// 2010). Solar terms from SolarLongitudeDate, new moons from the Moon's calendar model.
// Years 1601..3428 (every year of the system's calendar); 0 (no date) when a solar term or
// new moon cannot be found, or the year is outside 2..9998.
DateTime ChineseNewYearDate(int year);

} // namespace skelvane

#pragma once

#include "astro/datetime.h"

#include <string_view>

namespace skelvane {

// Instant (UTC date-time value) of the March equinox, June solstice, September equinox or
// December solstice of a year; which is "MAR", "JUN", "SEP" or "DEC" in any case
// (Meeus ch. 27). Any other name gives 0.
DateTime EquinoxSolstice(int year, std::string_view which);

// ΔT = TT − UT in seconds for a year: the observed annual series 1620..2014, polynomial
// extrapolations before, year − 1941 after.
double DeltaTSeconds(int year);

// UTC instant at which the Sun's apparent longitude equals term × 15° (term 0..23) in the
// given year (years 1..9999), found to 3e-10° or, where the date value cannot resolve that
// far from 1900, to the closest date the search reaches. 0 for a term or year out of range.
DateTime SolarLongitudeDate(int year, int term);

} // namespace skelvane

#pragma once

#include <string>

namespace skelvane {

// Right ascension in degrees as hours and minutes of the planet table, "hh mm.mm":
// the whole hours 2 wide, a blank, the minutes 5 wide with 2 decimals and a leading zero
// ("18 45.12", " 0 05.50"). Angles of a full turn or more are reduced, negative ones
// brought into 0..360; minutes that round to 60 carry into the hour and hour 24 reads
// " 0". A non-finite angle gives "".
std::string FormatRaHours(double degrees);

// Declination in degrees as "+ 23 45.6" / "- 0 30.0": the sign and a blank, the whole
// degrees without padding, a blank and the minutes 4 wide with 1 decimal and a leading
// zero; minutes that round to 60 carry into the degrees. Beyond ±90° the angle is first
// reduced by the fraction of d / 90. A non-finite angle gives "".
std::string FormatDecDegrees(double degrees);

} // namespace skelvane

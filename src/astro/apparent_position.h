#pragma once

#include "astro/datetime.h"

namespace skelvane {

// Apparent geocentric position of the date (Sun or Moon, higher-accuracy models).
struct ApparentPosRec {
    long double longitude = 0; // apparent ecliptic longitude, degrees 0..360
    long double latitude = 0;  // ecliptic latitude, degrees
    long double distanceKm = 0;
    long double ra = 0;  // apparent right ascension, degrees 0..360
    long double dec = 0; // apparent declination, degrees
};

struct NutationRec {
    double longitude = 0;     // nutation in longitude Δψ, degrees
    double trueObliquity = 0; // ε = ε0 + Δε, degrees
};

// The full VSOP87D Earth series with the FK5 correction, aberration and nutation, at a
// UTC date-time value (Meeus ch. 25), used as the series' time argument without ΔT.
// A non-finite value gives the all-zero record.
ApparentPosRec ApparentSunPosition(DateTime utc);

// Nutation from the first 31 rows of Meeus table 22.A, at a date-time value.
NutationRec Nutation(DateTime value);

// Right ascension and declination (degrees) of the date from apparent ecliptic longitude
// and latitude and the true obliquity, shared by the apparent Sun and Moon.
void EclipticToEquatorial(long double longitude, long double latitude, double obliquity,
                          long double& ra, long double& dec);

} // namespace skelvane

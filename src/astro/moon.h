#pragma once

#include "astro/datetime.h"

namespace skelvane {

// The Moon's place from the position model (Meeus ch. 47), as the Moon page, rising and
// setting and the eclipse search use it. For an invalid time ra and dec are -1 and every
// other field is 0.
struct MoonPosRec {
    double ra = -1;                 // right ascension, degrees 0..360 (J2000 obliquity)
    double dec = -1;                // declination, degrees
    double illuminatedFraction = 0; // 0..1, negative while the Moon wanes
    double diameter = 0;            // apparent diameter, degrees
    double parallax = 0;            // equatorial horizontal parallax, degrees
    double elongation = 0;          // from the Sun, degrees 0..180, negative while waning
    double meanLongitude = 0;       // L', degrees 0..360
    double meanAnomaly = 0;         // M', degrees 0..360
};

// Geocentric ecliptic coordinates of the position model, referred to the mean equinox of
// the date without nutation.
struct MoonEclipticRec {
    double longitude = 0;  // λ, degrees 0..360
    double latitude = 0;   // β, degrees
    double distanceKm = 0; // Δ, centre of the Earth to centre of the Moon
};

// Fundamental arguments of the lunar series, degrees (E is a pure number).
struct MoonArguments {
    double meanLongitude = 0; // L'
    double elongation = 0;    // D
    double sunAnomaly = 0;    // M
    double moonAnomaly = 0;   // M'
    double latitudeArg = 0;   // F
    double a1 = 0, a2 = 0, a3 = 0;
    double eccentricity = 1; // E, the factor on terms in M
};

// Sums of the periodic terms: Σl and Σb in 0.000001°, Σr in 0.001 km.
struct MoonSeriesSums {
    double longitude = 0;
    double distance = 0;
    double latitude = 0;
};

// Σl, Σr and Σb over all 60 + 60 terms of Meeus tables 47.A and 47.B for the given
// arguments, terms in M multiplied by E (by E² for 2M), plus the additive terms in A1, A2,
// A3, L' and F (Meeus ch. 47). Shared by the position and the calendar models.
MoonSeriesSums SumMoonSeries(const MoonArguments& arguments);

// λ, β and Δ at a record read as dynamical time (no ΔT is applied). Valid for the record's
// range 1600..3999; an invalid record gives all fields 0. Source: Meeus ch. 47 (second
// edition's mean elements).
MoonEclipticRec MoonEclipticPosition(const AstroTimeRec& time);

// Position, size, phase and elongation at an instant (UT, used unchanged as dynamical time):
// right ascension and declination with the fixed obliquity 0.409092804 rad; illuminated
// fraction and elongation from the Sun's place (SunRaDec) of the same instant. Sentinels:
// see MoonPosRec. Source: Meeus ch. 47 and 48.
MoonPosRec MoonPosition(const AstroTimeRec& time);

// MoonPosition less the Sun: right ascension, declination, diameter, parallax, L' and M'
// exactly as there, illuminated fraction and elongation left 0. Rising and setting need no
// more. Same sentinels.
MoonPosRec MoonPositionWithoutSun(const AstroTimeRec& time);

} // namespace skelvane

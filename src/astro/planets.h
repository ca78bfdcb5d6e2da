#pragma once

#include "astro/sun.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace skelvane {

// Geocentric position of a body for the planet table: right ascension (0..360°),
// declination (°), elongation from the Sun (0..180°); geometric, FK5 J2000. All three
// take their sentinels (-1, -99, -1) for an instant the engine cannot use.
struct PlanetPosRec {
    double ra = -1;
    double dec = -99;
    double elongation = -1;
};

// Heliocentric ecliptic coordinates, ecliptic and equinox of J2000: longitude L (radians,
// 0..2π), latitude B (radians) and radius R (AU). R is -1 (and L, B 0) for an instant the
// engine cannot use.
struct HeliocentricPosition {
    double L = 0;
    double B = 0;
    double R = -1;
};

inline constexpr std::size_t kPlanetCount = 8;

// Row order of the planet table.
enum class Planet : std::size_t { Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto };

using PlanetTable = std::array<PlanetPosRec, kPlanetCount>;

// Julian dates the planet routines accept: 1600-01-01 0h up to, not including,
// 4000-01-01 0h, the span of AstroTimeRec. Anything else (or not finite) is refused.
inline constexpr double kFirstPlanetJulianDate = 2305447.5;
inline constexpr double kEndPlanetJulianDate = 3182029.5;

// The eight bodies at a Julian date (the series' time argument; a UT date is close
// enough, ΔT moving no body by more than about 0.001°), in the order of Planet. Every
// row holds the PlanetPosRec sentinels outside the accepted span.
PlanetTable PlanetPositions(double julianDate);

// Heliocentric positions at a Julian date (TT) from VSOP87B (Bretagnon & Francou 1988)
// cut to the larger terms; within about 3″ of the full series over 1600..4000. The
// HeliocentricPosition sentinel outside the accepted span.
HeliocentricPosition MercuryPosition(double julianDate);
HeliocentricPosition VenusPosition(double julianDate);
HeliocentricPosition MarsPosition(double julianDate);
HeliocentricPosition JupiterPosition(double julianDate);
HeliocentricPosition SaturnPosition(double julianDate);
HeliocentricPosition UranusPosition(double julianDate);
HeliocentricPosition NeptunePosition(double julianDate);
// Pluto from Meeus ch. 37 (table 37.A), a fit that holds only for 1885..2099; outside
// those years the result drifts away from the real body (the sentinel rule is the same
// as above).
HeliocentricPosition PlutoPosition(double julianDate);

// The geocentric step for one body: its heliocentric position turned to the J2000
// equator (obliquity 0.409092804 rad) and added to the Sun's geocentric X, Y, Z of
// SunPosition. Sentinels when either input is a sentinel or not finite.
PlanetPosRec GeocentricPosition(const HeliocentricPosition& body, const SunPosRec& sun);

// "Mercury" … "Pluto" for the table's rows; "" for an index of kPlanetCount or more.
std::string_view PlanetName(std::size_t index);

} // namespace skelvane

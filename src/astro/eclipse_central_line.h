#pragma once

#include "astro/datetime.h"

#include <optional>
#include <vector>

namespace skelvane {

// One point of the central line of a solar eclipse.
struct EclipseTrackPoint {
    DateTime instant = 0;       // UT, a whole 10 minutes
    double latitude = 0;        // geodetic, degrees, north positive
    double longitude = 0;       // degrees, east positive, -180..180
    double durationSeconds = 0; // length of the total or annular phase at the point
};

// Besselian elements of one instant, in equatorial Earth radii and degrees.
struct BesselianElements {
    double x = 0, y = 0; // shadow axis on the fundamental plane
    double z = 0;        // the Moon's distance from the fundamental plane
    double d = 0;        // declination of the shadow axis
    double mu = 0;       // Greenwich hour angle of the shadow axis, 0..360
    double sinF1 = 0;    // penumbral cone angle
    double sinF2 = 0;    // umbral cone angle
};

// Rates of change of the elements, per hour (mu and d in degrees per hour).
struct BesselianRates {
    double x = 0, y = 0, mu = 0, d = 0;
};

// Input: an instant (UT; the Sun and Moon routines read it as dynamical time). Result: the
// Besselian elements from the engine's Sun (SunPosition, its J2000 longitude carried to the
// Moon's mean equinox of date), Moon (MoonPosition's right ascension, declination and
// parallax) and mean sidereal time, with the Sun-Moon distance R(1 - b) AU for the cone
// angles; nothing for an instant outside 1600-01-01..3999-12-31. Reference: Explanatory
// Supplement to the Astronomical Ephemeris (1961), ch. 9.
std::optional<BesselianElements> BesselianElementsAt(DateTime utc);

// Input: the elements of an instant and their hourly rates. Result: the point on the
// ellipsoid (e² = 0.00669454) under the shadow axis, with the duration of the central phase
// there from the umbral cone; nothing when the axis misses the ellipsoid. The point's
// instant is left 0. Reference: Explanatory Supplement (1961), ch. 9, the central line
// and the duration of totality on it.
std::optional<EclipseTrackPoint> CentralLinePoint(const BesselianElements& elements,
                                                  const BesselianRates& rates);

// Input: the instant of greatest eclipse (UT). Result: the central line sampled at 25
// whole 10-minute marks of UT, the mark nearest the maximum and 12 on each side (a mark of
// 24:00 is 00:00 of the next day), one point for each sample whose axis meets the Earth
// (x² + y² < 1, and the ellipsoid), in chronological order. Empty when fewer than two
// samples meet the Earth, or for an instant outside 1600..3999.
std::vector<EclipseTrackPoint> CentralLineTrack(DateTime maximumUtc);

} // namespace skelvane

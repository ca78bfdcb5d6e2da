#pragma once

#include "astro/datetime.h"

namespace skelvane {

// Sunrise and sunset codes shared with the Moon.
inline constexpr int kNeverRises = -2; // "Sun down all day"
inline constexpr int kNeverSets = -3;  // "Sun up all day"

// Geocentric Sun from the truncated VSOP87B Earth series: equatorial rectangular X, Y, Z
// (AU, FK5 J2000), distance R (AU), ecliptic longitude L (0..360°) and latitude B (°).
// All six are -1 for an invalid time.
struct SunPosRec {
    double X = -1, Y = -1, Z = -1, R = -1, L = -1, B = -1;
};

// Right ascension (0..360°) and declination (°); -1 and -99 for an invalid time.
struct RaDecRec {
    double ra = -1;
    double dec = -99;
};

struct HorizontalCoords {
    double altitude = 0; // degrees
    double azimuth = 0;  // degrees from north through east, 0..360
};

struct SunEventInstants {
    DateTime utc = 0;
    DateTime local = 0;
};

// UT hours (0..24) of sunrise or sunset by the almanac formula for the date at the
// observer (longitude east positive, altitude in feet), or kNeverRises / kNeverSets.
// A non-finite altitude, longitude or latitude gives kNeverRises.
double SunRiseSetHours(int day, int month, int year, bool rising, double altitudeFeet,
                       double longitude, double latitude);

// The UTC and local instants of an event given in UT hours for the local calendar date
// `date`, moved by a whole day when the local instant falls on a neighbouring date.
// Uses TimeZoneOffsetHours at the event. A code (negative hours) gives both instants 0.
SunEventInstants SunEventLocal(DateTime date, double utHours);

// Whether the Sun is up at the local clock time nowLocalHours (0..24), given the day's
// rise and set in UT hours (or the codes) and the UTC offset in hours.
bool IsSunUpNow(double offsetHours, double setHours, double riseHours, double nowLocalHours);

// (setHours - riseHours) / 24 as a fraction of a day, shown with "hh:mm".
DateTime DayLength(double riseHours, double setHours);

SunPosRec SunPosition(const AstroTimeRec& time);
RaDecRec SunRaDec(const AstroTimeRec& time);

// Greenwich mean sidereal time in degrees (0..360), -1 for an invalid time.
double SiderealDegrees(const AstroTimeRec& time);
// Local hour angle in degrees (0..360) at a UTC instant; -1 for an instant outside
// 1600..3999 or a non-finite argument.
double LocalHourAngle(DateTime utc, double longitude, double raHours);
// Altitude and azimuth (no refraction) of a body at ra/dec (degrees) for the observer;
// altitude -99 and azimuth -1 when LocalHourAngle has no answer or an argument is not finite.
HorizontalCoords HorizontalPosition(double altitudeFeet, double parallaxDeg, double decDeg,
                                    double raDeg, double latitude, double longitude, DateTime utc);
// "N", "NE", "E", "SE", "S", "SW", "W" or "NW" for any azimuth (reduced into 0..360).
const char* CompassPosition(double azimuth);

} // namespace skelvane

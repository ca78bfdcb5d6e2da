// The Sun's position from the truncated VSOP87B Earth series, sidereal time, and the
// horizontal coordinates and compass point of any body.
#include "astro/angles.h"
#include "astro/sun.h"
#include "astro/tables/vsop87.h"
#include "astro/vsop87_series.h"

#include <cmath>
#include <numbers>

namespace skelvane {

namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerJulianMillennium = 365250.0;
constexpr double kDaysPerJulianCentury = 36525.0;

// Extra depression of the horizon per √foot of observer height, degrees (the same figure
// the sunrise formula uses).
constexpr double kDipPerRootFoot = 0.0195;

// Returned by LocalHourAngle and HorizontalPosition for an instant they cannot use.
constexpr double kNoHourAngle = -1;
constexpr HorizontalCoords kNoHorizontalPosition{-99, -1};

// x reduced into [0, m).
double Modulo(double x, double m) {
    const double r = std::fmod(x, m);
    return r < 0 ? r + m : r;
}

} // namespace

// Input: an instant as day number and seconds UT; the series is evaluated with the UT
// Julian date as its time argument (ΔT, about a minute, moves the Sun by under 0.001°).
// Result: geocentric equatorial X, Y, Z (AU, FK5 J2000), distance R (AU), ecliptic
// longitude L (0..360°) and latitude B (°), mean equinox and ecliptic of J2000, geometric
// (no aberration). All six -1 for an invalid record. Valid 1600..3999.
// Reference: VSOP87B Earth series (Bretagnon & Francou 1988) cut to its larger terms;
// rotation to FK5 J2000 by Meeus eq. 26.2.
SunPosRec SunPosition(const AstroTimeRec& time) {
    if (!time.valid())
        return SunPosRec{};
    const double tau = (JulianDateOf(time) - kJ2000) / kDaysPerJulianMillennium;
    const Vsop87Spherical earth = EvaluateVsop87(tables::kEarthVsop87B, tau);

    SunPosRec sun;
    sun.L = Modulo(earth.longitude * kDegreesPerRadian + 180.0, 360.0);
    sun.B = -earth.latitude * kDegreesPerRadian;
    sun.R = earth.radius;

    const double x0 = sun.R * CosDeg(sun.B) * CosDeg(sun.L);
    const double y0 = sun.R * CosDeg(sun.B) * SinDeg(sun.L);
    const double z0 = sun.R * SinDeg(sun.B);
    // Ecliptic of the VSOP87 dynamical frame to the FK5 J2000 equator (Meeus eq. 26.2).
    sun.X = x0 + 0.000000440360 * y0 - 0.000000190919 * z0;
    sun.Y = -0.000000479966 * x0 + 0.917482137087 * y0 - 0.397776982902 * z0;
    sun.Z = 0.397776982902 * y0 + 0.917482137087 * z0;
    return sun;
}

// Input: an instant as day number and seconds UT. Result: the Sun's right ascension
// (0..360°) and declination (°), FK5 J2000, from SunPosition; -1 and -99 for an invalid
// record.
RaDecRec SunRaDec(const AstroTimeRec& time) {
    if (!time.valid())
        return RaDecRec{};
    const SunPosRec sun = SunPosition(time);
    RaDecRec result;
    result.ra = Modulo(Atan2Deg(sun.Y, sun.X), 360.0);
    result.dec = AsinDeg(sun.Z / sun.R);
    return result;
}

// Input: an instant as day number and seconds UT. Result: Greenwich mean sidereal time in
// degrees 0..360, -1 for an invalid record. Reference: Meeus eq. 12.4 (IAU 1982).
double SiderealDegrees(const AstroTimeRec& time) {
    if (!time.valid())
        return -1;
    const double d = JulianDateOf(time) - kJ2000;
    const double t = d / kDaysPerJulianCentury;
    const double theta =
        280.46061837 + 360.98564736629 * d + 0.000387933 * t * t - t * t * t / 38710000.0;
    return Modulo(theta, 360.0);
}

// Inputs: a UTC date-time value, the observer's longitude (degrees, east positive) and
// the body's right ascension in hours. Result: the local hour angle in degrees 0..360,
// from the mean sidereal time of the instant's whole second; -1 for an instant outside
// 1600..3999 or a non-finite argument.
double LocalHourAngle(DateTime utc, double longitude, double raHours) {
    const double theta = SiderealDegrees(AstroTimeFromDateTime(utc));
    if (theta < 0 || !std::isfinite(longitude) || !std::isfinite(raHours))
        return kNoHourAngle;
    // Sidereal hours, longitude hours and right ascension can together lie anywhere in
    // (-36, 36) hours; reduce all the way so the promised 0..360 holds.
    return Modulo((theta / 15.0 + longitude / 15.0 - raHours) * 15.0, 360.0);
}

// Inputs: observer altitude in feet (negative below sea level), the body's horizontal
// parallax (degrees, 0 for the Sun), declination and right ascension (degrees), the
// observer's latitude and longitude (degrees, north and east positive) and a UTC instant.
// Result: geometric altitude (degrees, lowered by the parallax and by the dip of the
// horizon for the observer's height; no refraction) and azimuth (degrees from north
// through east, 0..360). Altitude -99 and azimuth -1 for an instant outside 1600..3999 or
// a non-finite argument. Reference: Meeus eq. 13.5 and 13.6 (azimuth turned to count
// from north).
HorizontalCoords HorizontalPosition(double altitudeFeet, double parallaxDeg, double decDeg,
                                    double raDeg, double latitude, double longitude, DateTime utc) {
    if (!std::isfinite(altitudeFeet) || !std::isfinite(parallaxDeg) || !std::isfinite(decDeg) ||
        !std::isfinite(latitude))
        return kNoHorizontalPosition;
    const double h = LocalHourAngle(utc, longitude, raDeg / 15.0);
    if (h < 0)
        return kNoHorizontalPosition;

    HorizontalCoords result;
    result.azimuth =
        Atan2Deg(SinDeg(h), CosDeg(h) * SinDeg(latitude) - TanDeg(decDeg) * CosDeg(latitude)) +
        180.0;
    if (result.azimuth < 0)
        result.azimuth += 360.0;
    double altitude =
        AsinDeg(SinDeg(latitude) * SinDeg(decDeg) + CosDeg(latitude) * CosDeg(decDeg) * CosDeg(h));
    altitude -= AsinDeg(SinDeg(parallaxDeg) * CosDeg(altitude));
    const double dip = kDipPerRootFoot * std::sqrt(std::fabs(altitudeFeet));
    altitude += altitudeFeet >= 0 ? -dip : dip;
    result.altitude = altitude;
    return result;
}

// Input: an azimuth in degrees (any value; reduced into 0..360 first). Result: the
// nearest of the eight compass points, each 45° wide and centred on its direction, the
// lower boundary belonging to the point ("N" from 337.5 up to 22.5). A non-finite
// azimuth reads "N".
const char* CompassPosition(double azimuth) {
    static constexpr const char* kPoints[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
    if (!std::isfinite(azimuth))
        return kPoints[0];
    const double a = Modulo(azimuth, 360.0);
    // Boundaries at 22.5 + 45k, tested in order as the points run round the circle.
    for (int i = 0; i < 8; ++i) {
        if (a < 22.5 + 45.0 * i)
            return kPoints[i];
    }
    return kPoints[0];
}

} // namespace skelvane

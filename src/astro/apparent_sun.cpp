// The Sun's apparent position of the date from the full VSOP87D Earth series, nutation,
// and the ecliptic-to-equatorial rotation shared with the apparent Moon.
#include "astro/apparent_position.h"
#include "astro/tables/nutation_terms.h"
#include "astro/tables/vsop87.h"
#include "astro/vsop87_series.h"

#include <cmath>
#include <numbers>

namespace skelvane {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kRadiansPerDegree = kPi / 180.0L;
constexpr long double kDegreesPerRadian = 180.0L / kPi;
constexpr double kJ2000 = 2451545.0;
constexpr long double kArcsecondsPerDegree = 3600.0L;
// Kilometres per astronomical unit as the distance is reported.
constexpr long double kKmPerAu = 149597869.0L;
// Constant of aberration for the Sun, arcseconds at 1 AU (Meeus eq. 25.10).
constexpr long double kAberration = 20.4898L;

long double ReduceDegrees(long double x) {
    const long double r = std::fmod(x, 360.0L);
    return r < 0 ? r + 360.0L : r;
}

double Polynomial3(double c0, double c1, double c2, double c3, double t) {
    return c0 + t * (c1 + t * (c2 + t * c3));
}

} // namespace

// Input: a date-time value used directly as the time argument (the callers pass UTC; no
// ΔT is applied). Result: nutation in longitude Δψ and the true obliquity ε0 + Δε, both
// in degrees. The 31 larger rows of table 22.A leave errors of a few 0.001″ against the
// full 63-row sum. Reference: Meeus ch. 22 (fundamental arguments, table 22.A,
// eq. 22.2 for ε0).
NutationRec Nutation(DateTime value) {
    const double t = (ToJulianDate(value) - kJ2000) / 36525.0;
    // Mean elongation of the Moon, mean anomalies of the Sun and Moon, the Moon's
    // argument of latitude and the longitude of its ascending node, degrees.
    const double d = Polynomial3(297.85036, 445267.111480, -0.0019142, 1.0 / 189474.0, t);
    const double m = Polynomial3(357.52772, 35999.050340, -0.0001603, -1.0 / 300000.0, t);
    const double mp = Polynomial3(134.96298, 477198.867398, 0.0086972, 1.0 / 56250.0, t);
    const double f = Polynomial3(93.27191, 483202.017538, -0.0036825, 1.0 / 327270.0, t);
    const double om = Polynomial3(125.04452, -1934.136261, 0.0020708, 1.0 / 450000.0, t);

    double deltaPsi = 0;     // 0.0001″
    double deltaEpsilon = 0; // 0.0001″
    for (const tables::NutationTerm& row : tables::kNutationTable22A) {
        const double argument = (row.d * d + row.m * m + row.mp * mp + row.f * f + row.om * om) *
                                static_cast<double>(kRadiansPerDegree);
        deltaPsi += (row.sinCoeff + row.sinT * t) * std::sin(argument);
        deltaEpsilon += (row.cosCoeff + row.cosT * t) * std::cos(argument);
    }

    const double meanObliquity = 84381.448 + t * (-46.8150 + t * (-0.00059 + t * 0.001813));
    NutationRec result;
    result.longitude = deltaPsi * 1e-4 / 3600.0;
    result.trueObliquity = (meanObliquity + deltaEpsilon * 1e-4) / 3600.0;
    return result;
}

// Inputs: ecliptic longitude and latitude of the date (degrees) and the obliquity
// (degrees). Outputs: right ascension (degrees 0..360) and declination (degrees).
// Reference: Meeus eq. 13.3 and 13.4.
void EclipticToEquatorial(long double longitude, long double latitude, double obliquity,
                          long double& ra, long double& dec) {
    const long double l = longitude * kRadiansPerDegree;
    const long double b = latitude * kRadiansPerDegree;
    const long double e = obliquity * kRadiansPerDegree;
    ra = ReduceDegrees(
        std::atan2(std::sin(l) * std::cos(e) - std::tan(b) * std::sin(e), std::cos(l)) *
        kDegreesPerRadian);
    dec = std::asin(std::sin(b) * std::cos(e) + std::cos(b) * std::sin(e) * std::sin(l)) *
          kDegreesPerRadian;
}

// Input: a date-time value (callers pass UTC), used directly as the time argument of the
// series and of the nutation: no ΔT is applied, so the Sun comes out about 0.0008° behind
// its true place at that UTC instant. Result: apparent geocentric longitude (0..360°),
// latitude (°), distance (km), apparent right ascension (0..360°) and declination (°), of
// the date. A non-finite value gives the all-zero record. About 0.0001° over 1600..3999
// (the series' own accuracy is far better; the 31-row nutation sets the limit).
// Reference: Meeus ch. 25 "higher accuracy" with the full VSOP87D Earth series, the FK5
// correction (eq. 32.3), aberration (eq. 25.10) and nutation (ch. 22).
ApparentPosRec ApparentSunPosition(DateTime utc) {
    if (!std::isfinite(utc))
        return ApparentPosRec{};
    const double julianDate = ToJulianDate(utc);
    const double tau = (julianDate - kJ2000) / 365250.0;
    const Vsop87Spherical earth = EvaluateVsop87(tables::kEarthVsop87D, tau);

    // Geocentric, geometric, dynamical ecliptic of the date.
    long double longitude = ReduceDegrees(earth.longitude * kDegreesPerRadian + 180.0L);
    long double latitude = -earth.latitude * kDegreesPerRadian;
    const long double radius = earth.radius;

    // To the FK5 system.
    const long double centuries = 10.0L * tau;
    const long double lPrime =
        (longitude - 1.397L * centuries - 0.00031L * centuries * centuries) * kRadiansPerDegree;
    longitude += (-0.09033L + 0.03916L * (std::cos(lPrime) + std::sin(lPrime)) *
                                  std::tan(latitude * kRadiansPerDegree)) /
                 kArcsecondsPerDegree;
    latitude += 0.03916L * (std::cos(lPrime) - std::sin(lPrime)) / kArcsecondsPerDegree;

    longitude -= kAberration / radius / kArcsecondsPerDegree;

    const NutationRec nutation = Nutation(utc);
    longitude = ReduceDegrees(longitude + nutation.longitude);

    ApparentPosRec result;
    result.longitude = longitude;
    result.latitude = latitude;
    result.distanceKm = radius * kKmPerAu;
    EclipticToEquatorial(longitude, latitude, nutation.trueObliquity, result.ra, result.dec);
    return result;
}

} // namespace skelvane

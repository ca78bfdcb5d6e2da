// Geocentric right ascension, declination and elongation of the planets: VSOP87B for
// Mercury to Neptune, Meeus ch. 37 for Pluto, and the Sun of SunPosition.
#include "astro/planets.h"

#include "astro/angles.h"
#include "astro/datetime.h"
#include "astro/tables/planet_series.h"
#include "astro/vsop87_series.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skelvane {

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerJulianMillennium = 365250.0;
constexpr double kDaysPerJulianCentury = 36525.0;

// Mean obliquity of the ecliptic at J2000 (23° 26′ 21.448″), radians.
constexpr double kObliquityJ2000 = 0.409092804;

constexpr PlanetPosRec kNoPlanetPosition{};
constexpr HeliocentricPosition kNoHeliocentricPosition{};

bool Accepted(double julianDate) {
    return std::isfinite(julianDate) && julianDate >= kFirstPlanetJulianDate &&
           julianDate < kEndPlanetJulianDate;
}

// x reduced into [0, m).
double Modulo(double x, double m) {
    const double r = std::fmod(x, m);
    return r < 0 ? r + m : r;
}

HeliocentricPosition FromVsop87(const tables::Vsop87Body& body, double julianDate) {
    if (!Accepted(julianDate))
        return kNoHeliocentricPosition;
    const double tau = (julianDate - kJ2000) / kDaysPerJulianMillennium;
    const Vsop87Spherical s = EvaluateVsop87(body, tau);
    return HeliocentricPosition{Modulo(s.longitude, 2 * std::numbers::pi), s.latitude, s.radius};
}

// The direction of (x, y) in degrees 0..360, with the axis cases fixed so that a vector
// along an axis reads exactly 0, 90, 180 or 270 (and a zero vector 270).
double RightAscensionOf(double x, double y) {
    if (x == 0)
        return y > 0 ? 90.0 : 270.0;
    if (y == 0)
        return x > 0 ? 0.0 : 180.0;
    return Modulo(std::atan2(y, x) * kDegreesPerRadian, 360.0);
}

} // namespace

HeliocentricPosition MercuryPosition(double julianDate) {
    return FromVsop87(tables::kMercuryVsop87B, julianDate);
}
HeliocentricPosition VenusPosition(double julianDate) {
    return FromVsop87(tables::kVenusVsop87B, julianDate);
}
HeliocentricPosition MarsPosition(double julianDate) {
    return FromVsop87(tables::kMarsVsop87B, julianDate);
}
HeliocentricPosition JupiterPosition(double julianDate) {
    return FromVsop87(tables::kJupiterVsop87B, julianDate);
}
HeliocentricPosition SaturnPosition(double julianDate) {
    return FromVsop87(tables::kSaturnVsop87B, julianDate);
}
HeliocentricPosition UranusPosition(double julianDate) {
    return FromVsop87(tables::kUranusVsop87B, julianDate);
}
HeliocentricPosition NeptunePosition(double julianDate) {
    return FromVsop87(tables::kNeptuneVsop87B, julianDate);
}

// Meeus ch. 37: T in Julian centuries from J2000 (TT); arguments J, S, P in degrees; the
// sums of table 37.A in 10⁻⁶ degree (longitude, latitude) and 10⁻⁷ AU (radius).
HeliocentricPosition PlutoPosition(double julianDate) {
    if (!Accepted(julianDate))
        return kNoHeliocentricPosition;
    const double t = (julianDate - kJ2000) / kDaysPerJulianCentury;
    const double j = 34.35 + 3034.9057 * t;
    const double s = 50.08 + 1222.1138 * t;
    const double p = 238.96 + 144.9600 * t;
    double longitude = 0;
    double latitude = 0;
    double radius = 0;
    for (const tables::PlutoTerm& term : tables::kPlutoTable37A) {
        const double alpha = (term.j * j + term.s * s + term.p * p) * kRadiansPerDegree;
        const double sinAlpha = std::sin(alpha);
        const double cosAlpha = std::cos(alpha);
        longitude += term.lonA * sinAlpha + term.lonB * cosAlpha;
        latitude += term.latA * sinAlpha + term.latB * cosAlpha;
        radius += term.radA * sinAlpha + term.radB * cosAlpha;
    }
    // The chapter's mean longitude 238.958116° + 144.96°·T carries the series.
    const double lDegrees = 238.958116 + 144.96 * t + longitude * 1e-6;
    const double bDegrees = -3.908239 + latitude * 1e-6;
    return HeliocentricPosition{Modulo(lDegrees, 360.0) * kRadiansPerDegree,
                                bDegrees * kRadiansPerDegree, 40.7241346 + radius * 1e-7};
}

// Inputs: a heliocentric position (ecliptic and equinox of J2000) and the Sun's
// SunPosRec for the same instant. Result: geometric geocentric right ascension and
// declination (J2000 equator) and the elongation from the Sun, all in degrees.
PlanetPosRec GeocentricPosition(const HeliocentricPosition& body, const SunPosRec& sun) {
    const bool bodyUsable =
        std::isfinite(body.L) && std::isfinite(body.B) && std::isfinite(body.R) && body.R >= 0;
    const bool sunUsable = std::isfinite(sun.X) && std::isfinite(sun.Y) && std::isfinite(sun.Z) &&
                           std::isfinite(sun.R) && sun.R > 0;
    if (!bodyUsable || !sunUsable)
        return kNoPlanetPosition;

    const double sinE = std::sin(kObliquityJ2000);
    const double cosE = std::cos(kObliquityJ2000);
    const double inPlane = body.R * std::cos(body.B);
    const double x = inPlane * std::cos(body.L);
    const double y = cosE * inPlane * std::sin(body.L) - sinE * body.R * std::sin(body.B);
    const double z = sinE * inPlane * std::sin(body.L) + cosE * body.R * std::sin(body.B);

    const double gx = x + sun.X;
    const double gy = y + sun.Y;
    const double gz = z + sun.Z;
    const double distance = std::sqrt(gx * gx + gy * gy + gz * gz);
    if (!(distance > 0))
        return kNoPlanetPosition;

    PlanetPosRec result;
    result.ra = RightAscensionOf(gx, gy);
    // Rounding can put the ratios a hair outside -1..1; clamp rather than lose the answer.
    result.dec = std::asin(std::clamp(gz / distance, -1.0, 1.0)) * kDegreesPerRadian;

    const double sunRa = RightAscensionOf(sun.X, sun.Y);
    const double sunDec = std::asin(std::clamp(sun.Z / sun.R, -1.0, 1.0)) * kDegreesPerRadian;
    const double cosElongation = SinDeg(sunDec) * SinDeg(result.dec) +
                                 CosDeg(sunDec) * CosDeg(result.dec) * CosDeg(sunRa - result.ra);
    result.elongation = std::acos(std::clamp(cosElongation, -1.0, 1.0)) * kDegreesPerRadian;
    return result;
}

PlanetTable PlanetPositions(double julianDate) {
    PlanetTable table;
    table.fill(kNoPlanetPosition);
    if (!Accepted(julianDate))
        return table;
    const SunPosRec sun = SunPosition(AstroTimeFromDateTime(FromJulianDate(julianDate)));
    using PositionFunction = HeliocentricPosition (*)(double);
    static constexpr PositionFunction kBodies[kPlanetCount] = {
        MercuryPosition, VenusPosition,  MarsPosition,    JupiterPosition,
        SaturnPosition,  UranusPosition, NeptunePosition, PlutoPosition,
    };
    for (std::size_t i = 0; i < kPlanetCount; ++i)
        table[i] = GeocentricPosition(kBodies[i](julianDate), sun);
    return table;
}

std::string_view PlanetName(std::size_t index) {
    static constexpr std::string_view kNames[kPlanetCount] = {
        "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto",
    };
    return index < kPlanetCount ? kNames[index] : std::string_view{};
}

} // namespace skelvane

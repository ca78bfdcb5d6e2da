#include "astro/angles.h"
#include "astro/moon.h"
#include "astro/sun.h"
#include "astro/tables/moon_terms.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace skelvane {

namespace {

// Mean obliquity of J2000 in radians; the position model does not follow its change.
constexpr double kFixedObliquityRad = 0.409092804;
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kEarthEquatorialRadiusKm = 6378.14;
// Lunar diameter constant: the apparent diameter in arcseconds is 2 × this / Δ (km).
constexpr double kSemidiameterArcsecKm = 358473400.0;
constexpr double kMeanDistanceKm = 385000.56;

// The factor E^|m| on a term with m multiples of the Sun's anomaly.
double EccentricityFactor(int m, double e) {
    switch (m < 0 ? -m : m) {
    case 0:
        return 1.0;
    case 1:
        return e;
    default:
        return e * e;
    }
}

// Second-edition mean elements of Meeus ch. 47 for T centuries from J2000.0 (TT).
MoonArguments PositionModelArguments(double t) {
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t;
    MoonArguments a;
    a.meanLongitude = Reduce360(218.3164477 + 481267.88123421 * t - 0.0015786 * t2 + t3 / 538841.0 -
                                t4 / 65194000.0);
    a.elongation = Reduce360(297.8501921 + 445267.1114034 * t - 0.0018819 * t2 + t3 / 545868.0 -
                             t4 / 113065000.0);
    a.sunAnomaly = Reduce360(357.5291092 + 35999.0502909 * t - 0.0001536 * t2 + t3 / 24490000.0);
    a.moonAnomaly = Reduce360(134.9633964 + 477198.8675055 * t + 0.0087414 * t2 + t3 / 69699.0 -
                              t4 / 14712000.0);
    a.latitudeArg = Reduce360(93.272095 + 483202.0175233 * t - 0.0036539 * t2 - t3 / 3526000.0 +
                              t4 / 863310000.0);
    a.a1 = Reduce360(119.75 + 131.849 * t);
    a.a2 = Reduce360(53.09 + 479264.29 * t);
    a.a3 = Reduce360(313.45 + 481266.484 * t);
    a.eccentricity = 1.0 - 0.002516 * t - 0.0000074 * t2;
    return a;
}

// cos and sin of an angle; multiplying two adds their angles.
struct UnitVector {
    double cos = 1, sin = 0;
    friend UnitVector operator*(UnitVector a, UnitVector b) {
        return {a.cos * b.cos - a.sin * b.sin, a.sin * b.cos + a.cos * b.sin};
    }
};

// Whole multiples k·x of one argument. The tables use |k| ≤ 4, which are built once by
// angle addition instead of calling sin and cos for each of the 120 terms; any other
// multiple is computed directly.
class AngleMultiples {
public:
    explicit AngleMultiples(double degrees) : degrees_(degrees) {
        const UnitVector one{CosDeg(degrees), SinDeg(degrees)};
        for (std::size_t k = 1; k < powers_.size(); ++k)
            powers_[k] = powers_[k - 1] * one;
    }
    UnitVector operator()(int k) const {
        const auto size = static_cast<int>(powers_.size());
        if (k >= 0 && k < size)
            return powers_[static_cast<std::size_t>(k)];
        if (k < 0 && -k < size) {
            const UnitVector p = powers_[static_cast<std::size_t>(-k)];
            return {p.cos, -p.sin};
        }
        return {CosDeg(k * degrees_), SinDeg(k * degrees_)};
    }

private:
    double degrees_;
    std::array<UnitVector, 5> powers_{};
};

double CenturiesFromJ2000(const AstroTimeRec& time) {
    return (JulianDateOf(time) - 2451545.0) / 36525.0;
}

} // namespace

MoonSeriesSums SumMoonSeries(const MoonArguments& a) {
    MoonSeriesSums s;
    const double e = a.eccentricity;
    const AngleMultiples d(a.elongation), m(a.sunAnomaly), mp(a.moonAnomaly), f(a.latitudeArg);
    for (const auto& term : tables::kMoonTable47A) {
        const UnitVector arg = d(term.d) * m(term.m) * mp(term.mp) * f(term.f);
        const double factor = EccentricityFactor(term.m, e);
        s.longitude += term.sinL * factor * arg.sin;
        s.distance += term.cosR * factor * arg.cos;
    }
    for (const auto& term : tables::kMoonTable47B) {
        const UnitVector arg = d(term.d) * m(term.m) * mp(term.mp) * f(term.f);
        s.latitude += term.sinB * EccentricityFactor(term.m, e) * arg.sin;
    }
    // Venus (A1), Jupiter (A2) and the flattening of the Earth (L' - F, A3 and the rest).
    s.longitude += 3958.0 * SinDeg(a.a1) + 1962.0 * SinDeg(a.meanLongitude - a.latitudeArg) +
                   318.0 * SinDeg(a.a2);
    s.latitude += -2235.0 * SinDeg(a.meanLongitude) + 382.0 * SinDeg(a.a3) +
                  175.0 * SinDeg(a.a1 - a.latitudeArg) + 175.0 * SinDeg(a.a1 + a.latitudeArg) +
                  127.0 * SinDeg(a.meanLongitude - a.moonAnomaly) -
                  115.0 * SinDeg(a.meanLongitude + a.moonAnomaly);
    return s;
}

namespace {

struct EclipticWithArguments {
    MoonEclipticRec ecliptic;
    MoonArguments arguments;
};

EclipticWithArguments EclipticAndArguments(const AstroTimeRec& time) {
    EclipticWithArguments out;
    out.arguments = PositionModelArguments(CenturiesFromJ2000(time));
    const MoonSeriesSums s = SumMoonSeries(out.arguments);
    out.ecliptic.longitude = Reduce360(out.arguments.meanLongitude + s.longitude / 1e6);
    out.ecliptic.latitude = s.latitude / 1e6;
    out.ecliptic.distanceKm = kMeanDistanceKm + s.distance / 1000.0;
    return out;
}

} // namespace

MoonEclipticRec MoonEclipticPosition(const AstroTimeRec& time) {
    if (!time.valid())
        return MoonEclipticRec{};
    return EclipticAndArguments(time).ecliptic;
}

MoonPosRec MoonPositionWithoutSun(const AstroTimeRec& time) {
    MoonPosRec out;
    if (!time.valid())
        return out;

    const EclipticWithArguments position = EclipticAndArguments(time);
    const MoonEclipticRec& ecl = position.ecliptic;
    out.meanLongitude = position.arguments.meanLongitude;
    out.meanAnomaly = position.arguments.moonAnomaly;
    out.parallax = AsinDeg(kEarthEquatorialRadiusKm / ecl.distanceKm);
    out.diameter = 2.0 * kSemidiameterArcsecKm / ecl.distanceKm / 3600.0;

    const double sinEps = std::sin(kFixedObliquityRad);
    const double cosEps = std::cos(kFixedObliquityRad);
    out.ra = Reduce360(Atan2Deg(SinDeg(ecl.longitude) * cosEps - TanDeg(ecl.latitude) * sinEps,
                                CosDeg(ecl.longitude)));
    out.dec = AsinDeg(SinDeg(ecl.latitude) * cosEps +
                      CosDeg(ecl.latitude) * sinEps * SinDeg(ecl.longitude));
    return out;
}

MoonPosRec MoonPosition(const AstroTimeRec& time) {
    MoonPosRec out = MoonPositionWithoutSun(time);
    if (!time.valid())
        return out;

    // Geocentric elongation ψ from the Sun's place; the phase angle is taken as 180° − ψ,
    // so the lit fraction is (1 − cos ψ) / 2 (Meeus ch. 48, low-accuracy form).
    const RaDecRec sun = SunRaDec(time);
    const double cosPsi = SinDeg(sun.dec) * SinDeg(out.dec) +
                          CosDeg(sun.dec) * CosDeg(out.dec) * CosDeg(sun.ra - out.ra);
    out.illuminatedFraction = (1.0 - cosPsi) / 2.0;
    out.elongation = std::acos(std::fmax(-1.0, std::fmin(1.0, cosPsi))) * kDegreesPerRadian;
    if (Reduce360(out.ra - sun.ra) >= 180.0) {
        out.illuminatedFraction = -out.illuminatedFraction;
        out.elongation = -out.elongation;
    }
    return out;
}

} // namespace skelvane

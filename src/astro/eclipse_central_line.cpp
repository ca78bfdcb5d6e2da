#include "astro/eclipse_central_line.h"

#include "astro/angles.h"
#include "astro/moon.h"
#include "astro/sun.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace skelvane {

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
// Solar parallax at 1 AU: the Earth's equatorial radius seen from the Sun.
constexpr double kSolarParallaxDeg = 8.794 / 3600.0;
// Sun's radius plus and minus the Moon's, in AU, for the penumbral and umbral cones.
constexpr double kPenumbraConstant = 0.004664012;
constexpr double kUmbraConstant = 0.004640787;
// The Moon's radius in equatorial Earth radii, implied by the two cone constants so that
// the umbral cone used for the duration is the one the cone angles describe (0.27237).
const double kMoonRadius =
    (kPenumbraConstant - kUmbraConstant) / 2.0 / std::sin(kSolarParallaxDeg / kDegreesPerRadian);
// Squared eccentricity of the Earth's ellipsoid.
constexpr double kEccentricitySquared = 0.00669454;

constexpr int kSamplesEachSide = 12;     // 12 × 10 minutes = 120 minutes
constexpr double kSamplesPerDay = 144.0; // 10-minute marks in a day
constexpr double kSampleStepHours = 1.0 / 6.0;

// Into -180..180, for differences of angles that may straddle 0°.
double Signed180(double degrees) {
    const double r = Reduce360(degrees);
    return r > 180.0 ? r - 360.0 : r;
}

// Mean obliquity of J2000, the one the Moon's position model converts with.
constexpr double kFixedObliquityDeg = 0.409092804 * kDegreesPerRadian;

// The Sun's right ascension and declination in the Moon's frame: SunPosition's J2000
// ecliptic longitude carried to the mean equinox of the date by the general precession in
// longitude (Meeus ch. 21, p = 5029.0966″ T + 1.11113″ T²), then turned to the equator
// with the same fixed obliquity as MoonPosition. SunRaDec itself stays on the J2000
// equinox; mixing it with the Moon's equinox of date would misplace the Moon relative to
// the Sun by the precession since 2000 (0.33° in 2024) and the track by a third of an
// Earth radius and more.
RaDecRec SunInMoonFrame(const SunPosRec& sun, double julianDate) {
    const double t = (julianDate - 2451545.0) / 36525.0;
    const double longitude = sun.L + (5029.0966 * t + 1.11113 * t * t) / 3600.0;
    const double sinEps = SinDeg(kFixedObliquityDeg), cosEps = CosDeg(kFixedObliquityDeg);
    RaDecRec place;
    place.ra =
        Reduce360(Atan2Deg(SinDeg(longitude) * cosEps - TanDeg(sun.B) * sinEps, CosDeg(longitude)));
    place.dec = AsinDeg(SinDeg(sun.B) * cosEps + CosDeg(sun.B) * sinEps * SinDeg(longitude));
    return place;
}

} // namespace

std::optional<BesselianElements> BesselianElementsAt(DateTime utc) {
    if (!std::isfinite(utc))
        return std::nullopt;
    const AstroTimeRec time = AstroTimeFromDateTime(utc);
    if (!time.valid())
        return std::nullopt;
    const SunPosRec sunPosition = SunPosition(time);
    const RaDecRec sun = SunInMoonFrame(sunPosition, JulianDateOf(time));
    // MoonPosition without its phase fields: the same right ascension, declination and
    // parallax for less work.
    const MoonPosRec moon = MoonPositionWithoutSun(time);
    const double theta = SiderealDegrees(time);
    if (!(sunPosition.R > 0) || !(moon.parallax > 0) || theta < 0)
        return std::nullopt;

    const double sunDistance = 1.0 / SinDeg(kSolarParallaxDeg / sunPosition.R); // Earth radii
    const double moonDistance = 1.0 / SinDeg(moon.parallax);
    const double b = moonDistance / sunDistance;
    // Right ascensions straddling 0° must not give a difference of nearly 360°.
    const double raDifference = Signed180(moon.ra - sun.ra);

    BesselianElements e;
    const double a = sun.ra - (b / CosDeg(sun.dec)) * CosDeg(moon.dec) * raDifference / (1.0 - b);
    e.d = sun.dec - b / (1.0 - b) * (moon.dec - sun.dec);
    e.mu = Reduce360(theta - a);
    const double hourAngle = moon.ra - a;
    e.x = moonDistance * CosDeg(moon.dec) * SinDeg(hourAngle);
    e.y = moonDistance *
          (SinDeg(moon.dec) * CosDeg(e.d) - CosDeg(moon.dec) * SinDeg(e.d) * CosDeg(hourAngle));
    e.z = moonDistance *
          (SinDeg(moon.dec) * SinDeg(e.d) + CosDeg(moon.dec) * CosDeg(e.d) * CosDeg(hourAngle));
    const double sunMoonDistance = sunPosition.R - b * sunPosition.R; // AU
    e.sinF1 = kPenumbraConstant / sunMoonDistance;
    e.sinF2 = kUmbraConstant / sunMoonDistance;
    return e;
}

std::optional<EclipseTrackPoint> CentralLinePoint(const BesselianElements& e,
                                                  const BesselianRates& rates) {
    const double sinD = SinDeg(e.d), cosD = CosDeg(e.d);
    // Stretch the fundamental plane's y so that the ellipsoid becomes the unit sphere.
    const double rho1 = std::sqrt(1.0 - kEccentricitySquared * cosD * cosD);
    const double y1 = e.y / rho1;
    const double sinD1 = sinD / rho1;
    const double cosD1 = std::sqrt(1.0 - kEccentricitySquared) * cosD / rho1;
    const double rest = 1.0 - e.x * e.x - y1 * y1;
    if (!(rest >= 0.0))
        return std::nullopt;
    const double zeta1 = std::sqrt(rest);

    const double sinPhi1 = y1 * cosD1 + zeta1 * sinD1;
    const double cosPhi1CosH = -y1 * sinD1 + zeta1 * cosD1;
    const double cosPhi1 = std::hypot(e.x, cosPhi1CosH);
    const double hourAngle = Atan2Deg(e.x, cosPhi1CosH);

    EclipseTrackPoint point;
    point.latitude = Atan2Deg(sinPhi1, std::sqrt(1.0 - kEccentricitySquared) * cosPhi1);
    point.longitude = Signed180(hourAngle - e.mu);

    // The observer's place on the fundamental plane, at sea level.
    const double sinPhi = SinDeg(point.latitude), cosPhi = CosDeg(point.latitude);
    const double c = 1.0 / std::sqrt(1.0 - kEccentricitySquared * sinPhi * sinPhi);
    const double rhoCos = c * cosPhi;
    const double rhoSin = c * (1.0 - kEccentricitySquared) * sinPhi;
    const double sinH = SinDeg(hourAngle), cosH = CosDeg(hourAngle);
    const double xi = rhoCos * sinH;
    const double zeta = rhoSin * sinD + rhoCos * cosD * cosH;

    // The observer's velocity from the Earth's turning, and the shadow's relative to it.
    const double muRate = rates.mu / kDegreesPerRadian;
    const double dRate = rates.d / kDegreesPerRadian;
    const double xiRate = muRate * rhoCos * cosH;
    const double etaRate = muRate * xi * sinD - zeta * dRate;
    const double speed = std::hypot(rates.x - xiRate, rates.y - etaRate); // radii per hour

    // Radius of the umbral cone at the observer: negative where the vertex falls short of
    // the observer (total), positive beyond it (annular).
    const double tanF2 = e.sinF2 / std::sqrt(1.0 - e.sinF2 * e.sinF2);
    const double cosF2 = std::sqrt(1.0 - e.sinF2 * e.sinF2);
    const double umbraRadius = e.z * tanF2 - kMoonRadius / cosF2 - zeta * tanF2;
    if (speed > 0 && std::isfinite(umbraRadius))
        point.durationSeconds = 2.0 * std::fabs(umbraRadius) / speed * 3600.0;
    return point;
}

std::vector<EclipseTrackPoint> CentralLineTrack(DateTime maximumUtc) {
    std::vector<EclipseTrackPoint> track;
    if (!std::isfinite(maximumUtc) || std::fabs(maximumUtc) > 1e7)
        return track;
    // Whole 10-minute marks of UT; rounding the whole value carries a mark of 24:00 into
    // 00:00 of the next day.
    const double firstMark = std::nearbyint(maximumUtc * kSamplesPerDay) - kSamplesEachSide;

    // One extra sample at each end so that every kept sample has a central difference.
    constexpr std::size_t kCount = 2 * kSamplesEachSide + 3;
    std::array<std::optional<BesselianElements>, kCount> elements;
    for (std::size_t i = 0; i < kCount; ++i)
        elements[i] =
            BesselianElementsAt((firstMark + static_cast<double>(i) - 1.0) / kSamplesPerDay);

    for (std::size_t i = 1; i + 1 < kCount; ++i) {
        const auto& here = elements[i];
        const auto& before = elements[i - 1];
        const auto& after = elements[i + 1];
        if (!here || !before || !after)
            continue;
        if (!(here->x * here->x + here->y * here->y < 1.0))
            continue;
        BesselianRates rates;
        rates.x = (after->x - before->x) / (2 * kSampleStepHours);
        rates.y = (after->y - before->y) / (2 * kSampleStepHours);
        rates.mu = Signed180(after->mu - before->mu) / (2 * kSampleStepHours);
        rates.d = (after->d - before->d) / (2 * kSampleStepHours);
        std::optional<EclipseTrackPoint> point = CentralLinePoint(*here, rates);
        if (!point)
            continue;
        point->instant = (firstMark + static_cast<double>(i) - 1.0) / kSamplesPerDay;
        track.push_back(*point);
    }
    if (track.size() < 2)
        track.clear();
    return track;
}

} // namespace skelvane

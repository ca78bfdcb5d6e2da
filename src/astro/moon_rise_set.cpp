#include "astro/moon_rise_set.h"

#include "astro/angles.h"
#include "astro/datetime.h"
#include "astro/moon.h"
#include "astro/sun.h"

#include <cmath>

namespace skelvane {

namespace {

// Apparent altitude of the Moon's centre at rising and setting, before the observer's
// height: 0.7275 π less 34′ of refraction (Meeus ch. 15).
constexpr double kParallaxShare = 0.7275;
constexpr double kRefractionDegrees = 0.5666667;
// Dip of the horizon per √foot of observer height, degrees.
constexpr double kDipPerRootFoot = 0.0195;

constexpr double kSiderealDegreesPerDay = 360.985647;
constexpr double kConvergedDays = 0.0001;
constexpr double kSlowDays = 0.0005;
// The passes keep going after the fifth only while they still close in; this bounds them.
constexpr int kMaxPasses = 20;

// Three-point interpolation of Meeus eq. 3.3, n in days from the middle value.
struct ThreePoint {
    double middle, a, b, c;
    ThreePoint(double y1, double y2, double y3) : middle(y2), a(y2 - y1), b(y3 - y2), c(b - a) {}
    double at(double n) const { return middle + n / 2.0 * (a + b + n * c); }
};

struct EventInputs {
    ThreePoint ra, dec;
    double siderealAtMidnight; // θ0, degrees
    double standardAltitude;   // h0, degrees
    double latitude, longitude;
};

// Brings m into 0..1: the fractional part once |m| reaches 1, then one turn up if negative.
double IntoOneDay(double m) {
    if (std::fabs(m) >= 1.0) {
        double whole = 0;
        m = std::modf(m, &whole);
    }
    return m < 0 ? m + 1.0 : m;
}

// Newton-style passes on the altitude error, each interpolating the Moon's place for the
// moment being tried. A pair of slow passes (the Moon grazing the horizon) ends with an
// extrapolation from the fourth and fifth passes.
double Refine(double m, const EventInputs& in) {
    const double sinLat = SinDeg(in.latitude), cosLat = CosDeg(in.latitude);
    double m4 = 0, e4 = 0;
    bool slowAfterFourth = false;
    for (int pass = 1; pass <= kMaxPasses; ++pass) {
        const double theta = std::fmod(in.siderealAtMidnight + kSiderealDegreesPerDay * m, 360.0);
        const double alpha = in.ra.at(m);
        const double delta = in.dec.at(m);
        const double hourAngle = theta + in.longitude - alpha;
        const double altitude =
            AsinDeg(sinLat * SinDeg(delta) + cosLat * CosDeg(delta) * CosDeg(hourAngle));
        const double error = altitude - in.standardAltitude;
        const double dm = error / (360.0 * CosDeg(delta) * cosLat * SinDeg(hourAngle));
        // On the meridian the step has no size; keep the moment reached so far.
        if (!std::isfinite(dm))
            break;
        m += dm;
        if (std::fabs(dm) < kConvergedDays)
            break;
        if (pass == 4 && std::fabs(dm) >= kSlowDays) {
            e4 = error;
            m4 = m;
            slowAfterFourth = true;
        }
        if (pass == 5 && slowAfterFourth && std::fabs(dm) >= kSlowDays) {
            m = m4 + (e4 / error) * (m4 - m);
            break;
        }
    }
    return m;
}

std::int32_t SecondsOfDay(double m) {
    double whole = 0;
    double fraction = std::modf(m, &whole);
    if (fraction < 0)
        fraction += 1.0;
    auto seconds = static_cast<std::int32_t>(fraction * 86400.0);
    if (seconds > 86399)
        seconds -= 86400;
    if (seconds < 0)
        seconds = 0;
    return seconds;
}

} // namespace

MoonRiseSetRec MoonRiseSet(std::int32_t dayNumber, double altitudeFeet, double latitude,
                           double longitude) {
    MoonRiseSetRec out;
    if (dayNumber < 1 || dayNumber > kLastDayNumber - 1)
        return out;
    if (!std::isfinite(altitudeFeet) || !std::isfinite(latitude) || !std::isfinite(longitude) ||
        std::fabs(latitude) > 90.0)
        return out;

    // Geocentric right ascensions, made to increase across the three days; the parallax
    // enters only through the standard altitude, where it stands for the whole of the
    // topocentric correction.
    double ra[3], dec[3], parallax = 0;
    for (int i = 0; i < 3; ++i) {
        const MoonPosRec p = MoonPositionWithoutSun(AstroTimeRec{dayNumber - 1 + i, 0});
        ra[i] = p.ra;
        dec[i] = p.dec;
        if (i > 0 && ra[i] < ra[i - 1])
            ra[i] += 360.0;
        if (i == 1)
            parallax = p.parallax;
    }

    const double dip = altitudeFeet >= 0 ? kDipPerRootFoot * std::sqrt(altitudeFeet)
                                         : -kDipPerRootFoot * std::sqrt(-altitudeFeet);
    const EventInputs in{ThreePoint(ra[0], ra[1], ra[2]),
                         ThreePoint(dec[0], dec[1], dec[2]),
                         SiderealDegrees(AstroTimeRec{dayNumber, 0}),
                         kParallaxShare * parallax - kRefractionDegrees - dip,
                         latitude,
                         longitude};

    const double cosH0 = (SinDeg(in.standardAltitude) - SinDeg(latitude) * SinDeg(dec[1])) /
                         (CosDeg(latitude) * CosDeg(dec[1]));
    if (!(std::fabs(cosH0) < 1.0)) {
        out.rise = out.set = cosH0 > 0 ? kMoonNeverRises : kMoonNeverSets;
        return out;
    }
    const double h0Turns = AcosDeg(cosH0) / 360.0;
    const double transit = (ra[1] - longitude - in.siderealAtMidnight) / 360.0;
    out.rise = SecondsOfDay(Refine(IntoOneDay(transit - h0Turns), in));
    out.set = SecondsOfDay(Refine(IntoOneDay(transit + h0Turns), in));
    return out;
}

} // namespace skelvane

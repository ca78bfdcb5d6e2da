#include "astro/moon_calendar.h"

#include "astro/angles.h"
#include "astro/lunation.h"
#include "astro/moon.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace skelvane {

namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kJ2000 = 2451545.0;
// Date-time value of 2000-01-01 00:00, the origin of the lunation count's T.
constexpr DateTime kYear2000 = 36526.0;
constexpr double kLunationsPerCentury = 1236.85;
constexpr double kOctantTolerance = 0.0000001; // days
constexpr int kMaxOctantSteps = 100;
constexpr double kSearchStepDays = 28.0;
// Each search step moves the lunation count by at most one; a handful always suffice.
constexpr int kMaxSearchSteps = 8;

// Mean elements as first published in Meeus ch. 47, for T centuries from J2000.0.
MoonArguments CalendarModelArguments(double t) {
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t;
    MoonArguments a;
    a.meanLongitude = Reduce360(218.3164591 + 481267.88134236 * t - 0.0013268 * t2 + t3 / 538841.0 -
                                t4 / 65194000.0);
    a.elongation = Reduce360(297.8502042 + 445267.1115168 * t - 0.00163 * t2 + t3 / 545868.0 -
                             t4 / 113065000.0);
    a.sunAnomaly = Reduce360(357.5291092 + 35999.0502909 * t - 0.0001536 * t2 + t3 / 24490000.0);
    a.moonAnomaly = Reduce360(134.9634114 + 477198.8676313 * t + 0.008997 * t2 + t3 / 69699.0 -
                              t4 / 14712000.0);
    a.latitudeArg = Reduce360(93.2720993 + 483202.0175273 * t - 0.0034029 * t2 - t3 / 3526000.0 +
                              t4 / 863310000.0);
    a.a1 = Reduce360(119.75 + 131.849 * t);
    a.a2 = Reduce360(53.09 + 479264.29 * t);
    a.a3 = Reduce360(313.45 + 481266.484 * t);
    a.eccentricity = 1.0 - 0.002516 * t - 0.0000074 * t2;
    return a;
}

// Apparent longitude of the Moon less that of the Sun, 0..360°.
double ElongationInLongitude(DateTime utc) {
    const ApparentPosRec moon = ApparentMoonPosition(utc);
    const ApparentPosRec sun = ApparentSunPosition(utc);
    return Reduce360(static_cast<double>(moon.longitude - sun.longitude));
}

} // namespace

ApparentPosRec ApparentMoonPosition(DateTime utc) {
    ApparentPosRec out;
    if (!std::isfinite(utc)) {
        out.longitude = out.latitude = out.distanceKm = out.ra = out.dec = kNan;
        return out;
    }
    const double t = (ToJulianDate(utc) - kJ2000) / 36525.0;
    const MoonArguments arguments = CalendarModelArguments(t);
    const MoonSeriesSums s = SumMoonSeries(arguments);
    const NutationRec nutation = Nutation(utc);

    out.longitude = Reduce360(arguments.meanLongitude + s.longitude / 1e6 + nutation.longitude);
    out.latitude = s.latitude / 1e6;
    out.distanceKm = 385000.56 + s.distance / 1000.0;
    EclipticToEquatorial(out.longitude, out.latitude, nutation.trueObliquity, out.ra, out.dec);
    return out;
}

double MoonPhaseAngle(DateTime utc) {
    if (!std::isfinite(utc))
        return kNan;
    const ApparentPosRec moon = ApparentMoonPosition(utc);
    const ApparentPosRec sun = ApparentSunPosition(utc);
    const double dLongitude = static_cast<double>(moon.longitude - sun.longitude);
    const double sunKm = static_cast<double>(sun.distanceKm);
    const double moonKm = static_cast<double>(moon.distanceKm);

    // Geocentric elongation ψ, then the angle Sun–Moon–Earth (Meeus eq. 48.2, 48.3).
    const double psi = AcosDeg(CosDeg(static_cast<double>(moon.latitude)) * CosDeg(dLongitude));
    double angle =
        std::atan(sunKm * SinDeg(psi) / (moonKm - sunKm * CosDeg(psi))) * 180.0 / std::numbers::pi;
    if (angle < 0)
        angle += 180.0;
    if (Reduce360(dLongitude) > 180.0)
        angle = -angle;
    return angle;
}

double MoonIlluminatedFraction(DateTime utc) {
    return (1.0 + CosDeg(MoonPhaseAngle(utc))) / 2.0;
}

double MoonAgeDays(DateTime utc) {
    if (!std::isfinite(utc))
        return kNan;
    return ElongationInLongitude(utc) / 360.0 * kSynodicMonthDays;
}

int PhaseIconIndexFromProgress(double v) {
    if (v >= -1.0 / 24 && v <= 1.0 / 24)
        return 0;
    if (v > 0) {
        // Bands (2n−1)/24..(2n+1)/24; testing the upper edge first keeps a boundary with
        // the lower n.
        for (int n = 1; n <= 11; ++n)
            if (v <= (2 * n + 1) / 24.0)
                return n;
        return 12;
    }
    if (v < 0) {
        // Index 24 − n falls as n grows, so a boundary goes to the larger n.
        const double w = -v;
        for (int n = 1; n <= 10; ++n)
            if (w < (2 * n + 1) / 24.0)
                return 24 - n;
        if (w <= 23.0 / 24)
            return 13;
        return 12;
    }
    return 12; // NaN
}

int PhaseIconIndex(double phaseAngle) {
    // An angle of exactly 0 is the full moon itself, not the new moon that a sign of 0
    // would make of it.
    const double sign = phaseAngle < 0 ? -1.0 : 1.0;
    return PhaseIconIndexFromProgress(sign * (1.0 - std::fabs(phaseAngle) / 180.0));
}

int PhaseIconIndexOfCode(float phaseCode, bool southernHemisphere) {
    int index = -1;
    if (phaseCode == kNewMoonCode)
        index = 0;
    else if (phaseCode == kFirstQuarterCode)
        index = 6;
    else if (phaseCode == kFullMoonCode)
        index = 12;
    else if (phaseCode == kLastQuarterCode)
        index = 18;
    if (index < 0)
        return -1;
    return southernHemisphere ? (24 - index) % 24 : index;
}

DateTime CalendarPhaseInstant(int phase, DateTime near) {
    if (phase < 0 || phase > 7 || !std::isfinite(near))
        return 0;
    if (phase % 2 == 0) {
        const double t = (near - kYear2000) / 36525.0;
        const double k = std::nearbyint(t * kLunationsPerCentury);
        const double jde =
            PhaseJde(k, static_cast<PrincipalPhase>(phase / 2), PhaseCorrections::Full);
        return jde - kJulianDateOffset;
    }
    const double targetAge = phase * kSynodicMonthDays / 8.0;
    DateTime x = near;
    for (int step = 0; step < kMaxOctantSteps; ++step) {
        double e = MoonAgeDays(x) - targetAge;
        if (e > kSynodicMonthDays / 2.0)
            e -= kSynodicMonthDays;
        x -= e;
        if (std::fabs(e) < kOctantTolerance)
            return x;
    }
    return 0;
}

namespace {

PhaseSearchResult NoDate() {
    return PhaseSearchResult{0, std::string(kNoDateError)};
}

} // namespace

PhaseSearchResult LastPhaseBefore(int phase, DateTime date) {
    if (phase < 0 || phase > 7 || !std::isfinite(date))
        return NoDate();
    DateTime c = date + kSearchStepDays;
    for (int step = 0; step < kMaxSearchSteps; ++step) {
        const DateTime result = CalendarPhaseInstant(phase, c);
        if (result == 0)
            return NoDate();
        if (!(result > date))
            return PhaseSearchResult{result, {}};
        c -= kSearchStepDays;
    }
    return NoDate();
}

PhaseSearchResult NextPhaseAfter(int phase, DateTime date) {
    if (phase < 0 || phase > 7 || !std::isfinite(date))
        return NoDate();
    DateTime c = date - kSearchStepDays;
    for (int step = 0; step < kMaxSearchSteps; ++step) {
        const DateTime result = CalendarPhaseInstant(phase, c);
        if (result == 0)
            return NoDate();
        if (!(result < date))
            return PhaseSearchResult{result, {}};
        c += kSearchStepDays;
    }
    return NoDate();
}

} // namespace skelvane

#include "astro/eclipses.h"

#include "astro/angles.h"
#include "astro/timezone.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace skelvane {

namespace {

constexpr double kLunationsPerCentury = 1236.85;
constexpr double kMeanLunationDays = 29.530588853;
constexpr double kLunationEpochJde = 2451550.09765;
// Beyond this |sin F| the Moon is too far from the node for any eclipse (F within 21° of
// a node is needed).
constexpr double kEclipseLimitSinF = 0.35836794954530027; // sin 21°

// Radii of the shadows at the Moon's distance, in units of the Earth's equatorial radius,
// and the limit of gamma for a central eclipse (Meeus ch. 54).
constexpr double kCentralLimit = 0.9972;
constexpr double kSolarPenumbraLimit = 1.5433;
constexpr double kLunarPenumbra = 1.5573;
constexpr double kLunarUmbra = 1.0128;
constexpr double kLunarTotality = 0.4678;
constexpr double kLunarMagnitudeDivisor = 0.545;

constexpr double kMinutesPerDay = 1440.0;

constexpr std::array<std::string_view, 7> kKindNames = {
    " Lunar - Penumbral", " Lunar - Partial", " Lunar - Total",     " Solar - Partial",
    " Solar - Annular",   " Solar - Total",   " Solar - Ann Total",
};

double MeanPhaseJde(double k) {
    return kLunationEpochJde + kMeanLunationDays * k;
}

// Universal Time from dynamical time by ΔT = (JD - 2382148)² / 41048480 - 15 seconds
// (Morrison and Stephenson's parabola as quoted by Meeus ch. 10).
double UniversalTimeOf(double jde) {
    const double fromEpoch = jde - 2382148.0;
    return jde - (fromEpoch * fromEpoch / 41048480.0 - 15.0) / 86400.0;
}

// Semi-duration in days of a phase whose shadow radius (in the units of gamma) is
// `radius`, for the Moon's hourly motion n; 0 when the phase does not occur.
double SemiDurationDays(double radius, double gamma, double n) {
    const double square = radius * radius - gamma * gamma;
    if (!(square > 0))
        return 0;
    return 60.0 / n * std::sqrt(square) / kMinutesPerDay;
}

} // namespace

std::string_view EclipseKindName(EclipseKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return index < kKindNames.size() ? kKindNames[index] : std::string_view{};
}

bool IsSolarEclipse(EclipseKind kind) {
    return kind == EclipseKind::SolarPartial || kind == EclipseKind::SolarAnnular ||
           kind == EclipseKind::SolarTotal || kind == EclipseKind::SolarAnnularTotal;
}

DateTime ListedInstant(const EclipseRecord& eclipse) {
    return IsSolarEclipse(eclipse.kind) ? eclipse.maximum : eclipse.penumbralStart;
}

std::optional<EclipseRecord> EclipseAtLunation(double k) {
    if (!std::isfinite(k) || std::fabs(k) > 1e6)
        return std::nullopt;
    const double fraction = std::fabs(k - std::trunc(k));
    const bool solar = fraction <= 0.1;
    if (!solar && std::fabs(fraction - 0.5) > 0.1)
        return std::nullopt;

    // Arguments as for the lunar phases (Meeus ch. 49).
    const double t = k / kLunationsPerCentury;
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t;
    const double e = 1.0 - 0.002516 * t - 0.0000074 * t2;
    const double m = Reduce360(2.5534 + 29.1053569 * k - 0.0000218 * t2 - 0.00000011 * t3);
    const double mp = Reduce360(201.5643 + 385.81693528 * k + 0.0107438 * t2 + 0.00001239 * t3 -
                                0.000000058 * t4);
    const double f = Reduce360(160.7108 + 390.67050274 * k - 0.0016341 * t2 - 0.00000227 * t3 +
                               0.000000011 * t4);
    const double node = Reduce360(124.7746 - 1.5637558 * k + 0.0020691 * t2 + 0.00000215 * t3);
    const double jde = MeanPhaseJde(k) + 0.0001337 * t2 - 0.00000015 * t3 + 0.00000000073 * t4;

    if (std::fabs(SinDeg(f)) > kEclipseLimitSinF)
        return std::nullopt;

    const double f1 = f - 0.02665 * SinDeg(node);
    const double a1 = 299.77 + 0.107408 * k - 0.009173 * t2;

    double maximum = jde;
    maximum += solar ? -0.4075 * SinDeg(mp) + 0.1721 * e * SinDeg(m)
                     : -0.4065 * SinDeg(mp) + 0.1727 * e * SinDeg(m);
    maximum +=
        0.0161 * SinDeg(2 * mp) - 0.0097 * SinDeg(2 * f1) + 0.0073 * e * SinDeg(mp - m) -
        0.0050 * e * SinDeg(mp + m) - 0.0023 * SinDeg(mp - 2 * f1) + 0.0021 * e * SinDeg(2 * m) +
        0.0012 * SinDeg(mp + 2 * f1) + 0.0006 * e * SinDeg(2 * mp + m) - 0.0004 * SinDeg(3 * mp) -
        0.0003 * e * SinDeg(m + 2 * f1) + 0.0003 * SinDeg(a1) - 0.0002 * e * SinDeg(m - 2 * f1) -
        0.0002 * e * SinDeg(2 * mp - m) - 0.0002 * SinDeg(node);

    const double p = 0.2070 * e * SinDeg(m) + 0.0024 * e * SinDeg(2 * m) - 0.0392 * SinDeg(mp) +
                     0.0116 * SinDeg(2 * mp) - 0.0073 * e * SinDeg(mp + m) +
                     0.0067 * e * SinDeg(mp - m) + 0.0118 * SinDeg(2 * f1);
    const double q = 5.2207 - 0.0048 * e * CosDeg(m) + 0.0020 * e * CosDeg(2 * m) -
                     0.3299 * CosDeg(mp) - 0.0060 * e * CosDeg(mp + m) +
                     0.0041 * e * CosDeg(mp - m);
    const double w = std::fabs(CosDeg(f1));
    const double gamma = (p * CosDeg(f1) + q * SinDeg(f1)) * (1.0 - 0.0048 * w);
    const double u = 0.0059 + 0.0046 * e * CosDeg(m) - 0.0182 * CosDeg(mp) +
                     0.0004 * CosDeg(2 * mp) - 0.0005 * CosDeg(m + mp);
    const double absGamma = std::fabs(gamma);

    EclipseRecord eclipse;
    eclipse.maximum = UniversalTimeOf(maximum) - kJulianDateOffset;

    if (solar) {
        eclipse.hemisphere = gamma > 0 ? kNorthernHemisphere : kSouthernHemisphere;
        if (absGamma <= std::fabs(u) + kCentralLimit) {
            // Meeus ch. 54: total for u < 0; annular for u > 0.0047; between, hybrid
            // below the limit that depends on gamma, else annular.
            const bool hybrid =
                u <= 0.0047 && u < 0.00464 * std::sqrt(std::fabs(1.0 - gamma * gamma));
            if (u < 0)
                eclipse.kind = EclipseKind::SolarTotal;
            else if (hybrid)
                eclipse.kind = EclipseKind::SolarAnnularTotal;
            else
                eclipse.kind = EclipseKind::SolarAnnular;
            eclipse.magnitude = kMagnitudeNotComputed;
        } else if (absGamma < u + kSolarPenumbraLimit) {
            eclipse.kind = EclipseKind::SolarPartial;
            eclipse.magnitude = (kSolarPenumbraLimit + u - absGamma) / (0.5461 + 2.0 * u);
        } else {
            return std::nullopt;
        }
        return eclipse;
    }

    const double penumbralMagnitude = (kLunarPenumbra + u - absGamma) / kLunarMagnitudeDivisor;
    const double umbralMagnitude = (kLunarUmbra - u - absGamma) / kLunarMagnitudeDivisor;
    const double n = 0.5458 + 0.04 * CosDeg(mp); // the Moon's hourly motion, Earth radii
    const double penumbral = SemiDurationDays(kLunarPenumbra + u, gamma, n);
    const double partial = SemiDurationDays(kLunarUmbra - u, gamma, n);
    const double total = SemiDurationDays(kLunarTotality - u, gamma, n);

    if (umbralMagnitude >= 1.0) {
        eclipse.kind = EclipseKind::LunarTotal;
        eclipse.magnitude = umbralMagnitude;
        eclipse.totalStart = eclipse.maximum - total;
        eclipse.totalEnd = eclipse.maximum + total;
    } else if (umbralMagnitude > 0.0) {
        eclipse.kind = EclipseKind::LunarPartial;
        eclipse.magnitude = umbralMagnitude;
    } else if (penumbralMagnitude > 0.0) {
        eclipse.kind = EclipseKind::LunarPenumbral;
        eclipse.magnitude = penumbralMagnitude;
    } else {
        return std::nullopt;
    }
    if (eclipse.kind != EclipseKind::LunarPenumbral) {
        eclipse.partialStart = eclipse.maximum - partial;
        eclipse.partialEnd = eclipse.maximum + partial;
    }
    eclipse.penumbralStart = eclipse.maximum - penumbral;
    eclipse.penumbralEnd = eclipse.maximum + penumbral;
    return eclipse;
}

std::vector<EclipseRecord> ComputeEclipsesOfYear(int year) {
    std::vector<EclipseRecord> eclipses;
    const DateTime yearStart = SafeEncodeDate(year, 1, 1);
    if (yearStart == 0)
        return eclipses;
    const DateTime nextYearStart = yearStart + (IsLeapYear(year) ? 366 : 365);
    const double startJd = ToJulianDate(yearStart);
    const double endJd = ToJulianDate(nextYearStart);

    // Start from the lunation before the year and step by half lunations (new and full
    // moons) past its end. The maximum can lie most of a day from the mean phase, so the
    // window reaches a lunation beyond the year on each side and each eclipse is kept by
    // its own maximum: an eclipse near midnight of 1 January belongs to exactly one year.
    double k = std::trunc((year - 2000) * 12.3685 - 1.0);
    while (MeanPhaseJde(k) < startJd)
        k += 0.5;
    k -= 1.0;
    for (; MeanPhaseJde(k) < endJd + 1.0; k += 0.5) {
        std::optional<EclipseRecord> eclipse = EclipseAtLunation(k);
        if (!eclipse || eclipse->maximum < yearStart || eclipse->maximum >= nextYearStart)
            continue;
        if (eclipse->kind == EclipseKind::SolarAnnular ||
            eclipse->kind == EclipseKind::SolarTotal ||
            eclipse->kind == EclipseKind::SolarAnnularTotal)
            eclipse->track = CentralLineTrack(eclipse->maximum);
        eclipses.push_back(std::move(*eclipse));
    }
    return eclipses;
}

void TStEclipses::FindEclipses(int year) {
    eclipses_ = ComputeEclipsesOfYear(year);
    year_ = year;
}

const EclipseRecord* TStEclipses::EclipseAt(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= eclipses_.size())
        return nullptr;
    return &eclipses_[static_cast<std::size_t>(index)];
}

namespace {

DateTime DisplayedInstant(DateTime utc, bool useLocalTime) {
    return useLocalTime ? utc + TimeZoneOffsetHours(utc) / 24.0 : utc;
}

std::optional<EclipseListing> FirstOnDay(const std::vector<EclipseRecord>& eclipses, double day,
                                         bool useLocalTime) {
    for (const EclipseRecord& eclipse : eclipses) {
        const DateTime listed = ListedInstant(eclipse);
        if (std::floor(DisplayedInstant(listed, useLocalTime)) == day)
            return EclipseListing{listed, EclipseKindName(eclipse.kind)};
    }
    return std::nullopt;
}

} // namespace

std::optional<EclipseListing> TStEclipses::GetEclipse(DateTime date, bool useLocalTime) {
    const CivilDate civil = DecodeDate(date);
    if (civil.year < 1 || civil.year > 9999)
        return std::nullopt;
    if (civil.year != year_)
        FindEclipses(civil.year);
    const double day = std::floor(date);

    // A neighbouring year's eclipse can show on the first or last day of this one.
    std::optional<EclipseListing> before, after;
    if (civil.month == 1 && civil.day == 1 && civil.year > 1)
        before = FirstOnDay(ComputeEclipsesOfYear(civil.year - 1), day, useLocalTime);
    if (before)
        return before;
    if (auto found = FirstOnDay(eclipses_, day, useLocalTime))
        return found;
    if (civil.month == 12 && civil.day == 31 && civil.year < 9999)
        after = FirstOnDay(ComputeEclipsesOfYear(civil.year + 1), day, useLocalTime);
    return after;
}

std::optional<DateTime> TStEclipses::EclipseDay(int n, bool useLocalTime) const {
    const EclipseRecord* eclipse = n >= 1 ? EclipseAt(n - 1) : nullptr;
    if (eclipse == nullptr)
        return std::nullopt;
    return std::floor(DisplayedInstant(ListedInstant(*eclipse), useLocalTime));
}

} // namespace skelvane

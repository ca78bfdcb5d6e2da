#include "astro/lunation.h"

#include "astro/angles.h"
#include "astro/datetime.h"
#include "astro/tables/moon_phase_terms.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace skelvane {

namespace {

constexpr double kLunationsPerCentury = 1236.85;
// Julian date at 0 h of day number 0 is this less 0.5.
constexpr double kDayNumberJulianBase = 2305448.0;
// Terms kept by the lunation list: down to the 0.00007-day term for new and full moon and
// to the 0.00005-day term for the quarters.
constexpr std::size_t kTruncatedNewFullTerms = 16;
constexpr std::size_t kTruncatedQuarterTerms = 17;

double Power(double e, int n) {
    double result = 1.0;
    for (int i = 0; i < n; ++i)
        result *= e;
    return result;
}

std::span<const tables::PhaseCorrectionTerm> CorrectionTerms(PrincipalPhase phase,
                                                             PhaseCorrections corrections) {
    const bool full = corrections == PhaseCorrections::Full;
    switch (phase) {
    case PrincipalPhase::NewMoon:
        return std::span(tables::kNewMoonCorrections)
            .first(full ? tables::kNewMoonCorrections.size() : kTruncatedNewFullTerms);
    case PrincipalPhase::FullMoon:
        return std::span(tables::kFullMoonCorrections)
            .first(full ? tables::kFullMoonCorrections.size() : kTruncatedNewFullTerms);
    case PrincipalPhase::FirstQuarter:
    case PrincipalPhase::LastQuarter:
        break;
    }
    return std::span(tables::kQuarterCorrections)
        .first(full ? tables::kQuarterCorrections.size() : kTruncatedQuarterTerms);
}

} // namespace

double PhaseJde(double k, PrincipalPhase phase, PhaseCorrections corrections) {
    const double kPrime = k + 0.25 * static_cast<int>(phase);
    const double t = kPrime / kLunationsPerCentury;
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t;

    double jde = 2451550.09765 + 29.530588853 * kPrime + 0.0001337 * t2 - 0.00000015 * t3 +
                 0.00000000073 * t4;

    const double e = 1.0 - 0.002516 * t - 0.0000074 * t2;
    const double sunAnomaly =
        Reduce360(2.5534 + 29.1053569 * kPrime - 0.0000218 * t2 - 0.00000011 * t3);
    const double moonAnomaly = Reduce360(201.5643 + 385.81693528 * kPrime + 0.0107438 * t2 +
                                         0.00001239 * t3 - 0.000000058 * t4);
    const double latitudeArg = Reduce360(160.7108 + 390.67050274 * kPrime - 0.0016341 * t2 -
                                         0.00000227 * t3 + 0.000000011 * t4);
    const double node = Reduce360(124.7746 - 1.5637558 * kPrime + 0.0020691 * t2 + 0.00000215 * t3);

    for (const tables::PhaseCorrectionTerm& term : CorrectionTerms(phase, corrections)) {
        const double arg =
            term.m * sunAnomaly + term.mp * moonAnomaly + term.f * latitudeArg + term.om * node;
        jde += term.coefficient * Power(e, term.ePower) * SinDeg(arg);
    }

    if (phase == PrincipalPhase::FirstQuarter || phase == PrincipalPhase::LastQuarter) {
        const double w =
            0.00306 - 0.00038 * e * CosDeg(sunAnomaly) + 0.00026 * CosDeg(moonAnomaly) -
            0.00002 * CosDeg(moonAnomaly - sunAnomaly) +
            0.00002 * CosDeg(moonAnomaly + sunAnomaly) + 0.00002 * CosDeg(2 * latitudeArg);
        jde += phase == PrincipalPhase::FirstQuarter ? w : -w;
    }

    for (const tables::PlanetaryPhaseCorrection& term : tables::kPlanetaryPhaseCorrections)
        jde += term.coefficient * SinDeg(term.base + term.rateK * kPrime + term.rateT2 * t2);
    return jde;
}

LunationRec LunationPhases(int k) {
    const double kd = k;
    return LunationRec{PhaseJde(kd, PrincipalPhase::NewMoon, PhaseCorrections::Truncated),
                       PhaseJde(kd, PrincipalPhase::FirstQuarter, PhaseCorrections::Truncated),
                       PhaseJde(kd, PrincipalPhase::FullMoon, PhaseCorrections::Truncated),
                       PhaseJde(kd, PrincipalPhase::LastQuarter, PhaseCorrections::Truncated)};
}

std::array<PhaseInstant, 2> PhasesInMonth(std::int32_t dayNumber, int phase) {
    std::array<PhaseInstant, 2> found{};
    if (dayNumber < 0 || dayNumber > kLastDayNumber || phase < 0 || phase > 3)
        return found;

    const CivilDate date = DecodeDate(DateFromDayNumber(dayNumber));
    // The lunation that starts about three weeks before the year (truncation towards zero
    // needs the step back for years before 2000).
    const int k0 = static_cast<int>((date.year - 0.05 - 2000.0) * 12.3685);
    const int k = date.year < k0 / 12.3685 + 2000.0 ? k0 - 1 : k0;

    std::size_t stored = 0;
    for (int index = date.month - 1; index <= date.month + 1 && stored < found.size(); ++index) {
        const double jde =
            PhaseJde(k + index, static_cast<PrincipalPhase>(phase), PhaseCorrections::Truncated);
        const double days = jde + 0.5 - kDayNumberJulianBase;
        const double day = std::floor(days);
        if (day < 0 || day > kLastDayNumber)
            continue;
        const auto dayNumberOfPhase = static_cast<std::int32_t>(day);
        if (DecodeDate(DateFromDayNumber(dayNumberOfPhase)).month != date.month)
            continue;
        // The seconds come from the same sum as the day, so they cannot roll into the next
        // day except by rounding, which the clamp absorbs.
        const auto seconds =
            std::min<std::int32_t>(static_cast<std::int32_t>((days - day) * 86400.0), 86399);
        found[stored++] = PhaseInstant{dayNumberOfPhase, seconds};
    }
    return found;
}

} // namespace skelvane

// Spot checks of the generated coefficient tables against values printed in the sources
// (Meeus, Astronomical Algorithms, 2nd ed.; VSOP87; The Astronomical Almanac). They catch
// rows dropped, shifted or transcribed wrongly; the generator's own checks and the
// tables_match_generator test keep the files and the generator in step.

#include "astro/tables/delta_t_table.h"
#include "astro/tables/equinox_terms.h"
#include "astro/tables/moon_phase_terms.h"
#include "astro/tables/moon_terms.h"
#include "astro/tables/nutation_terms.h"
#include "astro/tables/vsop87.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <numbers>
#include <span>

namespace skelvane::tables {
namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

// Σ over powers of τ^n · Σ A·cos(B + C·τ), the plain VSOP87 sum.
double SumSeries(std::span<const std::span<const Vsop87Term>> series, double tau) {
    double result = 0;
    double tauPower = 1;
    for (const auto& terms : series) {
        double sum = 0;
        for (const Vsop87Term& term : terms)
            sum += term.amplitude * std::cos(term.phase + term.frequency * tau);
        result += sum * tauPower;
        tauPower *= tau;
    }
    return result;
}

std::size_t CountTerms(std::span<const std::span<const Vsop87Term>> series) {
    std::size_t count = 0;
    for (const auto& terms : series)
        count += terms.size();
    return count;
}

// --- VSOP87 ------------------------------------------------------------------------------

TEST(TablesVsop87, SubSeriesCountsMatchTheTheory) {
    EXPECT_EQ(kEarthVsop87D.L.size(), 6u) << "L0..L5";
    EXPECT_EQ(kEarthVsop87D.B.size(), 5u) << "B0..B4";
    EXPECT_EQ(kEarthVsop87D.R.size(), 6u) << "R0..R5";
    EXPECT_EQ(kEarthVsop87B.L.size(), 6u);
    EXPECT_EQ(kEarthVsop87B.B.size(), 5u);
    EXPECT_EQ(kEarthVsop87B.R.size(), 6u);
    // Every term of D: 559 + 341 + 142 + 22 + 11 + 5 in L (VSOP87D.ear).
    EXPECT_EQ(CountTerms(kEarthVsop87D.L), 1080u);
    EXPECT_EQ(CountTerms(kEarthVsop87D.B), 348u);
    EXPECT_EQ(CountTerms(kEarthVsop87D.R), 997u);
    // The cut L0 keeps its constant and the periodic terms down to 80 × 10⁻⁸ rad.
    ASSERT_FALSE(kEarthVsop87B.L[0].empty());
    for (const Vsop87Term& term : kEarthVsop87B.L[0])
        EXPECT_GE(term.amplitude, 80e-8) << "frequency " << term.frequency;
}

TEST(TablesVsop87, L1ConstantTermsMatchThePublishedValues) {
    // B: 628307584999 × 10⁻⁸ rad, D: 628331966747.491 × 10⁻⁸ rad (the mean motion in the
    // fixed J2000 frame and in the frame of the date).
    ASSERT_FALSE(kEarthVsop87B.L[1].empty());
    ASSERT_FALSE(kEarthVsop87D.L[1].empty());
    EXPECT_NEAR(kEarthVsop87B.L[1][0].amplitude, 6283.07584999, 1e-8);
    EXPECT_EQ(kEarthVsop87B.L[1][0].frequency, 0.0);
    EXPECT_NEAR(kEarthVsop87D.L[1][0].amplitude, 6283.31966747491, 1e-11);
    EXPECT_EQ(kEarthVsop87D.L[1][0].frequency, 0.0);
    // L0's constant, the Earth's mean longitude at J2000: 175347046 × 10⁻⁸ rad.
    EXPECT_NEAR(kEarthVsop87D.L[0][0].amplitude, 1.75347045673, 1e-11);
}

TEST(TablesVsop87, FullSeriesOfTheDateGiveTheAuthorsCheckValuesAtJ2000) {
    // Every row enters these sums. VSOP87D Earth at JD 2451545.0 TT, from the theory's
    // check file vsop87.chk: L = 1.7519238681 rad (100.3779°, Meeus ch. 32),
    // B = −0.0000039656 rad, R = 0.9833276819 AU, printed to 10⁻¹⁰.
    const double longitude = std::fmod(SumSeries(kEarthVsop87D.L, 0.0), 2 * std::numbers::pi);
    EXPECT_NEAR(longitude, 1.7519238681, 1e-10);
    EXPECT_NEAR(longitude * kDegreesPerRadian, 100.3779, 0.0001);
    EXPECT_NEAR(SumSeries(kEarthVsop87D.B, 0.0), -0.0000039656, 1e-10);
    EXPECT_NEAR(SumSeries(kEarthVsop87D.R, 0.0), 0.9833276819, 1e-10);
}

TEST(TablesVsop87, FullSeriesAwayFromJ2000MatchMeeusExample25b) {
    // Meeus example 25.b, 1992 October 13.0 TD, τ = −0.0072183436: L = −43.63484796 rad,
    // B = −0.00000312 rad, R = 0.99760775 AU. The book sums the abridged series of its
    // appendix III, which differ from every term of VSOP87D by about 0.3″ here (measured:
    // L 1.3 × 10⁻⁶ rad, B 0.5 × 10⁻⁶ rad, R 0.8 × 10⁻⁶ AU); a sign slip or a missing
    // power in the table moves the sums far more.
    const double tau = -0.0072183436;
    EXPECT_NEAR(SumSeries(kEarthVsop87D.L, tau), -43.63484796, 3e-6);
    EXPECT_NEAR(SumSeries(kEarthVsop87D.B, tau), -0.00000312, 1e-6);
    EXPECT_NEAR(SumSeries(kEarthVsop87D.R, tau), 0.99760775, 1.5e-6);
}

TEST(TablesVsop87, CutJ2000SeriesStaysCloseToTheSeriesOfTheDateAtJ2000) {
    // At τ = 0 the two frames coincide, so the cut B series may differ from D only by
    // the dropped terms (under 2″ over 1600–4000 by the generator's measure).
    const double cut = SumSeries(kEarthVsop87B.L, 0.0);
    const double full = SumSeries(kEarthVsop87D.L, 0.0);
    EXPECT_NEAR((cut - full) * kDegreesPerRadian * 3600.0, 0.0, 2.0);
    EXPECT_NEAR(SumSeries(kEarthVsop87B.R, 0.0), SumSeries(kEarthVsop87D.R, 0.0), 1e-5);
}

// --- Moon, tables 47.A and 47.B ----------------------------------------------------------

TEST(TablesMoon, FirstAndLastRowsMatchMeeus) {
    const MoonLongitudeDistanceTerm& firstA = kMoonTable47A.front();
    EXPECT_EQ(firstA.d, 0);
    EXPECT_EQ(firstA.m, 0);
    EXPECT_EQ(firstA.mp, 1);
    EXPECT_EQ(firstA.f, 0);
    EXPECT_EQ(firstA.sinL, 6288774);
    EXPECT_EQ(firstA.cosR, -20905355);
    const MoonLongitudeDistanceTerm& lastA = kMoonTable47A.back();
    EXPECT_EQ(lastA.d, 2);
    EXPECT_EQ(lastA.m, 0);
    EXPECT_EQ(lastA.mp, -1);
    EXPECT_EQ(lastA.f, -2);
    EXPECT_EQ(lastA.sinL, 0);
    EXPECT_EQ(lastA.cosR, 8752);

    const MoonLatitudeTerm& firstB = kMoonTable47B.front();
    EXPECT_EQ(firstB.f, 1);
    EXPECT_EQ(firstB.sinB, 5128122);
    const MoonLatitudeTerm& lastB = kMoonTable47B.back();
    EXPECT_EQ(lastB.d, 2);
    EXPECT_EQ(lastB.m, -2);
    EXPECT_EQ(lastB.mp, 0);
    EXPECT_EQ(lastB.f, 1);
    EXPECT_EQ(lastB.sinB, 107);
}

TEST(TablesMoon, SumsReproduceMeeusExample47a) {
    // 1992 April 12, 0h TD. The book's arguments; its sums include the additive terms
    // (A1, A2, A3, L′), so those are added here as in the book.
    constexpr double kRad = std::numbers::pi / 180.0;
    const double D = 113.842304 * kRad, M = 97.643514 * kRad, Mp = 5.150833 * kRad;
    const double F = 219.889721 * kRad, E = 1.000194, Lp = 134.290182 * kRad;
    const double A1 = 109.57 * kRad, A2 = 123.78 * kRad, A3 = 229.53 * kRad;

    double sumL = 0, sumR = 0, sumB = 0;
    for (const MoonLongitudeDistanceTerm& t : kMoonTable47A) {
        const double e = std::pow(E, std::abs(t.m));
        const double argument = t.d * D + t.m * M + t.mp * Mp + t.f * F;
        sumL += t.sinL * e * std::sin(argument);
        sumR += t.cosR * e * std::cos(argument);
    }
    for (const MoonLatitudeTerm& t : kMoonTable47B)
        sumB +=
            t.sinB * std::pow(E, std::abs(t.m)) * std::sin(t.d * D + t.m * M + t.mp * Mp + t.f * F);
    sumL += 3958 * std::sin(A1) + 1962 * std::sin(Lp - F) + 318 * std::sin(A2);
    sumB += -2235 * std::sin(Lp) + 382 * std::sin(A3) + 175 * std::sin(A1 - F) +
            175 * std::sin(A1 + F) + 127 * std::sin(Lp - Mp) - 115 * std::sin(Lp + Mp);

    // The book rounds its arguments to 10⁻⁶°, worth about one unit in each sum.
    EXPECT_NEAR(sumL, -1127527, 2.0);
    EXPECT_NEAR(sumR, -16590875, 2.0);
    EXPECT_NEAR(sumB, -3229126, 2.0);
}

// --- Moon phases, chapter 49 -------------------------------------------------------------

TEST(TablesMoonPhase, LeadingCorrectionsMatchMeeus) {
    struct Expected {
        const char* name;
        const std::array<PhaseCorrectionTerm, 25>& table;
        double sinMp; // coefficient of sin M′, E⁰
        double sinM;  // coefficient of E · sin M
    };
    const Expected cases[] = {
        {"new moon", kNewMoonCorrections, -0.40720, 0.17241},
        {"full moon", kFullMoonCorrections, -0.40614, 0.17302},
        {"quarters", kQuarterCorrections, -0.62801, 0.17172},
    };
    for (const Expected& c : cases) {
        const PhaseCorrectionTerm& first = c.table[0];
        EXPECT_DOUBLE_EQ(first.coefficient, c.sinMp) << c.name;
        EXPECT_EQ(first.ePower, 0) << c.name;
        EXPECT_EQ(first.mp, 1) << c.name;
        EXPECT_EQ(first.m, 0) << c.name;
        const PhaseCorrectionTerm& second = c.table[1];
        EXPECT_DOUBLE_EQ(second.coefficient, c.sinM) << c.name;
        EXPECT_EQ(second.ePower, 1) << c.name;
        EXPECT_EQ(second.m, 1) << c.name;
        EXPECT_EQ(second.mp, 0) << c.name;
    }
}

TEST(TablesMoonPhase, TruncationPointsAndOmegaTermSitWhereTheBookHasThem) {
    // New and full moon are cut after 16 terms (down to −0.00007 sin(M′ + 2M)), the
    // quarters after 17 (down to −0.00005 sin(M′ − M − 2F)); Ω is term 15 and 16.
    for (const auto* table : {&kNewMoonCorrections, &kFullMoonCorrections}) {
        EXPECT_DOUBLE_EQ((*table)[14].coefficient, -0.00017);
        EXPECT_EQ((*table)[14].om, 1);
        EXPECT_DOUBLE_EQ((*table)[15].coefficient, -0.00007);
        EXPECT_EQ((*table)[15].m, 2);
        EXPECT_EQ((*table)[15].mp, 1);
        EXPECT_DOUBLE_EQ((*table)[24].coefficient, 0.00002);
        EXPECT_EQ((*table)[24].mp, 4);
    }
    EXPECT_DOUBLE_EQ(kQuarterCorrections[15].coefficient, -0.00017);
    EXPECT_EQ(kQuarterCorrections[15].om, 1);
    EXPECT_DOUBLE_EQ(kQuarterCorrections[16].coefficient, -0.00005);
    EXPECT_EQ(kQuarterCorrections[16].m, -1);
    EXPECT_EQ(kQuarterCorrections[16].f, -2);
    // E² goes with the 2M terms only.
    EXPECT_EQ(kNewMoonCorrections[6].ePower, 2);
    EXPECT_EQ(kQuarterCorrections[13].ePower, 2) << "−0.00028 E² sin(M′ + 2M)";
}

TEST(TablesMoonPhase, PlanetaryArgumentsMatchMeeus) {
    const PlanetaryPhaseCorrection& a1 = kPlanetaryPhaseCorrections.front();
    EXPECT_DOUBLE_EQ(a1.base, 299.77);
    EXPECT_DOUBLE_EQ(a1.rateK, 0.107408);
    EXPECT_DOUBLE_EQ(a1.rateT2, -0.009173);
    EXPECT_DOUBLE_EQ(a1.coefficient, 0.000325);
    EXPECT_DOUBLE_EQ(kPlanetaryPhaseCorrections[6].base, 207.14) << "A7";
    const PlanetaryPhaseCorrection& a14 = kPlanetaryPhaseCorrections.back();
    EXPECT_DOUBLE_EQ(a14.base, 331.55);
    EXPECT_DOUBLE_EQ(a14.rateK, 3.592518);
    EXPECT_DOUBLE_EQ(a14.coefficient, 0.000023);
    for (std::size_t i = 1; i < kPlanetaryPhaseCorrections.size(); ++i) {
        EXPECT_EQ(kPlanetaryPhaseCorrections[i].rateT2, 0.0) << "A" << i + 1;
        EXPECT_LE(kPlanetaryPhaseCorrections[i].coefficient,
                  kPlanetaryPhaseCorrections[i - 1].coefficient)
            << "A" << i + 1 << " out of the book's order";
    }
}

// --- Nutation, table 22.A ----------------------------------------------------------------

TEST(TablesNutation, FirstAndLastKeptRowsMatchMeeus) {
    const NutationTerm& first = kNutationTable22A.front();
    EXPECT_EQ(first.om, 1);
    EXPECT_EQ(first.d + first.m + first.mp + first.f, 0);
    EXPECT_DOUBLE_EQ(first.sinCoeff, -171996);
    EXPECT_DOUBLE_EQ(first.sinT, -174.2);
    EXPECT_DOUBLE_EQ(first.cosCoeff, 92025);
    EXPECT_DOUBLE_EQ(first.cosT, 8.9);

    // Row 31: 0 1 0 0 1, −15, +9.
    const NutationTerm& last = kNutationTable22A.back();
    EXPECT_EQ(last.d, 0);
    EXPECT_EQ(last.m, 1);
    EXPECT_EQ(last.mp, 0);
    EXPECT_EQ(last.f, 0);
    EXPECT_EQ(last.om, 1);
    EXPECT_DOUBLE_EQ(last.sinCoeff, -15);
    EXPECT_DOUBLE_EQ(last.sinT, 0);
    EXPECT_DOUBLE_EQ(last.cosCoeff, 9);
    EXPECT_DOUBLE_EQ(last.cosT, 0);
}

TEST(TablesNutation, ReproducesMeeusExample22a) {
    // 1987 April 10, 0h TD: with the book's arguments the full table gives Δψ = −3.788″
    // and Δε = +9.443″; the 31 larger rows stay within 0.01″ of that.
    constexpr double kRad = std::numbers::pi / 180.0;
    const double T = -0.127296372348;
    const double D = 136.9623 * kRad, M = 94.9792 * kRad, Mp = 229.2784 * kRad;
    const double F = 143.4079 * kRad, Om = 11.2531 * kRad;
    double psi = 0, eps = 0;
    for (const NutationTerm& t : kNutationTable22A) {
        const double argument = t.d * D + t.m * M + t.mp * Mp + t.f * F + t.om * Om;
        psi += (t.sinCoeff + t.sinT * T) * std::sin(argument);
        eps += (t.cosCoeff + t.cosT * T) * std::cos(argument);
    }
    EXPECT_NEAR(psi / 10000, -3.788, 0.01);
    EXPECT_NEAR(eps / 10000, 9.443, 0.01);
}

// --- Equinoxes, table 27.C ---------------------------------------------------------------

TEST(TablesEquinox, FirstAndLastRowsMatchMeeus) {
    EXPECT_DOUBLE_EQ(kEquinoxTable27C.front().a, 485);
    EXPECT_DOUBLE_EQ(kEquinoxTable27C.front().b, 324.96);
    EXPECT_DOUBLE_EQ(kEquinoxTable27C.front().c, 1934.136);
    EXPECT_DOUBLE_EQ(kEquinoxTable27C.back().a, 8);
    EXPECT_DOUBLE_EQ(kEquinoxTable27C.back().b, 15.45);
    EXPECT_DOUBLE_EQ(kEquinoxTable27C.back().c, 16859.074);
}

// --- ΔT ----------------------------------------------------------------------------------

TEST(TablesDeltaT, AnchorYearsMatchThePublishedSeries) {
    struct Anchor {
        int year;
        double seconds;
        double tolerance;
    };
    const Anchor anchors[] = {
        {1620, 124, 0},   {1700, 9, 0},    {1800, 13.7, 0}, {1900, -2.72, 0}, {1950, 29.15, 0},
        {2000, 63.83, 0}, {2005, 66, 0.5}, {2010, 70, 0.5}, {2013, 72, 0.5},  {2014, 73, 0.5},
    };
    ASSERT_EQ(kDeltaTByYear.size(), 395u);
    for (const Anchor& a : anchors) {
        const double value = kDeltaTByYear[static_cast<std::size_t>(a.year - kDeltaTFirstYear)];
        EXPECT_NEAR(value, a.seconds, a.tolerance) << a.year;
    }
}

TEST(TablesDeltaT, SeriesHasNoStraySteps) {
    // Year to year ΔT never moves by more than 5 s in this series (the steepest steps are
    // at 1620–1623); a larger jump means a value shifted into the wrong year.
    for (std::size_t i = 1; i < kDeltaTByYear.size(); ++i)
        EXPECT_LE(std::abs(kDeltaTByYear[i] - kDeltaTByYear[i - 1]), 5.0)
            << "between " << kDeltaTFirstYear + static_cast<int>(i) - 1 << " and "
            << kDeltaTFirstYear + static_cast<int>(i);
}

} // namespace
} // namespace skelvane::tables

#include "astro/moon.h"

#include "astro/datetime.h"

#include <gtest/gtest.h>

#include <cmath>

namespace skelvane {
namespace {

AstroTimeRec At(int year, int month, int day, int seconds = 0) {
    return AstroTimeRec{DayNumberFromDate(SafeEncodeDate(year, month, day)), seconds};
}

// Source: Meeus, Astronomical Algorithms, example 47.a, 1992 April 12 0h TD (the record is
// read as dynamical time). The book's geometric λ precedes its nutation step, so it is
// compared directly.
TEST(MoonPosition, MeeusExample47aEcliptic) {
    const MoonEclipticRec ecl = MoonEclipticPosition(At(1992, 4, 12));
    EXPECT_NEAR(ecl.longitude, 133.162655, 2e-6) << "λ, tolerance 2e-6°";
    EXPECT_NEAR(ecl.latitude, -3.229126, 2e-6) << "β, tolerance 2e-6°";
    EXPECT_NEAR(ecl.distanceKm, 368409.7, 0.1) << "Δ, tolerance 0.1 km";
}

TEST(MoonPosition, MeeusExample47aRecord) {
    const MoonPosRec p = MoonPosition(At(1992, 4, 12));
    EXPECT_NEAR(p.parallax, 0.991990, 1e-6) << "π, tolerance 1e-6°";
    EXPECT_NEAR(p.meanLongitude, 134.290182, 1e-6) << "L', tolerance 1e-6°";
    EXPECT_NEAR(p.meanAnomaly, 5.150833, 1e-6) << "M', tolerance 1e-6°";
    // Apparent diameter 2 × 358473400″ km / Δ: 1946.08″ at Δ = 368409.7 km.
    EXPECT_NEAR(p.diameter, 2 * 358473400.0 / 368409.7 / 3600, 1e-6) << "tolerance 1e-6°";
    // The book's α and δ (134.688470°, 13.768368°) are apparent: λ + Δψ (Δψ = 0.004610°)
    // rotated by the true obliquity 23.440636°. This model applies no nutation and rotates
    // by the fixed 23.439291°, which moves α by 0.0048° and δ by 0.0003°; the tolerances
    // are those shifts plus margin.
    EXPECT_NEAR(p.ra, 134.688470, 0.006) << "α, tolerance 0.006°";
    EXPECT_NEAR(p.dec, 13.768368, 0.001) << "δ, tolerance 0.001°";
    // Source: Meeus example 48.a, same instant: geocentric elongation ψ = 110.7929°, the
    // Moon waxing (full moon 1992 April 17). This record takes the phase angle as 180° − ψ,
    // so the fraction is (1 − cos ψ) / 2 = 0.67750; the Sun here is referred to J2000, whose
    // 0.1° of precession against the Moon's date frame bounds the tolerance.
    EXPECT_NEAR(p.elongation, 110.7929, 0.2) << "ψ, tolerance 0.2°";
    EXPECT_NEAR(p.illuminatedFraction, 0.67750, 0.002) << "tolerance 0.002";
}

TEST(MoonPosition, WaningMoonCarriesNegativeSigns) {
    // Source: USNO, last quarter 2024 January 4 03:30 UT: the Moon is waning and 90° from
    // the Sun, half lit.
    const MoonPosRec p = MoonPosition(At(2024, 1, 4, 3 * 3600 + 30 * 60));
    EXPECT_LT(p.elongation, 0);
    EXPECT_LT(p.illuminatedFraction, 0);
    EXPECT_NEAR(p.elongation, -90.0, 1.0) << "tolerance 1° (the quarter is 90° in longitude)";
    EXPECT_NEAR(p.illuminatedFraction, -0.5, 0.02) << "tolerance 0.02";
    // First quarter 2024 January 18 03:52 UT: waxing, positive.
    const MoonPosRec q = MoonPosition(At(2024, 1, 18, 3 * 3600 + 52 * 60));
    EXPECT_NEAR(q.elongation, 90.0, 1.0) << "tolerance 1°";
    EXPECT_GT(q.illuminatedFraction, 0);
}

TEST(MoonPosition, InvalidTimesGiveSentinels) {
    struct Case {
        const char* name;
        AstroTimeRec time;
    };
    const Case cases[] = {{"no date", {-1, 0}},
                          {"after 3999", {kLastDayNumber + 1, 0}},
                          {"negative seconds", {1000, -1}},
                          {"a whole day of seconds", {1000, 86400}}};
    for (const Case& c : cases) {
        const MoonPosRec p = MoonPosition(c.time);
        EXPECT_EQ(p.ra, -1) << c.name;
        EXPECT_EQ(p.dec, -1) << c.name;
        EXPECT_EQ(MoonEclipticPosition(c.time).distanceKm, 0) << c.name;
    }
}

TEST(MoonPosition, StaysPhysicalAcrossTheRange) {
    // Every 997 days from 1600 to 3999: distance within the Moon's known 356000..407000 km
    // extremes (with margin), |β| ≤ 5.4°, |δ| ≤ 29°. Reports the extremes seen.
    double minKm = 1e9, maxKm = 0, maxLat = 0, maxDec = 0;
    for (std::int32_t day = 0; day <= kLastDayNumber; day += 997) {
        const AstroTimeRec t{day, 43200};
        const MoonEclipticRec ecl = MoonEclipticPosition(t);
        const MoonPosRec p = MoonPosition(t);
        minKm = std::fmin(minKm, ecl.distanceKm);
        maxKm = std::fmax(maxKm, ecl.distanceKm);
        maxLat = std::fmax(maxLat, std::fabs(ecl.latitude));
        maxDec = std::fmax(maxDec, std::fabs(p.dec));
        ASSERT_TRUE(p.ra >= 0 && p.ra < 360) << "day " << day << " ra " << p.ra;
        ASSERT_LE(std::fabs(p.illuminatedFraction), 1.0) << "day " << day;
    }
    EXPECT_GT(minKm, 355000) << "closest " << minKm;
    EXPECT_LT(maxKm, 407500) << "farthest " << maxKm;
    EXPECT_LT(maxLat, 5.4) << "largest |β| " << maxLat;
    EXPECT_LT(maxDec, 29.0) << "largest |δ| " << maxDec;
}

} // namespace
} // namespace skelvane

#include "astro/apparent_position.h"
#include "astro/tables/vsop87.h"
#include "astro/vsop87_series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace skelvane {
namespace {

constexpr double kArcsecond = 1.0 / 3600.0; // degrees
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

double Dms(double d, double m, double s) {
    return d + m / 60.0 + s / 3600.0;
}

// Source: Meeus, example 25.b: 1992 October 13.0 TD, τ = −0.0072183436. Earth (VSOP87 of
// the date): L = −43.63484796 rad, B = −0.00000312 rad, R = 0.99760775 AU. The example sums
// Meeus' abridged series (appendix III, good to about 1″), which differ from the complete
// series summed here by 0.27″ in L and 7.7e-7 AU in R; tolerances 3e-6 rad (0.6″), 2e-6
// rad and 1.5e-6 AU.
TEST(EarthVsop87D, MatchesMeeusExample25b) {
    const Vsop87Spherical earth = EvaluateVsop87(tables::kEarthVsop87D, -0.0072183436);
    EXPECT_NEAR(std::remainder(earth.longitude - (-43.63484796), 2 * std::numbers::pi), 0, 3e-6);
    EXPECT_NEAR(earth.latitude, -0.00000312, 2e-6);
    EXPECT_NEAR(earth.radius, 0.99760775, 1.5e-6);
}

// Source: Meeus, example 25.b, final apparent values: λ = 199°54′21.818″ (199.906061°),
// α = 198.378178°, δ = −7.783871°, R = 0.99760775 AU. The function applies no ΔT, so the
// TD instant is passed as the value. The example's abridged VSOP87 (0.27″ in longitude,
// see above) and its full nutation series (the 31-row cut costs a few 0.001″) set the
// tolerance: 0.0001° (0.36″) in angle, 1.5e-6 AU (225 km) in distance.
TEST(ApparentSunPosition, MatchesMeeusExample25b) {
    const DateTime value = SafeEncodeDate(1992, 10, 13);
    const ApparentPosRec sun = ApparentSunPosition(value);
    EXPECT_NEAR(static_cast<double>(sun.longitude), Dms(199, 54, 21.818), 0.0001);
    EXPECT_NEAR(static_cast<double>(sun.ra), 198.378178, 0.0001);
    EXPECT_NEAR(static_cast<double>(sun.dec), -7.783871, 0.0001);
    // Geometric β = +0.000179° (0.64″), moved by the FK5 correction by a few 0.01″.
    EXPECT_NEAR(static_cast<double>(sun.latitude), 0.000179, 0.1 * kArcsecond);
    EXPECT_NEAR(static_cast<double>(sun.distanceKm), 0.99760775 * 149597869.0, 225.0);
}

// The apparent longitude stays in 0..360 through the wrap at the March equinox.
TEST(ApparentSunPosition, LongitudeWrapsAtTheMarchEquinox) {
    const DateTime equinox = SafeEncodeDateTime(2024, 3, 20, 3, 7, 0, 0);
    for (double hours : {-2.0, -0.5, 0.0, 0.5, 2.0}) {
        const auto sun = ApparentSunPosition(equinox + hours / 24);
        EXPECT_GE(sun.longitude, 0) << hours;
        EXPECT_LT(sun.longitude, 360) << hours;
        EXPECT_GE(sun.ra, 0) << hours;
        EXPECT_LT(sun.ra, 360) << hours;
    }
}

TEST(ApparentSunPosition, NonFiniteValueGivesZeroRecord) {
    const ApparentPosRec sun = ApparentSunPosition(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(sun.longitude, 0);
    EXPECT_EQ(sun.distanceKm, 0);
    EXPECT_EQ(sun.ra, 0);
}

// Source: Meeus, example 22.a: 1987 April 10, 0h TD: Δψ = −3.788″, Δε = +9.443″,
// ε = 23°26′36.850″. The first 31 rows of table 22.A reproduce the full sum to a few
// 0.001″; tolerance 0.01″.
TEST(Nutation, MatchesMeeusExample22a) {
    const NutationRec nutation = Nutation(SafeEncodeDate(1987, 4, 10));
    EXPECT_NEAR(nutation.longitude / kArcsecond, -3.788, 0.01);
    EXPECT_NEAR(nutation.trueObliquity, Dms(23, 26, 36.850), 0.01 * kArcsecond);
}

// Source: Meeus, example 13.a: Pollux, λ = 113.215630°, β = 6.684170°, ε = 23.4392911°
// gives α = 116.328942°, δ = 28.026183°. Tolerance 1e-6°, the example's last digit. The
// cardinal points catch a wrong sign of the obliquity or quadrant.
TEST(EclipticToEquatorial, MatchesMeeusExample13aAndCardinalPoints) {
    long double ra = 0, dec = 0;
    EclipticToEquatorial(113.215630L, 6.684170L, 23.4392911, ra, dec);
    EXPECT_NEAR(static_cast<double>(ra), 116.328942, 1e-6);
    EXPECT_NEAR(static_cast<double>(dec), 28.026183, 1e-6);

    const double obliquity = 23.44;
    struct Case {
        long double longitude;
        double ra, dec;
    };
    const Case cases[] = {{0, 0, 0}, {90, 90, obliquity}, {180, 180, 0}, {270, 270, -obliquity}};
    for (const Case& c : cases) {
        EclipticToEquatorial(c.longitude, 0, obliquity, ra, dec);
        EXPECT_NEAR(static_cast<double>(ra), c.ra, 1e-9) << static_cast<double>(c.longitude);
        EXPECT_NEAR(static_cast<double>(dec), c.dec, 1e-9) << static_cast<double>(c.longitude);
    }
}

} // namespace
} // namespace skelvane

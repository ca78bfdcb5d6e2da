#include "astro/angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace skelvane {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

TEST(Angles, TrigonometryInDegrees) {
    constexpr double kTol = 1e-12;
    EXPECT_NEAR(SinDeg(30), 0.5, kTol);
    EXPECT_NEAR(CosDeg(60), 0.5, kTol);
    EXPECT_NEAR(TanDeg(45), 1.0, kTol);
    EXPECT_NEAR(AsinDeg(0.5), 30.0, 1e-10);
    EXPECT_NEAR(AcosDeg(-1.0), 180.0, 1e-10);
    EXPECT_NEAR(Atan2Deg(-1, -1), -135.0, 1e-10);
    // Outside -1..1 acos has no angle: 0 by convention, asin clamps to the pole.
    EXPECT_EQ(AcosDeg(1.0000001), 0.0);
    EXPECT_EQ(AcosDeg(-2.0), 0.0);
    EXPECT_EQ(AcosDeg(kNan), 0.0);
    EXPECT_NEAR(AsinDeg(1.0000000001), 90.0, 1e-10);
}

TEST(Angles, SingleCorrections) {
    struct Case {
        const char* name;
        double x, m, wrapped, reduced;
    };
    const Case cases[] = {
        {"inside", 100, 180, 100, 100},
        {"just above", 200, 180, 20, 20},
        {"negative inside", -100, 180, 80, -100},
        {"negative beyond", -200, 180, -20, -20},
        {"far above is corrected only once", 400, 180, 220, 220},
        {"at the bound", 180, 180, 180, 180},
        {"zero", 0, 360, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(WrapOnce(c.x, c.m), c.wrapped);
        EXPECT_DOUBLE_EQ(ReduceOnce(c.x, c.m), c.reduced);
    }
}

TEST(Angles, GreatCircleMiles) {
    EXPECT_EQ(GreatCircleMiles(-74.006, 40.7128, -74.006, 40.7128), 0.0)
        << "a point with itself is exactly 0";
    // New York (40.7128 N, 74.0060 W) to London (51.5074 N, 0.1278 W): 3461.18 mi by an
    // independent spherical-law-of-cosines computation on R = 6371 km; published figures
    // are 3459-3461 mi depending on the city points chosen.
    const double nyLondon = GreatCircleMiles(-74.0060, 40.7128, -0.1278, 51.5074);
    EXPECT_NEAR(nyLondon, 3461.18, 0.1) << "tolerance 0.1 mi";
    EXPECT_NEAR(GreatCircleMiles(-0.1278, 51.5074, -74.0060, 40.7128), nyLondon, 1e-9)
        << "symmetric";
    // Half the circumference of a 6371 km sphere: 20015.0868 km = 12436.80 mi.
    EXPECT_NEAR(GreatCircleMiles(0, 0, 180, 0), 12436.80, 0.01) << "tolerance 0.01 mi";
    // Points so close that the cosine rounds past 1 still give a finite distance.
    const double tiny = GreatCircleMiles(10, 50, 10 + 1e-9, 50);
    EXPECT_TRUE(std::isfinite(tiny));
    EXPECT_LT(tiny, 0.01);
}

TEST(Angles, FlatBearingCompassPoints) {
    struct Case {
        const char* name;
        double a2, b2, expected; // from (0, 0), a east and b north
    };
    const Case cases[] = {{"north", 0, 1, 0},       {"east", 1, 0, 90},
                          {"south", 0, -1, 180},    {"west", -1, 0, 270},
                          {"north-east", 1, 1, 45}, {"north-west", -1, 1, 315}};
    for (const Case& c : cases)
        EXPECT_NEAR(FlatBearing(0, 0, c.a2, c.b2), c.expected, 1e-10) << c.name;
}

TEST(Angles, MilesAndKilometres) {
    EXPECT_NEAR(KmToMiles(1.609344), 1.0, 1e-12) << "the statute mile is 1609.344 m exactly";
    EXPECT_NEAR(MilesToKm(1.0), 1.609344, 1e-12);
    EXPECT_NEAR(MilesToKm(KmToMiles(1234.5)), 1234.5, 1e-9);
}

TEST(Reduce360, BringsAnyAngleIntoOneTurn) {
    struct Case {
        double in, expected;
    } cases[] = {{0, 0}, {360, 0}, {725, 5}, {-30, 330}, {-720, 0}, {-1e-17, 0}, {359.5, 359.5}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(Reduce360(c.in), c.expected) << c.in;
}

} // namespace
} // namespace skelvane

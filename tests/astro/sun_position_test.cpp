#include "astro/sun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

namespace skelvane {
namespace {

AstroTimeRec Record(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return AstroTimeFromDateTime(SafeEncodeDateTime(y, mo, d, h, mi, s, 0));
}

const AstroTimeRec kInvalidRecords[] = {
    {-1, 0}, {876582, 0}, {0, -1}, {0, 86400}, {-5, 100}, {2'000'000'000, 0},
};

// Source: Meeus, Astronomical Algorithms, example 26.a: 1992 October 13.0 TD, the Sun's
// geometric rectangular coordinates in the FK5 J2000 frame from VSOP87B and eq. 26.2:
// X = −0.93739590, Y = −0.31316793, Z = −0.13577924 AU. The record is read as the series'
// time argument, so the TD instant is passed. The cut series is within 1.93″ (9.4e-6 rad)
// and 7.2e-6 AU of the full one; tolerance 1.2e-5 AU.
TEST(SunPosition, RectangularCoordinatesMatchMeeusExample26a) {
    const SunPosRec sun = SunPosition(Record(1992, 10, 13));
    constexpr double kAuTolerance = 1.2e-5;
    EXPECT_NEAR(sun.X, -0.93739590, kAuTolerance);
    EXPECT_NEAR(sun.Y, -0.31316793, kAuTolerance);
    EXPECT_NEAR(sun.Z, -0.13577924, kAuTolerance);
    EXPECT_NEAR(std::hypot(sun.X, sun.Y, sun.Z), sun.R, 1e-9) << "rotation keeps the length";
    // Ecliptic latitude of the Sun stays within about 1″ of the ecliptic.
    EXPECT_LT(std::fabs(sun.B), 0.0005);
}

// The same instant as right ascension and declination: the astrometric J2000 direction of
// example 26.a, α = 198.473592°, δ = −7.822512° (derived from its X, Y, Z). Tolerance
// 0.0006°, the series cut (1.93″ in longitude).
TEST(SunRaDec, MatchesMeeusExample26aDirection) {
    const RaDecRec position = SunRaDec(Record(1992, 10, 13));
    EXPECT_NEAR(position.ra, 198.473592, 0.0006);
    EXPECT_NEAR(position.dec, -7.822512, 0.0006);
}

// Around the equinoxes and solstices the apparent longitude of date is 0/90/180/270:
// the J2000 longitude plus the precession since 2000 (5029.0966″ per century) and
// nutation (Δψ ≈ −3.7″ in 2024), less aberration (20.5″), plus the 69 s of ΔT that the
// UT time argument leaves out (0.0008°). Checks four points of the orbit, catching a
// wrong sign or series power. Source of the instants: USNO, 2024 (20 Mar 03:06,
// 20 Jun 20:51, 22 Sep 12:44, 21 Dec 09:20 UT). Tolerance 0.0012°: series cut 0.0005°,
// the published minute 0.0003°, the rounded corrections above.
TEST(SunPosition, LongitudeAtTheSeasonsOf2024) {
    struct Case {
        const char* name;
        AstroTimeRec time;
        double ofDateLongitude;
    };
    const Case cases[] = {
        {"March equinox", Record(2024, 3, 20, 3, 6), 0},
        {"June solstice", Record(2024, 6, 20, 20, 51), 90},
        {"September equinox", Record(2024, 9, 22, 12, 44), 180},
        {"December solstice", Record(2024, 12, 21, 9, 20), 270},
    };
    for (const Case& c : cases) {
        const SunPosRec sun = SunPosition(c.time);
        const double centuries = (JulianDateOf(c.time) - 2451545.0) / 36525.0;
        const double ofDate =
            sun.L + 5029.0966 / 3600 * centuries - 3.7 / 3600 - 20.5 / 3600 + 0.0008;
        const double difference = std::remainder(ofDate - c.ofDateLongitude, 360.0);
        EXPECT_NEAR(difference, 0, 0.0012) << c.name << ": L = " << sun.L;
    }
}

TEST(SunPosition, InvalidRecordsGiveSentinels) {
    for (const AstroTimeRec& time : kInvalidRecords) {
        SCOPED_TRACE(std::to_string(time.day) + " " + std::to_string(time.seconds));
        const SunPosRec sun = SunPosition(time);
        for (double field : {sun.X, sun.Y, sun.Z, sun.R, sun.L, sun.B})
            EXPECT_EQ(field, -1);
        const RaDecRec position = SunRaDec(time);
        EXPECT_EQ(position.ra, -1);
        EXPECT_EQ(position.dec, -99);
        EXPECT_EQ(SiderealDegrees(time), -1);
    }
    // The first and last valid instants still compute.
    for (const AstroTimeRec& edge : {AstroTimeRec{0, 0}, AstroTimeRec{876581, 86399}}) {
        EXPECT_GT(SunPosition(edge).R, 0.98);
        EXPECT_GE(SiderealDegrees(edge), 0);
    }
}

// Source: Meeus, example 12.a (1987 April 10, 0h UT: 13h10m46.3668s = 197.693195°) and
// example 12.b (19h21m00s UT: 128.7378734°). Tolerance 1e-6°, the examples' last digit.
TEST(SiderealDegrees, MatchesMeeusExamples12aAnd12b) {
    EXPECT_NEAR(SiderealDegrees(Record(1987, 4, 10)), 197.693195, 1e-6);
    EXPECT_NEAR(SiderealDegrees(Record(1987, 4, 10, 19, 21, 0)), 128.7378734, 1e-6);
}

TEST(LocalHourAngle, StaysInZeroTo360ForAnyLongitudeAndRightAscension) {
    const DateTime utc = SafeEncodeDateTime(1987, 4, 10, 19, 21, 0, 0); // θ = 128.7378734°
    struct Case {
        double longitude, raHours, expected;
    };
    const Case cases[] = {
        {0, 0, 128.7378734},
        {180, 0, 308.7378734},
        {179, 23.9, 308.7378734 - 1 - 358.5 + 360},
        {-180, 23.9, 128.7378734 - 180 - 358.5 + 720},
    };
    for (const Case& c : cases) {
        const double h = LocalHourAngle(utc, c.longitude, c.raHours);
        EXPECT_NEAR(h, c.expected, 1e-6) << c.longitude << " " << c.raHours;
        EXPECT_TRUE(h >= 0 && h < 360) << h;
    }
    EXPECT_EQ(LocalHourAngle(SafeEncodeDate(1500, 1, 1), 0, 0), -1);
    EXPECT_EQ(LocalHourAngle(utc, std::numeric_limits<double>::quiet_NaN(), 0), -1);
}

// Source: Meeus, example 13.b: Venus at the US Naval Observatory (38°55′17″ N,
// 77°03′56″ W) on 1987 April 10, 19h21m00s UT, α = 347.3193375°, δ = −6.719892°:
// azimuth 68.0337° from the south (248.0337° from north), altitude 15.1249°. The example
// uses apparent sidereal time, 0.0008° less than the mean time used here; tolerance 0.002°.
TEST(HorizontalPosition, MatchesMeeusExample13b) {
    const double latitude = 38 + 55 / 60.0 + 17 / 3600.0;
    const double longitude = -(77 + 3 / 60.0 + 56 / 3600.0);
    const DateTime utc = SafeEncodeDateTime(1987, 4, 10, 19, 21, 0, 0);
    const HorizontalCoords seen =
        HorizontalPosition(0, 0, -6.719892, 347.3193375, latitude, longitude, utc);
    EXPECT_NEAR(seen.azimuth, 248.0337, 0.002);
    EXPECT_NEAR(seen.altitude, 15.1249, 0.002);

    // Parallax lowers the altitude by asin(sin p · cos h); the observer's height by
    // 0.0195·√feet. Both leave the azimuth alone.
    const double parallax = 0.95;
    const HorizontalCoords moonLike =
        HorizontalPosition(1000, parallax, -6.719892, 347.3193375, latitude, longitude, utc);
    constexpr double kRad = std::numbers::pi / 180;
    const double expectedDrop =
        std::asin(std::sin(parallax * kRad) * std::cos(seen.altitude * kRad)) / kRad +
        0.0195 * std::sqrt(1000.0);
    EXPECT_NEAR(seen.altitude - moonLike.altitude, expectedDrop, 1e-4);
    EXPECT_DOUBLE_EQ(moonLike.azimuth, seen.azimuth);
    const HorizontalCoords below =
        HorizontalPosition(-1000, 0, -6.719892, 347.3193375, latitude, longitude, utc);
    EXPECT_NEAR(below.altitude - seen.altitude, 0.0195 * std::sqrt(1000.0), 1e-9);
}

TEST(HorizontalPosition, UnusableInputGivesSentinel) {
    const DateTime utc = SafeEncodeDateTime(1987, 4, 10, 19, 21, 0, 0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const HorizontalCoords results[] = {
        HorizontalPosition(0, 0, 10, 20, 40, -75, SafeEncodeDate(4000, 1, 1)),
        HorizontalPosition(0, 0, 10, 20, 40, -75, nan),
        HorizontalPosition(0, 0, nan, 20, 40, -75, utc),
        HorizontalPosition(nan, 0, 10, 20, 40, -75, utc),
    };
    for (const HorizontalCoords& r : results) {
        EXPECT_EQ(r.altitude, -99);
        EXPECT_EQ(r.azimuth, -1);
    }
}

TEST(CompassPosition, EightPointsWithLowerBoundariesInclusive) {
    struct Case {
        double azimuth;
        const char* name;
    };
    const Case cases[] = {
        {0, "N"},          {22.4999, "N"}, {22.5, "NE"}, {67.5, "E"},   {112.5, "SE"},
        {157.5, "S"},      {202.5, "SW"},  {247.5, "W"}, {292.5, "NW"}, {337.4999, "NW"},
        {337.5, "N"},      {359.999, "N"}, {360, "N"},   {-1, "N"},     {-22.5, "N"},
        {-45, "NW"},       {-90, "W"},     {-359, "N"},  {-400, "NW"},  {450, "E"},
        {3600 + 100, "E"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(CompassPosition(c.azimuth), c.name) << c.azimuth;
    EXPECT_STREQ(CompassPosition(std::numeric_limits<double>::quiet_NaN()), "N");
}

} // namespace
} // namespace skelvane

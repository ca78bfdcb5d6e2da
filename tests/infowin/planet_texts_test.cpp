#include "infowin/planet_texts.h"

#include "support/qstring_printer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace skelvane {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const QString kDeg(QChar(0x00B0));

struct SurfaceCase {
    const char* what;
    std::size_t body;
    double azimuth, altitude;
    QString line;
};

TEST(PlanetTextsTest, SurfaceLinesKeepTheirColumns) {
    const SurfaceCase cases[] = {
        {"wide values", 2, 123.44, -12.34, "Mercury  123.4" + kDeg + "(SE)  -12.3" + kDeg},
        {"one-letter point padded to 4", 0, 5.0, 45.0,
         "Sun        5.0" + kDeg + "(N)    45.0" + kDeg},
        {"just below the horizon keeps its sign", 1, 270.0, -0.04,
         "Moon     270.0" + kDeg + "(W)    -0.0" + kDeg},
        {"north again near 360", 9, 359.96, 89.99, "Pluto    360.0" + kDeg + "(N)    90.0" + kDeg},
        {"engine's no-answer values", 3, -1, -99, "Venus  "},
        {"not a number", 4, kNaN, 10, "Mars   "},
    };
    for (const SurfaceCase& c : cases) {
        HorizontalCoords horizon;
        horizon.azimuth = c.azimuth;
        horizon.altitude = c.altitude;
        EXPECT_EQ(SurfaceLine(c.body, horizon), c.line) << c.what;
    }
}

TEST(PlanetTextsTest, AstronomicalLinesKeepTheirColumns) {
    EXPECT_EQ(AstronomicalLine(2, 21.6, 12.118), QStringLiteral("Mercury  1 26.40  + 12 07.1"));
    EXPECT_EQ(AstronomicalLine(7, 359.999, -0.5), QStringLiteral("Uranus   0 00.00  - 0 30.0"));
    EXPECT_EQ(AstronomicalLine(0, 270, 23.44), QStringLiteral("Sun     18 00.00  + 23 26.4"));
    // The engine's sentinels (right ascension -1, declination -99) give the name alone.
    EXPECT_EQ(AstronomicalLine(1, -1, -99), QStringLiteral("Moon    "));
    EXPECT_EQ(AstronomicalLine(1, kNaN, 0), QStringLiteral("Moon    "));
    EXPECT_EQ(SkyBodyName(kSkyBodyCount), QString());
}

TEST(PlanetTextsTest, TableAtAFixedInstantMatchesTheAlmanac) {
    // skelvane-almanac planets/sunpos/moonpos --utc 2024-04-08T18:00:00Z.
    const DateTime utc = SafeEncodeDateTime(2024, 4, 8, 18, 0, 0, 0);
    const QStringList lines =
        PlanetTableLines(ComputeSkyPositions(utc, {40.7128, -74.006, 0}), false);
    const QStringList expected = {
        "         RA      Declination", "         (hours) (degrees)",
        "Sun      1 10.33  + 7 27.6",   "Moon     1 10.27  + 7 48.6",
        "Mercury  1 26.39  + 12 07.1",  "Venus    0 17.43  + 0 15.3",
        "Mars    22 58.17  - 7 56.3",   "Jupiter  3 05.94  + 16 37.1",
        "Saturn  23 04.11  - 7 48.1",   "Uranus   3 13.92  + 17 42.0",
        "Neptune 23 54.09  - 1 58.4",   "Pluto   20 18.35  - 22 41.0",
    };
    EXPECT_EQ(lines, expected);
}

// On the central line at greatest eclipse the Moon covers the Sun. Parallax lowers the
// Moon by about 0.35° here (a degree times the cosine of its altitude): the two altitudes
// agree only when it is applied. (The azimuths differ by the engine's frames: the Sun's
// place is referred to J2000, the Moon's to the equinox of date.)
TEST(PlanetTextsTest, SunAndMoonCoincideOnTheCentralLine) {
    const DateTime utc = SafeEncodeDateTime(2024, 4, 8, 18, 20, 0, 0);
    const SkyPositions sky = ComputeSkyPositions(utc, {25.650, -104.414, 0});
    EXPECT_NEAR(sky[0].horizon.altitude, sky[1].horizon.altitude, 0.05);
    EXPECT_NEAR(sky[0].horizon.azimuth, sky[1].horizon.azimuth, 1.5);
    EXPECT_GT(sky[0].horizon.altitude, 60); // a near-overhead Sun in Durango at midday

    const QStringList lines = PlanetTableLines(sky, true);
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[0], QStringLiteral("         Compass     Angle"));
    for (std::size_t body = 0; body < kSkyBodyCount; ++body)
        EXPECT_TRUE(lines[static_cast<qsizetype>(body) + 1].startsWith(SkyBodyName(body))) << body;
}

TEST(PlanetTextsTest, OutsideTheEngineYearsEveryRowIsJustItsName) {
    const SkyPositions sky =
        ComputeSkyPositions(SafeEncodeDateTime(1500, 1, 1, 0, 0, 0, 0), {40, -74, 0});
    for (const bool surface : {true, false}) {
        const QStringList lines = PlanetTableLines(sky, surface);
        const qsizetype headers = surface ? 1 : 2;
        ASSERT_EQ(lines.size(), headers + static_cast<qsizetype>(kSkyBodyCount));
        for (std::size_t body = 0; body < kSkyBodyCount; ++body)
            EXPECT_EQ(lines[headers + static_cast<qsizetype>(body)],
                      SkyBodyName(body).leftJustified(surface ? 7 : 8));
    }
}

TEST(PlanetTextsTest, LabelsFollowTheCoordinateMode) {
    EXPECT_EQ(PlanetLabelTexts(true)[0],
              QStringLiteral("Angle is angle in degrees up from the horizon."));
    EXPECT_EQ(PlanetLabelTexts(true)[1],
              QStringLiteral("Negative angle = planet is below the horizon."));
    EXPECT_EQ(PlanetLabelTexts(false)[0],
              QStringLiteral("RA = Right Ascension in hours east of equinox."));
    EXPECT_EQ(PlanetLabelTexts(false)[1],
              QStringLiteral("Declination in degrees north of earth equator."));
}

TEST(PlanetTextsTest, SiderealTimeWrapsIntoTheDay) {
    // Meeus example 12.b: 1987 April 10, 19h21m UT, θ = 128.7378734° = 8h34m57.09s.
    const DateTime utc = SafeEncodeDateTime(1987, 4, 10, 19, 21, 0, 0);
    const struct {
        double longitude;
        const char* text;
    } cases[] = {
        {0, " 08:34:57"},
        {-180, " 20:34:57"}, // a negative sum counts back from midnight
        {300, " 04:34:57"},  // past a whole day wraps
        {-128.7378734, " 00:00:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SiderealTimeText(c.longitude, utc), QLatin1String(c.text)) << c.longitude;
    EXPECT_EQ(SiderealTimeText(0, SafeEncodeDate(1500, 1, 1)), QString());
    EXPECT_EQ(SiderealTimeText(kNaN, utc), QString());
}

} // namespace
} // namespace skelvane

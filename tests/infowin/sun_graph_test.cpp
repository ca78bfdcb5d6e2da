#include "infowin/sun_graph.h"

#include "astro/posix_tz.h"
#include "astro/timezone.h"
#include "support/qstring_printer.h"
#include "support/scoped_zone.h"

#include <QFont>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <optional>

#include <cmath>
#include <cstdlib>
#include <string>

namespace skelvane {
namespace {

TEST(GraphClickDay, ColumnsMapToDaysOfTheYearAndNothingOutside) {
    constexpr GraphMode kTime = GraphMode::Time;
    const struct {
        int x, year;
        GraphMode mode;
        bool use24Hour;
        DateTime expected; // 0: no day
    } cases[] = {
        {40, 2023, kTime, true, 0}, // the frame line itself
        {41, 2023, kTime, true, SafeEncodeDate(2023, 1, 1)},
        {40 + 365, 2023, kTime, true, SafeEncodeDate(2023, 12, 31)},
        {40 + 366, 2023, kTime, true, 0}, // beyond the last day of a common year
        {40 + 366, 2024, kTime, true, SafeEncodeDate(2024, 12, 31)},
        {40 + 367, 2024, kTime, true, 0},
        {61, 2024, kTime, false, SafeEncodeDate(2024, 1, 1)}, // the 12-hour margin is 60
        {45, 2024, kTime, false, 0},
        {-5, 2024, kTime, false, 0},
        // Direction labels need the wider margin in either clock style.
        {41, 2024, GraphMode::Position, true, 0},
        {60 + 366, 2024, GraphMode::Position, true, SafeEncodeDate(2024, 12, 31)},
        {100, 0, kTime, true, 0}, // no such year
    };
    for (const auto& c : cases) {
        const auto day = GraphClickDay(c.x, c.year, c.mode, c.use24Hour);
        SCOPED_TRACE(testing::Message() << "x " << c.x << " year " << c.year);
        if (c.expected == 0) {
            EXPECT_FALSE(day.has_value());
        } else {
            ASSERT_TRUE(day.has_value());
            EXPECT_EQ(*day, c.expected);
        }
    }
}

TEST(GraphLabels, LeftScaleCaptionsAndMonthMarks) {
    const struct {
        GraphMode mode;
        bool use24Hour;
        int i;
        const char* text;
    } cases[] = {
        {GraphMode::Time, false, 0, "12:00 AM"},      {GraphMode::Time, false, 1, "11:00 PM"},
        {GraphMode::Time, false, 12, "12:00 PM"},     {GraphMode::Time, false, 23, "01:00 AM"},
        {GraphMode::Time, false, 24, "12:00 AM"},     {GraphMode::Time, true, 0, "24:00"},
        {GraphMode::Time, true, 6, "18:00"},          {GraphMode::Time, true, 24, "00:00"},
        {GraphMode::Position, true, 0, "360° (N)"},   {GraphMode::Position, true, 1, "345° "},
        {GraphMode::Position, false, 3, "315° (NW)"}, {GraphMode::Position, true, 6, "270° (W)"},
        {GraphMode::Position, true, 18, "90° (E)"},   {GraphMode::Position, true, 24, "0° (N)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GraphLeftLabel(c.mode, c.use24Hour, c.i), QString::fromUtf8(c.text)) << c.i;
    EXPECT_TRUE(GraphLeftLabel(GraphMode::Time, true, 25).isEmpty());

    EXPECT_EQ(GraphGroupCaption(2024, GraphMode::Time),
              QStringLiteral(" 2024  Sunrise and Sunset (local time) "));
    EXPECT_EQ(GraphGroupCaption(1999, GraphMode::Position),
              QStringLiteral(" 1999  Sunrise and Sunset (position) "));
    EXPECT_EQ(GraphDayCaption(SafeEncodeDate(2024, 12, 25)),
              QStringLiteral(" Wed  December 25, 2024 "));

    const auto marks = GraphMonthMarks(2024, 40);
    EXPECT_EQ(marks[0].x, 41);
    EXPECT_EQ(marks[2].x, 40 + 61) << "1 March of a leap year is day 61";
    EXPECT_EQ(marks[11].x, 40 + 336);
    EXPECT_EQ(marks[11].name, QStringLiteral("Dec"));
    EXPECT_EQ(GraphMonthMarks(2023, 60)[2].x, 60 + 60);
}

TEST(GraphLabels, TextBlockUnderThePlot) {
    const auto lines = GraphTextLines(QStringLiteral("Denver, CO"), QStringLiteral(" 2024  X "),
                                      39.7392, -104.9903, 5280);
    EXPECT_EQ(lines[0], QStringLiteral("Denver, CO    2024  X "));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Latitude:")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("        Altitude: 5,280 Feet")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Longitude:")));
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral("                        1,609 Meters")));
}

// A zone per place, as the computer's record would give it.
class GraphCurves : public ::testing::Test {
protected:
    std::optional<test::ScopedZone> zone;
    void useZone(const char* rule) {
        zone.reset();
        zone.emplace(rule);
    }
    void TearDown() override { zone.reset(); }

    static SunGraphOptions place(double latitude, double longitude) {
        SunGraphOptions options;
        options.latitude = latitude;
        options.longitude = longitude;
        return options;
    }
    static int dayOfYear(int year, int month, int day) {
        return DayOfYear(SafeEncodeDate(year, month, day));
    }
    static const GraphDayLevels& on(const SunGraphCurves& curves, int dayOfYear) {
        return curves.days[static_cast<std::size_t>(dayOfYear - 1)];
    }
};

TEST_F(GraphCurves, DaylightSavingShiftsTheCurvesByItsHourOnlyWhileInForce) {
    const struct {
        const char* zone;
        double latitude, longitude;
        int firstDaylightDay, lastDaylightDay; // 2024, local days
        bool southern;
    } places[] = {
        // New York: clocks ahead 10 March, back 3 November.
        {"EST5EDT,M3.2.0,M11.1.0", 40.7128, -74.006, 70, 307, false},
        // Sydney: clocks back 7 April, ahead 6 October.
        {"AEST-10AEDT,M10.1.0,M4.1.0/3", -33.8688, 151.2093, 98, 279, true},
    };
    for (const auto& p : places) {
        SCOPED_TRACE(p.zone);
        useZone(p.zone);
        SunGraphOptions options = place(p.latitude, p.longitude);
        const SunGraphCurves withSaving = ComputeSunGraphCurves(2024, options);
        options.daylightSaving = false;
        const SunGraphCurves standard = ComputeSunGraphCurves(2024, options);
        for (int i = 1; i <= kGraphPlottedDays; ++i) {
            const bool inside = i >= p.firstDaylightDay && i <= p.lastDaylightDay;
            const int shift = (inside != p.southern) ? 20 : 0; // one hour is 20 pixels
            ASSERT_EQ(on(withSaving, i).rise - on(standard, i).rise, shift) << "day " << i;
            ASSERT_EQ(on(withSaving, i).set - on(standard, i).set, shift) << "day " << i;
            // In standard time the curves have no steps: a day moves them a few pixels.
            if (i > 1) {
                EXPECT_LE(std::abs(on(standard, i).rise - on(standard, i - 1).rise), 2);
                EXPECT_LE(std::abs(on(standard, i).set - on(standard, i - 1).set), 2);
            }
        }
    }
}

TEST_F(GraphCurves, PolarDaysAndNightsAtSeventyDegreesInBothModes) {
    useZone("CET-1CEST,M3.5.0,M10.5.0/3");
    const int june21 = dayOfYear(2024, 6, 21);
    const int december21 = dayOfYear(2024, 12, 21);
    const int march1 = dayOfYear(2024, 3, 1);
    for (const GraphMode mode : {GraphMode::Time, GraphMode::Position}) {
        SCOPED_TRACE(static_cast<int>(mode));
        SunGraphOptions north = place(70, 19);
        north.mode = mode;
        const SunGraphCurves arctic = ComputeSunGraphCurves(2024, north);
        EXPECT_EQ(on(arctic, june21), (GraphDayLevels{0, 480})) << "midnight sun";
        EXPECT_EQ(on(arctic, december21), (GraphDayLevels{240, 240})) << "polar night";
        EXPECT_LT(on(arctic, march1).rise, on(arctic, march1).set);
        EXPECT_GT(on(arctic, march1).rise, 0);

        SunGraphOptions south = place(-70, 19);
        south.mode = mode;
        const SunGraphCurves antarctic = ComputeSunGraphCurves(2024, south);
        EXPECT_EQ(on(antarctic, december21), (GraphDayLevels{0, 480}));
        EXPECT_EQ(on(antarctic, june21), (GraphDayLevels{240, 240}));
    }
}

TEST_F(GraphCurves, AtThePolesTheEquinoxesDecide) {
    useZone("UTC0");
    // 2024: March equinox 20 March, September equinox 22 September (UT).
    const int march = dayOfYear(2024, 3, 20);
    const int september = dayOfYear(2024, 9, 22);
    const struct {
        double latitude;
        int day;
        GraphDayLevels expected;
    } cases[] = {
        {90, march, {240, 240}},    {90, september, {240, 240}},
        {90, march + 1, {0, 480}},  {90, september - 1, {0, 480}},
        {90, march - 1, {480, 0}},  {90, september + 1, {480, 0}},
        {-90, march + 1, {480, 0}}, {-90, september + 1, {0, 480}},
        {-90, march, {240, 240}},
    };
    for (const auto& c : cases) {
        const SunGraphCurves curves = ComputeSunGraphCurves(2024, place(c.latitude, 0));
        EXPECT_EQ(on(curves, c.day), c.expected) << c.latitude << " day " << c.day;
    }
    // Position mode at a pole has no equinox rule; it must still give levels in the plot.
    SunGraphOptions position = place(90, 0);
    position.mode = GraphMode::Position;
    for (const GraphDayLevels& day : ComputeSunGraphCurves(2024, position).days) {
        EXPECT_GE(std::min(day.rise, day.set), 0);
        EXPECT_LE(std::max(day.rise, day.set), 480);
    }
}

TEST_F(GraphCurves, PositionModeGivesTheSunriseAndSunsetDirections) {
    useZone("EST5EDT,M3.2.0,M11.1.0");
    SunGraphOptions options = place(40.7128, -74.006);
    options.mode = GraphMode::Position;
    const SunGraphCurves curves = ComputeSunGraphCurves(2024, options);
    // Near the equinoxes the Sun rises in the east (90°, level 120) and sets in the west
    // (270°, level 360); in June it rises north of east and sets north of west.
    const GraphDayLevels equinox = on(curves, dayOfYear(2024, 3, 20));
    EXPECT_NEAR(equinox.rise, 120, 4);
    EXPECT_NEAR(equinox.set, 360, 4);
    const GraphDayLevels june = on(curves, dayOfYear(2024, 6, 21));
    EXPECT_LT(june.rise, 90); // about 58°
    EXPECT_GT(june.set, 390); // about 302°
}

TEST_F(GraphCurves, SideLabelsForTheSelectedDay) {
    useZone("EST5EDT,M3.2.0,M11.1.0");
    SunGraphOptions options = place(40.7128, -74.006);
    const DateTime june21 = SafeEncodeDate(2024, 6, 21);
    // Published almanac values for New York on 21 June 2024: sunrise 5:25 AM and sunset
    // 8:31 PM daylight time, day length 15 h 05 min (timeanddate.com). The almanac formula
    // is good to a minute or two.
    SunGraphSideTexts texts = SunGraphSideLabels(june21, options);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^0?5:2[3-7] AM Sunrise$"))
                    .match(texts.riseLab1)
                    .hasMatch())
        << texts.riseLab1.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^0?8:(29|3[0-3]) PM Sunset$"))
                    .match(texts.setLab1)
                    .hasMatch())
        << texts.setLab1.toStdString();
    EXPECT_EQ(texts.riseLab2, QStringLiteral("EDT"));
    EXPECT_TRUE(texts.riseLab3.startsWith(QStringLiteral("Sun Rises at:  ")));
    EXPECT_TRUE(texts.riseLab3.endsWith(QStringLiteral("° (NE)")));
    EXPECT_TRUE(texts.setLab3.endsWith(QStringLiteral("° (NW)")));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Day is 15:0[3-7] Hours Long$"))
                    .match(texts.dayHoursLab)
                    .hasMatch());

    options.daylightSaving = false;
    texts = SunGraphSideLabels(june21, options);
    EXPECT_TRUE(texts.riseLab1.contains(QStringLiteral("4:2")));
    EXPECT_EQ(texts.riseLab2, QStringLiteral("EST"));
    options.useLocalTime = false;
    options.use24Hour = true;
    texts = SunGraphSideLabels(june21, options);
    EXPECT_TRUE(texts.riseLab1.startsWith(QStringLiteral("09:2")));
    EXPECT_EQ(texts.setLab2, QStringLiteral("Greenwich Time (GMT)"));

    for (const auto& [latitude, caption] :
         {std::pair{80.0, "Sun up all day"}, std::pair{-80.0, "Sun down all day"}}) {
        texts = SunGraphSideLabels(june21, place(latitude, 0));
        EXPECT_EQ(texts.riseLab1, QLatin1String(caption));
        EXPECT_TRUE(texts.riseLab2.isEmpty() && texts.riseLab3.isEmpty() &&
                    texts.setLab1.isEmpty() && texts.dayHoursLab.isEmpty());
    }
    EXPECT_TRUE(SunGraphSideLabels(std::nan(""), options).riseLab1.isEmpty());
}

TEST_F(GraphCurves, ThePresentMomentOnTheGraphsClock) {
    useZone("EST5EDT,M3.2.0,M11.1.0");
    SunGraphOptions options = place(40.7128, -74.006);
    const DateTime noonDaylight = SafeEncodeDateTime(2024, 6, 21, 16, 0, 0, 0); // UTC
    EXPECT_EQ(SunGraphMomentLevel(noonDaylight, options), 240);
    options.daylightSaving = false; // the graph's clock is standard time: 11:00
    EXPECT_EQ(SunGraphMomentLevel(noonDaylight, options), 220);
    options.mode = GraphMode::Position;
    // Close to the Sun's transit: due south, 180°.
    EXPECT_NEAR(SunGraphMomentLevel(SafeEncodeDateTime(2024, 6, 21, 16, 57, 0, 0), options), 240,
                8);
    EXPECT_EQ(SunGraphMomentLevel(std::nan(""), options), 0);
}

// The drawing itself: white between the day's rising and setting points, silver outside.
TEST_F(GraphCurves, DrawingShadesDayAndNight) {
    const struct {
        const char* zone;
        double latitude, longitude;
        int month, day;
        bool dayAtNoon, nightAtTwo;
    } cases[] = {
        {"EST5EDT,M3.2.0,M11.1.0", 40.7128, -74.006, 6, 21, true, true},
        {"AEST-10AEDT,M10.1.0,M4.1.0/3", -33.8688, 151.2093, 6, 21, true, true},
        {"AEST-10AEDT,M10.1.0,M4.1.0/3", -33.8688, 151.2093, 12, 21, true, true},
        {"CET-1CEST,M3.5.0,M10.5.0/3", 70, 19, 6, 21, true, false},   // midnight sun
        {"CET-1CEST,M3.5.0,M10.5.0/3", 70, 19, 12, 21, false, true},  // polar night
        {"CET-1CEST,M3.5.0,M10.5.0/3", -70, 19, 12, 21, true, false}, // southern summer
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.latitude << " " << c.month);
        useZone(c.zone);
        SunGraphOptions options = place(c.latitude, c.longitude);
        options.use24Hour = true;
        const DateTime day = SafeEncodeDate(2024, c.month, c.day);
        const SunGraphScene scene =
            BuildSunGraphScene(day, day + 0.5, options, false, QStringLiteral("Here"));
        const QImage image = RenderSunGraph(scene, QColor(240, 240, 240), QFont());
        ASSERT_EQ(image.size(), SunGraphSize(GraphMode::Time, true));
        const GraphFrame f = GraphFrameFor(GraphMode::Time, true);
        // One column to the side of the day, clear of the grid lines (y on the half hour).
        const int x = f.x0 + DayOfYear(day) - 1;
        const QColor noon = image.pixelColor(x, f.y1 - 250);
        const QColor two = image.pixelColor(x, f.y1 - 50);
        EXPECT_EQ(noon, c.dayAtNoon ? kGraphDayColor : kGraphNightColor);
        EXPECT_EQ(two, c.nightAtTwo ? kGraphNightColor : kGraphDayColor);
    }
}

} // namespace
} // namespace skelvane

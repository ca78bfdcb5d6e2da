#include "widgets/day_display.h"

#include "app/settings.h"
#include "astro/eclipses.h"
#include "astro/holidays.h"
#include "astro/posix_tz.h"
#include "astro/timezone.h"
#include "support/qstring_printer.h"
#include "support/scoped_zone.h"

#include <gtest/gtest.h>
#include <optional>

namespace skelvane {
namespace {

class DayDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        zone.emplace("EST5EDT,M3.2.0,M11.1.0");
        settings.Latitude = 40.7128; // New York
        settings.Longitude = -74.006;
        settings.PlaceName = QStringLiteral("New York");
    }
    void TearDown() override { zone.reset(); }
    std::optional<test::ScopedZone> zone;
    DayDisplay at(int year, int month, int day, int hour = 12) {
        DayDisplayInputs inputs;
        inputs.day = SafeEncodeDate(year, month, day);
        inputs.now = inputs.day + hour / 24.0;
        inputs.eclipses = &eclipses;
        return ComputeDayDisplay(settings, inputs);
    }

    Settings settings;
    TStEclipses eclipses;
};

TEST_F(DayDisplayTest, SunriseAndSunsetInBothClockStyles) {
    // source: USNO, New York 21 June 2024: sunrise 5:25, sunset 20:31 EDT
    DayDisplay display = at(2024, 6, 21);
    EXPECT_EQ(display.sunriseLabel, QStringLiteral("Sunrise 5:25 AM"));
    EXPECT_EQ(display.sunsetLabel, QStringLiteral("Sunset  8:31 PM")) << "short time, one blank";
    EXPECT_EQ(display.sunriseZone, QStringLiteral("EDT"));
    EXPECT_EQ(display.sunriseLine, QStringLiteral("Sunrise 5:25 AM  06/21/24"));
    EXPECT_TRUE(display.sunUp) << "noon";

    settings.UseMilitaryTime = true;
    display = at(2024, 6, 21);
    EXPECT_EQ(display.sunriseLabel, QStringLiteral("Sunrise 05:25"));
    EXPECT_EQ(display.sunsetLabel, QStringLiteral("Sunset  20:31"));

    settings.UseLocalTime = false;
    display = at(2024, 6, 21);
    EXPECT_EQ(display.sunriseLabel, QStringLiteral("Sunrise 09:25"));
    EXPECT_EQ(display.sunriseZone, QStringLiteral("Greenwich Time (GMT)"));
}

TEST_F(DayDisplayTest, PolarDayAndNight) {
    settings.Latitude = 80;
    const DayDisplay june = at(2024, 6, 21);
    EXPECT_EQ(june.sunriseLabel, QStringLiteral("Sun up all day"));
    EXPECT_TRUE(june.sunsetLabel.isEmpty());
    EXPECT_TRUE(june.sunUp);
    const DayDisplay december = at(2024, 12, 21);
    EXPECT_EQ(december.sunriseLabel, QStringLiteral("Sun down all day"));
    EXPECT_FALSE(december.sunUp);
    EXPECT_EQ(december.sunLabelColor, QColor(0, 0, 255));
}

TEST_F(DayDisplayTest, NamedDaysTakeTheDayInfoLabels) {
    struct Case {
        const char* name;
        int month, day;
        const char* label1;
        const char* label2;
    } cases[] = {
        {"Christmas alone", 12, 25, "Christmas", "Dec 25"},
        {"a full moon without a holiday", 1, 25, "FULL MOON", "Jan 25"},
        {"Election Day", 11, 5, "Election Day", kElectionDayText},
        {"a penumbral lunar eclipse overrides the full moon", 3, 25, "Lunar Eclipse", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DayDisplay display = at(2024, c.month, c.day);
        EXPECT_EQ(display.dayInfo1, QString::fromLatin1(c.label1));
        if (c.label2) {
            EXPECT_EQ(display.dayInfo2, QString::fromLatin1(c.label2));
        }
        EXPECT_EQ(display.dayInfoColor, QColor(255, 0, 0));
    }
    // The eclipse is listed at its penumbral start (published: 04:53 UT on 25 March 2024;
    // computed 04:53:42), shown as UT rounded to the minute.
    EXPECT_EQ(at(2024, 3, 25).dayInfo2, QStringLiteral("4:54 AM"));
}

TEST_F(DayDisplayTest, MoonLabelsNameAMissingRiseOrSet) {
    // Over a month, the day without a moonrise and the day without a moonset each show
    // the one event they have and name the missing one.
    int noRise = 0, noSet = 0;
    for (int day = 1; day <= 30; ++day) {
        const DayDisplay display = at(2024, 9, day);
        if (display.dayInfoColor == QColor(255, 0, 0))
            continue; // a named day
        const QString both = display.dayInfo1 + QLatin1Char('|') + display.dayInfo2;
        if (both.contains(QStringLiteral("No Moonrise"))) {
            ++noRise;
            EXPECT_TRUE(both.startsWith(QStringLiteral("MSet "))) << both.toStdString();
        } else if (both.contains(QStringLiteral("No Moonset"))) {
            ++noSet;
            EXPECT_TRUE(both.startsWith(QStringLiteral("MRise"))) << both.toStdString();
        } else {
            EXPECT_TRUE(both.contains(QStringLiteral("MRise")) &&
                        both.contains(QStringLiteral("MSet")))
                << both.toStdString();
        }
    }
    EXPECT_GE(noRise, 1);
    EXPECT_GE(noSet, 1);
}

TEST_F(DayDisplayTest, HintsAndSummary) {
    const DayDisplay display = at(2024, 6, 21);
    EXPECT_EQ(display.dateHint,
              QStringLiteral("06/21/24\nDay  173\nWeek  25\nClick for Year Calendar"));
    EXPECT_TRUE(display.sunHint.startsWith(QStringLiteral("SUN is UP     ")))
        << display.sunHint.toStdString();
    EXPECT_TRUE(display.sunHint.endsWith(QStringLiteral("\nNew York\nEDT\nClick for Sun Info")))
        << display.sunHint.toStdString();
    EXPECT_TRUE(display.summary.startsWith(
        QStringLiteral("Jun 21, 2024 \nSunrise 5:25 AM \nSunset  8:31 PM \nMOON is ")))
        << display.summary.toStdString();
}

} // namespace
} // namespace skelvane

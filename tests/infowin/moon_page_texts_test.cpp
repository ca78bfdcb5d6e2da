#include "infowin/moon_page_texts.h"

#include "astro/lunation.h"
#include "astro/posix_tz.h"
#include "astro/sun.h"
#include "support/qstring_printer.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace skelvane {
namespace {

// Numbers follow the locale; these tests read them in the English form.
class MoonTextsTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
};

StMoonRec Event(bool isRise, const char* text, const char* zone = "EDT") {
    StMoonRec event;
    event.day = 1000;
    event.isRise = isRise;
    event.text = text;
    event.zoneName = zone;
    return event;
}

TEST_F(MoonTextsTest, IlluminationFollowsThePhaseOfTheDay) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double fraction;
        const char* phaseName;
        const char* expected;
    } cases[] = {
        {0.874, "", "87 % Full"},
        {0.004, "", "00 % Full"},
        {0.05, "", "05 % Full"},
        {0.996, "", "100 % Full"},
        {1.2, "", "100 % Full"}, // out of range never reads above a full disc
        {0.6, "New Moon", "00 % Full"},
        {0.47, "First Quarter", "50 % Full"},
        {0.53, "Last Quarter", "50 % Full"},
        {0.97, "FULL MOON", "100 % Full"},
        {nan, "", ""},
        {nan, "FULL MOON", "100 % Full"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fraction);
        SCOPED_TRACE(c.phaseName);
        EXPECT_EQ(IlluminationText(c.fraction, QString::fromLatin1(c.phaseName)),
                  QString::fromLatin1(c.expected));
    }
}

TEST_F(MoonTextsTest, MoonLinesForEachKindOfDay) {
    const StMoonRec rise = Event(true, "Moonrise  3:26 PM  10/11/24");
    const StMoonRec set = Event(false, "Moonset  2:05 AM  10/11/24");
    const std::array<double, 2> azimuths{250.04, 110.5};
    const QString none;
    struct Case {
        const char* name;
        MoonDayEvents events;
        std::array<QString, 3> rise, set;
        QString up;
    };
    MoonDayEvents both;
    both.events = {set, rise, {}};
    both.count = 2;
    MoonDayEvents riseOnly;
    riseOnly.events = {rise, {}, {}};
    riseOnly.count = 1;
    riseOnly.moonUp = true;
    MoonDayEvents setOnly;
    setOnly.events = {set, {}, {}};
    setOnly.count = 1;
    MoonDayEvents upAllDay;
    upAllDay.events = {Event(true, "Moon up all day"), rise, {}};
    upAllDay.count = 2;
    upAllDay.allDay = true;
    upAllDay.moonUp = true;
    MoonDayEvents downAllDay;
    downAllDay.events = {Event(true, "Moon down all day"), {}, {}};
    downAllDay.count = 1;
    downAllDay.allDay = true;
    const Case cases[] = {
        {"a set, then a rise: shown in time order",
         both,
         {QString::fromLatin1(set.text.c_str()), "EDT",
          QString::fromUtf8("Moon Sets at:  250.0° (W)")},
         {QString::fromLatin1(rise.text.c_str()), "EDT",
          QString::fromUtf8("Moon Rises at:  110.5° (E)")},
         "Moon is set"},
        {"the set falls after midnight",
         riseOnly,
         {QString::fromLatin1(rise.text.c_str()), "EDT",
          QString::fromUtf8("Moon Rises at:  250.0° (W)")},
         {"No moonset this day", none, none},
         "Moon is up"},
        {"the rise falls after midnight",
         setOnly,
         {"No moonrise this day", none, none},
         {QString::fromLatin1(set.text.c_str()), "EDT",
          QString::fromUtf8("Moon Sets at:  250.0° (W)")},
         "Moon is set"},
        {"up all day clears every other line",
         upAllDay,
         {"Moon up all day", none, none},
         {none, none, none},
         "Moon is up"},
        {"down all day",
         downAllDay,
         {"Moon down all day", none, none},
         {none, none, none},
         "Moon is set"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MoonLabelTexts texts = MoonLabels(c.events, azimuths);
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(texts.rise[i], c.rise[i]);
            EXPECT_EQ(texts.set[i], c.set[i]);
        }
        EXPECT_EQ(texts.up, c.up);
    }
}

TEST_F(MoonTextsTest, CompassNamesUsedAreTheEngines) {
    // The event lines name the compass point the engine gives, whatever it is.
    EXPECT_EQ(EventAzimuthText(QStringLiteral("Sun Sets at:  "), 300.04),
              QStringLiteral("Sun Sets at:  300.0") + QString::fromUtf8("°") +
                  QStringLiteral(" (") + QString::fromLatin1(CompassPosition(300.04)) +
                  QLatin1Char(')'));
    EXPECT_EQ(AzimuthPanelText(123.4567), QString::fromUtf8("123.457° (") +
                                              QString::fromLatin1(CompassPosition(123.4567)) +
                                              QLatin1Char(')'));
    EXPECT_EQ(AltitudePanelText(-12.3456), QString::fromUtf8("-12.346°"));
    // The engine's answers for an instant it cannot place show nothing.
    EXPECT_TRUE(AzimuthPanelText(-1).isEmpty());
    EXPECT_TRUE(AltitudePanelText(-99).isEmpty());
    EXPECT_TRUE(EventAzimuthText(QStringLiteral("x"), std::nan("")).isEmpty());
}

TEST_F(MoonTextsTest, SunLines) {
    SunDayInput sun;
    sun.riseLine = QStringLiteral("Sunrise 7:00 AM  06/21/24");
    sun.setLine = QStringLiteral("Sunset  5:00 PM  06/21/24");
    sun.riseZone = sun.setZone = QStringLiteral("AEST");
    // Sydney in winter: sunrise 21:00 UT the day before, sunset 07:00 UT, so the set's UT
    // hours are below the rise's; the day is still 10 hours long.
    sun.riseHours = 21.0;
    sun.setHours = 7.0;
    sun.riseAzimuth = 62.0;
    sun.setAzimuth = 298.0;
    sun.sunUp = true;
    SunLabelTexts texts = SunLabels(sun);
    EXPECT_EQ(texts.rise[0], sun.riseLine);
    EXPECT_EQ(texts.rise[1], QStringLiteral("AEST"));
    EXPECT_TRUE(texts.rise[2].startsWith(QString::fromUtf8("Sun Rises at:  62.0°")));
    EXPECT_TRUE(texts.set[2].startsWith(QString::fromUtf8("Sun Sets at:  298.0°")));
    EXPECT_EQ(texts.dayHours, QStringLiteral("Day is 10:00 Hours Long"));
    EXPECT_EQ(texts.up, QStringLiteral("Sun is up"));

    sun.riseHours = 9.5;
    sun.setHours = 23.75;
    EXPECT_EQ(SunLabels(sun).dayHours, QStringLiteral("Day is 14:15 Hours Long"));

    // A polar day keeps only the clock window's line.
    for (const double code : {double(kNeverSets), double(kNeverRises)}) {
        sun.riseLine = code == kNeverSets ? QStringLiteral("Sun up all day")
                                          : QStringLiteral("Sun down all day");
        sun.setLine.clear();
        sun.riseHours = sun.setHours = code;
        sun.sunUp = code == kNeverSets;
        texts = SunLabels(sun);
        EXPECT_EQ(texts.rise[0], sun.riseLine);
        for (int i = 1; i < 3; ++i) {
            EXPECT_TRUE(texts.rise[i].isEmpty());
            EXPECT_TRUE(texts.set[i].isEmpty());
        }
        EXPECT_TRUE(texts.dayHours.isEmpty());
        EXPECT_EQ(texts.up, sun.sunUp ? QStringLiteral("Sun is up") : QStringLiteral("Sun is set"));
    }
}

TimeZoneState ZoneIn2024(const char* rule) {
    return ComputeTimeZoneState(ParsePosixTzRule(rule), SafeEncodeDate(2024, 7, 1));
}

TEST_F(MoonTextsTest, DaylightLinesComeInTimeOrder) {
    struct Case {
        const char* rule;
        const char* first;
        const char* firstZone;
        const char* second;
        const char* secondZone;
    } cases[] = {
        {"EST5EDT,M3.2.0,M11.1.0", "Sun Mar  10   02:00 AM Clock Ahead 1 H", "Start of EDT",
         "Sun Nov 3   02:00 AM Clock Back 1 H", "Start of EST"},
        // A southern zone: daylight time ends in April and starts in October.
        {"AEST-10AEDT,M10.1.0,M4.1.0/3", "Sun Apr  7   03:00 AM Clock Back 1 H", "Start of AEST",
         "Sun Oct 6   02:00 AM Clock Ahead 1 H", "Start of AEDT"},
        // Lord Howe Island moves its clocks by half an hour.
        {"<+1030>-10:30<+11>-11,M10.1.0,M4.1.0", "Sun Apr  7   02:00 AM Clock Back 0.5 H",
         "Start of +1030", "Sun Oct 6   02:00 AM Clock Ahead 0.5 H", "Start of +11"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        const DaylightGroupTexts group = DaylightSavingTexts(ZoneIn2024(c.rule));
        ASSERT_TRUE(group.shown);
        EXPECT_EQ(group.lines[0].text, QString::fromLatin1(c.first));
        EXPECT_EQ(group.lines[0].startOf, QString::fromLatin1(c.firstZone));
        EXPECT_EQ(group.lines[1].text, QString::fromLatin1(c.second));
        EXPECT_EQ(group.lines[1].startOf, QString::fromLatin1(c.secondZone));
        for (const DaylightLine& line : group.lines) {
            EXPECT_EQ(line.hint, line.isStart ? QStringLiteral("Go to Daylight Start")
                                              : QStringLiteral("Go to Daylight End"));
        }
        EXPECT_LT(group.lines[0].instant, group.lines[1].instant);
    }
    EXPECT_FALSE(DaylightSavingTexts(ZoneIn2024("JST-9")).shown);
    EXPECT_FALSE(DaylightSavingTexts(TimeZoneState{}).shown) << "no zone record";
}

TEST_F(MoonTextsTest, StatusBarAndCaptions) {
    const DateTime day = SafeEncodeDate(2024, 10, 3);
    const auto status = StatusBarTexts(day, "dddd mmmm d, yyyy");
    EXPECT_EQ(status[0], QStringLiteral("Thursday October 3, 2024"));
    EXPECT_EQ(status[1], QStringLiteral("Day: 277"));
    EXPECT_EQ(status[2], QStringLiteral("Week: 40"));
    EXPECT_EQ(status[3], QStringLiteral("Tishri 1, 5785"));
    // 1 January 2021 belongs to ISO week 53 of 2020 and is 17 Tevet 5781 (the fast of
    // 10 Tevet 5781 fell on 25 December 2020).
    const auto newYear = StatusBarTexts(SafeEncodeDate(2021, 1, 1), "dddd mmmm d, yyyy");
    EXPECT_EQ(newYear[2], QStringLiteral("Week: 53"));
    EXPECT_EQ(newYear[3], QStringLiteral("Tevet 17, 5781"));
    // Before the Hebrew calendar's range the panel stays empty.
    EXPECT_TRUE(HebrewDateText(SafeEncodeDate(200, 1, 1)).isEmpty());

    const MoonPageCaptions captions = PageCaptions(day, "dddd mmmm d, yyyy");
    EXPECT_EQ(captions.moon, QStringLiteral(" Moon on Thursday October 3, 2024 "));
    EXPECT_EQ(captions.sun, QStringLiteral(" Sun on Thursday October 3, 2024 "));
    EXPECT_EQ(captions.phases, QStringLiteral(" Moon Phases  October 2024 "));
    EXPECT_EQ(captions.equinoxes, QStringLiteral(" 2024  Equinoxes and Solstices "));
    EXPECT_EQ(captions.daylight, QStringLiteral(" 2024  Daylight Savings Time "));
    EXPECT_EQ(captions.planets, QStringLiteral(" Planets on Thursday October 3, 2024 "));
    EXPECT_EQ(captions.meteors, QStringLiteral(" 2024  Meteor Showers "));
    EXPECT_EQ(captions.eclipses, QStringLiteral(" 2024  Eclipses "));
}

TEST_F(MoonTextsTest, PhaseIconsAndHints) {
    struct Case {
        float code;
        int north, south;
        const char* hint;
    } cases[] = {
        {kNewMoonCode, 0, 0, "Go To New Moon"},
        {kFirstQuarterCode, 6, 18, "Go To First Quarter"},
        {kFullMoonCode, 12, 12, "Go To Full Moon"},
        {kLastQuarterCode, 18, 6, "Go To Last Quarter"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hint);
        StMoonRec phase;
        phase.day = 1;
        phase.phaseCode = c.code;
        EXPECT_EQ(PhaseIconNumber(phase, false), c.north);
        EXPECT_EQ(PhaseIconNumber(phase, true), c.south);
        EXPECT_EQ(PhaseGoToHint(phase), QString::fromLatin1(c.hint));
    }
    const StMoonRec empty;
    EXPECT_EQ(PhaseIconNumber(empty, false), -1);
    EXPECT_EQ(PhaseIconNumber(empty, true), -1);
    EXPECT_TRUE(PhaseGoToHint(empty).isEmpty());
}

} // namespace
} // namespace skelvane

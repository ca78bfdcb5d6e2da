#include "clockwin/tray_icon.h"

#include "app/settings.h"
#include "astro/datetime.h"
#include "astro/day_lists.h"
#include "astro/moon_calendar.h"
#include "widgets/moon_icons.h"

#include <QAction>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPalette>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTimer>
#include <gtest/gtest.h>

#include <string>

namespace skelvane {
namespace {

// The icon lists take a while to draw; every test shares one set.
const MoonIconLists& Lists() {
    static const MoonIconLists lists;
    return lists;
}

qint64 KeyOf(Hemisphere hemisphere, int index) {
    return Lists().icon(hemisphere, index).cacheKey();
}

DateTime Utc(int year, int month, int day, int hour) {
    return SafeEncodeDateTime(year, month, day, hour, 0, 0, 0);
}

// The principal phase named for an instant's day, as the Moon page gives it (in UT).
QString PhaseNameOfDay(DateTime utc) {
    ListDisplayMode mode;
    mode.localTime = false;
    return QString::fromStdString(GetMoonPhaseName(CalcMoonPhases(mode, utc), utc));
}

// Test names of table rows.
struct NameOfCase {
    template <typename Info> std::string operator()(const Info& row) const {
        return row.param.name;
    }
};

struct CheckMarks {
    bool temperature, moon, animation;
    friend bool operator==(const CheckMarks&, const CheckMarks&) = default;
};

class TrayIconTest : public ::testing::Test {
protected:
    CheckMarks checks() const {
        return {tray.TrayTemperature1->isChecked(), tray.TrayMoon1->isChecked(),
                tray.TrayAnimation1->isChecked()};
    }
    void start(char16_t mode) {
        settings.TrayType = QChar(mode);
        tray.Start();
    }

    Settings settings;
    MoonTrayIcon tray{settings, Lists()};
};

TEST_F(TrayIconTest, StartsInactiveOnNorthernImageTwelve) {
    EXPECT_FALSE(tray.active());
    EXPECT_FALSE(tray.animate());
    EXPECT_EQ(tray.imageIndex(), 12);
    EXPECT_EQ(tray.shownIcon().cacheKey(), KeyOf(Hemisphere::Northern, 12));
    EXPECT_FALSE(tray.systemTrayIcon()->isVisible());
}

struct StartCase {
    const char* name;
    char16_t mode;
    bool active, animate;
    CheckMarks checks;
};

class TrayStartTest : public TrayIconTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(TrayStartTest, ModeDecidesActiveAnimationAndCheckMark) {
    const StartCase& c = GetParam();
    settings.MinimizeToTrayOn = true;
    start(c.mode);
    EXPECT_EQ(tray.active(), c.active);
    EXPECT_EQ(tray.animate(), c.animate);
    EXPECT_EQ(tray.animationTimerRunning(), c.active && c.animate);
    EXPECT_EQ(checks(), c.checks);
    EXPECT_TRUE(tray.minimizeToTray());
}

INSTANTIATE_TEST_SUITE_P(
    Modes, TrayStartTest,
    ::testing::Values(StartCase{"Off", u'N', false, false, {false, false, false}},
                      StartCase{"Temperature", u'T', true, false, {true, false, false}},
                      StartCase{"Moon", u'M', true, false, {false, true, false}},
                      StartCase{"Animation", u'A', true, true, {false, false, true}},
                      StartCase{"UnknownStoredMode", u'x', false, false, {false, false, false}}),
    NameOfCase());

struct MoonCase {
    const char* name;
    DateTime utc;
    int lowest, highest;
};

class TrayMoonTest : public TrayIconTest, public ::testing::WithParamInterface<MoonCase> {};

TEST_P(TrayMoonTest, MoonModeShowsThePhaseImage) {
    const MoonCase& c = GetParam();
    start(u'M');
    tray.SetMoonIcons(c.utc, PhaseNameOfDay(c.utc), false, false);
    EXPECT_GE(tray.imageIndex(), c.lowest);
    EXPECT_LE(tray.imageIndex(), c.highest);
    EXPECT_EQ(tray.shownIcon().cacheKey(), KeyOf(Hemisphere::Northern, tray.imageIndex()));
    EXPECT_EQ(tray.applicationIcon().cacheKey(), tray.shownIcon().cacheKey());
}

// Phases of January 2024 (UT): new Moon the 11th 11:57, first quarter the 18th 03:53, full
// Moon the 25th 17:54 (published lunar phase tables).
INSTANTIATE_TEST_SUITE_P(Instants, TrayMoonTest,
                         ::testing::Values(MoonCase{"NearFullMoon", Utc(2024, 1, 26, 6), 12, 12},
                                           MoonCase{"ThreeDaysAfterNewMoon", Utc(2024, 1, 14, 12),
                                                    1, 4}),
                         NameOfCase());

TEST_F(TrayIconTest, FirstQuarterDayBeatsTheNeighbouringAngleRange) {
    const DateTime lateOnTheDay = Utc(2024, 1, 18, 23);
    ASSERT_EQ(PhaseNameOfDay(lateOnTheDay), QStringLiteral("First Quarter"));
    ASSERT_EQ(PhaseIconIndex(MoonPhaseAngle(lateOnTheDay)), 7);
    start(u'M');
    tray.SetMoonIcons(lateOnTheDay, PhaseNameOfDay(lateOnTheDay), false, false);
    EXPECT_EQ(tray.imageIndex(), 6);
}

TEST_F(TrayIconTest, SouthernHemisphereTakesTheSouthernList) {
    settings.SouthernHemisphere = true;
    start(u'M');
    QSignalSpy appIcon(&tray, &MoonTrayIcon::applicationIconChanged);
    const DateTime waxing = Utc(2024, 1, 14, 12);
    tray.SetMoonIcons(waxing, PhaseNameOfDay(waxing), false, false);
    const int index = tray.imageIndex();
    ASSERT_NE(KeyOf(Hemisphere::Southern, index), KeyOf(Hemisphere::Northern, index));
    EXPECT_EQ(tray.applicationIcon().cacheKey(), KeyOf(Hemisphere::Southern, index));
    EXPECT_EQ(tray.shownIcon().cacheKey(), KeyOf(Hemisphere::Southern, index));
    ASSERT_EQ(appIcon.count(), 1);
    EXPECT_EQ(appIcon.at(0).at(0).value<QIcon>().cacheKey(), KeyOf(Hemisphere::Southern, index));

    // The same Moon again changes nothing the clock window has to hear about.
    tray.SetMoonIcons(waxing, PhaseNameOfDay(waxing), false, false);
    EXPECT_EQ(appIcon.count(), 1);
}

TEST_F(TrayIconTest, OffModeSetsOnlyTheApplicationIcon) {
    start(u'N');
    tray.SetMoonIcons(Utc(2024, 1, 14, 12), QString(), false, false);
    EXPECT_FALSE(tray.applicationIcon().isNull());
    EXPECT_EQ(tray.imageIndex(), 12);
    EXPECT_FALSE(tray.active());
}

TEST_F(TrayIconTest, TemperatureModeShowsTheMoonUntilAReportArrives) {
    start(u'T');
    const DateTime waxing = Utc(2024, 1, 14, 12);
    tray.SetMoonIcons(waxing, QString(), true, false);
    const int moonIndex = tray.imageIndex();
    EXPECT_EQ(tray.shownIcon().cacheKey(), KeyOf(Hemisphere::Northern, moonIndex));

    tray.ShowTrayTemp(QStringLiteral("72°"), 0xFFFFFF, true, 0x000000);
    const qint64 temperature = tray.shownIcon().cacheKey();
    EXPECT_NE(temperature, KeyOf(Hemisphere::Northern, moonIndex));

    // The minute's refresh leaves the temperature in the tray, the app icon still follows.
    tray.SetMoonIcons(Utc(2024, 1, 26, 6), QString(), false, true);
    EXPECT_EQ(tray.shownIcon().cacheKey(), temperature);
    EXPECT_EQ(tray.applicationIcon().cacheKey(), KeyOf(Hemisphere::Northern, 12));
}

TEST_F(TrayIconTest, OpaqueTemperatureGoesIntoSlotSixteenOfTheSmallList) {
    QList<QIcon> menuIcons(10, QIcon());
    menuIcons[4] = Lists().icon(Hemisphere::Northern, 0);
    tray.setSmallImageList(&menuIcons);
    start(u'T');
    tray.ShowTrayTemp(QStringLiteral("5°"), 0xFFFFFF, false, 0x000000);
    ASSERT_EQ(menuIcons.size(), 17);
    EXPECT_EQ(menuIcons[4].cacheKey(), KeyOf(Hemisphere::Northern, 0));
    EXPECT_FALSE(menuIcons[16].isNull());
    EXPECT_EQ(tray.imageIndex(), 16);
    EXPECT_EQ(tray.shownIcon().cacheKey(), menuIcons[16].cacheKey());

    // A later refresh must not show Moon image 16 in its place.
    tray.SetMoonIcons(Utc(2024, 1, 14, 12), QString(), false, true);
    EXPECT_EQ(tray.shownIcon().cacheKey(), menuIcons[16].cacheKey());
}

TEST_F(TrayIconTest, TemperaturePictureKeepsItsTextAndDropsItsBackground) {
    const QColor fore(255, 255, 0);
    const QColor back(0, 0, 128);
    const QImage picture = TrayTemperatureImage(QStringLiteral("72°"), fore, back);
    ASSERT_EQ(picture.size(), QSize(16, 16));
    EXPECT_EQ(picture.pixelColor(0, 0), back);
    int textPixels = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            textPixels += picture.pixelColor(x, y) == fore ? 1 : 0;
    EXPECT_GT(textPixels, 10);
    // Nothing is drawn above y 2.
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(picture.pixelColor(x, 1), back) << x;

    const QImage masked = TransparentTrayIcon(picture, back).pixmap(16, 16).toImage();
    int opaque = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            opaque += qAlpha(masked.pixel(x, y)) == 255 ? 1 : 0;
    EXPECT_EQ(qAlpha(masked.pixel(0, 0)), 0);
    EXPECT_EQ(opaque, textPixels);
}

TEST_F(TrayIconTest, TrayIconOffRemovesTheIconAndAllCheckMarks) {
    start(u'M');
    tray.TrayIconGroupClick(0);
    EXPECT_FALSE(tray.active());
    EXPECT_FALSE(tray.systemTrayIcon()->isVisible());
    EXPECT_EQ(checks(), (CheckMarks{false, false, false}));
    EXPECT_EQ(settings.TrayType, QChar(u'N'));
}

TEST_F(TrayIconTest, MenuItemsAndGroupStayInStep) {
    start(u'N');
    QSignalSpy group(&tray, &MoonTrayIcon::trayIconGroupChanged);
    QSignalSpy moonWanted(&tray, &MoonTrayIcon::moonIconsRequested);

    tray.TrayMoon1->trigger();
    EXPECT_EQ(settings.TrayType, QChar(u'M'));
    EXPECT_EQ(tray.groupIndex(), 2);
    EXPECT_TRUE(tray.active());
    EXPECT_EQ(checks(), (CheckMarks{false, true, false}));
    EXPECT_EQ(moonWanted.count(), 1);

    tray.TrayAnimation1->trigger();
    EXPECT_EQ(settings.TrayType, QChar(u'A'));
    EXPECT_TRUE(tray.animate());
    EXPECT_TRUE(tray.animationTimerRunning());
    EXPECT_EQ(checks(), (CheckMarks{false, false, true}));

    // Clicking the checked item again unchecks it: the icon goes off.
    tray.TrayAnimation1->trigger();
    EXPECT_EQ(settings.TrayType, QChar(u'N'));
    EXPECT_FALSE(tray.active());
    EXPECT_FALSE(tray.animationTimerRunning());
    EXPECT_EQ(checks(), (CheckMarks{false, false, false}));

    tray.SetTrayIconType(u'A');
    EXPECT_EQ(tray.groupIndex(), 3);
    EXPECT_TRUE(tray.animationTimerRunning());
    EXPECT_EQ(checks(), (CheckMarks{false, false, true}));

    ASSERT_EQ(group.count(), 4);
    EXPECT_EQ(group.at(0).at(0).toInt(), 2);
    EXPECT_EQ(group.at(1).at(0).toInt(), 3);
    EXPECT_EQ(group.at(2).at(0).toInt(), 0);
    EXPECT_EQ(group.at(3).at(0).toInt(), 3);

    // The same choice again (the Settings page shown once more) runs nothing.
    const int requests = moonWanted.count();
    tray.SetTrayIconType(u'A');
    EXPECT_EQ(moonWanted.count(), requests);
    EXPECT_EQ(group.count(), 4);

    // Choices outside the group are ignored.
    tray.TrayIconGroupClick(4);
    tray.TrayIconGroupClick(-1);
    tray.TrayMenuItemClick(nullptr);
    EXPECT_EQ(tray.groupIndex(), 3);
    EXPECT_EQ(settings.TrayType, QChar(u'A'));
}

TEST_F(TrayIconTest, TemperatureChoiceAsksForWeatherOnlyWithoutAReport) {
    start(u'M');
    tray.SetMoonIcons(Utc(2024, 1, 14, 12), QString(), true, false);
    const int moonIndex = tray.imageIndex();
    QSignalSpy download(&tray, &MoonTrayIcon::weatherDownloadRequested);

    tray.TrayTemperature1->trigger();
    EXPECT_EQ(download.count(), 1);
    EXPECT_EQ(tray.shownIcon().cacheKey(), KeyOf(Hemisphere::Northern, moonIndex));

    tray.TrayMoon1->trigger();
    tray.setTemperatureText(QStringLiteral("41°"));
    tray.TrayTemperature1->trigger();
    EXPECT_EQ(download.count(), 1);
    EXPECT_NE(tray.shownIcon().cacheKey(), KeyOf(Hemisphere::Northern, moonIndex));
}

TEST_F(TrayIconTest, ColourBoxesRedrawOnlyInTemperatureMode) {
    start(u'M');
    tray.SetMoonIcons(Utc(2024, 1, 14, 12), QString(), true, false);
    const qint64 moon = tray.shownIcon().cacheKey();
    tray.setTemperatureText(QStringLiteral("41°"));
    tray.RedrawTemperature();
    EXPECT_EQ(tray.shownIcon().cacheKey(), moon);

    tray.TrayTemperature1->trigger();
    const qint64 first = tray.shownIcon().cacheKey();
    EXPECT_NE(first, moon);
    settings.TrayBackColor = 0x0000FF;
    tray.RedrawTemperature();
    EXPECT_NE(tray.shownIcon().cacheKey(), first);
}

TEST_F(TrayIconTest, AnimationWrapsFromTheLastImageToTheFirst) {
    start(u'A');
    tray.SetMoonIcons(Utc(2024, 1, 10, 0), QString(), true, false); // a day before new Moon
    ASSERT_EQ(tray.imageIndex(), 23);
    tray.AnimateStep();
    EXPECT_EQ(tray.imageIndex(), 0);
    EXPECT_EQ(tray.shownIcon().cacheKey(), KeyOf(Hemisphere::Northern, 0));
    tray.AnimateStep();
    EXPECT_EQ(tray.imageIndex(), 1);
}

TEST_F(TrayIconTest, AnimationTimerStepsAboutFivePerSecond) {
    start(u'A');
    const int before = tray.imageIndex();
    QEventLoop loop;
    QTimer::singleShot(450, &loop, &QEventLoop::quit);
    loop.exec();
    const int steps = (tray.imageIndex() - before + kMoonIconCount) % kMoonIconCount;
    EXPECT_GE(steps, 1);
    EXPECT_LE(steps, 3);
}

TEST_F(TrayIconTest, LeftClickOnlyIsAClick) {
    QSignalSpy clicks(&tray, &MoonTrayIcon::clicked);
    emit tray.systemTrayIcon()->activated(QSystemTrayIcon::Context);
    emit tray.systemTrayIcon()->activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(TrayIconTest, NeverHidesTheWindowWhereNoIconCanBeSeen) {
    settings.MinimizeToTrayOn = true;
    start(u'N');
    EXPECT_FALSE(tray.hidesWindowOnMinimize());
    tray.TrayIconGroupClick(2);
    EXPECT_EQ(tray.hidesWindowOnMinimize(), QSystemTrayIcon::isSystemTrayAvailable());
}

struct ColourCase {
    const char* name;
    int number;
    QColor colour;
};

class TrayColourTest : public ::testing::TestWithParam<ColourCase> {};

TEST_P(TrayColourTest, StoredRgbNumbersHaveRedInTheLowByte) {
    EXPECT_EQ(ColorFromPlatformNumber(GetParam().number), GetParam().colour);
    EXPECT_EQ(PlatformNumberFromColor(GetParam().colour), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(Numbers, TrayColourTest,
                         ::testing::Values(ColourCase{"Red", 0x0000FF, QColor(255, 0, 0)},
                                           ColourCase{"Blue", 0xFF0000, QColor(0, 0, 255)},
                                           ColourCase{"Mixed", 0x102030, QColor(0x30, 0x20, 0x10)}),
                         NameOfCase());

TEST(TrayColours, SystemColourNumbersComeFromThePalette) {
    const QPalette palette = QGuiApplication::palette();
    EXPECT_EQ(ColorFromPlatformNumber(static_cast<int>(0xFF00000Fu)), // button face
              palette.color(QPalette::Active, QPalette::Button));
    EXPECT_EQ(ColorFromPlatformNumber(static_cast<int>(0xFF000012u)), // button text
              palette.color(QPalette::Active, QPalette::ButtonText));
    EXPECT_EQ(ColorFromPlatformNumber(static_cast<int>(0xFF0000EEu)), // no such colour
              palette.color(QPalette::Active, QPalette::Window));
}

TEST(TrayFirstRunColours, WhiteOnBlackOnceThenLeftAlone) {
    Settings settings;
    ASSERT_TRUE(settings.TrayColorsInit);
    EXPECT_TRUE(ChooseFirstRunTrayColors(settings));
    EXPECT_FALSE(settings.TrayColorsInit);
    EXPECT_EQ(ColorFromPlatformNumber(settings.TrayForeColor), QColor(Qt::white));
    EXPECT_EQ(ColorFromPlatformNumber(settings.TrayBackColor), QColor(Qt::black));

    settings.TrayForeColor = 0x00FF00;
    EXPECT_FALSE(ChooseFirstRunTrayColors(settings));
    EXPECT_EQ(settings.TrayForeColor, 0x00FF00);
}

} // namespace
} // namespace skelvane

// The clock window's commands, menus and month row, driven as a user would.
#include "clockwin/clock_window.h"

#include "app/settings.h"
#include "app/settings_store.h"
#include "astro/posix_tz.h"
#include "astro/timezone.h"
#include "clockwin/clock_actions.h"
#include "clockwin/month_calendar.h"
#include "support/fake_clock.h"
#include "support/qstring_printer.h"
#include "support/scoped_zone.h"
#include "widgets/menu_icons.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace skelvane {
namespace {

using test::FakeClock;

class ClockActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        // Greenwich time, so local days are UT days.
        zone.emplace(TimeZoneRecord{});
        settings.Latitude = 40.7128;
        settings.Longitude = -74.006;
        settings.PlaceName = QStringLiteral("New York, NY");
        window = std::make_unique<TForm1>(settings, store, clock, TForm1::Options{true});
        window->setProcessEnder([] {});
    }
    void TearDown() override {
        window.reset();
        zone.reset();
    }
    std::optional<test::ScopedZone> zone;
    void select(int year, int month, int day) {
        window->setCalendarDate(SafeEncodeDate(year, month, day));
    }
    CivilDate selected() const { return DecodeDate(window->calendarDate()); }
    QLabel* label(const char* name) const { return window->findChild<QLabel*>(name); }
    QColor color(const char* name) const {
        return label(name)->palette().color(QPalette::WindowText);
    }

    QTemporaryDir folder;
    SettingsStore store{folder.path()};
    Settings settings;
    FakeClock clock{SafeEncodeDateTime(2024, 12, 10, 15, 7, 42, 0)};
    std::unique_ptr<TForm1> window;
};

const QColor kRed(255, 0, 0);

TEST_F(ClockActionsTest, DayInfoLabelsNameTheSpecialDays) {
    struct Case {
        const char* name;
        CivilDate day;
        const char* label1;
        const char* label2;
    } cases[] = {
        {"Christmas alone shows its date under it", {2024, 12, 25}, "Christmas", "Dec 25"},
        {"a full moon with no holiday", {2024, 12, 15}, "FULL MOON", "Dec 15"},
        {"a lunar eclipse overrides the holiday", {2019, 1, 21}, "Lunar Eclipse", "2:36 AM"},
        {"a solar eclipse", {2024, 4, 8}, "Solar Eclipse", "6:17 PM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        select(c.day.year, c.day.month, c.day.day);
        EXPECT_EQ(label("DayInfoLabel1")->text(), QString::fromUtf8(c.label1));
        EXPECT_EQ(label("DayInfoLabel2")->text().trimmed(), QString::fromUtf8(c.label2));
        EXPECT_EQ(color("DayInfoLabel1"), kRed);
        EXPECT_EQ(color("DayInfoLabel2"), kRed);
    }
    // An ordinary day shows the Moon's rise and set in blue or black.
    select(2024, 12, 11);
    EXPECT_TRUE(label("DayInfoLabel1")->text().startsWith(QStringLiteral("MRise")) ||
                label("DayInfoLabel1")->text().startsWith(QStringLiteral("MSet")))
        << label("DayInfoLabel1")->text().toStdString();
    EXPECT_NE(color("DayInfoLabel1"), kRed);
}

TEST_F(ClockActionsTest, DayStepsStopAtTheNavigationBounds) {
    select(1601, 1, 1);
    window->actions().GoToPrevDay1->trigger();
    EXPECT_EQ(selected(), (CivilDate{1601, 1, 1}));
    window->actions().GoToNextDay1->trigger();
    EXPECT_EQ(selected(), (CivilDate{1601, 1, 2}));
    select(3428, 12, 31);
    window->actions().GoToNextDay1->trigger();
    EXPECT_EQ(selected(), (CivilDate{3428, 12, 31}));
    select(3429, 12, 15);
    window->actions().GoToNextMonthAction1->trigger();
    EXPECT_EQ(selected(), (CivilDate{3429, 12, 15}));
    select(1600, 2, 15);
    window->actions().GoToPrevMonthAction1->trigger();
    EXPECT_EQ(selected(), (CivilDate{1600, 2, 15}));
    window->actions().GoToPrevYearAction1->trigger();
    EXPECT_EQ(selected(), (CivilDate{1600, 2, 15}));
    select(2008, 2, 29);
    window->actions().GoToNextYearAction1->trigger();
    EXPECT_EQ(selected(), (CivilDate{2009, 2, 28}));
}

TEST_F(ClockActionsTest, MonthAndYearBoxesKeepTheDayInsideTheMonth) {
    select(2009, 3, 31);
    window->MonthComboBox->setCurrentIndex(1);
    emit window->MonthComboBox->activated(1);
    EXPECT_EQ(selected(), (CivilDate{2009, 2, 28}));

    select(2008, 2, 29);
    window->YearComboBoxChange(QStringLiteral("2009"));
    EXPECT_EQ(selected(), (CivilDate{2009, 2, 28}));
    EXPECT_EQ(window->YearComboBox->currentText(), QStringLiteral("2009"));
    EXPECT_EQ(window->MonthComboBox->currentIndex(), 1);

    window->YearComboBoxChange(QStringLiteral("20x9"));
    EXPECT_EQ(selected(), (CivilDate{2009, 2, 28})) << "not a number: nothing happens";

    // Typed characters are thrown away: a year comes from the list only.
    QTest::keyClicks(window->YearComboBox->lineEdit(), QStringLiteral("1999"));
    EXPECT_EQ(window->YearComboBox->currentText(), QStringLiteral("2009"));
    EXPECT_EQ(window->YearComboBox->count(), 3429 - 1600 + 1);
    EXPECT_EQ(window->MonthComboBox->count(), 12);
}

TEST_F(ClockActionsTest, GoToCommandsSelectTheirDays) {
    select(2024, 6, 1);
    struct Case {
        QAction* action;
        CivilDate expected;
    } cases[] = {
        {window->actions().GoToSeason[0], {2024, 3, 20}},
        {window->actions().GoToSeason[3], {2024, 12, 21}},
        {window->actions().GoToHoliday[24], {2024, 12, 25}}, // Christmas
        {window->actions().GoToHoliday[10], {2024, 3, 31}},  // Easter
        {window->actions().GoToMeteor[4], {2024, 8, 12}},    // Perseids, at their peak
        {window->actions().GoToEclipse[1], {2024, 4, 8}},
        {window->actions().GoToToday1, {2024, 12, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action->objectName().toStdString());
        c.action->trigger();
        EXPECT_EQ(selected(), c.expected);
    }
    // The zone has no daylight saving: the commands leave the date alone.
    window->actions().GoToDaylightStart1->trigger();
    EXPECT_EQ(selected(), (CivilDate{2024, 12, 10}));
}

TEST_F(ClockActionsTest, PhaseAndEclipseItemsFollowTheShownMonthAndYear) {
    select(2024, 12, 10);
    const ClockActions& a = window->actions();
    // December 2024 has five principal phases: new moon on the 1st and the 30th.
    EXPECT_TRUE(a.GoToMoonPhase[4]->isVisible());
    EXPECT_TRUE(a.GoToMoonPhase[0]->text().contains(QStringLiteral("New Moon")));
    EXPECT_TRUE(a.GoToMoonPhase[2]->text().contains(QStringLiteral("Full Moon")));
    a.GoToMoonPhase[2]->trigger();
    EXPECT_EQ(selected(), (CivilDate{2024, 12, 15}));
    select(2024, 11, 10);
    EXPECT_FALSE(a.GoToMoonPhase[4]->isVisible()) << "November 2024 has four";

    // 2024: penumbral lunar, total solar, partial lunar, annular solar.
    EXPECT_EQ(a.GoToEclipse[0]->text(), QStringLiteral("03/25/24  Lunar - Penumbral"));
    EXPECT_EQ(a.GoToEclipse[1]->text(), QStringLiteral("04/08/24  Solar - Total"));
    EXPECT_TRUE(a.GoToEclipse[3]->isVisible());
    EXPECT_FALSE(a.GoToEclipse[4]->isVisible());
    EXPECT_EQ(a.GoToEclipse[1]->icon().cacheKey(),
              window->smallImages()[kIconSolarTotal].cacheKey());
}

TEST_F(ClockActionsTest, MenusHoldTheirItemsInOrder) {
    const ClockMenus& menus = window->menus();
    QStringList popup;
    for (QAction* item : menus.PopupMenu1->actions())
        popup << item->text();
    const QStringList expected{"&Go To...",
                               "&Settings",
                               "Change S&ize",
                               "Moon and Sun",
                               "Planets",
                               "Time",
                               "Settings",
                               "&Help",
                               "&About",
                               "&Tools",
                               "Year",
                               "Go To Maps",
                               "Satellite",
                               "Radar",
                               "Weather",
                               "&Google",
                               "Show Weather Text",
                               "Update Temperature",
                               "&Restore",
                               "Exit Skelvane"};
    EXPECT_EQ(popup, expected);

    QStringList bar;
    for (QAction* item : menus.MainMenu1->actions())
        bar << item->text();
    EXPECT_EQ(bar, (QStringList{"Weather", "Rad", "Sat", "Map", "Year"}));

    // The holidays come in menu order between separators, in both Go To menus.
    const QList<QAction*> goTo = menus.PopupMenu1->actions().first()->menu()->actions();
    EXPECT_EQ(goTo.first()->text(), QStringLiteral("Today"));
    EXPECT_EQ(goTo.last()->text(), QStringLiteral("Today"));
    goTo.last()->trigger();
    EXPECT_EQ(selected(), (CivilDate{2024, 12, 10})) << "the second Today works too";
    EXPECT_TRUE(goTo.contains(window->actions().GoToHoliday[0]));
    EXPECT_EQ(window->actions().GoToHoliday[0]->text(), QStringLiteral("&New Year (Jan 1)"));
    EXPECT_TRUE(menus.ButPopupMenu->actions().contains(window->actions().ShowHelp1));
    EXPECT_EQ(window->actions().GoToMeteor[7]->text(), QStringLiteral("Nov 18 - Leonids"));
}

TEST_F(ClockActionsTest, ProxyItemsRunTheirActionAndFollowItsCheckMark) {
    QAction* stayOnTop = window->actions().ToggleStayOnTop1;
    QAction* item = ProxyItem(stayOnTop, QStringLiteral("Other caption"), window.get());
    const bool before = stayOnTop->isChecked();
    item->trigger();
    EXPECT_EQ(stayOnTop->isChecked(), !before);
    EXPECT_EQ(item->isChecked(), !before);
    EXPECT_EQ(settings.StayOnTop, !before);
}

TEST_F(ClockActionsTest, SettingsTogglesChangeTheCalendarAndTheSettings) {
    window->actions().ToggleShowHolidays1->trigger();
    EXPECT_FALSE(settings.ShowHolidays);
    EXPECT_FALSE(window->Calendar1->ShowHolidays());
    window->actions().ToggleShowTinyMoons1->trigger();
    EXPECT_FALSE(window->Calendar1->ShowTinyMoons());
    window->actions().ToggleSaveOnExit1->trigger();
    EXPECT_FALSE(settings.SaveOnExit);
    window->actions().ToggleHintsOn1->trigger();
    EXPECT_FALSE(settings.ShowHints);
}

TEST(FirstRunLocationTest, IsGuessedFromTheZoneOnlyWithoutAStoredPlace) {
    QTemporaryDir folder;
    SettingsStore store{folder.path()};
    FakeClock clock{SafeEncodeDateTime(2024, 12, 10, 15, 7, 42, 0)};
    test::ScopedZone sydney("AEST-10AEDT,M10.1.0,M4.1.0/3");
    {
        Settings settings; // a first run: no place name
        TForm1 window(settings, store, clock, TForm1::Options{true});
        window.setProcessEnder([] {});
        EXPECT_FALSE(settings.PlaceName.isEmpty());
        EXPECT_LT(settings.Latitude, -20) << "a place in eastern Australia";
        EXPECT_GT(settings.Longitude, 140);
        EXPECT_EQ(settings.SaveLocation.PlaceName, settings.PlaceName) << "the place to save too";
    }
    {
        Settings settings;
        settings.PlaceName = QStringLiteral("Oslo");
        settings.Latitude = 59.91;
        TForm1 window(settings, store, clock, TForm1::Options{true});
        window.setProcessEnder([] {});
        EXPECT_EQ(settings.PlaceName, QStringLiteral("Oslo"));
        EXPECT_EQ(settings.Latitude, 59.91);
    }
}

TEST_F(ClockActionsTest, ChangeSizeStepsThroughTheFourLevels) {
    settings.DisplayLevel = 4;
    const int heights[] = {66, 90, 240, 276};
    for (int step = 0; step < 4; ++step) {
        window->actions().ToggleWindowAction1->trigger();
        EXPECT_EQ(window->centralWidget()->height(), heights[step]);
    }
}

} // namespace
} // namespace skelvane

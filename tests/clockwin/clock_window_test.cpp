#include "clockwin/clock_window.h"

#include "app/info_window_link.h"
#include "app/settings.h"
#include "app/settings_store.h"
#include "astro/timezone.h"
#include "support/fake_clock.h"
#include "support/scoped_zone.h"

#include <QAction>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

namespace skelvane {
namespace {

using test::FakeClock;

struct FakeInfoLink : InfoWindowLink {
    int startTasksRuns = 0;
    void DoStartTasks() override { ++startTasksRuns; }
    InfoWindowTickTarget* tickTarget() override { return nullptr; }
    bool isShowing() const override { return false; }
    int pageIndex() const override { return 3; }
    int setSheetIndex() const override { return 1; }
    bool weekNumbersChecked() const override { return true; }
    bool ShowPage(InfoPage index) override {
        shownPages.push_back(index);
        return true;
    }
    void ToggleShowing() override {}
    void CloseWindow() override {}
    void UpdateInfoForm() override { ++refreshes; }
    void setStayOnTop(bool) override {}
    void setGraphGroupCaption(const QString& caption) override { graphCaption = caption; }
    QString productLine() const override { return QStringLiteral("Skelvane v2.0.0"); }
    double yearCalendarDate() const override { return yearDate; }
    void setYearCalendarDate(double date) override { yearDate = date; }
    void setYearDayInfo(const QString& text) override { yearDayInfo = text; }
    void showInternetTime(bool, double, double) override {}
    void showClockNotSet(const QString&) override {}
    double yearDate = 0;
    QString yearDayInfo;
    std::vector<int> shownPages;
    int refreshes = 0;
    QString graphCaption;
};

class ClockWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        zone.emplace(TimeZoneRecord{});
    }
    void TearDown() override { zone.reset(); }
    std::optional<test::ScopedZone> zone;

    std::unique_ptr<TForm1> makeWindow(bool defaultsOnly = false) {
        auto window =
            std::make_unique<TForm1>(settings, store, clock, TForm1::Options{defaultsOnly});
        window->setProcessEnder([this] { ++processEnds; });
        return window;
    }
    QString storeValue(const QString& path, const char* name) {
        QSettings file(path, QSettings::IniFormat);
        return file.value(QStringLiteral("Settings/") + QLatin1String(name)).toString();
    }

    QTemporaryDir folder;
    SettingsStore store{folder.path()};
    Settings settings;
    FakeClock clock{SafeEncodeDateTime(2026, 9, 22, 15, 7, 42, 0)};
    int processEnds = 0;
};

TEST_F(ClockWindowTest, ShowsTheTimeAndDateBeforeItIsFirstShown) {
    auto window = makeWindow();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->panel1Text(), QStringLiteral("3:07"));
    EXPECT_FALSE(window->panel2Text().isEmpty());
    EXPECT_EQ(window->centralWidget()->size(), QSize(211, 276)) << "display level 4";
    EXPECT_EQ(window->Timer1->interval(), 10);
    EXPECT_FALSE(window->Timer1->isActive()) << "start-up enables the timer";
}

TEST_F(ClockWindowTest, DisplayLevelsSetTheClientHeight) {
    auto window = makeWindow();
    struct Case {
        int level;
        int height;
    } cases[] = {{1, 66}, {2, 90}, {3, 240}, {4, 276}};
    for (const Case& c : cases) {
        settings.DisplayLevel = c.level;
        window->SetHeight();
        EXPECT_EQ(window->centralWidget()->height(), c.height) << "level " << c.level;
    }
    settings.DisplayLevel = 9;
    window->SetHeight();
    EXPECT_EQ(window->centralWidget()->height(), 276) << "an unknown level keeps the height";
}

TEST_F(ClockWindowTest, ChangeSizeStepsThroughTheLevels) {
    auto window = makeWindow();
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        window->ToggleWindowAction1->trigger();
        seen.push_back(settings.DisplayLevel);
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(window->centralWidget()->height(), 276);
}

TEST_F(ClockWindowTest, StoredWindowStateIsApplied) {
    {
        QSettings file(store.currentPath(), QSettings::IniFormat);
        file.setValue(QStringLiteral("Settings/WindowTop"), 140);
        file.setValue(QStringLiteral("Settings/WindowLeft"), 120);
        file.setValue(QStringLiteral("Settings/DisplayLevel"), 2);
        file.setValue(QStringLiteral("Settings/StayOnTop"), false);
    }
    auto window = makeWindow();
    EXPECT_EQ(window->pos(), QPoint(120, 140));
    EXPECT_EQ(window->centralWidget()->height(), 90);
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    settings = Settings{};
    auto defaults = makeWindow(/*defaultsOnly=*/true);
    EXPECT_TRUE(defaults->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(ClockWindowTest, StoredPositionOffTheScreensComesBackOntoThem) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        int left, top;
    } cases[] = {{5000, 140}, {-3000, -3000}, {120, 32000}, {screen.right() - 20, 100}};
    for (const auto& c : cases) {
        {
            QSettings file(store.currentPath(), QSettings::IniFormat);
            file.setValue(QStringLiteral("Settings/WindowTop"), c.top);
            file.setValue(QStringLiteral("Settings/WindowLeft"), c.left);
        }
        auto window = makeWindow();
        const QRect frame(window->pos(), window->sizeHint());
        EXPECT_TRUE(screen.contains(frame))
            << c.left << "," << c.top << " went to " << frame.x() << "," << frame.y();
    }
}

TEST_F(ClockWindowTest, CoordinatesThatAreNoPlaceGiveWayToThePlaceOfTheZone) {
    zone.reset();
    zone.emplace("EST5EDT,M3.2.0,M11.1.0");
    {
        QSettings file(store.currentPath(), QSettings::IniFormat);
        file.setValue(QStringLiteral("Settings/Latitude"), QStringLiteral("nan"));
        file.setValue(QStringLiteral("Settings/Longitude"), QStringLiteral("inf"));
        file.setValue(QStringLiteral("Settings/Placename"), QStringLiteral("Nowhere"));
    }
    auto window = makeWindow();
    window->UpdateDisplays();
    EXPECT_NE(settings.PlaceName, QStringLiteral("Nowhere"));
    EXPECT_NEAR(settings.Latitude, 40.7, 1.0) << "the zone's city, New York";
    EXPECT_NEAR(settings.Longitude, -74.0, 1.0);
    // The September equinox in New York: the Sun rises near 6:45 AM and sets near 6:55 PM.
    // Taken for 0°, 0° instead, the clock would say about 1:00 AM and 1:00 PM.
    const QString sunrise = window->findChild<QLabel*>(QStringLiteral("SunriseLabel"))->text();
    const QString sunset = window->findChild<QLabel*>(QStringLiteral("SunsetLabel"))->text();
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^Sunrise +[67]:\\d\\d AM$")).match(sunrise).hasMatch())
        << sunrise.toStdString();
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^Sunset +[67]:\\d\\d PM$")).match(sunset).hasMatch())
        << sunset.toStdString();
}

TEST_F(ClockWindowTest, WeekStartFromTheLocaleIsKeptAsADay) {
    settings.WeekStart = 7;
    auto window = makeWindow(true);
    EXPECT_GE(settings.WeekStart, 0);
    EXPECT_LE(settings.WeekStart, 6);
    EXPECT_EQ(window->calendarWeekStart(), settings.WeekStart);
}

TEST_F(ClockWindowTest, StartMinimizedHidesBothWindows) {
    {
        QSettings file(store.currentPath(), QSettings::IniFormat);
        file.setValue(QStringLiteral("Settings/StartMinimized"), true);
    }
    auto window = makeWindow();
    EXPECT_FALSE(window->showAtStart());
    EXPECT_FALSE(settings.ShowInfoFormAtStartup);
}

TEST_F(ClockWindowTest, FirstTickRunsStartTasksOnceTheInformationWindowExists) {
    auto window = makeWindow(true);
    FakeInfoLink info;
    window->Timer1Timer();
    EXPECT_EQ(window->Timer1->interval(), 1000);
    EXPECT_TRUE(window->firstTickPending()) << "no information window yet";
    window->setInfoWindow(&info);
    window->Timer1Timer();
    window->Timer1Timer();
    EXPECT_EQ(info.startTasksRuns, 1);
    EXPECT_FALSE(window->firstTickPending());
}

TEST_F(ClockWindowTest, ClosingSavesTheSettingsAndEndsTheProcess) {
    auto window = makeWindow();
    FakeInfoLink info;
    window->setInfoWindow(&info);
    window->move(33, 44);
    window->close();
    EXPECT_EQ(processEnds, 1);
    EXPECT_EQ(storeValue(store.currentPath(), "WindowLeft"), QStringLiteral("33"));
    EXPECT_EQ(storeValue(store.currentPath(), "LastInfoFormTabIndex"), QStringLiteral("3"));
    EXPECT_EQ(storeValue(store.currentPath(), "ShowWeekNumbers"), QStringLiteral("true"));
    EXPECT_FALSE(window->Timer1->isActive());
}

TEST_F(ClockWindowTest, DefaultsOnlyRunLeavesTheStoreAlone) {
    {
        QSettings file(store.currentPath(), QSettings::IniFormat);
        file.setValue(QStringLiteral("Settings/WindowTop"), 77);
        file.setValue(QStringLiteral("Settings/Placename"), QStringLiteral("Oslo"));
    }
    QFile stored(store.currentPath());
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    const QByteArray before = stored.readAll();
    stored.close();

    auto window = makeWindow(/*defaultsOnly=*/true);
    EXPECT_NE(settings.PlaceName, QStringLiteral("Oslo"))
        << "nothing is read (the place is guessed)";
    window->close();
    EXPECT_EQ(processEnds, 1);
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_EQ(stored.readAll(), before);
    EXPECT_TRUE(QFile::exists(store.scratchPath())) << "the exit save goes elsewhere";
}

} // namespace
} // namespace skelvane

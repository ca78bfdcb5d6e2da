#include "app/clock_tick.h"

#include "app/settings.h"
#include "astro/timezone.h"
#include "support/fake_clock.h"
#include "support/scoped_zone.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace skelvane {
namespace {

using test::FakeClock;

// Records what the tick does to the information window.
struct FakeInfoWindow : InfoWindowTickTarget {
    const Clock* clock = nullptr;
    std::vector<DateTime> planetRefreshes; // clock time of each planet refresh
    int timePageRefreshes = 0;
    QString caption;
    void showSunMoonPosition(DateTime) override {}
    void refreshTimePage(DateTime, DateTime, const QString&, const std::string&) override {
        ++timePageRefreshes;
    }
    void setWindowCaption(const QString& text) override { caption = text; }
    void showPlanets(DateTime) override { planetRefreshes.push_back(clock->nowLocal()); }
    void refreshRadarTimeLabel() override {}
    QString localTimePanelText() const override { return QStringLiteral("03:07:42  PM   "); }
    QString greenwichTimePanelText() const override { return QStringLiteral("08:07:42  PM   "); }
};

// Records what the tick does to the clock window; behaves like the real calendar by
// restarting the jump-back count when its date changes.
struct FakeClockWindow : ClockTickTarget {
    DateTime calendar = 0;
    QString bigTime, dateLine, title, caption;
    int captionWrites = 0, displayUpdates = 0, clockSyncs = 0, weatherDownloads = 0;
    std::vector<DateTime> calendarMoves;
    ClockTick* tick = nullptr;
    FakeInfoWindow* info = nullptr;

    DateTime calendarDate() const override { return calendar; }
    void setCalendarDate(DateTime date) override {
        calendar = date;
        calendarMoves.push_back(date);
        ++displayUpdates;
        tick->resetJumpBack();
    }
    void setBigTimeText(const QString& text) override { bigTime = text; }
    void setDateLineText(const QString& text) override { dateLine = text; }
    void setApplicationTitle(const QString& text) override { title = text; }
    void setCaption(const QString& text) override {
        caption = text;
        ++captionWrites;
    }
    void synchroniseClockWithServer() override { ++clockSyncs; }
    void startWeatherDownload() override { ++weatherDownloads; }
    void updateDisplays() override { ++displayUpdates; }
    InfoWindowTickTarget* infoWindow() override { return info; }
};

class ClockTickTest : public ::testing::Test {
protected:
    void SetUp() override { zone.emplace(TimeZoneRecord{}); }
    void TearDown() override { zone.reset(); }
    std::optional<test::ScopedZone> zone;

    // A tick started at the given local instant, the calendar on that day.
    void start(DateTime local) {
        clock = std::make_unique<FakeClock>(local);
        window.calendar = DateOf(local);
        tick = std::make_unique<ClockTick>(settings, *clock, window, local);
        window.tick = tick.get();
    }
    // Advances the clock second by second, ticking each time.
    void runSeconds(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            clock->advanceSeconds(1);
            tick->UpdateClocks();
        }
    }

    Settings settings;
    FakeClockWindow window;
    std::unique_ptr<FakeClock> clock;
    std::unique_ptr<ClockTick> tick;
};

const DateTime kSep22At150742 = SafeEncodeDateTime(2026, 9, 22, 15, 7, 42, 0);

TEST_F(ClockTickTest, FirstCallFillsThePanelsButLeavesTheCaption) {
    start(kSep22At150742);
    tick->UpdateClocks();
    EXPECT_EQ(window.bigTime, QStringLiteral("3:07"));
    EXPECT_EQ(window.dateLine, QStringLiteral("Tuesday, September 22, 2026"));
    EXPECT_EQ(window.displayUpdates, 1);
    EXPECT_EQ(window.captionWrites, 0) << "the first call happens before the window shows";
}

TEST_F(ClockTickTest, TimeTextsInBothClockModes) {
    struct Case {
        const char* name;
        bool use24Hour;
        int displayLevel;
        const char* caption;
    } cases[] = {
        {"24-hour caption", true, 4, "15:07:42"},
        {"12-hour caption keeps the blank after the seconds", false, 4, "3:07:42 "},
        {"level 1 shows the short-year date", false, 1, "9/22/26"},
        {"level 1 also in 24-hour mode", true, 1, "9/22/26"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings.UseMilitaryTime = c.use24Hour;
        settings.DisplayLevel = c.displayLevel;
        start(kSep22At150742);
        tick->UpdateClocks();
        tick->UpdateClocks();
        EXPECT_EQ(window.bigTime, QStringLiteral("3:07")) << "the big panel is always 12-hour";
        EXPECT_EQ(window.caption, QString::fromLatin1(c.caption));
    }
}

TEST_F(ClockTickTest, TemperatureOwnsTheCaptionOnceShown) {
    start(kSep22At150742);
    tick->UpdateClocks();
    tick->setTemperatureShown(true);
    runSeconds(90);
    EXPECT_EQ(window.captionWrites, 0);
}

TEST_F(ClockTickTest, DateDependentWorkRunsOnlyAtMinuteChanges) {
    start(SafeEncodeDateTime(2026, 9, 22, 15, 7, 0, 0));
    tick->UpdateClocks();
    runSeconds(59);
    EXPECT_EQ(window.displayUpdates, 1);
    runSeconds(1);
    EXPECT_EQ(window.displayUpdates, 2);
    EXPECT_EQ(window.bigTime, QStringLiteral("3:08"));
}

TEST_F(ClockTickTest, CalendarReturnsToTodayAtTheSixthMinuteChange) {
    settings.JumpBackMinutes = 5;
    start(SafeEncodeDateTime(2026, 9, 22, 15, 7, 30, 0));
    tick->UpdateClocks();
    const DateTime elsewhere = SafeEncodeDate(2027, 3, 1);
    window.setCalendarDate(elsewhere);
    window.calendarMoves.clear();

    for (int change = 1; change <= 5; ++change) {
        runSeconds(60);
        EXPECT_EQ(window.calendar, elsewhere) << "minute change " << change;
    }
    runSeconds(60);
    ASSERT_EQ(window.calendarMoves.size(), 1u);
    EXPECT_EQ(DateOf(window.calendar), SafeEncodeDate(2026, 9, 22));

    // Moving the calendar again in between restarts the count.
    window.setCalendarDate(elsewhere);
    runSeconds(60 * 3);
    window.setCalendarDate(elsewhere);
    runSeconds(60 * 5);
    EXPECT_EQ(window.calendar, elsewhere);
    runSeconds(60);
    EXPECT_EQ(DateOf(window.calendar), SafeEncodeDate(2026, 9, 22));
}

TEST_F(ClockTickTest, NewDateAfterMidnightAndCalendarFollows) {
    settings.JumpBackMinutes = 5;
    start(SafeEncodeDateTime(2026, 12, 31, 23, 59, 0, 0));
    tick->UpdateClocks();
    runSeconds(60);
    EXPECT_EQ(window.dateLine, QStringLiteral("Friday, January 1, 2027"));
    runSeconds(60 * 6);
    EXPECT_EQ(DateOf(window.calendar), SafeEncodeDate(2027, 1, 1))
        << "the calendar follows within JumpBackMinutes + 1 minutes";
}

TEST_F(ClockTickTest, NoScheduledDownloadWithinThirtySecondsOfStart) {
    settings.UpdateWeatherPerSchedule = true;
    settings.UpdateClockPerSchedule = true;
    // Start two seconds before a minute change: that change is inside the delay.
    start(SafeEncodeDateTime(2026, 9, 22, 15, 7, 58, 0));
    tick->UpdateClocks();
    runSeconds(30);
    EXPECT_EQ(window.weatherDownloads, 0);
    EXPECT_EQ(window.clockSyncs, 0);
    runSeconds(60);
    EXPECT_EQ(window.weatherDownloads, 1) << "first minute change after the delay";
    EXPECT_EQ(window.clockSyncs, 1);
    runSeconds(60);
    EXPECT_EQ(window.weatherDownloads, 2) << "no report arrived: tried again";
}

TEST_F(ClockTickTest, WeatherDownloadsFollowTheReportInterval) {
    settings.UpdateWeatherPerSchedule = true;
    settings.UpdateWeatherMinutes = 20;
    start(SafeEncodeDateTime(2026, 9, 22, 15, 0, 10, 0));
    tick->UpdateClocks();
    std::vector<DateTime> starts;
    int seen = 0;
    for (int second = 0; second < 3 * 3600; ++second) {
        runSeconds(1);
        if (window.weatherDownloads != seen) {
            seen = window.weatherDownloads;
            starts.push_back(clock->nowLocal());
            // The report arrives a few seconds later.
            tick->setLastWeatherReportTime(clock->nowLocal() + 5.0 / 86400);
        }
    }
    ASSERT_GE(starts.size(), 5u);
    for (size_t i = 1; i < starts.size(); ++i) {
        const double minutes = (starts[i] - starts[i - 1]) * 1440;
        EXPECT_GE(minutes, 20 - 1e-3) << "download " << i;
        EXPECT_LE(minutes, 21 + 1e-3) << "download " << i;
    }
}

TEST_F(ClockTickTest, ScheduleOffMeansNoDownloads) {
    settings.UpdateWeatherPerSchedule = false;
    settings.UpdateClockPerSchedule = false;
    start(kSep22At150742);
    runSeconds(600);
    EXPECT_EQ(window.weatherDownloads, 0);
    EXPECT_EQ(window.clockSyncs, 0);
}

TEST_F(ClockTickTest, TaskBarTitleShowsTheDateWhenNoWeatherAtStart) {
    settings.UpdateWeatherOnStartup = false;
    start(kSep22At150742);
    tick->UpdateClocks();
    EXPECT_EQ(window.title, QStringLiteral("Sep 22"));

    settings.UpdateWeatherOnStartup = true;
    window.title.clear();
    runSeconds(60);
    EXPECT_TRUE(window.title.isEmpty()) << "with weather on, the temperature owns the title";
}

TEST_F(ClockTickTest, InformationWindowCaptionAndFiveSecondRefreshAcrossMidnight) {
    FakeInfoWindow info;
    window.info = &info;
    start(SafeEncodeDateTime(2026, 9, 22, 23, 59, 50, 0));
    info.clock = clock.get();
    tick->UpdateClocks();
    EXPECT_EQ(info.caption, QStringLiteral("03:07:42  PM      ")) << "local panel and zone name";
    runSeconds(20); // crosses midnight
    EXPECT_EQ(info.timePageRefreshes, 21);
    ASSERT_GE(info.planetRefreshes.size(), 4u);
    // Refreshes keep a five-second spacing, midnight included.
    for (size_t i = 1; i < info.planetRefreshes.size(); ++i) {
        const double seconds = (info.planetRefreshes[i] - info.planetRefreshes[i - 1]) * 86400;
        EXPECT_NEAR(seconds, 5, 1.5) << "refresh " << i;
    }

    settings.UseLocalTime = false;
    runSeconds(1);
    EXPECT_EQ(info.caption, QStringLiteral("08:07:42  PM      Greenwich Time (GMT)"));
}

} // namespace
} // namespace skelvane

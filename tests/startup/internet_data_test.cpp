// The weather and the internet time as the two windows show them, against fixture servers.
#include "app/settings.h"
#include "app/settings_store.h"
#include "clockwin/clock_window.h"
#include "clockwin/tray_icon.h"
#include "fixture_http_server.h"
#include "infowin/info_form.h"
#include "infowin/location_page.h"
#include "infowin/radar_page.h"
#include "infowin/time_page.h"
#include "infowin/weather_report_group.h"
#include "net/internet_time.h"
#include "net/weather_service.h"
#include "sntp_responder.h"
#include "startup/window_services.h"
#include "support/fake_clock.h"
#include "support/fake_clock_setter.h"
#include "support/qstring_printer.h"
#include "support/scoped_zone.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

namespace skelvane {
namespace {

using namespace std::chrono_literals;

class InternetDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(server.listening()) << server.error();
        settings.Latitude = 40.7128;
        settings.Longitude = -74.006;
        settings.PlaceName = QStringLiteral("New York, NY");
        settings.ShowInfoFormAtStartup = false;
        settings.WeatherServer = QString::fromStdString(server.server());
        settings.DefaultWeatherServer = settings.WeatherServer;
        settings.TrayType = u'T';
    }
    void TearDown() override {
        info.reset();
        services.reset();
        form.reset();
    }
    void makeWindows() {
        form = std::make_unique<TForm1>(settings, store, clock, TForm1::Options{true});
        form->setProcessEnder([] {});
        form->setFirewallNoticeHandler([this] { ++notices; });
        auto setter = std::make_unique<test::FakeClockSetter>();
        clockSetter = setter.get();
        form->setClockSetter(std::move(setter));
        SntpExchangeOptions quick;
        quick.timeout = 1s;
        form->internetTime().setExchangeOptions(quick);
        services = std::make_unique<WindowServices>(*form, settings, clock);
        info = std::make_unique<TInfoForm>(services->pageServices());
        form->setInfoWindow(info.get());
        form->UpdateDisplays();
    }
    void waitForWeather() {
        ASSERT_TRUE(
            QTest::qWaitFor([this] { return form->weather().downloadsRunning() == 0; }, 20000));
    }

    test::ScopedZone zone{"EST5EDT,M3.2.0,M11.1.0"};
    QTemporaryDir folder;
    SettingsStore store{folder.path()};
    fixture::FixtureHttpServer server{SKELVANE_DEMO_DATA};
    Settings settings;
    test::FakeClock clock{SafeEncodeDateTime(2024, 10, 25, 12, 1, 0, 0), -4};
    std::unique_ptr<TForm1> form;
    std::unique_ptr<WindowServices> services;
    std::unique_ptr<TInfoForm> info;
    test::FakeClockSetter* clockSetter = nullptr;
    int notices = 0;
};

TEST_F(InternetDataTest, TheFirstTickFetchesTheTemperatureForCaptionAndTray) {
    makeWindows();
    form->Timer1Timer();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Loading Temp..."));
    waitForWeather();
    EXPECT_TRUE(form->windowTitle().startsWith(QStringLiteral("57° Partly Cloudy")))
        << form->windowTitle().toStdString();
    EXPECT_FALSE(form->windowTitle().contains(QLatin1Char('\n')));
    EXPECT_EQ(form->TrayIcon->temperatureText(), QStringLiteral("57°"));
    EXPECT_TRUE(form->tick().temperatureShown());
    ASSERT_EQ(server.requests().size(), 1u);

    // The next ticks keep the temperature in the caption.
    clock.advanceSeconds(1);
    form->Timer1Timer();
    EXPECT_TRUE(form->windowTitle().startsWith(QStringLiteral("57°")));
}

TEST_F(InternetDataTest, GetWeatherFillsTheSettingsPageAndTheUnitsRedrawAtOnce) {
    makeWindows();
    info->ShowPage(kSetSheet);
    WeatherReportGroup* group = info->locationPage()->weatherGroup();
    group->GetWeatherBut2->click();
    waitForWeather();
    EXPECT_TRUE(group->WeatherMemo2->toPlainText().startsWith(
        QStringLiteral("New York City Central Park")));
    EXPECT_EQ(group->LastWeatherUpdateLab->text(),
              QStringLiteral("Oct 25, 2024 - 12:01 PM  Last Download"));
    EXPECT_EQ(group->LastWeatherTimeStampLab->text(),
              QStringLiteral("Oct 25, 2024 - 11:51 AM EDT Last Time Stamp"));

    // Celsius on the Settings2 page: the caption and the tray follow without a download.
    const std::size_t asked = server.requests().size();
    info->findChild<QAbstractButton*>(QStringLiteral("CelsiusRadio"))->click();
    EXPECT_TRUE(form->windowTitle().startsWith(QStringLiteral("14°")))
        << form->windowTitle().toStdString();
    EXPECT_EQ(form->TrayIcon->temperatureText(), QStringLiteral("14°"));
    EXPECT_EQ(server.requests().size(), asked);
}

TEST_F(InternetDataTest, TheRadarPageFetchesAtStartAndOnItsPageCommand) {
    settings.RadarServer = settings.RadarServerAlternative1 = settings.RadarServerAlternative2 =
        QString::fromStdString(server.server());
    settings.LastInfoFormTabIndex = kRadarSheet;
    settings.RadarLocationBoxIndex = 130;
    makeWindows();
    const auto radarLists = [this] {
        int lists = 0;
        for (const fixture::FixtureRequestRecord& record : server.requests())
            lists += record.path == "/ridge/RadarImg/N0R/DIX/" ? 1 : 0;
        return lists;
    };
    form->Timer1Timer();
    RadarPage* radar = info->radarPage();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !radar->busy() && radarLists() == 1; }, 20000));
    EXPECT_FALSE(radar->frame(9).isNull());
    waitForWeather();

    // The page command shows the window on the Radar page and presses "Get Radar".
    ASSERT_FALSE(info->isVisible());
    EXPECT_TRUE(info->ShowPage(kRadarSheet));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !radar->busy() && radarLists() == 2; }, 20000));
    EXPECT_EQ(info->pageIndex(), kRadarSheet);
}

TEST_F(InternetDataTest, RefusedServersGiveOneNotice) {
    settings.WeatherServer = QStringLiteral("127.0.0.1:%1").arg(fixture::ClosedLoopbackPort());
    settings.DefaultWeatherServer = settings.WeatherServer;
    makeWindows();
    form->startWeatherDownload();
    waitForWeather();
    form->startWeatherDownload();
    waitForWeather();
    EXPECT_EQ(notices, 1);
}

TEST_F(InternetDataTest, TheWeatherTextWindowGetsTheReport) {
    makeWindows();
    QStringList lines;
    QString caption;
    QObject::connect(form.get(), &TForm1::weatherTextReady,
                     [&](const QStringList& l, const QString& c) {
                         lines = l;
                         caption = c;
                     });
    form->startWeatherDownload();
    waitForWeather();
    // Then the locale's long date.
    EXPECT_TRUE(caption.startsWith(QStringLiteral("Weather 10 mins ago at 11:51 AM Friday")))
        << caption.toStdString();
    EXPECT_TRUE(caption.contains(QStringLiteral("2024")));
    ASSERT_FALSE(lines.isEmpty());
}

class InternetTimeTest : public InternetDataTest {
protected:
    void useResponder(fixture::SntpResponderOptions options) {
        responder.emplace(options);
        ASSERT_TRUE(responder->listening()) << responder->error();
        settings.TimeServer = QString::fromStdString(responder->server());
    }
    // "Get Time" on the Time page.
    void getTime() {
        info->ShowPage(kTimeSheet);
        info->findChild<QComboBox*>(QStringLiteral("TimeServerBox"))
            ->setEditText(settings.TimeServer);
        info->findChild<QPushButton*>(QStringLiteral("GetInternetTimeBut"))->click();
    }
    QString adjustText() const {
        return info->findChild<QLabel*>(QStringLiteral("AdjustLab"))->text();
    }
    // The label's wording and its seconds ("Time Difference:  2.503 Seconds"), three
    // decimals; a loaded machine moves the figure by half the round trip.
    void expectAdjust(const QString& wording, double seconds) const {
        const QString text = adjustText();
        ASSERT_TRUE(text.startsWith(wording + QStringLiteral("  "))) << text.toStdString();
        ASSERT_TRUE(text.endsWith(QStringLiteral(" Seconds"))) << text.toStdString();
        const QString figure = text.mid(wording.size() + 2).chopped(8);
        EXPECT_EQ(figure.section(QLatin1Char('.'), 1).size(), 3) << text.toStdString();
        EXPECT_NEAR(figure.toDouble(), seconds, 0.1) << text.toStdString();
    }
    std::optional<fixture::SntpResponder> responder;
};

TEST_F(InternetTimeTest, WithoutUpdatePcClockTheDifferenceIsShownAndTheClockLeftAlone) {
    useResponder({.skewMs = 2500});
    makeWindows();
    settings.UpdateClock = false;
    getTime();
    expectAdjust(QStringLiteral("Time Difference:"), 2.5);
    EXPECT_TRUE(clockSetter->requests().empty());
    EXPECT_EQ(settings.LastTimeStamp, 0.0);
    EXPECT_FALSE(info->findChild<QLineEdit*>(QStringLiteral("TimeStampEd"))->text().isEmpty());
}

TEST_F(InternetTimeTest, WithUpdatePcClockTheClockIsSetToTheServersTime) {
    useResponder({.skewMs = 2500});
    makeWindows();
    settings.UpdateClock = true;
    const double before = SystemUnixMs();
    getTime();
    const double after = SystemUnixMs();
    expectAdjust(QStringLiteral("PC Clock Adjusted:"), 2.5);
    ASSERT_EQ(clockSetter->requests().size(), 1u);
    // T1 + θ + δ: the computer's time during the exchange, moved by the server's 2.5 s lead.
    const auto target = static_cast<double>(clockSetter->requests().front());
    EXPECT_GE(target, before + 2500 - 100);
    EXPECT_LE(target, after + 2500 + 100);
    EXPECT_DOUBLE_EQ(settings.LastTimeStamp, clock.nowLocal());
    EXPECT_NEAR(settings.LastTimeAdjust * 86400, 2.5, 0.05);
}

TEST_F(InternetTimeTest, ARefusedSettingSaysWhy) {
    useResponder({});
    makeWindows();
    settings.UpdateClock = true;
    clockSetter->refuseWith(QStringLiteral("Automatic time synchronization is enabled"));
    getTime();
    EXPECT_EQ(adjustText(),
              QStringLiteral("PC Clock not set:  Automatic time synchronization is enabled"));
    EXPECT_EQ(settings.LastTimeStamp, 0.0);
}

TEST_F(InternetTimeTest, UnusableOrMissingRepliesLeaveEverythingAlone) {
    for (const fixture::SntpAnswer answer :
         {fixture::SntpAnswer::KissOfDeath, fixture::SntpAnswer::Silent}) {
        useResponder({.answer = answer});
        makeWindows();
        settings.UpdateClock = true;
        getTime();
        EXPECT_TRUE(adjustText().isEmpty());
        EXPECT_TRUE(clockSetter->requests().empty());
        EXPECT_EQ(settings.LastTimeStamp, 0.0);
        TearDown();
    }
}

TEST_F(InternetTimeTest, StartUpAndScheduleSetTheClockWhateverUpdatePcClockSays) {
    useResponder({.skewMs = -1000});
    settings.UpdateClock = false;
    settings.UpdateClockOnStartup = true;
    makeWindows();
    form->Timer1Timer(); // the start-up synchronisation waits 30 seconds
    EXPECT_TRUE(clockSetter->requests().empty());
    clock.advanceSeconds(31);
    form->Timer1Timer();
    ASSERT_EQ(clockSetter->requests().size(), 1u);
    // Worded by the setting, though the clock was set.
    expectAdjust(QStringLiteral("Time Difference:"), -1.0);

    settings.UpdateClockPerSchedule = true;
    settings.UpdateClockMinutes = 60;
    clock.advanceSeconds(60);
    form->Timer1Timer();
    EXPECT_EQ(clockSetter->requests().size(), 1u) << "the schedule waits its interval";
    clock.advanceSeconds(61 * 60);
    form->Timer1Timer();
    EXPECT_EQ(clockSetter->requests().size(), 2u);
}

} // namespace
} // namespace skelvane

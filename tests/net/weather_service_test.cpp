#include "net/weather_service.h"

#include "app/settings.h"
#include "fixture_http_server.h"
#include "fixture_proxy.h"
#include "net/download_state.h"
#include "support/fake_clock.h"
#include "support/qstring_printer.h"
#include "support/scoped_zone.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace skelvane {
namespace {

using namespace std::chrono_literals;
using fixture::ClosedLoopbackPort;
using fixture::FixtureHttpServer;
using fixture::FixtureRule;

const std::string kReportFolder = "/pub/data/observations/metar/decoded/";

class WeatherServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.listening()) << server.error();
        settings.WeatherServer = QString::fromStdString(server.server());
        settings.DefaultWeatherServer = QString::fromStdString(server.server());
        settings.WeatherStationCode = QStringLiteral("KNYC");
        HttpLimits limits;
        limits.connect = 2s;
        limits.stall = 1s;
        downloads.setLimits(limits);
        QObject::connect(&downloads, &DownloadState::firewallNotice, [this] { ++notices; });
    }
    // Starts a download and waits until every download has ended.
    void fetch(const QString& code, bool update = true) {
        service.GetWeather(code, update);
        waitForDownloads();
    }
    void waitForDownloads() {
        ASSERT_TRUE(QTest::qWaitFor([this] { return service.downloadsRunning() == 0; }, 20000))
            << "a download did not end";
    }
    std::vector<std::string> pathsAsked() const {
        std::vector<std::string> paths;
        for (const fixture::FixtureRequestRecord& record : server.requests())
            paths.push_back(record.path);
        return paths;
    }
    static std::string ClosedServer() {
        return "127.0.0.1:" + std::to_string(ClosedLoopbackPort());
    }

    test::ScopedZone zone{"EST5EDT,M3.2.0,M11.1.0"};
    FixtureHttpServer server{SKELVANE_DEMO_DATA};
    Settings settings;
    // Ten minutes after the demo KNYC report (2024-10-25 15:51 UTC).
    test::FakeClock clock{SafeEncodeDateTime(2024, 10, 25, 12, 1, 0, 0), -4};
    DownloadState downloads{settings};
    WeatherService service{settings, clock, downloads};
    int notices = 0;
};

TEST_F(WeatherServiceTest, AReportShowsItsTemperatureTextsAndTimes) {
    QSignalSpy shown(&service, &WeatherService::temperatureShown);
    QSignalSpy window(&service, &WeatherService::textWindowFilled);
    QSignalSpy page(&service, &WeatherService::reportShown);
    QSignalSpy cleared(&service, &WeatherService::weatherMemoCleared);
    fetch(QStringLiteral("KNYC"));

    ASSERT_EQ(shown.count(), 1);
    EXPECT_EQ(shown.at(0).at(1).toString(), QStringLiteral("57°"));
    EXPECT_TRUE(shown.at(0).at(0).toString().startsWith(QStringLiteral("57° \nPartly Cloudy")))
        << shown.at(0).at(0).toString().toStdString();
    const WeatherState& state = service.state();
    EXPECT_TRUE(state.temperatureShown);
    EXPECT_DOUBLE_EQ(state.temperatureF, 57.0);
    EXPECT_EQ(state.skyText, QStringLiteral("Partly Cloudy"));
    EXPECT_DOUBLE_EQ(state.observationUtc, SafeEncodeDateTime(2024, 10, 25, 15, 51, 0, 0));
    EXPECT_DOUBLE_EQ(state.lastReportLocal, clock.nowLocal());
    EXPECT_EQ(settings.LastWeatherTimeStampStr, QStringLiteral("Oct 25, 2024 - 11:51 AM EDT "));
    // The shown report leaves out its last two lines (ob:, cycle:).
    ASSERT_FALSE(state.reportLines.isEmpty());
    EXPECT_FALSE(state.reportLines.join('\n').contains(QStringLiteral("cycle:")));

    ASSERT_EQ(window.count(), 1);
    EXPECT_EQ(window.at(0).at(1).toString(),
              QStringLiteral("Weather 10 mins ago at 11:51 AM Friday, October 25, 2024"));
    const QStringList windowLines = window.at(0).at(0).toStringList();
    // The heading, wrapped at 50 columns into two lines, is whole again in the window.
    EXPECT_EQ(windowLines.first(),
              QStringLiteral("New York City Central Park, NY, United States(KNYC) 40-47N "
                             "073-58W 47M"));
    ASSERT_EQ(page.count(), 1);
    EXPECT_EQ(page.at(0).at(1).toString(), QStringLiteral("KNYC"));
    EXPECT_EQ(cleared.count(), 1);
}

TEST_F(WeatherServiceTest, StationCodesAskForTheRightReport) {
    fetch(QStringLiteral("knyc"));
    fetch(QStringLiteral("abc")); // not four characters: the default station
    fetch(QStringLiteral("K/.."));
    const std::string knyc = kReportFolder + "KNYC.TXT";
    EXPECT_EQ(pathsAsked(), (std::vector<std::string>{knyc, knyc, knyc}));
}

TEST_F(WeatherServiceTest, TheDefaultServerAnswersWhenTheFirstFails) {
    settings.WeatherServer = QString::fromStdString(ClosedServer());
    fetch(QStringLiteral("KNYC"));
    EXPECT_TRUE(service.state().temperatureShown);
    EXPECT_EQ(settings.WeatherServer.toStdString(), server.server())
        << "the default server stays in use for the rest of the run";
    EXPECT_EQ(notices, 0) << "the first server's refusal is no firewall notice";
}

TEST_F(WeatherServiceTest, TwoRefusalsShowTheNoticeOnce) {
    settings.WeatherServer = QString::fromStdString(ClosedServer());
    settings.DefaultWeatherServer = settings.WeatherServer;
    fetch(QStringLiteral("KNYC"));
    fetch(QStringLiteral("KNYC"));
    EXPECT_EQ(notices, 1);
    EXPECT_TRUE(downloads.connectionRefused);
    EXPECT_FALSE(service.state().temperatureShown);
}

TEST_F(WeatherServiceTest, FailuresChangeNothingShown) {
    fetch(QStringLiteral("KNYC"));
    const WeatherState before = service.state();
    QSignalSpy shown(&service, &WeatherService::temperatureShown);

    const struct {
        const char* name;
        FixtureRule rule;
        bool siteNotAvailable;
    } rows[] = {
        {"an HTML page", FixtureRule::htmlPage(), false},
        {"a two-line body",
         FixtureRule::exactBody("Station\nTime / 2024.10.25 1651 UTC\n", "text/plain", 200), false},
        {"an error status", FixtureRule::errorPage(500), true},
        {"a body cut short", FixtureRule::shortBody(200), true},
        {"a stalled server", FixtureRule::stall(), true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        server.setRule(kReportFolder + "KNYC.TXT", row.rule);
        const auto started = std::chrono::steady_clock::now();
        fetch(QStringLiteral("KNYC"));
        EXPECT_LT(std::chrono::steady_clock::now() - started, 10s) << "bounded by the time-outs";
        server.releaseStalls();
        const WeatherState& after = service.state();
        EXPECT_EQ(shown.count(), 0);
        EXPECT_EQ(after.temperatureText, before.temperatureText);
        EXPECT_EQ(after.observationUtc, before.observationUtc);
        EXPECT_EQ(after.lastReportLocal, before.lastReportLocal);
        if (row.siteNotAvailable)
            EXPECT_EQ(after.reportLines, QStringList{QStringLiteral("Site not available")});
        else
            EXPECT_EQ(after.reportLines, before.reportLines);
    }
}

TEST_F(WeatherServiceTest, AThreeLineBodyIsAReportWithoutATemperature) {
    QSignalSpy shown(&service, &WeatherService::temperatureShown);
    QSignalSpy page(&service, &WeatherService::reportShown);
    fetch(QStringLiteral("KMTP")); // the demo's three-line report
    EXPECT_EQ(shown.count(), 0);
    EXPECT_FALSE(service.state().temperatureShown);
    ASSERT_EQ(page.count(), 1);
    const QString shownText = service.state().reportLines.join('\n');
    EXPECT_TRUE(shownText.startsWith(QStringLiteral("Montauk Airport"))) << shownText.toStdString();
    EXPECT_FALSE(shownText.contains(QStringLiteral("UTC")) ||
                 shownText.contains(QStringLiteral("ob:")))
        << "only the heading: the last two lines are not shown";
    EXPECT_NE(service.state().lastReportLocal, 0.0)
        << "the report time counts, so the schedule waits its interval";
}

TEST_F(WeatherServiceTest, OnlyTheUpdatingStationMovesTheClock) {
    QSignalSpy shown(&service, &WeatherService::temperatureShown);
    service.GetWeatherBut2Click(QStringLiteral("Seattle"), QStringLiteral("KSEA"));
    waitForDownloads();
    EXPECT_EQ(shown.count(), 0) << "another station's report leaves the clock alone";
    EXPECT_EQ(service.state().currentStationCode, QStringLiteral("KSEA"));
    EXPECT_EQ(service.state().lastReportLocal, 0.0);
    EXPECT_FALSE(service.state().reportLines.isEmpty());

    service.GetWeatherBut2Click(QStringLiteral("New York"), QStringLiteral("KNYC"));
    waitForDownloads();
    EXPECT_EQ(shown.count(), 1) << "the saved station's report updates the clock";
}

TEST_F(WeatherServiceTest, ChangingUnitsShowsTheStoredReportAgain) {
    fetch(QStringLiteral("KNYC"));
    QSignalSpy shown(&service, &WeatherService::temperatureShown);
    settings.TemperatureUnits = u'C';
    service.TemperatureUnitsChanged();
    ASSERT_EQ(shown.count(), 1);
    EXPECT_EQ(shown.at(0).at(1).toString(), QStringLiteral("14°"));
    EXPECT_TRUE(service.state().weatherText.contains(QStringLiteral("Kph")))
        << service.state().weatherText.toStdString();
    EXPECT_EQ(server.requests().size(), 1u) << "nothing is downloaded again";
}

TEST_F(WeatherServiceTest, DownloadsRunOffTheUserInterfaceThread) {
    server.setRule(kReportFolder + "KNYC.TXT", FixtureRule::delayed(600ms));
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(20);
    fetch(QStringLiteral("KNYC"));
    EXPECT_GE(ticks, 10) << "the event loop kept running while the report came";
    EXPECT_TRUE(service.state().temperatureShown);
}

TEST(ProxyInForce, NeedsTheBoxAHostAndAPort) {
    Settings settings;
    settings.ProxyServer = QStringLiteral("proxy.example.org");
    settings.ProxyPort = 3128;
    EXPECT_TRUE(ProxyInForce(settings).host.isEmpty()) << "the box is off";
    settings.UseProxyServer = true;
    EXPECT_EQ(ProxyInForce(settings).host, QStringLiteral("proxy.example.org"));
    settings.ProxyPort = 0;
    EXPECT_TRUE(ProxyInForce(settings).host.isEmpty()) << "port 0";
    settings.ProxyPort = 3128;
    settings.ProxyServer = QStringLiteral("  ");
    EXPECT_TRUE(ProxyInForce(settings).host.isEmpty()) << "no host";
}

TEST_F(WeatherServiceTest, TheProxyGetsTheCredentialsWithTheFirstRequest) {
    fixture::FixtureProxy proxy({"skelvane", "s3cret:pass", {}});
    ASSERT_TRUE(proxy.listening()) << proxy.error();
    settings.UseProxyServer = true;
    settings.ProxyServer = QStringLiteral("127.0.0.1");
    settings.ProxyPort = proxy.port();
    settings.ProxyUserName = QStringLiteral("skelvane");
    settings.ProxyPassword = QStringLiteral("s3cret:pass");
    fetch(QStringLiteral("KNYC"));
    EXPECT_TRUE(service.state().temperatureShown);
    const auto records = proxy.requests();
    ASSERT_GE(records.size(), 1u);
    EXPECT_EQ(records.front().header("Proxy-Authorization"),
              fixture::BasicCredentials("skelvane", "s3cret:pass"))
        << "sent pre-emptively, not after a 407";
    EXPECT_EQ(records.front().status, 200);
}

} // namespace
} // namespace skelvane

#include "fetch/fetch.h"

#include "fixture_http_server.h"
#include "net/gif_decoder.h"
#include "sntp_responder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>

namespace skelvane::fetch {
namespace {

using fixture::FixtureHttpServer;
using fixture::FixtureRule;

struct FetchRun {
    int status = 0;
    std::string out, err;
};

FetchRun Fetch(std::vector<std::string> words) {
    std::ostringstream out, err;
    FetchRun run;
    run.status = RunFetch(words, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

class FetchTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.listening()) << server.error(); }
    std::vector<std::string> weather(const std::string& station) const {
        return {"weather", "--station", station, "--server", server.server(), "--json"};
    }
    FixtureHttpServer server{SKELVANE_DEMO_DATA};
};

TEST_F(FetchTest, WeatherPrintsTheReportAsOneObject) {
    const FetchRun run = Fetch(weather("knyc"));
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string url =
        "http://" + server.server() + "/pub/data/observations/metar/decoded/KNYC.TXT";
    EXPECT_EQ(run.out.rfind(
                  "{\"status\":\"ok\",\"url\":\"" + url +
                      "\",\"temperature_f\":57,\"temperature_text\":\"57°\","
                      "\"sky\":\"Partly Cloudy\",\"weather_text\":\"Partly Cloudy \\n12 Mph \\n",
                  0),
              0u)
        << run.out;
    EXPECT_NE(run.out.find("\"observed_utc\":\"2024-10-25T15:51:00Z\""), std::string::npos);
    EXPECT_NE(run.out.find("\"lines\":[\"New York City Central Park, NY, United States\","),
              std::string::npos)
        << run.out;
}

TEST_F(FetchTest, WeatherFailuresHaveTheirStatusAndExitOne) {
    server.setRule("/pub/data/observations/metar/decoded/KHTM.TXT", FixtureRule::htmlPage());
    server.setRule("/pub/data/observations/metar/decoded/KTWO.TXT",
                   FixtureRule::exactBody("a\nb\n", "text/plain", 200));
    const struct {
        std::vector<std::string> words;
        const char* status;
    } rows[] = {
        {weather("KHTM"), "html"},
        {weather("KTWO"), "short"},
        {weather("KXYZ"), "failed"}, // not on the server
        {{"weather", "--station", "KNYC", "--json", "--server",
          "127.0.0.1:" + std::to_string(fixture::ClosedLoopbackPort())},
         "refused"},
    };
    for (const auto& row : rows) {
        const FetchRun run = Fetch(row.words);
        EXPECT_EQ(run.status, 1) << row.status;
        EXPECT_EQ(run.out.rfind(std::string("{\"status\":\"") + row.status + "\"", 0), 0u)
            << run.out;
        EXPECT_NE(run.out.find("\"temperature_f\":null"), std::string::npos) << run.out;
    }
}

TEST_F(FetchTest, BadArgumentsExitTwoWithOneLine) {
    const std::vector<std::string> bad[] = {
        {},
        {"radar-of-the-future"},
        {"weather"},
        {"weather", "--station", "KNYC", "--units", "K"},
        {"weather", "--station", "KNYC", "--server", "evil.example/x?"},
        {"time", "--server", "host:99999"},
        {"weather", "--station", "KNYC", "--bogus"},
    };
    for (const auto& words : bad) {
        const FetchRun run = Fetch(words);
        EXPECT_EQ(run.status, 2) << (words.empty() ? "" : words.front());
        EXPECT_FALSE(run.err.empty());
    }
}

TEST_F(FetchTest, SettingsAreReadAndNeverWritten) {
    QTemporaryDir folder;
    const QString conf = folder.filePath(QStringLiteral("Skelvane.conf"));
    QFile file(conf);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("[Settings]\nWeatherServer=") + server.server().c_str() +
               "\nTemperatureUnits=C\n");
    file.close();
    const QByteArray before = [&] {
        QFile f(conf);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    const FetchRun run = Fetch(
        {"weather", "--station", "KNYC", "--settings-dir", folder.path().toStdString(), "--json"});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("\"temperature_text\":\"14°\""), std::string::npos) << run.out;
    QFile after(conf);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 1) << "nothing else written";
}

TEST(FetchTime, OneExchangeNeverSettingTheClock) {
    fixture::SntpResponder skewed({.skewMs = 2500});
    ASSERT_TRUE(skewed.listening());
    const FetchRun ok = Fetch({"time", "--server", skewed.server(), "--json"});
    ASSERT_EQ(ok.status, 0) << ok.out << ok.err;
    EXPECT_EQ(ok.out.rfind("{\"status\":\"ok\",\"server_utc\":\"", 0), 0u) << ok.out;
    EXPECT_NE(ok.out.find("\"stratum\":2"), std::string::npos) << ok.out;
    const std::size_t at = ok.out.find("\"offset_ms\":");
    ASSERT_NE(at, std::string::npos);
    EXPECT_NEAR(std::stod(ok.out.substr(at + 12)), 2500, 100) << ok.out;

    fixture::SntpResponder kiss({.answer = fixture::SntpAnswer::KissOfDeath});
    const FetchRun unusable = Fetch({"time", "--server", kiss.server(), "--json"});
    EXPECT_EQ(unusable.status, 1);
    EXPECT_EQ(
        unusable.out.rfind(
            "{\"status\":\"unusable\",\"reason\":\"stratum 0 (RATE)\",\"server_utc\":null", 0),
        0u)
        << unusable.out;
    EXPECT_NE(unusable.out.find("\"reference_id\":\"RATE\""), std::string::npos);

    fixture::SntpResponder silent({.answer = fixture::SntpAnswer::Silent});
    const FetchRun timeout =
        Fetch({"time", "--server", silent.server(), "--timeout-ms", "300", "--json"});
    EXPECT_EQ(timeout.status, 1);
    EXPECT_EQ(timeout.out.rfind("{\"status\":\"timeout\"", 0), 0u) << timeout.out;
}

class FetchRadarTest : public FetchTest {
protected:
    void SetUp() override {
        FetchTest::SetUp();
        ASSERT_TRUE(out.isValid());
    }
    std::vector<std::string> radar(std::vector<std::string> extra) const {
        std::vector<std::string> words = {
            "radar",         "--server",      server.server(),
            "--alt1",        server.server(), "--alt2",
            server.server(), "--out",         out.path().toStdString(),
            "--json"};
        words.insert(words.end(), extra.begin(), extra.end());
        return words;
    }
    QStringList written() const { return QDir(out.path()).entryList(QDir::Files, QDir::Name); }
    QTemporaryDir out;
};

TEST_F(FetchRadarTest, ASiteDownloadPrintsItsFramesLayersAndWarnings) {
    const FetchRun run = Fetch(radar({"--view", "120", "--warn-text", "--frames", "3"}));
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(run.out.rfind("{\"status\":\"ok\",\"view\":120,\"site\":\"OKX\",\"product\":"
                            "\"N0R\",\"active_host\":\"regional\",\"frames\":[{\"name\":"
                            "\"OKX_20240915_1715_N0R.gif\",\"utc\":\"2024-09-15T17:15:00Z\"},",
                            0),
              0u)
        << run.out;
    EXPECT_NE(run.out.find("\"layers_loaded\":[\"topo\",\"radar\",\"counties\",\"rivers\","
                           "\"highways\",\"cities\",\"warnings\",\"rangering\",\"legend\"]"),
              std::string::npos)
        << run.out;
    // The demo tree's newest OKX warnings: tornado, severe weather and flash flood.
    EXPECT_NE(run.out.find("\"warnings\":{\"extreme_weather\":false,\"tornado\":true,"
                           "\"severe_weather\":true,\"flash_flood\":true}"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(written(), QStringList{QStringLiteral("frame-03.png")}) << "only the newest";
    const QImage frame(QDir(out.path()).filePath(QStringLiteral("frame-03.png")));
    EXPECT_EQ(frame.size(), QSize(600, 550));
}

TEST_F(FetchRadarTest, AnimatingWritesEveryFrameAndTheLoop) {
    const FetchRun run = Fetch(radar({"--view", "14", "--product", "0", "--frames", "4",
                                      "--animate", "--layers", "radar,legend", "--zoom", "2"}));
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("\"site\":\"AHG\",\"product\":\"NOZ\""), std::string::npos);
    EXPECT_NE(run.out.find("\"layers_loaded\":[\"radar\",\"legend\"]"), std::string::npos)
        << run.out;
    EXPECT_EQ(written(), (QStringList{"animation.gif", "frame-01.png", "frame-02.png",
                                      "frame-03.png", "frame-04.png"}));
    EXPECT_EQ(QImage(QDir(out.path()).filePath(QStringLiteral("frame-01.png"))).size(),
              QSize(1200, 1100));
    QFile gif(QDir(out.path()).filePath(QStringLiteral("animation.gif")));
    ASSERT_TRUE(gif.open(QIODevice::ReadOnly));
    const auto loop = GifDecoder().decode(gif.readAll());
    ASSERT_TRUE(loop);
    EXPECT_EQ(loop->frames.size(), 4u);
    EXPECT_EQ(loop->loopCount, 0);
}

TEST_F(FetchRadarTest, AMosaicIsFetchedFromTheSecondAlternative) {
    const FetchRun still = Fetch(radar({"--view", "0"}));
    ASSERT_EQ(still.status, 0) << still.out << still.err;
    EXPECT_EQ(still.out.rfind("{\"status\":\"ok\",\"view\":0,\"site\":null,\"product\":null,"
                              "\"active_host\":\"alternative2\",\"frames\":[{\"name\":"
                              "\"latest_Small.gif\",\"utc\":null}]",
                              0),
              0u)
        << still.out;
    EXPECT_EQ(QImage(QDir(out.path()).filePath(QStringLiteral("frame-01.png"))).size(),
              QSize(600, 282));

    const FetchRun loop = Fetch(radar({"--view", "1", "--animate", "--zoom", "2"}));
    ASSERT_EQ(loop.status, 0) << loop.out << loop.err;
    EXPECT_EQ(QImage(QDir(out.path()).filePath(QStringLiteral("frame-01.png"))).size(),
              QSize(3400, 1600))
        << "the large map is never zoomed";
    EXPECT_TRUE(written().contains(QStringLiteral("animation.gif")));
    const std::string path = server.requests().back().path;
    EXPECT_EQ(path, "/Conus/Loop/NatLoop.gif");
}

TEST_F(FetchRadarTest, FailuresAndBadArguments) {
    const std::string closed = "127.0.0.1:" + std::to_string(fixture::ClosedLoopbackPort());
    const FetchRun refused = Fetch({"radar", "--view", "120", "--server", closed, "--alt1", closed,
                                    "--alt2", closed, "--out", out.path().toStdString(), "--json"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out.rfind("{\"status\":\"refused\"", 0), 0u) << refused.out;

    for (const std::vector<std::string>& words :
         {radar({"--view", "169"}), radar({"--view", "120", "--zoom", "3"}),
          radar({"--view", "120", "--layers", "topo,stars"}),
          radar({"--view", "120", "--home", "40.7"}),
          radar({"--view", "120", "--server", "http://x"}),
          std::vector<std::string>{"radar", "--view", "120"}}) {
        const FetchRun bad = Fetch(words);
        EXPECT_EQ(bad.status, 2) << bad.out;
        EXPECT_FALSE(bad.err.empty());
    }
}

} // namespace
} // namespace skelvane::fetch

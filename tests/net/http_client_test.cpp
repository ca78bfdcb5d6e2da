#include "net/event_loop_wait.h"
#include "net/http_client.h"

#include "fixture_http_server.h"

#include <QThread>
#include <QTimer>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace skelvane {
namespace {

// A loopback port that nothing listens on: bound once to learn a free number, then closed.
int ClosedLoopbackPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), length);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

TEST(HttpClient, AClosedPortIsARefusal) {
    HttpClient client(HttpClient::Options{});
    const HttpResult result =
        client.get(QStringLiteral("http://127.0.0.1:%1/pub/data/x.TXT").arg(ClosedLoopbackPort()));
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.failure, HttpFailure::Refused);
    EXPECT_TRUE(result.refused());
    EXPECT_FALSE(result.errorText.isEmpty());
}

TEST(HttpClient, OnlyWebAddressesAreFetched) {
    HttpClient client(HttpClient::Options{});
    for (const char* url : {"file:///etc/passwd", "ftp://127.0.0.1/x", "not an address"}) {
        const HttpResult result = client.get(QString::fromLatin1(url));
        EXPECT_FALSE(result.ok()) << url;
        EXPECT_TRUE(result.body.isEmpty()) << url;
    }
}

TEST(RunKeepingEventsRunning, TimersFireWhileTheWorkRuns) {
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(10);
    bool done = false;
    RunKeepingEventsRunning([&done] {
        QThread::msleep(200);
        done = true;
    });
    EXPECT_TRUE(done);
    EXPECT_GE(ticks, 5) << "the event loop stood still while the work ran";
}

using namespace std::chrono_literals;
using fixture::FixtureHttpServer;
using fixture::FixtureRule;

class HttpClientFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.listening()) << server.error(); }
    HttpClient quickClient() {
        HttpClient::Options options;
        options.limits.connect = 2s;
        options.limits.stall = 1s;
        options.limits.maxBody = 4096;
        return HttpClient(options);
    }
    QString url(const std::string& path) const { return QString::fromStdString(server.url(path)); }
    FixtureHttpServer server{SKELVANE_DEMO_DATA};
};

TEST_F(HttpClientFixture, FailuresAreClassifiedAndBounded) {
    const std::string report = "/pub/data/observations/metar/decoded/KNYC.TXT";
    const struct {
        const char* name;
        FixtureRule rule;
        HttpFailure failure;
    } rows[] = {
        {"served", FixtureRule::exactBody("hello", "text/plain", 200), HttpFailure::None},
        {"error status", FixtureRule::errorPage(404), HttpFailure::HttpStatus},
        {"reset at once", FixtureRule::refuse(), HttpFailure::Other},
        {"cut short", FixtureRule::shortBody(100), HttpFailure::Other},
        {"stalled", FixtureRule::stall(), HttpFailure::TimedOut},
        {"stalled mid-body", FixtureRule::stallBody(10), HttpFailure::TimedOut},
        {"too large", FixtureRule::exactBody(std::string(5000, 'x'), "text/plain", 200),
         HttpFailure::TooLarge},
    };
    HttpClient client = quickClient();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        server.setRule(report, row.rule);
        const auto started = std::chrono::steady_clock::now();
        const HttpResult result = client.get(url(report));
        // libcurl judges the speed over a window of about six seconds, so a body that
        // stalls after a few bytes is abandoned some seconds after the 1 s limit.
        EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
        EXPECT_EQ(result.failure, row.failure) << result.errorText.toStdString();
        EXPECT_EQ(result.ok(), row.failure == HttpFailure::None);
        EXPECT_FALSE(result.refused()) << "only a closed port is a refusal";
        server.releaseStalls();
    }
}

TEST_F(HttpClientFixture, RedirectsAreFollowedAndTheInteractiveIdentitySent) {
    server.setRule(
        "/old", FixtureRule::redirect(server.url("/pub/data/observations/metar/decoded/KNYC.TXT")));
    HttpClient client(InteractiveClientOptions());
    QStringList status;
    client.setStatusHandler([&status](const QString& line) { status << line; });
    const HttpResult result = client.get(url("/old"));
    ASSERT_TRUE(result.ok()) << result.errorText.toStdString();
    EXPECT_TRUE(result.body.startsWith("New York City Central Park"));
    EXPECT_TRUE(result.finalUrl.endsWith(QStringLiteral("KNYC.TXT")));
    const auto records = server.requests();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records.back().header("User-Agent"),
              "Mozilla/4.0 (compatible; MSIE 5.5; Windows NT 5.0)");
    EXPECT_EQ(records.back().header("Accept"), "text/html, */*");
    EXPECT_FALSE(status.isEmpty()) << "progress texts for the status log";
}

TEST_F(HttpClientFixture, TheAnswersCacheControlComesBackThroughTheHelper) {
    const struct {
        const char* name;
        std::vector<std::pair<std::string, std::string>> headers;
        QByteArray expected;
    } rows[] = {
        {"none", {}, {}},
        {"max-age", {{"Cache-Control", "public, max-age=300"}}, "public, max-age=300"},
        {"no-store", {{"Cache-Control", "no-store"}}, "no-store"},
    };
    HttpClient client = quickClient();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FixtureRule rule = FixtureRule::exactBody("body", "text/plain", 200);
        rule.headers = row.headers;
        server.setRule("/cached", rule);
        const HttpResult result = client.get(url("/cached"));
        ASSERT_TRUE(result.ok()) << result.errorText.toStdString();
        EXPECT_EQ(result.cacheControl, row.expected);
    }
}

} // namespace
} // namespace skelvane

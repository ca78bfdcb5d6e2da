// The fixture server's command line and the failure modes as written on it.

#include "fixture_server_options.h"

#include <gtest/gtest.h>

namespace skelvane::fixture {
namespace {

using namespace std::chrono_literals;
using Arguments = std::vector<std::string>;

TEST(FixtureServerOptions, ReadsEveryOptionInBothForms) {
    std::string error;
    const std::optional<FixtureServerOptions> options = ParseFixtureServerArguments(
        {"--root", "/srv/demo", "--port=8089", "--sntp-port", "0", "--proxy-port=3128",
         "--proxy-user", "skel", "--proxy-password=a=b", "--fail",
         "/pub/data/observations/metar/decoded/KNYC.TXT=stall", "--fail=/ridge/*=status=503"},
        error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->root, "/srv/demo");
    EXPECT_EQ(options->port, 8089);
    EXPECT_EQ(options->sntpPort, std::uint16_t{0});
    EXPECT_EQ(options->proxyPort, std::uint16_t{3128});
    EXPECT_EQ(options->proxyUser, "skel");
    EXPECT_EQ(options->proxyPassword, "a=b");
    ASSERT_EQ(options->failures.size(), 2u);
    EXPECT_EQ(options->failures[0].path, "/pub/data/observations/metar/decoded/KNYC.TXT");
    EXPECT_FALSE(options->failures[0].prefix);
    EXPECT_EQ(options->failures[0].rule.behaviour, FixtureBehaviour::Stall);
    EXPECT_EQ(options->failures[1].path, "/ridge/");
    EXPECT_TRUE(options->failures[1].prefix);
    EXPECT_EQ(options->failures[1].rule.status, 503);
}

TEST(FixtureServerOptions, WithoutOptionsServesTheDemoTreeOnAnyPort) {
    std::string error;
    const std::optional<FixtureServerOptions> options = ParseFixtureServerArguments({}, error);
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->root.empty());
    EXPECT_EQ(options->port, 0);
    EXPECT_FALSE(options->sntpPort);
    EXPECT_FALSE(options->proxyPort);
    EXPECT_TRUE(options->failures.empty());
}

TEST(FixtureServerOptions, RefusesWhatItCannotRead) {
    const Arguments cases[] = {
        {"--port"},
        {"--port", "65536"},
        {"--port", "-1"},
        {"--port", "80x"},
        {"--sntp-port", ""},
        {"--root", ""},
        {"--verbose"},
        {"extra"},
        {"--fail", "KNYC.TXT=stall"},
        {"--fail", "/KNYC.TXT"},
        {"--fail", "/KNYC.TXT=sleep"},
        {"--proxy-user", "skel"},
        {"--proxy-port", "0", "--proxy-password", "p"},
    };
    for (const Arguments& arguments : cases) {
        std::string error;
        EXPECT_FALSE(ParseFixtureServerArguments(arguments, error)) << arguments.front();
        EXPECT_FALSE(error.empty()) << arguments.front();
    }
}

TEST(FixtureRuleText, ReadsEachModeWithItsValue) {
    struct Case {
        const char* text;
        FixtureBehaviour behaviour;
        int status;
        std::size_t bytes;
        std::size_t bytesPerSecond;
        std::chrono::milliseconds delay;
        const char* location;
    };
    const Case cases[] = {
        {"refuse", FixtureBehaviour::Refuse, 0, kHalfTheBody, 100, 0ms, ""},
        {"stall", FixtureBehaviour::Stall, 0, kHalfTheBody, 100, 0ms, ""},
        {"stall-body", FixtureBehaviour::StallBody, 0, kHalfTheBody, 100, 0ms, ""},
        {"stall-body=12", FixtureBehaviour::StallBody, 0, 12, 100, 0ms, ""},
        {"short", FixtureBehaviour::Short, 0, kHalfTheBody, 100, 0ms, ""},
        {"short=0", FixtureBehaviour::Short, 0, 0, 100, 0ms, ""},
        {"slow", FixtureBehaviour::Slow, 0, kHalfTheBody, 100, 0ms, ""},
        {"slow=2000", FixtureBehaviour::Slow, 0, kHalfTheBody, 2000, 0ms, ""},
        {"html", FixtureBehaviour::HtmlPage, 0, kHalfTheBody, 100, 0ms, ""},
        {"status=404", FixtureBehaviour::ErrorPage, 404, kHalfTheBody, 100, 0ms, ""},
        {"redirect=https://h/x?a=b", FixtureBehaviour::Redirect, 302, kHalfTheBody, 100, 0ms,
         "https://h/x?a=b"},
        {"redirect301=/data/", FixtureBehaviour::Redirect, 301, kHalfTheBody, 100, 0ms, "/data/"},
        {"delay=250", FixtureBehaviour::Serve, 0, kHalfTheBody, 100, 250ms, ""},
    };
    for (const Case& c : cases) {
        std::string error;
        const std::optional<FixtureRule> rule = ParseFixtureRule(c.text, error);
        ASSERT_TRUE(rule) << c.text << ": " << error;
        EXPECT_EQ(rule->behaviour, c.behaviour) << c.text;
        EXPECT_EQ(rule->status, c.status) << c.text;
        EXPECT_EQ(rule->bytes, c.bytes) << c.text;
        EXPECT_EQ(rule->bytesPerSecond, c.bytesPerSecond) << c.text;
        EXPECT_EQ(rule->delay, c.delay) << c.text;
        EXPECT_EQ(rule->location, c.location) << c.text;
    }
}

TEST(FixtureRuleText, RefusesModesItDoesNotKnowOrBadValues) {
    for (const char* text : {"", "refuse=1", "stall=5", "html=x", "slow=0", "slow=fast", "short=-1",
                             "short=", "status=99", "status=600", "status=abc", "redirect",
                             "redirect=", "delay", "delay=1s", "Refuse"}) {
        std::string error;
        EXPECT_FALSE(ParseFixtureRule(text, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

} // namespace
} // namespace skelvane::fixture

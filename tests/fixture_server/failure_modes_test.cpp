// The failures the fixture server can be told to act out, seen from the client's side of
// the connection, and how rules are matched to paths.

#include "fixture_http_server.h"
#include "raw_http_client.h"
#include "temp_tree.h"

#include <future>
#include <gtest/gtest.h>

namespace skelvane::fixture {
namespace {

using namespace std::chrono_literals;
using testing::kReportPath;
using testing::kReportText;
using testing::RawGet;
using testing::RawReply;
using testing::TempTree;

const std::string kReport(kReportText);

class FailureModesTest : public ::testing::Test {
protected:
    FailureModesTest() {
        tree_.write(std::string(kReportPath).substr(1), kReportText);
        tree_.write("ridge/RadarImg/N0R/OKX/OKX_20201201_1545_N0R.gif", "GIF89a frame");
        tree_.write("ridge/Legend/N0R/OKX/OKX_20201201_1545_N0R_Legend.gif", "GIF89a legend");
        server_ = std::make_unique<FixtureHttpServer>(tree_.path());
    }

    void SetUp() override { ASSERT_TRUE(server_->listening()) << server_->error(); }

    RawReply get(std::string_view target, std::chrono::milliseconds timeout = 5s) {
        return RawGet(server_->port(), target, "", timeout);
    }

    // A GET on a thread of its own, for answers that wait.
    std::future<RawReply> getLater(std::string target, std::chrono::milliseconds timeout) {
        return std::async(std::launch::async, [this, target, timeout] {
            return RawGet(server_->port(), target, "", timeout);
        });
    }

    FixtureRequestRecord onlyRecord() {
        const std::vector<FixtureRequestRecord> records = server_->requests();
        EXPECT_EQ(records.size(), 1u);
        return records.empty() ? FixtureRequestRecord{} : records.front();
    }

    TempTree tree_;
    std::unique_ptr<FixtureHttpServer> server_;
};

TEST_F(FailureModesTest, RefuseResetsTheConnectionWithoutAnAnswer) {
    server_->setRule(std::string(kReportPath), FixtureRule::refuse());
    const RawReply reply = get(kReportPath);
    EXPECT_TRUE(reply.connected);
    EXPECT_TRUE(reply.reset);
    EXPECT_TRUE(reply.bytes.empty()) << reply.bytes;
    const FixtureRequestRecord record = onlyRecord();
    EXPECT_EQ(record.path, kReportPath);
    EXPECT_EQ(record.status, 0);
    EXPECT_EQ(record.behaviour, "refuse");
}

TEST_F(FailureModesTest, StallSendsNothingUntilReleased) {
    server_->setRule(std::string(kReportPath), FixtureRule::stall());
    // A client with a short time-out gives up with nothing received.
    const RawReply impatient = get(kReportPath, 300ms);
    EXPECT_TRUE(impatient.timedOut);
    EXPECT_TRUE(impatient.bytes.empty());

    // A patient one is let go by releaseStalls(): the connection closes, still with nothing.
    server_->clearRequests();
    std::future<RawReply> patient = getLater(std::string(kReportPath), 10s);
    ASSERT_TRUE(server_->waitForRequests(1, 5s)); // recorded while it stalls
    EXPECT_EQ(onlyRecord().behaviour, "stall");
    EXPECT_EQ(onlyRecord().status, 0);
    EXPECT_EQ(patient.wait_for(200ms), std::future_status::timeout) << "answered while stalled";
    server_->releaseStalls();
    const RawReply released = patient.get();
    EXPECT_FALSE(released.timedOut);
    EXPECT_TRUE(released.bytes.empty());
}

TEST_F(FailureModesTest, AStallRunsOutAtItsLimit) {
    FixtureRule rule = FixtureRule::stall();
    rule.stallLimit = 200ms;
    server_->setRule(std::string(kReportPath), rule);
    const RawReply reply = get(kReportPath, 10s);
    EXPECT_FALSE(reply.timedOut);
    EXPECT_TRUE(reply.bytes.empty());
}

TEST_F(FailureModesTest, StallBodySendsTheHeadAndPartOfTheBodyThenNothing) {
    server_->setRule(std::string(kReportPath), FixtureRule::stallBody(10));
    const RawReply reply = get(kReportPath, 500ms);
    EXPECT_TRUE(reply.timedOut);
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.contentLength(), static_cast<long long>(kReport.size()));
    EXPECT_EQ(reply.body, kReport.substr(0, 10));
    EXPECT_EQ(onlyRecord().status, 200);
    EXPECT_EQ(onlyRecord().behaviour, "stall-body");
}

TEST_F(FailureModesTest, ShortAnnouncesTheWholeBodyAndClosesPartWay) {
    struct Case {
        std::size_t bytes;
        std::size_t received;
    };
    const Case cases[] = {
        {kHalfTheBody, kReport.size() / 2},
        {0, 0},
        {7, 7},
        {100000, kReport.size() - 1}, // never the whole body
    };
    for (const Case& c : cases) {
        server_->setRule(std::string(kReportPath), FixtureRule::shortBody(c.bytes));
        const RawReply reply = get(kReportPath);
        EXPECT_FALSE(reply.timedOut) << c.bytes;
        EXPECT_EQ(reply.status, 200) << c.bytes;
        EXPECT_EQ(reply.contentLength(), static_cast<long long>(kReport.size())) << c.bytes;
        EXPECT_EQ(reply.body, kReport.substr(0, c.received)) << c.bytes;
    }
}

TEST_F(FailureModesTest, ShortOfAnEmptyBodyStillFallsShort) {
    tree_.write("empty.TXT", "");
    server_->setRule("/empty.TXT", FixtureRule::shortBody());
    const RawReply reply = get("/empty.TXT");
    EXPECT_EQ(reply.contentLength(), 1);
    EXPECT_TRUE(reply.body.empty());
}

TEST_F(FailureModesTest, SlowSendsTheWholeBodyAtTheGivenRate) {
    // 40 bytes at 100 bytes a second: four pieces of ten, three pauses of 100 ms between.
    FixtureRule rule = FixtureRule::slow(100);
    rule.body = std::string(40, 's');
    server_->setRule("/slow.gif", rule);
    const RawReply reply = get("/slow.gif");
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body, rule.body);
    EXPECT_GE(reply.elapsed, 290ms);
}

TEST_F(FailureModesTest, SlowActsOnTheFileWhenNoBodyIsGiven) {
    server_->setRule(std::string(kReportPath), FixtureRule::slow(100000));
    const RawReply reply = get(kReportPath);
    EXPECT_EQ(reply.header("Content-Type"), "text/plain");
    EXPECT_EQ(reply.body, kReport);
}

TEST_F(FailureModesTest, ADelayedAnswerComesWhole) {
    server_->setRule(std::string(kReportPath), FixtureRule::delayed(300ms));
    const RawReply reply = get(kReportPath);
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body, kReport);
    EXPECT_GE(reply.elapsed, 290ms);
    EXPECT_EQ(onlyRecord().behaviour, "serve");
}

TEST_F(FailureModesTest, CannedAnswersCarryTheirStatusHeadersAndBody) {
    struct Case {
        const char* name;
        FixtureRule rule;
        int status;
        std::string location;    // expected Location; empty for none
        std::string contentType; // expected
        std::string body;        // the exact body, or (ending in "…") its start
    };
    const std::string origin = server_->origin();
    const Case cases[] = {
        {"redirect to a path", FixtureRule::redirect("/data/KNYC.TXT"), 302,
         origin + "/data/KNYC.TXT", "text/html", "<HTML>…"},
        {"moved for good", FixtureRule::redirect("/data/KNYC.TXT", 301), 301,
         origin + "/data/KNYC.TXT", "text/html", "<HTML>…"},
        {"to https", FixtureRule::redirect("https://tgftp.example.org/data/KNYC.TXT", 301), 301,
         "https://tgftp.example.org/data/KNYC.TXT", "text/html", "<HTML>…"},
        {"html instead of a report", FixtureRule::htmlPage(), 200, "", "text/html", "<HTML>…"},
        {"own html", FixtureRule::exactBody("x"), 200, "", "text/plain", "x"},
        {"not found", FixtureRule::errorPage(404), 404, "", "text/html", "<HTML>…"},
        {"server error", FixtureRule::errorPage(500), 500, "", "text/html", "<HTML>…"},
        {"exact bytes", FixtureRule::exactBody(std::string("GIF\0\xff", 5), "image/gif"), 200, "",
         "image/gif", std::string("GIF\0\xff", 5)},
        {"empty body", FixtureRule::exactBody(""), 200, "", "text/plain", ""},
        {"body with a status", FixtureRule::exactBody("busy", "text/plain", 503), 503, "",
         "text/plain", "busy"},
    };
    for (const Case& c : cases) {
        server_->clearRequests();
        server_->setRule(std::string(kReportPath), c.rule);
        const RawReply reply = get(kReportPath);
        EXPECT_EQ(reply.status, c.status) << c.name;
        EXPECT_EQ(reply.header("Location"), c.location) << c.name;
        EXPECT_EQ(reply.header("Content-Type"), c.contentType) << c.name;
        if (c.body.ends_with("…"))
            EXPECT_TRUE(reply.body.starts_with(c.body.substr(0, c.body.size() - 3)))
                << c.name << ": " << reply.body;
        else
            EXPECT_EQ(reply.body, c.body) << c.name;
        EXPECT_EQ(onlyRecord().status, c.status) << c.name;
        EXPECT_EQ(onlyRecord().behaviour, BehaviourName(c.rule.behaviour)) << c.name;
    }
}

TEST_F(FailureModesTest, RulesMatchExactPathsThenTheLongestPrefix) {
    const std::string frame = "/ridge/RadarImg/N0R/OKX/OKX_20201201_1545_N0R.gif";
    const std::string legend = "/ridge/Legend/N0R/OKX/OKX_20201201_1545_N0R_Legend.gif";
    server_->setPrefixRule("/ridge/", FixtureRule::errorPage(500));
    server_->setPrefixRule("/ridge/RadarImg/", FixtureRule::errorPage(503));
    server_->setRule(frame, FixtureRule::exactBody("exact"));
    EXPECT_EQ(get(frame).body, "exact");
    EXPECT_EQ(get("/ridge/RadarImg/N0R/OKX/").status, 503);
    EXPECT_EQ(get(legend).status, 500);
    EXPECT_EQ(get(kReportPath).status, 200); // outside every prefix

    server_->setPrefixRule("/ridge/RadarImg/", FixtureRule::errorPage(404)); // replaces
    EXPECT_EQ(get("/ridge/RadarImg/N0R/OKX/").status, 404);

    server_->clearRules();
    EXPECT_EQ(get(frame).body, "GIF89a frame");
    EXPECT_EQ(get(legend).body, "GIF89a legend");
}

TEST_F(FailureModesTest, ARuleWithACountFallsAwayAfterItsUses) {
    FixtureRule rule = FixtureRule::errorPage(503);
    rule.times = 2;
    server_->setRule(std::string(kReportPath), rule);
    EXPECT_EQ(get(kReportPath).status, 503);
    EXPECT_EQ(get(kReportPath).status, 503);
    const RawReply third = get(kReportPath);
    EXPECT_EQ(third.status, 200);
    EXPECT_EQ(third.body, kReport);
}

TEST(FixtureHttpServerStop, StoppingEndsAStallInProgress) {
    TempTree tree;
    auto server = std::make_unique<FixtureHttpServer>(tree.path());
    ASSERT_TRUE(server->listening());
    server->setRule("/stalled", FixtureRule::stall()); // ten minutes unless stopped
    std::future<RawReply> client = std::async(
        std::launch::async, [port = server->port()] { return RawGet(port, "/stalled", "", 20s); });
    ASSERT_TRUE(server->waitForRequests(1, 5s));
    server.reset();
    const RawReply reply = client.get();
    EXPECT_FALSE(reply.timedOut) << "the stall outlived its server";
    EXPECT_TRUE(reply.bytes.empty());
}

TEST(FixtureHttpServerStop, AStallEndsWhenItsClientLeaves) {
    // Workers are few; stalls whose clients have gone must give theirs back. Far more
    // abandoned stalls than workers, and the server still answers.
    TempTree tree;
    tree.write("ok.TXT", "ok");
    FixtureHttpServer server(tree.path());
    ASSERT_TRUE(server.listening());
    server.setRule("/stalled", FixtureRule::stall());
    for (int i = 0; i < 40; ++i)
        RawGet(server.port(), "/stalled", "", 30ms);
    const RawReply reply = RawGet(server.port(), "/ok.TXT", "", 10s);
    EXPECT_EQ(reply.body, "ok");
}

} // namespace
} // namespace skelvane::fixture

// The fixture proxy: its Basic credentials, what it records, and what it passes on to the
// server behind it.

#include "fixture_http_server.h"
#include "fixture_proxy.h"
#include "raw_http_client.h"
#include "temp_tree.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace skelvane::fixture {
namespace {

using namespace std::chrono_literals;
using testing::kReportPath;
using testing::kReportText;
using testing::RawExchange;
using testing::RawReply;
using testing::TempTree;

class FixtureProxyTest : public ::testing::Test {
protected:
    FixtureProxyTest() {
        tree_.write(std::string(kReportPath).substr(1), kReportText);
        FixtureProxyOptions options;
        options.user = "skel";
        options.password = "p@ss:word"; // a colon in the password: only the first one splits
        proxy_ = std::make_unique<FixtureProxy>(options);
    }

    void SetUp() override {
        ASSERT_TRUE(target_.listening()) << target_.error();
        ASSERT_TRUE(proxy_->listening()) << proxy_->error();
    }

    // A request to the proxy as a client configured with it sends one.
    RawReply viaProxy(std::string_view absoluteTarget, std::string_view extraHeaders) {
        return RawExchange(proxy_->port(), "GET " + std::string(absoluteTarget) +
                                               " HTTP/1.1\r\nHost: " + target_.server() + "\r\n" +
                                               std::string(extraHeaders) +
                                               "Proxy-Connection: Keep-Alive\r\n\r\n");
    }

    std::string reportUrl() const { return target_.url(kReportPath); }

    TempTree tree_;
    FixtureHttpServer target_{tree_.path()};
    std::unique_ptr<FixtureProxy> proxy_;
};

TEST_F(FixtureProxyTest, WithoutTheRightCredentialsTheAnswerIs407) {
    const std::string right = BasicCredentials("skel", "p@ss:word");
    const std::string cases[] = {
        "",                                                                   // none
        "Proxy-Authorization: " + BasicCredentials("skel", "wrong") + "\r\n", // wrong password
        "Proxy-Authorization: " + BasicCredentials("other", "p@ss:word") + "\r\n",
        "Proxy-Authorization: Bearer " + right.substr(6) + "\r\n", // not Basic
        "Proxy-Authorization: Basic\r\n",
        "Authorization: " + right + "\r\n", // the origin's header, not the proxy's
    };
    for (const std::string& headers : cases) {
        const RawReply reply = viaProxy(reportUrl(), headers);
        EXPECT_EQ(reply.status, 407) << headers;
        EXPECT_EQ(reply.header("Proxy-Authenticate"), "Basic realm=\"fixture\"") << headers;
    }
    EXPECT_TRUE(target_.requests().empty()) << "a request went through without credentials";
    const std::vector<FixtureRequestRecord> records = proxy_->requests();
    ASSERT_EQ(records.size(), std::size(cases));
    EXPECT_EQ(records[0].status, 407);
    EXPECT_EQ(records[0].behaviour, "proxy");
}

TEST_F(FixtureProxyTest, CredentialsSentWithTheFirstRequestAreForwardedAtOnce) {
    const std::string credentials = BasicCredentials("skel", "p@ss:word");
    EXPECT_EQ(credentials, "Basic c2tlbDpwQHNzOndvcmQ=");
    const RawReply reply = viaProxy(reportUrl(), "Proxy-Authorization: " + credentials +
                                                     "\r\nUser-Agent: Skelvane test\r\n");
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.header("Content-Type"), "text/plain");
    EXPECT_EQ(reply.body, kReportText);

    // Pre-emptive: the one and only request to the proxy carried them.
    const std::vector<FixtureRequestRecord> atProxy = proxy_->requests();
    ASSERT_EQ(atProxy.size(), 1u);
    EXPECT_EQ(atProxy[0].target, reportUrl());
    EXPECT_EQ(atProxy[0].header("Proxy-Authorization"), credentials);
    EXPECT_EQ(atProxy[0].status, 200);

    // The server behind sees an ordinary request, without the proxy's own headers.
    const std::vector<FixtureRequestRecord> atTarget = target_.requests();
    ASSERT_EQ(atTarget.size(), 1u);
    EXPECT_EQ(atTarget[0].target, kReportPath);
    EXPECT_EQ(atTarget[0].header("User-Agent"), "Skelvane test");
    EXPECT_EQ(atTarget[0].header("Host"), target_.server());
    EXPECT_EQ(std::count_if(atTarget[0].headers.begin(), atTarget[0].headers.end(),
                            [](const auto& header) { return header.first == "Host"; }),
              1);
    EXPECT_FALSE(atTarget[0].hasHeader("Proxy-Authorization"));
    EXPECT_FALSE(atTarget[0].hasHeader("Proxy-Connection"));
}

TEST_F(FixtureProxyTest, TheSchemeNameOfTheCredentialsIsReadWithoutRegardToCase) {
    const std::string token = BasicCredentials("skel", "p@ss:word").substr(6);
    EXPECT_EQ(viaProxy(reportUrl(), "Proxy-Authorization: basic " + token + "\r\n").status, 200);
}

TEST_F(FixtureProxyTest, TheServersAnswerPassesThroughAsItCame) {
    const std::string credentials =
        "Proxy-Authorization: " + BasicCredentials("skel", "p@ss:word") + "\r\n";
    target_.setRule("/moved", FixtureRule::redirect("https://tgftp.example.org/data/x.TXT", 301));
    target_.setRule("/busy", FixtureRule::exactBody("busy", "text/plain", 503));
    target_.setRule("/image", FixtureRule::exactBody(std::string("GIF\0\xff", 5), "image/gif"));

    const RawReply moved = viaProxy(target_.url("/moved"), credentials);
    EXPECT_EQ(moved.status, 301);
    EXPECT_EQ(moved.header("Location"), "https://tgftp.example.org/data/x.TXT");
    const RawReply busy = viaProxy(target_.url("/busy"), credentials);
    EXPECT_EQ(busy.status, 503);
    EXPECT_EQ(busy.body, "busy");
    const RawReply image = viaProxy(target_.url("/image?x=1"), credentials);
    EXPECT_EQ(image.header("Content-Type"), "image/gif");
    EXPECT_EQ(image.body, std::string("GIF\0\xff", 5));
    EXPECT_EQ(target_.requests().back().target, "/image?x=1");
}

TEST_F(FixtureProxyTest, RequestsItCannotPassOnGetAnErrorStatus) {
    const std::string credentials =
        "Proxy-Authorization: " + BasicCredentials("skel", "p@ss:word") + "\r\n";
    const std::string closed = "http://127.0.0.1:" + std::to_string(ClosedLoopbackPort()) + "/x";
    struct Case {
        std::string request;
        int status;
    };
    const Case cases[] = {
        {"GET " + closed + " HTTP/1.1\r\nHost: x\r\n" + credentials + "\r\n", 502},
        {"GET /origin/form HTTP/1.1\r\nHost: x\r\n" + credentials + "\r\n", 400},
        {"GET https://127.0.0.1/x HTTP/1.1\r\nHost: x\r\n" + credentials + "\r\n", 400},
        {"GET http://127.0.0.1:99999/x HTTP/1.1\r\nHost: x\r\n" + credentials + "\r\n", 400},
        {"CONNECT 127.0.0.1:443 HTTP/1.1\r\nHost: x\r\n" + credentials + "\r\n", 501},
        {"CONNECT 127.0.0.1:443 HTTP/1.1\r\nHost: x\r\n\r\n", 407},
    };
    for (const Case& c : cases) {
        const RawReply reply = RawExchange(proxy_->port(), c.request);
        EXPECT_EQ(reply.status, c.status) << c.request;
    }
}

TEST(FixtureProxy, WithoutAUserNameEveryRequestIsForwarded) {
    TempTree tree;
    tree.write("a.TXT", "a");
    FixtureHttpServer target(tree.path());
    FixtureProxy proxy(FixtureProxyOptions{});
    ASSERT_TRUE(proxy.listening());
    const RawReply reply =
        RawExchange(proxy.port(), "GET " + target.url("/a.TXT") + " HTTP/1.1\r\nHost: x\r\n\r\n");
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body, "a");
}

TEST(FixtureProxy, WithAFolderItAnswersFromThatFolder) {
    TempTree tree;
    tree.write(std::string(kReportPath).substr(1), kReportText);
    FixtureProxyOptions options;
    options.root = tree.path();
    FixtureProxy proxy(options);
    ASSERT_TRUE(proxy.listening()) << proxy.error();
    // The host named is not even there.
    const std::string host = "127.0.0.1:" + std::to_string(ClosedLoopbackPort());
    const auto get = [&](std::string_view path) {
        return RawExchange(proxy.port(), "GET http://" + host + std::string(path) +
                                             " HTTP/1.1\r\nHost: " + host + "\r\n\r\n");
    };
    const RawReply report = get(kReportPath);
    EXPECT_EQ(report.status, 200);
    EXPECT_EQ(report.body, kReportText);
    EXPECT_EQ(get("/pub/../../etc/passwd").status, 404);
    const RawReply folder = get("/pub");
    EXPECT_EQ(folder.status, 301);
    EXPECT_EQ(folder.header("Location"), "http://" + host + "/pub/");
}

} // namespace
} // namespace skelvane::fixture

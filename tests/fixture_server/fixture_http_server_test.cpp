// The fixture server's normal answers: files with their types, folders, paths that try to
// leave the served folder, and the request log.

#include "fixture_http_server.h"
#include "net/decode/radar_directory.h"
#include "raw_http_client.h"
#include "temp_tree.h"

#include <gtest/gtest.h>
#include <regex>

namespace skelvane::fixture {
namespace {

using namespace std::chrono_literals;
using testing::RawGet;
using testing::RawReply;
using testing::TempTree;

// Binary contents with a NUL and high bytes: a body handled as a C string would lose them.
const std::string kGifBytes("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00;", 20);

class FixtureHttpServerTest : public ::testing::Test {
protected:
    FixtureHttpServerTest() {
        // The served folder is tree/root; beside it lie files no request may reach.
        tree_.write("outside/secret.txt", "SECRET");
        tree_.write("rootx/secret.txt", "SECRET"); // shares the served folder's name as a prefix
        tree_.write(std::string("root") + std::string(testing::kReportPath), testing::kReportText);
        tree_.write("root/files/lower.txt", "plain");
        tree_.write("root/files/a.gif", kGifBytes);
        tree_.write("root/files/b.jpg", "\xFF\xD8\xFF\xE0 jpeg");
        tree_.write("root/files/C.JPG", "\xFF\xD8\xFF\xE0 JPEG");
        tree_.write("root/files/m.mpg", std::string("\x00\x00\x01\xBA movie", 10));
        tree_.write("root/files/p.html", "<html>page</html>");
        tree_.write("root/files/p.htm", "<html>old page</html>");
        tree_.write("root/files/x.bin", "bytes");
        tree_.write("root/files/noext", "bytes");
        tree_.write("root/frames/OKX_20201201_1545_N0R.gif", kGifBytes);
        tree_.write("root/frames/OKX_20201201_1537_N0R.gif", kGifBytes);
        tree_.write("root/frames/OKX_20201201_1529_N0R.gif", std::string(3000, 'g'));
        tree_.write("root/frames/.hidden.gif", kGifBytes);
        tree_.write("root/frames/with space.gif", kGifBytes);
        tree_.makeFolder("root/frames/older");
        tree_.write("root/withindex/index.html", "<html>own index</html>");
        tree_.write("root/withindex/other.gif", kGifBytes);
        tree_.link("root/files/inside-link.TXT", "../pub/data/observations/metar/decoded/KNYC.TXT");
        tree_.link("root/escape", "../outside");
        tree_.link("root/leak.txt", "../outside/secret.txt");
        tree_.link("root/sibling.txt", "../rootx/secret.txt");
        server_ = std::make_unique<FixtureHttpServer>(tree_.path() / "root");
    }

    void SetUp() override { ASSERT_TRUE(server_->listening()) << server_->error(); }

    RawReply get(std::string_view target, std::string_view headers = "") {
        return RawGet(server_->port(), target, headers);
    }

    TempTree tree_;
    std::unique_ptr<FixtureHttpServer> server_;
};

TEST_F(FixtureHttpServerTest, ServesEachFileWithTheTypeOfItsExtension) {
    struct Case {
        const char* target;
        const char* contentType;
        std::string body;
    };
    const Case cases[] = {
        {"/pub/data/observations/metar/decoded/KNYC.TXT", "text/plain",
         std::string(testing::kReportText)},
        {"/files/lower.txt", "text/plain", "plain"},
        {"/files/a.gif", "image/gif", kGifBytes},
        {"/files/b.jpg", "image/jpeg", "\xFF\xD8\xFF\xE0 jpeg"},
        {"/files/C.JPG", "image/jpeg", "\xFF\xD8\xFF\xE0 JPEG"},
        {"/files/m.mpg", "video/mpeg", std::string("\x00\x00\x01\xBA movie", 10)},
        {"/files/p.html", "text/html", "<html>page</html>"},
        {"/files/p.htm", "text/html", "<html>old page</html>"},
        {"/files/x.bin", "application/octet-stream", "bytes"},
        {"/files/noext", "application/octet-stream", "bytes"},
        {"/files/inside-link.TXT", "text/plain", std::string(testing::kReportText)},
        {"/files/a.gif?cache=1", "image/gif", kGifBytes},
        {"/files/%61.gif", "image/gif", kGifBytes}, // percent-encoded letter
    };
    for (const Case& c : cases) {
        const RawReply reply = get(c.target);
        EXPECT_EQ(reply.status, 200) << c.target;
        EXPECT_EQ(reply.header("Content-Type"), c.contentType) << c.target;
        EXPECT_EQ(reply.contentLength(), static_cast<long long>(c.body.size())) << c.target;
        EXPECT_EQ(reply.body, c.body) << c.target;
    }
}

TEST_F(FixtureHttpServerTest, NoPathReachesOutsideTheServedFolder) {
    const char* targets[] = {
        "/../outside/secret.txt",
        "/files/../../outside/secret.txt",
        "/%2e%2e/outside/secret.txt",
        "/%2E%2E%2Foutside%2Fsecret.txt",
        "/files/%2e%2e/%2e%2e/outside/secret.txt",
        "/..%2foutside%2fsecret.txt",
        "/files%5c..%5c..%5coutside%5csecret.txt", // backslashes
        "/escape/secret.txt",                      // a folder link leading out
        "/leak.txt",                               // a file link leading out
        "/sibling.txt",                            // out, to a folder whose name starts alike
        "/files/lower.txt%00.gif",                 // a NUL cutting the name short
        "/./files/lower.txt",                      // a "." segment, refused with the rest
        "../outside/secret.txt",                   // not starting with "/"
    };
    for (const char* target : targets) {
        const RawReply reply = get(target);
        EXPECT_EQ(reply.status, 404) << target;
        EXPECT_EQ(reply.body.find("SECRET"), std::string::npos) << target;
    }
    // The files are there: it is the path that is refused.
    EXPECT_EQ(get("/files/lower.txt").status, 200);
}

TEST_F(FixtureHttpServerTest, AMissingFileGetsAnHtmlNotFoundPage) {
    const RawReply reply = get("/pub/data/observations/metar/decoded/XXXX.TXT");
    EXPECT_EQ(reply.status, 404);
    EXPECT_EQ(reply.header("Content-Type"), "text/html");
    EXPECT_TRUE(reply.body.starts_with("<HTML>")) << reply.body;
    EXPECT_NE(reply.body.find("XXXX.TXT"), std::string::npos);
}

TEST_F(FixtureHttpServerTest, AFolderWithoutItsFinalSlashIsRedirected) {
    const RawReply reply = get("/frames");
    EXPECT_EQ(reply.status, 301);
    EXPECT_EQ(reply.header("Location"), server_->url("/frames/"));
}

TEST_F(FixtureHttpServerTest, AFolderIsListedOneLinkALineInNameOrder) {
    const RawReply reply = get("/frames/");
    ASSERT_EQ(reply.status, 200);
    EXPECT_EQ(reply.header("Content-Type"), "text/html");
    const std::string& page = reply.body;
    EXPECT_NE(page.find("<title>Index of /frames/</title>"), std::string::npos);
    EXPECT_NE(page.find("Parent Directory"), std::string::npos);
    EXPECT_EQ(page.find(".hidden"), std::string::npos);
    EXPECT_NE(page.find("<a href=\"older/\">older/</a>"), std::string::npos);
    EXPECT_NE(page.find("<a href=\"with%20space.gif\">with space.gif</a>"), std::string::npos);
    // Each file on a line of its own with its time and size.
    const std::regex line(
        R"(\n<a href="OKX_20201201_1529_N0R\.gif">OKX_20201201_1529_N0R\.gif</a> +)"
        R"(\d\d-[A-Z][a-z][a-z]-\d{4} \d\d:\d\d +3K\n)");
    EXPECT_TRUE(std::regex_search(page, line)) << page;
    EXPECT_LT(page.find("1529_N0R"), page.find("1537_N0R"));
    EXPECT_LT(page.find("1537_N0R"), page.find("1545_N0R"));

    // The program's own reader of radar directory pages finds the frames, oldest first.
    const RadarDirectoryListing listing = ReadRadarDirectory(page, "N0R", ".gif", 3);
    ASSERT_TRUE(listing.ok());
    EXPECT_EQ(listing.names,
              (std::vector<std::string>{"OKX_20201201_1529_N0R.gif", "OKX_20201201_1537_N0R.gif",
                                        "OKX_20201201_1545_N0R.gif"}));
}

TEST_F(FixtureHttpServerTest, AFolderWithAnIndexPageGetsThatPage) {
    const RawReply reply = get("/withindex/");
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body, "<html>own index</html>");
}

TEST_F(FixtureHttpServerTest, OnlyGetAndHeadAreAnswered) {
    const RawReply head = testing::RawExchange(
        server_->port(), "HEAD /files/a.gif HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(head.status, 200);
    EXPECT_EQ(head.contentLength(), static_cast<long long>(kGifBytes.size()));
    EXPECT_TRUE(head.body.empty());

    const RawReply post = testing::RawExchange(
        server_->port(), "POST /files/a.gif HTTP/1.1\r\nHost: x\r\nContent-Length: "
                         "2\r\nConnection: close\r\n\r\nhi");
    EXPECT_EQ(post.status, 405);
    EXPECT_EQ(post.header("Allow"), "GET, HEAD");
}

TEST_F(FixtureHttpServerTest, RecordsEveryRequestWithItsHeadersAndStatus) {
    std::vector<std::string> observed;
    std::mutex observedMutex;
    server_->setRequestObserver([&](const FixtureRequestRecord& record) {
        const std::lock_guard lock(observedMutex);
        observed.push_back(record.target);
    });
    get("/files/a.gif?x=1", "User-Agent: Skelvane test\r\nAccept: image/gif\r\n");
    get("/nothing/here.TXT");
    ASSERT_TRUE(server_->waitForRequests(2, 2s));

    const std::vector<FixtureRequestRecord> records = server_->requests();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].method, "GET");
    EXPECT_EQ(records[0].target, "/files/a.gif?x=1");
    EXPECT_EQ(records[0].path, "/files/a.gif");
    EXPECT_EQ(records[0].header("user-agent"), "Skelvane test");
    EXPECT_EQ(records[0].header("ACCEPT"), "image/gif");
    EXPECT_EQ(records[0].header("Host"), server_->server());
    EXPECT_FALSE(records[0].hasHeader("Cookie"));
    EXPECT_FALSE(records[0].hasHeader("REMOTE_ADDR")); // the library's own, not sent
    EXPECT_EQ(records[0].status, 200);
    EXPECT_EQ(records[0].behaviour, "serve");
    EXPECT_EQ(records[1].path, "/nothing/here.TXT");
    EXPECT_EQ(records[1].status, 404);
    {
        const std::lock_guard lock(observedMutex);
        EXPECT_EQ(observed, (std::vector<std::string>{"/files/a.gif?x=1", "/nothing/here.TXT"}));
    }
    server_->setRequestObserver(nullptr);

    server_->clearRequests();
    EXPECT_TRUE(server_->requests().empty());
    EXPECT_FALSE(server_->waitForRequests(1, 50ms));
}

TEST_F(FixtureHttpServerTest, AHandlerAnswersItsPrefixWithTheQueryItWasGiven) {
    server_->setHandler("/service/", [](const FixtureRequestRecord& record) {
        if (record.param("REQUEST") != "GetMap")
            return std::optional<FolderAnswer>();
        FolderAnswer answer;
        answer.status = 200;
        answer.contentType = "text/plain";
        answer.body = "map of " + record.param("layers") + " at " + record.param("time");
        answer.headers = {{"Cache-Control", "max-age=60"}};
        return std::optional<FolderAnswer>(answer);
    });
    server_->setHandler("/service/deeper/", [](const FixtureRequestRecord&) {
        FolderAnswer answer;
        answer.status = 200;
        answer.contentType = "text/plain";
        answer.body = "deeper";
        return std::optional<FolderAnswer>(answer);
    });

    const RawReply map =
        get("/service/ows?request=GetMap&LAYERS=kokx_sr_bref&time=2026-12-01T15%3A45%3A12.000Z");
    EXPECT_EQ(map.status, 200);
    EXPECT_EQ(map.body, "map of kokx_sr_bref at 2026-12-01T15:45:12.000Z");
    EXPECT_EQ(map.header("Cache-Control"), "max-age=60");
    EXPECT_EQ(get("/service/ows?request=GetLegend").status, 404) << "nothing: the 404 page";
    EXPECT_EQ(get("/service/deeper/x").body, "deeper") << "the longest prefix wins";
    EXPECT_EQ(get("/files/lower.txt").body, "plain") << "other paths: the folder";

    // A rule still acts on the handler's answer.
    server_->setRule("/service/ows", FixtureRule::errorPage(503));
    EXPECT_EQ(get("/service/ows?request=GetMap").status, 503);
    const std::vector<FixtureRequestRecord> records = server_->requests();
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.front().param("layers"), "kokx_sr_bref");
    EXPECT_EQ(records.front().param("missing"), "");
}

TEST_F(FixtureHttpServerTest, ARuleSendsItsHeaderLines) {
    FixtureRule rule = FixtureRule::exactBody("kept", "text/plain", 200);
    rule.headers = {{"Cache-Control", "no-store"}};
    server_->setRule("/kept", rule);
    const RawReply reply = get("/kept");
    EXPECT_EQ(reply.body, "kept");
    EXPECT_EQ(reply.header("cache-control"), "no-store");
}

TEST(FixtureHttpServer, ServesTheDemoTreeAsItStands) {
    FixtureHttpServer server(SKELVANE_DEMO_DATA);
    ASSERT_TRUE(server.listening()) << server.error();
    const RawReply reply = RawGet(server.port(), testing::kReportPath);
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.header("Content-Type"), "text/plain");
    EXPECT_TRUE(reply.body.starts_with("New York City Central Park")) << reply.body;
    EXPECT_EQ(reply.body.find('\r'), std::string::npos) << "line feeds only, as the service sends";
}

TEST(FixtureHttpServer, AFolderThatIsNotThereIsReportedNotServed) {
    FixtureHttpServer server("/nonexistent/skelvane/demo");
    EXPECT_FALSE(server.listening());
    EXPECT_NE(server.error().find("/nonexistent/skelvane/demo"), std::string::npos);
}

TEST(FixtureHttpServer, ATakenPortIsReportedNotShared) {
    TempTree tree;
    FixtureHttpServer first(tree.path());
    ASSERT_TRUE(first.listening());
    FixtureHttpServer second(tree.path(), first.port());
    EXPECT_FALSE(second.listening());
    EXPECT_FALSE(second.error().empty());
}

TEST(FixtureHttpServer, AClosedLoopbackPortRefusesTheConnection) {
    const std::uint16_t port = ClosedLoopbackPort();
    ASSERT_NE(port, 0);
    EXPECT_FALSE(RawGet(port, "/").connected);
}

} // namespace
} // namespace skelvane::fixture

// The skelvane-fixture-server program as the demo script uses it: started on any free
// port, its address read from the first line, asked for a report, stopped by a signal.

#include "raw_http_client.h"
#include "temp_tree.h"

#include <arpa/inet.h>
#include <array>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <regex>
#include <spawn.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace skelvane::fixture {
namespace {

using namespace std::chrono_literals;
using testing::RawGet;
using testing::RawReply;

// The program running with its standard output and error read through pipes.
class ServerProcess {
public:
    explicit ServerProcess(const std::vector<std::string>& arguments) {
        int out[2], err[2];
        if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
        std::vector<std::string> all{SKELVANE_FIXTURE_SERVER};
        all.insert(all.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& argument : all)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        ::close(err[1]);
        out_ = out[0];
        err_ = err[0];
    }

    ~ServerProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        for (const int fd : {out_, err_})
            if (fd >= 0)
                ::close(fd);
    }

    bool started() const { return pid_ > 0; }

    // The next line of standard output; nothing when none comes within `timeout`.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout = 5s) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (true) {
            if (const std::size_t end = pending_.find('\n'); end != std::string::npos) {
                std::string line = pending_.substr(0, end);
                pending_.erase(0, end + 1);
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd wait{out_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&wait, 1, static_cast<int>(left.count())) <= 0)
                return std::nullopt;
            char buffer[4096];
            const ssize_t count = ::read(out_, buffer, sizeof buffer);
            if (count <= 0)
                return std::nullopt;
            pending_.append(buffer, static_cast<std::size_t>(count));
        }
    }

    // Standard error until the program closes it.
    std::string readAllErrors() {
        std::string text;
        char buffer[4096];
        ssize_t count = 0;
        while ((count = ::read(err_, buffer, sizeof buffer)) > 0)
            text.append(buffer, static_cast<std::size_t>(count));
        return text;
    }

    void signal(int number) const { ::kill(pid_, number); }

    // The exit status, or nothing when the program is still running after `timeout`.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout = 5s) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(10ms);
        }
        return std::nullopt;
    }

private:
    pid_t pid_ = -1;
    int out_ = -1, err_ = -1;
    std::string pending_;
};

std::uint16_t PortOf(const std::string& line, const std::regex& pattern) {
    std::smatch match;
    if (!std::regex_match(line, match, pattern))
        return 0;
    return static_cast<std::uint16_t>(std::stoi(match[1].str()));
}

std::string DemoFile(const std::string& relative) {
    std::ifstream in(std::string(SKELVANE_DEMO_DATA) + relative, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// One SNTP request (version 4, client mode) and whether a server-mode reply came back.
bool SntpAnswers(std::uint16_t port) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    std::array<unsigned char, 48> request{};
    request[0] = (4 << 3) | 3;
    request[43] = 1; // a transmit timestamp to be echoed
    ::sendto(fd, request.data(), request.size(), 0, reinterpret_cast<sockaddr*>(&address),
             sizeof address);
    pollfd wait{fd, POLLIN, 0};
    std::array<unsigned char, 64> reply{};
    const bool answered = ::poll(&wait, 1, 3000) > 0 &&
                          ::recv(fd, reply.data(), reply.size(), 0) == 48 && (reply[0] & 7) == 4;
    ::close(fd);
    return answered;
}

TEST(FixtureServerProcess, ServesTheDemoTreeOnThePortItPrintsAndStopsOnASignal) {
    const std::string report = "/pub/data/observations/metar/decoded/KNYC.TXT";
    ServerProcess server({"--port", "0", "--sntp-port", "0", "--fail",
                          "/pub/data/observations/metar/decoded/KSEA.TXT=status=500"});
    ASSERT_TRUE(server.started());
    const std::optional<std::string> first = server.readLine();
    ASSERT_TRUE(first) << server.readAllErrors();
    const std::uint16_t port = PortOf(*first, std::regex(R"(http://127\.0\.0\.1:(\d+))"));
    ASSERT_NE(port, 0) << *first;
    const std::optional<std::string> second = server.readLine();
    ASSERT_TRUE(second);
    const std::uint16_t sntpPort = PortOf(*second, std::regex(R"(sntp://127\.0\.0\.1:(\d+))"));
    ASSERT_NE(sntpPort, 0) << *second;

    // Without --root it serves the demo tree, byte for byte.
    const RawReply reply = RawGet(port, report);
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body, DemoFile(report));
    EXPECT_FALSE(reply.body.empty());
    EXPECT_EQ(server.readLine(), "http GET " + report + " 200");

    EXPECT_EQ(RawGet(port, "/pub/data/observations/metar/decoded/KSEA.TXT").status, 500);
    EXPECT_EQ(server.readLine(),
              "http GET /pub/data/observations/metar/decoded/KSEA.TXT 500 (status)");
    EXPECT_TRUE(SntpAnswers(sntpPort));

    server.signal(SIGTERM);
    EXPECT_EQ(server.waitForExit(), 0);
    EXPECT_FALSE(RawGet(port, report).connected);
}

TEST(FixtureServerProcess, ServesTheFolderGivenAndStopsOnInterrupt) {
    testing::TempTree tree;
    tree.write("GIFS/ECIR.JPG", "\xFF\xD8\xFF\xE0");
    ServerProcess server({"--root", tree.path().string(), "--proxy-port=0"});
    const std::optional<std::string> first = server.readLine();
    ASSERT_TRUE(first) << server.readAllErrors();
    const std::uint16_t port = PortOf(*first, std::regex(R"(http://127\.0\.0\.1:(\d+))"));
    const std::optional<std::string> second = server.readLine();
    ASSERT_TRUE(second);
    const std::uint16_t proxyPort = PortOf(*second, std::regex(R"(proxy://127\.0\.0\.1:(\d+))"));
    ASSERT_NE(proxyPort, 0) << *second;

    EXPECT_EQ(RawGet(port, "/GIFS/ECIR.JPG").body, "\xFF\xD8\xFF\xE0");
    const RawReply proxied =
        testing::RawExchange(proxyPort, "GET http://127.0.0.1:" + std::to_string(port) +
                                            "/GIFS/ECIR.JPG HTTP/1.1\r\nHost: x\r\n\r\n");
    EXPECT_EQ(proxied.body, "\xFF\xD8\xFF\xE0");

    server.signal(SIGINT);
    EXPECT_EQ(server.waitForExit(), 0);
}

TEST(FixtureServerProcess, BadArgumentsAndAMissingFolderEndWithTheirExitCodes) {
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        const char* message;
    };
    const Case cases[] = {
        {{"--port", "http"}, 2, "not a port number"},
        {{"--fail", "/x=sleep"}, 2, "unknown failure mode"},
        {{"--root", "/nonexistent/skelvane"}, 1, "/nonexistent/skelvane"},
    };
    for (const Case& c : cases) {
        ServerProcess server(c.arguments);
        ASSERT_TRUE(server.started());
        EXPECT_EQ(server.waitForExit(), c.exitCode) << c.arguments.back();
        EXPECT_NE(server.readAllErrors().find(c.message), std::string::npos) << c.arguments.back();
    }
}

} // namespace
} // namespace skelvane::fixture

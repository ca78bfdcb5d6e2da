// skelvane-fixture-server: the demo tree (or another folder) served on 127.0.0.1 with the
// failure modes of the tests at hand, and the SNTP responder and the proxy beside it on
// request. See README.md in this folder.

#include "fixture_http_server.h"
#include "fixture_proxy.h"
#include "fixture_server_options.h"
#include "sntp_responder.h"

#include <csignal>
#include <cstdio>
#include <memory>
#include <mutex>
#include <pthread.h>
#include <string>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace skelvane::fixture;

std::mutex gOutput;

// One line on standard output, whole and flushed: the demo script reads the first lines.
void PrintLine(const std::string& line) {
    const std::lock_guard lock(gOutput);
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

std::string LogLine(std::string_view server, const FixtureRequestRecord& record) {
    std::string line(server);
    line += ' ' + record.method + ' ' + record.target + ' ' + std::to_string(record.status);
    if (record.behaviour != "serve" && record.behaviour != "proxy")
        line += " (" + record.behaviour + ")";
    return line;
}

fs::path ProgramFolder() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : program.parent_path();
}

fs::path DemoTree() {
    for (const fs::path& candidate :
         DemoTreeCandidates(ProgramFolder(), SKELVANE_SOURCE_DEMO_TREE)) {
        std::error_code error;
        if (fs::is_directory(candidate, error))
            return candidate;
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<FixtureServerOptions> options =
        ParseFixtureServerArguments(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "skelvane-fixture-server: %s\n%.*s", error.c_str(),
                     static_cast<int>(FixtureServerUsage().size()), FixtureServerUsage().data());
        return 2;
    }
    if (options->help) {
        std::fwrite(FixtureServerUsage().data(), 1, FixtureServerUsage().size(), stdout);
        return 0;
    }
    const fs::path root = options->root.empty() ? DemoTree() : options->root;
    if (root.empty()) {
        std::fputs("skelvane-fixture-server: no demo tree found; give --root DIR\n", stderr);
        return 1;
    }

    // Every thread started from here on leaves SIGINT and SIGTERM to sigwait below; a client
    // that goes away must not end the server.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    FixtureHttpServer http(root, options->port);
    if (!http.listening()) {
        std::fprintf(stderr, "skelvane-fixture-server: %s\n", http.error().c_str());
        return 1;
    }
    for (const FailOption& failure : options->failures) {
        if (failure.prefix)
            http.setPrefixRule(failure.path, failure.rule);
        else
            http.setRule(failure.path, failure.rule);
    }
    std::unique_ptr<SntpResponder> sntp;
    if (options->sntpPort) {
        sntp = std::make_unique<SntpResponder>(SntpResponderOptions{}, *options->sntpPort);
        if (!sntp->listening()) {
            std::fprintf(stderr, "skelvane-fixture-server: SNTP %s\n", sntp->error().c_str());
            return 1;
        }
    }
    std::unique_ptr<FixtureProxy> proxy;
    if (options->proxyPort) {
        FixtureProxyOptions proxyOptions;
        proxyOptions.user = options->proxyUser;
        proxyOptions.password = options->proxyPassword;
        proxy = std::make_unique<FixtureProxy>(proxyOptions, *options->proxyPort);
        if (!proxy->listening()) {
            std::fprintf(stderr, "skelvane-fixture-server: proxy %s\n", proxy->error().c_str());
            return 1;
        }
    }

    // The log is in place before the address goes out: a client may ask at once.
    http.setRequestObserver(
        [](const FixtureRequestRecord& record) { PrintLine(LogLine("http", record)); });
    if (proxy)
        proxy->setRequestObserver(
            [](const FixtureRequestRecord& record) { PrintLine(LogLine("proxy", record)); });
    // What is served goes to stderr before the address goes out, so whoever waits for the
    // address finds it said.
    std::error_code canonicalError;
    std::fprintf(stderr, "skelvane-fixture-server: serving %s\n",
                 fs::weakly_canonical(root, canonicalError).c_str());
    PrintLine(http.origin());
    if (sntp)
        PrintLine("sntp://" + sntp->server());
    if (proxy)
        PrintLine("proxy://" + proxy->server());
    int signal = 0;
    while (sigwait(&stopSignals, &signal) != 0) {
    }
    std::fprintf(stderr, "skelvane-fixture-server: stopping on signal %d\n", signal);
    return 0;
}

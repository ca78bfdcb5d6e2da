#pragma once

// A web server for tests and the offline demo: serves a folder laid out as the weather,
// radar and satellite servers lay out theirs, on 127.0.0.1, on a thread of its own, records
// every request, and answers chosen paths with the failures a download has to survive.

#include "fixture_rules.h"
#include "folder_answer.h"
#include "request_log.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skelvane::fixture {

class FixtureHttpServer {
public:
    // Serves `root` (request path "/a/b.TXT" is the file root/a/b.TXT) on 127.0.0.1:`port`
    // (0: any free port). Check listening(); error() says why not.
    explicit FixtureHttpServer(const std::filesystem::path& root, std::uint16_t port = 0);
    // Ends every stall and closes every connection; returns promptly.
    ~FixtureHttpServer();
    FixtureHttpServer(const FixtureHttpServer&) = delete;
    FixtureHttpServer& operator=(const FixtureHttpServer&) = delete;

    bool listening() const;
    const std::string& error() const;
    std::uint16_t port() const;
    std::string server() const; // "127.0.0.1:PORT", the host text a client is given
    std::string origin() const; // "http://127.0.0.1:PORT"
    std::string url(std::string_view path) const; // origin() + path

    // The rule for one exact path ("/pub/data/observations/metar/decoded/KNYC.TXT"), or for
    // every path starting with `prefix`. An exact rule wins over prefixes, and the longest
    // prefix over shorter ones. A rule replaces an earlier one for the same text. Paths are
    // compared after percent-decoding, without the query.
    void setRule(std::string path, FixtureRule rule);
    void setPrefixRule(std::string prefix, FixtureRule rule);
    void clearRules();

    // Answers every path starting with `prefix` (the longest prefix wins) from `handler`
    // instead of the folder: it gets the request as the log records it (query included) and
    // gives the normal answer, on which a rule for the path still acts; nothing gives the 404
    // page. Called on the server's threads.
    using Handler = std::function<std::optional<FolderAnswer>(const FixtureRequestRecord&)>;
    void setHandler(std::string prefix, Handler handler);
    // Ends the stalls in progress (their connections close without more bytes).
    void releaseStalls();

    // The requests so far, oldest first. A request is recorded as soon as its head has been
    // read, before any delay or stall.
    std::vector<FixtureRequestRecord> requests() const;
    // Whether `count` requests have been recorded within `timeout`.
    bool waitForRequests(std::size_t count, std::chrono::milliseconds timeout) const;
    void clearRequests();
    // Called on the server's threads for each request as it is recorded.
    void setRequestObserver(std::function<void(const FixtureRequestRecord&)> observer);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A loopback port that nothing listens on, for a connection that must be refused: bound once
// to learn a free number, then closed. (Another program could take it in between; on a test
// machine that does not happen in practice.)
std::uint16_t ClosedLoopbackPort();

} // namespace skelvane::fixture

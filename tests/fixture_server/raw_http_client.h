#pragma once

// A deliberately simple HTTP client for the fixture server's own tests: it sends the exact
// bytes given and reports the exact bytes received, how the connection ended and how long
// it took, so that a reset, a stall or a body cut short can be seen as such.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace skelvane::fixture::testing {

struct RawReply {
    bool connected = false; // false: the connection was refused (or could not be made)
    bool reset = false;     // the server reset the connection
    bool timedOut = false;  // the time-out passed before the server closed the connection
    std::string bytes;      // everything received
    int status = 0;         // 0 when no whole status line arrived
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body; // what followed the head
    std::chrono::milliseconds elapsed{0};

    // The first value of a header, names compared without regard to case; empty if absent.
    std::string header(std::string_view name) const;
    // The announced Content-Length; -1 without one.
    long long contentLength() const;
};

// Connects to 127.0.0.1:`port`, sends `request` as it stands and reads until the server
// closes the connection or `timeout` passes.
RawReply RawExchange(std::uint16_t port, std::string_view request,
                     std::chrono::milliseconds timeout = std::chrono::seconds(5));

// A GET of `target` with a Host header, `extraHeaders` (whole lines, each ending in CR LF)
// and "Connection: close".
RawReply RawGet(std::uint16_t port, std::string_view target, std::string_view extraHeaders = "",
                std::chrono::milliseconds timeout = std::chrono::seconds(5));

} // namespace skelvane::fixture::testing

#pragma once

// One SNTP exchange with a time server over UDP: send a request, wait for the one reply,
// judge it and work out the clock offset. Never touches the computer's clock.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace skelvane {

enum class SntpStatus {
    Ok,
    Timeout,  // no reply within the time-out
    Unusable, // a reply came but must not be trusted; `reason` says why
    Failed,   // no exchange: bad server text, name not found, no route, refused port ...
};

// "ok", "timeout", "unusable", "failed".
const char* SntpStatusName(SntpStatus status);

// The computer's clock as Unix milliseconds (UTC), with the fraction it has.
double SystemUnixMs();

struct SntpExchangeOptions {
    std::chrono::milliseconds timeout{5000};
    // The client's clock, read for T1 (just before sending) and T4 (just after the reply
    // arrives). Tests put a skewed clock here.
    std::function<double()> clockUnixMs = SystemUnixMs;
};

struct SntpExchangeResult {
    SntpStatus status = SntpStatus::Failed;
    std::string reason; // one line; empty when ok

    // Filled once a reply of 48 bytes or more has arrived (also when it is unusable).
    bool replied = false;
    int stratum = 0;
    int leap = 0;
    std::string referenceId; // kiss code or source at strata 0 and 1, else an address

    // Filled when ok. Instants are Unix milliseconds (UTC) with their fractions: T1 and T4
    // by the client's clock, T2 and T3 by the server's.
    double t1 = 0, t2 = 0, t3 = 0, t4 = 0;
    std::int64_t serverUtcMs = 0; // T3 cut to whole milliseconds
    double offsetMs = 0;          // θ: add to the client's clock to get the server's
    double delayMs = 0;           // δ: round trip less the server's own time

    bool ok() const { return status == SntpStatus::Ok; }
};

// A server text split into host and port: "host", "host:port", "[v6 address]:port" or a bare
// IPv6 address; the port defaults to 123. Returns nothing for an empty host or a port that
// is not a number from 1 to 65535.
struct SntpServerAddress {
    std::string host;
    std::uint16_t port = 123;
};
std::optional<SntpServerAddress> ParseSntpServer(std::string_view server);

// Runs one exchange with `server` (see ParseSntpServer; names resolve to IPv4 or IPv6) and
// blocks until the reply, the time-out or a failure; the name lookup itself is not bounded
// by the time-out. The socket is connected to the server, so datagrams from any other
// address never reach it. Thread-safe; a caller on the user-interface thread runs it inside
// RunKeepingEventsRunning.
SntpExchangeResult RunSntpExchange(std::string_view server,
                                   const SntpExchangeOptions& options = {});

} // namespace skelvane

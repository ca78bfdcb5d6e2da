#include "net/sntp_exchange.h"

#include "net/decode/sntp_packet.h"
#include "net/loopback_guard.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <netdb.h>
#include <poll.h>
#include <random>
#include <sys/socket.h>
#include <unistd.h>

namespace skelvane {

namespace {

// Closes a socket when the exchange ends, however it ends.
class SocketHandle {
public:
    explicit SocketHandle(int fd = -1) : fd_(fd) {}
    ~SocketHandle() { reset(); }
    SocketHandle(const SocketHandle&) = delete;
    SocketHandle& operator=(const SocketHandle&) = delete;
    int get() const { return fd_; }
    void reset(int fd = -1) {
        if (fd_ >= 0)
            close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

struct AddressList {
    addrinfo* head = nullptr;
    ~AddressList() {
        if (head)
            freeaddrinfo(head);
    }
};

std::string_view Trimmed(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<std::uint16_t> ParsePort(std::string_view text) {
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int port = 0;
    for (char c : text)
        port = port * 10 + (c - '0');
    if (port < 1 || port > 65535)
        return std::nullopt;
    return static_cast<std::uint16_t>(port);
}

std::string ErrnoText(const char* what, int error) {
    return std::string(what) + ": " + std::strerror(error);
}

// The request's transmit timestamp for the clock reading `unixMs`. Its lowest 16 fraction
// bits (about 15 µs, below what a user-space stamp can mean) are random, as RFC 4330
// advises, so that a reply that echoes it proves it saw this very request.
NtpTimestamp RequestTimestamp(double unixMs) {
    NtpTimestamp transmit = UnixMsToNtp(unixMs);
    static thread_local std::mt19937 random{std::random_device{}()};
    transmit.fraction = (transmit.fraction & 0xFFFF0000u) | (random() & 0xFFFFu);
    if (transmit.isZero()) // zero means "no time" on the wire
        transmit.fraction = 1;
    return transmit;
}

// Waits on a connected socket for the reply to the request sent at `t1` carrying
// `requestTransmit`, and fills `result`. Returns false only when the port turned out to be
// closed (the next address may still answer), with the reason in `result`.
bool AwaitReply(int fd, std::chrono::steady_clock::time_point deadline,
                std::chrono::milliseconds timeout, const std::function<double()>& clock, double t1,
                NtpTimestamp requestTransmit, SntpExchangeResult& result) {
    std::array<char, 512> buffer{}; // room for extension fields or a key and digest
    while (true) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            result.status = SntpStatus::Timeout;
            result.reason = "no reply within " + std::to_string(timeout.count()) + " ms";
            return true;
        }
        pollfd wait{fd, POLLIN, 0};
        const int ready =
            ::poll(&wait, 1, static_cast<int>(std::min<long long>(left.count(), 60000)));
        if (ready < 0 && errno != EINTR) {
            result.status = SntpStatus::Failed;
            result.reason = ErrnoText("poll", errno);
            return true;
        }
        if (ready <= 0)
            continue;
        const ssize_t size = ::recv(fd, buffer.data(), buffer.size(), 0);
        const double t4 = clock();
        if (size < 0) {
            const int error = errno;
            if (error == EINTR || error == EAGAIN || error == EWOULDBLOCK)
                continue;
            // A closed port answers with an ICMP message, reported here as ECONNREFUSED.
            result.status = SntpStatus::Failed;
            result.reason = ErrnoText("receive", error);
            return error != ECONNREFUSED;
        }

        if (!std::isfinite(t1) || !std::isfinite(t4)) {
            result.status = SntpStatus::Failed;
            result.reason = "the computer's clock gave no time";
            return true;
        }
        const SntpDecoded decoded = DecodeSntpReply(
            std::string_view(buffer.data(), static_cast<std::size_t>(size)), requestTransmit);
        if (decoded.reply) {
            result.replied = true;
            result.stratum = decoded.reply->stratum;
            result.leap = decoded.reply->leap;
            result.referenceId = SntpReferenceIdText(*decoded.reply);
        }
        if (!decoded.usable()) {
            result.status = SntpStatus::Unusable;
            result.reason = SntpUnusableText(decoded);
            return true;
        }
        // T1 is the clock reading itself; the originate timestamp matched it to within the
        // random low bits.
        const SntpInstants instants{t1, NtpToUnixMs(decoded.reply->receive),
                                    NtpToUnixMs(decoded.reply->transmit), t4};
        const SntpClockOffset offset = ComputeSntpClockOffset(instants);
        result.status = SntpStatus::Ok;
        result.reason.clear();
        result.t1 = instants.t1;
        result.t2 = instants.t2;
        result.t3 = instants.t3;
        result.t4 = instants.t4;
        result.serverUtcMs = static_cast<std::int64_t>(std::floor(instants.t3));
        result.offsetMs = offset.offsetMs;
        result.delayMs = offset.delayMs;
        return true;
    }
}

} // namespace

const char* SntpStatusName(SntpStatus status) {
    switch (status) {
    case SntpStatus::Ok:
        return "ok";
    case SntpStatus::Timeout:
        return "timeout";
    case SntpStatus::Unusable:
        return "unusable";
    case SntpStatus::Failed:
        return "failed";
    }
    return "failed";
}

double SystemUnixMs() {
    const auto since = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration<double, std::milli>(since).count();
}

std::optional<SntpServerAddress> ParseSntpServer(std::string_view server) {
    server = Trimmed(server);
    SntpServerAddress address;
    std::string_view host = server;
    std::string_view port;
    bool hasPort = false;
    if (server.starts_with('[')) {
        const std::size_t close = server.find(']');
        if (close == std::string_view::npos)
            return std::nullopt;
        host = server.substr(1, close - 1);
        const std::string_view rest = server.substr(close + 1);
        if (!rest.empty()) {
            if (rest.front() != ':')
                return std::nullopt;
            port = rest.substr(1);
            hasPort = true;
        }
    } else if (std::count(server.begin(), server.end(), ':') == 1) {
        const std::size_t colon = server.find(':');
        host = server.substr(0, colon);
        port = server.substr(colon + 1);
        hasPort = true;
    } // more than one colon: a bare IPv6 address
    if (host.empty())
        return std::nullopt;
    address.host = std::string(host);
    if (hasPort) {
        const auto number = ParsePort(port);
        if (!number)
            return std::nullopt;
        address.port = *number;
    } else {
        address.port = kSntpDefaultPort;
    }
    return address;
}

SntpExchangeResult RunSntpExchange(std::string_view server, const SntpExchangeOptions& options) {
    SntpExchangeResult result;
    const auto address = ParseSntpServer(server);
    if (!address) {
        result.reason = "bad server address";
        return result;
    }
    if (LoopbackOnly() && !IsLoopbackHost(address->host)) {
        result.reason = "only loopback servers are allowed here";
        return result;
    }

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_flags = AI_NUMERICSERV;
    AddressList addresses;
    const std::string port = std::to_string(address->port);
    if (const int error = getaddrinfo(address->host.c_str(), port.c_str(), &hints, &addresses.head);
        error != 0) {
        result.reason = std::string("name lookup failed: ") +
                        (error == EAI_SYSTEM ? std::strerror(errno) : gai_strerror(error));
        return result;
    }

    const auto clock = options.clockUnixMs ? options.clockUnixMs : SystemUnixMs;
    const auto deadline = std::chrono::steady_clock::now() + options.timeout;

    // The addresses are tried in turn within the one time-out: an address family without a
    // route (IPv6 on an IPv4-only network) fails at the send, a closed port (a name that
    // gives ::1 and 127.0.0.1 with the server on one of them) at the receive.
    std::string lastError = "no address";
    for (const addrinfo* entry = addresses.head; entry; entry = entry->ai_next) {
        SocketHandle connected(
            ::socket(entry->ai_family, entry->ai_socktype | SOCK_CLOEXEC, entry->ai_protocol));
        if (connected.get() < 0) {
            lastError = ErrnoText("socket", errno);
            continue;
        }
        if (::connect(connected.get(), entry->ai_addr, entry->ai_addrlen) != 0) {
            lastError = ErrnoText("connect", errno);
            continue;
        }
        const double t1 = clock();
        const NtpTimestamp requestTransmit = RequestTimestamp(t1);
        const auto request = BuildSntpRequest(requestTransmit);
        if (::send(connected.get(), request.data(), request.size(), 0) !=
            static_cast<ssize_t>(request.size())) {
            lastError = ErrnoText("send", errno);
            continue;
        }
        if (AwaitReply(connected.get(), deadline, options.timeout, clock, t1, requestTransmit,
                       result))
            return result;
        lastError = result.reason;
    }
    result.status = SntpStatus::Failed;
    result.reason = lastError;
    return result;
}

} // namespace skelvane

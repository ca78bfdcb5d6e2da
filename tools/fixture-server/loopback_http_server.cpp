#include "loopback_http_server.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace skelvane::fixture {

namespace {

using namespace std::chrono_literals;

// Long enough for any client on the same computer, short enough that a connection that
// never sends its request does not hold a worker for long.
constexpr auto kReadTimeout = 5s;
constexpr auto kWriteTimeout = 5s;
// Waits are cut into slices so that a stopping server is noticed quickly.
constexpr auto kWaitSlice = 100ms;
// Connections served at once; each stalled answer holds one.
constexpr std::size_t kWorkers = 32;

thread_local FixtureConnection* tCurrentConnection = nullptr;

void AddressText(const sockaddr_storage& address, std::string& ip, int& port) {
    if (address.ss_family != AF_INET) {
        ip.clear();
        port = 0;
        return;
    }
    const auto& ipv4 = reinterpret_cast<const sockaddr_in&>(address);
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &ipv4.sin_addr, text, sizeof text);
    ip = text;
    port = ntohs(ipv4.sin_port);
}

} // namespace

FixtureConnection::FixtureConnection(int fd, const StallGate& gate) : fd_(fd), gate_(gate) {}

bool FixtureConnection::waitFor(short events, std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!gate_.stopping()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left <= 0ms)
            return false;
        pollfd wait{fd_, events, 0};
        const int ready = ::poll(&wait, 1, static_cast<int>(std::min(left, kWaitSlice).count()));
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
    }
    return false;
}

bool FixtureConnection::is_readable() const {
    return bufferStart_ < bufferEnd_ || waitFor(POLLIN, kReadTimeout);
}

bool FixtureConnection::is_writable() const {
    return !abandoned_ && waitFor(POLLOUT, kWriteTimeout) && !peerGone();
}

ssize_t FixtureConnection::read(char* ptr, size_t size) {
    if (bufferStart_ == bufferEnd_) {
        if (!waitFor(POLLIN, kReadTimeout))
            return -1;
        // cpp-httplib reads the request head a byte at a time: fill a buffer instead.
        if (size >= buffer_.size())
            return ::recv(fd_, ptr, size, 0);
        const ssize_t received = ::recv(fd_, buffer_.data(), buffer_.size(), 0);
        if (received <= 0)
            return received;
        bufferStart_ = 0;
        bufferEnd_ = static_cast<std::size_t>(received);
    }
    const std::size_t count = std::min(size, bufferEnd_ - bufferStart_);
    std::memcpy(ptr, buffer_.data() + bufferStart_, count);
    bufferStart_ += count;
    return static_cast<ssize_t>(count);
}

ssize_t FixtureConnection::write(const char* ptr, size_t size) {
    if (abandoned_ || !waitFor(POLLOUT, kWriteTimeout))
        return -1;
    return ::send(fd_, ptr, size, MSG_NOSIGNAL);
}

void FixtureConnection::get_remote_ip_and_port(std::string& ip, int& port) const {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getpeername(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        address.ss_family = AF_UNSPEC;
    AddressText(address, ip, port);
}

void FixtureConnection::get_local_ip_and_port(std::string& ip, int& port) const {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        address.ss_family = AF_UNSPEC;
    AddressText(address, ip, port);
}

bool FixtureConnection::peerGone() const {
    char byte = 0;
    const ssize_t peeked = ::recv(fd_, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    if (peeked > 0)
        return false; // more data is waiting: the client is there
    if (peeked == 0)
        return true; // the client closed its side
    return errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR;
}

void FixtureConnection::close() {
    if (fd_ < 0)
        return;
    if (reset_) {
        const linger abort{1, 0};
        ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    } else {
        ::shutdown(fd_, SHUT_WR);
    }
    ::close(fd_);
    fd_ = -1;
}

LoopbackHttpServer::LoopbackHttpServer() {
    new_task_queue = [] { return new httplib::ThreadPool(kWorkers); };
    // Only SO_REUSEADDR: cpp-httplib's default SO_REUSEPORT would let a second server share
    // a port that is already taken instead of failing.
    set_socket_options([](socket_t sock) {
        const int yes = 1;
        ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    shutdown();
}

bool LoopbackHttpServer::start(std::uint16_t port, std::string& error) {
    errno = 0;
    const int bound =
        port == 0 ? bind_to_any_port("127.0.0.1") : (bind_to_port("127.0.0.1", port) ? port : -1);
    if (bound <= 0) {
        error = "cannot listen on 127.0.0.1:" + std::to_string(port) +
                (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string());
        return false;
    }
    port_ = static_cast<std::uint16_t>(bound);
    thread_ = std::thread([this] { listen_after_bind(); });
    // stop() only acts on a running server: wait until the accepting loop has begun, so that
    // a server stopped at once still stops.
    const auto giveUp = std::chrono::steady_clock::now() + 10s;
    while (!is_running() && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(1ms);
    return true;
}

void LoopbackHttpServer::shutdown() {
    gate_.stop();
    if (thread_.joinable()) {
        stop();
        thread_.join();
    }
}

FixtureConnection* LoopbackHttpServer::currentConnection() {
    return tCurrentConnection;
}

bool LoopbackHttpServer::process_and_close_socket(socket_t sock) {
    FixtureConnection connection(sock, gate_);
    tCurrentConnection = &connection;
    bool closed = false;
    const bool ok = process_request(connection, true, closed, nullptr);
    tCurrentConnection = nullptr;
    connection.close();
    return ok;
}

FixtureRequestRecord RecordOfRequest(const httplib::Request& request) {
    FixtureRequestRecord record;
    record.method = request.method;
    record.target = request.target;
    record.path = request.path;
    for (const auto& [name, value] : request.headers) {
        // cpp-httplib files the peer's and its own address as headers; no client sent them.
        if (name != "REMOTE_ADDR" && name != "REMOTE_PORT" && name != "LOCAL_ADDR" &&
            name != "LOCAL_PORT")
            record.headers.emplace_back(name, value);
    }
    for (const auto& [name, value] : request.params)
        record.query.emplace_back(name, value);
    return record;
}

std::string LoopbackOrigin(std::uint16_t port) {
    return "http://127.0.0.1:" + std::to_string(port);
}

} // namespace skelvane::fixture

#pragma once

// The HTTP engine both fixture servers stand on: cpp-httplib's server on 127.0.0.1, one
// request per connection, with the connection itself in reach of the handler so that an
// answer can be abandoned (nothing more is sent) or the connection reset.

#include "request_log.h"
#include "stall_gate.h"

#include <array>
#include <cstdint>
#include <httplib.h>
#include <string>
#include <thread>

namespace skelvane::fixture {

// One accepted connection as cpp-httplib's stream. Reads and writes give up after their
// time-outs, and at once when the server stops.
class FixtureConnection final : public httplib::Stream {
public:
    FixtureConnection(int fd, const StallGate& gate);

    bool is_readable() const override;
    bool is_writable() const override;
    ssize_t read(char* ptr, size_t size) override;
    ssize_t write(const char* ptr, size_t size) override;
    void get_remote_ip_and_port(std::string& ip, int& port) const override;
    void get_local_ip_and_port(std::string& ip, int& port) const override;
    socket_t socket() const override { return fd_; }

    // From now on nothing is written: the answer cpp-httplib is about to send is dropped and
    // the connection closes when the handler returns.
    void abandon() { abandoned_ = true; }
    // Closing sends a reset instead of the orderly end of the stream.
    void resetOnClose() { reset_ = true; }
    // Whether the client has closed its side or reset the connection.
    bool peerGone() const;
    void close();

private:
    // Waits until the socket is ready for `events`, for at most `timeout`.
    bool waitFor(short events, std::chrono::milliseconds timeout) const;

    int fd_;
    const StallGate& gate_;
    bool abandoned_ = false;
    bool reset_ = false;
    std::array<char, 4096> buffer_{};
    std::size_t bufferStart_ = 0, bufferEnd_ = 0;
};

class LoopbackHttpServer : public httplib::Server {
public:
    LoopbackHttpServer();
    ~LoopbackHttpServer() override;
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // Binds 127.0.0.1:`port` (0: any free port) and serves on a thread of its own. Returns
    // false and sets `error` when the port cannot be had.
    bool start(std::uint16_t port, std::string& error);
    // Ends stalls and pauses, stops accepting and waits for the connections in progress.
    void shutdown();
    std::uint16_t port() const { return port_; }
    StallGate& gate() { return gate_; }

    // The connection that the calling thread is answering; nullptr outside a handler.
    static FixtureConnection* currentConnection();

private:
    bool process_and_close_socket(socket_t sock) override;

    StallGate gate_;
    std::uint16_t port_ = 0;
    std::thread thread_;
};

// The method, target, path and headers of a request, as the request log keeps them (status
// and behaviour left for the caller).
FixtureRequestRecord RecordOfRequest(const httplib::Request& request);

// "http://127.0.0.1:PORT"
std::string LoopbackOrigin(std::uint16_t port);

} // namespace skelvane::fixture

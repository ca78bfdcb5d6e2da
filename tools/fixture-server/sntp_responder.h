#pragma once

// A small SNTP server for tests and the offline demo: it listens on 127.0.0.1 (an ephemeral
// port unless one is asked for), answers on a thread of its own and can be told to answer
// wrongly in each of the ways a real server or a stranger might.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace skelvane::fixture {

enum class SntpAnswer {
    Normal,           // a healthy stratum-`stratum` reply
    Silent,           // read the request, answer nothing
    KissOfDeath,      // stratum 0 with `kissCode` as reference identifier, leap indicator 3
    LeapIndicator3,   // an unsynchronised server
    ZeroTransmitTime, // transmit timestamp 0
    WrongOriginate,   // originate timestamp one second off the request's transmit timestamp
    ShortPacket,      // only the first 47 bytes of the reply
    NextEra,          // the server's clock reads kNextEraUnixMs: seconds with the top bit clear
    WrongMode,        // mode 3 (client) instead of 4
    Stratum16,        // stratum 16: not synchronised to anything
};

// 2040-02-29 12:00:00.250 UTC, the time a NextEra server reads when a request arrives.
inline constexpr double kNextEraUnixMs = 2214129600250.0;

struct SntpResponderOptions {
    SntpAnswer answer = SntpAnswer::Normal;
    double skewMs = 0; // the server's clock minus the computer's
    // Simulated network delay each way: the responder sleeps this long after a request
    // arrives before stamping T2, and again after stamping T3 before sending.
    std::chrono::milliseconds delay{0};
    int stratum = 2;
    std::string kissCode = "RATE";
    // Before anything else, send a reply that would pass every check (right originate, a skew
    // of one hour) to the requester from a second socket, that is from another port.
    bool forgeFromOtherPort = false;
};

class SntpResponder {
public:
    // Binds 127.0.0.1:`port` (0: any free port) and starts answering. Check listening().
    explicit SntpResponder(SntpResponderOptions options = {}, std::uint16_t port = 0);
    ~SntpResponder();
    SntpResponder(const SntpResponder&) = delete;
    SntpResponder& operator=(const SntpResponder&) = delete;

    bool listening() const { return fd_ >= 0; }
    const std::string& error() const { return error_; } // why it is not listening
    std::uint16_t port() const { return port_; }
    std::string server() const; // "127.0.0.1:PORT", the text a client is given

    // Takes effect from the next request.
    void setOptions(const SntpResponderOptions& options);
    // Requests of 48 bytes or more read so far, answered or not.
    int requestsSeen() const { return requestsSeen_.load(); }

    // The extra reply sent by forgeFromOtherPort carries this skew.
    static constexpr double kForgedSkewMs = 3600000.0;

private:
    void run();

    int fd_ = -1;
    int forgeFd_ = -1;
    int wakeFds_[2] = {-1, -1};
    std::uint16_t port_ = 0;
    std::string error_;
    mutable std::mutex mutex_;
    SntpResponderOptions options_;
    std::atomic<int> requestsSeen_{0};
    std::thread thread_;
};

} // namespace skelvane::fixture

#include "sntp_responder.h"

#include "net/decode/sntp_packet.h"

#include <arpa/inet.h>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <string_view>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace skelvane::fixture {

namespace {

double NowUnixMs() {
    const auto since = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration<double, std::milli>(since).count();
}

// Sleeps until `until` without the usual overshoot of a plain sleep: the last half
// millisecond is waited out by spinning, so that the two halves of a simulated round trip
// stay equal to within microseconds.
void SleepUntil(std::chrono::steady_clock::time_point until) {
    const auto spinFrom = until - std::chrono::microseconds(500);
    if (std::chrono::steady_clock::now() < spinFrom)
        std::this_thread::sleep_until(spinFrom);
    while (std::chrono::steady_clock::now() < until) {
    }
}

void PutUint32(std::array<std::uint8_t, kSntpPacketSize>& bytes, std::size_t at,
               std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

void PutTimestamp(std::array<std::uint8_t, kSntpPacketSize>& bytes, std::size_t at,
                  NtpTimestamp timestamp) {
    PutUint32(bytes, at, timestamp.seconds);
    PutUint32(bytes, at + 4, timestamp.fraction);
}

std::uint32_t Code(const std::string& text) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << 8) | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
    return value;
}

struct ReplyFields {
    int leap = 0, mode = 4, stratum = 2;
    std::uint32_t referenceId = 0x7F000001; // 127.0.0.1, the upstream of a stratum-2 server
    double receiveMs = 0, transmitMs = 0;
    bool zeroTransmit = false;
};

std::array<std::uint8_t, kSntpPacketSize>
BuildReply(std::string_view request, const ReplyFields& fields, bool wrongOriginate) {
    std::array<std::uint8_t, kSntpPacketSize> reply{};
    const int version = (static_cast<unsigned char>(request[0]) >> 3) & 0x07;
    reply[0] = static_cast<std::uint8_t>((fields.leap << 6) | (version << 3) | fields.mode);
    reply[1] = static_cast<std::uint8_t>(fields.stratum);
    reply[2] = static_cast<std::uint8_t>(request[2]); // poll, echoed
    reply[3] = static_cast<std::uint8_t>(-20);        // precision about 1 µs
    PutUint32(reply, 4, 0x00000100);                  // root delay 3.9 ms
    PutUint32(reply, 8, 0x00000200);                  // root dispersion 7.8 ms
    PutUint32(reply, 12, fields.referenceId);
    PutTimestamp(reply, 16, UnixMsToNtp(fields.receiveMs - 16000));
    // The originate timestamp is the request's transmit timestamp, byte for byte.
    for (std::size_t i = 0; i < 8; ++i)
        reply[24 + i] = static_cast<std::uint8_t>(request[40 + i]);
    if (wrongOriginate)
        reply[27] ^= 0x01; // one second off
    PutTimestamp(reply, 32, UnixMsToNtp(fields.receiveMs));
    if (!fields.zeroTransmit)
        PutTimestamp(reply, 40, UnixMsToNtp(fields.transmitMs));
    return reply;
}

void SendTo(int fd, const void* bytes, std::size_t size, const sockaddr_in& to) {
    ::sendto(fd, bytes, size, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
}

} // namespace

SntpResponder::SntpResponder(SntpResponderOptions options, std::uint16_t port)
    : options_(std::move(options)) {
    const auto fail = [this](const char* what) {
        error_ = std::string(what) + ": " + std::strerror(errno);
        for (int* fd : {&fd_, &forgeFd_, &wakeFds_[0], &wakeFds_[1]}) {
            if (*fd >= 0)
                ::close(*fd);
            *fd = -1;
        }
    };
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0) {
        fail("socket");
        return;
    }
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        fail("bind");
        return;
    }
    socklen_t length = sizeof address;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);

    // The second socket, on a port of its own, for the forged replies.
    sockaddr_in other{};
    other.sin_family = AF_INET;
    other.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    forgeFd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (forgeFd_ < 0 || ::bind(forgeFd_, reinterpret_cast<sockaddr*>(&other), sizeof other) != 0) {
        fail("bind second socket");
        return;
    }
    if (::pipe2(wakeFds_, O_CLOEXEC) != 0) {
        fail("pipe");
        return;
    }
    thread_ = std::thread([this] { run(); });
}

SntpResponder::~SntpResponder() {
    if (thread_.joinable()) {
        const char stop = 'x';
        [[maybe_unused]] const ssize_t written = ::write(wakeFds_[1], &stop, 1);
        thread_.join();
    }
    for (int fd : {fd_, forgeFd_, wakeFds_[0], wakeFds_[1]})
        if (fd >= 0)
            ::close(fd);
}

std::string SntpResponder::server() const {
    return "127.0.0.1:" + std::to_string(port_);
}

void SntpResponder::setOptions(const SntpResponderOptions& options) {
    const std::lock_guard lock(mutex_);
    options_ = options;
}

void SntpResponder::run() {
    std::array<char, 512> buffer{};
    while (true) {
        pollfd waits[2] = {{fd_, POLLIN, 0}, {wakeFds_[0], POLLIN, 0}};
        if (::poll(waits, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (waits[1].revents != 0)
            return;
        if ((waits[0].revents & POLLIN) == 0)
            continue;
        sockaddr_in from{};
        socklen_t fromLength = sizeof from;
        const ssize_t size = ::recvfrom(fd_, buffer.data(), buffer.size(), 0,
                                        reinterpret_cast<sockaddr*>(&from), &fromLength);
        const auto arrived = std::chrono::steady_clock::now();
        if (size < static_cast<ssize_t>(kSntpPacketSize))
            continue; // not a request
        ++requestsSeen_;
        SntpResponderOptions options;
        {
            const std::lock_guard lock(mutex_);
            options = options_;
        }
        const std::string_view request(buffer.data(), static_cast<std::size_t>(size));

        if (options.forgeFromOtherPort) {
            ReplyFields forged;
            forged.receiveMs = NowUnixMs() + kForgedSkewMs;
            forged.transmitMs = forged.receiveMs;
            const auto bytes = BuildReply(request, forged, false);
            SendTo(forgeFd_, bytes.data(), bytes.size(), from);
        }
        if (options.answer == SntpAnswer::Silent)
            continue;

        SleepUntil(arrived + options.delay);
        const double receivedUnixMs = NowUnixMs();
        ReplyFields fields;
        fields.stratum = options.stratum;
        switch (options.answer) {
        case SntpAnswer::KissOfDeath:
            fields.leap = 3;
            fields.stratum = 0;
            fields.referenceId = Code(options.kissCode);
            break;
        case SntpAnswer::LeapIndicator3:
            fields.leap = 3;
            break;
        case SntpAnswer::WrongMode:
            fields.mode = 3;
            break;
        case SntpAnswer::Stratum16:
            fields.stratum = 16;
            break;
        case SntpAnswer::ZeroTransmitTime:
            fields.zeroTransmit = true;
            break;
        default:
            break;
        }
        const double skew = options.answer == SntpAnswer::NextEra ? kNextEraUnixMs - receivedUnixMs
                                                                  : options.skewMs;
        fields.receiveMs = receivedUnixMs + skew;
        fields.transmitMs = NowUnixMs() + skew;
        const auto stamped = std::chrono::steady_clock::now();
        const auto reply =
            BuildReply(request, fields, options.answer == SntpAnswer::WrongOriginate);
        SleepUntil(stamped + options.delay);
        const std::size_t length =
            options.answer == SntpAnswer::ShortPacket ? kSntpPacketSize - 1 : kSntpPacketSize;
        SendTo(fd_, reply.data(), length, from);
    }
}

} // namespace skelvane::fixture

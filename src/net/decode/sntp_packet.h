#pragma once

// SNTP messages (RFC 4330): the 48-byte client request, the server's reply, NTP timestamps
// and the clock arithmetic of one exchange. All multi-byte fields are big-endian.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skelvane {

inline constexpr std::size_t kSntpPacketSize = 48;
inline constexpr std::uint16_t kSntpDefaultPort = 123;

// Seconds from 1900-01-01 00:00 UTC (the first NTP era) to the Unix epoch.
inline constexpr std::int64_t kNtpUnixEpochSeconds = 2208988800;

// An NTP timestamp: whole seconds and a 32-bit binary fraction of a second. The seconds
// roll over on 2036-02-07 06:28:16 UTC; see NtpToUnixMs for how the two eras are told apart.
struct NtpTimestamp {
    std::uint32_t seconds = 0;
    std::uint32_t fraction = 0;
    bool isZero() const { return seconds == 0 && fraction == 0; }
    friend bool operator==(const NtpTimestamp&, const NtpTimestamp&) = default;
};

// Unix milliseconds (UTC, fractions kept) of a timestamp. A timestamp whose top bit is set
// counts from 1900 (1968-01-20 to 2036-02-07), one whose top bit is clear from 2036-02-07
// 06:28:16 UTC (2036 to 2104), as RFC 4330 section 3 says; without the rule every server
// would read as 1900 from 2036 on. The zero timestamp means "no time" and is not converted
// by the decoder's callers.
double NtpToUnixMs(NtpTimestamp timestamp);

// The timestamp of a Unix time in milliseconds, the fraction rounded to the nearest unit
// (about 0.23 ns). Instants outside 1968-01-20 .. 2104-02-26 wrap like the wire format does;
// a value that is not finite gives the zero timestamp.
NtpTimestamp UnixMsToNtp(double unixMs);

// The client request: first byte 0x1B (leap indicator 0, version 3, mode 3), every other
// field zero except the transmit timestamp at bytes 40-47.
std::array<std::uint8_t, kSntpPacketSize> BuildSntpRequest(NtpTimestamp transmit);

// The fields of a server reply as they stand on the wire.
struct SntpReply {
    int leap = 0;                // leap indicator, 0..3 (3: the server's clock is not synchronised)
    int version = 0;             // 0..7
    int mode = 0;                // 0..7 (4: server)
    int stratum = 0;             // 0..255 (0: kiss-o'-death, 1: primary, 2..15: secondary)
    int poll = 0;                // log2 seconds, signed
    int precision = 0;           // log2 seconds, signed
    std::uint32_t rootDelay = 0; // 16.16 fixed-point seconds, signed
    std::uint32_t rootDispersion = 0; // 16.16 fixed-point seconds
    std::uint32_t referenceId = 0;    // as read, big-endian
    NtpTimestamp reference, originate, receive, transmit;
};

// Reads the 48-byte header of a datagram; longer datagrams (extension fields, a key and
// digest) are read up to byte 48. Returns nothing for fewer than 48 bytes.
std::optional<SntpReply> ParseSntpReply(std::string_view datagram);

// Why a reply cannot be trusted for setting a clock.
enum class SntpUnusable {
    None,
    ShortReply,        // fewer than 48 bytes
    NotServerReply,    // mode other than 4
    OriginateMismatch, // not an answer to our request: forged, stale or misrouted
    KissOfDeath,       // stratum 0; the server asks the client to go away (RATE, DENY, ...)
    LeapIndicator3,    // the server's clock is not synchronised
    StratumTooHigh,    // stratum 16 or more
    ZeroTransmitTime,  // the server sent no time
};

// The reference identifier as text: for stratum 0 and 1 its four ASCII characters (a kiss
// code such as "RATE", or a source such as "GPS"; trailing NULs dropped, other bytes outside
// printable ASCII shown as '?'), above that a dotted IPv4 address (for IPv6 servers the
// first four bytes of a digest of the address, shown the same way).
std::string SntpReferenceIdText(const SntpReply& reply);

// A reply read and judged against the request it should answer.
struct SntpDecoded {
    std::optional<SntpReply> reply; // absent only for a short reply
    SntpUnusable unusable = SntpUnusable::ShortReply;
    bool usable() const { return unusable == SntpUnusable::None; }
};

// Reads a datagram and checks it in this order: length, mode 4, the originate timestamp
// equal to `requestTransmit` (the transmit timestamp the request carried), stratum 0, leap
// indicator 3, stratum above 15, zero transmit timestamp. The first failed check is the
// reason; the checks that show the reply answers our request come first, so that nothing a
// stranger sends (a kiss code included) is taken for the server's word.
SntpDecoded DecodeSntpReply(std::string_view datagram, NtpTimestamp requestTransmit);

// A one-line reason for a failed check: "short reply", "not a server reply", "originate
// mismatch", "stratum 0 (RATE)" (just "stratum 0" without a code), "leap indicator 3",
// "stratum 16" (the reply's stratum), "zero transmit time"; empty for None.
std::string SntpUnusableText(const SntpDecoded& decoded);

// The four instants of an exchange in Unix milliseconds: T1 the client sent the request, T2
// the server received it, T3 the server sent the reply, T4 the client received it (T1 and T4
// by the client's clock, T2 and T3 by the server's).
struct SntpInstants {
    double t1 = 0, t2 = 0, t3 = 0, t4 = 0;
};

// Round-trip delay δ = (T4 − T1) − (T3 − T2) and the client clock's offset from the server's
// θ = ((T2 − T1) + (T3 − T4)) / 2, both in milliseconds; the server's time at T4 is T4 + θ.
struct SntpClockOffset {
    double offsetMs = 0; // θ: positive when the client's clock is behind
    double delayMs = 0;  // δ
};
SntpClockOffset ComputeSntpClockOffset(const SntpInstants& instants);

} // namespace skelvane

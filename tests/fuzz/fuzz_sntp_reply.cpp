// A datagram that claims to answer an SNTP request: any length, any bytes. The first 8 bytes
// of the input are the request's transmit timestamp, so the fuzzer also reaches the checks
// and the arithmetic behind a matching originate timestamp; the rest is the datagram.
#include "net/decode/sntp_packet.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8)
        return 0;
    const auto word = [&](std::size_t at) {
        return static_cast<std::uint32_t>(data[at]) << 24 |
               static_cast<std::uint32_t>(data[at + 1]) << 16 |
               static_cast<std::uint32_t>(data[at + 2]) << 8 | data[at + 3];
    };
    const skelvane::NtpTimestamp request{word(0), word(4)};
    const std::string_view datagram(reinterpret_cast<const char*>(data + 8), size - 8);
    const skelvane::SntpDecoded decoded = skelvane::DecodeSntpReply(datagram, request);
    skelvane::SntpUnusableText(decoded);
    if (!decoded.reply)
        return 0;
    const skelvane::SntpReply& reply = *decoded.reply;
    skelvane::SntpReferenceIdText(reply);
    skelvane::SntpInstants instants;
    instants.t1 = skelvane::NtpToUnixMs(reply.originate);
    instants.t2 = skelvane::NtpToUnixMs(reply.receive);
    instants.t3 = skelvane::NtpToUnixMs(reply.transmit);
    instants.t4 = instants.t1 + 40;
    skelvane::ComputeSntpClockOffset(instants);
    // A timestamp goes through its Unix time and back to within a microsecond, counted on
    // the wire's own circle (at the end of 2104 it may round over into the next second of
    // 1968, which the wire cannot tell apart).
    const skelvane::NtpTimestamp again = skelvane::UnixMsToNtp(instants.t3);
    const auto raw = [](skelvane::NtpTimestamp t) {
        return static_cast<std::uint64_t>(t.seconds) << 32 | t.fraction;
    };
    const auto apart = static_cast<std::int64_t>(raw(again) - raw(reply.transmit));
    if (apart > 4295 || apart < -4295) // 1 µs in units of 2^-32 s
        __builtin_trap();
    return 0;
}

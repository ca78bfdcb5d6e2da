#include "net/decode/sntp_packet.h"

#include <cmath>

namespace skelvane {

namespace {

constexpr double kFractionUnitsPerSecond = 4294967296.0; // 2^32
constexpr std::int64_t kEraSeconds = std::int64_t{1} << 32;
constexpr std::uint32_t kTopBit = 0x80000000u;

std::uint32_t ReadUint32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

NtpTimestamp ReadTimestamp(std::string_view bytes, std::size_t at) {
    return {ReadUint32(bytes, at), ReadUint32(bytes, at + 4)};
}

void WriteUint32(std::uint8_t* out, std::uint32_t value) {
    for (int i = 3; i >= 0; --i) {
        out[i] = static_cast<std::uint8_t>(value & 0xFF);
        value >>= 8;
    }
}

} // namespace

double NtpToUnixMs(NtpTimestamp timestamp) {
    std::int64_t seconds = timestamp.seconds;
    if ((timestamp.seconds & kTopBit) == 0)
        seconds += kEraSeconds; // 2036-02-07 06:28:16 UTC and after
    const double wholeMs = static_cast<double>((seconds - kNtpUnixEpochSeconds) * 1000);
    return wholeMs + timestamp.fraction * 1000.0 / kFractionUnitsPerSecond;
}

NtpTimestamp UnixMsToNtp(double unixMs) {
    if (!std::isfinite(unixMs) || std::fabs(unixMs) > 1e16)
        return {};
    double whole = std::floor(unixMs / 1000.0);
    double fraction = std::round((unixMs - whole * 1000.0) / 1000.0 * kFractionUnitsPerSecond);
    if (fraction >= kFractionUnitsPerSecond) { // rounded up into the next second
        fraction -= kFractionUnitsPerSecond;
        whole += 1;
    } else if (fraction < 0) { // the division above can land a hair below the second
        fraction += kFractionUnitsPerSecond;
        whole -= 1;
    }
    const std::int64_t since1900 = static_cast<std::int64_t>(whole) + kNtpUnixEpochSeconds;
    // The wire keeps the seconds modulo 2^32; the era rule above reads them back.
    const auto seconds = static_cast<std::uint32_t>(static_cast<std::uint64_t>(since1900));
    return {seconds, static_cast<std::uint32_t>(fraction)};
}

std::array<std::uint8_t, kSntpPacketSize> BuildSntpRequest(NtpTimestamp transmit) {
    std::array<std::uint8_t, kSntpPacketSize> packet{};
    packet[0] = 0x1B; // leap indicator 0, version 3, mode 3 (client)
    WriteUint32(packet.data() + 40, transmit.seconds);
    WriteUint32(packet.data() + 44, transmit.fraction);
    return packet;
}

std::optional<SntpReply> ParseSntpReply(std::string_view datagram) {
    if (datagram.size() < kSntpPacketSize)
        return std::nullopt;
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(datagram[at]); };
    SntpReply reply;
    reply.leap = byte(0) >> 6;
    reply.version = (byte(0) >> 3) & 0x07;
    reply.mode = byte(0) & 0x07;
    reply.stratum = byte(1);
    // Poll and precision are signed powers of two (two's complement bytes).
    const auto signedByte = [&](std::size_t at) {
        return byte(at) < 128 ? byte(at) : byte(at) - 256;
    };
    reply.poll = signedByte(2);
    reply.precision = signedByte(3);
    reply.rootDelay = ReadUint32(datagram, 4);
    reply.rootDispersion = ReadUint32(datagram, 8);
    reply.referenceId = ReadUint32(datagram, 12);
    reply.reference = ReadTimestamp(datagram, 16);
    reply.originate = ReadTimestamp(datagram, 24);
    reply.receive = ReadTimestamp(datagram, 32);
    reply.transmit = ReadTimestamp(datagram, 40);
    return reply;
}

std::string SntpReferenceIdText(const SntpReply& reply) {
    const std::uint32_t id = reply.referenceId;
    std::string text;
    if (reply.stratum <= 1) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            const auto c = static_cast<unsigned char>((id >> shift) & 0xFF);
            text.push_back(c >= 0x20 && c < 0x7F ? static_cast<char>(c) : (c == 0 ? '\0' : '?'));
        }
        while (!text.empty() && text.back() == '\0')
            text.pop_back();
        for (char& c : text) // a NUL inside the code
            if (c == '\0')
                c = '?';
        return text;
    }
    for (int shift = 24; shift >= 0; shift -= 8) {
        if (!text.empty())
            text.push_back('.');
        text += std::to_string((id >> shift) & 0xFF);
    }
    return text;
}

SntpDecoded DecodeSntpReply(std::string_view datagram, NtpTimestamp requestTransmit) {
    SntpDecoded decoded;
    decoded.reply = ParseSntpReply(datagram);
    if (!decoded.reply) {
        decoded.unusable = SntpUnusable::ShortReply;
        return decoded;
    }
    const SntpReply& reply = *decoded.reply;
    if (reply.mode != 4)
        decoded.unusable = SntpUnusable::NotServerReply;
    else if (reply.originate != requestTransmit)
        decoded.unusable = SntpUnusable::OriginateMismatch;
    else if (reply.stratum == 0)
        decoded.unusable = SntpUnusable::KissOfDeath;
    else if (reply.leap == 3)
        decoded.unusable = SntpUnusable::LeapIndicator3;
    else if (reply.stratum > 15)
        decoded.unusable = SntpUnusable::StratumTooHigh;
    else if (reply.transmit.isZero())
        decoded.unusable = SntpUnusable::ZeroTransmitTime;
    else
        decoded.unusable = SntpUnusable::None;
    return decoded;
}

std::string SntpUnusableText(const SntpDecoded& decoded) {
    switch (decoded.unusable) {
    case SntpUnusable::None:
        return {};
    case SntpUnusable::ShortReply:
        return "short reply";
    case SntpUnusable::NotServerReply:
        return "not a server reply";
    case SntpUnusable::OriginateMismatch:
        return "originate mismatch";
    case SntpUnusable::KissOfDeath: {
        const std::string code = decoded.reply ? SntpReferenceIdText(*decoded.reply) : "";
        return code.empty() ? "stratum 0" : "stratum 0 (" + code + ")";
    }
    case SntpUnusable::LeapIndicator3:
        return "leap indicator 3";
    case SntpUnusable::StratumTooHigh:
        return "stratum " + std::to_string(decoded.reply ? decoded.reply->stratum : 16);
    case SntpUnusable::ZeroTransmitTime:
        return "zero transmit time";
    }
    return "unusable reply";
}

SntpClockOffset ComputeSntpClockOffset(const SntpInstants& t) {
    SntpClockOffset result;
    result.delayMs = (t.t4 - t.t1) - (t.t3 - t.t2);
    result.offsetMs = ((t.t2 - t.t1) + (t.t3 - t.t4)) / 2;
    return result;
}

} // namespace skelvane

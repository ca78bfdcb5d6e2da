#include "net/decode/sntp_packet.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace skelvane {
namespace {

void PutUint32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
}

// The request's transmit timestamp every reply below answers.
constexpr NtpTimestamp kRequest{0xE9F19417, 0x12345678};

// A reply a healthy stratum-2 server would send to kRequest: received 2024-05-17 08:30:15.250
// UTC and sent 1 ms later.
struct ReplyBuilder {
    int leap = 0, version = 3, mode = 4, stratum = 2;
    std::uint32_t referenceId = 0xC0000201; // 192.0.2.1
    NtpTimestamp originate = kRequest;
    NtpTimestamp receive{0xE9F19417, 0x40000000};
    NtpTimestamp transmit{0xE9F19417, 0x40418937};
    std::size_t length = kSntpPacketSize;

    std::string bytes() const {
        std::string out(std::max(length, kSntpPacketSize), '\0');
        out[0] = static_cast<char>((leap << 6) | (version << 3) | mode);
        out[1] = static_cast<char>(stratum);
        out[2] = 6;                      // poll 64 s
        out[3] = static_cast<char>(-23); // precision about 0.1 µs
        PutUint32(out, 4, 0x00000C00);   // root delay 0.047 s
        PutUint32(out, 8, 0x00001A00);   // root dispersion
        PutUint32(out, 12, referenceId);
        PutUint32(out, 16, 0xE9F19400);
        PutUint32(out, 20, 0);
        PutUint32(out, 24, originate.seconds);
        PutUint32(out, 28, originate.fraction);
        PutUint32(out, 32, receive.seconds);
        PutUint32(out, 36, receive.fraction);
        PutUint32(out, 40, transmit.seconds);
        PutUint32(out, 44, transmit.fraction);
        out.resize(length);
        return out;
    }
};

constexpr std::uint32_t Code(const char (&text)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[2])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[3]));
}

TEST(BuildSntpRequest, IsAVersion3ClientPacketCarryingOnlyTheTransmitTime) {
    const auto packet = BuildSntpRequest({0x01020304, 0xA0B0C0D0});
    ASSERT_EQ(packet.size(), 48u);
    EXPECT_EQ(packet[0], 0x1B);
    for (std::size_t i = 1; i < 40; ++i)
        EXPECT_EQ(packet[i], 0) << "byte " << i;
    const std::uint8_t transmit[] = {0x01, 0x02, 0x03, 0x04, 0xA0, 0xB0, 0xC0, 0xD0};
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(packet[40 + i], transmit[i]) << "byte " << 40 + i;
}

TEST(NtpTimestamps, ConvertBothWaysAcrossTheEraRollover) {
    struct Case {
        const char* name;
        NtpTimestamp ntp;
        double unixMs;
    };
    const Case cases[] = {
        {"Unix epoch", {0x83AA7E80, 0}, 0},
        {"2000-01-01 00:00:00.500", {0xBC17C200, 0x80000000}, 946684800500.0},
        {"2024-05-17 08:30:15.250", {0xE9F19417, 0x40000000}, 1715934615250.0},
        {"first second of era 0 read as such, 1968-01-20 03:14:08",
         {0x80000000, 0},
         -61505152000.0},
        {"last second of era 0, 2036-02-07 06:28:15", {0xFFFFFFFF, 0}, 2085978495000.0},
        {"first instant of era 1, 2036-02-07 06:28:16.250",
         {0x00000000, 0x40000000},
         2085978496250.0},
        {"2040-02-29 12:00:00 in era 1", {0x07A36E40, 0}, 2214129600000.0},
        {"last second of era 1, 2104-02-26 09:42:23", {0x7FFFFFFF, 0}, 4233462143000.0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(NtpToUnixMs(c.ntp), c.unixMs) << c.name;
        EXPECT_EQ(UnixMsToNtp(c.unixMs), c.ntp) << c.name;
    }
}

TEST(NtpTimestamps, RoundTripKeepsFarBelowAMillisecondOverBothEras) {
    std::mt19937_64 random(20240517);
    // 1968-01-20 .. 2104-02-26
    std::uniform_real_distribution<double> instant(-61505152000.0, 4233462143000.0);
    double worst = 0;
    for (int i = 0; i < 20000; ++i) {
        const double unixMs = instant(random);
        worst = std::max(worst, std::fabs(NtpToUnixMs(UnixMsToNtp(unixMs)) - unixMs));
    }
    EXPECT_LT(worst, 0.001) << "worst round-trip error in ms";
}

TEST(NtpTimestamps, AFractionRoundingUpToAWholeSecondCarries) {
    EXPECT_EQ(UnixMsToNtp(999.9999999999), (NtpTimestamp{0x83AA7E81, 0}));
    EXPECT_EQ(UnixMsToNtp(-0.0000000001), (NtpTimestamp{0x83AA7E80, 0}));
    EXPECT_EQ(UnixMsToNtp(-500), (NtpTimestamp{0x83AA7E7F, 0x80000000}));
}

TEST(NtpTimestamps, ANonFiniteClockGivesTheZeroTimestamp) {
    for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e300})
        EXPECT_TRUE(UnixMsToNtp(bad).isZero()) << bad;
}

TEST(ParseSntpReply, ReadsEveryHeaderField) {
    ReplyBuilder builder;
    builder.leap = 1;
    builder.version = 4;
    builder.length = 68; // followed by a key identifier and digest
    const auto reply = ParseSntpReply(builder.bytes());
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->leap, 1);
    EXPECT_EQ(reply->version, 4);
    EXPECT_EQ(reply->mode, 4);
    EXPECT_EQ(reply->stratum, 2);
    EXPECT_EQ(reply->poll, 6);
    EXPECT_EQ(reply->precision, -23);
    EXPECT_EQ(reply->rootDelay, 0x00000C00u);
    EXPECT_EQ(reply->rootDispersion, 0x00001A00u);
    EXPECT_EQ(reply->referenceId, 0xC0000201u);
    EXPECT_EQ(reply->reference, (NtpTimestamp{0xE9F19400, 0}));
    EXPECT_EQ(reply->originate, kRequest);
    EXPECT_EQ(reply->receive, builder.receive);
    EXPECT_EQ(reply->transmit, builder.transmit);
    EXPECT_FALSE(ParseSntpReply(builder.bytes().substr(0, 47)).has_value());
}

TEST(SntpReferenceIdText, IsACodeAtStrataZeroAndOneAndAnAddressAbove) {
    struct Case {
        int stratum;
        std::uint32_t id;
        std::string text;
    };
    const Case cases[] = {
        {0, Code("RATE"), "RATE"},
        {0, Code("DENY"), "DENY"},
        {1, 0x47505300, "GPS"},  // trailing NUL dropped
        {0, 0x52000045, "R??E"}, // NUL inside the code
        {0, 0x52FF0A45, "R??E"}, // bytes outside printable ASCII
        {0, 0, ""},              // no code at all
        {2, 0xC0000201, "192.0.2.1"},
        {15, 0xFFFFFFFF, "255.255.255.255"},
    };
    for (const Case& c : cases) {
        SntpReply reply;
        reply.stratum = c.stratum;
        reply.referenceId = c.id;
        EXPECT_EQ(SntpReferenceIdText(reply), c.text) << std::hex << c.id;
    }
}

TEST(DecodeSntpReply, JudgesEachReplyAndNamesTheFirstFailedCheck) {
    struct Case {
        const char* name;
        ReplyBuilder reply;
        SntpUnusable unusable;
        std::string text;
    };
    const auto with = [](auto change) {
        ReplyBuilder builder;
        change(builder);
        return builder;
    };
    const Case cases[] = {
        {"healthy stratum 2", ReplyBuilder{}, SntpUnusable::None, ""},
        {"stratum 1", with([](ReplyBuilder& r) { r.stratum = 1; }), SntpUnusable::None, ""},
        {"stratum 15", with([](ReplyBuilder& r) { r.stratum = 15; }), SntpUnusable::None, ""},
        {"leap second announced", with([](ReplyBuilder& r) { r.leap = 2; }), SntpUnusable::None,
         ""},
        {"version 4 reply", with([](ReplyBuilder& r) { r.version = 4; }), SntpUnusable::None, ""},
        {"with key and digest", with([](ReplyBuilder& r) { r.length = 68; }), SntpUnusable::None,
         ""},
        {"47 bytes", with([](ReplyBuilder& r) { r.length = 47; }), SntpUnusable::ShortReply,
         "short reply"},
        {"empty datagram", with([](ReplyBuilder& r) { r.length = 0; }), SntpUnusable::ShortReply,
         "short reply"},
        {"client packet reflected", with([](ReplyBuilder& r) { r.mode = 3; }),
         SntpUnusable::NotServerReply, "not a server reply"},
        {"broadcast packet", with([](ReplyBuilder& r) { r.mode = 5; }),
         SntpUnusable::NotServerReply, "not a server reply"},
        {"stale answer to another request",
         with([](ReplyBuilder& r) { r.originate.fraction ^= 1; }), SntpUnusable::OriginateMismatch,
         "originate mismatch"},
        {"no originate at all", with([](ReplyBuilder& r) { r.originate = {}; }),
         SntpUnusable::OriginateMismatch, "originate mismatch"},
        {"kiss RATE, with the alarm leap indicator a server sends with it",
         with([](ReplyBuilder& r) {
             r.stratum = 0;
             r.leap = 3;
             r.referenceId = Code("RATE");
         }),
         SntpUnusable::KissOfDeath, "stratum 0 (RATE)"},
        {"kiss DENY", with([](ReplyBuilder& r) {
             r.stratum = 0;
             r.referenceId = Code("DENY");
         }),
         SntpUnusable::KissOfDeath, "stratum 0 (DENY)"},
        {"stratum 0 without a code", with([](ReplyBuilder& r) {
             r.stratum = 0;
             r.referenceId = 0;
         }),
         SntpUnusable::KissOfDeath, "stratum 0"},
        {"forged kiss is not obeyed", with([](ReplyBuilder& r) {
             r.stratum = 0;
             r.referenceId = Code("DENY");
             r.originate = {};
         }),
         SntpUnusable::OriginateMismatch, "originate mismatch"},
        {"unsynchronised server", with([](ReplyBuilder& r) { r.leap = 3; }),
         SntpUnusable::LeapIndicator3, "leap indicator 3"},
        {"stratum 16", with([](ReplyBuilder& r) { r.stratum = 16; }), SntpUnusable::StratumTooHigh,
         "stratum 16"},
        {"stratum 255", with([](ReplyBuilder& r) { r.stratum = 255; }),
         SntpUnusable::StratumTooHigh, "stratum 255"},
        {"zero transmit time", with([](ReplyBuilder& r) { r.transmit = {}; }),
         SntpUnusable::ZeroTransmitTime, "zero transmit time"},
    };
    for (const Case& c : cases) {
        const SntpDecoded decoded = DecodeSntpReply(c.reply.bytes(), kRequest);
        EXPECT_EQ(decoded.unusable, c.unusable) << c.name;
        EXPECT_EQ(decoded.usable(), c.unusable == SntpUnusable::None) << c.name;
        EXPECT_EQ(SntpUnusableText(decoded), c.text) << c.name;
        EXPECT_EQ(decoded.reply.has_value(), c.unusable != SntpUnusable::ShortReply) << c.name;
    }
}

TEST(ComputeSntpClockOffset, GivesDelayAndOffsetOfTheFourInstants) {
    struct Case {
        const char* name;
        SntpInstants t;
        double offsetMs, delayMs;
    };
    const Case cases[] = {
        {"server 2.5 s ahead, 50 ms each way, 1 ms in the server", {0, 2550, 2551, 101}, 2500, 100},
        {"server 0.75 s behind, 20 ms each way", {10000, 9270, 9270, 10040}, -750, 40},
        {"slow way out, fast way back: half the difference shows in the offset",
         {0, 30, 30, 40},
         10,
         40},
        {"clocks agree, instant network", {5, 5, 5, 5}, 0, 0},
        {"in era 1",
         {2085978496000.0, 2085978496110.5, 2085978496111.0, 2085978496021.0},
         100.25,
         20.5},
    };
    for (const Case& c : cases) {
        const SntpClockOffset result = ComputeSntpClockOffset(c.t);
        EXPECT_NEAR(result.offsetMs, c.offsetMs, 1e-6) << c.name;
        EXPECT_NEAR(result.delayMs, c.delayMs, 1e-6) << c.name;
    }
}

TEST(DecodeSntpReply, AReplyFromTheNextEraGivesItsYear) {
    ReplyBuilder builder;
    builder.receive = {0x07A36E40, 0x80000000}; // 2040-02-29 12:00:00.500
    builder.transmit = {0x07A36E40, 0x80418937};
    const SntpDecoded decoded = DecodeSntpReply(builder.bytes(), kRequest);
    ASSERT_TRUE(decoded.usable());
    EXPECT_NEAR(NtpToUnixMs(decoded.reply->transmit), 2214129600501.0, 0.001);
}

} // namespace
} // namespace skelvane

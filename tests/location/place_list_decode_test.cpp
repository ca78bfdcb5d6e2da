#include "location/place_list.h"
#include "location/place_list_decode.h"
#include "place_list_fixtures.h"

#include <gtest/gtest.h>
#include <random>

namespace skelvane {
namespace {

using testing::EncodePlaceList;
using testing::EncryptPayload;
using testing::ReadFixture;

// tests/data/location/small.dat is small.txt encoded by tools/placelist (--encode), so
// this also holds the builder's cipher and code page to the reader's.
TEST(DecodePlaceList, ReadsAFileMadeByTheBuilder) {
    const DecodedPlaceList decoded =
        DecodePlaceList(ReadFixture("small.dat"), PlaceListPassphrase());
    ASSERT_EQ(decoded.error, "");
    const PlaceList list = PlaceList::FromAnsiText(decoded.text);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list.line(0), "Z\xC3\xBCrich; ;Switzerland; ;47-22-00N;008-33-00E;408");
    EXPECT_EQ(
        list.line(1),
        "Caf\xC3\xA9 \xE2\x82\xAC Corner;NY;United States;KNYC;40-45-06N;073-59-39W;47; ;10001");
    EXPECT_EQ(list.line(2), "");
    EXPECT_EQ(list.line(3), "Last;line");
}

TEST(DecodePlaceList, BadInputGivesAMessageAndNoText) {
    const std::vector<std::uint8_t> good = ReadFixture("small.dat");
    const std::string passphrase = PlaceListPassphrase();
    std::vector<std::uint8_t> corrupt = good;
    corrupt[good.size() / 2] ^= 0x5A;
    const std::vector<std::uint8_t> flipped = corrupt;
    std::vector<std::uint8_t> random(4096);
    std::mt19937 generator(20240601);
    for (std::uint8_t& byte : random)
        byte = static_cast<std::uint8_t>(generator());
    // Random bytes behind a header that passes, so the inflater has to reject them.
    const std::vector<std::uint8_t> randomBehindGoodHeader = EncryptPayload(random, passphrase);
    const std::vector<std::uint8_t> checkByteZero = EncryptPayload({0x03, 0x00}, passphrase, 0x00);

    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        std::string passphrase;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"wrong passphrase", good, "not the passphrase", std::string(kWrongPassphraseMessage)},
        {"empty file",
         {},
         passphrase,
         "Inflate: stream is too short to hold the encryption header"},
        {"header cut",
         {good.begin(), good.begin() + 11},
         passphrase,
         "Inflate: stream is too short to hold the encryption header"},
        {"header only",
         {good.begin(), good.begin() + 12},
         passphrase,
         "Inflate: stream ends too early (the file is cut off)"},
        {"cut in half",
         {good.begin(), good.begin() + static_cast<long>(good.size() / 2)},
         passphrase,
         "Inflate: stream ends too early (the file is cut off)"},
        {"last byte missing",
         {good.begin(), good.end() - 1},
         passphrase,
         "Inflate: stream ends too early (the file is cut off)"},
        {"random bytes", random, passphrase, std::string(kWrongPassphraseMessage)},
        {"check byte not 0xFF", checkByteZero, passphrase, std::string(kWrongPassphraseMessage)},
    };
    for (const Case& c : cases) {
        const DecodedPlaceList decoded = DecodePlaceList(c.bytes, c.passphrase);
        EXPECT_EQ(decoded.error, c.message) << c.what;
        EXPECT_TRUE(decoded.text.empty()) << c.what;
    }
    for (const std::vector<std::uint8_t>* bytes : {&flipped, &randomBehindGoodHeader}) {
        const DecodedPlaceList decoded = DecodePlaceList(*bytes, passphrase);
        EXPECT_EQ(decoded.error.rfind("Inflate: ", 0), 0u) << decoded.error;
        EXPECT_TRUE(decoded.text.empty());
    }
}

TEST(DecodePlaceList, RefusesToInflateBeyondTheLimit) {
    const std::string passphrase = PlaceListPassphrase();
    const std::string text(1 << 20, 'a'); // a megabyte that deflates to about a kilobyte
    const std::vector<std::uint8_t> file = EncodePlaceList(text, passphrase);
    EXPECT_EQ(DecodePlaceList(file, passphrase, text.size()).text, text); // exactly fits
    const DecodedPlaceList refused = DecodePlaceList(file, passphrase, 64 * 1024);
    EXPECT_EQ(refused.error, "Inflate: the place list inflates to more than 65536 bytes");
    EXPECT_TRUE(refused.text.empty());
}

TEST(DecodePlaceList, AnEmptyStreamIsAnEmptyList) {
    const std::string passphrase = PlaceListPassphrase();
    const DecodedPlaceList decoded = DecodePlaceList(EncodePlaceList("", passphrase), passphrase);
    EXPECT_EQ(decoded.error, "");
    EXPECT_TRUE(PlaceList::FromAnsiText(decoded.text).empty());
}

} // namespace
} // namespace skelvane

// Arbitrary bytes, whether behind a valid header or as the text of a list, give messages
// or empty answers and never a crash (this suite also runs under the sanitizers).
#include "location/place_list_decode.h"
#include "location/place_pick.h"
#include "location/place_queries.h"
#include "location/place_tables.h"
#include "place_list_fixtures.h"

#include <gtest/gtest.h>
#include <random>

namespace skelvane {
namespace {

TEST(GarbageInput, RandomPayloadsBehindAGoodHeader) {
    const std::string passphrase = PlaceListPassphrase();
    std::mt19937 generator(7);
    int rejected = 0;
    for (int round = 0; round < 300; ++round) {
        std::vector<std::uint8_t> payload(1 + generator() % 3000);
        for (std::uint8_t& byte : payload)
            byte = static_cast<std::uint8_t>(generator());
        const DecodedPlaceList decoded =
            DecodePlaceList(testing::EncryptPayload(payload, passphrase), passphrase, 1 << 20);
        EXPECT_TRUE(decoded.error.empty() || decoded.text.empty()); // no text with a message
        rejected += !decoded.error.empty();
    }
    EXPECT_GT(rejected, 290);
}

TEST(GarbageInput, QueriesOverLinesOfNoise) {
    // Bytes drawn mostly from the characters the readers look at, so fields, coordinates
    // and codes are half-formed rather than absent.
    const std::string alphabet = "0123456789;;;;--NSEWnsew KNY \xFC\r\n\n";
    std::mt19937 generator(11);
    std::string text;
    while (text.size() < 1200000)
        text += alphabet[generator() % alphabet.size()];
    const PlaceList list = PlaceList::FromAnsiText(text);
    ASSERT_GT(list.size(), kForecastFirstLine);

    EXPECT_NO_THROW({
        CountryPlaces(list, "NY");
        StatePlaces(list, "NY");
        ForecastCities(list, "NY");
        FindZip(list, "1");
        FindZipLine(list, "00000");
        const auto closest = FindClosest(list, {10, -20});
        if (closest)
            ClosestStationEdits(list.line(*closest), true);
        for (std::size_t i = 0; i < list.size(); i += 101) {
            PickPlace(list.line(i), i % 2 == 0);
            GetLatLon(list.line(i));
        }
    });
}

} // namespace
} // namespace skelvane

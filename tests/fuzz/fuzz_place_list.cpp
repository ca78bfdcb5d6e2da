// A place-list file is whatever lies beside the program under the right name. The first byte
// of the input chooses the stage the rest of it reaches:
//   0  the file as it stands: header check, decryption, inflate;
//   1  a deflate stream: put behind a valid header and encrypted here, so that the fuzzer
//      steers what the inflater sees rather than the cipher's output;
//   2  the inflated text: split into lines, and the lines read as the place boxes, the
//      postal-code search, the nearest station and a picked place read them.
// Every stage must give a clear result: a decoded text within the size cap or a message,
// never both; queries whose every answer names a line of the list.
#include "location/place_list.h"
#include "location/place_list_decode.h"
#include "location/place_pick.h"
#include "location/place_queries.h"
#include "location/place_text.h"
#include "location/zip_crypto.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kMaxText = 1u << 20; // keeps a fuzz run's memory small
constexpr std::size_t kMaxLinesPicked = 64;

// Stops the run with the line of the failed check, which the fuzzer's report then shows.
void Check(bool condition, int line = __builtin_LINE()) {
    if (!condition) {
        std::fprintf(stderr, "check failed at line %d\n", line);
        std::abort();
    }
}

bool CharactersAtMost(std::string_view utf8, std::size_t count) {
    std::size_t characters = 0;
    for (const char c : utf8)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return characters <= count;
}

void CheckChoices(const skelvane::PlaceList& list,
                  const std::vector<skelvane::PlaceChoice>& choices) {
    for (const auto& choice : choices)
        Check(choice.line < list.size());
}

void ReadLines(const skelvane::PlaceList& list) {
    using namespace skelvane;
    for (std::size_t i = 0; i < list.size() && i < kMaxLinesPicked; ++i) {
        const std::string_view line = list.line(i);
        Check(line.find_first_of("\r\n") == std::string_view::npos);
        for (const bool unitedStates : {true, false}) {
            const PickedPlace picked = PickPlace(line, unitedStates);
            Check(CharactersAtMost(picked.city, kPlaceTextMax));
            Check(CharactersAtMost(picked.state, kPlaceTextMax));
            Check(CharactersAtMost(picked.country, kPlaceTextMax));
        }
        if (const auto at = GetLatLon(line)) {
            Check(at->latitude >= -92 && at->latitude <= 92);
            Check(at->longitude >= -182 && at->longitude <= 182);
        }
        ElevationMetres(line);
    }
    const std::string_view first = list.empty() ? std::string_view() : list.line(0);
    CheckChoices(list, CountryPlaces(list, PlaceField(first, 3)));
    CheckChoices(list, StatePlaces(list, PlaceField(first, 2)));
    CheckChoices(list, ForecastCities(list, PlaceField(first, 2)));
    if (const auto zip = FindZip(list, PlaceField(first, 9))) {
        Check(zip->matchLine < list.size());
        CheckChoices(list, zip->places);
        Check(zip->selected < static_cast<int>(zip->places.size()));
    }
    if (const auto closest = FindClosest(list, {40.7, -74.0}))
        Check(*closest < list.size());
    StationElevation(list, PlaceField(first, 4));
}

// A message and no text, or a text within the cap and no message.
void CheckDecoded(const skelvane::DecodedPlaceList& decoded) {
    Check(decoded.error.empty() || decoded.text.empty());
    Check(decoded.text.size() <= kMaxText);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace skelvane;
    if (size < 1)
        return 0;
    static const std::string passphrase = PlaceListPassphrase();
    const std::span<const std::uint8_t> rest(data + 1, size - 1);
    switch (data[0] % 3) {
    case 0:
        CheckDecoded(DecodePlaceList(rest, passphrase, kMaxText));
        break;
    case 1: {
        std::vector<std::uint8_t> file;
        file.reserve(kZipCryptoHeaderSize + rest.size());
        ZipCryptoKeys keys(passphrase);
        for (std::size_t i = 0; i + 1 < kZipCryptoHeaderSize; ++i)
            file.push_back(keys.encrypt(static_cast<std::uint8_t>(i * 37)));
        file.push_back(keys.encrypt(0xFF)); // the check byte the reader expects
        for (const std::uint8_t byte : rest)
            file.push_back(keys.encrypt(byte));
        const DecodedPlaceList decoded = DecodePlaceList(file, passphrase, kMaxText);
        CheckDecoded(decoded);
        if (decoded.error.empty())
            ReadLines(PlaceList::FromAnsiText(decoded.text));
        break;
    }
    default: {
        const std::string_view text(reinterpret_cast<const char*>(rest.data()), rest.size());
        ReadLines(PlaceList::FromAnsiText(text));
        break;
    }
    }
    return 0;
}

// Every web address builder on arbitrary place texts, numbers and look-up terms. Whatever
// goes in, an address must come out as one line of printable ASCII starting "http://", so
// that neither the address box nor the browser hand-off can be handed a line break or a
// control character.
//
// Input layout: byte 0 the forecast source, byte 1 the map code (both signed), byte 2 flags
// (Celsius, South, West, a forecast city), bytes 3-4 the country index (signed), bytes
// 5-12 and 13-20 the latitude and longitude as raw doubles; then texts separated by 0x1E:
// location field, pending city, state, country and postal code, station code, the forecast
// city's state and zone number, decimal separator, the six Set page edits, a look-up term.
#include "net/decode/forecast_address.h"
#include "net/decode/lookup_address.h"
#include "net/decode/map_address.h"
#include "net/decode/web_history.h"
#include "net/decode/web_links.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace skelvane;

constexpr std::size_t kHeaderSize = 21;
constexpr std::size_t kTextCount = 16;

void CheckAddress(std::string_view address) {
    if (address.substr(0, 7) != "http://")
        std::abort();
    for (const char c : address)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E)
            std::abort();
}

void CheckBuilt(const std::optional<std::string>& address) {
    if (address)
        CheckAddress(*address);
}

double ReadDouble(const std::uint8_t* bytes) {
    double value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::array<std::uint8_t, kHeaderSize> header{};
    std::memcpy(header.data(), data, std::min(size, kHeaderSize));
    const std::string_view rest =
        size > kHeaderSize ? std::string_view(reinterpret_cast<const char*>(data) + kHeaderSize,
                                              size - kHeaderSize)
                           : std::string_view();

    std::array<std::string_view, kTextCount> texts{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < kTextCount && start <= rest.size(); ++i) {
        const std::size_t end = std::min(rest.find('\x1E', start), rest.size());
        texts[i] = rest.substr(start, end - start);
        start = end + 1;
    }

    const int source = static_cast<std::int8_t>(header[0]);
    const int mapCode = static_cast<std::int8_t>(header[1]);
    const std::uint8_t flags = header[2];
    const int countryIndex = static_cast<std::int16_t>(header[3] | (header[4] << 8));

    ForecastInputs forecast;
    forecast.locationField = texts[0];
    forecast.pendingCity = texts[1];
    forecast.pendingState = texts[2];
    forecast.pendingCountry = texts[3];
    forecast.pendingCountryIndex = countryIndex;
    forecast.pendingPostalCode = texts[4];
    forecast.stationCode = texts[5];
    forecast.celsius = (flags & 1) != 0;
    if (flags & 8)
        forecast.forecastCity = ForecastCity{texts[6], texts[7]};
    forecast.source = source;
    CheckBuilt(ForecastAddress(forecast));
    for (int s = 0; s < kForecastSourceCount; ++s) {
        forecast.source = s;
        CheckBuilt(ForecastAddress(forecast));
    }

    MapInputs map;
    map.latitude = ReadDouble(&header[5]);
    map.longitude = ReadDouble(&header[13]);
    map.decimalSeparator = texts[8];
    map.setPage = {texts[9],  texts[10], texts[11], (flags & 2) != 0,
                   texts[12], texts[13], texts[14], (flags & 4) != 0};
    CheckAddress(MapAddress(mapCode, map));
    for (int code = 0; code <= 25; ++code)
        CheckAddress(MapAddress(code, map));
    CheckAddress("http://" + MapBox(map.latitude, map.longitude, 0.036, map.decimalSeparator));

    const std::string_view term = texts[15];
    for (Lookup lookup : {Lookup::kDictionary, Lookup::kThesaurus, Lookup::kSearch,
                          Lookup::kFeelLucky, Lookup::kWikipedia})
        CheckBuilt(LookupAddress(lookup, term));
    CheckAddress(SkyViewAddress(texts[4]));
    CheckBuilt(MeteorShowerPageAddress(mapCode));

    std::vector<std::string> history{std::string(texts[0]), std::string(texts[1])};
    const std::size_t before = history.size();
    const bool added = AddToHistoryList(history, term);
    if (history.size() != before + (added ? 1 : 0))
        std::abort();
    if (AddToHistoryList(history, term))
        std::abort(); // the same entry twice is stored once
    return 0;
}

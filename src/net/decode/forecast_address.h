#pragma once

#include "net/decode/web_endpoints.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace skelvane {

inline constexpr int kForecastSourceCount = 25;

// The entries of WeatherSourceBox, in order (the index is WeatherSourceBoxItemIndex).
const std::array<std::string_view, kForecastSourceCount>& ForecastSourceCaptions();

// The zone of a forecast city, "NYZ072": its state (field 2 of its shadow line) upper-cased,
// "Z" and its zone number (field 8) left-padded with 0 to three digits. Blanks around
// either field are ignored. Nothing unless the state is two ASCII letters and the zone
// number one to three digits: a broken place list cannot put other text into the path.
std::optional<std::string> ForecastZoneCode(std::string_view state, std::string_view zoneNumber);

// The place a forecast address asks for, read from the location field (CityStateZipEd).
// A field of exactly five decimal digits is the postal code, and city and state are the
// pending ones. Any other field: the postal code is the pending one, the city the text
// before the first ',' (all of it without a comma) and the state the text after it up to
// the next ',' (empty without a comma), both as they stand, blanks included.
struct ForecastPlace {
    std::string postalCode;
    std::string city;
    std::string state;
    bool postalCodeTyped = false; // the field held the five digits
};
ForecastPlace ReadLocationField(std::string_view locationField, std::string_view pendingCity,
                                std::string_view pendingState, std::string_view pendingPostalCode);

// The selected forecast city's shadow line, as far as the text forecast needs it.
struct ForecastCity {
    std::string_view state;      // field 2, e.g. "NY"
    std::string_view zoneNumber; // field 8, e.g. "72"
};

// What the forecast address is built from: the page's controls and PendingLocation.
struct ForecastInputs {
    int source = 0;                 // WeatherSourceBox index, 0 to 24
    std::string_view locationField; // CityStateZipEd text
    std::string_view pendingCity;
    std::string_view pendingState;
    std::string_view pendingCountry;
    int pendingCountryIndex = -1; // CountryIndexOf(pendingCountry); -1 when not in the box
    std::string_view pendingPostalCode;
    std::string_view stationCode; // WeatherStationCodeEd2
    bool celsius = false;         // temperatures shown in Celsius (unit letter C, else F)
    std::optional<ForecastCity> forecastCity; // nothing: no list or no city selected
};

// The address SetURL puts into the address box ("http://" + host + path and query), with
// the place texts escaped by EscapeUserText. Nothing when it cannot be built: a source
// outside 0 to 24, or the text forecast (source 2) without a forecast city or with a city
// whose zone fields are broken (see ForecastZoneCode). The page then leaves the box as it
// was.
std::optional<std::string> ForecastAddress(const ForecastInputs& inputs,
                                           const WebEndpoints& endpoints = DefaultWebEndpoints());

} // namespace skelvane

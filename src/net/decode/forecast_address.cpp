#include "net/decode/forecast_address.h"

#include "net/decode/region_codes.h"
#include "net/decode/web_address_text.h"

#include <algorithm>

namespace skelvane {

namespace {

static constexpr std::array<std::string_view, kForecastSourceCount> kCaptions = {
    "National Weather Service (Graphics)",
    "National Weather Service (Graphics - New)",
    "National Weather Service (Text)",
    "National Weather Service (Metar)",
    "NOAA Weather Front Map",
    "NWS National Hurricane Center",
    "Weather Underground - Ski Conditions",
    "Weather Underground (City Long)",
    "Weather Underground (City Short)",
    "Weather Underground (Entire State/Country)",
    "Weather Underground - USA Continent",
    "Weather Underground - Canada",
    "Weather Underground - Central America",
    "Weather Underground - South America",
    "Weather Underground - North Asia",
    "Weather Underground - South Asia",
    "Weather Underground - Europe",
    "Weather Underground - Australia",
    "Weather Underground - Africa",
    "Weather Underground - Antartica",
    "Weather.com (Zip Code)",
    "WeatherForYou (City, ST)",
    "AccuWeather (Long)",
    "AccuWeather (Short)",
    "Weather Pixie",
};

// The continent pages of sources 10 to 19, in source order.
static constexpr std::array<std::string_view, 10> kContinentCodes = {
    "US", "CN", "CA", "SA", "AS", "A2", "EU", "AU", "AF", "AN",
};

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool AllOf(std::string_view text, bool (*test)(char)) {
    return std::all_of(text.begin(), text.end(), test);
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string Query(std::string_view text) {
    return EscapeUserText(text, AddressPart::kQueryValue);
}
std::string PathPart(std::string_view text) {
    return EscapeUserText(text, AddressPart::kPath);
}

bool IsUnitedStatesName(std::string_view country) {
    return AsciiUpperCase(country) == "UNITED STATES";
}

} // namespace

const std::array<std::string_view, kForecastSourceCount>& ForecastSourceCaptions() {
    return kCaptions;
}

std::optional<std::string> ForecastZoneCode(std::string_view state, std::string_view zoneNumber) {
    state = TrimBlanks(state);
    zoneNumber = TrimBlanks(zoneNumber);
    if (state.size() != 2 || !AllOf(state, IsAsciiLetter))
        return std::nullopt;
    if (zoneNumber.empty() || zoneNumber.size() > 3 || !AllOf(zoneNumber, IsDigit))
        return std::nullopt;
    std::string zone = AsciiUpperCase(state) + "Z";
    zone.append(3 - zoneNumber.size(), '0');
    zone += zoneNumber;
    return zone;
}

ForecastPlace ReadLocationField(std::string_view locationField, std::string_view pendingCity,
                                std::string_view pendingState, std::string_view pendingPostalCode) {
    ForecastPlace place;
    if (locationField.size() == 5 && AllOf(locationField, IsDigit)) {
        place.postalCode = locationField;
        place.city = pendingCity;
        place.state = pendingState;
        place.postalCodeTyped = true;
        return place;
    }
    place.postalCode = pendingPostalCode;
    const auto comma = locationField.find(',');
    place.city = locationField.substr(0, comma);
    if (comma != std::string_view::npos) {
        const std::string_view rest = locationField.substr(comma + 1);
        place.state = rest.substr(0, rest.find(','));
    }
    return place;
}

std::optional<std::string> ForecastAddress(const ForecastInputs& in, const WebEndpoints& hosts) {
    const int s = in.source;
    if (s < 0 || s >= kForecastSourceCount)
        return std::nullopt;

    if (s == 2) {
        if (!in.forecastCity)
            return std::nullopt;
        const std::optional<std::string> zone =
            ForecastZoneCode(in.forecastCity->state, in.forecastCity->zoneNumber);
        if (!zone)
            return std::nullopt;
        const std::string state = AsciiLowerCase(TrimBlanks(in.forecastCity->state));
        return JoinAddress(hosts.zoneForecast, "/pub/data/forecasts/zone/" + state + "/" +
                                                   AsciiLowerCase(*zone) + ".txt");
    }

    const ForecastPlace place =
        ReadLocationField(in.locationField, in.pendingCity, in.pendingState, in.pendingPostalCode);
    const std::string city = Query(AsciiLowerCase(place.city));
    const std::string stateLower = Query(AsciiLowerCase(place.state));
    const std::string stateUpper = Query(AsciiUpperCase(place.state));
    const std::string postalCode = Query(place.postalCode);
    const std::string station = PathPart(AsciiUpperCase(in.stationCode));
    const bool unitedStates = IsUnitedStatesName(in.pendingCountry);

    switch (s) {
    case 0:
        return JoinAddress(hosts.forecastSearch,
                           "/zipcity.php?inputstring=" +
                               (place.postalCodeTyped ? postalCode : city + ",%20" + stateUpper));
    case 1:
        return JoinAddress(hosts.graphicalForecast, "/forecasts/graphical/sectors/");
    case 3:
        return JoinAddress(hosts.currentObservation, "/weather/current/" + station + ".html");
    case 4:
        return JoinAddress(hosts.frontMap, "/noaa/noaa.gif");
    case 5:
        return JoinAddress(hosts.hurricaneCenter, "/");
    case 6:
        return JoinAddress(hosts.weatherUnderground, "/ski/");
    case 7:
    case 8: {
        const WebEndpoint& host = s == 7 ? hosts.weatherUnderground : hosts.weatherUnderMobile;
        if (unitedStates)
            return JoinAddress(host, "/cgi-bin/findweather/getForecast?query=" + city + "%2C+" +
                                         stateLower);
        const std::string code = AsciiUpperCase(RegionCodeOfCountry(in.pendingCountryIndex));
        return JoinAddress(host, "/global/" + code + ".html");
    }
    case 9:
        return JoinAddress(hosts.weatherUnderMobile,
                           "/cgi-bin/findweather/getForecast?brand=mobile&query=" +
                               (unitedStates ? stateLower : Query(in.pendingCountry)));
    case 20:
        return JoinAddress(hosts.zipPortal, "/weather/local/" + PathPart(place.postalCode) + "?");
    case 21:
        return JoinAddress(hosts.cityPortal,
                           "/cgi-bin/forecast.cgi?city=" + city + "&sc=" + stateUpper);
    case 22:
    case 23:
        return JoinAddress(hosts.accuPortal,
                           std::string(s == 22 ? "/adcbin/public/local_index.asp"
                                               : "/adcbin/public/local_index_print.asp") +
                               "?partner=accuweather&zipcode=" + postalCode +
                               "&metric=" + (in.celsius ? "1" : "0"));
    case 24:
        return JoinAddress(hosts.weatherPixie,
                           "/displayimg.php?place=" + Query(AsciiUpperCase(in.stationCode)) +
                               "&trooper=Random&type=" + (in.celsius ? "C" : "F"));
    default: // 10 to 19: the continent pages
        return JoinAddress(hosts.weatherUnderground,
                           "/global/Region/" +
                               std::string(kContinentCodes[static_cast<std::size_t>(s - 10)]) +
                               "/2xST.html");
    }
}

} // namespace skelvane

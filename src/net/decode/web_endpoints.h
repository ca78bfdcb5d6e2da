#pragma once

#include <string>
#include <string_view>

namespace skelvane {

// Where a web service stands today, for the note of its endpoint.
enum class EndpointState {
    kServing, // the host answers the path the program builds
    kMoved,   // the service moved to this host and kept its path
    kGone,    // the service or its path is gone; the historic host answers with its own page
};

// One server an address of the Weather, Maps, Tools and link pages is built on.
struct WebEndpoint {
    std::string_view host = {}; // host name, may carry ":port"; no scheme, no slash
    EndpointState state = EndpointState::kServing;
    std::string_view note = {}; // what the host serves and why this host
    // A leading part of the built path that this host no longer has in its layout (the
    // weather service's data server dropped "/pub"); removed when the path starts with it.
    std::string_view droppedPathPrefix = {};
};

// Every host the address builders use. The defaults are hosts as of 2026-12; a caller may
// copy DefaultWebEndpoints() and point members elsewhere (a fixture server on 127.0.0.1, a
// mirror). The views must outlive every address built with the copy.
struct WebEndpoints {
    // Forecast sources (the Weather page).
    WebEndpoint forecastSearch;     // "/zipcity.php": place or postal-code forecast search
    WebEndpoint graphicalForecast;  // "/forecasts/graphical/sectors/"
    WebEndpoint zoneForecast;       // "/pub/data/forecasts/zone/": zone forecast texts
    WebEndpoint currentObservation; // "/weather/current/": a station's latest report page
    WebEndpoint frontMap;           // "/noaa/noaa.gif": the national weather front map
    WebEndpoint hurricaneCenter;    // the hurricane centre's home page
    WebEndpoint weatherUnderground; // the Weather Underground main site
    WebEndpoint weatherUnderMobile; // its mobile site
    WebEndpoint zipPortal;          // a weather portal addressed by postal code
    WebEndpoint cityPortal;         // a forecast site addressed by city and state
    WebEndpoint accuPortal;         // long and printable local pages
    WebEndpoint weatherPixie;       // the Weather Pixie image service

    // Map sites (the Maps page).
    WebEndpoint mapQuest;
    WebEndpoint googleMaps;
    WebEndpoint wikiMapia;
    WebEndpoint yahooMaps;
    WebEndpoint msnMaps;
    WebEndpoint flashEarth;
    WebEndpoint multiMap;
    WebEndpoint mapsOnUs;
    WebEndpoint randMcNally;
    WebEndpoint geologicalSurveyViewer;
    WebEndpoint mapMachine; // National Geographic's MapMachine
    WebEndpoint topoZone;
    WebEndpoint maptech;

    // Look-ups (the Tools page) and the search command of the clock window.
    WebEndpoint merriamWebster;
    WebEndpoint google;
    WebEndpoint wikipedia;

    // Fixed links of the Moon, Planet, Time, Satellite and Radar pages.
    WebEndpoint navalObservatory; // astronomical applications
    WebEndpoint moonImageSite;
    WebEndpoint worldClockSite;
    WebEndpoint skyMapPublisher;
    WebEndpoint satelliteImages; // the geostationary satellite image server
    WebEndpoint radarInfo;       // the weather service's radar information page
    WebEndpoint meteorShowerSite;
};

// The compiled-in hosts (as of 2026-12).
const WebEndpoints& DefaultWebEndpoints();

// "http://" + host + path, with the endpoint's dropped prefix taken off the path. Bytes of
// the host outside printable ASCII are written as %XX so that the address stays one line.
std::string JoinAddress(const WebEndpoint& endpoint, std::string_view pathAndQuery);

} // namespace skelvane

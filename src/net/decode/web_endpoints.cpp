#include "net/decode/web_endpoints.h"

#include "net/decode/web_address_text.h"

namespace skelvane {

namespace {

using enum EndpointState;

// Hosts as of 2026-12. Where a service moved and kept its path, the new host; where the
// service or its path is gone, the host that served it, so that the user gets that site's
// own answer. Paths and query keys are built by the address functions, never here.
static constexpr WebEndpoints kDefaultEndpoints{
    .forecastSearch = {"forecast.weather.gov", kMoved,
                       "National Weather Service forecast search; left the southern-region "
                       "server with its path"},
    .graphicalForecast = {"www.nws.noaa.gov", kGone,
                          "National Weather Service graphical forecast sectors; the pages "
                          "moved away from this path"},
    .zoneForecast = {"tgftp.nws.noaa.gov", kMoved,
                     "zone forecast texts on the weather service's data server, which "
                     "serves the old tree without its /pub prefix",
                     "/pub"},
    .currentObservation = {"weather.noaa.gov", kGone,
                           "per-station current weather pages; server retired"},
    .frontMap = {"www.wpc.ncep.noaa.gov", kMoved,
                 "Weather Prediction Center front map; the prediction centre renamed its "
                 "host and kept the path"},
    .hurricaneCenter = {"www.nhc.noaa.gov", kServing, "National Hurricane Center home page"},
    .weatherUnderground = {"www.wunderground.com", kServing,
                           "Weather Underground; its old script paths answer with the "
                           "site's own pages"},
    .weatherUnderMobile = {"mobile.wunderground.com", kGone,
                           "Weather Underground's mobile site; retired"},
    .zipPortal = {"www.weather.com", kGone,
                  "weather portal; pages by postal code under /weather/local/ are gone"},
    .cityPortal = {"www.weatherforyou.com", kGone,
                   "forecast site by city and state; its CGI search is gone"},
    .accuPortal = {"www.accuweather.com", kGone,
                   "local forecast pages; the /adcbin/ scripts are gone"},
    .weatherPixie = {"www.weatherpixie.com", kGone, "Weather Pixie images; service closed"},

    .mapQuest = {"www.mapquest.com", kGone, "MapQuest; map.adp links are gone"},
    .googleMaps = {"maps.google.com", kServing, "Google Maps; /maps?ll= still centres the map"},
    .wikiMapia = {"wikimapia.org", kServing, "WikiMapia; reads the place from the fragment"},
    .yahooMaps = {"maps.yahoo.com", kGone, "Yahoo Maps; closed"},
    .msnMaps = {"maps.msn.com", kGone, "MSN Maps; replaced by another service"},
    .flashEarth = {"www.flashearth.com", kGone, "Flash Earth; needed the Flash player"},
    .multiMap = {"www.multimap.com", kGone, "MultiMap; closed"},
    .mapsOnUs = {"www.mapsonus.com", kGone, "Maps On Us; closed"},
    .randMcNally = {"www.randmcnally.com", kGone, "Rand McNally; the map script is gone"},
    .geologicalSurveyViewer = {"nmviewogc.cr.usgs.gov", kGone,
                               "US Geological Survey's National Map viewer; retired"},
    .mapMachine = {"plasma.nationalgeographic.com", kGone,
                   "National Geographic MapMachine; closed"},
    .topoZone = {"www.topozone.com", kGone, "TopoZone; the map script is gone"},
    .maptech = {"mapserver.maptech.com", kGone, "Maptech map server; closed"},

    .merriamWebster = {"www.merriam-webster.com", kGone,
                       "Merriam-Webster; the /cgi-bin/ look-ups are gone"},
    .google = {"www.google.com", kServing, "Google search and home page"},
    .wikipedia = {"en.wikipedia.org", kServing, "English Wikipedia"},

    .navalObservatory = {"aa.usno.navy.mil", kServing,
                         "US Naval Observatory astronomical applications; /data/ is served, "
                         "the moon picture script is gone"},
    .moonImageSite = {"www.die.net", kServing, "current moon picture under /moon"},
    .worldClockSite = {"www.timeanddate.com", kServing, "world clock under /worldclock/"},
    .skyMapPublisher = {"www.skymaps.com", kServing, "monthly evening sky maps"},
    .satelliteImages = {"www.goes.noaa.gov", kServing,
                        "NOAA geostationary satellite images home page"},
    .radarInfo = {"www.srh.noaa.gov", kGone,
                  "the weather service's southern-region server; its radar guide moved "
                  "under another path"},
    .meteorShowerSite = {"www.meteorshowersonline.com", kServing,
                         "one page per shower, named after it"},
};

} // namespace

const WebEndpoints& DefaultWebEndpoints() {
    return kDefaultEndpoints;
}

std::string JoinAddress(const WebEndpoint& endpoint, std::string_view pathAndQuery) {
    const std::string_view dropped = endpoint.droppedPathPrefix;
    if (!dropped.empty() && pathAndQuery.size() > dropped.size() &&
        pathAndQuery.substr(0, dropped.size()) == dropped && pathAndQuery[dropped.size()] == '/')
        pathAndQuery.remove_prefix(dropped.size());
    std::string address = "http://";
    address += EscapeUnprintable(endpoint.host);
    address += pathAndQuery;
    return address;
}

} // namespace skelvane

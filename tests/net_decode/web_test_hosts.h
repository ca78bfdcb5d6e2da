#pragma once

#include "net/decode/web_endpoints.h"

namespace skelvane::testing {

// Endpoints whose hosts name the member they stand for ("zoneForecast.test"), so that a
// test row shows which server an address goes to whatever hosts the defaults choose. The
// dropped path prefixes of the defaults stay.
inline WebEndpoints NamedTestHosts() {
    WebEndpoints e = DefaultWebEndpoints();
#define SKELVANE_NAME_HOST(member) e.member.host = #member ".test"
    SKELVANE_NAME_HOST(forecastSearch);
    SKELVANE_NAME_HOST(graphicalForecast);
    SKELVANE_NAME_HOST(zoneForecast);
    SKELVANE_NAME_HOST(currentObservation);
    SKELVANE_NAME_HOST(frontMap);
    SKELVANE_NAME_HOST(hurricaneCenter);
    SKELVANE_NAME_HOST(weatherUnderground);
    SKELVANE_NAME_HOST(weatherUnderMobile);
    SKELVANE_NAME_HOST(zipPortal);
    SKELVANE_NAME_HOST(cityPortal);
    SKELVANE_NAME_HOST(accuPortal);
    SKELVANE_NAME_HOST(weatherPixie);
    SKELVANE_NAME_HOST(mapQuest);
    SKELVANE_NAME_HOST(googleMaps);
    SKELVANE_NAME_HOST(wikiMapia);
    SKELVANE_NAME_HOST(yahooMaps);
    SKELVANE_NAME_HOST(msnMaps);
    SKELVANE_NAME_HOST(flashEarth);
    SKELVANE_NAME_HOST(multiMap);
    SKELVANE_NAME_HOST(mapsOnUs);
    SKELVANE_NAME_HOST(randMcNally);
    SKELVANE_NAME_HOST(geologicalSurveyViewer);
    SKELVANE_NAME_HOST(mapMachine);
    SKELVANE_NAME_HOST(topoZone);
    SKELVANE_NAME_HOST(maptech);
    SKELVANE_NAME_HOST(merriamWebster);
    SKELVANE_NAME_HOST(google);
    SKELVANE_NAME_HOST(wikipedia);
    SKELVANE_NAME_HOST(navalObservatory);
    SKELVANE_NAME_HOST(moonImageSite);
    SKELVANE_NAME_HOST(worldClockSite);
    SKELVANE_NAME_HOST(skyMapPublisher);
    SKELVANE_NAME_HOST(satelliteImages);
    SKELVANE_NAME_HOST(radarInfo);
    SKELVANE_NAME_HOST(meteorShowerSite);
#undef SKELVANE_NAME_HOST
    return e;
}

} // namespace skelvane::testing

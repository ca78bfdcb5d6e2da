#include "net/decode/web_endpoints.h"

#include <gtest/gtest.h>
#include <string>

namespace skelvane {
namespace {

struct Member {
    const char* name;
    WebEndpoint WebEndpoints::*endpoint;
};
constexpr Member kMembers[] = {
    {"forecastSearch", &WebEndpoints::forecastSearch},
    {"graphicalForecast", &WebEndpoints::graphicalForecast},
    {"zoneForecast", &WebEndpoints::zoneForecast},
    {"currentObservation", &WebEndpoints::currentObservation},
    {"frontMap", &WebEndpoints::frontMap},
    {"hurricaneCenter", &WebEndpoints::hurricaneCenter},
    {"weatherUnderground", &WebEndpoints::weatherUnderground},
    {"weatherUnderMobile", &WebEndpoints::weatherUnderMobile},
    {"zipPortal", &WebEndpoints::zipPortal},
    {"cityPortal", &WebEndpoints::cityPortal},
    {"accuPortal", &WebEndpoints::accuPortal},
    {"weatherPixie", &WebEndpoints::weatherPixie},
    {"mapQuest", &WebEndpoints::mapQuest},
    {"googleMaps", &WebEndpoints::googleMaps},
    {"wikiMapia", &WebEndpoints::wikiMapia},
    {"yahooMaps", &WebEndpoints::yahooMaps},
    {"msnMaps", &WebEndpoints::msnMaps},
    {"flashEarth", &WebEndpoints::flashEarth},
    {"multiMap", &WebEndpoints::multiMap},
    {"mapsOnUs", &WebEndpoints::mapsOnUs},
    {"randMcNally", &WebEndpoints::randMcNally},
    {"geologicalSurveyViewer", &WebEndpoints::geologicalSurveyViewer},
    {"mapMachine", &WebEndpoints::mapMachine},
    {"topoZone", &WebEndpoints::topoZone},
    {"maptech", &WebEndpoints::maptech},
    {"merriamWebster", &WebEndpoints::merriamWebster},
    {"google", &WebEndpoints::google},
    {"wikipedia", &WebEndpoints::wikipedia},
    {"navalObservatory", &WebEndpoints::navalObservatory},
    {"moonImageSite", &WebEndpoints::moonImageSite},
    {"worldClockSite", &WebEndpoints::worldClockSite},
    {"skyMapPublisher", &WebEndpoints::skyMapPublisher},
    {"satelliteImages", &WebEndpoints::satelliteImages},
    {"radarInfo", &WebEndpoints::radarInfo},
    {"meteorShowerSite", &WebEndpoints::meteorShowerSite},
};
// Every member is in the list above, so the checks below see every host.
static_assert(sizeof(WebEndpoints) == std::size(kMembers) * sizeof(WebEndpoint));

// A host is joined as "http://" + host + path: a scheme, a path, a blank or an upper-case
// letter in it would make a different or broken address.
TEST(DefaultWebEndpoints, EveryHostIsABareLowerCaseHostNameWithANote) {
    for (const Member& m : kMembers) {
        const WebEndpoint& e = DefaultWebEndpoints().*m.endpoint;
        EXPECT_FALSE(e.host.empty()) << m.name;
        EXPECT_EQ(e.host.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789.-"),
                  std::string_view::npos)
            << m.name << ": " << e.host;
        EXPECT_NE(e.host.find('.'), std::string_view::npos) << m.name;
        EXPECT_FALSE(e.note.empty()) << m.name;
    }
}

TEST(DefaultWebEndpoints, MovedServicesUseTodaysHosts) {
    const WebEndpoints& e = DefaultWebEndpoints();
    EXPECT_EQ(e.forecastSearch.host, "forecast.weather.gov");
    EXPECT_EQ(e.zoneForecast.host, "tgftp.nws.noaa.gov");
    EXPECT_EQ(e.frontMap.host, "www.wpc.ncep.noaa.gov");
    EXPECT_EQ(e.forecastSearch.state, EndpointState::kMoved);
    EXPECT_EQ(e.zoneForecast.state, EndpointState::kMoved);
    EXPECT_EQ(e.frontMap.state, EndpointState::kMoved);
}

TEST(JoinAddress, DropsOnlyAWholeLeadingPathPartTheHostNoLongerHas) {
    const WebEndpoint data{"data.example", EndpointState::kMoved, "note", "/pub"};
    struct Case {
        const char* path;
        const char* expected;
    };
    const Case cases[] = {
        {"/pub/data/forecasts/zone/ny/nyz072.txt",
         "http://data.example/data/forecasts/zone/ny/nyz072.txt"},
        {"/public/x", "http://data.example/public/x"},
        {"/pub", "http://data.example/pub"},
        {"/data/pub/x", "http://data.example/data/pub/x"},
        {"/", "http://data.example/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JoinAddress(data, c.path), c.expected) << c.path;
    EXPECT_EQ(JoinAddress({"plain.example"}, "/pub/x"), "http://plain.example/pub/x");
}

TEST(JoinAddress, TakesAnOverriddenHostWithItsPortAndKeepsItOnOneLine) {
    WebEndpoints local = DefaultWebEndpoints();
    local.forecastSearch.host = "127.0.0.1:8089";
    EXPECT_EQ(JoinAddress(local.forecastSearch, "/zipcity.php"),
              "http://127.0.0.1:8089/zipcity.php");
    EXPECT_EQ(JoinAddress({"bad\nhost"}, "/"), "http://bad%0Ahost/");
}

} // namespace
} // namespace skelvane

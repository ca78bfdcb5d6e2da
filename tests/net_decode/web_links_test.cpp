#include "net/decode/web_links.h"

#include "web_test_hosts.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace skelvane {
namespace {

TEST(WebLinks, EachControlOpensItsPage) {
    const WebEndpoints hosts = testing::NamedTestHosts();
    struct Case {
        const char* control;
        std::string address;
        const char* expected;
    };
    const Case cases[] = {
        {"ViewMoonBut1", NavalObservatoryMoonImageAddress(hosts),
         "http://navalObservatory.test/idltemp/current_moon.php"},
        {"ViewMoonBut2", MoonImageSiteAddress(hosts), "http://moonImageSite.test/moon"},
        {"UsnoBut, USNOLab", NavalObservatoryDataAddress(hosts),
         "http://navalObservatory.test/data/"},
        {"ViewSkyBut", SkyViewAddress("02134", hosts),
         "http://weatherUnderground.test/sky/SkyRedirect.asp?&zipcode=02134"},
        {"SkyMapLab", SkyMapDownloadsAddress(hosts), "http://skyMapPublisher.test/downloads.html"},
        {"WorldClockBut", WorldClockAddress(hosts), "http://worldClockSite.test/worldclock/"},
        {"NatHurricaneCenterLab", HurricaneCenterAddress(hosts), "http://hurricaneCenter.test/"},
        {"NOAASatelliteLab", SatelliteImagesAddress(hosts), "http://satelliteImages.test/"},
        {"RadarInfoLab", RadarInfoAddress(hosts),
         "http://radarInfo.test/srh/jetstream/doppler/radarfaq.htm"},
        {"GroundClutterLab", GroundClutterInfoAddress(hosts),
         "http://radarInfo.test/srh/jetstream/doppler/radarfaq.htm#everything"},
        {"GoToGoogle", SearchHomeAddress(hosts), "http://google.test/"},
        {"ViewSkyBut with a hostile code", SkyViewAddress("1&x=\n", hosts),
         "http://weatherUnderground.test/sky/SkyRedirect.asp?&zipcode=1%26x=%0A"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.address, c.expected) << c.control;
}

TEST(WebLinks, HintsShowTheDefaultAddresses) {
    EXPECT_EQ(NavalObservatoryDataAddress(), "http://aa.usno.navy.mil/data/");
    EXPECT_EQ(SkyMapDownloadsAddress(), "http://www.skymaps.com/downloads.html");
}

TEST(WebLinks, SatelliteAndRadarPagesGetTheirControlsCaptionsHintsAndAddresses) {
    const WebEndpoints hosts = testing::NamedTestHosts();
    const auto satellite = SatellitePageLinks(hosts);
    const auto radar = RadarPageLinks(hosts);
    const struct {
        const FixedLink& link;
        const char *control, *caption, *hint, *address;
    } cases[] = {
        {satellite[0], "NatHurricaneCenterLab", "National Hurricane Center", "",
         "http://hurricaneCenter.test/"},
        {satellite[1], "NOAASatelliteLab", "NOAA Satellite Images", "",
         "http://satelliteImages.test/"},
        {radar[0], "RadarInfoLab", "Radar Info", "Go to NWS Radar Info",
         "http://radarInfo.test/srh/jetstream/doppler/radarfaq.htm"},
        {radar[1], "GroundClutterLab", "Clutter Info", "Go to Ground Clutter Info",
         "http://radarInfo.test/srh/jetstream/doppler/radarfaq.htm#everything"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.link.control, c.control);
        EXPECT_EQ(c.link.caption, c.caption) << c.control;
        EXPECT_EQ(c.link.hint, c.hint) << c.control;
        EXPECT_EQ(c.link.address, c.address) << c.control;
    }
}

TEST(MeteorShowerPageAddress, OpensThePageOfEachOfTheNineShowers) {
    const WebEndpoints hosts = testing::NamedTestHosts();
    EXPECT_EQ(MeteorShowerPageAddress(1, hosts), "http://meteorShowerSite.test/quadrantids.html");
    EXPECT_EQ(MeteorShowerPageAddress(4, hosts),
              "http://meteorShowerSite.test/showers/delta_aquarids.html");
    EXPECT_EQ(MeteorShowerPageAddress(9, hosts), "http://meteorShowerSite.test/geminids.html");
    EXPECT_EQ(MeteorShowerPageAddress(0, hosts), std::nullopt);
    EXPECT_EQ(MeteorShowerPageAddress(10, hosts), std::nullopt);
}

} // namespace
} // namespace skelvane

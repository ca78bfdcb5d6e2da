#include "net/decode/web_links.h"

#include "astro/meteor_showers.h"
#include "net/decode/web_address_text.h"

namespace skelvane {

namespace {

constexpr std::string_view kRadarQuestionsPage = "/srh/jetstream/doppler/radarfaq.htm";

} // namespace

std::string NavalObservatoryMoonImageAddress(const WebEndpoints& hosts) {
    return JoinAddress(hosts.navalObservatory, "/idltemp/current_moon.php");
}

std::string MoonImageSiteAddress(const WebEndpoints& hosts) {
    return JoinAddress(hosts.moonImageSite, "/moon");
}

std::string NavalObservatoryDataAddress(const WebEndpoints& hosts) {
    return JoinAddress(hosts.navalObservatory, "/data/");
}

std::string SkyViewAddress(std::string_view savedPostalCode, const WebEndpoints& hosts) {
    return JoinAddress(hosts.weatherUnderground,
                       "/sky/SkyRedirect.asp?&zipcode=" +
                           EscapeUserText(savedPostalCode, AddressPart::kQueryValue));
}

std::string SkyMapDownloadsAddress(const WebEndpoints& hosts) {
    return JoinAddress(hosts.skyMapPublisher, "/downloads.html");
}

std::string WorldClockAddress(const WebEndpoints& hosts) {
    return JoinAddress(hosts.worldClockSite, "/worldclock/");
}

std::string HurricaneCenterAddress(const WebEndpoints& hosts) {
    return JoinAddress(hosts.hurricaneCenter, "/");
}

std::string SatelliteImagesAddress(const WebEndpoints& hosts) {
    return JoinAddress(hosts.satelliteImages, "/");
}

std::string RadarInfoAddress(const WebEndpoints& hosts) {
    return JoinAddress(hosts.radarInfo, kRadarQuestionsPage);
}

std::string GroundClutterInfoAddress(const WebEndpoints& hosts) {
    return JoinAddress(hosts.radarInfo, std::string(kRadarQuestionsPage) + "#everything");
}

std::string SearchHomeAddress(const WebEndpoints& hosts) {
    return JoinAddress(hosts.google, "/");
}

std::optional<std::string> MeteorShowerPageAddress(int n, const WebEndpoints& hosts) {
    if (n < 1 || n > kMeteorShowerCount)
        return std::nullopt;
    return JoinAddress(hosts.meteorShowerSite,
                       "/" + std::string(MeteorShowers()[static_cast<std::size_t>(n - 1)].page));
}

std::array<FixedLink, 2> SatellitePageLinks(const WebEndpoints& hosts) {
    return {
        FixedLink{"NatHurricaneCenterLab", "National Hurricane Center", "",
                  HurricaneCenterAddress(hosts)},
        FixedLink{"NOAASatelliteLab", "NOAA Satellite Images", "", SatelliteImagesAddress(hosts)}};
}

std::array<FixedLink, 2> RadarPageLinks(const WebEndpoints& hosts) {
    return {
        FixedLink{"RadarInfoLab", "Radar Info", "Go to NWS Radar Info", RadarInfoAddress(hosts)},
        FixedLink{"GroundClutterLab", "Clutter Info", "Go to Ground Clutter Info",
                  GroundClutterInfoAddress(hosts)}};
}

} // namespace skelvane

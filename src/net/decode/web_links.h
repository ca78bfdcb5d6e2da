#pragma once

#include "net/decode/web_endpoints.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace skelvane {

// The fixed web links of the pages, each opened in the user's browser. The control that
// opens each one is named after it.

// ViewMoonBut1 (Moon page, "View 1"): the Naval Observatory's picture of today's Moon.
std::string NavalObservatoryMoonImageAddress(const WebEndpoints& endpoints = DefaultWebEndpoints());
// ViewMoonBut2 (Moon page, "View 2"): the moon-image site's picture of the Moon.
std::string MoonImageSiteAddress(const WebEndpoints& endpoints = DefaultWebEndpoints());
// UsnoBut (Moon page, "USNO Data") and USNOLab (Planet page, also its hint): the Naval
// Observatory's data services.
std::string NavalObservatoryDataAddress(const WebEndpoints& endpoints = DefaultWebEndpoints());
// ViewSkyBut (Planet page, "View Sky"): the sky view for the saved postal code (escaped
// like typed text).
std::string SkyViewAddress(std::string_view savedPostalCode,
                           const WebEndpoints& endpoints = DefaultWebEndpoints());
// SkyMapLab (Planet page, "Get Sky Map", also its hint): the sky-map publisher's downloads.
std::string SkyMapDownloadsAddress(const WebEndpoints& endpoints = DefaultWebEndpoints());
// WorldClockBut (Time page, "World Clock").
std::string WorldClockAddress(const WebEndpoints& endpoints = DefaultWebEndpoints());
// NatHurricaneCenterLab (Satellite page) and forecast source 5: the hurricane centre.
std::string HurricaneCenterAddress(const WebEndpoints& endpoints = DefaultWebEndpoints());
// NOAASatelliteLab (Satellite page): the satellite image server's home page.
std::string SatelliteImagesAddress(const WebEndpoints& endpoints = DefaultWebEndpoints());
// RadarInfoLab (Radar page, "Radar Info"): the weather service's radar questions page.
std::string RadarInfoAddress(const WebEndpoints& endpoints = DefaultWebEndpoints());
// GroundClutterLab (Radar page, "Clutter Info"): the same page at its "everything" part.
std::string GroundClutterInfoAddress(const WebEndpoints& endpoints = DefaultWebEndpoints());
// A link control of a page as the page builds it: its control name, caption, hint (empty:
// none) and the address it opens.
struct FixedLink {
    std::string_view control;
    std::string_view caption;
    std::string_view hint;
    std::string address;
};
// The Satellite page's two links: NatHurricaneCenterLab and NOAASatelliteLab.
std::array<FixedLink, 2> SatellitePageLinks(const WebEndpoints& endpoints = DefaultWebEndpoints());
// The Radar page's two links: RadarInfoLab and GroundClutterLab.
std::array<FixedLink, 2> RadarPageLinks(const WebEndpoints& endpoints = DefaultWebEndpoints());

// GoToGoogle (clock window, "&Google"): the search engine's home page.
std::string SearchHomeAddress(const WebEndpoints& endpoints = DefaultWebEndpoints());
// GoToMeteor1 ... GoToMeteor9: the meteor-shower site's page of shower n (1 to 9, the
// page names of MeteorShowers()); nothing for any other n.
std::optional<std::string>
MeteorShowerPageAddress(int n, const WebEndpoints& endpoints = DefaultWebEndpoints());

} // namespace skelvane

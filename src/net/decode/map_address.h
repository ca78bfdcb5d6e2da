#pragma once

#include "net/decode/web_endpoints.h"

#include <array>
#include <string>
#include <string_view>

namespace skelvane {

// One entry of the " Map Site " group and the map code it opens.
struct MapSite {
    std::string_view caption;
    int code = 0;
};
inline constexpr int kMapSiteCount = 24;
// The 24 sites in the group's order (the index is MapSiteIndex).
const std::array<MapSite, kMapSiteCount>& MapSites();

// The map code of a site index; code 0 (MapQuest) when no site is selected (-1) or the
// index is outside the group.
int MapCodeOfSite(int siteIndex);

// The two map thumbnails of the Moon page open these codes directly.
inline constexpr int kMoonPageStreetMapCode = 0;
inline constexpr int kMoonPageTopoMapCode = 17;

// The Set page's coordinate edits as they stand, for the MapQuest address (code 0).
struct MapSetPageEdits {
    std::string_view latDegrees, latMinutes, latSeconds;
    bool south = false; // NorthSouthComboBox shows "South"
    std::string_view lonDegrees, lonMinutes, lonSeconds;
    bool west = false; // EastWestComboBox shows "West"
};

// What a map address is built from.
struct MapInputs {
    double latitude = 0;                     // MapLocation, degrees, north positive
    double longitude = 0;                    // MapLocation, degrees, east positive
    std::string_view decimalSeparator = "."; // the locale's, used in every number
    MapSetPageEdits setPage;                 // code 0 only
};

// box(h): west, south, east and north edges of a box reaching h degrees each side in
// longitude and h / 1.783 degrees in latitude, each F5, joined by ",".
std::string MapBox(double latitude, double longitude, double h, std::string_view decimalSeparator);

// The address GetMap opens for a map code: codes 1 to 24 as their sites ask, code 0 and
// every other code (25 or more, or negative) MapQuest from the Set page's edits, whose
// texts are escaped by EscapeUserText.
std::string MapAddress(int code, const MapInputs& inputs,
                       const WebEndpoints& endpoints = DefaultWebEndpoints());

} // namespace skelvane

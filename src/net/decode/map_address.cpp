#include "net/decode/map_address.h"

#include "net/decode/web_address_text.h"

namespace skelvane {

namespace {

static constexpr std::array<MapSite, kMapSiteCount> kMapSites = {{
    {"MapQuest", 0},
    {"Google Maps", 1},
    {"WkiMapia Roadmap", 2},
    {"WikiMapia Hybrid", 3},
    {"Yahoo Roadmap", 4},
    {"Yahoo Hybrid", 5},
    {"MSN Maps", 6},
    {"Flash Earth", 7},
    {"MultiMap", 8},
    {"Maps On Us (USA Only)", 9},
    {"Rand McNally (USA Only)", 10},
    {"US Geological Survey (USA)", 11},
    {"Aerial Photo Google", 12},
    {"Aerial Photo WikiMapia", 13},
    {"Aerial Photo Yahoo", 14},
    {"Aerial Photo Maptech", 15},
    {"Topographic TopoZone (USA)", 17},
    {"Topographic Maptech", 18},
    {"Topographic Nat Geo (USA)", 20},
    {"Terrain WkiMapia", 19},
    {"Satellite National Geographic", 16},
    {"Contour National Geo (USA)", 23},
    {"Aeronautical Chart Maptech", 21},
    {"Nautical Chart Maptech", 22},
}};

// Latitude reach of box(h) for a longitude reach of h: keeps the box's shape on screen.
constexpr double kBoxAspect = 1.783;

// Layers of the Geological Survey viewer: which feature classes and map layers are on.
constexpr std::string_view kGeologicalSurveyLayers =
    "&CLASSIDSON=16|39|4|8|27|23|20&LAYERSON=3380|10464|8007|6866|3373|4964|3374|3372|3378|"
    "3371|3370|7764|9939|10362|10361|10360|10359|1695|1694";

std::string Edit(std::string_view text) {
    return EscapeUserText(text, AddressPart::kQueryValue);
}

std::string MapQuestAddress(const MapSetPageEdits& e, const WebEndpoint& host) {
    const std::string latDegrees = (e.south ? "-" : "") + Edit(e.latDegrees);
    const std::string lonDegrees = (e.west ? "-" : "") + Edit(e.lonDegrees);
    return JoinAddress(host, "/maps/map.adp?latlongtype=degrees&latdeg=" + latDegrees +
                                 "&latmin=" + Edit(e.latMinutes) + "&latsec=" + Edit(e.latSeconds) +
                                 "&longdeg=" + lonDegrees + "&longmin=" + Edit(e.lonMinutes) +
                                 "&longsec=" + Edit(e.lonSeconds) + "&zoom=6&size=big");
}

} // namespace

const std::array<MapSite, kMapSiteCount>& MapSites() {
    return kMapSites;
}

int MapCodeOfSite(int siteIndex) {
    if (siteIndex < 0 || siteIndex >= kMapSiteCount)
        return 0;
    return kMapSites[static_cast<std::size_t>(siteIndex)].code;
}

std::string MapBox(double latitude, double longitude, double h, std::string_view decimalSeparator) {
    const double latitudeReach = h / kBoxAspect;
    return FormatFixed(longitude - h, 5, decimalSeparator) + "," +
           FormatFixed(latitude - latitudeReach, 5, decimalSeparator) + "," +
           FormatFixed(longitude + h, 5, decimalSeparator) + "," +
           FormatFixed(latitude + latitudeReach, 5, decimalSeparator);
}

std::string MapAddress(int code, const MapInputs& in, const WebEndpoints& hosts) {
    const std::string_view sep = in.decimalSeparator;
    const auto F = [sep](double value, int decimals) { return FormatFixed(value, decimals, sep); };
    const double lat = in.latitude;
    const double lon = in.longitude;

    switch (code) {
    case 1:
    case 12:
        return JoinAddress(hosts.googleMaps, "/maps?ll=" + F(lat, 6) + "," + F(lon, 6) +
                                                 "&spn=0.015,0.030" + (code == 12 ? "&t=k" : ""));
    case 2:
    case 3:
    case 13:
    case 19: {
        const char* m = code == 2 ? "m" : code == 3 ? "h" : code == 13 ? "s" : "t";
        return JoinAddress(hosts.wikiMapia,
                           "/#lat=" + F(lat, 5) + "&lon=" + F(lon, 5) + "&z=15&m=" + m);
    }
    case 4:
    case 5:
    case 14: {
        const char* m = code == 4 ? "m" : code == 5 ? "h" : "s";
        return JoinAddress(hosts.yahooMaps, std::string("/broadband/#mvt=") + m + "&lon=" +
                                                F(lon, 6) + "&lat=" + F(lat, 6) + "&mag=4");
    }
    case 6:
        return JoinAddress(hosts.msnMaps, "/map.aspx?&lats1=" + F(lat, 5) + "&lons1=" + F(lon, 5) +
                                              "&S=800,740&alts1=5");
    case 7:
        return JoinAddress(hosts.flashEarth,
                           "/?lat=" + F(lat, 6) + "&lon=" + F(lon, 6) + "&z=16.8&r=0&src=ggl");
    case 8:
        return JoinAddress(hosts.multiMap, "/map/browse.cgi?lat=" + F(lat, 4) +
                                               "&lon=" + F(lon, 4) + "&scale=10000&icon=x");
    case 9:
        // The blank after "?" is part of the site's address.
        return JoinAddress(hosts.mapsOnUs, "/swbd.main/dir/mapresults.htm? &zoom=3&cntLongitude=" +
                                               F(lon, 6) + "&cntLatitude=" + F(lat, 6));
    case 10:
        return JoinAddress(hosts.randMcNally,
                           "/rmc/directions/dirGetMap.jsp?val=large&h=false&aprt=&CT=" + F(lat, 6) +
                               "&CN=" + F(lon, 6) + "&l=9");
    case 11:
        return JoinAddress(hosts.geologicalSurveyViewer,
                           "/Run.htm?BBOX=" + MapBox(lat, lon, 0.041, sep) +
                               std::string(kGeologicalSurveyLayers));
    case 16:
    case 20:
    case 23:
    case 24: {
        const char* theme = code == 16 ? "100" : code == 20 ? "113" : code == 23 ? "118" : "110";
        return JoinAddress(hosts.mapMachine,
                           std::string("/mapmachine/viewandcustomize.html?task=getMap&themeId=") +
                               theme + "&size=l&ext=" + MapBox(lat, lon, 0.036, sep));
    }
    case 17:
        return JoinAddress(hosts.topoZone,
                           "/map.asp?lat=" + F(lat, 4) + "&lon=" + F(lon, 4) + "&size=large");
    case 15:
    case 18:
    case 21:
    case 22: {
        const char* type = code == 15 ? "3" : code == 18 ? "1" : code == 21 ? "2" : "0";
        return JoinAddress(hosts.maptech, "/homepage/index.cfm?lat=" + F(lat, 6) + "&lon=" +
                                              F(lon, 6) + "&scale=24000&zoom=50&type=" + type);
    }
    default:
        return MapQuestAddress(in.setPage, hosts.mapQuest);
    }
}

} // namespace skelvane

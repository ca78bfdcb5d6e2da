#include "net/decode/map_address.h"

#include "web_test_hosts.h"

#include <gtest/gtest.h>
#include <string>

namespace skelvane {
namespace {

// The Empire State Building; the Set page's edits show 40-44-56 N, 73-59-8 W.
MapInputs EmpireState() {
    MapInputs in;
    in.latitude = 40.748817;
    in.longitude = -73.985428;
    in.setPage = {"40", "44", "56", false, "73", "59", "8", true};
    return in;
}

std::string Built(int code, const MapInputs& in = EmpireState()) {
    return MapAddress(code, in, testing::NamedTestHosts());
}

const std::string kMapQuest =
    "http://mapQuest.test/maps/map.adp?latlongtype=degrees&latdeg=40&latmin=44&latsec=56"
    "&longdeg=-73&longmin=59&longsec=8&zoom=6&size=big";
const std::string kBox041 = "-74.02643,40.72582,-73.94443,40.77181";
const std::string kBox036 = "-74.02143,40.72863,-73.94943,40.76901";
const std::string kMapMachine =
    "http://mapMachine.test/mapmachine/viewandcustomize.html?task=getMap&themeId=";
const std::string kMaptech = "http://maptech.test/homepage/index.cfm?lat=40.748817"
                             "&lon=-73.985428&scale=24000&zoom=50&type=";

TEST(MapAddress, OneAddressPerMapCode) {
    struct Case {
        int code;
        std::string expected;
    };
    const Case cases[] = {
        {0, kMapQuest},
        {1, "http://googleMaps.test/maps?ll=40.748817,-73.985428&spn=0.015,0.030"},
        {2, "http://wikiMapia.test/#lat=40.74882&lon=-73.98543&z=15&m=m"},
        {3, "http://wikiMapia.test/#lat=40.74882&lon=-73.98543&z=15&m=h"},
        {4, "http://yahooMaps.test/broadband/#mvt=m&lon=-73.985428&lat=40.748817&mag=4"},
        {5, "http://yahooMaps.test/broadband/#mvt=h&lon=-73.985428&lat=40.748817&mag=4"},
        {6, "http://msnMaps.test/map.aspx?&lats1=40.74882&lons1=-73.98543&S=800,740&alts1=5"},
        {7, "http://flashEarth.test/?lat=40.748817&lon=-73.985428&z=16.8&r=0&src=ggl"},
        {8, "http://multiMap.test/map/browse.cgi?lat=40.7488&lon=-73.9854&scale=10000&icon=x"},
        {9, "http://mapsOnUs.test/swbd.main/dir/mapresults.htm? &zoom=3&cntLongitude=-73.985428"
            "&cntLatitude=40.748817"},
        {10, "http://randMcNally.test/rmc/directions/dirGetMap.jsp?val=large&h=false&aprt="
             "&CT=40.748817&CN=-73.985428&l=9"},
        {11, "http://geologicalSurveyViewer.test/Run.htm?BBOX=" + kBox041 +
                 "&CLASSIDSON=16|39|4|8|27|23|20&LAYERSON=3380|10464|8007|6866|3373|4964|3374|"
                 "3372|3378|3371|3370|7764|9939|10362|10361|10360|10359|1695|1694"},
        {12, "http://googleMaps.test/maps?ll=40.748817,-73.985428&spn=0.015,0.030&t=k"},
        {13, "http://wikiMapia.test/#lat=40.74882&lon=-73.98543&z=15&m=s"},
        {14, "http://yahooMaps.test/broadband/#mvt=s&lon=-73.985428&lat=40.748817&mag=4"},
        {15, kMaptech + "3"},
        {16, kMapMachine + "100&size=l&ext=" + kBox036},
        {17, "http://topoZone.test/map.asp?lat=40.7488&lon=-73.9854&size=large"},
        {18, kMaptech + "1"},
        {19, "http://wikiMapia.test/#lat=40.74882&lon=-73.98543&z=15&m=t"},
        {20, kMapMachine + "113&size=l&ext=" + kBox036},
        {21, kMaptech + "2"},
        {22, kMaptech + "0"},
        {23, kMapMachine + "118&size=l&ext=" + kBox036},
        {24, kMapMachine + "110&size=l&ext=" + kBox036},
        {25, kMapQuest},
        {1000, kMapQuest},
        {-1, kMapQuest},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Built(c.code), c.expected) << "code " << c.code;
}

TEST(MapSites, OpenTheirCodesAndMapQuestWithoutASelection) {
    const int codes[kMapSiteCount] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                      12, 13, 14, 15, 17, 18, 20, 19, 16, 23, 21, 22};
    for (int i = 0; i < kMapSiteCount; ++i)
        EXPECT_EQ(MapCodeOfSite(i), codes[i]) << i << " " << MapSites()[i].caption;
    EXPECT_EQ(MapSites()[9].caption, "Maps On Us (USA Only)");
    EXPECT_EQ(MapSites()[18].caption, "Topographic Nat Geo (USA)");
    EXPECT_EQ(MapCodeOfSite(-1), 0);
    EXPECT_EQ(MapCodeOfSite(kMapSiteCount), 0);
}

TEST(MapAddress, MapsOnUsKeepsTheBlankAfterTheQuestionMark) {
    const std::string address = Built(MapCodeOfSite(9));
    EXPECT_NE(address.find("mapresults.htm? &zoom=3"), std::string::npos) << address;
}

TEST(MapAddress, NatGeoTopographicBoxStartsWestOfTheLongitude) {
    MapInputs in = EmpireState();
    in.latitude = 40.75;
    in.longitude = -73.99;
    const std::string address = Built(MapCodeOfSite(18), in);
    EXPECT_EQ(address, kMapMachine + "113&size=l&ext=-74.02600,40.72981,-73.95400,40.77019");
}

// Every number of an address is written with the locale's decimal separator.
TEST(MapAddress, NumbersUseTheLocalesDecimalComma) {
    MapInputs in = EmpireState();
    in.decimalSeparator = ",";
    struct Case {
        int code;
        std::string expected;
    };
    const Case cases[] = {
        {1, "http://googleMaps.test/maps?ll=40,748817,-73,985428&spn=0.015,0.030"},
        {8, "http://multiMap.test/map/browse.cgi?lat=40,7488&lon=-73,9854&scale=10000&icon=x"},
        {16, kMapMachine + "100&size=l&ext=-74,02143,40,72863,-73,94943,40,76901"},
        {0, kMapQuest}, // the Set page's edits go in as they stand
    };
    for (const Case& c : cases)
        EXPECT_EQ(Built(c.code, in), c.expected) << "code " << c.code;
}

TEST(MapBox, ReachesHInLongitudeAndHOver1783InLatitude) {
    EXPECT_EQ(MapBox(0, 0, 1.783, "."), "-1.78300,-1.00000,1.78300,1.00000");
    EXPECT_EQ(MapBox(-33.86, 151.21, 0.036, "."), "151.17400,-33.88019,151.24600,-33.83981");
    // tiny negatives round to a zero without a sign
    EXPECT_EQ(MapBox(0.000001, 0.035999999, 0.036, "."), "0.00000,-0.02019,0.07200,0.02019");
}

TEST(MapAddress, SouthAndWestEditsGetAMinusAndTypedTextIsEscaped) {
    MapInputs in = EmpireState();
    in.setPage = {"33", "51", "35", true, "151", "12", "40", false};
    EXPECT_EQ(Built(0, in), "http://mapQuest.test/maps/map.adp?latlongtype=degrees&latdeg=-33"
                            "&latmin=51&latsec=35&longdeg=151&longmin=12&longsec=40&zoom=6"
                            "&size=big");
    in.setPage = {"4&0", "4\n4", "", false, "7#3", "", "", false};
    EXPECT_EQ(Built(0, in), "http://mapQuest.test/maps/map.adp?latlongtype=degrees&latdeg=4%260"
                            "&latmin=4%0A4&latsec=&longdeg=7%233&longmin=&longsec=&zoom=6"
                            "&size=big");
}

} // namespace
} // namespace skelvane

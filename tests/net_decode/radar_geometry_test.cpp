#include "net/decode/radar_geometry.h"

#include "net/decode/radar_views.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace skelvane {
namespace {

constexpr int kLongRange = 0;
constexpr int kShortRange = 1;

// Radar positions read from the shipped station list (fixed-width columns whose spans the
// dashed line under the header gives), keyed by site identifier: ICAO id without its first
// letter, lower case. Only NEXRAD rows.
std::map<std::string, LonLat> ReadStations() {
    std::ifstream in(SKELVANE_STATION_LIST);
    std::string header, dashes, line;
    std::getline(in, header);
    std::getline(in, dashes);
    auto span = [&](const std::string& name) {
        const std::size_t start = header.find(name);
        const std::size_t end = dashes.find(' ', start);
        return std::pair{start, end - start};
    };
    const auto icao = span("ICAO"), lat = span("LAT "), lon = span("LON "), type = span("STNTYPE");
    std::map<std::string, LonLat> stations;
    while (std::getline(in, line)) {
        if (line.size() < type.first || line.compare(type.first, 6, "NEXRAD") != 0)
            continue;
        std::string id = line.substr(icao.first + 1, 3);
        for (char& c : id)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        stations[id] = {std::stod(line.substr(lon.first, lon.second)),
                        std::stod(line.substr(lat.first, lat.second))};
    }
    return stations;
}

TEST(RadarSiteTables, EveryPictureCentreIsWithinOnePixelOfItsRadar) {
    const auto stations = ReadStations();
    ASSERT_GT(stations.size(), 155u) << SKELVANE_STATION_LIST;
    double worst = 0;
    std::string worstAt;
    for (int view = kFirstRadarSiteView; view < kRadarViewCount; ++view) {
        const auto station = stations.find(std::string(RadarSiteId(view)));
        ASSERT_NE(station, stations.end()) << RadarSiteId(view);
        for (int product : {kLongRange, kShortRange}) {
            const RadarGeometry g = GetScaleLonLat(view, product);
            const LonLat centre = WHToLonLat(600, 550, g);
            const double dx = std::fabs(centre.longitude - station->second.longitude) / g.xScale;
            const double dy = std::fabs(centre.latitude - station->second.latitude) / g.yScale;
            EXPECT_LE(dx, 1.0) << RadarSiteId(view) << " product " << product;
            EXPECT_LE(dy, 1.0) << RadarSiteId(view) << " product " << product;
            if (std::max(dx, dy) > worst) {
                worst = std::max(dx, dy);
                worstAt = std::string(RadarSiteId(view)) + " product " + std::to_string(product);
            }
        }
    }
    std::printf("worst picture centre: %.3f pixels from the radar (%s)\n", worst, worstAt.c_str());
}

// Short-range pictures keep about the same ground size a pixel: the longitude scale
// grows as 1 / cos(latitude). From about 0.0074 (Guam) to 0.0108 in the contiguous states
// and up to 0.0170 in Alaska.
TEST(RadarSiteTables, ShortRangeScaleFollowsTheLatitude) {
    constexpr double k = 0.007192; // degrees a pixel at the equator
    for (int view = kFirstRadarSiteView; view < kRadarViewCount; ++view) {
        const RadarGeometry g = GetScaleLonLat(view, kShortRange);
        const double latitude = WHToLonLat(600, 550, g).latitude;
        const double relative = g.xScale * std::cos(latitude * M_PI / 180) / k - 1;
        EXPECT_LT(std::fabs(relative), 0.002) << RadarSiteId(view) << " scale " << g.xScale;
        EXPECT_EQ(g.xScale, g.yScale) << RadarSiteId(view);
        EXPECT_GT(g.xScale, 0.0073) << RadarSiteId(view);
        EXPECT_LT(g.xScale, InRadarAlaskaGroup(view) ? 0.0171 : 0.0109) << RadarSiteId(view);
    }
}

TEST(RadarSiteTables, FixedRowsComeOutUnchanged) {
    struct Row {
        int view;
        double longWest, longNorth, shortScale, shortWest, shortNorth;
    };
    const Row rows[] = {
        {14, -155.705363, 64.718729, 0.014696211, -155.750514, 64.760112},
        {57, 140.454641, 17.445727, 0.007397683, 142.595399, 15.483664},
        {58, -160.137369, 24.121727, 0.007662575, -158.075947, 22.232377},
        {120, -77.220362, 44.858728, 0.009511441, -75.712675, 43.476892},
        {161, -126.850367, 52.187727, 0.010788491, -125.725156, 51.156440},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(GetScaleLonLat(r.view, kLongRange),
                  (RadarGeometry{4.0 / 275.0, 4.0 / 275.0, r.longWest, r.longNorth}))
            << r.view;
        for (int product = 1; product <= 6; ++product)
            EXPECT_EQ(GetScaleLonLat(r.view, product),
                      (RadarGeometry{r.shortScale, r.shortScale, r.shortWest, r.shortNorth}))
                << r.view << " product " << product;
    }
}

TEST(RadarMosaics, SmallUsaMapIsTheLargeOneShrunk) {
    const RadarGeometry small = GetScaleLonLat(0, kShortRange);
    const RadarGeometry large = GetScaleLonLat(1, kShortRange);
    const LonLat smallCentre = WHToLonLat(600, 282, small);
    const LonLat largeCentre = WHToLonLat(3400, 1600, large);
    EXPECT_NEAR(smallCentre.longitude, largeCentre.longitude, 1e-9);
    EXPECT_NEAR(smallCentre.latitude, largeCentre.latitude, 1e-9);
    const LonLat smallCorner = XYtoLonLat(600, 282, small, 1);
    const LonLat largeCorner = XYtoLonLat(3400, 1600, large, 1);
    EXPECT_NEAR(smallCorner.longitude, largeCorner.longitude, 1e-9);
    EXPECT_NEAR(smallCorner.latitude, largeCorner.latitude, 1e-9);
    EXPECT_EQ(large, (RadarGeometry{0.017971305190311, 0.017971305190311, -127.620375523875,
                                    50.406626367301}));
    EXPECT_EQ(GetScaleLonLat(12, kLongRange), (RadarGeometry{0.08331546, 0.039, -176, 73.9}));
    EXPECT_EQ(GetScaleLonLat(13, kLongRange), (RadarGeometry{0.015680116966933, 0.015680116966933,
                                                             -162.209677673567, 24.3939841050841}));
    EXPECT_EQ(GetScaleLonLat(-1, kShortRange), RadarGeometry{});
    EXPECT_EQ(GetScaleLonLat(169, kShortRange), RadarGeometry{});
}

// Each regional mosaic's picture holds the radars of its region.
TEST(RadarMosaics, RegionalPicturesHoldTheirRadars) {
    struct Case {
        int mosaic;
        std::initializer_list<int> sites;
    };
    const Case cases[] = {
        {1, {21, 45, 83, 120, 150, 161}}, // all of the contiguous states
        {2, {83, 120, 130}},              // NorthEast: Boston, New York, Philadelphia
        {3, {47, 50, 54}},                // SouthEast: Jacksonville, Miami, Atlanta
        {4, {66, 86, 122}},               // Great Lakes: Chicago, Detroit, Cleveland
        {7, {145, 150, 152}},             // Texas: Austin, Dallas, Houston
        {10, {129, 161}},                 // Pacific NorthWest: Portland, Seattle
        {11, {35, 39, 38}},               // California: Los Angeles, San Francisco, San Diego
        {12, {14, 15, 16, 17, 18, 19, 20}},
        {13, {58, 59, 60, 61}},
    };
    for (const Case& c : cases) {
        const RadarGeometry g = GetScaleLonLat(c.mosaic, kShortRange);
        const RadarMapSize size = GetMapSize(c.mosaic);
        for (int site : c.sites) {
            const LonLat radar = RadarViewCentre(site, kShortRange);
            const MapPixel p = LonLatToXY(radar.longitude, radar.latitude, g, 1);
            EXPECT_TRUE(p.x >= 0 && p.x < size.width && p.y >= 0 && p.y < size.height)
                << RadarViewName(site) << " at " << p.x << "," << p.y << " on mosaic " << c.mosaic;
        }
    }
}

TEST(RadarGeometry, CentreKeepsTheCornerOnAnAxisWithATooSmallScale) {
    EXPECT_EQ(WHToLonLat(600, 550, {0.01, 0.01, -80, 45}), (LonLat{-77, 42.25}));
    EXPECT_EQ(WHToLonLat(600, 550, {0.0001, 0.01, -80, 45}), (LonLat{-80, 42.25}));
    // The latitude limit is 0.001, ten times the longitude's.
    EXPECT_EQ(WHToLonLat(600, 550, {0.01, 0.001, -80, 45}), (LonLat{-77, 45}));
    EXPECT_EQ(XYtoLonLat(600, 550, {0.01, 0.001, -80, 45}, 1), (LonLat{-74, 44.45}));
    EXPECT_EQ(XYtoLonLat(600, 550, {0.0001, 0.0001, -80, 45}, 1), (LonLat{-80, 45}));
}

TEST(RadarGeometry, PixelAtZoomTwoIsHalfThePixelAtZoomOne) {
    for (int view : {0, 1, 2, 12, 14, 57, 120}) {
        const RadarGeometry g = GetScaleLonLat(view, kShortRange);
        const LonLat zoomed = XYtoLonLat(600, 550, g, 2.0);
        const LonLat plain = XYtoLonLat(300, 275, g, 1.0);
        EXPECT_DOUBLE_EQ(zoomed.longitude, plain.longitude) << view;
        EXPECT_DOUBLE_EQ(zoomed.latitude, plain.latitude) << view;
        EXPECT_EQ(XYtoLonLat(10, 10, g, 0.0), XYtoLonLat(10, 10, g, 1.0)) << "zoom 0 as 1";
    }
}

TEST(RadarGeometry, LonLatToXYRoundsHalvesToEvenAndInvertsXYtoLonLat) {
    const RadarGeometry unit{1, 1, 0, 0};
    struct Case {
        double lon, lat;
        MapPixel pixel;
    };
    const Case cases[] = {
        {0.5, -0.5, {0, 0}}, {1.5, -1.5, {2, 2}},   {2.5, -2.5, {2, 2}},
        {-0.5, 0.5, {0, 0}}, {-1.5, 1.5, {-2, -2}}, {2.4999, -3.5001, {2, 4}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LonLatToXY(c.lon, c.lat, unit, 1), c.pixel) << c.lon << "," << c.lat;

    for (double zoom : {1.0, 2.0}) {
        const RadarGeometry g = GetScaleLonLat(120, kShortRange);
        for (int x : {0, 1, 299, 300, 599, 1199})
            for (int y : {0, 274, 275, 549, 1099}) {
                const LonLat p = XYtoLonLat(x, y, g, zoom);
                EXPECT_EQ(LonLatToXY(p.longitude, p.latitude, g, zoom), (MapPixel{x, y}))
                    << x << "," << y << " zoom " << zoom;
            }
    }
}

TEST(RadarGeometry, LonLatToXYNeverOverflows) {
    EXPECT_EQ(LonLatToXY(10, 10, RadarGeometry{}, 1), (MapPixel{0, 0}));
    EXPECT_EQ(LonLatToXY(NAN, INFINITY, {0.01, 0.01, 0, 0}, 1), (MapPixel{0, 0}));
    EXPECT_EQ(LonLatToXY(1e300, -1e300, {1e-300, 1e-300, 0, 0}, 1), (MapPixel{0, 0}));
    EXPECT_EQ(LonLatToXY(1e20, -1e20, {1, 1, 0, 0}, 1), (MapPixel{1'000'000'000, 1'000'000'000}));
    EXPECT_EQ(LonLatToXY(-1e20, 1e20, {1, 1, 0, 0}, 2), (MapPixel{-1'000'000'000, -1'000'000'000}));
}

TEST(PointInQuadrant, CompassDirectionsOnTheFlatGrid) {
    struct Case {
        double siteLon, siteLat;
        int direction;
    };
    // Seen from (10, 40); longitude east is x, latitude north is y.
    const Case cases[] = {
        {10, 41, 1},   {11, 41, 2},   {11, 40, 3},   {11, 39, 4},   {10, 39, 5},
        {9, 39, 6},    {9, 40, 7},    {9, 41, 8},    {9.99, 41, 1}, // bearing 359.4
        {10.3, 41, 1}, {10.5, 41, 2}, {11, 40.2, 3}, {10, 40, 3},   // same point: bearing 90
    };
    for (const Case& c : cases)
        EXPECT_EQ(PointInQuadrant(10, 40, c.siteLon, c.siteLat), c.direction)
            << c.siteLon << "," << c.siteLat;
    EXPECT_EQ(PointInQuadrant(NAN, 40, 10, 41), -1);
}

TEST(FindClosestRadar, NearestSiteWithoutDirectionIsNeverFound) {
    struct Case {
        double lon, lat;
        int view;
    };
    const Case cases[] = {
        {-73.1, 40.8, 120},    // Islip: New York City (Upton)
        {-149.9, 61.2, 14},    // Anchorage
        {-155.83, 20.02, 58},  // Kamuela: Kohala
        {144.75, 13.48, 57},   // Guam
        {-122.33, 47.61, 161}, // Seattle
        {0, 0, 57},            // Gulf of Guinea: still a site, whichever is nearest
    };
    for (const Case& c : cases) {
        for (int product : {kLongRange, kShortRange}) {
            const ClosestRadar r = FindClosestRadar(0, c.lon, c.lat, product);
            EXPECT_FALSE(r.found);
            if (c.lon != 0) {
                EXPECT_EQ(r.view, c.view) << c.lon << "," << c.lat;
            }
            EXPECT_EQ(r.name, RadarViewEntryText(r.view));
            EXPECT_EQ(r.centre, RadarViewCentre(r.view, product));
        }
    }
    const ClosestRadar nowhere = FindClosestRadar(3, NAN, NAN, kShortRange);
    EXPECT_FALSE(nowhere.found);
    EXPECT_EQ(nowhere.view, 14);
}

TEST(FindClosestRadar, SiteJustSouthOfThePointIsFoundGoingSouth) {
    const LonLat okx = RadarViewCentre(120, kShortRange);
    // 0.3 degrees north (about 21 miles), a hair east or west.
    for (double dx : {0.001, -0.001}) {
        const ClosestRadar r =
            FindClosestRadar(5, okx.longitude + dx, okx.latitude + 0.3, kShortRange);
        EXPECT_TRUE(r.found);
        EXPECT_EQ(r.view, 120) << dx;
    }
    // On the site's own meridian or parallel the site is never a neighbour.
    for (int direction = 1; direction <= 8; ++direction) {
        for (LonLat p :
             {LonLat{okx.longitude, okx.latitude + 0.3}, LonLat{okx.longitude - 0.4, okx.latitude},
              LonLat{okx.longitude + 0.001, okx.latitude + 0.1}}) { // 7 miles
            const ClosestRadar r =
                FindClosestRadar(direction, p.longitude, p.latitude, kShortRange);
            if (r.found) {
                EXPECT_NE(r.view, 120) << direction << " from " << p.longitude << "," << p.latitude;
            }
        }
    }
}

TEST(FindClosestRadar, NeighbourSearchFromASiteCentreNeverReturnsThatSite) {
    for (int view = kFirstRadarSiteView; view < kRadarViewCount; ++view)
        for (int direction = 1; direction <= 8; ++direction) {
            const ClosestRadar r = GetClosestRadarInQuadrant(direction, view, kShortRange);
            if (r.found) {
                EXPECT_NE(r.view, view) << direction;
            }
        }
}

} // namespace
} // namespace skelvane

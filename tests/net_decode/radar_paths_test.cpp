#include "net/decode/radar_paths.h"

#include "net/decode/radar_views.h"

#include <gtest/gtest.h>
#include <vector>

namespace skelvane {
namespace {

TEST(RadarProducts, CodesTextsAndRangeClasses) {
    struct Case {
        int entry;
        const char* code;
        const char* rangeClass;
    };
    const Case cases[] = {
        {0, "NOZ", "Long"},  {1, "N0R", "Short"}, {2, "NCR", "Short"},
        {3, "N1P", "Short"}, {4, "NTP", "Short"}, {5, "NOS", "Short"},
        {6, "NOV", "Short"}, {7, "", "Short"},    {-1, "", "Short"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetRadarType(c.entry), c.code) << c.entry;
        EXPECT_EQ(RadarRangeClass(GetRadarType(c.entry)), c.rangeClass) << c.entry;
    }
    EXPECT_EQ(RadarRangeClass("N0Z"), "Long");
    EXPECT_EQ(RadarProductEntryText(0), "Reflectivity - Long Range");
    EXPECT_EQ(RadarProductEntryText(6), "Base Velocity");
}

TEST(RadarProducts, LongRangeCodeFollowsTheHostThePreviousDownloadLeft) {
    EXPECT_EQ(LongRangeProduct("NOZ", RadarHost::Regional), "NOZ");
    EXPECT_EQ(LongRangeProduct("N0Z", RadarHost::Regional), "NOZ");
    EXPECT_EQ(LongRangeProduct("NOZ", RadarHost::Alternative1), "N0Z");
    EXPECT_EQ(LongRangeProduct("NOZ", RadarHost::Alternative2), "N0Z");
    EXPECT_EQ(LongRangeProduct("N0R", RadarHost::Alternative1), "N0R");

    // A download on which the regional server failed leaves the active host further down
    // the chain; the next long-range download then asks for "N0Z".
    RadarHost active = RadarHost::Regional;
    std::vector<RadarHost> tried;
    const bool read = ReadAlongRadarHostChain(active, [&](RadarHost host) {
        tried.push_back(host);
        return host == RadarHost::Alternative1;
    });
    EXPECT_TRUE(read);
    EXPECT_EQ(tried, (std::vector<RadarHost>{RadarHost::Regional, RadarHost::Alternative1}));
    EXPECT_EQ(active, RadarHost::Alternative1);
    EXPECT_EQ(LongRangeProduct(GetRadarType(0), active), "N0Z");

    // The chain always starts at the regional server again; when all fail it stays at the
    // last one tried.
    tried.clear();
    EXPECT_FALSE(ReadAlongRadarHostChain(active, [&](RadarHost host) {
        tried.push_back(host);
        return false;
    }));
    EXPECT_EQ(tried.size(), 3u);
    EXPECT_EQ(active, RadarHost::Alternative2);
    EXPECT_TRUE(ReadAlongRadarHostChain(active, [](RadarHost) { return true; }));
    EXPECT_EQ(active, RadarHost::Regional);
    EXPECT_EQ(LongRangeProduct(GetRadarType(0), active), "NOZ");
}

TEST(RadarPaths, OverlaysOfBothRangeClassesWithoutRangeRingsForLong) {
    struct Case {
        RadarOverlay overlay;
        const char* rangeClass;
        const char* path;
    };
    const Case cases[] = {
        {RadarOverlay::Topo, "Short", "/ridge/Overlays/Topo/Short/DIX_Topo_Short.jpg"},
        {RadarOverlay::Counties, "Short", "/ridge/Overlays/County/Short/DIX_County_Short.gif"},
        {RadarOverlay::Rivers, "Long", "/ridge/Overlays/Rivers/Long/DIX_Rivers_Long.gif"},
        {RadarOverlay::Highways, "Long", "/ridge/Overlays/Highways/Long/DIX_Highways_Long.gif"},
        {RadarOverlay::Cities, "Short", "/ridge/Overlays/Cities/Short/DIX_City_Short.gif"},
        {RadarOverlay::RangeRing, "Short",
         "/ridge/Overlays/RangeRings/Short/DIX_RangeRing_Short.gif"},
        {RadarOverlay::RangeRing, "Long", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RadarOverlayPath(c.overlay, "DIX", c.rangeClass), c.path);
        EXPECT_EQ(RadarOverlayExists(c.overlay, c.rangeClass), *c.path != '\0');
    }
}

TEST(RadarPaths, FrameDirectoriesKeysAndFramePaths) {
    const std::string site = RadarSiteIdUpper(120);
    EXPECT_EQ(RadarFrameDirectory("N0R", site), "/ridge/RadarImg/N0R/OKX/");
    EXPECT_EQ(RadarWarningsDirectory("Short", site), "/ridge/Warnings/Short/OKX/");
    EXPECT_EQ(RadarLegendDirectory("NOZ", site), "/ridge/Legend/NOZ/OKX/");
    EXPECT_EQ(RadarFrameKey(site), "OKX_20");
    EXPECT_EQ(RadarWarningsKey("Long"), "Long_Warnings");
    EXPECT_EQ(RadarFramePath("/ridge/RadarImg/N0R/OKX/", "OKX_20201201_1545_N0R.gif"),
              "/ridge/RadarImg/N0R/OKX/OKX_20201201_1545_N0R.gif");

    // Names from a server's page go into a request only when they are plain file names.
    for (const char* name :
         {"", "..", ".hidden", "../../etc/passwd", "a/b.gif", "a\\b.gif", "/abs.gif", "a b.gif",
          "a%2Fb.gif", "a.gif?x=1", "a.gif#x", "a\r\nHost: x", "http://x/y.gif", "<a href="})
        EXPECT_FALSE(RadarFramePath("/d/", name).has_value()) << name;
    EXPECT_FALSE(IsPlainRadarFileName(std::string(256, 'a')));
    EXPECT_TRUE(IsPlainRadarFileName(std::string(255, 'a')));
    EXPECT_TRUE(IsPlainRadarFileName("OKX_20201201_1545_Short_Warnings.gif"));
    EXPECT_TRUE(IsPlainRadarFileName("a-b.GIF"));
}

TEST(RadarPaths, MosaicStillsAndLoops) {
    struct Case {
        int view;
        const char* still;
        const char* loop;
    };
    const Case cases[] = {
        {0, "/Conus/RadarImg/latest_Small.gif", "/Conus/Loop/NatLoop_Small.gif"},
        {1, "/Conus/RadarImg/latest.gif", "/Conus/Loop/NatLoop.gif"},
        {2, "/Conus/RadarImg/northeast.gif", "/Conus/Loop/northeast_loop.gif"},
        {4, "/Conus/RadarImg/centgrtlakes.gif", "/Conus/Loop/centgrtlakes_loop.gif"},
        {5, "/Conus/RadarImg/southmissvly.gif", "/Conus/Loop/southmissvly_loop.gif"},
        {11, "/Conus/RadarImg/pacsouthwest.gif", "/Conus/Loop/pacsouthwest_loop.gif"},
        {12, "/Conus/RadarImg/alaska.gif", "/Conus/Loop/alaskaLoop.gif"},
        {13, "/Conus/RadarImg/hawaii.gif", "/Conus/Loop/hawaiiLoop.gif"},
        {14, "", ""},
        {-1, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RadarMosaicPath(c.view, false), c.still) << c.view;
        EXPECT_EQ(RadarMosaicPath(c.view, true), c.loop) << c.view;
    }
}

} // namespace
} // namespace skelvane

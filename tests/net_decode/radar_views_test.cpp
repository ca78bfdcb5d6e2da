#include "net/decode/radar_views.h"

#include "net/decode/radar_site_tables.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace skelvane {
namespace {

TEST(RadarViews, ListHas169ViewsWithMosaicsFirstAndUniqueSiteIds) {
    struct Case {
        int view;
        const char* id;
        const char* entryText;
    };
    const Case cases[] = {
        {0, "", " USA - Entire USA Small"},
        {1, "", " USA - Entire USA Large"},
        {13, "", " USA - Hawaii"},
        {14, "ahg", " AK - Anchorage"},
        {37, "dax", " CA - Sacremento (McClellan AFB)"}, // the list's own spelling
        {57, "gua", " GU - Guam"},
        {58, "hkm", " HI - Kohala"},
        {120, "okx", " NY - New York City"},
        {133, "jua", " PR - San Juan"},
        {161, "atx", " WA - Seattle-Tacoma"},
        {168, "riw", " WY - Riverton"},
        {-1, "", ""},
        {169, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RadarSiteId(c.view), c.id) << c.view;
        EXPECT_EQ(RadarViewEntryText(c.view), c.entryText) << c.view;
    }
    EXPECT_EQ(RadarSiteIdUpper(120), "OKX");
    EXPECT_EQ(RadarViewName(120), "NY - New York City");

    std::set<std::string> ids;
    for (int view = 0; view < kRadarViewCount; ++view) {
        EXPECT_FALSE(RadarViewName(view).empty()) << view;
        EXPECT_EQ(RadarSiteId(view).empty(), view < kFirstRadarSiteView) << view;
        if (IsRadarSiteView(view)) {
            EXPECT_EQ(RadarSiteId(view).size(), 3u) << view;
            ids.emplace(RadarSiteId(view));
        }
    }
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(kRadarSiteCount));
}

TEST(RadarViews, SiteTableRowsFollowTheViewOrder) {
    for (int k = 0; k < kRadarSiteCount; ++k)
        EXPECT_EQ(RadarSiteId(kFirstRadarSiteView + k),
                  tables::kRadarSiteRows[static_cast<std::size_t>(k)].id)
            << "site row " << k;
}

TEST(RadarViews, GroupsAndKinds) {
    struct Case {
        int view;
        bool site, alaska, hawaii;
    };
    const Case cases[] = {
        {0, false, false, false},  {11, false, false, false},  {12, false, true, false},
        {13, false, false, true},  {14, true, true, false},    {20, true, true, false},
        {21, true, false, false},  {57, true, false, false},   {58, true, false, true},
        {61, true, false, true},   {62, true, false, false},   {133, true, false, false},
        {168, true, false, false}, {169, false, false, false}, {-1, false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsRadarSiteView(c.view), c.site) << c.view;
        EXPECT_EQ(InRadarAlaskaGroup(c.view), c.alaska) << c.view;
        EXPECT_EQ(InRadarHawaiiGroup(c.view), c.hawaii) << c.view;
    }
}

TEST(RadarViews, MapSizeByKindAndScaledByZoom) {
    struct Case {
        int view;
        double zoom;
        RadarMapSize size;
    };
    const Case cases[] = {
        {1, 1.0, {3400, 1600}},   {0, 1.0, {600, 282}},   {2, 1.0, {600, 571}},
        {13, 1.0, {600, 571}},    {14, 1.0, {600, 550}},  {168, 1.0, {600, 550}},
        {120, 2.0, {1200, 1100}}, {2, 2.0, {1200, 1142}}, {0, 1.25, {750, 352}}, // 352.5 to even
        {120, 0.0, {600, 550}},   {-1, 1.0, {0, 0}},      {169, 2.0, {0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScaledMapSize(c.view, c.zoom), c.size) << c.view << " at zoom " << c.zoom;
}

TEST(RadarViews, ZoomDoesNothingOnTheLargeMapAndTogglesElsewhere) {
    EXPECT_FALSE(ToggledRadarZoom(kRadarUsaLargeView, 1.0).has_value());
    EXPECT_FALSE(ToggledRadarZoom(kRadarUsaLargeView, 2.0).has_value());
    EXPECT_EQ(ToggledRadarZoom(0, 1.0), 2.0);
    EXPECT_EQ(ToggledRadarZoom(120, 1.0), 2.0);
    EXPECT_EQ(ToggledRadarZoom(120, 2.0), 1.0);
    EXPECT_EQ(RadarZoomButtonCaption(2.0), "Zoom Out");
    EXPECT_EQ(RadarZoomButtonCaption(1.0), "Zoom In");
}

TEST(RadarViews, ControlsShownPerView) {
    EXPECT_EQ(RadarControlVisibilityFor(1), (RadarControlVisibility{false, false, true}));
    EXPECT_EQ(RadarControlVisibilityFor(0), (RadarControlVisibility{true, false, true}));
    EXPECT_EQ(RadarControlVisibilityFor(13), (RadarControlVisibility{true, false, true}));
    EXPECT_EQ(RadarControlVisibilityFor(14), (RadarControlVisibility{true, true, true}));
    EXPECT_EQ(RadarControlVisibilityFor(-1), RadarControlVisibility{});
}

TEST(RadarViews, DesiredFrameCountFollowsTheViewKindWithinOneToThirty) {
    EXPECT_EQ(DesiredFrameCountForView(120, 12, 8), 12);
    EXPECT_EQ(DesiredFrameCountForView(13, 12, 8), 8);
    EXPECT_EQ(DesiredFrameCountForView(120, 0, 8), 1);
    EXPECT_EQ(DesiredFrameCountForView(0, 12, 99), 30);
    EXPECT_EQ(MosaicFrameCount(10, 6), 6);
    EXPECT_EQ(MosaicFrameCount(4, 6), 4);
    EXPECT_EQ(MosaicFrameCount(4, 0), 1);
}

} // namespace
} // namespace skelvane

#include "net/decode/radar_map_mouse.h"

#include "net/decode/radar_map_marks.h"
#include "net/decode/radar_views.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

RadarMapContext NewYork(int clickMode = kRadarMoveRadarMode, double zoom = 1.0) {
    RadarMapContext context;
    context.view = 120;
    context.productEntry = 0; // long range: 4/275 degrees a pixel
    context.zoom = zoom;
    context.leftClickGroupIndex = clickMode;
    return context;
}

TEST(RadarMapMouse, HintShowsAgainOnlyAfterMovingMoreThanOnePixel) {
    struct Step {
        int x, y;
        bool shown;
    };
    const Step steps[] = {
        {100, 100, true},  // the first move always shows it
        {101, 101, false}, // one pixel both ways keeps it
        {99, 100, false},  // still within one pixel of (100, 100)
        {102, 100, true},  // two pixels: shown again, from (102, 100) on
        {101, 99, false},  {102, 102, true}, {400, 300, true}, {400, 300, false},
    };
    RadarMapMouse mouse;
    for (const Step& s : steps) {
        const RadarMouseMove move = mouse.MouseMove(s.x, s.y, NewYork());
        ASSERT_TRUE(move.handled);
        EXPECT_EQ(move.hint.has_value(), s.shown) << s.x << "," << s.y;
        if (move.hint) {
            EXPECT_EQ(move.hint->x, s.x);
            EXPECT_EQ(move.hint->y, s.y + 5);
            EXPECT_EQ(move.hint->text, move.siteName);
        }
    }
    const RadarMouseMove centre = mouse.MouseMove(300, 275, NewYork());
    EXPECT_EQ(centre.siteName, " NY - New York City");
    EXPECT_NEAR(centre.point.longitude, -72.856, 0.001);
    EXPECT_NEAR(centre.point.latitude, 40.859, 0.001);
}

TEST(RadarMapMouse, DistanceModeShowsOnlyTheCoordinates) {
    RadarMapMouse mouse;
    const RadarMouseMove move = mouse.MouseMove(300, 275, NewYork(kRadarDistanceMode));
    EXPECT_TRUE(move.handled);
    EXPECT_TRUE(move.siteName.empty());
    EXPECT_FALSE(move.hint.has_value());
}

TEST(RadarMapMouse, NothingWhileBusyWithoutAViewOrForOtherButtons) {
    RadarMapMouse mouse;
    RadarMapContext busy = NewYork(kRadarDistanceMode);
    busy.radarBusy = true;
    RadarMapContext noView = NewYork(kRadarDistanceMode);
    noView.view = -1;
    for (const RadarMapContext& context : {busy, noView}) {
        EXPECT_FALSE(mouse.MouseMove(10, 10, context).handled);
        EXPECT_EQ(mouse.MouseDown(true, 10, 10, context).action, RadarMouseClick::Action::None);
    }
    EXPECT_EQ(mouse.MouseDown(false, 10, 10, NewYork(kRadarDistanceMode)).action,
              RadarMouseClick::Action::None);
    EXPECT_TRUE(mouse.distanceStartPending()) << "ignored clicks leave the distance start";
    // An ignored move does not count as a hint position either.
    EXPECT_TRUE(mouse.MouseMove(10, 10, NewYork()).hint.has_value());
}

TEST(RadarMapMouse, MoveModeClickMovesToTheNearestSite) {
    RadarMapMouse mouse;
    const RadarMouseClick click = mouse.MouseDown(true, 300, 275, NewYork());
    EXPECT_EQ(click.action, RadarMouseClick::Action::MoveToView);
    EXPECT_EQ(click.targetView, 120);
    EXPECT_EQ(click.siteName, " NY - New York City");
    // 1.45 degrees west of Upton lies nearer Philadelphia (Fort Dix).
    EXPECT_EQ(mouse.MouseDown(true, 200, 330, NewYork()).targetView, 130);
}

TEST(RadarMapMouse, DistanceClicksAlternateAndTwoOnOnePointBlankTheLabels) {
    using Action = RadarMouseClick::Action;
    RadarMapMouse mouse;
    const RadarMapContext distance = NewYork(kRadarDistanceMode);

    EXPECT_EQ(mouse.MouseDown(true, 300, 275, distance).action, Action::DistanceStart);
    const RadarMouseClick same = mouse.MouseDown(true, 300, 275, distance);
    EXPECT_EQ(same.action, Action::DistanceBlank);
    EXPECT_TRUE(same.milesText.empty());
    EXPECT_TRUE(same.kilometresText.empty());
    EXPECT_FALSE(same.hint.has_value());

    // 55 pixels south at 4/275 degrees a pixel: 0.8 degrees of latitude, 55.27 miles.
    EXPECT_EQ(mouse.MouseDown(true, 300, 275, distance).action, Action::DistanceStart);
    const RadarMouseClick measured = mouse.MouseDown(true, 300, 330, distance);
    EXPECT_EQ(measured.action, Action::DistanceShown);
    EXPECT_EQ(measured.milesText, "55 Miles");
    EXPECT_EQ(measured.kilometresText, "89 Kilometers");
    ASSERT_TRUE(measured.hint.has_value());
    EXPECT_EQ(measured.hint->text, "55 Miles = 89 Kilometers");
    EXPECT_EQ(measured.hint->y, 335);

    // The third click starts again; a click in move mode between keeps the start.
    EXPECT_EQ(mouse.MouseDown(true, 300, 330, distance).action, Action::DistanceStart);
    EXPECT_EQ(mouse.MouseDown(true, 0, 0, NewYork()).action, Action::MoveToView);
    EXPECT_EQ(mouse.MouseDown(true, 300, 275, distance).milesText, "55 Miles");
}

TEST(RadarMapMouse, ZoomHalvesTheDistanceOfAPixel) {
    RadarMapMouse mouse;
    const RadarMapContext zoomed = NewYork(kRadarDistanceMode, 2.0);
    mouse.MouseDown(true, 600, 550, zoomed);
    EXPECT_EQ(mouse.MouseDown(true, 600, 660, zoomed).milesText, "55 Miles");
}

TEST(RadarLonLatLabelTexts, SixDecimalsAndDegreesMinutesSecondsWithinRange) {
    const RadarLonLatTexts texts = RadarLonLatLabelTexts(" NY - New York City", {-73.5, 40.75});
    EXPECT_EQ(texts.siteName, " NY - New York City");
    EXPECT_EQ(texts.longitudeDecimal, "-73.500000\u00B0");
    EXPECT_EQ(texts.longitudeDms, "-73\u00B0  30'  0''");
    EXPECT_EQ(texts.latitudeDecimal, "40.750000\u00B0");
    EXPECT_EQ(texts.latitudeDms, "40\u00B0  45'  0''");
    EXPECT_EQ(RadarLonLatLabelTexts("", {1.25, 2}, ',').longitudeDecimal, "1,250000\u00B0");

    const RadarLonLatTexts outside = RadarLonLatLabelTexts("", {-180.5, 90.5});
    EXPECT_FALSE(outside.longitudeDecimal || outside.longitudeDms || outside.latitudeDecimal ||
                 outside.latitudeDms);
}

TEST(BuildSmallMapCenterArray, EverySiteThenHomeAtTheirPixels) {
    for (double zoom : {1.0, 2.0}) {
        const auto marks = BuildSmallMapCenterArray(120, 1, zoom, 40.75, -73.5);
        ASSERT_EQ(marks.size(), 156u);
        // The view's own radar sits at the picture's centre.
        const RadarCircleMark& own = marks[120 - kFirstRadarSiteView];
        const int cx = zoom == 1.0 ? 300 : 600, cy = zoom == 1.0 ? 275 : 550;
        EXPECT_EQ(own.left, cx - 4);
        EXPECT_EQ(own.right, cx + 4);
        EXPECT_EQ(own.top, cy - 4);
        EXPECT_EQ(own.bottom, cy + 4);
        EXPECT_EQ(own.fill, kRadarSiteMarkFill);
        const RadarCircleMark& home = marks.back();
        EXPECT_EQ(home.fill, kRadarHomeMarkFill);
        const MapPixel at = LonLatToXY(-73.5, 40.75, GetScaleLonLat(120, 1), zoom);
        EXPECT_EQ(home.left, at.x - 4);
        EXPECT_EQ(home.top, at.y - 4);
    }
    // On the large map Anchorage lies far off the picture: still listed, drawing clips it.
    const auto usa = BuildSmallMapCenterArray(1, 1, 1.0, 0, 0);
    EXPECT_LT(usa[0].left, 0);
    EXPECT_TRUE(BuildSmallMapCenterArray(-1, 1, 1.0, 0, 0).empty());
}

} // namespace
} // namespace skelvane

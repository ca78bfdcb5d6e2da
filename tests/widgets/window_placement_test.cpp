#include "widgets/window_placement.h"

#include <QRect>
#include <QRegion>
#include <gtest/gtest.h>

#include <climits>

namespace skelvane {
namespace {

// A wide primary screen with a taskbar, and a second screen to its right set 200 pixels
// lower, so that the union of the two has gaps above the second screen and below the
// primary one.
const QRect kPrimary(0, 0, 1920, 1040);
const QRect kSecond(1920, 200, 1280, 1024);
const QList<QRect> kTwoScreens{kPrimary, kSecond};
const QSize kMinimum(400, 300);

// Stored numbers as read, kept apart: a QRect of the hostile ones would overflow.
struct Stored {
    int left, top, width, height;
};

TEST(PlaceOnScreensTest, KeepsWindowsOnTheScreensAndMovesTheOthers) {
    const struct {
        const char* name;
        QList<QRect> screens;
        Stored stored;
        QRect expected;
    } cases[] = {
        {"wholly on the primary screen", kTwoScreens, {100, 50, 750, 730}, {100, 50, 750, 730}},
        {"across both screens, within their union",
         kTwoScreens,
         {1500, 300, 800, 600},
         {1500, 300, 800, 600}},
        {"smaller than the minimum", kTwoScreens, {100, 50, 100, 50}, {100, 50, 400, 300}},
        {"huge width", kTwoScreens, {260, 0, 999999999, 730}, {0, 0, 1920, 730}},
        {"huge width and negative height", kTwoScreens, {260, 0, 999999999, -5}, {0, 0, 1920, 300}},
        {"entirely off to the right", kTwoScreens, {5000, 100, 750, 730}, {1170, 100, 750, 730}},
        {"at the most negative corner",
         kTwoScreens,
         {INT_MIN, INT_MIN, 750, 730},
         {0, 0, 750, 730}},
        {"every number at its largest",
         kTwoScreens,
         {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
         {0, 0, 1920, 1040}},
        {"partly below the second screen",
         kTwoScreens,
         {2000, 900, 800, 600},
         {2000, 624, 800, 600}},
        {"in the gap above the second screen",
         kTwoScreens,
         {1950, 50, 400, 300},
         {1950, 200, 400, 300}},
        {"larger than every screen", kTwoScreens, {0, 0, 5000, 5000}, {0, 0, 1920, 1040}},
        {"off-screen goes to the primary screen, listed first",
         {kSecond, kPrimary},
         {-5000, -5000, 750, 730},
         {1920, 200, 750, 730}},
        {"the minimum wins over a small screen",
         {QRect(0, 0, 320, 240)},
         {0, 0, 750, 730},
         {0, 0, 400, 300}},
        {"no screens: only the size is checked",
         {},
         {100, 50, 999999999, -5},
         {100, 50, 32767, 300}},
    };
    for (const auto& c : cases) {
        const QRect placed =
            PlaceOnScreens(QPoint(c.stored.left, c.stored.top),
                           QSize(c.stored.width, c.stored.height), kMinimum, c.screens);
        EXPECT_EQ(placed, c.expected) << c.name;
    }
}

TEST(PlaceOnScreensTest, ThePlacedWindowAlwaysLiesOnAScreen) {
    // A sweep of stored corners and sizes, sane and hostile: every result is at least the
    // minimum and lies wholly on the screens.
    const int corners[] = {INT_MIN, -40000, -760, -1, 0, 1, 900, 1919, 1920, 3199, 5000, INT_MAX};
    const int sizes[] = {INT_MIN, -5, 0, 1, 399, 400, 750, 1280, 1920, 32767, 999999999, INT_MAX};
    for (const int x : corners)
        for (const int y : corners)
            for (const int w : sizes)
                for (const int h : sizes) {
                    const QRect placed =
                        PlaceOnScreens(QPoint(x, y), QSize(w, h), kMinimum, kTwoScreens);
                    ASSERT_GE(placed.width(), kMinimum.width());
                    ASSERT_GE(placed.height(), kMinimum.height());
                    QRegion outside(placed);
                    outside -= kPrimary;
                    outside -= kSecond;
                    ASSERT_TRUE(outside.isEmpty()) << x << "," << y << " " << w << "x" << h;
                }
}

} // namespace
} // namespace skelvane

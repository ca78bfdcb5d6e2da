#include "clockwin/screen_snap.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

TEST(ScreenSnapTest, FramesNearAnEdgeMoveOntoIt) {
    const QRect area(0, 0, 1280, 1000); // a work area above a 24-pixel panel
    struct Case {
        const char* name;
        QRect frame;
        QPoint expected;
    } cases[] = {
        {"far from every edge stays", {300, 300, 211, 300}, {300, 300}},
        {"20 pixels from the left snaps", {20, 300, 211, 300}, {0, 300}},
        {"21 pixels from the left stays", {21, 300, 211, 300}, {21, 300}},
        {"partly off the left snaps back", {-15, 300, 211, 300}, {0, 300}},
        {"near the right edge", {1280 - 211 - 12, 300, 211, 300}, {1280 - 211, 300}},
        {"near the bottom of the work area", {300, 1000 - 300 - 5, 211, 300}, {300, 700}},
        {"a corner snaps both ways", {8, 1000 - 300 + 9, 211, 300}, {0, 700}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SnapToScreenEdges(c.frame, area), c.expected);
    }
    // A work area that does not start at 0 (a panel on the left or the top).
    EXPECT_EQ(SnapToScreenEdges({60, 40, 211, 300}, {48, 30, 1232, 970}), QPoint(48, 30));
}

} // namespace
} // namespace skelvane

#include "net/decode/radar_direction_panel.h"

#include "net/decode/radar_views.h"

#include <gtest/gtest.h>
#include <vector>

namespace skelvane {
namespace {

constexpr int kShortRange = 1;

std::vector<int> VisibleDirections(const RadarDirectionPanel& panel) {
    std::vector<int> directions;
    for (int d = 1; d <= 8; ++d)
        if (panel.buttons[static_cast<std::size_t>(d - 1)].visible)
            directions.push_back(d);
    return directions;
}

TEST(RadarDirectionPanel, HiddenOnTheUsaMapsGuamAndSanJuan) {
    for (int view : {0, 1, kRadarGuamView, kRadarSanJuanView, -1, 169}) {
        const RadarDirectionPanel panel = SetupRadarDirectionPanel(view, kShortRange);
        EXPECT_FALSE(panel.visible) << view;
        EXPECT_TRUE(VisibleDirections(panel).empty()) << view;
    }
}

// From New York the search south finds San Juan and the one east finds Guam (across the
// dateline on the flat grid): both buttons stay hidden, as do Alaska and Hawaii.
TEST(RadarDirectionPanel, NewYorkOffersOnlySitesOfTheContiguousStates) {
    for (int product : {0, 1}) {
        const RadarDirectionPanel panel = SetupRadarDirectionPanel(120, product);
        ASSERT_TRUE(panel.visible);
        EXPECT_EQ(VisibleDirections(panel), (std::vector<int>{1, 2, 6, 7, 8}));
        for (const RadarDirectionButton& button : panel.buttons) {
            if (!button.visible)
                continue;
            EXPECT_FALSE(InRadarAlaskaGroup(button.target)) << button.target;
            EXPECT_FALSE(InRadarHawaiiGroup(button.target)) << button.target;
            EXPECT_NE(button.target, kRadarGuamView);
            EXPECT_NE(button.target, kRadarSanJuanView);
            EXPECT_EQ(button.hint, RadarViewEntryText(button.target));
        }
        EXPECT_EQ(panel.buttons[0].target, 160); // north: Burlington
        EXPECT_EQ(panel.buttons[1].target, 83);  // north-east: Boston
        EXPECT_EQ(panel.buttons[5].target, 130); // south-west: Philadelphia
        EXPECT_EQ(RadarDirectionTarget(120, 5, product), kRadarSanJuanView)
            << "a hidden button's search still finds San Juan";
    }
}

TEST(RadarDirectionPanel, AlaskaOffersOnlyAlaskaSites) {
    for (int view : {kRadarAlaskaMosaicView, 14, 15, 16, 17, 18, 19, 20}) {
        const RadarDirectionPanel panel = SetupRadarDirectionPanel(view, kShortRange);
        EXPECT_TRUE(panel.visible);
        EXPECT_FALSE(VisibleDirections(panel).empty()) << view;
        for (const RadarDirectionButton& button : panel.buttons) {
            if (button.visible) {
                EXPECT_TRUE(InRadarAlaskaGroup(button.target))
                    << view << " offers " << button.target;
            }
        }
    }
    EXPECT_EQ(VisibleDirections(SetupRadarDirectionPanel(14, kShortRange)),
              (std::vector<int>{2, 3, 7})); // Fairbanks, Middleton Islands, King Salmon
}

TEST(RadarDirectionPanel, HawaiiSitesHaveFixedNeighbours) {
    struct Case {
        int view;
        std::vector<int> directions;
        std::vector<int> targets;
    };
    const Case cases[] = {
        {58, {1, 4, 8}, {59, 60, 61}},
        {59, {4, 5, 8}, {60, 58, 61}},
        {60, {1, 2, 8}, {59, 58, 61}},
        {61, {4, 5, 6}, {60, 58, 59}},
    };
    for (const Case& c : cases) {
        const RadarDirectionPanel panel = SetupRadarDirectionPanel(c.view, kShortRange);
        ASSERT_EQ(VisibleDirections(panel), c.directions) << c.view;
        for (std::size_t i = 0; i < c.directions.size(); ++i) {
            const RadarDirectionButton& button =
                panel.buttons[static_cast<std::size_t>(c.directions[i] - 1)];
            EXPECT_EQ(button.target, c.targets[i]);
            EXPECT_EQ(button.hint, RadarViewEntryText(c.targets[i]));
            EXPECT_EQ(RadarDirectionTarget(c.view, c.directions[i], kShortRange), c.targets[i]);
        }
        EXPECT_FALSE(RadarDirectionTarget(c.view, 3, kShortRange).has_value()) << c.view;
    }
    // The Hawaii mosaic searches, but keeps to the Hawaii group.
    for (const RadarDirectionButton& button :
         SetupRadarDirectionPanel(kRadarHawaiiMosaicView, kShortRange).buttons) {
        if (button.visible) {
            EXPECT_TRUE(InRadarHawaiiGroup(button.target)) << button.target;
        }
    }
}

TEST(RadarDirectionPanel, RegionalMosaicsLeadToSitesInTheirRegion) {
    const RadarDirectionPanel panel = SetupRadarDirectionPanel(2, kShortRange); // NorthEast
    ASSERT_TRUE(panel.visible);
    EXPECT_EQ(panel.buttons[3].target, 120); // south-east of its centre: New York City
}

} // namespace
} // namespace skelvane

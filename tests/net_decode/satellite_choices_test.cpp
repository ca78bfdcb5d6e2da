#include "net/decode/satellite_choices.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace skelvane {
namespace {

std::vector<std::string> Texts(std::span<const std::string_view> entries) {
    return {entries.begin(), entries.end()};
}

TEST(SatelliteLocations, BoxOrderTextsAndCodeParts) {
    const auto locations = SatelliteLocations();
    EXPECT_EQ(locations[0].text, "East Coast USA");
    EXPECT_EQ(locations[5].text, "Tropical East Coast");
    EXPECT_EQ(locations[5].code, "ECST");
    EXPECT_EQ(locations[7].text, "Tropical Gulf Atlantic");
    EXPECT_EQ(locations[7].code, "HU");
    EXPECT_EQ(locations[10].text, "Entire USA");
    EXPECT_EQ(locations[13].text, "Entire Earth - Europe");
    EXPECT_EQ(locations[15].text, "Entire Earth - Asia");
    EXPECT_EQ(locations[15].code, "MT");
    for (int bad : {-1, 16, 1000})
        EXPECT_EQ(SatelliteLocationCode(bad), "EC") << bad;
}

TEST(SatelliteTypeEntries, WaterVaporLeavesOnTheFullDiskViewsAndComesBack) {
    const std::vector<std::string> three{"Infrared", "Visible", "Water Vapor"};
    const std::vector<std::string> two{"Infrared", "Visible"};
    for (int location = 0; location < kSatelliteLocationCount; ++location)
        EXPECT_EQ(Texts(SatelliteTypeEntries(location)), location >= 11 ? two : three) << location;
    // Going from Europe back to Entire USA regains the third entry.
    EXPECT_EQ(Texts(SatelliteTypeEntries(13)), two);
    EXPECT_EQ(Texts(SatelliteTypeEntries(10)), three);
}

TEST(SatelliteTypeBoxShownIndex, AStoredWaterVaporShowsAsInfraredWhereItIsMissing) {
    struct Row {
        int location;
        int stored;
        int shown;
    };
    const Row rows[] = {
        {13, 2, 0}, {13, 1, 1}, {11, 0, 0}, {10, 2, 2}, {0, 2, 2}, {0, 7, 0}, {5, -1, 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(SatelliteTypeBoxShownIndex(row.location, row.stored), row.shown)
            << row.location << " " << row.stored;
    EXPECT_EQ(SatelliteTypeCode(13, 2), "IR");
    EXPECT_EQ(SatelliteTypeCode(10, 2), "WV");
}

TEST(SatelliteColorEntries, NormalThenFourColourisedEntries) {
    const auto entries = SatelliteColorEntries();
    EXPECT_EQ(Texts(entries), (std::vector<std::string>{"Normal", "Colorized 1", "Colorized 2",
                                                        "Colorized 3", "Colorized 4"}));
}

TEST(SatelliteControlsFor, ColoursOnStillCoastsAnimateOnCoastsAndTropicsPlayerOnCoasts) {
    struct Row {
        int location;
        bool animate;
        SatelliteControlsShown shown; // colour box, animate and repeat, movie player
    };
    const Row rows[] = {
        {0, false, {true, true, true}},
        {0, true, {false, true, true}},
        {1, false, {true, true, true}},
        {1, true, {false, true, true}},
        {2, false, {false, false, false}},
        {4, true, {false, false, false}},
        {5, false, {false, true, false}},
        {7, true, {false, true, false}},
        {9, false, {false, true, false}},
        {10, false, {false, false, false}},
        {11, true, {false, false, false}},
        {15, false, {false, false, false}},
        // A stored index outside the box is the East Coast everywhere.
        {16, false, {true, true, true}},
    };
    for (const Row& row : rows) {
        const SatelliteControlsShown shown = SatelliteControlsFor(row.location, row.animate);
        EXPECT_EQ(shown.colorBox, row.shown.colorBox) << row.location << " " << row.animate;
        EXPECT_EQ(shown.animateAndRepeat, row.shown.animateAndRepeat)
            << row.location << " " << row.animate;
        EXPECT_EQ(shown.moviePlayer, row.shown.moviePlayer) << row.location << " " << row.animate;
    }
}

} // namespace
} // namespace skelvane

#include "location/location_guess.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

TEST(GuessLatLon, RepresentativeCities) {
    struct Case {
        double offset;
        const char* placeName;
        const char* station;
        double latitude, longitude;
        int feet;
    };
    const Case cases[] = {
        {-5, "New York NY", "KNYC", 40.7517, -73.9942, 154},
        {-4.5, "Halifax Canada", "CYHZ", 44.65, -63.5666, 476},
        {14, "New York NY", "KNYC", 40.7517, -73.9942, 154}, // beyond every band
        {1, "Amsterdam Netherlands", "EHAM", 52.4, 5.0, -13},
        {0, "London UK", "EGLL", 51.5, 0.0, 79},
        {-10, "Honolulu HI", "PHNL", 21.3061, -157.8597, 10},
        {5.75, "Katmandu Nepal", "VNKT", 27.5, 85.5, 4386},
        {12, "Auckland New Zealand", "NZAA", -36.85, 174.7667, 23},
        {13, "Nuku'Alofa Tonga", "NFTF", -21.1333, -175.2, 125}, // west of the date line
    };
    for (const Case& c : cases) {
        const GuessedLocation guess = GuessLatLon(c.offset);
        EXPECT_EQ(guess.placeName, c.placeName) << c.offset;
        EXPECT_EQ(guess.stationCode, c.station) << c.offset;
        EXPECT_DOUBLE_EQ(guess.latitude, c.latitude) << c.offset;
        EXPECT_DOUBLE_EQ(guess.longitude, c.longitude) << c.offset;
        EXPECT_EQ(guess.altitudeFeet, std::optional<int>(c.feet)) << c.offset;
    }
}

TEST(GuessLatLon, UsRowsNameTheStateAndTheUnitedStates) {
    const GuessedLocation denver = GuessLatLon(-7);
    EXPECT_EQ(denver.city, "Denver");
    EXPECT_EQ(denver.state, "CO");
    EXPECT_EQ(denver.country, "United States");
    const GuessedLocation tokyo = GuessLatLon(9);
    EXPECT_EQ(tokyo.state, "");
    EXPECT_EQ(tokyo.country, "Japan");
    EXPECT_EQ(tokyo.placeName, "Tokyo Japan"); // one space, no comma
}

// Each limit belongs to the band below it; a hair above starts the next band.
TEST(GuessLatLon, BandEdges) {
    const double limits[] = {-12, -11, -10, -9,  -8,   -7, -6,  -5, -4, -3.5, -3,  -1, 0,  1,  2, 3,
                             3.5, 4,   5,   5.5, 5.75, 6,  6.5, 7,  8,  9,    9.5, 10, 11, 12, 13};
    for (int row = 0; row < 31; ++row) {
        EXPECT_EQ(GuessRow(limits[row]), row) << limits[row];
        const int next = row == 30 ? 7 : row + 1; // past 13: New York
        EXPECT_EQ(GuessRow(limits[row] + 1e-9), next) << limits[row];
    }
    EXPECT_EQ(GuessRow(-13), 0);
    EXPECT_EQ(GuessRow(-100), 0);
}

TEST(GuessLatLon, StandardOffsetLeavesDaylightSavingOut) {
    TimeZoneRecord eastern;
    eastern.bias = 300;
    eastern.daylightBias = -60;
    EXPECT_EQ(StandardOffsetHours(eastern), -5);
    TimeZoneRecord india;
    india.bias = -330;
    EXPECT_EQ(StandardOffsetHours(india), 5.5);
    TimeZoneState state;
    state.baseOffsetHours = 10;
    state.standardBiasHours = 0;
    state.daylightBiasHours = 1;
    EXPECT_EQ(StandardOffsetHours(state), 10);
}

} // namespace
} // namespace skelvane

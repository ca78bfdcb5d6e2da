// The place list the program ships (data/sitename.dat): its sections hold what the
// readers expect, and the answers a user would check by hand come out right.
#include "location/place_list_file.h"
#include "location/place_pick.h"
#include "location/place_queries.h"
#include "location/place_tables.h"
#include "location/place_text.h"

#include <gtest/gtest.h>
#include <set>

namespace skelvane {
namespace {

class ShippedPlaceList : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        load_ = new PlaceListLoad(
            LoadPlaceListFile(std::string(SKELVANE_TEST_DATA) + "/../../data/sitename.dat"));
    }
    static void TearDownTestSuite() {
        delete load_;
        load_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(load_->loaded) << load_->error; }
    static const PlaceList& list() { return load_->list; }

    static PlaceListLoad* load_;
};
PlaceListLoad* ShippedPlaceList::load_ = nullptr;

TEST_F(ShippedPlaceList, EverySectionHoldsItsKindOfLine) {
    ASSERT_GT(list().size(), kForecastFirstLine);
    std::set<std::string> countries;
    for (std::size_t i = kWorldPlaceLines.first; i <= kWorldPlaceLines.last; ++i) {
        const std::string_view line = list().line(i);
        ASSERT_GE(CountryIndexOf(PlaceField(line, 3)), 1) << i << ": " << line;
        ASSERT_FALSE(IsUnitedStates(PlaceField(line, 3))) << i;
        ASSERT_TRUE(GetLatLon(line)) << i << ": " << line;
        countries.emplace(PlaceField(line, 3));
    }
    EXPECT_GT(countries.size(), 200u);
    for (std::size_t i = kStationLines.first; i <= kStationLines.last; ++i) {
        const std::string_view line = list().line(i);
        const bool us = i >= kUsStationLines.first;
        ASSERT_EQ(Trim(PlaceField(line, 4)).size(), 4u) << i << ": " << line;
        ASSERT_TRUE(GetLatLon(line)) << i << ": " << line;
        ASSERT_EQ(IsUnitedStates(PlaceField(line, 3)), us) << i << ": " << line;
        if (us)
            ASSERT_GE(StateIndexOfCode(PlaceField(line, 2)), 0) << i << ": " << line;
        else
            ASSERT_GE(CountryIndexOf(PlaceField(line, 3)), 1) << i << ": " << line;
    }
    std::size_t postalLines = 0;
    for (std::size_t i = kUsPlaceLines.first; i <= kUsPlaceLines.last; ++i) {
        const std::string_view line = list().line(i);
        if (line.empty())
            continue; // padding at the end of the section
        ASSERT_GE(StateIndexOfCode(PlaceField(line, 2)), 0) << i << ": " << line;
        ASSERT_TRUE(GetLatLon(line)) << i << ": " << line;
        postalLines += !Trim(PlaceField(line, 9)).empty();
    }
    EXPECT_GT(postalLines, 40000u);
    for (std::size_t i = kForecastFirstLine; i < list().size(); ++i) {
        const std::string_view zone = PlaceField(list().line(i), 8);
        ASSERT_TRUE(zone.size() >= 1 && zone.size() <= 3) << i;
    }
}

TEST_F(ShippedPlaceList, NewYorkStateListsEachCityOnce) {
    const std::vector<PlaceChoice> places = StatePlaces(list(), "NY");
    EXPECT_GT(places.size(), 1000u);
    std::set<std::string> seen;
    for (const PlaceChoice& place : places)
        EXPECT_TRUE(seen.insert(UpperAscii(place.name)).second) << place.name;
    ASSERT_TRUE(seen.count("NEW YORK"));
    EXPECT_TRUE(std::is_sorted(places.begin(), places.end(),
                               [](const PlaceChoice& a, const PlaceChoice& b) {
                                   return LessIgnoringAsciiCase(a.name, b.name);
                               }));
}

TEST_F(ShippedPlaceList, PostalCode10001IsNewYorkAtCentralPark) {
    const std::optional<ZipSearch> found = FindZip(list(), "10001");
    ASSERT_TRUE(found);
    const std::string_view line = list().line(found->matchLine);
    EXPECT_EQ(PlaceField(line, 1), "New York");
    EXPECT_EQ(found->stateIndex, StateIndexOfCode("NY"));
    EXPECT_EQ(PlaceField(line, 4), "KNYC");
    const std::optional<LatLon> where = GetLatLon(line);
    ASSERT_TRUE(where);
    EXPECT_NEAR(where->latitude, 40.75, 0.02);
    EXPECT_NEAR(where->longitude, -74.0, 0.02);
    ASSERT_GE(found->selected, 0);
    const PickedPlace pick =
        PickPlace(list().line(found->places[static_cast<std::size_t>(found->selected)].line), true);
    EXPECT_EQ(pick.placeName, "New York, NY");
    EXPECT_EQ(pick.zipEdit, std::optional<std::string>("10001"));
    EXPECT_EQ(FindZipLine(list(), "1001"), std::nullopt);
}

// The station written into a US place line is the one the closest-station search finds
// from the line's own coordinates, so picking a place and searching agree.
TEST_F(ShippedPlaceList, StationsOfPlacesAreTheirNearest) {
    int checked = 0;
    for (std::size_t i = kUsPlaceLines.first; i <= kUsPlaceLines.last; i += 151) {
        const std::string_view line = list().line(i);
        if (line.empty())
            continue;
        const std::optional<std::size_t> nearest = FindClosest(list(), *GetLatLon(line));
        ASSERT_TRUE(nearest);
        EXPECT_EQ(PlaceField(list().line(*nearest), 4), PlaceField(line, 4)) << line;
        ++checked;
    }
    EXPECT_GT(checked, 250);
    // Heathrow's neighbourhood gets a London station; Sydney's an Australian one.
    const auto london = FindClosest(list(), {51.47, -0.45});
    ASSERT_TRUE(london);
    EXPECT_EQ(PlaceField(list().line(*london), 4), "EGLL");
    const auto sydney = FindClosest(list(), {-33.94, 151.18});
    ASSERT_TRUE(sydney);
    EXPECT_EQ(PlaceField(list().line(*sydney), 3), "Australia");
}

TEST_F(ShippedPlaceList, CountriesAndForecastCities) {
    const std::vector<PlaceChoice> france = CountryPlaces(list(), "France");
    EXPECT_GT(france.size(), 20u);
    EXPECT_TRUE(std::any_of(france.begin(), france.end(),
                            [](const PlaceChoice& p) { return p.name == "Paris"; }));
    const std::vector<PlaceChoice> forecast = ForecastCities(list(), "NY");
    const auto manhattan = std::find_if(forecast.begin(), forecast.end(), [](const PlaceChoice& p) {
        return p.name == "New York (Manhattan)";
    });
    ASSERT_NE(manhattan, forecast.end());
    EXPECT_EQ(PlaceField(list().line(manhattan->line), 8), "72");
    for (const StateName& state : kStates)
        EXPECT_FALSE(StatePlaces(list(), state.code).empty()) << state.code;
}

} // namespace
} // namespace skelvane

#include "location/place_queries.h"
#include "location/place_tables.h"
#include "place_list_fixtures.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

using testing::ListWithLines;

std::vector<std::string> Names(const std::vector<PlaceChoice>& choices) {
    std::vector<std::string> names;
    for (const PlaceChoice& choice : choices)
        names.push_back(choice.name);
    return names;
}

TEST(PlaceTables, HoldTheBoxesOfTheWindow) {
    EXPECT_EQ(kCountryNames.front(), "United States");
    EXPECT_EQ(kCountryNames[200], "United States"); // again at its alphabetical place
    EXPECT_EQ(kCountryNames.back(), "Zimbabwe");
    EXPECT_EQ(CountryIndexOf(" korea, south "), 102);
    EXPECT_EQ(CountryIndexOf("Atlantis"), -1);
    EXPECT_EQ(kStates.front().code, "AL");
    EXPECT_EQ(kStates.back().name, "Wyoming");
    EXPECT_EQ(StateIndexOfCode(" ny"), 33);
    EXPECT_EQ(kStates[33].name, "New York");
    EXPECT_EQ(StateIndexOfCode("AS"), -1);
    EXPECT_TRUE(IsUnitedStates("  united STATES "));
    EXPECT_FALSE(IsUnitedStates("United States Minor"));
}

// Each query reads only its own range of lines: a matching line just outside it is not
// seen, one on the first and last line of the range is.
TEST(PlaceQueries, EachQueryReadsOnlyItsLines) {
    const PlaceList list = ListWithLines(
        kForecastFirstLine + 3,
        {{0, "Aachen; ;Germany"},
         {4012, "Zwickau; ;Germany"},
         {4013, "Outside; ;Germany"},
         {5695, "Station;NY;United States;KXXX;40-00-00N;074-00-00W"},
         {5696, "Albany;NY;United States;KALB;42-39-00N;073-45-00W; ; ;12201"},
         {47885, "Yonkers;NY;United States;KLGA;40-56-00N;073-52-00W; ; ;10701"},
         {47886, "New York (Manhattan);NY;United States; ;40-46-43N;073-57-59W; ;72"},
         {47887, "Albany County;NY;United States; ; ; ; ;48"},
         {47888, "Somewhere; NY;United States; ; ; ; ;1"}}); // field 2 not trimmed here
    EXPECT_EQ(Names(CountryPlaces(list, "germany ")),
              (std::vector<std::string>{"Aachen", "Zwickau"}));
    EXPECT_EQ(Names(StatePlaces(list, "NY")), (std::vector<std::string>{"Albany", "Yonkers"}));
    const std::vector<PlaceChoice> forecast = ForecastCities(list, "NY");
    EXPECT_EQ(forecast, (std::vector<PlaceChoice>{{"Albany County", 47887},
                                                  {"New York (Manhattan)", 47886}}));
    EXPECT_EQ(FindZipLine(list, "12201"), std::optional<std::size_t>(5696));
    EXPECT_EQ(FindZipLine(list, "10701"), std::optional<std::size_t>(47885));
}

TEST(PlaceQueries, ShortListsAreReadUpToTheirEnd) {
    const PlaceList list = ListWithLines(5700, {{5699, "Last;TX;United States; ; ; ; ; ;75001"}});
    EXPECT_EQ(Names(StatePlaces(list, "TX")), std::vector<std::string>{"Last"});
    EXPECT_EQ(FindZipLine(list, "75001"), std::optional<std::size_t>(5699));
    EXPECT_TRUE(ForecastCities(list, "TX").empty()); // no forecast section at all
    EXPECT_TRUE(CountryPlaces(PlaceList(), "France").empty());
}

TEST(PlaceQueries, OneEntryPerCitySortedWithItsLine) {
    const std::size_t first = kUsPlaceLines.first;
    const PlaceList list = ListWithLines(
        kUsPlaceLines.first + 8,
        {{first + 0, "springfield;IL;United States; ; ; ; ; ;62701"},
         {first + 1, "Springfield;IL;United States; ; ; ; ; ;62702"}, // same city, any case
         {first + 2, "Alton;IL;United States; ; ; ; ; ;62002"},
         {first + 3, "Springfield;IL;United States; ; ; ; ; ;62703"}, // apart: listed again
         {first + 4, "Chicago;IN;United States; ; ; ; ; ;46000"},     // another state
         {first + 5, "Chicago; il ;United States; ; ; ; ; ;60601"},   // field 2 trimmed
         {first + 6, "Chicago;IL;United States; ; ; ; ; ;60602"}});
    EXPECT_EQ(StatePlaces(list, "il"), (std::vector<PlaceChoice>{{"Alton", first + 2},
                                                                 {"Chicago", first + 5},
                                                                 {"springfield", first + 0},
                                                                 {"Springfield", first + 3}}));
    EXPECT_TRUE(StatePlaces(list, "").empty());
}

TEST(PlaceQueries, PostalCodesMatchAfterPaddingOnly) {
    const std::size_t first = kUsPlaceLines.first;
    const PlaceList list =
        ListWithLines(kUsPlaceLines.first + 6,
                      {{first + 0, "Holtsville;NY;United States;KISP;40-48-54N;073-02-44W; ; ;501"},
                       {first + 1, "New York;NY;United States;KNYC;40-44-54N;073-59-48W; ; ;10001"},
                       {first + 2, "New York;NY;United States;KJRB;40-42-55N;073-59-16W; ; ;10002"},
                       {first + 3, "Twin;NY;United States; ; ; ; ; ;10002"}, // a later duplicate
                       {first + 4, "Agana;GU;United States; ; ; ; ; ;96910"},
                       {first + 5, "Apo;AE;United States; ; ; ; ; ;09001"}});
    struct Case {
        const char* typed;
        std::optional<std::size_t> line;
    };
    const Case cases[] = {
        {"00501", first + 0},  // the leading zeros the file left out
        {"501", std::nullopt}, // fewer than five digits never match a padded code
        {" 10001 ", first + 1},   {"10002", first + 2},     // the first line with the code
        {"+10001", std::nullopt}, {"10001a", std::nullopt}, // not a whole number
        {"", std::nullopt},       {"99999", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindZipLine(list, c.typed), c.line) << c.typed;

    const std::optional<ZipSearch> found = FindZip(list, "10002");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->matchLine, first + 2);
    EXPECT_EQ(found->stateIndex, StateIndexOfCode("NY"));
    ASSERT_GE(found->selected, 0);
    // The city's entry stands for its first line, whichever of its codes was typed.
    EXPECT_EQ(found->places[static_cast<std::size_t>(found->selected)],
              (PlaceChoice{"New York", first + 1}));

    const std::optional<ZipSearch> outside = FindZip(list, "09001");
    ASSERT_TRUE(outside);
    EXPECT_EQ(outside->stateIndex, -1); // AE is not in the state table
    EXPECT_EQ(outside->selected, -1);
    EXPECT_TRUE(outside->places.empty());
}

} // namespace
} // namespace skelvane

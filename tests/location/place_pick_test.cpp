#include "location/place_pick.h"
#include "location/place_tables.h"
#include "place_list_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace skelvane {
namespace {

using testing::ListWithLines;

TEST(PickPlace, UsPlaceWithPostalCodeAndStation) {
    const PickedPlace pick =
        PickPlace("New York;NY;United States;knyc;40-44-54N;073-59-48W;10; ;501", true);
    EXPECT_EQ(pick.stationCode, "KNYC");
    EXPECT_EQ(pick.latitude.degrees, "40");
    EXPECT_EQ(pick.latitude.minutes, "44");
    EXPECT_EQ(pick.latitude.seconds, "54");
    EXPECT_FALSE(pick.south);
    EXPECT_EQ(pick.longitude.degrees, "73");
    EXPECT_FALSE(pick.east);
    EXPECT_EQ(pick.city, "New York");
    EXPECT_EQ(pick.state, "NY");
    EXPECT_EQ(pick.country, "United States");
    EXPECT_EQ(pick.zipEdit, std::optional<std::string>("00501"));
    EXPECT_EQ(pick.placeName, "New York, NY");
    EXPECT_EQ(pick.elevationMetres, std::optional<double>(10));
    EXPECT_EQ(pick.altitudeFeet, std::optional<int>(33)); // 32.8 ft
    EXPECT_FALSE(pick.needsClosestStation);
}

TEST(PickPlace, OtherCountryWithoutStationOrElevation) {
    const PickedPlace pick = PickPlace("Sydney; ;Australia; ;33-52-04S;151-12-36E", false);
    EXPECT_EQ(pick.stationCode, " "); // the edit shows the blank until FindClosest runs
    EXPECT_TRUE(pick.needsClosestStation);
    EXPECT_TRUE(pick.south);
    EXPECT_TRUE(pick.east);
    EXPECT_EQ(pick.zipEdit, std::optional<std::string>("")); // cleared
    EXPECT_EQ(pick.placeName, "Sydney, Australia");
    EXPECT_FALSE(pick.elevationMetres);
    EXPECT_FALSE(pick.altitudeFeet);

    // A US line without postal code keeps whatever ZipEd holds.
    EXPECT_FALSE(PickPlace("Agana;GU;United States;PGUM;13-29-00N;144-45-00E", true).zipEdit);
}

TEST(PickPlace, PlaceStringsStopAt128Characters) {
    const std::string longName(150, 'x');
    const PickedPlace pick = PickPlace(longName + ";CA;United States", true);
    EXPECT_EQ(pick.city.size(), 128u);
    EXPECT_EQ(pick.placeName.size(), 128u);
}

TEST(Altitude, MetresToFeetHalvesToEven) {
    EXPECT_EQ(FeetFromMetres(47), 154);
    EXPECT_EQ(FeetFromMetres(-4), -13);
    EXPECT_EQ(FeetFromMetres(0.1524), 0); // exactly half a foot: to even
    EXPECT_EQ(FeetFromMetres(0.4572), 2); // 1.5 ft: to even
    EXPECT_EQ(AltitudeEditText(1626, false), "5335");
    EXPECT_EQ(AltitudeEditText(2.5, true), "2");
    EXPECT_EQ(AltitudeEditText(3.5, true), "4");
    EXPECT_EQ(AltitudeEditText(-0.3, true), "0");
}

TEST(Altitude, DamagedElevationsGiveNoneAndFeetStayWithinInt) {
    const struct {
        const char* field;
        std::optional<double> metres;
    } cases[] = {
        {"8849", 8849},          {"9144", 9144},           // 30000 feet
        {"9145", std::nullopt},  {"-457", -457},           // -1500 feet is -457.2 m
        {"-458", std::nullopt},  {"-1e143", std::nullopt}, // found by fuzzing
        {"1e308", std::nullopt}, {"nan", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ElevationMetres(std::string("Top; ;Nepal; ;27-59-00N;086-55-00E;") + c.field),
                  c.metres)
            << c.field;
    EXPECT_EQ(FeetFromMetres(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(FeetFromMetres(-1e300), std::numeric_limits<int>::min());
    EXPECT_EQ(FeetFromMetres(std::nan("")), 0);
}

TEST(GetLatLon, ReadsTheEditsWithTheirHemispheres) {
    LatLonEdits edits{"40", "45", "6", false, "73", "59", "39", true};
    ASSERT_TRUE(GetLatLon(edits));
    EXPECT_DOUBLE_EQ(GetLatLon(edits)->latitude, 40 + 45 / 60.0 + 6 / 3600.0);
    EXPECT_DOUBLE_EQ(GetLatLon(edits)->longitude, -(73 + 59 / 60.0 + 39 / 3600.0));
    edits.south = true;
    edits.west = false;
    EXPECT_LT(GetLatLon(edits)->latitude, 0);
    EXPECT_GT(GetLatLon(edits)->longitude, 0);
    edits.latDegrees = "91";
    EXPECT_FALSE(GetLatLon(edits));
    edits.latDegrees = "40";
    edits.lonSeconds = "x";
    EXPECT_FALSE(GetLatLon(edits));

    const auto fromLine = GetLatLon("Quito; ;Ecuador; ;00-13-00S;078-31-00W");
    ASSERT_TRUE(fromLine);
    EXPECT_NEAR(fromLine->latitude, -0.2167, 1e-4);
    EXPECT_FALSE(GetLatLon("Nowhere; ;Ecuador; ; ;078-31-00W")); // blank latitude
    // Damaged lines (found by fuzzing): a latitude field without N or S would be read as a
    // longitude, a place 173 degrees north.
    EXPECT_FALSE(GetLatLon("Bad;NY;United States;KNYC;173-58-00W;27"));
    EXPECT_FALSE(GetLatLon("Bad;NY;United States;KNYC;40-46-00;073-58-00W"));
    EXPECT_FALSE(GetLatLon("Bad;NY;United States;KNYC;40-46-00N;40-46-00N"));
}

TEST(FindClosest, NearestParsableStationOfTheRangeFirstOnTies) {
    const std::size_t first = kStationLines.first;
    const PlaceList list = ListWithLines(
        kStationLines.last + 2,
        {{first - 1, "Before;NY;United States;KBEF;40-45-00N;074-00-00W"}, // not a station line
         {first, "Far;CA;United States;KLAX;33-56-00N;118-24-00W;38"},
         {first + 1, "Broken;NY;United States;KBAD;40-45-00N;074-99-00W"}, // fails ParseDms
         {first + 2, "Blank;NY;United States;KBLK; ; "},                   // no coordinates
         {first + 3, "West;NJ;United States;KEWR;40-42-00N;074-10-00W;2"},
         {first + 4, "Twin;NJ;United States;KTWN;40-42-00N;074-10-00W;9"}, // same place
         {kStationLines.last, "Last; ;Canada;CYYZ;43-41-00N;079-38-00W;173"},
         {kStationLines.last + 1, "After;NY;United States;KAFT;40-45-00N;074-00-00W"}});
    EXPECT_EQ(FindClosest(list, {40.75, -74.0}), std::optional<std::size_t>(first + 3));
    EXPECT_EQ(FindClosest(list, {43.6, -79.6}), std::optional<std::size_t>(kStationLines.last));
    EXPECT_EQ(FindClosest(list, {34, -118}), std::optional<std::size_t>(first));
    EXPECT_FALSE(FindClosest(PlaceList(), {40, -74}));
    EXPECT_FALSE(FindClosest(ListWithLines(kStationLines.first, {}), {40, -74}));

    const StationEdits us = ClosestStationEdits(list.line(first + 3), true);
    EXPECT_EQ(us.name, "West NJ");
    EXPECT_EQ(us.code, "KEWR");
    EXPECT_EQ(ClosestStationEdits(list.line(kStationLines.last), false).name, "Last Canada");
}

TEST(Distances, LabelsInWholeMilesAndKilometres) {
    const LatLon newYork{40.7517, -73.9942};
    const LatLon london{51.5, 0};
    EXPECT_NEAR(DistanceMiles(newYork, london), 3465, 15);
    EXPECT_NEAR(DistanceKm(newYork, london) / DistanceMiles(newYork, london), 1.609344, 1e-12);
    EXPECT_EQ(DistanceMiles(london, london), 0);
    EXPECT_EQ(DistanceLabelText(2.5, "Home", "Work"),
              "2 Miles (4 Kilometers) from [Home] to [Work]");
    EXPECT_EQ(DistanceLabelText(3.5, "A", "B"), "4 Miles (6 Kilometers) from [A] to [B]");
    EXPECT_EQ(DistanceLabelText(0, "A", "A"), "");
}

TEST(StationElevation, ReadsTheStationLineOfTheCode) {
    const PlaceList list = ListWithLines(
        kStationLines.last + 10,
        {{kStationLines.first, "London Heathrow; ;United Kingdom;EGLL;51-29N;000-27W;24"},
         {kStationLines.last, "Central Park;NY;United States;KNYC;40-47N;073-58W;40"},
         // Outside the station section: never a station, whatever its fields say.
         {kStationLines.last + 1, "Somewhere;NY;United States;KXYZ;40-00N;074-00W;99"}});
    EXPECT_EQ(StationElevation(list, "KNYC"), std::optional<double>(40));
    EXPECT_EQ(StationElevation(list, " egll "), std::optional<double>(24)) << "blank and case";
    EXPECT_FALSE(StationElevation(list, "KXYZ"));
    EXPECT_FALSE(StationElevation(list, ""));
    EXPECT_FALSE(StationElevation(list, "   "));
}

} // namespace
} // namespace skelvane

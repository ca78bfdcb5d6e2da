#include "infowin/location_choice.h"

#include "app/settings.h"
#include "support/qstring_printer.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

PickedPlace Place(const char* name, const char* city, const char* country) {
    PickedPlace place;
    place.placeName = name;
    place.city = city;
    place.country = country;
    return place;
}

class LocationChoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings.Latitude = 40.7128;
        settings.Longitude = -74.006;
        settings.Altitude = 33;
        settings.PlaceName = settings.SaveLocation.PlaceName = QStringLiteral("New York, NY");
        settings.CityName = settings.SaveLocation.CityName = QStringLiteral("New York");
        settings.StateName = settings.SaveLocation.StateName = QStringLiteral("NY");
        settings.CountryName = settings.SaveLocation.CountryName = QStringLiteral("United States");
        settings.SaveLocation.Altitude = 33;
    }
    Settings settings;
    const QStringList savedEdits{"40", "42", "46", "North", "74", "0", "22", "West"};
};

TEST_F(LocationChoiceTest, TheMapStartsAtTheSavedLocation) {
    const MapLocation map = MapLocationFromSettings(settings);
    EXPECT_DOUBLE_EQ(map.latitude, 40.7128);
    EXPECT_DOUBLE_EQ(map.longitude, -74.006);
    EXPECT_EQ(map.altitudeFeet, 33);
    EXPECT_EQ(map.placeName, "New York, NY");
    EXPECT_EQ(map.country, "United States");
    EXPECT_EQ(LocationChoice(settings).mapLocation().placeName, "New York, NY");
}

TEST_F(LocationChoiceTest, DistanceLinesAfterEachPick) {
    LocationChoice choice(settings);
    choice.startFromSaved(settings, savedEdits);

    // The first pick after a showing measures from the saved place only.
    choice.pick(Place("London, United Kingdom", "London", "United Kingdom"));
    LocationChoice::Distances first = choice.placedAt(LatLon{51.5072, -0.1276}, settings);
    ASSERT_TRUE(first.fromSaved);
    EXPECT_TRUE(first.fromSaved->contains(QStringLiteral("from [New York, NY] to [London")))
        << first.fromSaved->toStdString();
    EXPECT_FALSE(first.fromPrevious);
    EXPECT_DOUBLE_EQ(choice.mapLocation().latitude, 51.5072);

    // The next one also from the previous pick.
    choice.pick(Place("Paris, France", "Paris", "France"));
    LocationChoice::Distances second = choice.placedAt(LatLon{48.8566, 2.3522}, settings);
    ASSERT_TRUE(second.fromPrevious);
    EXPECT_TRUE(second.fromPrevious->contains(QStringLiteral("from [London, United Kingdom]")))
        << second.fromPrevious->toStdString();

    // A place whose coordinates do not read changes no line and leaves the map's point.
    choice.pick(Place("Nowhere", "Nowhere", "Atlantis"));
    LocationChoice::Distances none = choice.placedAt(std::nullopt, settings);
    EXPECT_FALSE(none.fromSaved);
    EXPECT_FALSE(none.fromPrevious);
    EXPECT_DOUBLE_EQ(choice.mapLocation().latitude, 48.8566);
    EXPECT_EQ(choice.mapLocation().placeName, "Nowhere");
    EXPECT_EQ(settings.PlaceName, "New York, NY") << "nothing is saved by picking";
}

TEST_F(LocationChoiceTest, SavingWritesBothCopiesAndKeepsExactValuesLeftAlone) {
    LocationChoice choice(settings);
    choice.startFromSaved(settings, savedEdits);
    choice.showAltitude(QStringLiteral("10"), true, 33); // 33 ft shown as 10 m

    // Untouched edits: the exact saved coordinates and feet stay (no drift by rounding).
    LocationChoice::Edits edits{savedEdits,
                                LatLon{40.7128, -74.0061},
                                QStringLiteral("Home"),
                                QStringLiteral("10001"),
                                QStringLiteral("10"),
                                true};
    choice.save(edits, settings);
    EXPECT_DOUBLE_EQ(settings.Longitude, -74.006);
    EXPECT_EQ(settings.Altitude, 33);
    EXPECT_EQ(settings.PlaceName, "Home");
    EXPECT_EQ(settings.SaveLocation.PlaceName, "Home");
    EXPECT_EQ(settings.ZipCode, "10001");
    EXPECT_EQ(settings.DistanceUnits, QLatin1Char('M'));

    // Changed edits that read: taken. A changed altitude in metres: converted.
    edits.coordinateTexts[0] = QStringLiteral("41");
    edits.coordinates = LatLon{-41.0, 174.0};
    edits.altitudeText = QStringLiteral("100");
    choice.save(edits, settings);
    EXPECT_DOUBLE_EQ(settings.Latitude, -41.0);
    EXPECT_TRUE(settings.SouthernHemisphere);
    EXPECT_EQ(settings.Altitude, 328) << "100 m";

    // Changed edits that do not read keep the saved coordinates.
    edits.coordinateTexts[0] = QStringLiteral("x");
    edits.coordinates = std::nullopt;
    choice.save(edits, settings);
    EXPECT_DOUBLE_EQ(settings.Latitude, -41.0);
}

} // namespace
} // namespace skelvane

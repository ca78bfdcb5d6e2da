#pragma once

#include "location/place_pick.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace skelvane {

struct Settings;

// The place maps are opened for: the place most recently picked in the list, at first
// the saved Location. The Maps page shows it in " Location for maps " and its map
// addresses use it.
struct MapLocation {
    double latitude = 0;
    double longitude = 0;
    int altitudeFeet = 0;
    QString placeName, country, state, city;
};

// The Settings1 page's coordinate edits as they stand: degrees, minutes and seconds of the
// latitude and the longitude, and whether "South" and "West" are chosen. The MapQuest map
// (code 0) is opened from these.
struct CoordinateEditTexts {
    QString latDegrees, latMinutes, latSeconds;
    bool south = false;
    QString lonDegrees, lonMinutes, lonSeconds;
    bool west = false;
};

// The saved Location as the map location: the values every display reads (latitude,
// longitude, altitude and the place strings), the ones the settings store persists.
MapLocation MapLocationFromSettings(const Settings& settings);

// The Settings1 page's choice of a Location before it is saved: the pending place
// strings and altitude, the previous pick the second distance line measures from, the
// map location that follows each pick, and the rules of saving. Plain state: the page
// copies its edits in and the results out.
class LocationChoice {
public:
    struct Pending {
        QString placeName, city, state, country, zip;
        int altitudeFeet = 0;
    };
    // The two distance lines after a pick; a line is absent when its label is to keep its
    // text (coordinates that do not read; for the second, the first pick after a showing or
    // no earlier pick).
    struct Distances {
        std::optional<QString> fromSaved;
        std::optional<QString> fromPrevious;
    };
    // What the page's edits hold when a Save button is pressed.
    struct Edits {
        QStringList coordinateTexts;       // the six coordinate edits and two hemisphere lists
        std::optional<LatLon> coordinates; // those edits read as a place, when they are one
        QString placeName, zip;
        QString altitudeText; // AltitudeEd
        bool meters = false;  // FeetMeterBox shows "Meters"
    };

    explicit LocationChoice(const Settings& settings);

    // The page showed: the pending values start again from the saved ones, the coordinate
    // edits are about to show the saved place, and the next pick fills only the first
    // distance line.
    void startFromSaved(const Settings& settings, const QStringList& savedCoordinateTexts);
    void chooseCountry(const QString& country);
    // A place picked from the list: its strings become pending.
    void pick(const PickedPlace& place);
    // AltitudeEd was filled by the page with `text` standing for `feet`.
    void showAltitude(const QString& text, bool meters, int feet);
    void setPendingAltitude(int feet) { pending_.altitudeFeet = feet; }
    // The picked place's coordinates, when its edits read as a place: the distance lines,
    // and the map location moves there.
    Distances placedAt(std::optional<LatLon> where, const Settings& settings);
    // "Save" of the place group: writes the Location into the settings (both the copy the
    // displays read and the copy the store writes). Unreadable coordinates, or edits that
    // still show the saved place to the nearest second, keep the saved coordinates.
    void save(const Edits& edits, Settings& settings);

    const Pending& pending() const { return pending_; }
    const MapLocation& mapLocation() const { return mapLocation_; }

private:
    struct PreviousPick {
        LatLon where;
        QString placeName;
    };
    struct AltitudeShown {
        QString text;
        bool meters = false;
        int feet = 0;
    };

    Pending pending_;
    std::optional<PreviousPick> previousPick_;
    bool skipSecondDistance_ = false;
    MapLocation mapLocation_;
    AltitudeShown altitudeShown_;
    QStringList savedCoordinatesShown_;
};

} // namespace skelvane

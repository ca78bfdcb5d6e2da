#pragma once

#include "location/coordinate_field.h"
#include "location/place_list.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace skelvane {

// Degrees, north and east positive.
struct LatLon {
    double latitude = 0;
    double longitude = 0;
    friend bool operator==(const LatLon&, const LatLon&) = default;
};

// What the six coordinate edits and the two hemisphere lists hold.
struct LatLonEdits {
    std::string latDegrees, latMinutes, latSeconds;
    bool south = false; // NorthSouthComboBox shows "South"
    std::string lonDegrees, lonMinutes, lonSeconds;
    bool west = false; // EastWestComboBox shows "West"
};
// GetLatLon: both triples must pass ParseDms with their bounds.
std::optional<LatLon> GetLatLon(const LatLonEdits& edits);
// The coordinates of a place-list line (fields 5 and 6); nothing unless both parse, the
// first as a latitude (it holds N or S) and the second as a longitude (it holds neither).
std::optional<LatLon> GetLatLon(std::string_view line);

// Great-circle distance between two places, in statute miles and in kilometres.
double DistanceMiles(LatLon from, LatLon to);
double DistanceKm(LatLon from, LatLon to);

// FindClosest: the station line (of the station range) nearest to a point; the first of
// equal distances wins. Lines whose coordinates do not parse are passed over. Nothing
// when no station line qualifies.
std::optional<std::size_t> FindClosest(const PlaceList& list, LatLon from);

// What FindClosest puts into the station edits: name = field 1 + " " + field 2 (state)
// for the United States, else field 1 + " " + field 3; code = field 4.
struct StationEdits {
    std::string name;
    std::string code;
};
StationEdits ClosestStationEdits(std::string_view stationLine, bool unitedStates);

// Field 7 as metres, when it is a decimal number of an elevation on land (-1500 ...
// 30000 feet, the altitudes the settings keep); a damaged line gives nothing.
std::optional<double> ElevationMetres(std::string_view line);
// Elevation of the station line with this code (field 4, compared ignoring case). The list
// gives US places no elevation of their own, and their station's is a far better guess
// than the previous place's height. Nothing for a blank code or no such station.
std::optional<double> StationElevation(const PlaceList& list, std::string_view code);
// Metres as whole feet (m / 0.3048, halves to even), held within the range of int; NaN
// gives 0.
int FeetFromMetres(double metres);
// AltitudeEd's text for an elevation: whole feet, or whole metres when the unit list
// shows "Meters" (both rounded halves to even).
std::string AltitudeEditText(double metres, bool showMeters);

// PlaceListBoxClick: everything picking a line changes, as plain values.
struct PickedPlace {
    std::string stationCode;          // WeatherStationCodeEd2: field 4 upper-cased, as it stands
    CoordinateParts latitude;         // the three latitude edits
    bool south = false;               // NorthSouthComboBox
    CoordinateParts longitude;        // the three longitude edits
    bool east = false;                // EastWestComboBox
    std::string city, state, country; // pending values, at most 128 characters each
    // ZipEd afterwards: nothing = keep its text, "" = cleared, else the padded code.
    std::optional<std::string> zipEdit;
    std::string placeName;                 // pending place name and PlaceNameEd
    std::optional<double> elevationMetres; // nothing: AltitudeEd is cleared
    std::optional<int> altitudeFeet;       // the pending altitude when known
    bool needsClosestStation = false;      // field 4 blank: run FindClosest
};
// `unitedStates`: the Country box reads "United States" (see IsUnitedStates).
PickedPlace PickPlace(std::string_view line, bool unitedStates);

// DistanceLab1 / DistanceLab2: "12 Miles (19 Kilometers) from [A] to [B]", whole numbers
// rounded halves to even; empty when the distance is not above 0.
std::string DistanceLabelText(double miles, std::string_view fromName, std::string_view toName);

} // namespace skelvane

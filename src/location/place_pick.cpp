#include "location/place_pick.h"

#include "astro/angles.h"
#include "astro/format.h"
#include "location/place_tables.h"
#include "location/place_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace skelvane {

namespace {

constexpr double kMetresPerFoot = 0.3048;
constexpr double kNoStationYet = 25000; // miles; farther than any two points on Earth
// The elevations a line may give: from below the shore of the Dead Sea to above the summit
// of Everest, the altitudes the settings keep.
constexpr double kLowestElevationFeet = -1500;
constexpr double kHighestElevationFeet = 30000;

std::string WholeNumberText(double value) {
    char text[400]; // the largest double has 309 digits before the point
    const int length = std::snprintf(text, sizeof text, "%.0f", std::nearbyint(value) + 0.0);
    return length > 0 ? std::string(text, static_cast<std::size_t>(length)) : std::string();
}

} // namespace

std::optional<LatLon> GetLatLon(const LatLonEdits& edits) {
    const auto lat = ParseDms(edits.latDegrees, edits.latMinutes, edits.latSeconds, true);
    const auto lon = ParseDms(edits.lonDegrees, edits.lonMinutes, edits.lonSeconds, false);
    if (!lat || !lon)
        return std::nullopt;
    return LatLon{edits.south ? -*lat : *lat, edits.west ? -*lon : *lon};
}

std::optional<LatLon> GetLatLon(std::string_view line) {
    const std::string_view latitude = PlaceField(line, 5);
    const std::string_view longitude = PlaceField(line, 6);
    // Every line of the list writes N or S in the latitude and E or W in the longitude. One
    // that mixes them up is damaged, not a place 173 degrees north.
    if (!CoordinateIsLatitude(latitude) || CoordinateIsLatitude(longitude))
        return std::nullopt;
    const auto lat = ParseCoordinateField(latitude);
    const auto lon = ParseCoordinateField(longitude);
    if (!lat || !lon)
        return std::nullopt;
    return LatLon{*lat, *lon};
}

double DistanceMiles(LatLon from, LatLon to) {
    return GreatCircleMiles(from.longitude, from.latitude, to.longitude, to.latitude);
}

double DistanceKm(LatLon from, LatLon to) {
    return MilesToKm(DistanceMiles(from, to));
}

std::optional<std::size_t> FindClosest(const PlaceList& list, LatLon from) {
    double best = kNoStationYet;
    std::optional<std::size_t> bestLine;
    for (std::size_t i = kStationLines.first; i <= kStationLines.last && i < list.size(); ++i) {
        const std::optional<LatLon> station = GetLatLon(list.line(i));
        if (!station)
            continue;
        const double miles = DistanceMiles(from, *station);
        if (miles < best) {
            best = miles;
            bestLine = i;
        }
    }
    return bestLine;
}

StationEdits ClosestStationEdits(std::string_view stationLine, bool unitedStates) {
    return {std::string(PlaceField(stationLine, 1)) + " " +
                std::string(PlaceField(stationLine, unitedStates ? 2 : 3)),
            std::string(PlaceField(stationLine, 4))};
}

std::optional<double> ElevationMetres(std::string_view line) {
    double metres = 0;
    if (!ParseDecimal(PlaceField(line, 7), metres) ||
        !(metres >= kLowestElevationFeet * kMetresPerFoot &&
          metres <= kHighestElevationFeet * kMetresPerFoot))
        return std::nullopt;
    return metres;
}

int FeetFromMetres(double metres) {
    const double feet = std::nearbyint(metres / kMetresPerFoot);
    if (std::isnan(feet))
        return 0;
    return static_cast<int>(std::clamp(feet, static_cast<double>(std::numeric_limits<int>::min()),
                                       static_cast<double>(std::numeric_limits<int>::max())));
}

std::string AltitudeEditText(double metres, bool showMeters) {
    return showMeters ? WholeNumberText(metres) : std::to_string(FeetFromMetres(metres));
}

PickedPlace PickPlace(std::string_view line, bool unitedStates) {
    PickedPlace pick;
    const std::string_view station = PlaceField(line, 4);
    pick.stationCode = UpperAscii(station);
    const std::string_view latitude = PlaceField(line, 5);
    const std::string_view longitude = PlaceField(line, 6);
    pick.latitude = SplitCoordinateField(latitude);
    pick.south = CoordinateIsSouth(latitude);
    pick.longitude = SplitCoordinateField(longitude);
    pick.east = CoordinateIsEast(longitude);
    pick.city = CutToCharacters(PlaceField(line, 1), kPlaceTextMax);
    pick.state = CutToCharacters(PlaceField(line, 2), kPlaceTextMax);
    pick.country = CutToCharacters(PlaceField(line, 3), kPlaceTextMax);
    std::string placeName;
    if (unitedStates) {
        pick.country = "United States";
        const std::string_view zip = PlaceField(line, 9);
        if (!Trim(zip).empty())
            pick.zipEdit = LeftPad(zip, 5, '0');
        placeName = pick.city + ", " + pick.state;
    } else {
        pick.zipEdit = std::string();
        placeName = pick.city + ", " + pick.country;
    }
    pick.placeName = CutToCharacters(placeName, kPlaceTextMax);
    pick.elevationMetres = ElevationMetres(line);
    if (pick.elevationMetres)
        pick.altitudeFeet = FeetFromMetres(*pick.elevationMetres);
    pick.needsClosestStation = Trim(station).empty();
    return pick;
}

std::string DistanceLabelText(double miles, std::string_view fromName, std::string_view toName) {
    if (!(miles > 0))
        return {};
    return WholeNumberText(miles) + " Miles (" + WholeNumberText(MilesToKm(miles)) +
           " Kilometers) from [" + std::string(fromName) + "] to [" + std::string(toName) + "]";
}

std::optional<double> StationElevation(const PlaceList& list, std::string_view code) {
    code = Trim(code);
    if (code.empty())
        return std::nullopt;
    for (std::size_t i = kStationLines.first; i <= kStationLines.last && i < list.size(); ++i) {
        const std::string_view line = list.line(i);
        if (EqualsIgnoringAsciiCase(Trim(PlaceField(line, 4)), code))
            return ElevationMetres(line);
    }
    return std::nullopt;
}

} // namespace skelvane

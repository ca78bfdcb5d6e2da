#pragma once

#include "astro/timezone.h"

#include <optional>
#include <string>

namespace skelvane {

// A representative city for a time zone, used on a first run before the user has chosen a
// place: what GuessLatLon writes into the saved and pending Location.
struct GuessedLocation {
    int row = 0;             // in the guess table
    double latitude = 0;     // degrees, north positive
    double longitude = 0;    // degrees, east positive
    std::string stationCode; // upper case, at most 4 characters
    std::optional<int> altitudeFeet;
    std::string city;
    std::string state;     // two-letter code for US rows, else empty
    std::string country;   // "United States" for US rows
    std::string placeName; // city + " " + state (US) or city + " " + country
};

// The row for a zone's standard offset from UTC in hours (east positive, without daylight
// saving): the first band limit the offset does not exceed; beyond the last, New York.
int GuessRow(double standardOffsetHours);
GuessedLocation GuessLatLon(double standardOffsetHours);

// The zone's standard offset in hours, -(bias + standard bias) / 60, from the record or
// from the state its last reading left. When the platform gives no zone, the caller passes
// the offset of the last reading that worked (0 when none did).
double StandardOffsetHours(const TimeZoneRecord& record);
double StandardOffsetHours(const TimeZoneState& state);

} // namespace skelvane

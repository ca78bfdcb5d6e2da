#pragma once

#include "astro/datetime.h"

#include <array>
#include <cstddef>

namespace skelvane {

// One city of the Time page's world clocks and the zone rule its clocks follow.
struct WorldCity {
    const char* name;      // the label, e.g. "New York"
    const char* panelName; // the panel's objectName, CityTime1 … CityTime7
    const char* posixRule; // the zone's rule as a POSIX TZ string
};

inline constexpr std::size_t kWorldCityCount = 7;

// Honolulu, Los Angeles, New York, Amsterdam, New Delhi, Tokyo and Auckland, in panel order.
const std::array<WorldCity, kWorldCityCount>& WorldCities();

// The local clock time of city `index` at a UTC instant, by the city's present daylight-
// saving rule (a daylight period across the new year, as in Auckland, is handled). An index
// out of range gives the UTC instant back.
DateTime WorldCityTime(std::size_t index, DateTime utc);

} // namespace skelvane

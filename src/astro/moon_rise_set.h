#pragma once

#include <cstdint>

namespace skelvane {

// Rise and set codes besides an event time (seconds after midnight UT, 0..86399).
inline constexpr std::int32_t kMoonNeverRises = -2; // stays below the horizon all day
inline constexpr std::int32_t kMoonNeverSets = -3;  // stays above the horizon all day
inline constexpr std::int32_t kMoonDateOutOfRange = -4;

struct MoonRiseSetRec {
    std::int32_t rise = kMoonDateOutOfRange;
    std::int32_t set = kMoonDateOutOfRange;
};

// Moonrise and moonset on the UT day `dayNumber` (days since 1600-01-01) for an observer at
// latitude and longitude in degrees (north and east positive) and altitude in feet. Each is
// whole seconds after 0 h UT of that day; an event whose refined time runs past midnight is
// folded back into the day, so a set can belong to the next day's moonset. Both are
// kMoonNeverRises or kMoonNeverSets when the Moon stays below or above the horizon
// (standard altitude 0.7275 π − 34′ for the centre), both kMoonDateOutOfRange when the day or
// a neighbour lies outside 1600-01-01..3999-12-31, or when a coordinate is not a finite
// number (latitude beyond ±90° included). Source: Meeus ch. 15 with the position model.
MoonRiseSetRec MoonRiseSet(std::int32_t dayNumber, double altitudeFeet, double latitude,
                           double longitude);

} // namespace skelvane

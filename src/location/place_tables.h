#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace skelvane {

// The Country box, in its order: index 0 is the United States, which appears a second
// time at its alphabetical place. Names are spelled as field 3 of the place list.
extern const std::array<std::string_view, 213> kCountryNames;

struct StateName {
    std::string_view name; // shown in StateBox1 and StateBox2
    std::string_view code; // matched against field 2
};
// The 54 states and territories of the state boxes, in their order.
extern const std::array<StateName, 54> kStates;

// Index in kStates of a two-letter code (blanks and case ignored); -1 when not there.
int StateIndexOfCode(std::string_view code);
// Index in kCountryNames of a name (blanks and ASCII case ignored); -1 when not there.
int CountryIndexOf(std::string_view name);
// Whether the Country box text means the United States ("UNITED STATES" in any case).
bool IsUnitedStates(std::string_view countryText);

// Fixed line ranges of the place list (0-based, inclusive). Each reader scans only its
// range, stopping early when the list is shorter; the country and station ranges overlap
// because the world's stations double as places of their countries.
struct LineRange {
    std::size_t first;
    std::size_t last;
};
inline constexpr LineRange kCountryLines{0, 4012};       // places outside the United States
inline constexpr LineRange kStationLines{2093, 5695};    // weather stations, world then US
inline constexpr LineRange kUsPlaceLines{5696, 47885};   // US places, one line per postal code
inline constexpr std::size_t kForecastFirstLine = 47886; // forecast cities to the end

// Finer layout the builder fills exactly: world places, world stations, US stations.
inline constexpr LineRange kWorldPlaceLines{0, 2092};
inline constexpr LineRange kWorldStationLines{2093, 4012};
inline constexpr LineRange kUsStationLines{4013, 5695};

} // namespace skelvane

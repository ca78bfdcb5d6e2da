#pragma once

#include <array>
#include <string_view>

namespace skelvane {

inline constexpr int kRegionCodeCount = 213;

// The Weather Underground's two-letter code of each country of the Country box, in the
// box's order (kCountryNames of the place tables): element i belongs to country i. Some
// codes stand for two countries (KA, BA, SR, VG), and the United States, listed twice,
// has US at both places.
const std::array<std::string_view, kRegionCodeCount>& RegionCodes();

// The code of the country at `countryIndex` in the Country box (CountryIndexOf of the
// place tables); US for -1 or any index outside the box.
std::string_view RegionCodeOfCountry(int countryIndex);

} // namespace skelvane

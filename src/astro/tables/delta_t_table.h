#pragma once

#include <array>

namespace skelvane::tables {

// Observed ΔT = TT − UT in seconds for each year 1620..2014 (index year − 1620).
inline constexpr int kDeltaTFirstYear = 1620;
inline constexpr int kDeltaTLastYear = 2014;
extern const std::array<double, kDeltaTLastYear - kDeltaTFirstYear + 1> kDeltaTByYear;

} // namespace skelvane::tables

#pragma once

#include <array>

namespace skelvane::tables {

// Meeus, Astronomical Algorithms, table 27.C: the 24 periodic terms A · cos(B + C·T) of
// the equinox and solstice instants (B and C in degrees).
struct EquinoxTerm {
    double a, b, c;
};
extern const std::array<EquinoxTerm, 24> kEquinoxTable27C;

} // namespace skelvane::tables

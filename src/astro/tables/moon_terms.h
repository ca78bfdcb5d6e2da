#pragma once

#include <array>

namespace skelvane::tables {

// Meeus, Astronomical Algorithms, table 47.A: periodic terms of the Moon's longitude
// (Σl, 0.000001°) and distance (Σr, 0.001 km) for multiples of D, M, M′, F.
struct MoonLongitudeDistanceTerm {
    int d, m, mp, f;
    double sinL; // coefficient of the sine, longitude
    double cosR; // coefficient of the cosine, distance
};
extern const std::array<MoonLongitudeDistanceTerm, 60> kMoonTable47A;

// Table 47.B: periodic terms of the Moon's latitude (Σb, 0.000001°).
struct MoonLatitudeTerm {
    int d, m, mp, f;
    double sinB;
};
extern const std::array<MoonLatitudeTerm, 60> kMoonTable47B;

} // namespace skelvane::tables

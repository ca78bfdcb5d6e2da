#pragma once

#include <array>

namespace skelvane::tables {

// Meeus, Astronomical Algorithms, table 22.A, first 31 rows (the larger terms): multiples
// of D, M, M′, F, Ω and the coefficients of Δψ (sine) and Δε (cosine) in 0.0001″, each
// with its T term.
struct NutationTerm {
    int d, m, mp, f, om;
    double sinCoeff, sinT, cosCoeff, cosT;
};
extern const std::array<NutationTerm, 31> kNutationTable22A;

} // namespace skelvane::tables

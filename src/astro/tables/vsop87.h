#pragma once

#include <span>

namespace skelvane::tables {

// One periodic term of a VSOP87 series: amplitude · cos(phase + frequency · τ), τ in
// Julian millennia from J2000. Amplitudes in radians (L, B) or AU (R).
struct Vsop87Term {
    double amplitude;
    double phase;     // radians
    double frequency; // radians per Julian millennium
};

// A body's series by power of τ: L0..L5, B0..B4, R0..R5 (empty spans where a version
// has no terms of that power).
struct Vsop87Body {
    std::span<const std::span<const Vsop87Term>> L;
    std::span<const std::span<const Vsop87Term>> B;
    std::span<const std::span<const Vsop87Term>> R;
};

// VSOP87B (heliocentric, ecliptic and equinox of J2000), cut to its larger terms.
extern const Vsop87Body kEarthVsop87B;
// VSOP87D (heliocentric, ecliptic and equinox of the date), every term.
extern const Vsop87Body kEarthVsop87D;

} // namespace skelvane::tables

#pragma once

#include <array>

namespace skelvane::tables {

// Meeus, Astronomical Algorithms, chapter 49: periodic corrections to the mean phase
// instant, coefficient (days) · E^ePower · sin(m·M + mp·M′ + f·F + om·Ω), in the book's
// order (largest first).
struct PhaseCorrectionTerm {
    double coefficient;
    int ePower; // 0, 1 or 2
    int m, mp, f, om;
};
extern const std::array<PhaseCorrectionTerm, 25> kNewMoonCorrections;
extern const std::array<PhaseCorrectionTerm, 25> kFullMoonCorrections;
extern const std::array<PhaseCorrectionTerm, 25> kQuarterCorrections;

// The 14 additional (planetary) corrections: coefficient · sin A, with
// A = base + rateK · k + rateT2 · T² in degrees.
struct PlanetaryPhaseCorrection {
    double base;   // degrees
    double rateK;  // degrees per lunation
    double rateT2; // degrees per century² (only A1 has one)
    double coefficient; // days
};
extern const std::array<PlanetaryPhaseCorrection, 14> kPlanetaryPhaseCorrections;

} // namespace skelvane::tables

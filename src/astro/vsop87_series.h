#pragma once

#include "astro/tables/vsop87.h"

#include <span>

namespace skelvane {

// One VSOP87 coordinate: Σₖ τᵏ · Σ A·cos(B + C·τ), where the k-th span holds the terms of
// τᵏ. τ in Julian millennia from J2000 (TT); the result is in the unit of the amplitudes
// (radians for L and B, AU for R). An empty series gives 0. Bretagnon & Francou (1988),
// as summed in Meeus ch. 32.
double EvaluateVsop87Series(std::span<const std::span<const tables::Vsop87Term>> series,
                            double tau);

// Heliocentric spherical coordinates from a body's L, B and R series.
struct Vsop87Spherical {
    double longitude = 0; // radians, not reduced (grows by about 2π a year for the Earth)
    double latitude = 0;  // radians
    double radius = 0;    // AU
};

// All three coordinates of a body at τ (Julian millennia from J2000, TT).
Vsop87Spherical EvaluateVsop87(const tables::Vsop87Body& body, double tau);

} // namespace skelvane

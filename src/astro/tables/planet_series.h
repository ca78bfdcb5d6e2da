#pragma once

#include "astro/tables/vsop87.h"

#include <array>

namespace skelvane::tables {

// VSOP87B (heliocentric, ecliptic and equinox of J2000) of the planets other than the
// Earth, each cut to its larger terms; the header of each generated file states the cut
// and what it costs. Sub-series run from τ⁰ up to the highest power that keeps a term.
extern const Vsop87Body kMercuryVsop87B;
extern const Vsop87Body kVenusVsop87B;
extern const Vsop87Body kMarsVsop87B;
extern const Vsop87Body kJupiterVsop87B;
extern const Vsop87Body kSaturnVsop87B;
extern const Vsop87Body kUranusVsop87B;
extern const Vsop87Body kNeptuneVsop87B;

// Meeus, Astronomical Algorithms, table 37.A: periodic terms of Pluto's heliocentric
// coordinates for multiples j, s, p of the arguments J, S, P, each term
// A·sin(α) + B·cos(α) with α = j·J + s·S + p·P.
struct PlutoTerm {
    int j, s, p;
    double lonA, lonB; // longitude, 0.000001°
    double latA, latB; // latitude, 0.000001°
    double radA, radB; // radius, 0.0000001 AU
};
extern const std::array<PlutoTerm, 43> kPlutoTable37A;

} // namespace skelvane::tables

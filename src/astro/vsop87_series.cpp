#include "astro/vsop87_series.h"

#include <cmath>
#include <cstddef>

namespace skelvane {

double EvaluateVsop87Series(std::span<const std::span<const tables::Vsop87Term>> series,
                            double tau) {
    // Horner over the powers, highest first: ((S₅·τ + S₄)·τ + …)·τ + S₀.
    double result = 0;
    for (std::size_t power = series.size(); power-- > 0;) {
        double sum = 0;
        for (const tables::Vsop87Term& term : series[power])
            sum += term.amplitude * std::cos(term.phase + term.frequency * tau);
        result = result * tau + sum;
    }
    return result;
}

Vsop87Spherical EvaluateVsop87(const tables::Vsop87Body& body, double tau) {
    return Vsop87Spherical{EvaluateVsop87Series(body.L, tau), EvaluateVsop87Series(body.B, tau),
                           EvaluateVsop87Series(body.R, tau)};
}

} // namespace skelvane

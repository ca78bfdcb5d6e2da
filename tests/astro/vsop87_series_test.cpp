#include "astro/vsop87_series.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

namespace skelvane {
namespace {

using tables::Vsop87Term;

// A hand-made series whose sum is known in closed form:
//   S0 = 3·cos 0 + 1·cos(π + 0·τ)  = 2
//   S1 = 0.5·cos(0 + 2τ)
//   S2 = (no terms)
//   S3 = 1·cos(π/3 + τ)
// value = S0 + S1·τ + S3·τ³ (each power multiplies its own sum only).
TEST(EvaluateVsop87Series, EachPowerOfTauMultipliesItsOwnSum) {
    constexpr std::array<Vsop87Term, 2> s0{{{3, 0, 0}, {1, std::numbers::pi, 0}}};
    constexpr std::array<Vsop87Term, 1> s1{{{0.5, 0, 2}}};
    constexpr std::array<Vsop87Term, 1> s3{{{1, std::numbers::pi / 3, 1}}};
    const std::array<std::span<const Vsop87Term>, 4> series{s0, s1, {}, s3};
    for (double tau : {0.0, 0.3, -0.7, 2.5}) {
        const double expected = 2 + 0.5 * std::cos(2 * tau) * tau +
                                std::cos(std::numbers::pi / 3 + tau) * tau * tau * tau;
        EXPECT_NEAR(EvaluateVsop87Series(series, tau), expected, 1e-14) << tau;
    }
    EXPECT_EQ(EvaluateVsop87Series({}, 0.5), 0);
}

TEST(EvaluateVsop87, MapsTheThreeSeriesToLongitudeLatitudeRadius) {
    constexpr std::array<Vsop87Term, 1> one{{{1, 0, 0}}};
    constexpr std::array<Vsop87Term, 1> two{{{2, 0, 0}}};
    constexpr std::array<Vsop87Term, 1> three{{{3, 0, 0}}};
    const std::array<std::span<const Vsop87Term>, 1> l{one}, b{two}, r{three};
    const tables::Vsop87Body body{l, b, r};
    const Vsop87Spherical result = EvaluateVsop87(body, 0.1);
    EXPECT_EQ(result.longitude, 1);
    EXPECT_EQ(result.latitude, 2);
    EXPECT_EQ(result.radius, 3);
}

} // namespace
} // namespace skelvane

// The planet table, recomputed every 5 seconds while the information window is open.
#include "astro/planets.h"

#include <benchmark/benchmark.h>

namespace skelvane {
namespace {

void BM_PlanetPositions(benchmark::State& state) {
    double julianDate = 2460482.5; // 2024-06-21 0h
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlanetPositions(julianDate));
        julianDate += 0.37;
    }
}
BENCHMARK(BM_PlanetPositions)->Unit(benchmark::kMicrosecond);

void BM_PlutoPosition(benchmark::State& state) {
    double julianDate = 2460482.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlutoPosition(julianDate));
        julianDate += 0.37;
    }
}
BENCHMARK(BM_PlutoPosition);

} // namespace
} // namespace skelvane

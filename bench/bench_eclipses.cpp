// Cost of filling the eclipse list for a year, as the planet page and the clock window's
// eclipse menu do when the displayed year changes.
#include "astro/eclipses.h"

#include <benchmark/benchmark.h>

namespace {

using namespace skelvane;

// 2024 has two central eclipses, so two central-line tracks of 27 samples each.
void BM_FindEclipses2024(benchmark::State& state) {
    TStEclipses list;
    for (auto _ : state) {
        list.FindEclipses(2024);
        benchmark::DoNotOptimize(list.Count());
    }
}
BENCHMARK(BM_FindEclipses2024)->Unit(benchmark::kMicrosecond);

// A run of years, for the average over years with and without central eclipses.
void BM_FindEclipsesAnyYear(benchmark::State& state) {
    TStEclipses list;
    int year = 1990;
    for (auto _ : state) {
        list.FindEclipses(year);
        benchmark::DoNotOptimize(list.Count());
        year = year == 2030 ? 1990 : year + 1;
    }
}
BENCHMARK(BM_FindEclipsesAnyYear)->Unit(benchmark::kMicrosecond);

// The search alone, without tracks.
void BM_EclipseAtLunation(benchmark::State& state) {
    double k = 290;
    for (auto _ : state) {
        benchmark::DoNotOptimize(EclipseAtLunation(k));
        k = k >= 320 ? 290 : k + 0.5;
    }
}
BENCHMARK(BM_EclipseAtLunation);

} // namespace

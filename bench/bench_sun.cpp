// The Sun routines the clock calls every minute (rise and set) and the heavier ones behind
// the calendars (the full VSOP87D apparent Sun, the equinoxes, the solar-term search).
#include "astro/apparent_position.h"
#include "astro/seasons.h"
#include "astro/sun.h"

#include <benchmark/benchmark.h>

namespace skelvane {
namespace {

void BM_SunRiseSetHours(benchmark::State& state) {
    int day = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SunRiseSetHours(day, 6, 2024, true, 300, -74.006, 40.7128));
        day = day % 28 + 1;
    }
}
BENCHMARK(BM_SunRiseSetHours);

void BM_SunPosition(benchmark::State& state) {
    AstroTimeRec time = AstroTimeFromDateTime(SafeEncodeDate(2024, 6, 21));
    for (auto _ : state) {
        benchmark::DoNotOptimize(SunPosition(time));
        time.seconds = (time.seconds + 61) % 86400;
    }
}
BENCHMARK(BM_SunPosition);

void BM_ApparentSunPosition(benchmark::State& state) {
    DateTime value = SafeEncodeDate(2024, 6, 21);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ApparentSunPosition(value));
        value += 0.001;
    }
}
BENCHMARK(BM_ApparentSunPosition);

void BM_EquinoxSolstice(benchmark::State& state) {
    int year = 2000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(EquinoxSolstice(year, "dec"));
        year = year == 2100 ? 2000 : year + 1;
    }
}
BENCHMARK(BM_EquinoxSolstice);

void BM_SolarLongitudeDate(benchmark::State& state) {
    int term = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SolarLongitudeDate(2024, term));
        term = (term + 1) % 24;
    }
}
BENCHMARK(BM_SolarLongitudeDate);

} // namespace
} // namespace skelvane

// Cost of the Moon routines that the clock tick and the month calendar call.
#include "astro/datetime.h"
#include "astro/lunation.h"
#include "astro/moon.h"
#include "astro/moon_calendar.h"
#include "astro/moon_rise_set.h"

#include <benchmark/benchmark.h>

namespace {

using namespace skelvane;

const std::int32_t kDay2024 = DayNumberFromDate(SafeEncodeDate(2024, 1, 15));

void BM_MoonPosition(benchmark::State& state) {
    AstroTimeRec t{kDay2024, 43200};
    for (auto _ : state) {
        benchmark::DoNotOptimize(MoonPosition(t));
        t.seconds = (t.seconds + 61) % 86400;
    }
}
BENCHMARK(BM_MoonPosition);

void BM_MoonRiseSet(benchmark::State& state) {
    std::int32_t day = kDay2024;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MoonRiseSet(day, 33, 40.7128, -74.0060));
        day = day == kDay2024 + 365 ? kDay2024 : day + 1;
    }
}
BENCHMARK(BM_MoonRiseSet);

void BM_LunationPhases(benchmark::State& state) {
    int k = 297;
    for (auto _ : state) {
        benchmark::DoNotOptimize(LunationPhases(k));
        k = k == 400 ? 297 : k + 1;
    }
}
BENCHMARK(BM_LunationPhases);

// What a year calendar asks for: 12 months × 4 phases.
void BM_PhasesInMonthWholeYear(benchmark::State& state) {
    for (auto _ : state)
        for (int month = 1; month <= 12; ++month) {
            const std::int32_t day = DayNumberFromDate(SafeEncodeDate(2024, month, 1));
            for (int phase = 0; phase <= 3; ++phase)
                benchmark::DoNotOptimize(PhasesInMonth(day, phase));
        }
}
BENCHMARK(BM_PhasesInMonthWholeYear);

void BM_MoonPhaseAngle(benchmark::State& state) {
    DateTime t = SafeEncodeDate(2024, 1, 15);
    for (auto _ : state) {
        benchmark::DoNotOptimize(MoonPhaseAngle(t));
        t += 0.01;
    }
}
BENCHMARK(BM_MoonPhaseAngle);

} // namespace

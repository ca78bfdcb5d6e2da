// Cost of the holiday table: a fresh build (a new year in the month calendar), the cached
// lookup that the month grid makes for each of its 42 cells, and Chinese New Year, which
// dominates the build.
#include "astro/chinese_new_year.h"
#include "astro/hebrew_calendar.h"
#include "astro/holidays.h"
#include "astro/posix_tz.h"
#include "astro/timezone.h"

#include <benchmark/benchmark.h>

namespace {

using namespace skelvane;

void UseNewYorkZone() {
    const auto record = ParsePosixTzRule("EST5EDT,M3.2.0,M11.1.0");
    SetTimeZoneRecordSource([record] { return record; });
}

// Years cycle through the calendar's range so that no year's figures dominate.
int NextYear(int year) {
    return year >= 3428 ? 1601 : year + 1;
}

void BM_BuildHolidayTable(benchmark::State& state) {
    UseNewYorkZone();
    int year = 1601;
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildHolidayTable(year));
        year = NextYear(year);
    }
}
BENCHMARK(BM_BuildHolidayTable)->Unit(benchmark::kMillisecond);

// One repaint of the month grid: up to two lookups (index, then index + 1) for 42 days.
void BM_HolidayNameOnMonthGrid(benchmark::State& state) {
    UseNewYorkZone();
    InvalidateHolidayTable();
    const DateTime firstCell = SafeEncodeDate(2024, 3, 25);
    HolidayTableFor(2024);
    for (auto _ : state) {
        for (int cell = 0; cell < 42; ++cell) {
            const HolidayMatch first = HolidayNameOn(1, firstCell + cell);
            benchmark::DoNotOptimize(first);
            if (first.index != 0)
                benchmark::DoNotOptimize(HolidayNameOn(first.index + 1, firstCell + cell));
        }
    }
    state.SetItemsProcessed(state.iterations() * 42);
}
BENCHMARK(BM_HolidayNameOnMonthGrid)->Unit(benchmark::kMicrosecond);

void BM_ChineseNewYearDate(benchmark::State& state) {
    int year = 1601;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ChineseNewYearDate(year));
        year = NextYear(year);
    }
}
BENCHMARK(BM_ChineseNewYearDate)->Unit(benchmark::kMillisecond);

void BM_DateToHebrew(benchmark::State& state) {
    DateTime day = SafeEncodeDate(2024, 1, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(DateToHebrew(day));
        day = day > SafeEncodeDate(2030, 1, 1) ? SafeEncodeDate(2024, 1, 1) : day + 1;
    }
}
BENCHMARK(BM_DateToHebrew);

} // namespace

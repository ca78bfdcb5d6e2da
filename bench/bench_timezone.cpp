// The per-second work of the clock: the local offset from the computer's zone and the
// formatting of the time line.
#include "astro/format_date.h"
#include "astro/timezone.h"
#include "platform/system_timezone.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace skelvane {
namespace {

DateTime NowUtc() {
    const auto since1970 = std::chrono::system_clock::now().time_since_epoch();
    // 1970-01-01 is day 25569 of the date-time scale.
    return 25569.0 + std::chrono::duration<double, std::ratio<86400>>(since1970).count();
}

void BM_TimeZoneOffsetHoursSystem(benchmark::State& state) {
    InstallSystemTimeZoneSource();
    const DateTime utc = NowUtc();
    for (auto _ : state)
        benchmark::DoNotOptimize(TimeZoneOffsetHours(utc));
    SetTimeZoneRecordSource(nullptr);
}
BENCHMARK(BM_TimeZoneOffsetHoursSystem);

void BM_ReadSystemTimeZoneRecord(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadSystemTimeZoneRecord());
}
BENCHMARK(BM_ReadSystemTimeZoneRecord);

void BM_FormatDateClockLine(benchmark::State& state) {
    const DateTime local = NowUtc();
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatDate("hh:nn:ss  AM/PM   ", local));
}
BENCHMARK(BM_FormatDateClockLine);

} // namespace
} // namespace skelvane

// One full refresh of the information window's Moon page, as the clock window runs it on
// every change of minute and of the selected date. Runs offscreen.
#include "app/settings.h"
#include "astro/posix_tz.h"
#include "astro/timezone.h"
#include "infowin/moon_page.h"
#include "widgets/day_display.h"
#include "widgets/moon_icons.h"

#include "window_bench_main.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

using namespace skelvane;

struct PageFixture {
    PageFixture() {
        const auto record = ParsePosixTzRule("EST5EDT,M3.2.0,M11.1.0");
        SetTimeZoneRecordSource([record] { return record; });
        settings.Latitude = 40.7128;
        settings.Longitude = -74.006;
        DayDisplayInputs day;
        day.day = SafeEncodeDate(2024, 10, 3);
        day.now = day.day + 0.5;
        clockDay = ComputeDayDisplay(settings, day);
        inputs.x = inputs.nowLocal = day.now;
        inputs.clockDay = &clockDay;
    }
    Settings settings;
    MoonIconLists icons;
    MoonPage page{settings, icons};
    DayDisplay clockDay;
    MoonPageInputs inputs;
};

// With the clock window's sun lines, as in the running program.
void BM_MoonPageUpdateInfoForm(benchmark::State& state) {
    PageFixture fixture;
    fixture.page.show();
    for (auto _ : state)
        fixture.page.UpdateInfoForm(fixture.inputs);
}
BENCHMARK(BM_MoonPageUpdateInfoForm)->Unit(benchmark::kMillisecond);

// The positions panels, refreshed on every one-second tick.
void BM_MoonPageShowSunMoonPosition(benchmark::State& state) {
    PageFixture fixture;
    fixture.page.UpdateInfoForm(fixture.inputs);
    for (auto _ : state)
        benchmark::DoNotOptimize(fixture.page.ShowSunMoonPosition(fixture.inputs.x));
}
BENCHMARK(BM_MoonPageShowSunMoonPosition)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}

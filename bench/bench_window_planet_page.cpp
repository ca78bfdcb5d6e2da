// The information window's Planet page: the planet table the tick redraws every five
// seconds, and the eclipse group rebuilt on a change of year or display mode. Runs
// offscreen.
#include "app/settings.h"
#include "astro/posix_tz.h"
#include "astro/timezone.h"
#include "infowin/planet_page.h"

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
        page.show();
    }
    Settings settings;
    TStEclipses eclipses;
    PlanetPage page{settings, eclipses};
    DateTime local = SafeEncodeDateTime(2024, 4, 8, 14, 0, 0, 0);
};

// Argument 1: "Earth Surface Coordinates", 0: "Astronomical Coordinates".
void BM_PlanetPageShowPlanets(benchmark::State& state) {
    PageFixture fixture;
    fixture.settings.EarthSurfaceCoords = state.range(0) != 0;
    for (auto _ : state)
        fixture.page.ShowPlanets(fixture.local);
}
BENCHMARK(BM_PlanetPageShowPlanets)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// A year with two central solar eclipses, whose tracks dominate.
void BM_PlanetPageShowEclipses(benchmark::State& state) {
    PageFixture fixture;
    fixture.settings.EclipseSummaryView = false;
    for (auto _ : state)
        fixture.page.ShowEclipses(2024);
}
BENCHMARK(BM_PlanetPageShowEclipses)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}

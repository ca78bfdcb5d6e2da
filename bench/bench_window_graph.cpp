// The Graph page's work: one full redraw (both curves for 365 days, the side labels and the
// painting), as a change of the selected day or of a choice runs it, and the curves alone.
// The zone is New York's rule through the computer's record reader, as in the program.
#include "app/settings.h"
#include "astro/datetime.h"
#include "infowin/graph_page.h"
#include "infowin/sun_graph.h"
#include "platform/clock.h"
#include "platform/system_timezone.h"

#include "window_bench_main.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace skelvane;

struct Page {
    Settings settings;
    SystemClock clock;
    std::unique_ptr<GraphPage> page;
    Page() {
        settings.Latitude = 40.7128;
        settings.Longitude = -74.006;
        settings.PlaceName = QStringLiteral("New York, NY");
        page = std::make_unique<GraphPage>(settings, clock);
    }
};

// Made on first use and released before the application object goes.
std::unique_ptr<Page> g_page;
Page& Shared() {
    if (!g_page)
        g_page = std::make_unique<Page>();
    return *g_page;
}

void SetMode(Page& page, int mode) {
    page.settings.TimePositionBoxIndex = mode;
    page.page = std::make_unique<GraphPage>(page.settings, page.clock);
}

// Time mode reads the zone at every event; position mode adds the Sun's azimuth.
void BM_GraphRedraw(benchmark::State& state) {
    Page& page = Shared();
    SetMode(page, static_cast<int>(state.range(0)));
    for (auto _ : state)
        page.page->DrawGraph();
}
BENCHMARK(BM_GraphRedraw)->Arg(0)->Arg(1)->ArgName("position")->Unit(benchmark::kMillisecond);

void BM_GraphCurves(benchmark::State& state) {
    SunGraphOptions options;
    options.latitude = 40.7128;
    options.longitude = -74.006;
    options.mode = state.range(0) == 0 ? GraphMode::Time : GraphMode::Position;
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeSunGraphCurves(2024, options));
}
BENCHMARK(BM_GraphCurves)->Arg(0)->Arg(1)->ArgName("position")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // A fixed zone, so that the figures do not depend on the machine's own.
    qputenv("TZ", "America/New_York");
    return RunWindowBenchmarks(
        argc, argv, [] { InstallSystemTimeZoneSource(); }, [] { g_page.reset(); });
}

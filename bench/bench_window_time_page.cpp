// The Time page's share of the one-second tick: one refreshTimePage (clock, sidereal and
// Julian panels and the seven world clocks). Runs offscreen.
#include "app/settings.h"
#include "app/time_formats.h"
#include "astro/datetime.h"
#include "infowin/time_page.h"

#include "window_bench_main.h"

#include <QApplication>
#include <QString>
#include <benchmark/benchmark.h>

namespace {

using namespace skelvane;

// Each iteration is the next second, so every panel really changes, as in the program.
// With `paint`, the changed panels are also repainted, as the event loop does after a tick.
void RefreshEverySecond(benchmark::State& state, bool paint) {
    Settings settings;
    settings.Longitude = -74.006;
    TimePage page(settings);
    page.resize(730, 645);
    page.show();
    QApplication::processEvents();
    const QString zone = QStringLiteral("EST");
    const std::string format = TimeFormats::infoWindow(false);
    DateTime local = SafeEncodeDateTime(2024, 12, 25, 15, 7, 42, 0);
    for (auto _ : state) {
        local += 1.0 / 86400.0;
        page.refreshTimePage(local, local + 5.0 / 24.0, zone, format);
        if (paint)
            QApplication::processEvents();
    }
    benchmark::DoNotOptimize(page.localTimePanelText());
}

void BM_TimePageRefresh(benchmark::State& state) {
    RefreshEverySecond(state, false);
}
BENCHMARK(BM_TimePageRefresh)->Unit(benchmark::kMicrosecond);

void BM_TimePageRefreshAndPaint(benchmark::State& state) {
    RefreshEverySecond(state, true);
}
BENCHMARK(BM_TimePageRefreshAndPaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}

// The clock window's date-dependent work: one UpdateDisplays (run once a minute and on
// every calendar change) and one repaint of the month grid (42 engine questions at most).
#include "app/settings.h"
#include "app/settings_store.h"
#include "astro/datetime.h"
#include "astro/holidays.h"
#include "clockwin/clock_window.h"
#include "clockwin/month_calendar.h"
#include "platform/clock.h"
#include "platform/system_timezone.h"

#include "window_bench_main.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace skelvane;

struct Windows {
    QTemporaryDir folder;
    Settings settings;
    SettingsStore store{folder.path()};
    SystemClock clock;
    std::unique_ptr<TForm1> form;
    Windows() {
        settings.Latitude = 40.7128;
        settings.Longitude = -74.006;
        form = std::make_unique<TForm1>(settings, store, clock, TForm1::Options{true});
        form->setProcessEnder([] {});
    }
};

// Made on first use and released before the application object goes.
std::unique_ptr<Windows> g_windows;
Windows& Shared() {
    if (!g_windows)
        g_windows = std::make_unique<Windows>();
    return *g_windows;
}

void BM_UpdateDisplays(benchmark::State& state) {
    TForm1& form = *Shared().form;
    for (auto _ : state)
        form.UpdateDisplays();
}
BENCHMARK(BM_UpdateDisplays)->Unit(benchmark::kMicrosecond);

// A repaint after a change of month: the grid asks for the new month's marks.
void BM_MonthGridRepaintNewMonth(benchmark::State& state) {
    TCalendar& grid = *Shared().form->Calendar1;
    QImage canvas(grid.size(), QImage::Format_ARGB32_Premultiplied);
    int month = 0;
    for (auto _ : state) {
        grid.SetDate(SafeEncodeDate(2024, month % 12 + 1, 10));
        ++month;
        grid.render(&canvas);
    }
}
BENCHMARK(BM_MonthGridRepaintNewMonth)->Unit(benchmark::kMicrosecond);

// A repaint of the same month (the every-second case): the kept marks are drawn again.
void BM_MonthGridRepaintSameMonth(benchmark::State& state) {
    TCalendar& grid = *Shared().form->Calendar1;
    QImage canvas(grid.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        grid.render(&canvas);
}
BENCHMARK(BM_MonthGridRepaintSameMonth)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(
        argc, argv, [] { InstallSystemTimeZoneSource(); }, [] { g_windows.reset(); });
}

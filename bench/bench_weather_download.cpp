// One weather download from the loopback fixture server, as the schedule starts it: the
// worker thread's request, the reading and the hand-overs, until the last hand-over is done.
// Also the longest gap of the user-interface thread's event loop meanwhile (a 1 ms timer
// counts it), which says whether the worker download ever stalls the windows.
#include "app/settings.h"
#include "fixture_http_server.h"
#include "net/download_state.h"
#include "net/weather_service.h"
#include "platform/clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace skelvane {
namespace {

void BM_WeatherDownloadFromLoopback(benchmark::State& state) {
    fixture::FixtureHttpServer server(SKELVANE_DEMO_DATA);
    Settings settings;
    settings.WeatherServer = QString::fromStdString(server.server());
    settings.DefaultWeatherServer = settings.WeatherServer;
    SystemClock clock;
    DownloadState downloads(settings);
    WeatherService service(settings, clock, downloads);

    qint64 longestGapNs = 0;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGapNs = std::max(longestGapNs, sinceTick.nsecsElapsed());
        sinceTick.restart();
    });
    for (auto _ : state) {
        QEventLoop loop;
        QObject::connect(&service, &WeatherService::downloadFinished, &loop, &QEventLoop::quit);
        sinceTick.start();
        ticker.start(1);
        service.GetWeather(QStringLiteral("KNYC"), true);
        loop.exec();
        ticker.stop();
    }
    state.counters["longest_event_loop_gap_ms"] = static_cast<double>(longestGapNs) / 1e6;
}
BENCHMARK(BM_WeatherDownloadFromLoopback)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace skelvane

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

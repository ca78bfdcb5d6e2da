// The Radar page's costs: composing one site frame from all nine layers, one step of the
// animation onto the map, a 30-frame animated site download from the loopback fixture server
// (with the longest stall of the user-interface thread's event loop meanwhile), and writing
// the 30-frame animated GIF. Runs offscreen.
#include "app/animation_timer.h"
#include "app/settings.h"
#include "fixture_http_server.h"
#include "infowin/radar_map_view.h"
#include "infowin/radar_page.h"
#include "net/decode/radar_map_marks.h"
#include "net/download_state.h"
#include "net/gif_decoder.h"
#include "net/jpeg_decoder.h"
#include "net/radar_animation_gif.h"
#include "net/radar_compose.h"
#include "platform/clock.h"

#include "window_bench_main.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace skelvane;

QByteArray Read(const char* path) {
    QFile file(QStringLiteral(SKELVANE_DEMO_DATA) + QLatin1String(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

GifFrame FirstFrame(const char* path) {
    const auto gif = GifDecoder().decode(Read(path));
    return gif ? gif->frames.front() : GifFrame{};
}

// OKX's newest short-range frame with every layer, as the download leaves them.
RadarLayers AllNineLayers() {
    RadarLayers layers;
    layers.topo = JpegDecoder().decode(Read("/ridge/Overlays/Topo/Short/OKX_Topo_Short.jpg"));
    const struct {
        RadarLayer layer;
        const char* path;
    } gifs[] = {
        {RadarLayer::Radar, "/ridge/RadarImg/N0R/OKX/OKX_20240915_1725_N0R.gif"},
        {RadarLayer::Counties, "/ridge/Overlays/County/Short/OKX_County_Short.gif"},
        {RadarLayer::Rivers, "/ridge/Overlays/Rivers/Short/OKX_Rivers_Short.gif"},
        {RadarLayer::Highways, "/ridge/Overlays/Highways/Short/OKX_Highways_Short.gif"},
        {RadarLayer::Cities, "/ridge/Overlays/Cities/Short/OKX_City_Short.gif"},
        {RadarLayer::Warnings, "/ridge/Warnings/Short/OKX/OKX_20240915_1725_Short_Warnings.gif"},
        {RadarLayer::RangeRing, "/ridge/Overlays/RangeRings/Short/OKX_RangeRing_Short.gif"},
        {RadarLayer::Legend, "/ridge/Legend/N0R/OKX/OKX_20240915_1725_N0R_Legend.gif"},
    };
    for (const auto& gif : gifs)
        layers.setGif(gif.layer, FirstFrame(gif.path), 550);
    return layers;
}

// ShowRadarFrame's picture from all nine layers at 600 × 550; with the warnings scan of the
// newest frame (argument bit 1) and the tiny circles (bit 2).
void BM_ShowRadarFrameNineLayers(benchmark::State& state) {
    const RadarLayers layers = AllNineLayers();
    for (int layer = 0; layer < kRadarLayerCount; ++layer)
        if (!layers.loaded(static_cast<RadarLayer>(layer)))
            state.SkipWithError("a demo layer is missing");
    RadarComposeOptions options;
    if (state.range(0) & 1)
        options.scanWarnings = true;
    if (state.range(0) & 2)
        options.marks = BuildSmallMapCenterArray(120, 1, 1.0, 40.7128, -74.006);
    for (auto _ : state) {
        RadarComposedFrame frame = ComposeRadarFrame(layers, options);
        benchmark::DoNotOptimize(frame.picture.constBits());
    }
}
BENCHMARK(BM_ShowRadarFrameNineLayers)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

struct PageFixture {
    PageFixture() {
        const QString host = QString::fromStdString(server.server());
        settings.RadarServer = settings.RadarServerAlternative1 = settings.RadarServerAlternative2 =
            host;
        settings.AnimateRadar = true;
        settings.StateMaxImages = 30;
        page = std::make_unique<RadarPage>(settings, clock, timer, downloads);
        page->resize(734, 640);
        page->show();
    }
    // Runs one download; returns the longest gap of a 1 ms timer meanwhile, in milliseconds.
    double download() {
        qint64 longestGapNs = 0;
        QElapsedTimer sinceTick;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            longestGapNs = std::max(longestGapNs, sinceTick.nsecsElapsed());
            sinceTick.restart();
        });
        QEventLoop loop;
        QObject::connect(page.get(), &RadarPage::downloadFinished, &loop, &QEventLoop::quit);
        sinceTick.start();
        ticker.start(1);
        page->GetRadarButClick();
        loop.exec();
        ticker.stop();
        return static_cast<double>(longestGapNs) / 1e6;
    }

    fixture::FixtureHttpServer server{SKELVANE_DEMO_DATA};
    Settings settings;
    SystemClock clock;
    AnimationTimer timer;
    DownloadState downloads{settings};
    std::unique_ptr<RadarPage> page;
};

// "Get Radar" for OKX with Animate and 30 frames, until the page is enabled again: the
// overlays, three directory pages, 90 frame pictures, 30 compositions and hand-overs.
void BM_AnimatedSiteDownloadFromLoopback(benchmark::State& state) {
    PageFixture fixture;
    double longestGapMs = 0;
    for (auto _ : state)
        longestGapMs = std::max(longestGapMs, fixture.download());
    if (fixture.page->animation().frameCount() != 30 || fixture.page->frame(29).isNull())
        state.SkipWithError("the download did not bring 30 frames");
    state.counters["longest_event_loop_gap_ms"] = longestGapMs;
}
BENCHMARK(BM_AnimatedSiteDownloadFromLoopback)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

// One radar step of the shared timer: the next frame onto the map, its number and the
// warning labels, and the map painted.
void BM_RadarAnimationStep(benchmark::State& state) {
    PageFixture fixture;
    fixture.download();
    fixture.timer.stopAll(); // the steps are driven here
    if (!fixture.page->animation().framesReady())
        state.SkipWithError("no animation");
    for (auto _ : state) {
        fixture.page->animateStep();
        fixture.page->Image6->repaint();
    }
}
BENCHMARK(BM_RadarAnimationStep)->Unit(benchmark::kMicrosecond);

// The animated GIF of a 30-frame site download, encoded and written to a file.
void BM_WriteAnimatedGifOf30Frames(benchmark::State& state) {
    PageFixture fixture;
    fixture.download();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("radar.gif"));
    qint64 bytes = 0;
    for (auto _ : state) {
        RadarAnimationGif gif;
        for (int i = 0; i < 30; ++i)
            gif.appendFrame(fixture.page->frame(i));
        if (!gif.write(path))
            state.SkipWithError("the GIF was not written");
        bytes = QFile(path).size();
    }
    state.counters["file_kb"] = static_cast<double>(bytes) / 1024.0;
}
BENCHMARK(BM_WriteAnimatedGifOf30Frames)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}

// The image codecs at the size of the program's pictures, 600 × 550.
// Targets: saving a JPEG at quality 100 under 20 ms; writing a 30-frame animated GIF (the
// radar loop) under 300 ms. Decoding a GIF frame and a JPEG are measured alongside.
// Pictures: a photograph-like background (thousands of colours, like the topographic map
// under the radar) with echoes that move from frame to frame, and a drawn map of few colours.
#include "net/gif_decoder.h"
#include "net/gif_encoder.h"
#include "net/jpeg_decoder.h"
#include "net/jpeg_encoder.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace skelvane {
namespace {

constexpr int kWidth = 600, kHeight = 550;

QImage Background() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            const double u = x / double(kWidth), v = y / double(kHeight);
            const int r = static_cast<int>(90 + 80 * u + 30 * std::sin(23 * u * v));
            const int g = static_cast<int>(110 + 70 * v + 25 * std::sin(17 * u));
            const int b = static_cast<int>(70 + 40 * std::sin(5 * u + 4 * v));
            row[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
        }
    }
    return image;
}

// Echoes in a reflectivity scale, drifting east frame by frame.
QImage RadarFrame(const QImage& background, int frame) {
    static const QRgb kScale[] = {qRgb(4, 233, 231), qRgb(1, 159, 244), qRgb(2, 253, 2),
                                  qRgb(1, 197, 1),   qRgb(253, 248, 2), qRgb(229, 188, 0),
                                  qRgb(253, 149, 0), qRgb(253, 0, 0),   qRgb(188, 0, 0)};
    QImage image = background.copy();
    for (int cell = 0; cell < 6; ++cell) {
        const int cx = 80 + cell * 90 + frame * 4, cy = 120 + (cell % 3) * 140;
        for (int y = std::max(0, cy - 60); y < std::min(kHeight, cy + 60); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = std::max(0, cx - 60); x < std::min(kWidth, cx + 60); ++x) {
                const double d = std::hypot(x - cx, (y - cy) * 1.4);
                if (d < 60)
                    row[x] = kScale[std::min(8, static_cast<int>((60 - d) / 7))];
            }
        }
    }
    return image;
}

// A drawn map: few flat colours and lines.
QImage DrawnMap() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            image.setPixel(x, y,
                           (x % 50 == 0 || y % 40 == 0)   ? qRgb(90, 90, 90)
                           : ((x / 75 + y / 61) % 3 == 0) ? qRgb(221, 236, 204)
                                                          : qRgb(242, 239, 233));
    return image;
}

std::vector<GifEncodeFrame> RadarLoop() {
    const QImage background = Background();
    std::vector<GifEncodeFrame> frames;
    for (int i = 0; i < 30; ++i)
        frames.push_back(GifEncodeFrame{RadarFrame(background, i), 25});
    return frames;
}

void BM_SaveJpeg(benchmark::State& state) {
    const QImage picture = RadarFrame(Background(), 0);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("radar.jpg"));
    JpegEncoder encoder;
    for (auto _ : state)
        if (!encoder.write(picture, path))
            state.SkipWithError(encoder.errorString().toUtf8().constData());
}
BENCHMARK(BM_SaveJpeg)->Unit(benchmark::kMillisecond);

void BM_EncodeJpeg(benchmark::State& state) {
    const QImage picture = RadarFrame(Background(), 0);
    JpegEncoder encoder(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(encoder.encode(picture));
}
BENCHMARK(BM_EncodeJpeg)->Arg(100)->Arg(75)->ArgName("quality")->Unit(benchmark::kMillisecond);

void BM_WriteAnimatedGif(benchmark::State& state) {
    const auto frames = RadarLoop();
    GifEncoder::Options options;
    options.sharedPalette = state.range(0) != 0;
    GifEncoder encoder(options);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("radar.gif"));
    for (auto _ : state)
        if (!encoder.writeAnimation(frames, path))
            state.SkipWithError(encoder.errorString().toUtf8().constData());
    state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}
BENCHMARK(BM_WriteAnimatedGif)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("shared_palette")
    ->Unit(benchmark::kMillisecond);

void BM_EncodeGifStill(benchmark::State& state) {
    const QImage picture = state.range(0) ? DrawnMap() : RadarFrame(Background(), 0);
    GifEncoder encoder;
    for (auto _ : state)
        benchmark::DoNotOptimize(encoder.encodeStill(picture));
}
BENCHMARK(BM_EncodeGifStill)->Arg(0)->Arg(1)->ArgName("drawn")->Unit(benchmark::kMillisecond);

void BM_DecodeGifFrame(benchmark::State& state) {
    const QByteArray body = GifEncoder().encodeStill(RadarFrame(Background(), 0));
    GifDecoder decoder;
    for (auto _ : state)
        benchmark::DoNotOptimize(decoder.decodeFirstFrame(body));
}
BENCHMARK(BM_DecodeGifFrame)->Unit(benchmark::kMillisecond);

void BM_DecodeAnimatedGif(benchmark::State& state) {
    const QByteArray body = GifEncoder().encodeAnimation(RadarLoop());
    GifDecoder decoder;
    for (auto _ : state)
        benchmark::DoNotOptimize(decoder.decode(body));
}
BENCHMARK(BM_DecodeAnimatedGif)->Unit(benchmark::kMillisecond);

void BM_DecodeJpeg(benchmark::State& state) {
    const QByteArray body = JpegEncoder().encode(RadarFrame(Background(), 0));
    JpegDecoder decoder;
    for (auto _ : state)
        benchmark::DoNotOptimize(decoder.decode(body));
}
BENCHMARK(BM_DecodeJpeg)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace skelvane

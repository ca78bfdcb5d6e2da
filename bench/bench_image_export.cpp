// The image commands' Save at the size of the program's pictures, 600 × 550, through the
// same functions as the "Save" button: confirmation over an existing file (answered Yes),
// the format's extension, the write and the last-folder note.
// Targets: a JPEG under 20 ms; the radar loop's 30-frame animated GIF under 300 ms.
#include "infowin/image_file_names.h"
#include "infowin/image_files.h"
#include "infowin/image_save_dialog.h"
#include "net/radar_animation_gif.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

namespace skelvane {
namespace {

constexpr int kWidth = 600, kHeight = 550;

class AlwaysYes final : public ImageSaveQuestions {
public:
    std::optional<SaveDialogChoice> chooseSaveFile(const SaveDialogRequest&) override {
        return std::nullopt;
    }
    ReplaceAnswer askReplace(const QString&) override { return ReplaceAnswer::Yes; }
    void showError(const QString& text) override { error = text; }
    QString error;
};

// A photograph-like map (thousands of colours) with echoes drifting east frame by frame.
QImage RadarFrame(int frame) {
    static const QRgb kScale[] = {qRgb(4, 233, 231), qRgb(1, 159, 244), qRgb(2, 253, 2),
                                  qRgb(1, 197, 1),   qRgb(253, 248, 2), qRgb(229, 188, 0),
                                  qRgb(253, 149, 0), qRgb(253, 0, 0),   qRgb(188, 0, 0)};
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            const double u = x / double(kWidth), v = y / double(kHeight);
            const int r = static_cast<int>(90 + 80 * u + 30 * std::sin(23 * u * v));
            const int g = static_cast<int>(110 + 70 * v + 25 * std::sin(17 * u));
            const int b = static_cast<int>(70 + 40 * std::sin(5 * u + 4 * v));
            row[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
            const int cx = 80 + (x / 100) * 90 + frame * 4, cy = 120 + (y / 180) * 140;
            const double d = std::hypot(x - cx, (y - cy) * 1.4);
            if (d < 60)
                row[x] = kScale[std::min(8, static_cast<int>((60 - d) / 7))];
        }
    }
    return image;
}

void BM_SaveImageFile(benchmark::State& state) {
    const int format = static_cast<int>(state.range(0));
    const QImage picture = RadarFrame(0);
    QTemporaryDir folder;
    AlwaysYes questions;
    QString lastFolder;
    ImageSaveContext context{questions, lastFolder};
    const QString name = folder.filePath(QStringLiteral("radar.jpg"));
    for (auto _ : state)
        if (!SaveImageFile(picture, name, true, format, context))
            state.SkipWithError(questions.error.toUtf8().constData());
    state.SetLabel(format == kJpegFormat ? "JPEG" : format == kGifFormat ? "GIF" : "bitmap");
}
BENCHMARK(BM_SaveImageFile)
    ->Arg(kJpegFormat)
    ->Arg(kBitmapFormat)
    ->Arg(kGifFormat)
    ->ArgName("format")
    ->Unit(benchmark::kMillisecond);

void BM_SaveGIFFileOf30Frames(benchmark::State& state) {
    std::vector<QImage> frames;
    for (int i = 0; i < 30; ++i)
        frames.push_back(RadarFrame(i));
    QTemporaryDir folder;
    AlwaysYes questions;
    QString lastFolder;
    ImageSaveContext context{questions, lastFolder};
    const QString name = folder.filePath(QStringLiteral("animated radar.gif"));
    RadarAnimationGif animation;
    for (auto _ : state) {
        // Frames appended afresh, so that every save encodes them (a kept file is reused).
        state.PauseTiming();
        animation.clear();
        for (const QImage& frame : frames)
            animation.appendFrame(frame);
        state.ResumeTiming();
        if (!SaveGIFFile(animation, name, true, context))
            state.SkipWithError(questions.error.toUtf8().constData());
    }
}
BENCHMARK(BM_SaveGIFFileOf30Frames)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
} // namespace skelvane

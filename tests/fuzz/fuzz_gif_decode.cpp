// A GIF body is whatever a server sends: any bytes must give either frames that fit the
// limits or a failure with its reason, never a crash, a hang or unbounded memory. Frames that
// decode are written again and read back, which must keep their number, sizes and delays.
// QImage alone is used: no QGuiApplication exists here, as in the download threads.
#include "net/gif_decoder.h"
#include "net/gif_encoder.h"

#include <QByteArrayView>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// Smaller than the program's limits, so each input stays quick; the checks are the same.
skelvane::GifDecodeLimits FuzzLimits() {
    skelvane::GifDecodeLimits limits;
    limits.maxSide = 1024;
    limits.maxFrames = 64;
    limits.maxTotalPixels = std::int64_t{1} << 21;
    return limits;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace skelvane;
    const QByteArrayView body(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const GifDecodeLimits limits = FuzzLimits();
    GifDecoder decoder(limits);

    const QImage first = decoder.decodeFirstFrame(body);
    Check(first.isNull() != decoder.errorString().isEmpty());

    const auto animation = decoder.decode(body);
    Check(!animation == !decoder.errorString().isEmpty());
    if (!animation)
        return 0;
    Check(!animation->frames.empty());
    Check(static_cast<int>(animation->frames.size()) <= limits.maxFrames);
    Check(animation->screen.width() <= limits.maxSide &&
          animation->screen.height() <= limits.maxSide);
    Check(!first.isNull() && first == animation->frames.front().image);
    std::vector<GifEncodeFrame> frames;
    for (const GifFrame& frame : animation->frames) {
        Check(frame.image.size() == animation->screen);
        Check(frame.image.format() == QImage::Format_ARGB32);
        for (int y = 0; y < frame.image.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(frame.image.constScanLine(y));
            for (int x = 0; x < frame.image.width(); ++x)
                Check(qAlpha(row[x]) == 0 || qAlpha(row[x]) == 255);
        }
        frames.push_back(GifEncodeFrame{frame.image, frame.delayCentiseconds});
    }

    GifEncoder::Options options;
    options.transparency = true;
    GifEncoder encoder(options);
    const QByteArray written = encoder.encodeAnimation(frames);
    Check(!written.isEmpty());
    const auto again = decoder.decode(written);
    Check(again.has_value());
    Check(again->screen == animation->screen && again->frames.size() == frames.size());
    for (std::size_t i = 0; i < frames.size(); ++i)
        Check(again->frames[i].delayCentiseconds == frames[i].delayCentiseconds);
    return 0;
}

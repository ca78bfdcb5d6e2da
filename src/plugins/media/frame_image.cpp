#include "plugins/media/frame_image.h"

#include <QVideoFrame>
#include <QVideoFrameFormat>
#include <algorithm>

namespace skelvane {

namespace {

// Fixed-point (× 2^16) coefficients of one YUV to RGB conversion.
struct YuvCoefficients {
    int yScale, yOffset;
    int vToR, uToG, vToG, uToB;
};

YuvCoefficients CoefficientsFor(const QVideoFrameFormat& format) {
    const bool full = format.colorRange() == QVideoFrameFormat::ColorRange_Full;
    const bool bt709 = format.colorSpace() == QVideoFrameFormat::ColorSpace_BT709;
    // Luma scale and the chroma factors of ITU-R BT.601 and BT.709, for video range (luma
    // 16 … 235, chroma 16 … 240) or full range.
    const double yScale = full ? 1.0 : 255.0 / 219.0;
    const double chroma = full ? 1.0 : 255.0 / 224.0;
    const double kr = bt709 ? 0.2126 : 0.299;
    const double kb = bt709 ? 0.0722 : 0.114;
    const double kg = 1.0 - kr - kb;
    const auto fixed = [](double value) { return static_cast<int>(value * 65536.0 + 0.5); };
    return {fixed(yScale),
            full ? 0 : 16,
            fixed(2.0 * (1.0 - kr) * chroma),
            fixed(2.0 * (1.0 - kb) * kb / kg * chroma),
            fixed(2.0 * (1.0 - kr) * kr / kg * chroma),
            fixed(2.0 * (1.0 - kb) * chroma)};
}

int Clamp(int value) {
    return std::clamp(value >> 16, 0, 255);
}

// Converts 4:2:0 YUV; `chroma(x, y)` gives the U and V of the 2 × 2 block at (x, y).
template <typename Chroma>
QImage Convert420(const QVideoFrame& frame, const YuvCoefficients& k, Chroma chroma) {
    const int width = frame.width();
    const int height = frame.height();
    QImage image(width, height, QImage::Format_RGB32);
    const uchar* luma = frame.bits(0);
    const int lumaStride = frame.bytesPerLine(0);
    for (int y = 0; y < height; ++y) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        const uchar* row = luma + static_cast<qsizetype>(y) * lumaStride;
        for (int x = 0; x < width; ++x) {
            const auto [u, v] = chroma(x / 2, y / 2);
            const int c = (row[x] - k.yOffset) * k.yScale;
            const int d = u - 128;
            const int e = v - 128;
            out[x] = qRgb(Clamp(c + k.vToR * e), Clamp(c - k.uToG * d - k.vToG * e),
                          Clamp(c + k.uToB * d));
        }
    }
    return image;
}

} // namespace

QImage FrameImage(const QVideoFrame& source) {
    QVideoFrame frame = source;
    const QVideoFrameFormat::PixelFormat format = frame.pixelFormat();
    const bool planar =
        format == QVideoFrameFormat::Format_YUV420P || format == QVideoFrameFormat::Format_YV12;
    const bool semiPlanar =
        format == QVideoFrameFormat::Format_NV12 || format == QVideoFrameFormat::Format_NV21;
    if (!planar && !semiPlanar)
        return frame.toImage();
    if (frame.width() <= 0 || frame.height() <= 0 || !frame.map(QVideoFrame::ReadOnly))
        return {};
    const YuvCoefficients k = CoefficientsFor(frame.surfaceFormat());
    QImage image;
    if (planar && frame.planeCount() >= 3) {
        // YV12 keeps V before U.
        const int uPlane = format == QVideoFrameFormat::Format_YV12 ? 2 : 1;
        const uchar* u = frame.bits(uPlane);
        const uchar* v = frame.bits(3 - uPlane);
        const int uStride = frame.bytesPerLine(uPlane);
        const int vStride = frame.bytesPerLine(3 - uPlane);
        image = Convert420(frame, k, [&](int x, int y) {
            return std::pair<int, int>(u[static_cast<qsizetype>(y) * uStride + x],
                                       v[static_cast<qsizetype>(y) * vStride + x]);
        });
    } else if (semiPlanar && frame.planeCount() >= 2) {
        const uchar* uv = frame.bits(1);
        const int stride = frame.bytesPerLine(1);
        const int first = format == QVideoFrameFormat::Format_NV21 ? 1 : 0; // NV21: V first
        image = Convert420(frame, k, [&](int x, int y) {
            const uchar* pair = uv + static_cast<qsizetype>(y) * stride + 2 * x;
            return std::pair<int, int>(pair[first], pair[1 - first]);
        });
    }
    frame.unmap();
    return image;
}

} // namespace skelvane

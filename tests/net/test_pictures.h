#pragma once

// Pictures and measures shared by the image codec tests.

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace skelvane::test {

// Smooth gradients in every channel with a ripple, like a photograph: far more than 256
// colours, no two neighbours far apart.
inline QImage PhotoLike(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double u = x / double(width), v = y / double(height);
            const int r = static_cast<int>(30 + 200 * u);
            const int g = static_cast<int>(20 + 180 * v + 25 * std::sin(9 * u));
            const int b = static_cast<int>(128 + 90 * std::sin(5 * u + 4 * v));
            row[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
        }
    }
    return image;
}

struct PixelError {
    double mean = 0; // mean absolute difference per channel
    int max = 0;     // largest difference of any channel
};

// Red, green and blue of two pictures of one size compared (alpha is not).
inline PixelError CompareRgb(const QImage& a, const QImage& b) {
    PixelError error;
    long long sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (const int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)}) {
                sum += std::abs(d);
                error.max = std::max(error.max, std::abs(d));
            }
        }
    error.mean = double(sum) / (3.0 * a.width() * a.height());
    return error;
}

} // namespace skelvane::test

#include "astro/moon_picture.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace skelvane {

namespace {

// Blackens columns first..last (inclusive, either order) of one row, clipped to the buffer.
void DarkenRun(std::uint32_t* row, int width, double first, double last) {
    const double lo = std::max(std::min(first, last), 0.0);
    const double hi = std::min(std::max(first, last), static_cast<double>(width - 1));
    if (lo > hi)
        return;
    std::fill(row + static_cast<int>(lo), row + static_cast<int>(hi) + 1, kMoonShadowArgb);
}

} // namespace

void ShadeMoonPicture(std::uint32_t* pixels, int width, int height, double phaseAngle, int centreX,
                      int centreY, int radius) {
    if (pixels == nullptr || width <= 0 || height <= 0 || radius < 0 || !std::isfinite(phaseAngle))
        return;
    double angle = std::fmod(phaseAngle, 360.0);
    if (angle < 0)
        angle += 360.0;
    const bool waning = angle >= 180.0;
    const double cosAngle = std::cos(angle * std::numbers::pi / 180.0);
    const double r = radius;

    // Each picture row lies at one offset y from the centre row, so walking the rows visits
    // every offset 0..radius on both sides exactly once and never leaves the buffer.
    for (int row = 0; row < height; ++row) {
        const double y = std::fabs(static_cast<double>(row) - centreY);
        if (y > r)
            continue;
        const double l = std::sqrt(r * r - y * y);
        const double terminator = std::nearbyint(cosAngle * l);
        const double rim = std::nearbyint(l);
        // The terminator's column and the rim column, on the dark side of the disc.
        const double first = waning ? centreX + terminator : centreX - terminator;
        const double last = waning ? centreX + rim : centreX - rim;
        DarkenRun(pixels + static_cast<std::ptrdiff_t>(row) * width, width, first, last);
    }
}

} // namespace skelvane

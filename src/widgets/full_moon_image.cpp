#include "widgets/full_moon_image.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace skelvane {

namespace {

// A dark plain or a crater, in units of the disc's radius from its centre (x east to the
// right, y south downwards, as the near side appears with north up).
struct SurfaceSpot {
    double x;
    double y;
    double radiusX;
    double radiusY;
    double strength; // 0..1, how far the spot's colour replaces the highland colour
};

// The larger maria of the near side, roughly where they lie.
constexpr SurfaceSpot kMaria[] = {
    {-0.58, 0.00, 0.34, 0.52, 0.55},  // Oceanus Procellarum
    {-0.32, -0.42, 0.32, 0.26, 0.75}, // Mare Imbrium
    {0.16, -0.40, 0.19, 0.18, 0.75},  // Mare Serenitatis
    {0.36, -0.06, 0.24, 0.20, 0.75},  // Mare Tranquillitatis
    {0.69, -0.30, 0.12, 0.10, 0.85},  // Mare Crisium
    {0.58, 0.20, 0.13, 0.19, 0.60},   // Mare Fecunditatis
    {0.38, 0.38, 0.10, 0.10, 0.55},   // Mare Nectaris
    {-0.18, 0.36, 0.22, 0.16, 0.55},  // Mare Nubium
    {-0.50, 0.40, 0.11, 0.11, 0.60},  // Mare Humorum
    {0.02, -0.70, 0.34, 0.07, 0.35},  // Mare Frigoris
    {0.02, -0.04, 0.10, 0.08, 0.40},  // Sinus Medii
    {-0.08, -0.18, 0.16, 0.14, 0.35}, // Mare Vaporum and Sinus Aestuum
};

// A few of the brightest craters.
constexpr SurfaceSpot kCraters[] = {
    {-0.12, 0.78, 0.045, 0.045, 0.9},  // Tycho
    {-0.27, -0.12, 0.040, 0.040, 0.7}, // Copernicus
    {-0.52, -0.07, 0.028, 0.028, 0.6}, // Kepler
    {-0.67, -0.30, 0.024, 0.024, 0.9}, // Aristarchus
    {0.06, 0.55, 0.035, 0.035, 0.4},   // southern highland craters
    {0.45, 0.62, 0.040, 0.040, 0.4},   {-0.40, 0.70, 0.035, 0.035, 0.4},
};

constexpr SurfaceSpot kDarkCraters[] = {
    {-0.08, -0.76, 0.05, 0.035, 0.6}, // Plato
    {0.80, 0.05, 0.04, 0.05, 0.35},   // Langrenus
};

struct Palette {
    QColor highland;
    QColor highlandRim;
    QColor mare;
    QColor craterRay;
};

Palette PaletteFor(MoonStyle style) {
    if (style == MoonStyle::Colour)
        return {QColor(246, 240, 216), QColor(226, 218, 192), QColor(160, 152, 128),
                QColor(255, 253, 240)};
    return {QColor(236, 236, 236), QColor(216, 216, 216), QColor(146, 146, 146),
            QColor(252, 252, 252)};
}

// A soft-edged elliptical spot: full colour in its core, fading out to its outline.
void PaintSpot(QPainter& painter, QPointF centre, double radius, const SurfaceSpot& spot,
               QColor colour, double core) {
    painter.save();
    painter.translate(centre.x() + spot.x * radius, centre.y() + spot.y * radius);
    painter.scale(std::max(spot.radiusX * radius, 0.01), std::max(spot.radiusY * radius, 0.01));
    QRadialGradient gradient(QPointF(0, 0), 1.0);
    QColor inner = colour;
    inner.setAlphaF(static_cast<float>(spot.strength));
    QColor outer = colour;
    outer.setAlpha(0);
    gradient.setColorAt(0.0, inner);
    gradient.setColorAt(core, inner);
    gradient.setColorAt(1.0, outer);
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawEllipse(QPointF(0, 0), 1.0, 1.0);
    painter.restore();
}

// A crater: a bright floor inside a slightly darker rim.
void PaintCrater(QPainter& painter, QPointF centre, double radius, const SurfaceSpot& spot,
                 const Palette& palette) {
    PaintSpot(painter, centre, radius,
              {spot.x, spot.y, spot.radiusX * 1.5, spot.radiusY * 1.5, spot.strength * 0.35},
              palette.highlandRim, 0.6);
    PaintSpot(painter, centre, radius, spot, palette.craterRay, 0.5);
}

void PaintSurface(QPainter& painter, QPointF centre, double radius, const Palette& palette) {
    QPainterPath disc;
    disc.addEllipse(centre, radius, radius);
    painter.setClipPath(disc);

    // Highlands, a touch darker towards the limb.
    QRadialGradient body(centre, radius);
    body.setColorAt(0.0, palette.highland);
    body.setColorAt(0.85, palette.highland);
    body.setColorAt(1.0, palette.highlandRim);
    painter.setPen(Qt::NoPen);
    painter.setBrush(body);
    painter.drawEllipse(centre, radius, radius);

    for (const SurfaceSpot& mare : kMaria)
        PaintSpot(painter, centre, radius, mare, palette.mare, 0.35);
    for (const SurfaceSpot& crater : kDarkCraters)
        PaintSpot(painter, centre, radius, crater, palette.mare, 0.6);
    for (const SurfaceSpot& crater : kCraters)
        PaintCrater(painter, centre, radius, crater, palette);
}

// Clears every pixel outside the disc's rows and columns, so the outline is exactly the one
// the shading follows.
void ClearOutsideDisc(QImage& image, const MoonDisc& disc) {
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (!IsInsideMoonDisc(disc, x, y))
                row[x] = 0;
        }
    }
}

} // namespace

MoonDisc MoonDiscForSize(QSize size) {
    if (size.isEmpty())
        return {};
    if (size == QSize(64, 64))
        return {31, 28, 28};
    if (size == QSize(32, 32))
        return {15, 14, 14};
    if (size == QSize(16, 16))
        return {7, 7, 7};
    const int side = std::min(size.width(), size.height());
    return {(size.width() - 1) / 2, (size.height() - 1) / 2, std::max(0, (side - 1) / 2 - 1)};
}

bool IsInsideMoonDisc(const MoonDisc& disc, int x, int y) {
    const double dy = std::abs(y - disc.centreY);
    const double r = disc.radius;
    if (dy > r)
        return false;
    const double halfWidth = std::nearbyint(std::sqrt(r * r - dy * dy));
    return std::abs(x - disc.centreX) <= halfWidth;
}

QImage FullMoonImage(QSize size, MoonStyle style) {
    if (size.isEmpty())
        return {};
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const MoonDisc disc = MoonDiscForSize(size);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        // Pixel (x, y) covers x..x+1, so the disc's centre pixel has its middle at +0.5; the
        // extra half pixel of radius reaches the outermost lit columns.
        PaintSurface(painter, QPointF(disc.centreX + 0.5, disc.centreY + 0.5), disc.radius + 0.5,
                     PaletteFor(style));
    }
    ClearOutsideDisc(image, disc);
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace skelvane

#include "widgets/moon_image.h"

#include "astro/moon_calendar.h"
#include "astro/moon_picture.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>

namespace skelvane {

namespace {

// Blackens the unlit part with the engine's row runs, then gives back the rows that the
// engine darkened only at their rim. Each run includes its terminator column, so near full
// Moon (the terminator rounding onto the rim) every row would lose its outermost lit pixel
// and the full Moon would show a black rim on one side; those rows are wholly lit.
void ShadePicture(QImage& picture, const QImage& fullMoon, const MoonDisc& disc,
                  double phaseAngle) {
    // ARGB32 rows are whole 32-bit words, so the buffer has no padding between rows.
    ShadeMoonPicture(reinterpret_cast<std::uint32_t*>(picture.bits()), picture.width(),
                     picture.height(), phaseAngle, disc.centreX, disc.centreY, disc.radius);
    if (!std::isfinite(phaseAngle))
        return;
    double angle = std::fmod(phaseAngle, 360.0);
    if (angle < 0)
        angle += 360.0;
    const double cosAngle = std::cos(angle * std::numbers::pi / 180.0);
    // The crescent half (and the quarters, which must stay mirror images of each other):
    // there every run reaches past the rim pixel or is meant to.
    if (cosAngle < 1e-9)
        return;
    const bool waning = angle >= 180.0;
    const double r = disc.radius;
    for (int y = std::max(0, disc.centreY - disc.radius);
         y <= std::min(picture.height() - 1, disc.centreY + disc.radius); ++y) {
        const double dy = std::abs(y - disc.centreY);
        const double l = std::sqrt(r * r - dy * dy);
        const double rim = std::nearbyint(l);
        if (std::nearbyint(cosAngle * l) != rim)
            continue;
        const int x = static_cast<int>(waning ? disc.centreX + rim : disc.centreX - rim);
        if (x >= 0 && x < picture.width())
            picture.setPixel(x, y, fullMoon.pixel(x, y));
    }
}

} // namespace

QImage ShadedMoonPicture(const QImage& fullMoon, double phaseAngle, bool turned) {
    QImage picture = fullMoon.convertToFormat(QImage::Format_ARGB32);
    if (picture.isNull())
        return picture;
    const MoonDisc disc = MoonDiscForSize(picture.size());
    ShadePicture(picture, fullMoon, disc, phaseAngle);
    if (turned)
        TurnMoonPicture(picture, disc);
    return picture;
}

void TurnMoonPicture(QImage& picture, const MoonDisc& disc) {
    if (picture.isNull() || picture.depth() != 32)
        return;
    // Swap each disc pixel with its partner; the disc is symmetric about its centre, so the
    // partner of a disc pixel is a disc pixel too. Walking the upper half (and the left half
    // of the centre row) visits every pair once.
    for (int y = disc.centreY - disc.radius; y <= disc.centreY; ++y) {
        const int partnerY = 2 * disc.centreY - y;
        if (y < 0 || partnerY >= picture.height())
            continue;
        auto* row = reinterpret_cast<std::uint32_t*>(picture.scanLine(y));
        auto* partnerRow = reinterpret_cast<std::uint32_t*>(picture.scanLine(partnerY));
        const int lastX = y == disc.centreY ? disc.centreX - 1 : disc.centreX + disc.radius;
        for (int x = disc.centreX - disc.radius; x <= lastX; ++x) {
            const int partnerX = 2 * disc.centreX - x;
            if (x < 0 || partnerX >= picture.width() || !IsInsideMoonDisc(disc, x, y))
                continue;
            std::swap(row[x], partnerRow[partnerX]);
        }
    }
}

QImage MoonPicture(QSize size, MoonStyle style, double phaseAngle, bool turned) {
    return ShadedMoonPicture(FullMoonImage(size, style), phaseAngle, turned);
}

TMoon::TMoon(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    resize(sizeHint());
}

void TMoon::setPhaseAngle(double phaseAngle) {
    if (std::isnan(phaseAngle) || phaseAngle == phaseAngle_)
        return;
    phaseAngle_ = phaseAngle;
    rebuildPicture();
}

void TMoon::setDateTime(DateTime utc) {
    setPhaseAngle(MoonPhaseAngle(utc));
}

void TMoon::setRotated(bool rotated) {
    if (rotated == rotated_)
        return;
    rotated_ = rotated;
    rebuildPicture();
}

void TMoon::setMoonStyle(MoonStyle style) {
    if (style == style_)
        return;
    style_ = style;
    rebuildPicture();
}

void TMoon::setHint(const QString& hint) {
    hint_ = hint;
    applyHint();
}

void TMoon::setShowHint(bool show) {
    showHint_ = show;
    applyHint();
}

void TMoon::applyHint() {
    setToolTip(showHint_ ? hint_ : QString());
}

const QImage& TMoon::picture() const {
    // A hidden control is resized without a resize event until it is shown.
    if (pictureSize_ != size())
        const_cast<TMoon*>(this)->rebuildPicture();
    return picture_;
}

void TMoon::rebuildPicture() {
    if (fullMoonSize_ != size() || fullMoonStyle_ != style_) {
        fullMoon_ = FullMoonImage(size(), style_);
        fullMoonSize_ = size();
        fullMoonStyle_ = style_;
    }
    picture_ = ShadedMoonPicture(fullMoon_, phaseAngle_, rotated_);
    pictureSize_ = size();
    update();
}

void TMoon::paintEvent(QPaintEvent* /*event*/) {
    const QImage& shown = picture();
    if (shown.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, shown);
}

void TMoon::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (size() != pictureSize_)
        rebuildPicture();
}

void TMoon::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QWidget::mousePressEvent(event);
}

} // namespace skelvane

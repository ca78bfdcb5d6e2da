#include "infowin/apollo_marker.h"

#include <QPainter>
#include <cmath>

namespace skelvane {

DateTime ApolloLandingUtc() {
    return SafeEncodeDateTime(1969, 7, 20, 20, 17, 43, 0);
}

bool ApolloMarkerDue(DateTime utc) {
    return utc > ApolloLandingUtc();
}

std::optional<QPoint> ApolloMarkerPixel(QSize size, bool turned) {
    const MoonDisc disc = MoonDiscForSize(size);
    if (disc.radius <= 0)
        return std::nullopt;
    QPoint pixel;
    if (size == QSize(64, 64))
        pixel = {41, 29};
    else if (size == QSize(32, 32))
        pixel = {20, 15};
    else if (size == QSize(16, 16))
        pixel = {9, 7};
    else {
        // At 64 pixels the site lies 10 right of and 1 below a centre of radius 28.
        const double scale = disc.radius / 28.0;
        pixel = {disc.centreX + static_cast<int>(std::lround(10 * scale)),
                 disc.centreY + static_cast<int>(std::lround(1 * scale))};
    }
    if (turned)
        pixel = {2 * disc.centreX - pixel.x(), 2 * disc.centreY - pixel.y()};
    return pixel;
}

ApolloMoon::ApolloMoon(QWidget* parent) : TMoon(parent) {}

void ApolloMoon::setPictureDate(DateTime utc) {
    pictureDate_ = utc;
    setDateTime(utc);
    update();
}

void ApolloMoon::setMarkerShown(bool shown) {
    markerShown_ = shown;
    update();
}

QImage ApolloMoon::markedPicture() const {
    QImage shown = picture();
    if (!markerShown_ || !ApolloMarkerDue(pictureDate_) || shown.isNull())
        return shown;
    if (const auto pixel = ApolloMarkerPixel(shown.size(), rotated());
        pixel && shown.rect().contains(*pixel))
        shown.setPixel(*pixel, qRgb(255, 0, 0));
    return shown;
}

void ApolloMoon::paintEvent(QPaintEvent* /*event*/) {
    const QImage shown = markedPicture();
    if (shown.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, shown);
}

} // namespace skelvane

#include "infowin/radar_map_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace skelvane {

RadarMapView::RadarMapView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Black until the first picture, painted without a picture of its own: the page is built
    // at start-up even when it never shows, and a 600 x 550 black image would stay resident.
    setFixedSize(600, 550);
}

void RadarMapView::setPicture(const QImage& picture) {
    picture_ = picture;
    if (picture_.size() != size() && !picture_.isNull())
        setFixedSize(picture_.size());
    update();
}

void RadarMapView::showBlack(QSize size) {
    QImage black(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    black.fill(Qt::black);
    setPicture(black);
}

void RadarMapView::showHintAt(const QString& text, QPoint at) {
    hint_ = text;
    setToolTip(text);
    if (text.isEmpty())
        QToolTip::hideText();
    else if (isVisible())
        QToolTip::showText(mapToGlobal(at), text, this);
}

QSize RadarMapView::sizeHint() const {
    return picture_.isNull() ? QSize(600, 550) : picture_.size();
}

void RadarMapView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    if (picture_.isNull()) {
        painter.fillRect(area, Qt::black);
        return;
    }
    painter.drawImage(area.topLeft(), picture_, area);
}

void RadarMapView::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

void RadarMapView::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(event->button(), event->position().toPoint());
    QWidget::mousePressEvent(event);
}

} // namespace skelvane

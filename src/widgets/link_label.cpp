#include "widgets/link_label.h"

#include <QMouseEvent>

namespace skelvane {

LinkLabel::LinkLabel(const QString& text, const QColor& restColor, QWidget* parent)
    : QLabel(text, parent), restColor_(restColor) {
    setCursor(Qt::PointingHandCursor);
    setTextColor(restColor_);
}

QColor LinkLabel::textColor() const {
    return palette().color(QPalette::WindowText);
}

void LinkLabel::setTextColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
    setTextColor(QColor(255, 0, 0));
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    setTextColor(restColor_);
    QLabel::leaveEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QLabel::mousePressEvent(event);
}

} // namespace skelvane

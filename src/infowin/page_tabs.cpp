#include "infowin/page_tabs.h"

#include <QPainter>
#include <QStyleOptionTab>

namespace skelvane {

void PageControlDrawTab(QPainter& painter, const QRect& rect, const QString& caption,
                        const QPalette& palette, bool selected, bool hot) {
    painter.save();
    painter.setClipRect(rect);
    painter.fillRect(rect, palette.color(QPalette::Button));
    // The selected tab stands out with a light edge; the hot one with a darker caption.
    if (selected) {
        painter.setPen(palette.color(QPalette::Light));
        painter.drawLine(rect.topLeft(), rect.topRight());
        painter.drawLine(rect.topLeft(), rect.bottomLeft());
        painter.setPen(palette.color(QPalette::Dark));
        painter.drawLine(rect.topRight(), rect.bottomRight());
    }
    const QFontMetrics metrics = painter.fontMetrics();
    const int x = rect.width() / 2 - metrics.horizontalAdvance(caption) / 2;
    const int y = rect.height() / 2 - metrics.height() / 2;
    painter.setPen(hot && !selected ? palette.color(QPalette::Highlight)
                                    : palette.color(QPalette::ButtonText));
    painter.drawText(rect.left() + x, rect.top() + y + metrics.ascent(), caption);
    painter.restore();
}

CenteredTabBar::CenteredTabBar(QWidget* parent) : QTabBar(parent) {
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setDrawBase(true);
    setExpanding(false);
}

void CenteredTabBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const QPoint cursor = mapFromGlobal(QCursor::pos());
    for (int i = 0; i < count(); ++i) {
        const QRect rect = tabRect(i);
        PageControlDrawTab(painter, rect, tabText(i), palette(), i == currentIndex(),
                           underMouse() && rect.contains(cursor));
    }
}

PageControl::PageControl(QWidget* parent) : QTabWidget(parent) {
    setTabBar(new CenteredTabBar(this));
    setFocusPolicy(Qt::NoFocus);
}

} // namespace skelvane

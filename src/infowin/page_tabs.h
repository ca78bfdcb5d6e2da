#pragma once

#include <QTabBar>
#include <QTabWidget>

class QPainter;

namespace skelvane {

// Draws one tab of either page control: the rectangle filled with the button-face colour
// and the caption centred in it (offsets by whole-pixel halves), clipped to the rectangle.
void PageControlDrawTab(QPainter& painter, const QRect& rect, const QString& caption,
                        const QPalette& palette, bool selected, bool hot);

// A tab bar drawn by PageControlDrawTab, hot-tracked, outside the keyboard tab order.
class CenteredTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit CenteredTabBar(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A page control whose tabs are drawn by CenteredTabBar.
class PageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);
};

} // namespace skelvane

#include "widgets/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace skelvane {

void CentreOnDesktop(QWidget* window) {
    if (!window)
        return;
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void ApplyStayOnTop(QWidget* window, bool on) {
    if (!window || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on)
        return;
    const bool shown = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (shown)
        window->show();
}

} // namespace skelvane

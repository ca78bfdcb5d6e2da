#include "widgets/window_placement.h"

#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cstdint>

namespace skelvane {

namespace {

// A rectangle in 64-bit numbers, so that stored values near the limits of int cannot
// overflow while they are compared with the screens.
struct Box {
    std::int64_t left, top, width, height;
    std::int64_t right() const { return left + width; } // exclusive
    std::int64_t bottom() const { return top + height; }
};

Box BoxOf(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

std::int64_t OverlapArea(const Box& a, const Box& b) {
    const std::int64_t width = std::min(a.right(), b.right()) - std::max(a.left, b.left);
    const std::int64_t height = std::min(a.bottom(), b.bottom()) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

bool Contains(const Box& outer, const Box& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right() &&
           inner.bottom() <= outer.bottom();
}

// Keeps `position` so that an extent of `length` lies within start ... start + span; an
// extent longer than the span starts at the start.
std::int64_t KeepWithin(std::int64_t position, std::int64_t length, std::int64_t start,
                        std::int64_t span) {
    return std::max(start, std::min(position, start + span - length));
}

QRect ToRect(const Box& box) {
    return {static_cast<int>(box.left), static_cast<int>(box.top), static_cast<int>(box.width),
            static_cast<int>(box.height)};
}

} // namespace

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

QRect PlaceOnScreens(QPoint storedTopLeft, QSize storedSize, QSize minimum,
                     const QList<QRect>& screens) {
    // The window system's coordinates are 16-bit; nothing larger can be shown.
    constexpr std::int64_t kLimit = 32767;
    const std::int64_t minimumWidth = std::clamp<std::int64_t>(minimum.width(), 1, kLimit);
    const std::int64_t minimumHeight = std::clamp<std::int64_t>(minimum.height(), 1, kLimit);
    Box window{storedTopLeft.x(), storedTopLeft.y(),
               std::clamp<std::int64_t>(storedSize.width(), minimumWidth, kLimit),
               std::clamp<std::int64_t>(storedSize.height(), minimumHeight, kLimit)};

    QList<Box> areas;
    for (const QRect& screen : screens)
        if (!screen.isEmpty())
            areas.append(BoxOf(screen));
    if (areas.isEmpty()) {
        window.left = std::clamp(window.left, -kLimit - 1, kLimit);
        window.top = std::clamp(window.top, -kLimit - 1, kLimit);
        return ToRect(window);
    }

    // Wholly within the union of the screens: as stored. The bounding box is checked first,
    // so that only rectangles of screen size are handed to QRegion.
    Box bounds = areas.front();
    QRegion desktop;
    for (const Box& area : areas) {
        const std::int64_t right = std::max(bounds.right(), area.right());
        const std::int64_t bottom = std::max(bounds.bottom(), area.bottom());
        bounds.left = std::min(bounds.left, area.left);
        bounds.top = std::min(bounds.top, area.top);
        bounds.width = right - bounds.left;
        bounds.height = bottom - bounds.top;
        desktop += ToRect(area);
    }
    if (Contains(bounds, window) && QRegion(ToRect(window)).subtracted(desktop).isEmpty())
        return ToRect(window);

    // Otherwise onto the screen it overlaps most (the primary one on a tie or without any).
    const Box* target = &areas.front();
    std::int64_t bestOverlap = 0;
    for (const Box& area : areas) {
        const std::int64_t overlap = OverlapArea(window, area);
        if (overlap > bestOverlap) {
            bestOverlap = overlap;
            target = &area;
        }
    }
    window.width = std::max(minimumWidth, std::min(window.width, target->width));
    window.height = std::max(minimumHeight, std::min(window.height, target->height));
    window.left = KeepWithin(window.left, window.width, target->left, target->width);
    window.top = KeepWithin(window.top, window.height, target->top, target->height);
    return ToRect(window);
}

QList<QRect> AvailableScreenAreas() {
    QList<QRect> areas;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        areas.append(primary->availableGeometry());
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != primary)
            areas.append(screen->availableGeometry());
    return areas;
}

} // namespace skelvane

#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace skelvane {

// Moves a top-level window so that it sits in the middle of the screen's available area
// (the screen it is on, else the primary one).
void CentreOnDesktop(QWidget* window);

// Stay-on-top on or off. Changing window flags hides a shown window; it is shown again.
void ApplyStayOnTop(QWidget* window, bool on);

// Where a window goes whose stored top-left corner and size came from the settings, given
// the available areas of the screens (the primary screen first). The size is at least
// `minimum`. A window lying wholly within the union of the screens stays as stored; any
// other one is moved, and cut to that screen's size where it is larger (never below
// `minimum`), onto the screen it overlaps most, or onto the primary screen when it overlaps
// none. Works for any stored numbers, however large or negative. Without screens only the
// size is checked.
QRect PlaceOnScreens(QPoint storedTopLeft, QSize storedSize, QSize minimum,
                     const QList<QRect>& screens);

// The available areas of the application's screens, the primary one first.
QList<QRect> AvailableScreenAreas();

} // namespace skelvane

#pragma once

#include <QPoint>
#include <QRect>

namespace skelvane {

// The clock window snaps to the edges of the screen's work area: when its frame ends up
// within `distance` pixels of an edge, it is moved onto that edge. Returns the position
// to take (the same position when no edge is near).
QPoint SnapToScreenEdges(const QRect& frame, const QRect& workArea, int distance = 20);

} // namespace skelvane

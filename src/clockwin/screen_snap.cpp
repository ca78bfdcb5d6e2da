#include "clockwin/screen_snap.h"

#include <cstdlib>

namespace skelvane {

QPoint SnapToScreenEdges(const QRect& frame, const QRect& workArea, int distance) {
    QPoint position = frame.topLeft();
    // QRect's right() and bottom() are the last pixel; compare the outer edges.
    const int frameRight = frame.x() + frame.width();
    const int frameBottom = frame.y() + frame.height();
    const int areaRight = workArea.x() + workArea.width();
    const int areaBottom = workArea.y() + workArea.height();
    if (std::abs(frame.x() - workArea.x()) <= distance)
        position.setX(workArea.x());
    else if (std::abs(frameRight - areaRight) <= distance)
        position.setX(areaRight - frame.width());
    if (std::abs(frame.y() - workArea.y()) <= distance)
        position.setY(workArea.y());
    else if (std::abs(frameBottom - areaBottom) <= distance)
        position.setY(areaBottom - frame.height());
    return position;
}

} // namespace skelvane

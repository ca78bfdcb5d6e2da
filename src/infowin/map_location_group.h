#pragma once

#include <QGroupBox>
#include <array>

class QLabel;

namespace skelvane {

struct MapLocation;

// The Maps page's read-out of the place maps are opened for: the place picked last on the
// Settings1 page (or the saved one at start), in the same four lines as the Moon page's.
class MapLocationGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit MapLocationGroup(QWidget* parent = nullptr);
    void showLocation(const MapLocation& location);
    QString lineText(int line) const; // 0 place, 1 latitude, 2 longitude, 3 altitude

private:
    std::array<QLabel*, 4> labels_{};
};

} // namespace skelvane

#include "infowin/map_location_group.h"

#include "infowin/location_page.h"
#include "infowin/location_page_texts.h"

#include <QLabel>
#include <QVBoxLayout>

namespace skelvane {

MapLocationGroup::MapLocationGroup(QWidget* parent)
    : QGroupBox(QStringLiteral(" Location for maps "), parent) {
    setObjectName(QStringLiteral("MapLocationGroupBox"));
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    for (QLabel*& label : labels_) {
        label = new QLabel(this);
        layout->addWidget(label);
    }
}

void MapLocationGroup::showLocation(const MapLocation& location) {
    const LatLonDisplayTexts lines = LatLonDisplayLines(location.placeName, location.latitude,
                                                        location.longitude, location.altitudeFeet);
    labels_[0]->setText(lines.place);
    labels_[1]->setText(lines.latitude);
    labels_[2]->setText(lines.longitude);
    labels_[3]->setText(lines.altitude);
}

QString MapLocationGroup::lineText(int line) const {
    return line >= 0 && line < 4 ? labels_[static_cast<std::size_t>(line)]->text() : QString();
}

} // namespace skelvane

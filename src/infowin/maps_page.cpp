#include "infowin/maps_page.h"

#include "app/settings.h"
#include "astro/format.h"
#include "infowin/map_location_group.h"
#include "net/decode/map_address.h"
#include "widgets/widget_factories.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

namespace skelvane {

MapsPage::MapsPage(Settings& settings, QWidget* parent) : QWidget(parent), settings_(settings) {
    setObjectName(QStringLiteral("TabSheet1"));

    auto* sites = new QGroupBox(QStringLiteral(" Map Site "), this);
    sites->setObjectName(QStringLiteral("MapSiteGroup"));
    MapSiteBox = new QButtonGroup(this);
    MapSiteBox->setObjectName(QStringLiteral("MapSiteBox"));
    auto* siteGrid = new QGridLayout(sites);
    siteGrid->setVerticalSpacing(2);
    constexpr int kRows = kMapSiteCount / 2; // two columns, filled down first
    for (int i = 0; i < kMapSiteCount; ++i) {
        auto* radio =
            new QRadioButton(ToQString(MapSites()[static_cast<std::size_t>(i)].caption), sites);
        radio->setObjectName(QStringLiteral("MapSiteBox%1").arg(i));
        MapSiteBox->addButton(radio, i);
        siteGrid->addWidget(radio, i % kRows, i / kRows);
    }
    connect(MapSiteBox, &QButtonGroup::idClicked, this, &MapsPage::MapSiteBoxClick);

    GetMapBut1 = NamedPushButton(this, QStringLiteral("GetMapBut1"), QStringLiteral("Get Map"),
                                 QStringLiteral("Open the map in your browser"));
    connect(GetMapBut1, &QPushButton::clicked, this, &MapsPage::GetMapBut1Click);
    AutoOpenMapBox = new QCheckBox(QStringLiteral("Auto Open"), this);
    AutoOpenMapBox->setObjectName(QStringLiteral("AutoOpenMapBox"));
    AutoOpenMapBox->setToolTip(QStringLiteral("Open the map when \"Go To Maps\" is chosen"));
    connect(AutoOpenMapBox, &QCheckBox::clicked, this, &MapsPage::AutoOpenMapBoxClick);

    locationGroup_ = new MapLocationGroup(this);
    auto* setBut = NamedPushButton(this, QStringLiteral("MapSetBut"), QStringLiteral("Set"),
                                   QStringLiteral("Choose the location on the Set page"));
    connect(setBut, &QPushButton::clicked, this, &MapsPage::setPageRequested);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(GetMapBut1);
    buttons->addWidget(AutoOpenMapBox);
    buttons->addStretch(1);
    auto* place = new QHBoxLayout;
    place->addWidget(locationGroup_);
    place->addWidget(setBut, 0, Qt::AlignBottom);
    place->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(sites, 0, Qt::AlignLeft);
    layout->addLayout(buttons);
    layout->addLayout(place);
    layout->addStretch(1);

    // The stored choices; an index the user edited out of range selects nothing.
    if (QAbstractButton* stored = MapSiteBox->button(settings_.MapSiteIndex))
        stored->setChecked(true);
    AutoOpenMapBox->setChecked(settings_.AutoOpenMap);
    showLocation(MapLocationFromSettings(settings_));
}

void MapsPage::setCoordinateEditsSource(std::function<CoordinateEditTexts()> source) {
    editsSource_ = std::move(source);
}

void MapsPage::showLocation(const MapLocation& location) {
    location_ = location;
    locationGroup_->showLocation(location);
}

int MapsPage::selectedSite() const {
    return MapSiteBox->checkedId();
}

QRadioButton* MapsPage::siteButton(int site) const {
    return qobject_cast<QRadioButton*>(MapSiteBox->button(site));
}

void MapsPage::MapSiteBoxClick(int site) {
    settings_.MapSiteIndex = site;
}

void MapsPage::AutoOpenMapBoxClick() {
    settings_.AutoOpenMap = AutoOpenMapBox->isChecked();
}

void MapsPage::GetMapBut1Click() {
    const int site = selectedSite();
    if (site >= 0)
        settings_.MapSiteIndex = site;
    settings_.AutoOpenMap = AutoOpenMapBox->isChecked();
    GetMap(MapCodeOfSite(site));
}

void MapsPage::GetMap(int code) {
    emit webAddressRequested(MapAddressFor(code));
}

QString MapsPage::MapAddressFor(int code) const {
    CoordinateEditTexts edits;
    if (editsSource_) {
        edits = editsSource_();
    } else {
        const Hms lat = HoursToHms(std::fabs(location_.latitude));
        const Hms lon = HoursToHms(std::fabs(location_.longitude));
        edits = {QString::number(lat.hours),   QString::number(lat.minutes),
                 QString::number(lat.seconds), location_.latitude < 0,
                 QString::number(lon.hours),   QString::number(lon.minutes),
                 QString::number(lon.seconds), location_.longitude < 0};
    }
    // The views of the inputs point into these.
    const std::string separator = locale().decimalPoint().toStdString();
    const std::string latD = edits.latDegrees.toStdString(), latM = edits.latMinutes.toStdString(),
                      latS = edits.latSeconds.toStdString();
    const std::string lonD = edits.lonDegrees.toStdString(), lonM = edits.lonMinutes.toStdString(),
                      lonS = edits.lonSeconds.toStdString();
    MapInputs inputs;
    inputs.latitude = location_.latitude;
    inputs.longitude = location_.longitude;
    inputs.decimalSeparator = separator;
    inputs.setPage = {latD, latM, latS, edits.south, lonD, lonM, lonS, edits.west};
    return QString::fromStdString(MapAddress(code, inputs));
}

} // namespace skelvane

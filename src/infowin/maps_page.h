#pragma once

#include "infowin/location_choice.h"

#include <QString>
#include <QWidget>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QPushButton;
class QRadioButton;

namespace skelvane {

class MapLocationGroup;
struct Settings;

// The Maps page (TabSheet1): 24 map sites, each opened in the user's browser at the map
// location, "Auto Open", and the place maps are opened for.
class MapsPage : public QWidget {
    Q_OBJECT
public:
    explicit MapsPage(Settings& settings, QWidget* parent = nullptr);

    MapLocationGroup* locationGroup() const { return locationGroup_; }
    // Where the Set page's coordinate edits come from (code 0); without it they are
    // written from the map location.
    void setCoordinateEditsSource(std::function<CoordinateEditTexts()> source);

    // MapLocation changed: the group shows it and the next map opens there.
    void showLocation(const MapLocation& location);
    const MapLocation& mapLocation() const { return location_; }

    // "Get Map" (this page's, the Set page's and the Moon page's): the selected site's
    // code, with the site and "Auto Open" stored.
    void GetMapBut1Click();
    // Opens the map of `code` at the map location.
    void GetMap(int code);
    // The address GetMap opens for `code`.
    QString MapAddressFor(int code) const;
    void MapSiteBoxClick(int site);
    void AutoOpenMapBoxClick();

    int selectedSite() const;
    QRadioButton* siteButton(int site) const;
    QPushButton* GetMapBut1 = nullptr;
    QCheckBox* AutoOpenMapBox = nullptr;

signals:
    // An address for the user's own browser (GoBrowser).
    void webAddressRequested(const QString& address);
    // "Set": the Set page is to be shown.
    void setPageRequested();

private:
    Settings& settings_;
    MapLocation location_;
    std::function<CoordinateEditTexts()> editsSource_;
    QButtonGroup* MapSiteBox = nullptr;
    MapLocationGroup* locationGroup_ = nullptr;
};

} // namespace skelvane

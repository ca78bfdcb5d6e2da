#pragma once

#include "infowin/location_choice.h"
#include "location/place_list_file.h"
#include "location/place_pick.h"
#include "location/place_queries.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace skelvane {

struct Settings;
class SettingsStore;
class WeatherReportGroup;

// The "Settings1" sub-page of the Set page: choosing the Location from the place list (by
// country and state, or by US postal code), the closest weather station, the coordinate and
// altitude edits, and the Save buttons that commit the choice to the settings store.
//
// Until a Save, every selection changes only this page's edits and its pending values;
// the settings the rest of the program reads stay as they were, so the clock never
// shows a half-chosen place and Cancel has nothing to undo.
class LocationPage : public QWidget {
    Q_OBJECT
public:
    LocationPage(Settings& settings, SettingsStore& store, QWidget* parent = nullptr);
    ~LocationPage() override;

    // The information window's show step: loads the place list when it is not loaded yet
    // (a missing or damaged file gives its message once; the page keeps working without
    // the list), then fills every control from the saved values.
    void FormShow();
    // Where the place list is looked for; by default beside the program and in the data
    // folders. Takes effect while no list is loaded.
    void setPlaceListFolders(std::vector<std::string> folders);

    const std::vector<PlaceChoice>& forecastCities() const { return forecastCities_; }
    // The state (index in the state table) forecastCities() were last filled for; -1 before.
    int forecastStateIndex() const { return forecastStateIndex_; }
    const MapLocation& mapLocation() const { return choice_.mapLocation(); }
    bool placeListLoaded() const;
    // The state (field 2) and zone number (field 8) of forecast city `index`; nothing for
    // an index outside forecastCities().
    struct ForecastCityFields {
        std::string state, zoneNumber;
    };
    std::optional<ForecastCityFields> forecastCityFields(int index) const;
    // The place of the selection steps not yet saved (PendingLocation).
    const LocationChoice::Pending& pending() const { return choice_.pending(); }
    // The station code box (WeatherStationCodeEd2) as it stands.
    QString stationCodeText() const;
    // The coordinate edits as they stand.
    CoordinateEditTexts coordinateEdits() const;

    // The handlers, public so the frame and the tests can drive them like the controls do.
    bool LoadBigList();
    void CountryBoxSelect();
    void StateBox1Select();
    // The web page's forecast cities for a state of the state table; StateBox2 lives there.
    void StateBox2Select(int stateIndex);
    void FindZipButClick();
    void PlaceListBoxClick();
    void FindClosest();
    std::optional<LatLon> GetLatLon() const;
    void SetLatitudeDisplay(const QString& coordinate);
    void SetLongitudeDisplay(const QString& coordinate);
    void SaveOrUpdateLocation();
    void SaveWeatherStation(bool persist);
    void SaveAllButClick();
    void ResetButClick();
    void CloseButClick();
    // The current-weather group: its memo, button and labels.
    WeatherReportGroup* weatherGroup() const { return weatherGroup_; }
    // A report arrived for the station boxes: the memo gets its lines, the boxes the station.
    void showWeatherReport(const QStringList& lines, const QString& code, const QString& name);

signals:
    // After a Save: the clock window re-runs UpdateDisplays so rise and set times follow.
    void locationSaved();
    // A text for a message box captioned "Skelvane" (missing or unreadable place list).
    void messageRequested(const QString& text);
    // MapLocation changed (UpdateLatLonDisplays with mode 2).
    void mapLocationChanged(const skelvane::MapLocation& location);
    // The forecast city list was refilled; the web page selects its first entry.
    void forecastCitiesChanged();
    void closeRequested();    // "Cancel"
    void getMapRequested();   // "Get Map"
    void goToMapsRequested(); // "Go To Maps"
    // "Get Weather": the memo is cleared; the station of the boxes is to be fetched.
    void getWeatherRequested(const QString& stationName, const QString& stationCode);

private:
    void buildControls();
    void fillFromSaved();
    void showPlaceList(std::vector<PlaceChoice> places);
    void showLoadFileLines();
    void fillCountryList();
    bool unitedStatesChosen() const;
    bool showMeters() const;
    void pickLine(std::string_view line);
    void showAltitude(const QString& text, int feet);
    QStringList coordinateTexts() const;
    void saveStationValues();
    bool writeStore();

    Settings& settings_;
    SettingsStore& store_;
    std::unique_ptr<BigList> bigList_;
    bool loadMessageShown_ = false;

    LocationChoice choice_;
    std::vector<PlaceChoice> placeShadow_; // entry i belongs to PlaceListBox row i
    std::vector<PlaceChoice> forecastCities_;
    int forecastStateIndex_ = -1;

    QLineEdit* ZipEd = nullptr;
    QPushButton* FindZipBut = nullptr;
    QComboBox* CountryBox = nullptr;
    QLabel* StateBox1Label = nullptr;
    QComboBox* StateBox1 = nullptr;
    QListWidget* PlaceListBox = nullptr;
    QLineEdit* PlaceNameEd = nullptr;
    QLineEdit* LatDegreesLabel = nullptr;
    QLineEdit* LatMinutesLabel = nullptr;
    QLineEdit* LatSecondsLabel = nullptr;
    QComboBox* NorthSouthComboBox = nullptr;
    QLineEdit* LonDegreesLabel = nullptr;
    QLineEdit* LonMinutesLabel = nullptr;
    QLineEdit* LonSecondsLabel = nullptr;
    QComboBox* EastWestComboBox = nullptr;
    QLineEdit* AltitudeEd = nullptr;
    QComboBox* FeetMeterBox = nullptr;
    QLineEdit* WeatherStationNameEd2 = nullptr;
    QLineEdit* WeatherStationCodeEd2 = nullptr;
    QLabel* DistanceLab1 = nullptr;
    QLabel* DistanceLab2 = nullptr;
    WeatherReportGroup* weatherGroup_ = nullptr;
};

} // namespace skelvane

#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <optional>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace skelvane {

class ScheduleBox;
class ClockWindowLink;
struct Settings;

// The weather server text to store, when it looks like a host name: longer than 5
// characters and holding a ".", cut to 128 characters. Nothing for any other text.
std::optional<QString> WeatherServerFromText(const QString& text);

// A host setting's text to store: a host name or address with an optional ":port" that can go
// into an address as it stands (blanks around it dropped), at most 128 characters. Nothing for
// any other text, which keeps the setting while the box holds a half-typed name.
std::optional<QString> HostSettingFromText(const QString& text);

// A radar server text to store: a host name or address with an optional ":port" that can go
// into an address as it stands, at most 128 characters. Nothing for any other text (the
// setting keeps its value while the box holds a half-typed name).
std::optional<QString> RadarServerFromText(const QString& text);
// The satellite image server to store: a host name or address with an optional ":port"
// (blanks around it dropped). Nothing for any other text, which keeps the setting.
std::optional<QString> SatelliteServerFromText(const QString& text);

// The proxy port to store for the port box's text: the number for a whole number from 0 to
// 65535, 0 for an empty box, nothing (keep the setting) for anything else.
std::optional<int> ProxyPortFromText(const QString& text);

// The second sub-page of the Set page (SettingsSheet2): the weather server and its
// schedule, the temperature units, the proxy for downloads, and the general settings with
// the tray choices. Every control writes its setting at once.
class Settings2Page : public QWidget {
    Q_OBJECT
public:
    // The settings check boxes share the clock window's settings actions; the tray
    // controls drive its tray icon.
    // `settingsToggles`: the six settings commands shown as check boxes, in order.
    Settings2Page(Settings& settings, ClockWindowLink& clockWindow, QList<QAction*> settingsToggles,
                  QWidget* parent = nullptr);

    // The window is shown: the tray group follows TrayType (through the tray icon, which
    // applies the mode), the colour boxes and the units follow their settings.
    void FormShow();
    // The weather interval shown, when it is a valid one, else UpdateWeatherMinutes: the
    // window copies it into UpdateWeatherMinutes when it loses the focus.
    int weatherMinutes() const;

    // The units group from TemperatureUnits (after the weather code changed it).
    void showTemperatureUnits();

    void WeatherServerComboBoxChange(const QString& text);
    void UseProxyServerBoxClick(bool checked);
    void TrayIconGroupClick(int choice);

signals:
    // TemperatureUnits changed: the weather code shows the kept temperature again and
    // decodes the report lines in the new unit.
    void temperatureUnitsChanged();

private:
    QGroupBox* buildWeatherGroup();
    QGroupBox* buildProxyGroup();
    QGroupBox* buildSatelliteGroup();
    QGroupBox* buildSettingsGroup();
    QCheckBox* makeActionBox(QWidget* parent, QAction* action);
    QComboBox* makeColorBox(QWidget* parent, const QString& name);
    void selectColor(QComboBox* box, int colour);
    void colorBoxChange();

    Settings& settings_;
    ClockWindowLink& clockWindow_;
    QList<QAction*> settingsToggles_;

    void addRadarServerRows(QWidget* group, QGridLayout* grid, int firstRow);

    QComboBox* WeatherServerComboBox = nullptr;
    ScheduleBox* UpdateWeatherPerScheduleBox = nullptr;
    QRadioButton *FahrenheitRadio = nullptr, *CelsiusRadio = nullptr;
    QCheckBox* UseProxyServerBox = nullptr;
    QLineEdit *ProxyServerEd = nullptr, *ProxyServerPortEd = nullptr;
    QLineEdit *ProxyUserNameEd = nullptr, *ProxyPasswordEd = nullptr;
    QLineEdit* SatelliteServerEd = nullptr;
    QButtonGroup* trayGroup_ = nullptr;
    QGroupBox* TrayIconGroup = nullptr;
    QComboBox *ForeColorBox = nullptr, *BackColorBox = nullptr;
    QCheckBox* TrayBackTransparentBox = nullptr;
};

} // namespace skelvane

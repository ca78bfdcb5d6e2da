#pragma once

#include "astro/datetime.h"

#include <QChar>
#include <QString>
#include <cstdint>
#include <span>
#include <variant>

namespace skelvane {

// The five place strings and the altitude of a Location, as one unit so that the loaded
// Location and the one to save can part (the location page decides when).
struct PlaceStrings {
    QString PlaceName, CityName, StateName, CountryName, ZipCode;
    int Altitude = 0;
};

// Every persisted user choice, one public field per stored value. The field names are the
// names the values are stored under; the member initialisers are the built-in defaults,
// used for a first run, for the "/C" run and for any value missing or unreadable in the
// store.
struct Settings {
    // Windows and start-up.
    int WindowTop = 50;
    int WindowLeft = 30;
    int InfoFormTop = 0;
    int InfoFormLeft = 260;
    int InfoFormHeight = 730;
    int InfoFormWidth = 750;
    bool InfoFormMaximized = false;
    int DisplayLevel = 4;
    bool StayOnTop = true;
    bool ShowHints = true;
    bool ShowInfoFormAtStartup = true;
    int LastInfoFormTabIndex = 6;
    int LastSetSheetTabIndex = 0;
    bool StartMinimized = false;
    bool SaveOnExit = true;
    bool RunWhenWindowsStarts = true;

    // Clock and time.
    bool UseLocalTime = true;
    bool UseMilitaryTime = false;
    bool SouthernHemisphere = false; // when not stored: Latitude < 0
    int WeekStart = 7;               // 0 = Monday ... 6 = Sunday, 7 = the locale's
    bool ShowWeekNumbers = false;
    int JumpBackMinutes = 5;
    bool ShowHolidays = true;
    bool ShowTinyMoons = true;
    bool UpdateClock = false;
    bool UpdateClockOnStartup = false;
    bool UpdateClockPerSchedule = false;
    int UpdateClockMinutes = 60;
    QString TimeServer = QStringLiteral("pool.ntp.org");
    DateTime LastTimeStamp = 0;
    double LastTimeAdjust = 0; // days

    // Location.
    double Latitude = 0;
    double Longitude = 0;
    int Altitude = 0;
    QString PlaceName; // empty: no location chosen yet
    QString CityName;
    QString StateName;
    QString CountryName;
    QString ZipCode;
    QChar DistanceUnits = u'F';
    int StateBoxItemIndex = 33;
    int CountryBoxItemIndex = 0;
    int CityBoxItemIndex = 0;
    QString CityStateZipEdText;

    // Weather.
    QString WeatherServer = QStringLiteral("tgftp.nws.noaa.gov");
    // The report server a failed download falls back to (and WeatherServer becomes).
    QString DefaultWeatherServer = QStringLiteral("tgftp.nws.noaa.gov");
    // Servers whose layout moved: "host /from/ /to/ scheme; ..."; empty: the built-in
    // table; "none": no moving.
    QString MovedServerLayouts;
    QString WeatherStationCode = QStringLiteral("KNYC");
    QString WeatherStationName = QStringLiteral("New York");
    QChar TemperatureUnits = u'F';
    bool UpdateWeatherOnStartup = true;
    bool UpdateWeatherPerSchedule = true;
    int UpdateWeatherMinutes = 20;
    QString LastWeatherTimeStampStr;
    int WeatherSourceBoxItemIndex = 0;
    QString SaveURL;
    bool UseProxyServer = false;
    QString ProxyServer;
    int ProxyPort = 80;
    QString ProxyUserName;
    QString ProxyPassword;

    // Radar and satellite. Host settings may carry a port ("127.0.0.1:8089").
    QString RadarServer = QStringLiteral("radar.weather.gov");
    QString RadarServerAlternative1 = QStringLiteral("radar2pub.ncep.noaa.gov");
    QString RadarServerAlternative2 = QStringLiteral("radar.weather.gov");
    QString SatelliteServer = QStringLiteral("www.goes.noaa.gov");
    // Requests to the radar and satellite hosts above, whose image trees were retired or
    // moved, are answered from today's public services (net/live); off sends them as they
    // stand.
    bool LiveSources = true;
    // Changes to the live sources' table: "key=value; ..." (see net/live/live_source_table.h);
    // empty: the built-in table.
    QString LiveSourceOverrides;
    bool AnimateRadar = false;
    bool RepeatRadar = true;
    bool LoopRadar = true;
    int StateMaxImages = 10;
    int NationalMaxImages = 8;
    int SpeedUpDownPosition = 50;
    bool TopoBoxChecked = true;
    bool RadarBoxChecked = true;
    bool CountiesBoxChecked = true;
    bool RiversBoxChecked = true;
    bool HighwaysBoxChecked = true;
    bool CitiesBoxChecked = true;
    bool WarningsBoxChecked = true;
    bool RangeRingBoxChecked = true;
    bool LegendBoxChecked = true;
    bool WarningsTextBoxChecked = true;
    bool ShowSitesBoxChecked = true;
    bool RadarHintsBoxChecked = true;
    int LeftClickGroupIndex = 0;
    int RadarLocationBoxIndex = 120;
    int RadarReflectivityBoxIndex = 1;
    bool AnimateSatellite = false;
    bool RepeatSatellite = true;
    int SatelliteLocationBoxIndex = 0;
    int SatelliteTypeBoxIndex = 0;
    int SatelliteColorBoxIndex = 0;

    // Tray icon. Colours are platform colour numbers: RGB with red in the low byte, or a
    // system-colour reference (high byte set, low byte the system colour index).
    QChar TrayType = u'T'; // N off, T temperature, M moon, A animation
    bool MinimizeToTrayOn = false;
    int TrayForeColor = 0;                                      // black
    int TrayBackColor = static_cast<std::int32_t>(0xFF00000Fu); // button face
    bool TrayColorsInit = true;
    bool TrayBackTransparent = true;

    // Pages of the information window.
    bool AnimateMoon = false;
    bool EarthSurfaceCoords = true;
    bool EclipseSummaryView = true;
    double NumberInCalculator = 0;
    int MapSiteIndex = 0;
    bool AutoOpenMap = false;
    QString LastSaveFolder;
    int TimePositionBoxIndex = 0;
    bool DaylightSavingBoxChecked = true;
    bool ShowDateLinesBoxChecked = true;

    // The Location to save: the place strings and altitude that SaveIniFile writes. Loading
    // fills it from the same values as the loaded ones above.
    PlaceStrings SaveLocation;
    // The second copy of the station; WeatherStationCode/Name above are the active station
    // and the one saved.
    QString LoadedWeatherStationCode = QStringLiteral("KNYC");
    QString LoadedWeatherStationName = QStringLiteral("New York");
};

// When a stored value is written.
enum class SaveWhen {
    Always,    // in every save, also with SaveOnExit off
    Full,      // in a full save (SaveOnExit on, or moving from the legacy location)
    Migration, // only in a full save that moves the legacy store; otherwise by its own writer
};

// The values a stored number may take. A stored value outside them reads as the default,
// as an unreadable one does. Floating-point values must also be finite.
struct ValueRange {
    enum class Kind {
        Any,     // every value of the type (finite for floating point)
        Between, // minimum ... maximum, both included
        Colour,  // a platform colour number: 24-bit RGB, or a system-colour reference
    };
    Kind kind = Kind::Any;
    double minimum = 0;
    double maximum = 0;

    bool allows(double value) const;
};

// The system-colour indexes a colour number may refer to (0xFF0000nn, nn at most this).
inline constexpr int kLastSystemColourIndex = 30;

// One stored value: its name, where it lives in Settings and how it is read and written.
struct SettingField {
    using Member = std::variant<int Settings::*, bool Settings::*, double Settings::*,
                                QString Settings::*, QChar Settings::*>;
    using Copy = std::variant<std::monostate, QString PlaceStrings::*, int PlaceStrings::*>;

    const char* name; // stored name; reading ignores case
    Member member;
    int maxLength = 0; // strings: a longer stored value is cut to this; 0 = no limit
    SaveWhen when = SaveWhen::Full;
    // The copy in Settings::SaveLocation: filled on reading, and the source on saving.
    Copy saveCopy = std::monostate{};
    // Numbers only: what a stored value must lie within to be taken.
    ValueRange range = {};

    constexpr SettingField Within(double minimum, double maximum) const {
        SettingField field = *this;
        field.range = {ValueRange::Kind::Between, minimum, maximum};
        return field;
    }
    constexpr SettingField ColourNumber() const {
        SettingField field = *this;
        field.range = {ValueRange::Kind::Colour, 0, 0};
        return field;
    }
};

// Every stored value except the derived copies, in the order of the settings tables.
std::span<const SettingField> SettingFields();

} // namespace skelvane

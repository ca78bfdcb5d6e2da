#include "app/settings.h"

#include "app/info_window_link.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace skelvane {

namespace {

constexpr int kText = 128;       // place names, servers and other short texts
constexpr int kStationCode = 4;  // weather station codes are four letters
constexpr int kLongText = 1024;  // lists kept in one text
constexpr int kTableText = 8192; // a table of changes kept in one text

// Ranges of the stored numbers. Window positions and sizes only get the window system's
// coordinate limits here; whether a window lands on a screen is decided where the window
// applies them, since that needs the screens.
constexpr int kMinCoordinate = -32768;
constexpr int kMaxCoordinate = 32767;
constexpr int kMinutesPerDay = 1440; // the schedule boxes take 1 ... 1440 minutes
constexpr int kLowestFeet = -1500;   // below the shore of the Dead Sea
constexpr int kHighestFeet = 30000;  // above the summit of Everest
// Date-time values of years 1 ... 9999 (0001-01-01 00:00 ... 9999-12-31 23:59:59.999), and
// the widest correction between two of them.
constexpr double kFirstDate = -693593;
constexpr double kLastDate = 2958465.99999999;
constexpr double kDateSpan = kLastDate - kFirstDate;
// Place-list boxes: their lengths come from the list file, so the pages check the index
// against the box when they select it; here only a negative index is refused.
constexpr int kMaxListIndex = std::numeric_limits<int>::max();
// Lengths of the fixed lists the other indexes select from.
constexpr int kForecastSources = 25;
constexpr int kMaxRadarFrames = 30; // the Frames control takes 1 ... 30
constexpr int kRadarViews = 169;    // 0 ... 13 mosaics, 14 ... 168 sites
constexpr int kRadarProducts = 7;
constexpr int kSatelliteLocations = 16;
constexpr int kSatelliteTypes = 3;
constexpr int kSatelliteColours = 5;
constexpr int kMapSites = 24;

using S = Settings;
using P = PlaceStrings;
constexpr SaveWhen kAlways = SaveWhen::Always;
constexpr SaveWhen kFull = SaveWhen::Full;

const std::array kFields{
    // Windows and start-up.
    SettingField{"WindowTop", &S::WindowTop}.Within(kMinCoordinate, kMaxCoordinate),
    SettingField{"WindowLeft", &S::WindowLeft}.Within(kMinCoordinate, kMaxCoordinate),
    SettingField{"InfoFormTop", &S::InfoFormTop}.Within(kMinCoordinate, kMaxCoordinate),
    SettingField{"InfoFormLeft", &S::InfoFormLeft}.Within(kMinCoordinate, kMaxCoordinate),
    SettingField{"InfoFormHeight", &S::InfoFormHeight}.Within(1, kMaxCoordinate),
    SettingField{"InfoFormWidth", &S::InfoFormWidth}.Within(1, kMaxCoordinate),
    SettingField{"InfoFormMaximized", &S::InfoFormMaximized},
    SettingField{"DisplayLevel", &S::DisplayLevel}.Within(1, 4),
    SettingField{"StayOnTop", &S::StayOnTop},
    SettingField{"ShowHints", &S::ShowHints},
    SettingField{"ShowInfoFormAtStartup", &S::ShowInfoFormAtStartup},
    SettingField{"LastInfoFormTabIndex", &S::LastInfoFormTabIndex}.Within(0, kInfoPageCount - 1),
    SettingField{"LastSetSheetTabIndex", &S::LastSetSheetTabIndex}.Within(0, 1),
    SettingField{"StartMinimized", &S::StartMinimized},
    SettingField{"SaveOnExit", &S::SaveOnExit, 0, kAlways},
    SettingField{"RunWhenWindowsStarts", &S::RunWhenWindowsStarts, 0, kAlways},

    // Clock and time.
    SettingField{"UseLocalTime", &S::UseLocalTime},
    SettingField{"UseMilitaryTime", &S::UseMilitaryTime},
    SettingField{"SouthernHemisphere", &S::SouthernHemisphere},
    SettingField{"WeekStart", &S::WeekStart}.Within(0, 7),
    SettingField{"ShowWeekNumbers", &S::ShowWeekNumbers},
    SettingField{"JumpBackMinutes", &S::JumpBackMinutes}.Within(0, kMinutesPerDay),
    SettingField{"ShowHolidays", &S::ShowHolidays},
    SettingField{"ShowTinyMoons", &S::ShowTinyMoons},
    SettingField{"UpdateClock", &S::UpdateClock},
    SettingField{"UpdateClockOnStartup", &S::UpdateClockOnStartup},
    SettingField{"UpdateClockPerSchedule", &S::UpdateClockPerSchedule},
    SettingField{"UpdateClockMinutes", &S::UpdateClockMinutes}.Within(1, kMinutesPerDay),
    SettingField{"TimeServer", &S::TimeServer, kText},
    SettingField{"LastTimeStamp", &S::LastTimeStamp, 0, kAlways}.Within(kFirstDate, kLastDate),
    SettingField{"LastTimeAdjust", &S::LastTimeAdjust, 0, kAlways}.Within(-kDateSpan, kDateSpan),

    // Location. The place strings and the altitude are saved from the Location to save.
    // The place name goes under "Placename", an older spelling that later readers still
    // expect; names compare without regard to case, so reading finds it either way.
    SettingField{"Latitude", &S::Latitude}.Within(-90, 90),
    SettingField{"Longitude", &S::Longitude}.Within(-180, 180),
    SettingField{"Altitude", &S::Altitude, 0, kFull, &P::Altitude}.Within(kLowestFeet,
                                                                          kHighestFeet),
    SettingField{"Placename", &S::PlaceName, kText, kFull, &P::PlaceName},
    SettingField{"CityName", &S::CityName, kText, kFull, &P::CityName},
    SettingField{"StateName", &S::StateName, kText, kFull, &P::StateName},
    SettingField{"CountryName", &S::CountryName, kText, kFull, &P::CountryName},
    SettingField{"ZipCode", &S::ZipCode, kText, kFull, &P::ZipCode},
    SettingField{"DistanceUnits", &S::DistanceUnits},
    SettingField{"StateBoxItemIndex", &S::StateBoxItemIndex}.Within(0, kMaxListIndex),
    SettingField{"CountryBoxItemIndex", &S::CountryBoxItemIndex}.Within(0, kMaxListIndex),
    SettingField{"CityBoxItemIndex", &S::CityBoxItemIndex}.Within(0, kMaxListIndex),
    SettingField{"CityStateZipEdText", &S::CityStateZipEdText},

    // Weather. SaveURL has its own writer (the Weather page's "Save Address").
    SettingField{"WeatherServer", &S::WeatherServer, kText},
    SettingField{"DefaultWeatherServer", &S::DefaultWeatherServer, kText},
    SettingField{"MovedServerLayouts", &S::MovedServerLayouts, kLongText},
    SettingField{"RadarServer", &S::RadarServer, kText},
    SettingField{"RadarServerAlternative1", &S::RadarServerAlternative1, kText},
    SettingField{"RadarServerAlternative2", &S::RadarServerAlternative2, kText},
    SettingField{"SatelliteServer", &S::SatelliteServer, kText},
    SettingField{"LiveSources", &S::LiveSources},
    SettingField{"LiveSourceOverrides", &S::LiveSourceOverrides, kTableText},
    SettingField{"WeatherStationCode", &S::WeatherStationCode, kStationCode},
    SettingField{"WeatherStationName", &S::WeatherStationName, kText},
    SettingField{"TemperatureUnits", &S::TemperatureUnits},
    SettingField{"UpdateWeatherOnStartup", &S::UpdateWeatherOnStartup},
    SettingField{"UpdateWeatherPerSchedule", &S::UpdateWeatherPerSchedule},
    SettingField{"UpdateWeatherMinutes", &S::UpdateWeatherMinutes}.Within(1, kMinutesPerDay),
    SettingField{"LastWeatherTimeStampStr", &S::LastWeatherTimeStampStr, kText},
    SettingField{"WeatherSourceBoxItemIndex", &S::WeatherSourceBoxItemIndex}.Within(
        0, kForecastSources - 1),
    SettingField{"SaveURL", &S::SaveURL, 0, SaveWhen::Migration},
    SettingField{"UseProxyServer", &S::UseProxyServer},
    SettingField{"ProxyServer", &S::ProxyServer, kText},
    SettingField{"ProxyPort", &S::ProxyPort}.Within(0, 65535), // 0: no proxy
    SettingField{"ProxyUserName", &S::ProxyUserName, kText},
    SettingField{"ProxyPassword", &S::ProxyPassword, kText},

    // Radar and satellite.
    SettingField{"AnimateRadar", &S::AnimateRadar},
    SettingField{"RepeatRadar", &S::RepeatRadar},
    SettingField{"LoopRadar", &S::LoopRadar},
    SettingField{"StateMaxImages", &S::StateMaxImages}.Within(1, kMaxRadarFrames),
    SettingField{"NationalMaxImages", &S::NationalMaxImages}.Within(1, kMaxRadarFrames),
    SettingField{"SpeedUpDownPosition", &S::SpeedUpDownPosition}.Within(1, 99),
    SettingField{"TopoBoxChecked", &S::TopoBoxChecked},
    SettingField{"RadarBoxChecked", &S::RadarBoxChecked},
    SettingField{"CountiesBoxChecked", &S::CountiesBoxChecked},
    SettingField{"RiversBoxChecked", &S::RiversBoxChecked},
    SettingField{"HighwaysBoxChecked", &S::HighwaysBoxChecked},
    SettingField{"CitiesBoxChecked", &S::CitiesBoxChecked},
    SettingField{"WarningsBoxChecked", &S::WarningsBoxChecked},
    SettingField{"RangeRingBoxChecked", &S::RangeRingBoxChecked},
    SettingField{"LegendBoxChecked", &S::LegendBoxChecked},
    SettingField{"WarningsTextBoxChecked", &S::WarningsTextBoxChecked},
    SettingField{"ShowSitesBoxChecked", &S::ShowSitesBoxChecked},
    SettingField{"RadarHintsBoxChecked", &S::RadarHintsBoxChecked},
    SettingField{"LeftClickGroupIndex", &S::LeftClickGroupIndex}.Within(0, 1),
    SettingField{"RadarLocationBoxIndex", &S::RadarLocationBoxIndex}.Within(0, kRadarViews - 1),
    SettingField{"RadarReflectivityBoxIndex", &S::RadarReflectivityBoxIndex}.Within(
        0, kRadarProducts - 1),
    SettingField{"AnimateSatellite", &S::AnimateSatellite},
    SettingField{"RepeatSatellite", &S::RepeatSatellite},
    SettingField{"SatelliteLocationBoxIndex", &S::SatelliteLocationBoxIndex}.Within(
        0, kSatelliteLocations - 1),
    SettingField{"SatelliteTypeBoxIndex", &S::SatelliteTypeBoxIndex}.Within(0, kSatelliteTypes - 1),
    SettingField{"SatelliteColorBoxIndex", &S::SatelliteColorBoxIndex}.Within(0, kSatelliteColours -
                                                                                     1),

    // Tray icon.
    SettingField{"TrayType", &S::TrayType},
    SettingField{"MinimizeToTrayOn", &S::MinimizeToTrayOn},
    SettingField{"TrayForeColor", &S::TrayForeColor}.ColourNumber(),
    SettingField{"TrayBackColor", &S::TrayBackColor}.ColourNumber(),
    SettingField{"TrayColorsInit", &S::TrayColorsInit},
    SettingField{"TrayBackTransparent", &S::TrayBackTransparent},

    // Pages of the information window.
    SettingField{"AnimateMoon", &S::AnimateMoon},
    SettingField{"EarthSurfaceCoords", &S::EarthSurfaceCoords},
    SettingField{"EclipseSummaryView", &S::EclipseSummaryView},
    SettingField{"NumberInCalculator", &S::NumberInCalculator},
    SettingField{"MapSiteIndex", &S::MapSiteIndex}.Within(0, kMapSites - 1),
    SettingField{"AutoOpenMap", &S::AutoOpenMap},
    SettingField{"LastSaveFolder", &S::LastSaveFolder},
    SettingField{"TimePositionBoxIndex", &S::TimePositionBoxIndex}.Within(0, 1),
    SettingField{"DaylightSavingBoxChecked", &S::DaylightSavingBoxChecked},
    SettingField{"ShowDateLinesBoxChecked", &S::ShowDateLinesBoxChecked},
};

} // namespace

bool ValueRange::allows(double value) const {
    if (!std::isfinite(value))
        return false;
    switch (kind) {
    case Kind::Any:
        return true;
    case Kind::Between:
        return value >= minimum && value <= maximum;
    case Kind::Colour: {
        if (value < std::numeric_limits<std::int32_t>::min() ||
            value > std::numeric_limits<std::int32_t>::max() || value != std::trunc(value))
            return false;
        const auto bits = std::bit_cast<std::uint32_t>(static_cast<std::int32_t>(value));
        if (bits <= 0xFFFFFFu)
            return true; // red in the low byte, then green and blue
        return (bits & 0xFFFFFF00u) == 0xFF000000u &&
               (bits & 0xFFu) <= static_cast<std::uint32_t>(kLastSystemColourIndex);
    }
    }
    return false;
}

std::span<const SettingField> SettingFields() {
    return kFields;
}

} // namespace skelvane

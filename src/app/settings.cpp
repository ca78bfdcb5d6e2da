#include "app/settings.h"

#include <array>

namespace skelvane {

namespace {

constexpr int kText = 128;       // place names, servers and other short texts
constexpr int kStationCode = 4;  // weather station codes are four letters
constexpr int kLongText = 1024;  // lists kept in one text
constexpr int kTableText = 8192; // a table of changes kept in one text

using S = Settings;
using P = PlaceStrings;
constexpr SaveWhen kAlways = SaveWhen::Always;
constexpr SaveWhen kFull = SaveWhen::Full;

const std::array kFields{
    // Windows and start-up.
    SettingField{"WindowTop", &S::WindowTop},
    SettingField{"WindowLeft", &S::WindowLeft},
    SettingField{"InfoFormTop", &S::InfoFormTop},
    SettingField{"InfoFormLeft", &S::InfoFormLeft},
    SettingField{"InfoFormHeight", &S::InfoFormHeight},
    SettingField{"InfoFormWidth", &S::InfoFormWidth},
    SettingField{"InfoFormMaximized", &S::InfoFormMaximized},
    SettingField{"DisplayLevel", &S::DisplayLevel},
    SettingField{"StayOnTop", &S::StayOnTop},
    SettingField{"ShowHints", &S::ShowHints},
    SettingField{"ShowInfoFormAtStartup", &S::ShowInfoFormAtStartup},
    SettingField{"LastInfoFormTabIndex", &S::LastInfoFormTabIndex},
    SettingField{"LastSetSheetTabIndex", &S::LastSetSheetTabIndex},
    SettingField{"StartMinimized", &S::StartMinimized},
    SettingField{"SaveOnExit", &S::SaveOnExit, 0, kAlways},
    SettingField{"RunWhenWindowsStarts", &S::RunWhenWindowsStarts, 0, kAlways},

    // Clock and time.
    SettingField{"UseLocalTime", &S::UseLocalTime},
    SettingField{"UseMilitaryTime", &S::UseMilitaryTime},
    SettingField{"SouthernHemisphere", &S::SouthernHemisphere},
    SettingField{"WeekStart", &S::WeekStart},
    SettingField{"ShowWeekNumbers", &S::ShowWeekNumbers},
    SettingField{"JumpBackMinutes", &S::JumpBackMinutes},
    SettingField{"ShowHolidays", &S::ShowHolidays},
    SettingField{"ShowTinyMoons", &S::ShowTinyMoons},
    SettingField{"UpdateClock", &S::UpdateClock},
    SettingField{"UpdateClockOnStartup", &S::UpdateClockOnStartup},
    SettingField{"UpdateClockPerSchedule", &S::UpdateClockPerSchedule},
    SettingField{"UpdateClockMinutes", &S::UpdateClockMinutes},
    SettingField{"TimeServer", &S::TimeServer, kText},
    SettingField{"LastTimeStamp", &S::LastTimeStamp, 0, kAlways},
    SettingField{"LastTimeAdjust", &S::LastTimeAdjust, 0, kAlways},

    // Location. The place strings and the altitude are saved from the Location to save.
    // The place name goes under "Placename", an older spelling that later readers still
    // expect; names compare without regard to case, so reading finds it either way.
    SettingField{"Latitude", &S::Latitude},
    SettingField{"Longitude", &S::Longitude},
    SettingField{"Altitude", &S::Altitude, 0, kFull, &P::Altitude},
    SettingField{"Placename", &S::PlaceName, kText, kFull, &P::PlaceName},
    SettingField{"CityName", &S::CityName, kText, kFull, &P::CityName},
    SettingField{"StateName", &S::StateName, kText, kFull, &P::StateName},
    SettingField{"CountryName", &S::CountryName, kText, kFull, &P::CountryName},
    SettingField{"ZipCode", &S::ZipCode, kText, kFull, &P::ZipCode},
    SettingField{"DistanceUnits", &S::DistanceUnits},
    SettingField{"StateBoxItemIndex", &S::StateBoxItemIndex},
    SettingField{"CountryBoxItemIndex", &S::CountryBoxItemIndex},
    SettingField{"CityBoxItemIndex", &S::CityBoxItemIndex},
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
    SettingField{"UpdateWeatherMinutes", &S::UpdateWeatherMinutes},
    SettingField{"LastWeatherTimeStampStr", &S::LastWeatherTimeStampStr, kText},
    SettingField{"WeatherSourceBoxItemIndex", &S::WeatherSourceBoxItemIndex},
    SettingField{"SaveURL", &S::SaveURL, 0, SaveWhen::Migration},
    SettingField{"UseProxyServer", &S::UseProxyServer},
    SettingField{"ProxyServer", &S::ProxyServer, kText},
    SettingField{"ProxyPort", &S::ProxyPort},
    SettingField{"ProxyUserName", &S::ProxyUserName, kText},
    SettingField{"ProxyPassword", &S::ProxyPassword, kText},

    // Radar and satellite.
    SettingField{"AnimateRadar", &S::AnimateRadar},
    SettingField{"RepeatRadar", &S::RepeatRadar},
    SettingField{"LoopRadar", &S::LoopRadar},
    SettingField{"StateMaxImages", &S::StateMaxImages},
    SettingField{"NationalMaxImages", &S::NationalMaxImages},
    SettingField{"SpeedUpDownPosition", &S::SpeedUpDownPosition},
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
    SettingField{"LeftClickGroupIndex", &S::LeftClickGroupIndex},
    SettingField{"RadarLocationBoxIndex", &S::RadarLocationBoxIndex},
    SettingField{"RadarReflectivityBoxIndex", &S::RadarReflectivityBoxIndex},
    SettingField{"AnimateSatellite", &S::AnimateSatellite},
    SettingField{"RepeatSatellite", &S::RepeatSatellite},
    SettingField{"SatelliteLocationBoxIndex", &S::SatelliteLocationBoxIndex},
    SettingField{"SatelliteTypeBoxIndex", &S::SatelliteTypeBoxIndex},
    SettingField{"SatelliteColorBoxIndex", &S::SatelliteColorBoxIndex},

    // Tray icon.
    SettingField{"TrayType", &S::TrayType},
    SettingField{"MinimizeToTrayOn", &S::MinimizeToTrayOn},
    SettingField{"TrayForeColor", &S::TrayForeColor},
    SettingField{"TrayBackColor", &S::TrayBackColor},
    SettingField{"TrayColorsInit", &S::TrayColorsInit},
    SettingField{"TrayBackTransparent", &S::TrayBackTransparent},

    // Pages of the information window.
    SettingField{"AnimateMoon", &S::AnimateMoon},
    SettingField{"EarthSurfaceCoords", &S::EarthSurfaceCoords},
    SettingField{"EclipseSummaryView", &S::EclipseSummaryView},
    SettingField{"NumberInCalculator", &S::NumberInCalculator},
    SettingField{"MapSiteIndex", &S::MapSiteIndex},
    SettingField{"AutoOpenMap", &S::AutoOpenMap},
    SettingField{"LastSaveFolder", &S::LastSaveFolder},
    SettingField{"TimePositionBoxIndex", &S::TimePositionBoxIndex},
    SettingField{"DaylightSavingBoxChecked", &S::DaylightSavingBoxChecked},
    SettingField{"ShowDateLinesBoxChecked", &S::ShowDateLinesBoxChecked},
};

} // namespace

std::span<const SettingField> SettingFields() {
    return kFields;
}

} // namespace skelvane

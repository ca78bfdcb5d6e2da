#pragma once

#include "app/info_window_link.h"
#include "astro/holidays.h"

#include <QList>
#include <QString>
#include <array>

class QAction;
class QObject;

namespace skelvane {

// One holiday command of the Go To menus: the action's name, its menu caption and the
// holiday whose date it selects.
struct HolidayCommand {
    const char* actionName;
    const char* caption;
    Holiday holiday;
};
inline constexpr int kHolidayCommandCount = 25;
// The 25 holiday commands in menu order.
const std::array<HolidayCommand, kHolidayCommandCount>& HolidayCommands();

// Every command of the clock window (ActionList1). The actions only carry their names,
// captions, hints, shortcuts and check marks; the clock window connects their handlers.
struct ClockActions {
    QAction* GoToToday1 = nullptr;
    QAction* GoToPrevDay1 = nullptr;
    QAction* GoToNextDay1 = nullptr;
    QAction* GoToPrevMonthAction1 = nullptr;
    QAction* GoToNextMonthAction1 = nullptr;
    QAction* GoToPrevYearAction1 = nullptr;
    QAction* GoToNextYearAction1 = nullptr;
    // Mar equinox, Jun solstice, Sep equinox, Dec solstice.
    std::array<QAction*, 4> GoToSeason{};
    QAction* GoToDaylightStart1 = nullptr;
    QAction* GoToDaylightEnd1 = nullptr;
    std::array<QAction*, 5> GoToMoonPhase{};
    std::array<QAction*, 7> GoToEclipse{};
    std::array<QAction*, 9> GoToMeteor{};
    std::array<QAction*, kHolidayCommandCount> GoToHoliday{};

    QAction* ToggleWindowAction1 = nullptr;
    QAction* ToggleStayOnTop1 = nullptr;
    QAction* ToggleHintsOn1 = nullptr;
    QAction* RestoreAction1 = nullptr;
    QAction* ExitAction1 = nullptr;
    QAction* ShowHelp1 = nullptr;
    QAction* ToggleInfoFormAction1 = nullptr;
    QAction* GoToGoogle = nullptr;

    // Page commands: Moon, Planet, Weather, Radar, Satellite, Time, Set, Year, Tools, Maps,
    // About, with the information window's page index of each in `pageOf`.
    QAction* ShowMoonSheetAction1 = nullptr;
    QAction* ShowPlanetSheetAction1 = nullptr;
    QAction* ShowWeatherSheetAction1 = nullptr;
    QAction* ShowRadarSheetAction1 = nullptr;
    QAction* ShowSatelliteSheetAction1 = nullptr;
    QAction* ShowTimeSheetAction1 = nullptr;
    QAction* ShowSetSheetAction1 = nullptr;
    QAction* ShowYearSheetAction1 = nullptr;
    QAction* ShowToolSheetAction1 = nullptr;
    QAction* ShowMapSheetAction1 = nullptr;
    QAction* ShowAboutSheetAction1 = nullptr;

    // The settings commands shared with the Settings2 page.
    QAction* ToggleMinimizeToTray1 = nullptr;
    QAction* ToggleShowHolidays1 = nullptr;
    QAction* ToggleShowTinyMoons1 = nullptr;
    QAction* ToggleStartMinimized1 = nullptr;
    QAction* RunWhenWindowsStartsAction = nullptr;
    QAction* ToggleSaveOnExit1 = nullptr;

    // Menu items that are not actions of their own.
    QAction* ShowWeatherText = nullptr;
    QAction* UpdateTemperature = nullptr;

    struct PageCommand {
        QAction* action;
        InfoPage page;
    };
    QList<PageCommand> pageCommands() const;
    // Every action, for adding them to the window so their shortcuts work.
    QList<QAction*> all() const;
};

// Creates the actions as children of `owner`, each with its object name, caption, hint
// (tool tip and status tip) and shortcut.
ClockActions CreateClockActions(QObject* owner);

} // namespace skelvane

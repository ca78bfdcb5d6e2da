#pragma once

#include "astro/datetime.h"

#include <QChar>
#include <QList>
#include <QObject>
#include <array>

class QAction;
class QMenu;

namespace skelvane {

class AnimationTimer;
class DownloadState;
class InternetTime;
class WeatherService;
class Clock;
class MoonIconLists;
class SettingsStore;
class TStEclipses;
struct DateLocale;
struct DayDisplay;
struct LocaleDateFormats;
struct Settings;

// What the information window's pages ask of the clock window: the date every display
// follows, its last day display, and the commands a page gives it. Start-up implements
// it over the clock window; tests implement it with a fake.
class ClockWindowLink : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The month calendar's date (local), which every display follows, and moving it.
    virtual DateTime calendarDate() const = 0;
    virtual void selectDate(DateTime date) = 0;
    // What the clock window last showed for its date (the Moon page reuses its sun lines).
    virtual const DayDisplay& dayDisplay() const = 0;
    // Every date-dependent display again (after a saved place, for instance).
    virtual void updateDisplays() = 0;
    // A display mode changed on a page (local or Greenwich time, 12 or 24 hours, hemisphere).
    virtual void displayModesChanged() = 0;
    // The year's eclipse list was rebuilt: the eclipse menu items follow.
    virtual void eclipseListChanged() = 0;
    // The first day of the week of the month calendar (0 = Monday .. 6 = Sunday).
    virtual void setWeekStart(int day) = 0;
    // The information window showed: the clock ticks every second again.
    virtual void tickAtNormalRate() = 0;

    // The tray icon: its choice index (0 off, 1 temperature, 2 Moon, 3 animation), the
    // Settings2 page's group choosing it, its type letter and the temperature colours.
    virtual int trayIconGroup() const = 0;
    virtual void TrayIconGroupClick(int choice) = 0;
    virtual void SetTrayIconType(QChar type) = 0;
    virtual void RedrawTrayTemperature() = 0;

signals:
    // The tray's choice changed from its own menu.
    void trayIconGroupChanged(int choice);
};

// The clock window's menus and actions that the information window shows as its own, so
// that captions, check marks and shortcuts stay shared.
struct SharedCommands {
    QMenu* clockMenu = nullptr; // PopupMenu1: the context menu of both windows
    QMenu* goToMenu = nullptr;  // ButPopupMenu: the Year page's "Go To" menu
    QAction* goToToday = nullptr;
    QAction* showHelp = nullptr;
    QAction* goToPrevMonth = nullptr;
    QAction* goToNextMonth = nullptr;
    QAction* showHolidays = nullptr;
    std::array<QAction*, 4> goToSeason{};
    // The six settings commands of the Settings2 page, in its order.
    QList<QAction*> settingsToggles;
};

// Everything the information window and its pages use that they do not own. Start-up
// creates it; every member outlives the window.
struct PageServices {
    Settings& settings;
    SettingsStore& store;
    const Clock& clock;
    AnimationTimer& animation; // Timer2, shared by the Moon, radar and satellite animations
    const MoonIconLists& moonIcons;
    TStEclipses& eclipses; // the year's eclipses, also behind the clock window's menu
    const LocaleDateFormats& dateFormats;
    const DateLocale& dateNames;
    ClockWindowLink& clockWindow;
    DownloadState& downloads;   // the download layer's state: http1, the status log
    WeatherService& weather;    // the current weather and its downloads
    InternetTime& internetTime; // the SNTP client
    SharedCommands commands;
};

} // namespace skelvane

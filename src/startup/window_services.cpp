#include "startup/window_services.h"

#include "clockwin/clock_window.h"
#include "clockwin/month_calendar.h"
#include "clockwin/tray_icon.h"

#include <QTimer>

namespace skelvane {

ClockWindowAdapter::ClockWindowAdapter(TForm1& form) : form_(form) {
    connect(form_.TrayIcon, &MoonTrayIcon::trayIconGroupChanged, this,
            &ClockWindowLink::trayIconGroupChanged);
}

DateTime ClockWindowAdapter::calendarDate() const {
    return form_.calendarDate();
}

void ClockWindowAdapter::selectDate(DateTime date) {
    form_.setCalendarDate(date);
}

const DayDisplay& ClockWindowAdapter::dayDisplay() const {
    return form_.dayDisplay();
}

void ClockWindowAdapter::updateDisplays() {
    form_.UpdateDisplays();
}

void ClockWindowAdapter::displayModesChanged() {
    form_.DisplayModesChanged();
}

void ClockWindowAdapter::eclipseListChanged() {
    form_.UpdateEclipseMenuItems();
}

void ClockWindowAdapter::setWeekStart(int day) {
    form_.Calendar1->SetStartOfWeek(day);
}

void ClockWindowAdapter::tickAtNormalRate() {
    // Not before the first tick: it runs 10 ms after start also when the information window
    // shows at start.
    if (!form_.firstTickPending())
        form_.Timer1->setInterval(1000);
}

int ClockWindowAdapter::trayIconGroup() const {
    return form_.TrayIcon->groupIndex();
}

void ClockWindowAdapter::TrayIconGroupClick(int choice) {
    form_.TrayIcon->TrayIconGroupClick(choice);
}

void ClockWindowAdapter::SetTrayIconType(QChar type) {
    form_.TrayIcon->SetTrayIconType(type);
}

void ClockWindowAdapter::RedrawTrayTemperature() {
    form_.TrayIcon->RedrawTemperature();
}

WindowServices::WindowServices(TForm1& form, Settings& settings, const Clock& clock)
    : form_(form), settings_(settings), clock_(clock), adapter_(form) {}

PageServices WindowServices::pageServices() {
    const ClockActions& actions = form_.actions();
    SharedCommands commands;
    commands.clockMenu = form_.menus().PopupMenu1;
    commands.goToMenu = form_.menus().ButPopupMenu;
    commands.goToToday = actions.GoToToday1;
    commands.showHelp = actions.ShowHelp1;
    commands.goToPrevMonth = actions.GoToPrevMonthAction1;
    commands.goToNextMonth = actions.GoToNextMonthAction1;
    commands.showHolidays = actions.ToggleShowHolidays1;
    commands.goToSeason = actions.GoToSeason;
    commands.settingsToggles = {actions.ToggleMinimizeToTray1,      actions.ToggleShowHolidays1,
                                actions.ToggleShowTinyMoons1,       actions.ToggleStartMinimized1,
                                actions.RunWhenWindowsStartsAction, actions.ToggleSaveOnExit1};
    return PageServices{settings_,
                        form_.settingsStore(),
                        clock_,
                        form_.animationTimer(),
                        form_.moonIcons(),
                        form_.eclipses(),
                        form_.dateFormats(),
                        form_.dateNames(),
                        adapter_,
                        form_.downloads(),
                        form_.weather(),
                        form_.internetTime(),
                        commands};
}

} // namespace skelvane

#include "clockwin/clock_menus.h"

#include "clockwin/clock_actions.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace skelvane {

QAction* ProxyItem(QAction* action, const QString& caption, QObject* owner) {
    auto* item = new QAction(caption, owner);
    item->setObjectName(action->objectName() + QStringLiteral("Item"));
    item->setCheckable(action->isCheckable());
    item->setChecked(action->isChecked());
    item->setIcon(action->icon());
    item->setToolTip(action->toolTip());
    item->setShortcut(action->shortcut());
    QObject::connect(item, &QAction::triggered, action, [action] { action->trigger(); });
    QObject::connect(action, &QAction::changed, item, [item, action] {
        item->setChecked(action->isChecked());
        item->setEnabled(action->isEnabled());
        item->setVisible(action->isVisible());
        item->setIcon(action->icon());
    });
    return item;
}

namespace {

// The date sub-menus shared by both Go To menus: seasons, moon phases, eclipses, meteor
// showers and daylight saving.
void AddDateSubMenus(QMenu* menu, const ClockActions& a, ClockMenus& menus) {
    QMenu* seasons = menu->addMenu(QStringLiteral("Equinox / Solstice"));
    for (QAction* action : a.GoToSeason)
        seasons->addAction(action);
    QMenu* phases = menu->addMenu(QStringLiteral("Moon Phase"));
    for (QAction* action : a.GoToMoonPhase)
        phases->addAction(action);
    menus.moonPhaseMenus.append(phases);
    QMenu* eclipses = menu->addMenu(QStringLiteral("Eclipse"));
    for (QAction* action : a.GoToEclipse)
        eclipses->addAction(action);
    menus.eclipseMenus.append(eclipses);
    QMenu* meteors = menu->addMenu(QStringLiteral("Meteor Shower"));
    for (QAction* action : a.GoToMeteor)
        meteors->addAction(action);
    QMenu* daylight = menu->addMenu(QStringLiteral("Daylight Savings"));
    daylight->addAction(a.GoToDaylightStart1);
    daylight->addAction(a.GoToDaylightEnd1);
}

void AddHolidays(QMenu* menu, const ClockActions& a) {
    for (QAction* action : a.GoToHoliday)
        menu->addAction(action);
}

} // namespace

ClockMenus BuildClockMenus(const ClockActions& a, const QList<QAction*>& trayItems,
                           QMenuBar* menuBar, QWidget* owner) {
    ClockMenus menus;

    menus.PopupMenu1 = new QMenu(owner);
    menus.PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    QMenu* goTo = menus.PopupMenu1->addMenu(QStringLiteral("&Go To..."));
    goTo->setObjectName(QStringLiteral("GoTo1"));
    goTo->addAction(a.GoToToday1);
    goTo->addSeparator();
    AddDateSubMenus(goTo, a, menus);
    goTo->addSeparator();
    AddHolidays(goTo, a);
    goTo->addSeparator();
    // A widget holds an action once: the second Today is an item of its own.
    goTo->addAction(ProxyItem(a.GoToToday1, a.GoToToday1->text(), goTo));

    QMenu* settings = menus.PopupMenu1->addMenu(QStringLiteral("&Settings"));
    settings->setObjectName(QStringLiteral("Settings1"));
    menus.settingsMenu = settings;
    settings->addAction(a.ToggleStayOnTop1);
    settings->addAction(a.ToggleHintsOn1);
    settings->addSeparator();
    for (QAction* item : trayItems)
        settings->addAction(item);
    settings->addSeparator();
    for (QAction* action :
         {a.ToggleMinimizeToTray1, a.ToggleShowHolidays1, a.ToggleShowTinyMoons1,
          a.ToggleStartMinimized1, a.RunWhenWindowsStartsAction, a.ToggleSaveOnExit1})
        settings->addAction(action);

    QMenu* popup = menus.PopupMenu1;
    popup->addAction(a.ToggleWindowAction1);
    popup->addAction(ProxyItem(a.ShowMoonSheetAction1, QStringLiteral("Moon and Sun"), popup));
    popup->addAction(ProxyItem(a.ShowPlanetSheetAction1, QStringLiteral("Planets"), popup));
    popup->addAction(a.ShowTimeSheetAction1);
    popup->addAction(ProxyItem(a.ShowSetSheetAction1, QStringLiteral("Settings"), popup));
    popup->addAction(a.ShowHelp1);
    popup->addAction(a.ShowAboutSheetAction1);
    popup->addAction(ProxyItem(a.ShowToolSheetAction1, QStringLiteral("&Tools"), popup));
    popup->addAction(a.ShowYearSheetAction1);
    popup->addAction(a.ShowMapSheetAction1);
    popup->addAction(a.ShowSatelliteSheetAction1);
    popup->addAction(a.ShowRadarSheetAction1);
    popup->addAction(a.ShowWeatherSheetAction1);
    popup->addAction(a.GoToGoogle);
    popup->addAction(a.ShowWeatherText);
    popup->addAction(a.UpdateTemperature);
    popup->addAction(a.RestoreAction1);
    popup->addAction(ProxyItem(a.ExitAction1, QStringLiteral("Exit Skelvane"), popup));

    menus.ButPopupMenu = new QMenu(owner);
    menus.ButPopupMenu->setObjectName(QStringLiteral("ButPopupMenu"));
    QMenu* button = menus.ButPopupMenu;
    button->addAction(a.GoToToday1);
    button->addSeparator();
    AddDateSubMenus(button, a, menus);
    button->addAction(a.ShowHelp1);
    button->addSeparator();
    AddHolidays(button, a);
    button->addSeparator();
    button->addAction(ProxyItem(a.GoToToday1, a.GoToToday1->text(), button));

    menus.MainMenu1 = menuBar;
    menuBar->setObjectName(QStringLiteral("MainMenu1"));
    menuBar->addAction(ProxyItem(a.ShowWeatherSheetAction1, QStringLiteral("Weather"), menuBar));
    menuBar->addAction(ProxyItem(a.ShowRadarSheetAction1, QStringLiteral("Rad"), menuBar));
    menuBar->addAction(ProxyItem(a.ShowSatelliteSheetAction1, QStringLiteral("Sat"), menuBar));
    menuBar->addAction(ProxyItem(a.ShowMapSheetAction1, QStringLiteral("Map"), menuBar));
    menuBar->addAction(a.ShowYearSheetAction1);
    return menus;
}

} // namespace skelvane

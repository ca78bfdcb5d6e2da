#pragma once

#include <QList>
#include <array>

class QAction;
class QMenu;
class QMenuBar;
class QObject;
class QString;
class QWidget;

namespace skelvane {

struct ClockActions;

// The clock window's three menus. Items that show an action's own caption are the action
// itself; items with a caption of their own are proxies that trigger the action.
struct ClockMenus {
    QMenu* PopupMenu1 = nullptr;   // right click on the window, the calendar, the tray icon
    QMenu* ButPopupMenu = nullptr; // the calendar's "Go To" button
    QMenuBar* MainMenu1 = nullptr; // "Weather", "Rad", "Sat", "Map", Year
    QMenu* settingsMenu = nullptr;
    // The "Moon Phase" and "Eclipse" sub-menus of both Go To menus.
    QList<QMenu*> moonPhaseMenus, eclipseMenus;
};

// `trayItems` are the three radio items of the tray mode ("Tray Temperature", "Tray Moon",
// "Tray Animation"); `menuBar` is the window's own menu bar, filled here.
ClockMenus BuildClockMenus(const ClockActions& actions, const QList<QAction*>& trayItems,
                           QMenuBar* menuBar, QWidget* owner);

// A menu item with its own caption that runs `action` and follows its check mark,
// enabled state and visibility.
QAction* ProxyItem(QAction* action, const QString& caption, QObject* owner);

} // namespace skelvane

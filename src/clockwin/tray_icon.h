#pragma once

#include "astro/datetime.h"
#include "widgets/moon_icons.h"
#include "widgets/platform_colours.h"

#include <QChar>
#include <QColor>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QActionGroup;
class QMenu;
class QSystemTrayIcon;
class QTimer;

namespace skelvane {

struct Settings;

// First-run tray colours, when TrayColorsInit is set (which is then cleared): this desktop
// offers no visual-theme query, so take what a themed desktop gets, white text on black.
// Returns whether anything changed.
bool ChooseFirstRunTrayColors(Settings& settings);

// The 16 × 16 temperature picture: opaque background, the text at x 0, y 2 in a small
// bitmap-style font (no antialiasing, so that the background stays one exact colour).
QImage TrayTemperatureImage(const QString& text, const QColor& foreColor, const QColor& backColor);

// The picture as an icon whose background pixels (those of exactly `backColor`) are
// transparent.
QIcon TransparentTrayIcon(const QImage& picture, const QColor& backColor);

// The clock window's notification-area icon in its four modes (Settings::TrayType): "N" none,
// "T" temperature, "M" today's Moon, "A" the lunar cycle animated. The class keeps the whole
// state of the icon (active, explicit icon, image list and index, animation, hint) so that it
// works and can be checked on desktops without a notification area; there the system icon is
// simply never seen.
//
// Shown picture: the explicit icon when one is set, else image `imageIndex()` of the image
// list. Setting the image index (also each animation step) drops the explicit icon.
class MoonTrayIcon : public QObject {
    Q_OBJECT
public:
    static constexpr int kAnimationIntervalMs = 200;
    // Slot of the clock window's small (menu icon) list that the opaque temperature
    // picture overwrites.
    static constexpr int kTemperatureSlot = 16;

    // `moonIcons` must outlive the tray icon. Starts inactive, showing northern image 12.
    MoonTrayIcon(Settings& settings, const MoonIconLists& moonIcons, QObject* parent = nullptr);
    ~MoonTrayIcon() override;

    // Start-up: activate, animate in mode "A", take MinimizeToTrayOn, then stay active only
    // in the modes "A", "M" and "T". The three menu items get the mode's check mark.
    void Start();

    // The Moon of a UTC instant: the icon number (a principal phase named for the instant's
    // day decides it), the application icon from the hemisphere's list, and in the modes "A",
    // "M" and "T" the tray's picture. `temperatureShown`: a temperature text exists. In mode
    // "T" a temperature once shown stays in the tray; only the first display update of the
    // run replaces it.
    void SetMoonIcons(DateTime utcInstant, const QString& phaseNameOfDay, bool firstDisplayUpdate,
                      bool temperatureShown);

    // The temperature as the tray picture. Colours are stored colour numbers. Transparent:
    // the picture with its background see-through becomes the icon. Opaque: it replaces
    // slot 16 of the small image list, which becomes the image list, showing image 16.
    void ShowTrayTemp(const QString& text, int foreColor, bool transparent, int backColor);

    // The last temperature text of a report (empty: none yet), kept for redrawing when the
    // mode or the colours change. ShowTemperature reports it here whatever the mode.
    void setTemperatureText(const QString& text);
    QString temperatureText() const { return temperatureText_; }
    // Redraws the kept temperature with the stored colours (colour and transparency boxes).
    // Nothing while no temperature exists or the mode is not "T".
    void RedrawTemperature();

    // One of the three radio items was clicked: an item left unchecked turns the icon off,
    // otherwise its mode is chosen. The group handler runs in any case, so the animation
    // and the check marks always follow the mode.
    void TrayMenuItemClick(QAction* item);
    // The tray choice for a mode: group 3, 2, 1 for "A", "M", "T", 0 for anything else, and
    // the matching check mark. The group handler runs when the choice changes.
    void SetTrayIconType(QChar mode);
    // The tray group ("Tray Icon Off", "Tray Temperature", "Tray Moon", "Tray Animation"):
    // sets TrayType, active, animate and the check marks; other numbers are ignored.
    void TrayIconGroupClick(int choice);

    void setHint(const QString& hint);
    // The clock window's pop-up menu; not owned.
    void setPopupMenu(QMenu* menu);
    // The clock window's small image list (menu icons); not owned. Without one, the
    // temperature picture goes into a list of the tray's own.
    void setSmallImageList(QList<QIcon>* list);
    // ToggleMinimizeToTray1 follows MinimizeToTrayOn here.
    void setMinimizeToTray(bool on) { minimizeToTray_ = on; }
    bool minimizeToTray() const { return minimizeToTray_; }
    // Whether minimising the clock window should hide it in the tray: only when the icon can
    // actually be seen, so that the window never vanishes without a way back.
    bool hidesWindowOnMinimize() const;

    // One animation step: the next image of the list, wrapping to 0 after the last.
    void AnimateStep();

    // The radio items for the clock window's Settings sub-menu (objectNames TrayTemperature1,
    // TrayMoon1, TrayAnimation1).
    QAction* TrayTemperature1 = nullptr;
    QAction* TrayMoon1 = nullptr;
    QAction* TrayAnimation1 = nullptr;

    // The state of the icon.
    bool active() const { return active_; }
    bool animate() const { return animate_; }
    int imageIndex() const { return imageIndex_; }
    const QList<QIcon>& imageList() const { return imageList_; }
    QIcon icon() const { return icon_; }
    // What the notification area shows (null when nothing can be shown).
    QIcon shownIcon() const;
    QString hint() const { return hint_; }
    QMenu* popupMenu() const { return popupMenu_; }
    int groupIndex() const { return groupIndex_; }
    QIcon applicationIcon() const { return applicationIcon_; }
    bool animationTimerRunning() const;
    QSystemTrayIcon* systemTrayIcon() const { return tray_; }

signals:
    // Left click on the icon: the clock window runs ToggleForm1.
    void clicked();
    // The Moon icon for the application (QApplication::setWindowIcon).
    void applicationIconChanged(const QIcon& icon);
    // Mode "T" was chosen before any temperature arrived: download the weather for
    // WeatherStationCode and open the Weather page.
    void weatherDownloadRequested();
    // The tray needs SetMoonIcons for the calendar's date at the present time of day.
    void moonIconsRequested();
    // The tray choice changed (0 … 3); the Settings page's TrayIconGroup follows.
    void trayIconGroupChanged(int choice);

private:
    void setActive(bool on);
    void setAnimate(bool on);
    void setIcon(const QIcon& icon);
    void setImageList(const QList<QIcon>& list);
    void setImageIndex(int index);
    void checkMenuItemOfGroup(int choice);
    void showKeptMoon();
    void updateAnimationTimer();
    void pushToSystemTray();

    Settings& settings_;
    const MoonIconLists& moonIcons_;
    QSystemTrayIcon* tray_ = nullptr;
    QTimer* animationTimer_ = nullptr;
    QActionGroup* menuGroup_ = nullptr;
    QMenu* popupMenu_ = nullptr;
    QList<QIcon>* smallImageList_ = nullptr;
    QList<QIcon> ownSmallImageList_;

    bool active_ = false;
    bool animate_ = false;
    bool minimizeToTray_ = false;
    QIcon icon_;
    QList<QIcon> imageList_;
    int imageIndex_ = 12;
    QString hint_;
    int groupIndex_ = -1; // no choice made yet
    QString temperatureText_;
    QIcon applicationIcon_;
    // The Moon last computed, so that leaving the temperature mode shows it at once.
    int moonIndex_ = 12;
    Hemisphere moonHemisphere_ = Hemisphere::Northern;
};

} // namespace skelvane

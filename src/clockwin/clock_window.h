#pragma once

#include "app/clock_tick.h"
#include "app/info_window_link.h"
#include "astro/eclipses.h"
#include "clockwin/clock_actions.h"
#include "clockwin/clock_menus.h"
#include "platform/locale_formats.h"
#include "widgets/day_display.h"
#include "widgets/moon_icons.h"

#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;
class QToolButton;

namespace skelvane {

class AnimationTimer;
class ClockSetter;
class DownloadState;
class InternetTime;
class WeatherService;
class Clock;
class HintSwitch;
class MoonTrayIcon;
class TCalendar;
class TMoon;
class InfoWindowLink;
class SettingsStore;
struct Settings;

// The small always-on-top clock window: the big time, the date line, the month band and
// the sun-and-moon band. It owns the tick timer and the start-up and exit sequences.
class TForm1 : public QMainWindow, public ClockTickTarget {
    Q_OBJECT
public:
    struct Options {
        bool defaultsOnly = false; // "/C": run on the built-in defaults, never read the store
    };

    // Runs the window's creation steps: reads the settings (unless defaultsOnly), shows
    // the time once and sizes the window. The window is not shown yet.
    TForm1(Settings& settings, SettingsStore& store, const Clock& clock, Options options,
           QWidget* parent = nullptr);
    ~TForm1() override;

    // Client heights of the four display levels: the bottom of band 1, 2, 3 and 4.
    static int ClientHeightForLevel(int level);
    static constexpr int kClientWidth = 211;

    void SetHeight();
    // Change Size: steps DisplayLevel 1 → 2 → 3 → 4 → 1.
    void ToggleWindow();
    void ReadIniFile();
    void SaveIniFile();
    void Timer1Timer();
    // Whether the window is shown when the event loop starts (not with StartMinimized).
    bool showAtStart() const { return showAtStart_; }
    void setInfoWindow(InfoWindowLink* info) { info_ = info; }
    bool firstTickPending() const { return firstTick_; }
    // The exit path ends the process at once through this; tests replace it.
    void setProcessEnder(std::function<void()> ender) { endProcess_ = std::move(ender); }
    // The firewall notice is a modal message box; tests replace it.
    void setFirewallNoticeHandler(std::function<void()> handler) {
        firewallNoticeHandler_ = std::move(handler);
    }

    QTimer* Timer1 = nullptr;
    QAction* ToggleWindowAction1 = nullptr;
    TCalendar* Calendar1 = nullptr;
    TMoon* Moon2 = nullptr;
    QComboBox* MonthComboBox = nullptr;
    QComboBox* YearComboBox = nullptr;
    QToolButton* ButLastMonth = nullptr;
    QToolButton* ButNextMonth = nullptr;
    QToolButton* ButLastYear = nullptr;
    QToolButton* ButNextYear = nullptr;
    QPushButton* ButToday = nullptr;
    MoonTrayIcon* TrayIcon = nullptr;

    // The shared animation timer (Timer2) of the Moon, radar and satellite animations.
    AnimationTimer& animationTimer() const { return *animation_; }
    // The download layer's state (http1, the refusal notice) and the current weather, which
    // this window owns for the whole run.
    DownloadState& downloads() const { return *downloads_; }
    WeatherService& weather() const { return *weather_; }
    // The SNTP client. Its clock setter refuses until one is given (start-up gives the
    // system's; tests a fake).
    InternetTime& internetTime() const { return *internetTime_; }
    void setClockSetter(std::unique_ptr<ClockSetter> setter);
    const ClockActions& actions() const { return actions_; }
    const ClockMenus& menus() const { return menus_; }
    const MoonIconLists& moonIcons() const { return moonIcons_; }
    const QList<QIcon>& smallImages() const { return smallImages_; }
    InfoWindowLink* infoLink() const { return info_; }
    SettingsStore& settingsStore() const { return store_; }

    // The moon-phase items of both Go To menus follow the month's phase list.
    void UpdateMenuItems(bool southernHemisphere);
    // Captions, icons and visibility of the eclipse items for the calendar's year.
    void UpdateEclipseMenuItems();
    // The page commands: the page rule of the information window.
    void ShowInfoPage(InfoPage page);
    void MonthComboBoxChange(int monthIndex);
    void YearComboBoxChange(const QString& text);
    void GoToMoonPhaseDate(int n);
    void GoToEclipseDate(int n);
    // The list's eclipses, refilled for the calendar's year (local or UT days).
    TStEclipses& eclipses() { return eclipses_; }
    // Re-reads the display modes (after a Moon page radio group flipped one): every
    // display follows and the tick runs.
    void DisplayModesChanged();
    // Left click on the tray icon: minimises the window (into the tray when that is on)
    // when it shows, else brings it back.
    void ToggleForm1();
    // Brings the window back from the tray (or from being minimised) at the normal tick.
    void RestoreFromTray();
    // Help (F1); the clock window's help handler is set by start-up.
    void setHelpHandler(std::function<void()> handler) { helpHandler_ = std::move(handler); }
    // Where "&Google" sends its address (the information window's hand-off to the user's
    // browser); without one the address goes to the desktop's opener directly.
    void setBrowserOpener(std::function<void(const QString&)> opener) {
        browserOpener_ = std::move(opener);
    }

    ClockTick& tick() { return tick_; }
    QString applicationTitle() const { return applicationTitle_; }
    QString panel1Text() const;
    QString panel2Text() const;
    const LocaleDateFormats& dateFormats() const { return dateFormats_; }
    const DateLocale& dateNames() const { return dateNames_; }
    // What the last UpdateDisplays showed (the Moon page reads the kept sun lines).
    const DayDisplay& dayDisplay() const { return dayDisplay_; }
    int calendarWeekStart() const { return calendarWeekStart_; }

    // ClockTickTarget
    DateTime calendarDate() const override;
    void setCalendarDate(DateTime date) override;
    void setBigTimeText(const QString& text) override;
    void setDateLineText(const QString& text) override;
    void setApplicationTitle(const QString& title) override { applicationTitle_ = title; }
    void setCaption(const QString& caption) override;
    void synchroniseClockWithServer() override;
    void startWeatherDownload() override;
    void UpdateDisplays();
    void updateDisplays() override { UpdateDisplays(); }
    InfoWindowTickTarget* infoWindow() override;

signals:
    void stayOnTopChanged(bool on);
    void showWeatherTextRequested();
    // A weather report for the weather text window: its lines and its caption.
    void weatherTextReady(const QStringList& lines, const QString& caption);

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void buildBands();
    void createTrayIcon();
    void connectWeather();
    // The start tasks of the clock window on the first tick: the start-up weather download.
    void startupWeatherDownload();
    // ShowTemperature's part in this window: caption, application title, tray.
    void showTemperatureCaption(const QString& caption, const QString& temperatureText);
    // The firewall notice, once per run, titled "Skelvane".
    void showFirewallNotice();
    void buildMonthRow();
    void connectActions();
    void connectDateActions();
    void syncMonthYearBoxes();
    void selectDate(DateTime date);
    void FormClose();
    void Calendar1Change();

    Settings& settings_;
    SettingsStore& store_;
    const Clock& clock_;
    Options options_;
    ClockTick tick_;
    HintSwitch* hints_ = nullptr;
    AnimationTimer* animation_ = nullptr;
    DownloadState* downloads_ = nullptr;
    WeatherService* weather_ = nullptr;
    InternetTime* internetTime_ = nullptr;
    InfoWindowLink* info_ = nullptr;
    std::function<void()> endProcess_;
    std::function<void()> firewallNoticeHandler_;

    LocaleDateFormats dateFormats_;
    ClockActions actions_;
    ClockMenus menus_;
    MoonIconLists moonIcons_;
    QList<QIcon> smallImages_;
    std::function<void()> helpHandler_;
    std::function<void(const QString&)> browserOpener_;
    int eclipseMenuYear_ = 0;
    bool eclipseMenuLocal_ = true;
    QString applicationTitle_ = QStringLiteral("Skelvane");
    int calendarWeekStart_ = 0;
    bool showAtStart_ = true;
    bool firstTick_ = true;
    bool firstDisplayUpdate_ = true;
    QTimer* snapTimer_ = nullptr; // snaps to the screen edges once a drag has stopped
    bool pendingStartupClockUpdate_ = false;
    bool pendingStartupWeatherUpdate_ = false;

    QWidget* client_ = nullptr;
    QLabel* Panel1 = nullptr;
    QLabel* Panel2 = nullptr;
    QFrame* Panel3 = nullptr;
    QFrame* Panel4 = nullptr;
    QFrame* Panel5 = nullptr;
    QLabel* SunriseLabel = nullptr;
    QLabel* SunsetLabel = nullptr;
    QLabel* DayInfoLabel1 = nullptr;
    QLabel* DayInfoLabel2 = nullptr;

    TStEclipses eclipses_;
    DayDisplay dayDisplay_;
    DateLocale dateNames_;
};

} // namespace skelvane

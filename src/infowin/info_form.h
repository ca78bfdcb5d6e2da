#pragma once

#include "app/clock_tick.h"
#include "app/info_window_link.h"
#include "infowin/browser_handoff.h"
#include "infowin/page_services.h"

#include <QMainWindow>
#include <array>

class QAction;
class QLabel;
class QStatusBar;
class QTabWidget;

namespace skelvane {

class AboutPage;
class Clock;
class HolidayPage;
class ImageExport;
class TextEditMenu;
class LocationPage;
class MapLocationGroup;
class MapsPage;
class WeatherPage;
class PlanetPage;
class RadarPage;
class SatellitePage;
class GraphPage;
class YearPage;
class Settings2Page;
class TimePage;
class ToolsPage;
class MoonPage;
struct Settings;

// The information window: thirteen tabbed pages beside the clock window, created hidden
// at start and kept until exit (closing only hides it).
class TInfoForm : public QMainWindow, public InfoWindowLink, public InfoWindowTickTarget {
    Q_OBJECT
public:
    explicit TInfoForm(const PageServices& services, QWidget* parent = nullptr);
    ~TInfoForm() override;

    // Captions of the thirteen tabs (" Radar" and " Set" keep their leading blank).
    static const std::array<const char*, kInfoPageCount>& TabCaptions();

    QTabWidget* InfoFormPageControl = nullptr;
    QTabWidget* SetSheetPageControl = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    std::array<QLabel*, 4> statusPanels{};
    QAction* SizeDefaultAction1 = nullptr;
    QAction* SizeMaximumAction1 = nullptr;
    QAction* SizeMinimumAction1 = nullptr;
    QAction* CloseItem = nullptr;

    MoonPage* moonPage() const { return moonPage_; }
    HolidayPage* holidayPage() const { return holidayPage_; }
    AboutPage* aboutPage() const { return aboutPage_; }
    LocationPage* locationPage() const { return locationPage_; }
    MapLocationGroup* mapLocationGroup() const { return mapLocationGroup_; }
    MapsPage* mapsPage() const { return mapsPage_; }
    WeatherPage* weatherPage() const { return weatherPage_; }
    // GoBrowser: every page's hand-off of an address to the user's own browser.
    BrowserHandOff& browserHandOff() { return handOff_; }
    PlanetPage* planetPage() const { return planetPage_; }
    YearPage* yearPage() const { return yearPage_; }
    GraphPage* graphPage() const { return graphPage_; }
    ToolsPage* toolsPage() const { return toolsPage_; }
    TimePage* timePage() const { return timePage_; }
    Settings2Page* settings2Page() const { return settings2Page_; }
    RadarPage* radarPage() const { return radarPage_; }
    SatellitePage* satellitePage() const { return satellitePage_; }
    // The image commands of the Radar, Satellite, Year and Graph pages and their menu.
    ImageExport* imageExport() const { return imageExport_; }
    // The text-edit pop-up menu of the window's text fields.
    TextEditMenu* textEditMenu() const { return textEditMenu_; }
    // A page's download (on the user-interface thread) is running.
    bool downloadsRunning() const;

    void SizeDefaultAction1Execute();
    void SizeMaximumAction1Execute();
    void SizeMinimumAction1Execute();
    // Copies the window's geometry and choices into the settings values.
    void FormDeactivate();

    // InfoWindowLink
    void DoStartTasks() override;
    InfoWindowTickTarget* tickTarget() override { return this; }
    bool isShowing() const override;
    int pageIndex() const override;
    int setSheetIndex() const override;
    bool weekNumbersChecked() const override;
    bool ShowPage(InfoPage page) override;
    void ToggleShowing() override;
    void CloseWindow() override;
    void UpdateInfoForm() override;
    void setStayOnTop(bool on) override;
    void setGraphGroupCaption(const QString& caption) override;
    QString productLine() const override;
    void showInternetTime(bool clockSet, double offsetDays, double time) override;
    void showClockNotSet(const QString& reason) override;
    // "Get Time" of the Time page.
    void GetInternetTimeButClick();
    double yearCalendarDate() const override;
    void setYearCalendarDate(double date) override;
    void setYearDayInfo(const QString& text) override;

    // InfoWindowTickTarget
    void showSunMoonPosition(DateTime when) override;
    void refreshTimePage(DateTime local, DateTime utc, const QString& zoneName,
                         const std::string& timeFormat) override;
    void setWindowCaption(const QString& caption) override { setWindowTitle(caption); }
    void showPlanets(DateTime when) override;
    void refreshRadarTimeLabel() override;
    QString localTimePanelText() const override;
    QString greenwichTimePanelText() const override;

    QString graphGroupCaption() const;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormActivate();
    void buildPages();
    void connectWebPages();
    // Selects page `index`, showing the window when hidden, or closes the window when it
    // shows that page already. Returns whether the window now shows.
    bool selectPage(int index);
    void buildMenus();
    void buildStatusBar();
    void updateAnimationTimer();
    // The page control moved to `index`: the page left and the page entered are told.
    void pageChanged(int index);
    // One tick of the shared animation timer: the moon, radar and satellite steps in order.
    void Timer2Timer();
    // The report's times and the units on the settings pages.
    void DisplayWeather();
    void connectWeather();
    // The image commands and the text-edit menu, once every page exists.
    void connectEditCommands();

    PageServices services_;
    BrowserHandOff handOff_;
    Settings& settings_;
    const Clock& clock_;
    ClockWindowLink& clockWindow_;
    MoonPage* moonPage_ = nullptr;
    HolidayPage* holidayPage_ = nullptr;
    AboutPage* aboutPage_ = nullptr;
    LocationPage* locationPage_ = nullptr;
    MapLocationGroup* mapLocationGroup_ = nullptr;
    MapsPage* mapsPage_ = nullptr;
    WeatherPage* weatherPage_ = nullptr;
    PlanetPage* planetPage_ = nullptr;
    YearPage* yearPage_ = nullptr;
    GraphPage* graphPage_ = nullptr;
    ToolsPage* toolsPage_ = nullptr;
    TimePage* timePage_ = nullptr;
    Settings2Page* settings2Page_ = nullptr;
    RadarPage* radarPage_ = nullptr;
    int shownPage_ = -1; // the page last entered, for the pages' enter and exit steps
    SatellitePage* satellitePage_ = nullptr;
    ImageExport* imageExport_ = nullptr;
    TextEditMenu* textEditMenu_ = nullptr;
    bool eclipseListStale_ = false; // a display mode changed: the eclipse group is redone

    bool creating_ = true;
};

} // namespace skelvane

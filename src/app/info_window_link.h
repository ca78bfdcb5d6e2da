#pragma once

#include <QString>

namespace skelvane {

class InfoWindowTickTarget;

// The pages of the information window, in tab order. Both windows name pages by these.
enum InfoPage {
    kMoonSheet = 0,
    kPlanetSheet = 1,
    kWeatherSheet = 2,
    kRadarSheet = 3,
    kSatelliteSheet = 4,
    kTimeSheet = 5,
    kSetSheet = 6,
    kYearSheet = 7,
    kToolSheet = 8,
    kGraphSheet = 9,
    kHolidaySheet = 10,
    kMapSheet = 11,
    kAboutSheet = 12,
    kInfoPageCount = 13,
};

// What the clock window needs from the information window: its start tasks, the tick's
// refreshes, the page commands and the state saved at exit.
class InfoWindowLink {
public:
    virtual ~InfoWindowLink() = default;
    // Runs once, on the first tick after the information window exists.
    virtual void DoStartTasks() = 0;
    virtual InfoWindowTickTarget* tickTarget() = 0;
    virtual bool isShowing() const = 0;
    virtual int pageIndex() const = 0;
    virtual int setSheetIndex() const = 0;
    virtual bool weekNumbersChecked() const = 0;

    // The page rule of the page commands: closes the window when it is showing on that
    // page, else shows it (when hidden) on that page. Returns whether it now shows.
    virtual bool ShowPage(InfoPage page) = 0;
    // Shows the window on whatever page it was, or closes it when showing.
    virtual void ToggleShowing() = 0;
    virtual void CloseWindow() = 0;
    // Refreshes every page for the clock window's date at the present time of day.
    virtual void UpdateInfoForm() = 0;
    virtual void setStayOnTop(bool on) = 0;
    // The Graph page's sun group caption, set on every calendar change.
    virtual void setGraphGroupCaption(const QString& caption) = 0;
    // The Year page's date (1756 or later; it is given the clock window's day and shows that
    // day or its stand-in in 1756), and the day-info line it shows for it.
    virtual double yearCalendarDate() const = 0;
    virtual void setYearCalendarDate(double date) = 0;
    virtual void setYearDayInfo(const QString& text) = 0;
    // A synchronisation with the time server gave a time: the Time page shows it and the
    // offset (days), worded by whether the clock was set.
    virtual void showInternetTime(bool clockSet, double offsetDays, double time) = 0;
    // The server answered but the computer's clock could not be set: the Time page says why.
    virtual void showClockNotSet(const QString& reason) = 0;
    // The About page's program name and version ("Skelvane v2.0.0").
    virtual QString productLine() const = 0;
};

} // namespace skelvane

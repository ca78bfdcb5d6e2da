#pragma once

#include "astro/datetime.h"
#include "astro/format_date.h"

#include <QString>

namespace skelvane {

class Clock;
struct Settings;

// What the tick refreshes in the information window while it exists.
class InfoWindowTickTarget {
public:
    virtual ~InfoWindowTickTarget() = default;
    // Sun and Moon positions for the calendar's date at the time of day of now.
    virtual void showSunMoonPosition(DateTime when) = 0;
    virtual void refreshTimePage(DateTime local, DateTime utc, const QString& zoneName,
                                 const std::string& timeFormat) = 0;
    virtual void setWindowCaption(const QString& caption) = 0;
    virtual void showPlanets(DateTime when) = 0;
    virtual void refreshRadarTimeLabel() = 0;
    // Texts of the local-time and Greenwich-time panels after refreshTimePage.
    virtual QString localTimePanelText() const = 0;
    virtual QString greenwichTimePanelText() const = 0;
};

// The clock window as the tick sees it.
class ClockTickTarget {
public:
    virtual ~ClockTickTarget() = default;
    virtual DateTime calendarDate() const = 0;
    // Moving the calendar raises its change event, which refreshes the displays and
    // restarts the jump-back count.
    virtual void setCalendarDate(DateTime date) = 0;
    virtual void setBigTimeText(const QString& text) = 0;
    virtual void setDateLineText(const QString& text) = 0;
    virtual void setApplicationTitle(const QString& title) = 0;
    virtual void setCaption(const QString& caption) = 0;
    // Scheduled clock synchronisation with the time server, setting the computer clock.
    virtual void synchroniseClockWithServer() = 0;
    virtual void startWeatherDownload() = 0;
    virtual void updateDisplays() = 0;
    // Null while the information window does not exist.
    virtual InfoWindowTickTarget* infoWindow() = 0;
};

// Date patterns the tick uses, taken from the user's locale at start.
struct TickDateFormats {
    std::string longDate = "dddd, mmmm d, yyyy";
    std::string shortDateShortYear = "m/d/yy";
    DateLocale names = EnglishDateLocale();
};

// The once-a-second heartbeat: shows the time, and once a minute refreshes the
// date-dependent displays, returns the calendar to today after a while and starts the
// scheduled clock synchronisation and weather download.
class ClockTick {
public:
    // Scheduled downloads wait this long after start.
    static constexpr double kStartDelayDays = 30.0 / 86400.0;

    ClockTick(const Settings& settings, const Clock& clock, ClockTickTarget& target,
              DateTime startInstant);

    void setDateFormats(TickDateFormats formats) { formats_ = std::move(formats); }
    void UpdateClocks();

    // The calendar date changed in any way.
    void resetJumpBack() { jumpBackCounter_ = 0; }
    int jumpBackCounter() const { return jumpBackCounter_; }

    // Set by the weather code once a temperature has been received: from then on the
    // clock window's caption belongs to the temperature.
    void setTemperatureShown(bool shown) { temperatureShown_ = shown; }
    bool temperatureShown() const { return temperatureShown_; }
    // Set by the internet-time code at the start of every attempt.
    void setLastClockSyncAttempt(DateTime when) { lastClockSyncAttempt_ = when; }
    // Set by the weather code when a report has been received and decoded.
    void setLastWeatherReportTime(DateTime when) { lastWeatherReportTime_ = when; }
    DateTime startInstant() const { return startInstant_; }

private:
    void onMinuteChange(DateTime now);
    void refreshInfoWindow(InfoWindowTickTarget& info, DateTime now, DateTime utc,
                           const QString& zoneName, int secondOfDay);
    QString format(const char* pattern, DateTime value) const;

    const Settings& settings_;
    const Clock& clock_;
    ClockTickTarget& target_;
    DateTime startInstant_;
    TickDateFormats formats_;

    int lastMinute_ = 100; // no minute yet: the first call counts as a minute change
    int jumpBackCounter_ = 0;
    int lastFiveSecondMark_ = 0;
    bool firstCall_ = true;
    bool temperatureShown_ = false;
    DateTime lastClockSyncAttempt_ = 0;
    DateTime lastWeatherReportTime_ = 0;
};

} // namespace skelvane

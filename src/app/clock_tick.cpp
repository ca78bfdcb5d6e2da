#include "app/clock_tick.h"

#include "app/settings.h"
#include "app/time_formats.h"
#include "astro/timezone.h"
#include "platform/clock.h"

namespace skelvane {

ClockTick::ClockTick(const Settings& settings, const Clock& clock, ClockTickTarget& target,
                     DateTime startInstant)
    : settings_(settings), clock_(clock), target_(target), startInstant_(startInstant) {}

QString ClockTick::format(const char* pattern, DateTime value) const {
    return QString::fromStdString(FormatDate(pattern, value, formats_.names));
}

void ClockTick::UpdateClocks() {
    const DateTime now = clock_.nowLocal();
    const DateTime utc = clock_.nowUtc();
    // The offset is evaluated at the real UTC instant: asking with the local time instead
    // would give the wrong offset for a few hours after every clock change.
    TimeZoneOffsetHours(utc);
    const QString zoneName = QString::fromStdString(CurrentTimeZoneState().zoneName);

    const TimeOfDay time = DecodeTime(now);
    const int minute = time.minute;
    const int secondOfDay = time.hour * 3600 + time.minute * 60 + time.second;

    if (minute != lastMinute_)
        onMinuteChange(now);
    lastMinute_ = minute;

    if (!firstCall_ && !temperatureShown_) {
        if (settings_.DisplayLevel == 1)
            target_.setCaption(format(formats_.shortDateShortYear.c_str(), now));
        else
            target_.setCaption(
                format(TimeFormats::caption(settings_.UseMilitaryTime), now).left(8));
    }

    if (InfoWindowTickTarget* info = target_.infoWindow())
        refreshInfoWindow(*info, now, utc, zoneName, secondOfDay);

    firstCall_ = false;
}

void ClockTick::onMinuteChange(DateTime now) {
    if (jumpBackCounter_ < settings_.JumpBackMinutes) {
        ++jumpBackCounter_;
    } else {
        jumpBackCounter_ = 0;
        if (DateOf(target_.calendarDate()) != DateOf(now))
            target_.setCalendarDate(now);
    }

    target_.setBigTimeText(format(TimeFormats::kBigPanel, now).chopped(2));
    target_.setDateLineText(format(formats_.longDate.c_str(), now));
    if (!settings_.UpdateWeatherOnStartup)
        target_.setApplicationTitle(format("mmm d", now));

    const bool startDelayOver = now > startInstant_ + kStartDelayDays;
    if (settings_.UpdateClockPerSchedule && startDelayOver &&
        now > lastClockSyncAttempt_ + settings_.UpdateClockMinutes / 1440.0)
        target_.synchroniseClockWithServer();
    // Until a report has arrived the last report time is 0, so a download that brings no
    // report is tried again at the next minute change.
    if (settings_.UpdateWeatherPerSchedule && startDelayOver &&
        now > lastWeatherReportTime_ + settings_.UpdateWeatherMinutes / 1440.0)
        target_.startWeatherDownload();

    target_.updateDisplays();
}

void ClockTick::refreshInfoWindow(InfoWindowTickTarget& info, DateTime now, DateTime utc,
                                  const QString& zoneName, int secondOfDay) {
    info.showSunMoonPosition(CombineDateTime(now, target_.calendarDate()));
    info.refreshTimePage(now, utc, zoneName, TimeFormats::infoWindow(settings_.UseMilitaryTime));
    if (settings_.UseLocalTime)
        info.setWindowCaption(info.localTimePanelText() + QStringLiteral("   ") + zoneName);
    else
        info.setWindowCaption(info.greenwichTimePanelText() +
                              QStringLiteral("   Greenwich Time (GMT)"));

    // A second of the day below the last mark means the day has turned.
    if (secondOfDay >= lastFiveSecondMark_ + 5 || secondOfDay < lastFiveSecondMark_) {
        info.showPlanets(CombineDateTime(now, target_.calendarDate()));
        info.refreshRadarTimeLabel();
        lastFiveSecondMark_ = secondOfDay;
    }
}

} // namespace skelvane

#include "widgets/day_display.h"

#include "app/settings.h"
#include "astro/day_lists.h"
#include "astro/eclipses.h"
#include "astro/format.h"
#include "astro/holidays.h"
#include "astro/moon.h"
#include "astro/sun.h"
#include "astro/time_conversions.h"
#include "astro/timezone.h"
#include "widgets/widget_factories.h"

#include <cmath>

namespace skelvane {

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);
constexpr const char* kGreenwichName = "Greenwich Time (GMT)";

QString Formatted(const char* pattern, DateTime value, const DateLocale& names) {
    return ToQString(FormatDate(pattern, value, names));
}

QString PadLeft(const QString& text, int width) {
    return text.size() < width ? QString(width - text.size(), QLatin1Char(' ')) + text : text;
}

struct SunLines {
    QString label, line, zone;
};

// One sun event of the day: its label, its kept line and its zone label.
SunLines SunEvent(const Settings& settings, const DayDisplayInputs& in, const char* word,
                  double hours, const QString& riseText) {
    const SunEventInstants instants = SunEventLocal(in.day, hours);
    const double offset = TimeZoneOffsetHours(instants.utc);
    const bool local = settings.UseLocalTime;
    SunLines lines;
    lines.zone =
        local ? ToQString(CurrentTimeZoneState().zoneName) : QString::fromLatin1(kGreenwichName);
    const DateTime shown = local ? instants.local : instants.utc;
    QString time = ToQString(FormatHours(local, settings.UseMilitaryTime, offset, hours));
    // Sunset lines up under sunrise: a short time gets a leading blank.
    if (!riseText.isNull() && (time.size() <= 7 || time.size() < riseText.size()))
        time.prepend(QLatin1Char(' '));
    lines.label = QString::fromLatin1(word) + QLatin1Char(' ') + time;
    lines.line = lines.label + QStringLiteral("  ") +
                 ToQString(FormatDate(in.shortDatePattern, shown, in.names));
    return lines;
}

struct SkyDirection {
    int azimuth = 0;
    QString compass;
};

SkyDirection Direction(double azimuth) {
    return {static_cast<int>(std::nearbyint(azimuth)),
            QString::fromLatin1(CompassPosition(azimuth))};
}

// Names of the day for the two day-info labels: up to two holidays, then the season and the
// moon phase of the day into the first free places.
std::pair<QString, QString> DayNames(const DayDisplayInputs& in, const DayDisplay& display) {
    QString first, second;
    const HolidayMatch holiday = HolidayNameOn(1, in.day);
    first = ToQString(std::string(holiday.name));
    // The second lookup also reaches the table's last entry (27), so two holidays sharing
    // the year's last holiday date are both shown.
    if (holiday.index > 0 && holiday.index + 1 <= kHolidayCount)
        second = ToQString(std::string(HolidayNameOn(holiday.index + 1, in.day).name));

    const QString season = ToQString(GetEquinoxSolsticeName(display.seasons, in.day));
    for (const QString& name : {season, display.phaseNameOfDay}) {
        if (name.isEmpty())
            continue;
        if (first.isEmpty())
            first = name;
        else if (second.isEmpty())
            second = name;
    }
    return {first, second};
}

} // namespace

DayDisplay ComputeDayDisplay(const Settings& settings, const DayDisplayInputs& in) {
    DayDisplay display;
    const DateTime day = DateOf(in.day);
    const DateTime moment = CombineDateTime(in.now, day);
    const CivilDate date = DecodeDate(day);
    const DateTime momentUtc = LocalToUtc(moment);
    const double offsetNow = CurrentTimeZoneState().offsetHours; // left at momentUtc
    const QString zoneNow = ToQString(CurrentTimeZoneState().zoneName);

    // Sunrise and sunset (UT hours, or the all-day codes).
    const double altitudeFeet = settings.Altitude;
    const double rise = SunRiseSetHours(date.day, date.month, date.year, true, altitudeFeet,
                                        settings.Longitude, settings.Latitude);
    const double set = SunRiseSetHours(date.day, date.month, date.year, false, altitudeFeet,
                                       settings.Longitude, settings.Latitude);
    display.sunriseHours = rise;
    display.sunsetHours = set;
    QString zoneLabel;
    if (rise == kNeverRises || set == kNeverRises) {
        display.sunriseLabel = display.sunriseLine = QStringLiteral("Sun down all day");
    } else if (rise == kNeverSets || set == kNeverSets) {
        display.sunriseLabel = display.sunriseLine = QStringLiteral("Sun up all day");
    } else {
        const SunLines sunrise = SunEvent(settings, in, "Sunrise", rise, QString());
        const QString riseTime = sunrise.label.mid(QStringLiteral("Sunrise ").size());
        const SunLines sunset = SunEvent(settings, in, "Sunset", set, riseTime);
        display.sunriseLabel = sunrise.label;
        display.sunriseLine = sunrise.line;
        display.sunriseZone = zoneLabel = sunrise.zone;
        display.sunsetLabel = sunset.label;
        display.sunsetLine = sunset.line;
        display.sunsetZone = sunset.zone;
    }

    // The Moon's rises and sets of the day, in the display's time scale.
    ListDisplayMode mode;
    mode.localTime = settings.UseLocalTime;
    mode.use24Hour = settings.UseMilitaryTime;
    mode.datePattern = in.shortDatePattern;
    mode.names = in.names;
    // The selected day at the present time of day, in the display's time scale.
    const DateTime shownMoment =
        settings.UseLocalTime ? moment : CombineDateTime(in.now - offsetNow / 24, day);
    const MoonDayEvents moon = CalcMoonRiseSet(mode, day, shownMoment, settings.Latitude,
                                               settings.Longitude, altitudeFeet);
    display.moonUp = moon.moonUp;
    // The lists keep the Moon page's own date pattern, not the locale's.
    ListDisplayMode listMode = mode;
    listMode.datePattern = ListDisplayMode{}.datePattern;
    display.phases = CalcMoonPhases(listMode, day);
    display.seasons = CalcEquinoxSolstice(listMode, date.year);
    display.phaseNameOfDay = ToQString(GetMoonPhaseName(display.phases, day));
    display.momentUtc = momentUtc;
    QString moonLabels[2];
    if (moon.allDay) {
        moonLabels[0] = ToQString(moon.events[0].text);
    } else {
        const int width = settings.UseMilitaryTime ? 7 : 9;
        for (int n = 0; n < 2; ++n) {
            if (n < moon.count) {
                const StMoonRec& event = moon.events[n];
                const QString time = ToQString(
                    FormatHours(false, settings.UseMilitaryTime, 0, event.seconds / 3600.0));
                moonLabels[n] =
                    QString::fromLatin1(event.isRise ? "MRise" : "MSet ") + PadLeft(time, width);
            } else {
                const bool otherIsRise = moon.count > 0 && moon.events[1 - n].isRise;
                moonLabels[n] =
                    otherIsRise ? QStringLiteral("No Moonset") : QStringLiteral("No Moonrise");
            }
        }
    }

    // Up or down now, and where the Sun and Moon stand.
    const double nowHours = (moment - std::floor(moment)) * 24.0;
    display.sunUp = IsSunUpNow(offsetNow, set, rise, nowHours);
    display.sunLabelColor = display.sunUp ? kBlack : kBlue;
    const QString sunText =
        display.sunUp ? QStringLiteral("SUN is UP") : QStringLiteral("SUN is SET");
    const QString moonText =
        display.moonUp ? QStringLiteral("MOON is UP") : QStringLiteral("MOON is SET");
    const AstroTimeRec time = AstroTimeFromDateTime(momentUtc);
    const RaDecRec sunPlace = SunRaDec(time);
    const MoonPosRec moonPlace = MoonPosition(time);
    const SkyDirection sun =
        Direction(HorizontalPosition(altitudeFeet, 0, sunPlace.dec, sunPlace.ra, settings.Latitude,
                                     settings.Longitude, momentUtc)
                      .azimuth);
    const SkyDirection moonDirection =
        Direction(HorizontalPosition(altitudeFeet, moonPlace.parallax, moonPlace.dec, moonPlace.ra,
                                     settings.Latitude, settings.Longitude, momentUtc)
                      .azimuth);

    const QString degree = QString::fromUtf8("°");
    display.sunHint = sunText + QStringLiteral("     ") + QString::number(sun.azimuth) + degree +
                      QStringLiteral(" (") + sun.compass + QStringLiteral(")\n") +
                      settings.PlaceName + QLatin1Char('\n') + zoneLabel +
                      QStringLiteral("\nClick for Sun Info");
    display.moonHint = moonText + QStringLiteral("     ") + QString::number(moonDirection.azimuth) +
                       degree + QStringLiteral(" (") + moonDirection.compass +
                       QStringLiteral(")\n") + settings.PlaceName + QLatin1Char('\n') + zoneLabel +
                       QStringLiteral("\nClick for Moon Info");
    const DateTime today = DateOf(in.now);
    display.dateHint = ToQString(FormatDate(in.shortDatePattern, today, in.names)) +
                       QStringLiteral("\nDay  ") + QString::number(DayOfYear(today)) +
                       QStringLiteral("\nWeek  ") + QString::number(IsoWeekNumber(today)) +
                       QStringLiteral("\nClick for Year Calendar");

    if (!in.temperatureText.isEmpty() && !in.weatherText.isEmpty()) {
        display.summary = in.temperatureText + QStringLiteral(" \n") + in.weatherText;
    } else {
        display.summary = Formatted("mmm d\", \"yyyy", day, in.names) + QStringLiteral(" \n") +
                          display.sunriseLabel + QStringLiteral(" \n") + display.sunsetLabel +
                          QStringLiteral(" \n") + moonText + QLatin1Char('(') +
                          moonDirection.compass + QLatin1Char(')');
    }

    // The day-info labels: the Moon's rise and set unless the day has a name.
    display.dayInfo1 = moonLabels[0];
    display.dayInfo2 = moonLabels[1];
    display.dayInfoColor = display.moonUp ? kBlack : kBlue;
    const auto [first, second] = DayNames(in, display);
    if (!first.isEmpty()) {
        display.dayNamed = true;
        display.dayInfoColor = kRed;
        display.dayInfo1 = first;
        display.dayInfo2 = second.isEmpty() ? Formatted("mmm d", day, in.names) : second;
    }
    const bool electionDay = day == HolidayDate(Holiday::ElectionDay, date.year) &&
                             HolidayDate(Holiday::ElectionDay, date.year) != 0;
    if (electionDay) {
        display.dayNamed = true;
        display.dayInfoColor = kRed;
        display.dayInfo2 = QString::fromLatin1(kElectionDayText);
    } else if (in.eclipses) {
        if (const auto eclipse = in.eclipses->GetEclipse(day, settings.UseLocalTime)) {
            display.dayNamed = true;
            display.dayInfoColor = kRed;
            display.dayInfo1 =
                ToQString(std::string(eclipse->name)).toUpper().contains(QStringLiteral("LUNAR"))
                    ? QStringLiteral("Lunar Eclipse")
                    : QStringLiteral("Solar Eclipse");
            const double hours = (eclipse->instant - std::floor(eclipse->instant)) * 24.0;
            display.dayInfo2 = ToQString(FormatHours(false, settings.UseMilitaryTime, 0, hours));
        }
    }
    return display;
}

} // namespace skelvane

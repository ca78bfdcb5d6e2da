#include "infowin/moon_page_texts.h"

#include "astro/hebrew_calendar.h"
#include "astro/lunation.h"
#include "astro/sun.h"
#include "widgets/widget_factories.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace skelvane {

namespace {

const QString kDegree = QString::fromUtf8("°");

// Numbers shown to the user take the locale's decimal separator.
QString Fixed(double value, int decimals) {
    return QLocale().toString(value, 'f', decimals);
}

bool UsableAzimuth(double azimuth) {
    return std::isfinite(azimuth) && azimuth >= 0;
}

QString Compass(double azimuth) {
    return QStringLiteral(" (") + QString::fromLatin1(CompassPosition(azimuth)) + QLatin1Char(')');
}

const QString kMoonIsUp = QStringLiteral("Moon is up");
const QString kMoonIsSet = QStringLiteral("Moon is set");

QString MoonLead(const StMoonRec& event) {
    return event.isRise ? QStringLiteral("Moon Rises at:  ") : QStringLiteral("Moon Sets at:  ");
}

// The three lines of one kept Moon event: its text, its zone and where the Moon stands.
std::array<QString, 3> MoonEventLines(const StMoonRec& event, double azimuth) {
    return {ToQString(event.text), ToQString(event.zoneName),
            EventAzimuthText(MoonLead(event), azimuth)};
}

} // namespace

QString AzimuthPanelText(double azimuth) {
    if (!UsableAzimuth(azimuth))
        return {};
    return Fixed(azimuth, 3) + kDegree + Compass(azimuth);
}

QString AltitudePanelText(double altitude) {
    // -99 is the engine's answer for an instant it cannot place.
    if (!std::isfinite(altitude) || altitude < -90)
        return {};
    return Fixed(altitude, 3) + kDegree;
}

QString EventAzimuthText(const QString& lead, double azimuth) {
    if (!UsableAzimuth(azimuth))
        return {};
    return lead + Fixed(azimuth, 1) + kDegree + Compass(azimuth);
}

QString IlluminationText(double fraction, const QString& phaseNameOfDay) {
    if (phaseNameOfDay == ToQString(kNewMoonName))
        return QStringLiteral("00 % Full");
    if (phaseNameOfDay == ToQString(kFirstQuarterName) ||
        phaseNameOfDay == ToQString(kLastQuarterName))
        return QStringLiteral("50 % Full");
    if (phaseNameOfDay == ToQString(kFullMoonName))
        return QStringLiteral("100 % Full");
    if (!std::isfinite(fraction))
        return {};
    const int percent = static_cast<int>(std::nearbyint(std::clamp(fraction, 0.0, 1.0) * 100));
    return QStringLiteral("%1 % Full").arg(percent, 2, 10, QLatin1Char('0'));
}

MoonLabelTexts MoonLabels(const MoonDayEvents& events, const std::array<double, 2>& azimuths) {
    MoonLabelTexts labels;
    labels.up = events.moonUp ? kMoonIsUp : kMoonIsSet;
    if (events.allDay) {
        // "Moon up all day" or "Moon down all day" says everything.
        labels.rise[0] = ToQString(events.events[0].text);
        return labels;
    }
    if (events.count >= 2) {
        labels.rise = MoonEventLines(events.events[0], azimuths[0]);
        labels.set = MoonEventLines(events.events[1], azimuths[1]);
    } else if (events.count == 1) {
        const StMoonRec& only = events.events[0];
        if (only.isRise) {
            labels.rise = MoonEventLines(only, azimuths[0]);
            labels.set[0] = QStringLiteral("No moonset this day");
        } else {
            labels.rise[0] = QStringLiteral("No moonrise this day");
            labels.set = MoonEventLines(only, azimuths[0]);
        }
    } else {
        // Only a date the engine cannot compute leaves the day without any event.
        labels.rise[0] = QStringLiteral("No moonrise this day");
        labels.set[0] = QStringLiteral("No moonset this day");
    }
    return labels;
}

SunLabelTexts SunLabels(const SunDayInput& sun) {
    SunLabelTexts labels;
    labels.up = sun.sunUp ? QStringLiteral("Sun is up") : QStringLiteral("Sun is set");
    labels.rise[0] = sun.riseLine;
    labels.set[0] = sun.setLine;
    // "Sun up all day" / "Sun down all day": no times, zones or day length to show. Decided
    // on the codes rather than on the line's wording, which a date pattern could imitate.
    if (sun.riseHours < 0 || sun.setHours < 0)
        return labels;
    labels.rise[1] = sun.riseZone;
    labels.set[1] = sun.setZone;
    labels.rise[2] = EventAzimuthText(QStringLiteral("Sun Rises at:  "), sun.riseAzimuth);
    labels.set[2] = EventAzimuthText(QStringLiteral("Sun Sets at:  "), sun.setAzimuth);
    // A set after midnight UT gives a negative length, which "hh:mm" reads as the
    // complement to a whole day: the true length.
    labels.dayHours = QStringLiteral("Day is ") +
                      ToQString(FormatDate("hh:mm", DayLength(sun.riseHours, sun.setHours))) +
                      QStringLiteral(" Hours Long");
    return labels;
}

DaylightGroupTexts DaylightSavingTexts(const TimeZoneState& state, const DateLocale& names) {
    DaylightGroupTexts group;
    if (!state.hasDaylightSaving || state.daylightStart == 0 || state.daylightEnd == 0)
        return group;
    group.shown = true;

    DaylightLine start;
    start.isStart = true;
    start.instant = state.daylightStart;
    start.startOf = QStringLiteral("Start of ") + ToQString(state.daylightName);
    start.hint = QStringLiteral("Go to Daylight Start");
    DaylightLine end;
    end.instant = state.daylightEnd;
    end.startOf = QStringLiteral("Start of ") + ToQString(state.standardName);
    end.hint = QStringLiteral("Go to Daylight End");
    // A southern zone ends daylight time early in the year and starts it late.
    group.lines = start.instant < end.instant ? std::array{start, end} : std::array{end, start};

    const QString shift = QLocale().toString(state.daylightShiftHours, 'g', 6);
    for (std::size_t i = 0; i < group.lines.size(); ++i) {
        DaylightLine& line = group.lines[i];
        const char* pattern = i == 0 ? "ddd mmm  d   hh:mm AM/PM" : "ddd mmm d   hh:mm AM/PM";
        line.text =
            ToQString(FormatDate(pattern, line.instant, names)) +
            (line.isStart ? QStringLiteral(" Clock Ahead ") : QStringLiteral(" Clock Back ")) +
            shift + QStringLiteral(" H");
    }
    return group;
}

QString HebrewDateText(DateTime day) {
    const HebrewDateResult hebrew = DateToHebrew(day);
    if (!hebrew.ok())
        return {};
    return ToQString(HebrewMonthName(hebrew.date.month)) + QLatin1Char(' ') +
           QString::number(hebrew.date.day) + QStringLiteral(", ") +
           QString::number(hebrew.date.year);
}

std::array<QString, 4> StatusBarTexts(DateTime day, const std::string& longDatePattern,
                                      const DateLocale& names) {
    return {ToQString(FormatDate(longDatePattern, day, names)),
            QStringLiteral("Day: ") + QString::number(DayOfYear(day)),
            QStringLiteral("Week: ") + QString::number(IsoWeekNumber(day)), HebrewDateText(day)};
}

MoonPageCaptions PageCaptions(DateTime day, const std::string& longDatePattern,
                              const DateLocale& names) {
    const QString longDate = ToQString(FormatDate(longDatePattern, day, names));
    const CivilDate date = DecodeDate(day);
    const QString year = QString::number(date.year);
    MoonPageCaptions captions;
    captions.moon = QStringLiteral(" Moon on ") + longDate + QLatin1Char(' ');
    captions.sun = QStringLiteral(" Sun on ") + longDate + QLatin1Char(' ');
    const QString month =
        date.month >= 1 && date.month <= 12
            ? QString::fromStdString(names.longMonthNames[static_cast<std::size_t>(date.month - 1)])
            : QString();
    captions.phases =
        QStringLiteral(" Moon Phases  ") + month + QLatin1Char(' ') + year + QLatin1Char(' ');
    captions.equinoxes = QLatin1Char(' ') + year + QStringLiteral("  Equinoxes and Solstices ");
    captions.daylight = QLatin1Char(' ') + year + QStringLiteral("  Daylight Savings Time ");
    captions.planets = QStringLiteral(" Planets on ") + longDate + QLatin1Char(' ');
    captions.meteors = QLatin1Char(' ') + year + QStringLiteral("  Meteor Showers ");
    captions.eclipses = QLatin1Char(' ') + year + QStringLiteral("  Eclipses ");
    return captions;
}

QString PhaseGoToHint(const StMoonRec& phase) {
    if (phase.empty())
        return {};
    std::string_view name;
    if (phase.phaseCode == kNewMoonCode)
        name = kNewMoonListName;
    else if (phase.phaseCode == kFirstQuarterCode)
        name = kFirstQuarterListName;
    else if (phase.phaseCode == kFullMoonCode)
        name = kFullMoonListName;
    else if (phase.phaseCode == kLastQuarterCode)
        name = kLastQuarterListName;
    else
        return {};
    return QStringLiteral("Go To ") + ToQString(name).trimmed();
}

int PhaseIconNumber(const StMoonRec& phase, bool southern) {
    if (phase.empty())
        return -1;
    int index = 0;
    if (phase.phaseCode == kFirstQuarterCode)
        index = 6;
    else if (phase.phaseCode == kFullMoonCode)
        index = 12;
    else if (phase.phaseCode == kLastQuarterCode)
        index = 18;
    return southern ? (24 - index) % 24 : index;
}

} // namespace skelvane

#include "infowin/eclipse_texts.h"

#include "astro/day_lists.h"
#include "widgets/menu_icons.h"
#include "widgets/widget_factories.h"

#include <cmath>
#include <cstdio>

namespace skelvane {

namespace {

QString Fixed(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return QString::fromLatin1(buffer);
}

QString KindName(const EclipseRecord& eclipse) {
    return ToQString(EclipseKindName(eclipse.kind));
}

// The detail heading writes the annular-total kind without the dash of the lists.
QString DetailKindName(const EclipseRecord& eclipse) {
    if (eclipse.kind == EclipseKind::SolarAnnularTotal)
        return QStringLiteral(" Solar Ann Total");
    return KindName(eclipse);
}

QString MagnitudeLine(const EclipseRecord& eclipse) {
    if (eclipse.magnitude == kMagnitudeNotComputed || !std::isfinite(eclipse.magnitude))
        return QStringLiteral("Mag: N/A");
    return QStringLiteral("Mag: ") + Fixed("%5.3f", eclipse.magnitude);
}

DateTimeText When(DateTime utc, const EclipseTextMode& mode) {
    return MyDateTimeString(mode.summaryDatePattern, mode.use24Hour, true, mode.localTime, utc,
                            mode.names);
}

// Caption, date and time, zone and an empty line.
void AppendContact(QStringList& lines, const char* caption, DateTime utc,
                   const EclipseTextMode& mode) {
    const DateTimeText when = When(utc, mode);
    lines << QLatin1String(caption) << QString::fromStdString(when.text)
          << QString::fromStdString(when.zoneName) << QString();
}

void AppendTrack(QStringList& lines, const EclipseRecord& eclipse, const EclipseTextMode& mode) {
    for (const EclipseTrackPoint& point : eclipse.track) {
        const DateTimeText when = When(point.instant, mode);
        // Minutes: the central phase lasts a few of them, which reads better than seconds.
        lines << QString::fromStdString(when.text) << QString::fromStdString(when.zoneName)
              << QStringLiteral(" Lat:     Lon:   Duration")
              << Fixed("%7.2f", point.latitude) + QStringLiteral("   ") +
                     Fixed("%6.2f", point.longitude) + QStringLiteral("   ") +
                     Fixed("%4.2f", point.durationSeconds / 60.0)
              << QString();
    }
}

} // namespace

EclipseRowTexts EclipseRow(const EclipseRecord& eclipse, const EclipseTextMode& mode) {
    const DateTimeText when = MyDateTimeString(mode.datePattern, mode.use24Hour, true,
                                               mode.localTime, ListedInstant(eclipse), mode.names);
    return {QString::fromStdString(when.text) + QLatin1Char(' ') + KindName(eclipse),
            QString::fromStdString(when.zoneName), EclipseMenuIcon(eclipse.kind)};
}

QString EclipseSummaryLine(const EclipseRecord& eclipse, const EclipseTextMode& mode) {
    const DateTimeText when = MyDateTimeString(mode.summaryDatePattern, true, true, mode.localTime,
                                               ListedInstant(eclipse), mode.names);
    return QString::fromStdString(when.text).left(8) + KindName(eclipse);
}

QStringList EclipseDetailBlock(const EclipseRecord& eclipse, const EclipseTextMode& mode) {
    QStringList lines;
    lines << QString::fromStdString(
                 FormatDate(mode.summaryDatePattern, ListedInstant(eclipse), mode.names)) +
                 DetailKindName(eclipse)
          << MagnitudeLine(eclipse);
    if (IsSolarEclipse(eclipse.kind)) {
        if (eclipse.hemisphere == kNorthernHemisphere)
            lines << QStringLiteral("Hemisphere: Northern");
        else if (eclipse.hemisphere == kSouthernHemisphere)
            lines << QStringLiteral("Hemisphere: Southern");
        lines << QString();
        AppendContact(lines, "Mid Eclipse:", eclipse.maximum, mode);
        AppendTrack(lines, eclipse, mode);
    } else {
        lines << QString();
        const struct {
            const char* caption;
            DateTime instant;
        } contacts[] = {
            {"Penumbral Starts:", eclipse.penumbralStart}, {"First Contact:", eclipse.partialStart},
            {"Second Contact:", eclipse.totalStart},       {"Mid Eclipse:", eclipse.maximum},
            {"Third Contact:", eclipse.totalEnd},          {"Fourth Contact:", eclipse.partialEnd},
            {"Penumbral Ends:", eclipse.penumbralEnd},
        };
        // Every contact that occurs is shown, also one that falls in the neighbouring year
        // around New Year: no other year's block would show it.
        for (const auto& contact : contacts) {
            if (contact.instant != 0)
                AppendContact(lines, contact.caption, contact.instant, mode);
        }
    }
    lines << QLatin1String(kEclipseMemoRule) << QString();
    return lines;
}

QStringList EclipseMemoLines(std::span<const EclipseRecord> eclipses, const EclipseTextMode& mode) {
    if (eclipses.size() > static_cast<std::size_t>(kEclipseRowCount))
        eclipses = eclipses.first(static_cast<std::size_t>(kEclipseRowCount));
    QStringList lines;
    lines << QString() << QLatin1String(kEclipseMemoRule) << QStringLiteral("Eclipse Summary:")
          << QString();
    for (const EclipseRecord& eclipse : eclipses)
        lines << EclipseSummaryLine(eclipse, mode);
    lines << QString() << QLatin1String(kEclipseMemoRule) << QString();
    for (const EclipseRecord& eclipse : eclipses)
        lines << EclipseDetailBlock(eclipse, mode);
    return lines;
}

} // namespace skelvane

#include "infowin/time_page_texts.h"

#include "astro/sun.h"

#include <QDate>
#include <QTime>
#include <cmath>

namespace skelvane {

namespace {

constexpr qsizetype kMaxServerLength = 128;

QString Fixed(double value, int decimals, QChar decimalSeparator) {
    QString text = QString::number(value, 'f', decimals);
    if (decimalSeparator != u'.')
        text.replace(u'.', decimalSeparator);
    return text;
}

} // namespace

QString ClockPanelText(DateTime value, const std::string& timeFormat, const std::string& longDate,
                       const DateLocale& names) {
    return QStringLiteral(" ") + QString::fromStdString(FormatDate(timeFormat, value, names)) +
           QString::fromStdString(FormatDate(longDate, value, names));
}

QString SiderealPanelText(DateTime utc, double longitude) {
    const double greenwich = SiderealDegrees(AstroTimeFromDateTime(utc));
    if (greenwich < 0 || !std::isfinite(longitude))
        return QStringLiteral(" ");
    double day = (greenwich + longitude) / 15.0 / 24.0;
    day -= std::floor(day); // beyond a day wraps; negative counts back from midnight
    return QStringLiteral(" ") + QString::fromStdString(FormatDate("hh:nn:ss", day));
}

QString JulianDatePanelText(DateTime utc, QChar decimalSeparator) {
    if (!std::isfinite(utc))
        return QStringLiteral(" ");
    return QStringLiteral(" ") + Fixed(ToJulianDate(utc), 5, decimalSeparator);
}

QString TimeAdjustText(bool clockSet, double offsetDays, QChar decimalSeparator) {
    double seconds = std::round(offsetDays * 86400.0 * 1000.0) / 1000.0;
    if (seconds == 0 || !std::isfinite(seconds))
        seconds = 0; // no "-0.000"
    return QString::fromLatin1(clockSet ? "PC Clock Adjusted:  " : "Time Difference:  ") +
           Fixed(seconds, 3, decimalSeparator) + QStringLiteral(" Seconds");
}

QString LocaleDateTimeText(const QLocale& locale, DateTime value) {
    const CivilDate date = DecodeDate(value);
    if (date.year == 0)
        return {};
    const TimeOfDay time = DecodeTime(value);
    // The long time format may end in the zone's name ("t"), which a bare clock time lacks.
    QString timeFormat;
    bool quoted = false;
    for (const QChar c : locale.timeFormat(QLocale::LongFormat)) {
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c != u't')
            timeFormat += c;
    }
    return locale.toString(QDate(date.year, date.month, date.day), QLocale::ShortFormat) + u' ' +
           locale.toString(QTime(time.hour, time.minute, time.second), timeFormat.trimmed());
}

QString TimeServerSetting(const QString& boxText) {
    return boxText.trimmed().left(kMaxServerLength);
}

} // namespace skelvane

#include "platform/locale_formats.h"

#include <QLocale>
#include <QString>

namespace skelvane {

std::string DatePatternFromQt(const QString& qtPattern) {
    QString out;
    QString pendingLiteral;
    auto flushLiteral = [&] {
        if (pendingLiteral.isEmpty())
            return;
        out += QLatin1Char('"') + pendingLiteral + QLatin1Char('"');
        pendingLiteral.clear();
    };
    for (qsizetype i = 0; i < qtPattern.size(); ++i) {
        const QChar c = qtPattern.at(i);
        if (c == QLatin1Char('\'')) {
            // Qt's quoted text; '' inside or alone stands for one quote.
            qsizetype end = i + 1;
            QString text;
            while (end < qtPattern.size()) {
                if (qtPattern.at(end) == QLatin1Char('\'')) {
                    if (end + 1 < qtPattern.size() && qtPattern.at(end + 1) == QLatin1Char('\'')) {
                        text += QLatin1Char('\'');
                        end += 2;
                        continue;
                    }
                    break;
                }
                text += qtPattern.at(end++);
            }
            if (end == i + 1 && end < qtPattern.size())
                text = QStringLiteral("'"); // '' outside quotes
            pendingLiteral += text;
            i = end;
            continue;
        }
        if (c == QLatin1Char('M') || c == QLatin1Char('d') || c == QLatin1Char('y')) {
            flushLiteral();
            out += c == QLatin1Char('M') ? QChar(QLatin1Char('m')) : c;
        } else if (c.isLetter()) {
            pendingLiteral += c;
        } else {
            flushLiteral();
            out += c;
        }
    }
    flushLiteral();
    return out.toStdString();
}

LocaleDateFormats MakeLocaleDateFormats(const std::string& longDate, const std::string& shortDate) {
    LocaleDateFormats formats;
    formats.longDate = longDate;
    const QString upper = QString::fromStdString(shortDate).toUpper();
    if (upper == QLatin1String("M/D/YYYY"))
        formats.shortDate = "mm/dd/yyyy";
    else if (upper == QLatin1String("D/M/YYYY"))
        formats.shortDate = "dd/mm/yyyy";
    else
        formats.shortDate = shortDate;
    formats.shortDateShortYear =
        QString::fromStdString(formats.shortDate)
            .replace(QLatin1String("yyyy"), QLatin1String("yy"), Qt::CaseInsensitive)
            .toStdString();
    return formats;
}

LocaleDateFormats LocaleDateFormatsFrom(const QLocale& locale) {
    return MakeLocaleDateFormats(DatePatternFromQt(locale.dateFormat(QLocale::LongFormat)),
                                 DatePatternFromQt(locale.dateFormat(QLocale::ShortFormat)));
}

DateLocale DateLocaleFrom(const QLocale& locale) {
    DateLocale names;
    for (int month = 1; month <= 12; ++month) {
        names.shortMonthNames[month - 1] =
            locale.monthName(month, QLocale::ShortFormat).toStdString();
        names.longMonthNames[month - 1] =
            locale.monthName(month, QLocale::LongFormat).toStdString();
    }
    for (int day = 1; day <= 7; ++day) { // Qt counts Monday = 1
        names.shortDayNames[day - 1] = locale.dayName(day, QLocale::ShortFormat).toStdString();
        names.longDayNames[day - 1] = locale.dayName(day, QLocale::LongFormat).toStdString();
    }
    return names;
}

int FirstDayOfWeekIndex(const QLocale& locale) {
    return static_cast<int>(locale.firstDayOfWeek()) - 1;
}

} // namespace skelvane

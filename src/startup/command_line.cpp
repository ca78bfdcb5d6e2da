#include "startup/command_line.h"

#include <QDateTime>

namespace skelvane {

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine result;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (i == 0 && argument.compare(QLatin1String("/C"), Qt::CaseInsensitive) == 0) {
            result.defaultsOnly = true;
        } else if (argument == QLatin1String("--timing")) {
            result.timing = true;
        } else if (argument == QLatin1String("--show-weather-text")) {
            result.showWeatherText = true;
        } else if (argument == QLatin1String("--settings-dir") ||
                   argument == QLatin1String("--screenshot")) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty()) {
                result.error = argument + QStringLiteral(" needs a folder");
                return result;
            }
            QString& target = argument == QLatin1String("--settings-dir") ? result.settingsFolder
                                                                          : result.screenshotFolder;
            target = arguments.at(++i);
        } else if (argument == QLatin1String("--date") || argument == QLatin1String("--page")) {
            const QString value = i + 1 < arguments.size() ? arguments.at(++i) : QString();
            if (argument == QLatin1String("--page")) {
                bool ok = false;
                result.page = value.toInt(&ok);
                if (!ok || result.page < 0 || result.page > 12) {
                    result.error = QStringLiteral("--page needs a page number from 0 to 12");
                    return result;
                }
                continue;
            }
            const QStringList parts = value.split(QLatin1Char('T'));
            const QDate date = QDate::fromString(parts.first(), QStringLiteral("yyyy-MM-dd"));
            QTime time;
            if (parts.size() == 2) {
                time = QTime::fromString(parts.last(), QStringLiteral("HH:mm:ss"));
                if (!time.isValid())
                    time = QTime::fromString(parts.last(), QStringLiteral("HH:mm"));
            }
            if (!date.isValid() || date.year() < 1601 || date.year() > 3428 || parts.size() > 2 ||
                (parts.size() == 2 && !time.isValid())) {
                result.error = QStringLiteral("--date needs a date YYYY-MM-DD between 1601 and "
                                              "3428, optionally with a time THH:MM[:SS]");
                return result;
            }
            result.year = date.year();
            result.month = date.month();
            result.day = date.day();
            result.hasTime = parts.size() == 2;
            if (result.hasTime) {
                result.hour = time.hour();
                result.minute = time.minute();
                result.second = time.second();
            }
        }
        // Anything else is ignored, as the program always did with unknown arguments.
    }
    return result;
}

} // namespace skelvane

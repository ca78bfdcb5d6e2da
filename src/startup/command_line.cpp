#include "startup/command_line.h"

namespace skelvane {

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine result;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (i == 0 && argument.compare(QLatin1String("/C"), Qt::CaseInsensitive) == 0) {
            result.defaultsOnly = true;
        } else if (argument == QLatin1String("--settings-dir") ||
                   argument == QLatin1String("--screenshot")) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty()) {
                result.error = argument + QStringLiteral(" needs a folder");
                return result;
            }
            QString& target = argument == QLatin1String("--settings-dir") ? result.settingsFolder
                                                                          : result.screenshotFolder;
            target = arguments.at(++i);
        }
        // Anything else is ignored, as the program always did with unknown arguments.
    }
    return result;
}

} // namespace skelvane

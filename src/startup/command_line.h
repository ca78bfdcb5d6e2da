#pragma once

#include <QString>
#include <QStringList>

namespace skelvane {

struct CommandLine {
    bool defaultsOnly = false; // first argument "/C" in any case: the store is left alone
    QString settingsFolder;    // --settings-dir: where the settings store lives
    QString screenshotFolder;  // --screenshot: save a PNG of every shown window and exit
    QString error;             // non-empty when the arguments could not be understood
};

// Reads the program's arguments (without the program name).
CommandLine ParseCommandLine(const QStringList& arguments);

} // namespace skelvane

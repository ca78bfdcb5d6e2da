#pragma once

#include <QString>
#include <QStringList>

namespace skelvane {

struct CommandLine {
    bool defaultsOnly = false;        // first argument "/C" in any case: the store is left alone
    QString settingsFolder;           // --settings-dir: where the settings store lives
    QString screenshotFolder;         // --screenshot: save a PNG of every shown window and exit
    int year = 0, month = 0, day = 0; // --date YYYY-MM-DD: run as if today were that day
    // --date YYYY-MM-DDTHH:MM[:SS]: the clock's local time too; it runs on from there.
    bool hasTime = false;
    int hour = 0, minute = 0, second = 0;
    bool timing = false;          // --timing: start-up milliseconds on stderr
    bool showWeatherText = false; // --show-weather-text: the weather text window opens at start
    int page = -1;                // --page N: the information window opens on page N (0..12)
    QString error;                // non-empty when the arguments could not be understood
};

// Reads the program's arguments (without the program name).
CommandLine ParseCommandLine(const QStringList& arguments);

} // namespace skelvane

#pragma once

#include <QString>

namespace skelvane {

// Adds or removes the entry that starts the running program when the user logs on.
// On: true when the entry was written. Off: true when an entry was removed.
// Failure is reported only through the result; nothing is changed then.
bool SetRunWhenWindowsStarts(bool on);

// The desktop-entry form used on Linux, with the program path and the autostart folder
// given, so that it can be exercised without touching the user's session. The entry is
// `skelvane.desktop` in `autostartFolder`.
bool SetRunWhenWindowsStarts(bool on, const QString& executablePath,
                             const QString& autostartFolder);

// The Exec value that runs `executablePath` with no arguments, quoted and escaped so that
// spaces, quotes, '$', '`', '\' and '%' in the path reach the program unchanged.
QString DesktopEntryExec(const QString& executablePath);

} // namespace skelvane

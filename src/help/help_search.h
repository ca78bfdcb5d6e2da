#pragma once

#include <QString>
#include <QStringList>

namespace skelvane {

// The full help file looked for beside the program.
inline constexpr const char* kHelpFileName = "Skelvane.chm";

// Folders searched for the help file after the two direct tries: the program's folder, then
// the current one. This desktop has no system or main Windows folders to add.
QStringList HelpSearchPath(const QString& programDir, const QString& currentDir);

// The help file's absolute path, or empty when there is none: `fileName` in `currentDir`,
// then in `programDir`, then in each folder of `searchPath` in order. Only regular files
// count; empty folder names are skipped.
QString FindHelpFile(const QString& currentDir, const QString& programDir,
                     const QStringList& searchPath,
                     const QString& fileName = QLatin1String(kHelpFileName));

// The same with the usual search path.
QString FindHelpFile(const QString& currentDir, const QString& programDir);

} // namespace skelvane

#include "help/help_search.h"

#include <QDir>
#include <QFileInfo>

namespace skelvane {

namespace {

QString ExistingFileIn(const QString& folder, const QString& fileName) {
    if (folder.isEmpty())
        return {};
    const QFileInfo file(QDir(folder), fileName);
    return file.isFile() ? QDir::cleanPath(file.absoluteFilePath()) : QString();
}

} // namespace

QStringList HelpSearchPath(const QString& programDir, const QString& currentDir) {
    return {programDir, currentDir};
}

QString FindHelpFile(const QString& currentDir, const QString& programDir,
                     const QStringList& searchPath, const QString& fileName) {
    if (fileName.isEmpty())
        return {};
    for (const QString& folder : QStringList{currentDir, programDir} + searchPath) {
        QString path = ExistingFileIn(folder, fileName);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

QString FindHelpFile(const QString& currentDir, const QString& programDir) {
    return FindHelpFile(currentDir, programDir, HelpSearchPath(programDir, currentDir));
}

} // namespace skelvane

#include "platform/autostart.h"

#include "platform/private_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <QSettings>
#endif

namespace skelvane {

namespace {

const QString kEntryFile = QStringLiteral("skelvane.desktop");

} // namespace

QString DesktopEntryExec(const QString& executablePath) {
    // Two layers of escaping apply to an Exec value. The argument is quoted, with '"', '`',
    // '$' and '\' escaped by a backslash; '%' starts a field code, so a literal one is
    // doubled. The result is then a string value, whose own escapes are undone first, so
    // each backslash is doubled again and control characters take their escape form.
    QString quoted = QStringLiteral("\"");
    for (const QChar c : executablePath) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    quoted += u'"';

    QString value;
    for (const QChar c : quoted) {
        if (c == u'\\')
            value += QStringLiteral("\\\\");
        else if (c == u'\n')
            value += QStringLiteral("\\n");
        else if (c == u'\t')
            value += QStringLiteral("\\t");
        else if (c == u'\r')
            value += QStringLiteral("\\r");
        else
            value += c;
    }
    return value;
}

bool SetRunWhenWindowsStarts(bool on, const QString& executablePath,
                             const QString& autostartFolder) {
    const QString path = autostartFolder + u'/' + kEntryFile;
    if (!on)
        return QFile::exists(path) && QFile::remove(path);

    // Folders made here (the autostart folder, and the config folder when even that is
    // missing) are the user's own, as the desktop's base directories are meant to be.
    if (executablePath.isEmpty() || !MakePrivateFolder(autostartFolder))
        return false;
    QSaveFile file(path); // replaces the old entry only once the new one is complete
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Skelvane\n"
                                         "Terminal=false\n"
                                         "Exec=") +
                          DesktopEntryExec(executablePath) + u'\n';
    file.write(entry.toUtf8());
    return file.commit();
}

bool SetRunWhenWindowsStarts(bool on) {
    const QString executable = QCoreApplication::applicationFilePath();
#ifdef Q_OS_WIN
    QSettings run(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
        QSettings::NativeFormat);
    const QString name = QStringLiteral("Skelvane");
    bool changed = false;
    if (on) {
        // Quoted so that a path with spaces cannot be taken for a shorter program path.
        run.setValue(name, u'"' + QDir::toNativeSeparators(executable) + u'"');
        changed = true;
    } else if (run.contains(name)) {
        run.remove(name);
        changed = true;
    }
    run.sync();
    return changed && run.status() == QSettings::NoError;
#else
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QStringLiteral("/autostart");
    return SetRunWhenWindowsStarts(on, executable, folder);
#endif
}

} // namespace skelvane

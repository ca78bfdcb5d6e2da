#include "infowin/movie_player_loader.h"

#include "infowin/movie_player.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

namespace skelvane {

namespace {

MoviePlayerFactory* loadedFactory = nullptr;

} // namespace

QString MoviePlayerPluginFileName() {
#if defined(Q_OS_WIN)
    return QStringLiteral("skelvane_media_player.dll");
#else
    return QStringLiteral("libskelvane_media_player.so");
#endif
}

QStringList MoviePlayerPluginFolders(const QString& programFolder) {
    const QDir program(programFolder);
    return {QDir::cleanPath(program.absolutePath()),
            QDir::cleanPath(program.absoluteFilePath(QStringLiteral("plugins"))),
            QDir::cleanPath(program.absoluteFilePath(QStringLiteral("../lib/skelvane/plugins")))};
}

QStringList MoviePlayerPluginFolders() {
    QStringList folders;
    const QString override = qEnvironmentVariable("SKELVANE_PLUGIN_DIR");
    if (!override.isEmpty())
        folders << override;
    return folders + MoviePlayerPluginFolders(QCoreApplication::applicationDirPath());
}

MoviePlayerFactory* LoadMoviePlayerFactory(const QStringList& folders, QString* error) {
    if (loadedFactory)
        return loadedFactory;
    QString why =
        QStringLiteral("the movie player plugin %1 was not found").arg(MoviePlayerPluginFileName());
    for (const QString& folder : folders) {
        const QString path = QDir(folder).absoluteFilePath(MoviePlayerPluginFileName());
        if (!QFileInfo(path).isFile())
            continue;
        // The loader object may go: the plugin stays loaded until the process ends.
        QPluginLoader loader(path);
        QObject* instance = loader.instance();
        auto* factory = qobject_cast<MoviePlayerFactory*>(instance);
        if (factory) {
            loadedFactory = factory;
            return factory;
        }
        why = instance ? QStringLiteral("%1 is not a movie player plugin").arg(path)
                       : loader.errorString();
        break;
    }
    if (error)
        *error = why;
    return nullptr;
}

bool MoviePlayerPluginLoaded() {
    return loadedFactory != nullptr;
}

} // namespace skelvane

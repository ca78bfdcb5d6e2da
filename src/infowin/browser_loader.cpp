#include "infowin/browser_loader.h"

#include "infowin/browser_view.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QOpenGLContext>
#include <QPluginLoader>
#include <QSurfaceFormat>
#include <unistd.h>

// Qt's application-wide OpenGL context that other contexts share with (exported by Qt GUI;
// Qt::AA_ShareOpenGLContexts makes it when the application starts).
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace skelvane {

QStringList BrowserPluginFolders() {
    QStringList folders;
    const QString override = qEnvironmentVariable("SKELVANE_PLUGIN_DIR");
    if (!override.isEmpty())
        folders << override;
    const QString program = QCoreApplication::applicationDirPath();
    folders << program << program + QStringLiteral("/plugins")
            << QDir::cleanPath(program + QStringLiteral("/../lib/skelvane/plugins"));
    return folders;
}

namespace {

// Qt WebEngine draws through OpenGL contexts shared with the application's. Asking for that
// with Qt::AA_ShareOpenGLContexts before the application starts would load the OpenGL
// driver (some 70 MB with a software renderer) into every run of the clock; the shared
// context is therefore made here, before the engine first loads, just as the application
// would have made it. A context that cannot be created is still set, as the application
// does: the engine then draws without OpenGL.
void ProvideSharedOpenGLContext() {
    if (qt_gl_global_share_context())
        return;
    auto* context = new QOpenGLContext; // lives until exit, like the application's
    context->setFormat(QSurfaceFormat::defaultFormat());
    context->create();
    qt_gl_set_global_share_context(context);
}

BrowserPlugin Load() {
    QString path;
    for (const QString& folder : BrowserPluginFolders()) {
        const QFileInfo candidate(QDir(folder), QString::fromLatin1(kBrowserPluginFileName));
        if (candidate.isFile()) {
            path = candidate.absoluteFilePath();
            break;
        }
    }
    if (path.isEmpty())
        return {nullptr, QStringLiteral("The built-in browser is not installed (%1 not found).")
                             .arg(QString::fromLatin1(kBrowserPluginFileName))};
    // The engine's sandbox cannot run as root and the engine then refuses to start; the
    // switch is read once, when the engine starts, so it is set before the library loads.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    ProvideSharedOpenGLContext();
    // Kept for the rest of the run on purpose: the engine cannot be unloaded from a running
    // process. Held by a static, so leak checkers see it is still in use.
    static QPluginLoader* loader = nullptr;
    loader = new QPluginLoader(path);
    QObject* root = loader->instance();
    if (!root) {
        const QString error = loader->errorString().simplified();
        delete loader;
        loader = nullptr;
        return {nullptr, QStringLiteral("The built-in browser could not start: %1").arg(error)};
    }
    auto* factory = qobject_cast<BrowserViewFactory*>(root);
    if (!factory)
        return {nullptr, QStringLiteral("The built-in browser could not start: %1 is not the "
                                        "browser plugin.")
                             .arg(path)};
    return {factory, {}};
}

} // namespace

BrowserPlugin LoadBrowserPlugin() {
    static const BrowserPlugin plugin = Load();
    return plugin;
}

} // namespace skelvane

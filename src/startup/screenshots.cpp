#include "startup/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

namespace skelvane {

QStringList SaveWindowScreenshots(const QString& folder) {
    QStringList written;
    if (!QDir().mkpath(folder))
        return written;
    const QDir dir(folder);
    int unnamed = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        QString name = window->objectName().toLower();
        if (name.isEmpty())
            name = QStringLiteral("window%1").arg(++unnamed);
        const QString path = dir.absoluteFilePath(QStringLiteral("skelvane-%1.png").arg(name));
        if (window->grab().save(path, "PNG"))
            written << path;
    }
    return written;
}

} // namespace skelvane

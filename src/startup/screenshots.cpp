#include "startup/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QPainter>
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

QString SaveTrayScreenshot(const QString& folder, const QIcon& icon) {
    if (icon.isNull() || !QDir().mkpath(folder))
        return {};
    const QString path = QDir(folder).absoluteFilePath(QStringLiteral("skelvane-tray.png"));
    // On a dark panel, as a notification area shows it: a transparent temperature picture
    // would vanish on a white page.
    QPixmap shot(64, 64);
    shot.fill(QColor(48, 48, 48));
    QPainter painter(&shot);
    painter.drawPixmap(0, 0, icon.pixmap(16, 16).scaled(64, 64));
    painter.end();
    return shot.save(path, "PNG") ? path : QString();
}

} // namespace skelvane

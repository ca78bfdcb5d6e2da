#pragma once

#include <QStringList>

class QIcon;

namespace skelvane {

// Saves a PNG of every visible top-level window into folder (created when missing) as
// skelvane-<window>.png and returns the paths written.
QStringList SaveWindowScreenshots(const QString& folder);

// Saves `icon` (the notification-area icon, which no window picture holds) as
// skelvane-tray.png at 64 × 64 pixels into folder and returns the path, or an empty text.
QString SaveTrayScreenshot(const QString& folder, const QIcon& icon);

} // namespace skelvane

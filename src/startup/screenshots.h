#pragma once

#include <QStringList>

namespace skelvane {

// Saves a PNG of every visible top-level window into folder (created when missing) as
// skelvane-<window>.png and returns the paths written.
QStringList SaveWindowScreenshots(const QString& folder);

} // namespace skelvane

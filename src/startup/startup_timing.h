#pragma once

class QWidget;
class QTimer;

namespace skelvane {

// Milliseconds since the process was created (read from the kernel, so the loading of the
// libraries before main counts too), or since the first call where that is unknown.
double MillisecondsSinceProcessStart();

// --timing: prints to stderr, once each, the milliseconds from process start to the first
// painted frame of `window` and to the end of the first tick of `tickTimer` (whose own
// handler must already be connected, so this one runs after it).
void ReportStartupTiming(QWidget& window, QTimer& tickTimer);

} // namespace skelvane

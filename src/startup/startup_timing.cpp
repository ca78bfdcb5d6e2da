#include "startup/startup_timing.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <time.h>
#include <unistd.h>

namespace skelvane {

namespace {

double BootClockMs() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Field 22 of /proc/self/stat: when the process started, in clock ticks since boot.
double ProcessStartBootMs() {
    std::ifstream file("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::size_t close = text.rfind(')'); // the command name may hold blanks
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    for (int number = 3; number <= 22 && fields >> field; ++number)
        if (number == 22)
            return std::stod(field) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
    return -1;
}

// Records the first paint of the window, once the paint has been done.
class FirstPaintWatch : public QObject {
public:
    explicit FirstPaintWatch(QWidget& window) : QObject(&window) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                std::fprintf(stderr, "skelvane: first paint of the clock window %.0f ms\n",
                             MillisecondsSinceProcessStart());
                deleteLater();
            });
        }
        return false;
    }
};

} // namespace

double MillisecondsSinceProcessStart() {
    static const double startBootMs = [] {
        const double start = ProcessStartBootMs();
        return start >= 0 ? start : BootClockMs();
    }();
    return BootClockMs() - startBootMs;
}

void ReportStartupTiming(QWidget& window, QTimer& tickTimer) {
    new FirstPaintWatch(window);
    QObject::connect(
        &tickTimer, &QTimer::timeout, &window,
        [] {
            std::fprintf(stderr, "skelvane: end of the first tick %.0f ms\n",
                         MillisecondsSinceProcessStart());
        },
        Qt::SingleShotConnection);
}

} // namespace skelvane

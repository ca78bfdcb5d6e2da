#pragma once

#include <QString>
#include <cstdint>

namespace skelvane {

struct ClockSetResult {
    bool ok = false;
    QString reason; // why the clock was not set, in one line; empty when it was
};

// Sets the computer's clock. A refusal (no privilege, the desktop's automatic time
// synchronisation being on, no way to ask) is a result, never an exception.
class ClockSetter {
public:
    virtual ~ClockSetter() = default;
    // Sets the clock to `utcUnixMs`, milliseconds since 1970-01-01 00:00 UTC.
    virtual ClockSetResult setUtc(std::int64_t utcUnixMs) = 0;
};

// The computer's own clock. It asks the desktop's time-date service over the system D-Bus
// (org.freedesktop.timedate1 SetTime, allowing the desktop to ask the user for a password,
// as its own date settings do); only when that service is not there does it call
// clock_settime, which needs root or CAP_SYS_TIME. setUtc may block while a password dialog
// is open (up to two minutes), so a caller on the user-interface thread runs it inside
// RunKeepingEventsRunning. The service makes up for the time the dialog stayed open.
class SystemClockSetter final : public ClockSetter {
public:
    ClockSetResult setUtc(std::int64_t utcUnixMs) override;
};

// Whether a D-Bus error name means the time-date service is not there to ask, as opposed to
// a refusal by the service.
bool IsTimeServiceMissing(const QString& errorName);

// The one-line reason for the service's refusal: the first line of its message (such as
// "Automatic time synchronization is enabled"), else the error name.
QString DescribeTimeServiceRefusal(const QString& errorName, const QString& message);

} // namespace skelvane

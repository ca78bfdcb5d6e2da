#pragma once

#include "astro/datetime.h"

class QDateTime;

namespace skelvane {

// The one source of "now". Windows and the tick ask it instead of the system, so tests
// can run the tick across a minute change, midnight or the start delay without waiting.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime nowUtc() const = 0;
    // Local clock time as the computer shows it.
    virtual DateTime nowLocal() const = 0;
};

// The computer's clock and its own time-zone rules.
class SystemClock final : public Clock {
public:
    DateTime nowUtc() const override;
    DateTime nowLocal() const override;
};

// Another clock moved by a fixed number of days: the program started with a date of the
// user's choice (for screenshots of a given day) runs through that day's hours.
class ShiftedClock final : public Clock {
public:
    ShiftedClock(const Clock& base, double days) : base_(base), days_(days) {}
    DateTime nowUtc() const override { return base_.nowUtc() + days_; }
    DateTime nowLocal() const override { return base_.nowLocal() + days_; }

private:
    const Clock& base_;
    double days_;
};

// A date-time value from the calendar fields of a QDateTime (read as they stand, in whatever zone
// it holds).
DateTime DateTimeFromQt(const QDateTime& dateTime);

} // namespace skelvane

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

// Another clock moved by fixed amounts: the program started with a date (and time) of the
// user's choice, for screenshots of a given day, runs on from there. UTC and local time
// move by amounts of their own so that both agree with the zone's rule at the chosen
// instant, also when its offset differs from today's.
class ShiftedClock final : public Clock {
public:
    ShiftedClock(const Clock& base, double utcDays, double localDays)
        : base_(base), utcDays_(utcDays), localDays_(localDays) {}
    // Starts the clock at `local`, the offset taken from the zone at that instant.
    static ShiftedClock StartingAt(const Clock& base, DateTime local);
    DateTime nowUtc() const override { return base_.nowUtc() + utcDays_; }
    DateTime nowLocal() const override { return base_.nowLocal() + localDays_; }

private:
    const Clock& base_;
    double utcDays_;
    double localDays_;
};

// A date-time value from the calendar fields of a QDateTime (read as they stand, in whatever zone
// it holds).
DateTime DateTimeFromQt(const QDateTime& dateTime);

} // namespace skelvane

#pragma once

#include "astro/datetime.h"
#include "platform/clock.h"

namespace skelvane::test {

// A clock the test moves by hand. Local time is UTC plus a fixed offset.
class FakeClock final : public Clock {
public:
    explicit FakeClock(DateTime local, double offsetHours = 0)
        : startUtc_(local - offsetHours / 24), offsetHours_(offsetHours) {}
    DateTime nowUtc() const override { return startUtc_ + elapsedMs_ / 86400000.0; }
    DateTime nowLocal() const override { return nowUtc() + offsetHours_ / 24; }
    void setLocal(DateTime local) {
        startUtc_ = local - offsetHours_ / 24;
        elapsedMs_ = 0;
    }
    // Whole milliseconds are counted exactly, so long runs do not drift.
    void advanceSeconds(double seconds) { elapsedMs_ += static_cast<long long>(seconds * 1000); }

private:
    DateTime startUtc_;
    long long elapsedMs_ = 0;
    double offsetHours_;
};

} // namespace skelvane::test

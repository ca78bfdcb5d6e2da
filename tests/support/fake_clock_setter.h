#pragma once

#include "platform/clock_setter.h"

#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

namespace skelvane::test {

// A clock setter that records every instant it is asked to set and sets nothing. Told to
// refuse, it answers with that reason, as the real one does when it is not permitted.
class FakeClockSetter final : public ClockSetter {
public:
    ClockSetResult setUtc(std::int64_t utcUnixMs) override {
        requests_.push_back(utcUnixMs);
        if (!refusal_.isEmpty())
            return {false, refusal_};
        return {true, {}};
    }
    // An empty reason accepts again.
    void refuseWith(QString reason) { refusal_ = std::move(reason); }
    // Every instant asked for, in UTC Unix milliseconds, refused ones included.
    const std::vector<std::int64_t>& requests() const { return requests_; }

private:
    std::vector<std::int64_t> requests_;
    QString refusal_;
};

} // namespace skelvane::test

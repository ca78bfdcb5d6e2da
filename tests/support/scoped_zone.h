#pragma once

#include "astro/holidays.h"
#include "astro/posix_tz.h"
#include "astro/timezone.h"

#include <gtest/gtest.h>
#include <optional>

namespace skelvane::test {

// Installs a POSIX zone rule ("EST5EDT,M3.2.0,M11.1.0") as the computer's zone for the
// lifetime of the object, and no zone (UTC) afterwards. The holiday table is rebuilt on
// both sides, since its clock-change rows belong to the zone it was built in.
class ScopedZone {
public:
    explicit ScopedZone(const char* rule) {
        const std::optional<TimeZoneRecord> record = ParsePosixTzRule(rule);
        EXPECT_TRUE(record.has_value()) << "unreadable zone rule " << rule;
        SetTimeZoneRecordSource([record] { return record; });
        InvalidateHolidayTable();
    }
    // A record built by hand (a bias without transitions, or no zone at all: UTC).
    explicit ScopedZone(const TimeZoneRecord& record) {
        SetTimeZoneRecordSource([record] { return std::optional<TimeZoneRecord>(record); });
        InvalidateHolidayTable();
    }
    ~ScopedZone() {
        SetTimeZoneRecordSource(nullptr);
        InvalidateHolidayTable();
    }
    ScopedZone(const ScopedZone&) = delete;
    ScopedZone& operator=(const ScopedZone&) = delete;
};

} // namespace skelvane::test

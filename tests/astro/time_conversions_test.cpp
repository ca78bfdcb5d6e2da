#include "astro/time_conversions.h"

#include "astro/timezone.h"
#include "support/scoped_zone.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

constexpr double kOneMinute = 1.0 / 1440;
constexpr double kTolerance = 1e-6; // days, about 0.1 s

DateTime At(int y, int mo, int d, int h, int mi) {
    return SafeEncodeDateTime(y, mo, d, h, mi, 0, 0);
}

struct ConversionCase {
    const char* name;
    DateTime local;
    DateTime utc;
};

void ExpectConversions(const ConversionCase& row) {
    EXPECT_NEAR(LocalToUtc(row.local), row.utc, kTolerance)
        << row.name << ": local to UTC off by " << (LocalToUtc(row.local) - row.utc) / kOneMinute
        << " min";
    EXPECT_NEAR(UtcToLocal(row.utc), row.local, kTolerance)
        << row.name << ": UTC to local off by " << (UtcToLocal(row.utc) - row.local) / kOneMinute
        << " min";
}

// New York in 2024: clocks forward on 10 March at 02:00 EST (07:00 UTC), back on
// 3 November at 02:00 EDT (06:00 UTC).
TEST(TimeConversions, AroundNewYorkClockChanges) {
    test::ScopedZone zone("EST5EDT,M3.2.0,M11.1.0");
    const ConversionCase rows[] = {
        {"hour before spring change", At(2024, 3, 10, 1, 0), At(2024, 3, 10, 6, 0)},
        {"last minute of EST", At(2024, 3, 10, 1, 59), At(2024, 3, 10, 6, 59)},
        {"first minute of EDT", At(2024, 3, 10, 3, 0), At(2024, 3, 10, 7, 0)},
        {"hour after spring change", At(2024, 3, 10, 4, 0), At(2024, 3, 10, 8, 0)},
        {"hour before autumn change", At(2024, 11, 3, 0, 30), At(2024, 11, 3, 4, 30)},
        {"last hour of EDT", At(2024, 11, 3, 1, 30), At(2024, 11, 3, 5, 30)},
        {"first hour past the repeat", At(2024, 11, 3, 2, 0), At(2024, 11, 3, 7, 0)},
        {"hour after autumn change", At(2024, 11, 3, 3, 0), At(2024, 11, 3, 8, 0)},
        {"mid-winter", At(2024, 1, 15, 12, 0), At(2024, 1, 15, 17, 0)},
        {"mid-summer", At(2024, 7, 15, 12, 0), At(2024, 7, 15, 16, 0)},
    };
    for (const ConversionCase& row : rows)
        ExpectConversions(row);

    // The skipped hour reads on the clock before the change: 02:30 EST is 03:30 EDT.
    EXPECT_NEAR(LocalToUtc(At(2024, 3, 10, 2, 30)), At(2024, 3, 10, 7, 30), kTolerance);
    // The repeated hour reads as its first (daylight) occurrence.
    EXPECT_NEAR(LocalToUtc(At(2024, 11, 3, 1, 30)), At(2024, 11, 3, 5, 30), kTolerance);
    // The second 01:30 exists only as a UTC instant; it shows as 01:30 again.
    EXPECT_NEAR(UtcToLocal(At(2024, 11, 3, 6, 30)), At(2024, 11, 3, 1, 30), kTolerance);
}

// Sydney, southern hemisphere: daylight time ends on 7 April 2024 at 03:00 AEDT (16:00 UTC
// on the 6th) and starts on 6 October 2024 at 02:00 AEST (16:00 UTC on the 5th).
TEST(TimeConversions, AroundSydneyClockChanges) {
    test::ScopedZone zone("AEST-10AEDT,M10.1.0,M4.1.0/3");
    const ConversionCase rows[] = {
        {"hour before autumn change", At(2024, 4, 7, 1, 0), At(2024, 4, 6, 14, 0)},
        {"repeated hour, first time", At(2024, 4, 7, 2, 30), At(2024, 4, 6, 15, 30)},
        {"hour after autumn change", At(2024, 4, 7, 4, 0), At(2024, 4, 6, 18, 0)},
        {"hour before spring change", At(2024, 10, 6, 1, 0), At(2024, 10, 5, 15, 0)},
        {"first minute of AEDT", At(2024, 10, 6, 3, 0), At(2024, 10, 5, 16, 0)},
        {"hour after spring change", At(2024, 10, 6, 4, 0), At(2024, 10, 5, 17, 0)},
        {"new year in daylight time", At(2025, 1, 1, 0, 30), At(2024, 12, 31, 13, 30)},
        {"mid-winter (July)", At(2024, 7, 1, 12, 0), At(2024, 7, 1, 2, 0)},
    };
    for (const ConversionCase& row : rows)
        ExpectConversions(row);
    EXPECT_NEAR(LocalToUtc(At(2024, 10, 6, 2, 30)), At(2024, 10, 5, 16, 30), kTolerance)
        << "the skipped hour reads on the clock before the change";
}

TEST(TimeConversions, ShownTimeFollowsTheDisplayMode) {
    test::ScopedZone zone("EST5EDT,M3.2.0,M11.1.0");
    const DateTime utc = At(2024, 12, 25, 15, 0);
    EXPECT_NEAR(UtcToShown(utc, true), At(2024, 12, 25, 10, 0), kTolerance);
    EXPECT_EQ(UtcToShown(utc, false), utc);
    EXPECT_NEAR(ShownToUtc(At(2024, 12, 25, 10, 0), true), utc, kTolerance);
    EXPECT_EQ(ShownToUtc(utc, false), utc);
    // The zone state is left at the instant converted, not at "now".
    UtcToShown(At(2024, 7, 1, 12, 0), true);
    EXPECT_TRUE(CurrentTimeZoneState().daylightActive);
}

} // namespace
} // namespace skelvane

#include "net/decode/satellite_time_label.h"

#include "astro/datetime.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

TEST(SatelliteTimeLabel, UtcDateAndTimeThenLocalTimeInEitherClockAndTheZone) {
    const DateTime utc = SafeEncodeDateTime(2024, 3, 4, 17, 5, 42, 0);
    const DateTime local = SafeEncodeDateTime(2024, 3, 4, 12, 5, 42, 0);
    EXPECT_EQ(SatelliteTimeLabel(utc, local, false, "Eastern Standard Time"),
              "03 04 2024  17:05 GMT = 12:05 PM Eastern Standard Time");
    EXPECT_EQ(SatelliteTimeLabel(utc, local, true, "Eastern Standard Time"),
              "03 04 2024  17:05 GMT = 12:05 Eastern Standard Time");

    // Local time on the day before, in the morning: one-digit hour on the 12-hour clock.
    const DateTime utcMorning = SafeEncodeDateTime(2024, 1, 1, 3, 9, 0, 0);
    const DateTime localEvening = SafeEncodeDateTime(2023, 12, 31, 22, 9, 0, 0);
    const DateTime localMorning = SafeEncodeDateTime(2024, 1, 1, 8, 39, 0, 0);
    EXPECT_EQ(SatelliteTimeLabel(utcMorning, localEvening, false, "CST"),
              "01 01 2024  03:09 GMT = 10:09 PM CST");
    EXPECT_EQ(SatelliteTimeLabel(utcMorning, localMorning, false, "IST"),
              "01 01 2024  03:09 GMT = 8:39 AM IST");
    EXPECT_EQ(SatelliteTimeLabel(utcMorning, localMorning, true, "IST"),
              "01 01 2024  03:09 GMT = 08:39 IST");
}

} // namespace
} // namespace skelvane

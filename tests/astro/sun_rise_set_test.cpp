#include "astro/format_date.h"
#include "astro/posix_tz.h"
#include "astro/sun.h"
#include "astro/timezone.h"
#include "support/scoped_zone.h"

#include <gtest/gtest.h>
#include <optional>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace skelvane {
namespace {

constexpr double kMinute = 1.0 / 60.0; // hours
constexpr double kOneSecondDays = 1.0 / 86400.0;

// The almanac formula uses a low-accuracy Sun and a fixed 50′ horizon; it agrees with the
// published tables to a minute or two. Published times are themselves rounded to the
// minute, so allow three.
constexpr double kAlmanacTolerance = 3 * kMinute;

struct RiseSetCase {
    const char* name;
    int year, month, day;
    double latitude, longitude;
    double rise, set; // UT hours
};

// Source: USNO "Sun and Moon Data for One Day" (sea level, 50′ depression), minutes UT.
// New York 2024-06-21: 05:25 / 20:31 EDT. London 2024-06-21: 04:43 / 21:21 BST;
// 2024-12-21: 08:04 / 15:53 GMT. Sydney 2024-06-21: 07:00 / 16:54 AEST (the rise is
// 21:00 UT on the 20th, which the formula reports as 21.0 hours).
TEST(SunRiseSetHours, AgreesWithPublishedTimes) {
    const RiseSetCase cases[] = {
        {"New York June solstice", 2024, 6, 21, 40.7128, -74.0060, 9 + 25 * kMinute,
         0 + 31 * kMinute},
        {"London June solstice", 2024, 6, 21, 51.5074, -0.1278, 3 + 43 * kMinute,
         20 + 21 * kMinute},
        {"London December solstice", 2024, 12, 21, 51.5074, -0.1278, 8 + 4 * kMinute,
         15 + 53 * kMinute},
        {"Sydney June solstice", 2024, 6, 21, -33.8688, 151.2093, 21 + 0 * kMinute,
         6 + 54 * kMinute},
    };
    for (const RiseSetCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(SunRiseSetHours(c.day, c.month, c.year, true, 0, c.longitude, c.latitude),
                    c.rise, kAlmanacTolerance);
        EXPECT_NEAR(SunRiseSetHours(c.day, c.month, c.year, false, 0, c.longitude, c.latitude),
                    c.set, kAlmanacTolerance);
    }
}

struct PolarCase {
    const char* name;
    int month, day;
    double latitude;
    double code;
};

// At 70° the noon Sun is 20° ± 23.4° high at the solstices: above the horizon all day in
// June, below all day in December; the same holds more strongly at 80°, and the other
// way round in the south.
TEST(SunRiseSetHours, PolarDayAndNightGiveTheCodesForRiseAndSet) {
    const PolarCase cases[] = {
        {"70 N late June", 6, 25, 70, kNeverSets},
        {"70 N late December", 12, 22, 70, kNeverRises},
        {"80 N late June", 6, 25, 80, kNeverSets},
        {"80 N late December", 12, 22, 80, kNeverRises},
        {"80 N April, past the spring equinox", 4, 25, 80, kNeverSets},
        {"70 S late June", 6, 25, -70, kNeverRises},
        {"70 S late December", 12, 22, -70, kNeverSets},
        {"exactly at the pole in June", 6, 21, 90, kNeverSets},
    };
    for (const PolarCase& c : cases) {
        SCOPED_TRACE(c.name);
        for (double longitude : {-150.0, 0.0, 25.0}) {
            EXPECT_EQ(SunRiseSetHours(c.day, c.month, 2024, true, 0, longitude, c.latitude),
                      c.code);
            EXPECT_EQ(SunRiseSetHours(c.day, c.month, 2024, false, 0, longitude, c.latitude),
                      c.code);
        }
    }
}

// Results lie in 0..24 for every place and day. Near the date line at the edge of the
// polar night a single wrap of the formula's local mean time leaves the range by a few
// minutes; the two named cases are the worst found in a 0.5° × 2° × daily search.
TEST(SunRiseSetHours, ResultIsInRangeOrACodeEverywhere) {
    struct EdgeCase {
        const char* name;
        int day, month;
        double latitude, longitude;
        bool rising;
        double expected; // hours, after the wrap
    };
    const EdgeCase edges[] = {
        {"rise 73.5 N on the date line, 31 January", 31, 1, 73.5, -180, true, 0.0648},
        {"set 68.5 N on the date line, 5 December", 5, 12, 68.5, 180, false, 23.8978},
    };
    for (const EdgeCase& e : edges) {
        EXPECT_NEAR(SunRiseSetHours(e.day, e.month, 2023, e.rising, 0, e.longitude, e.latitude),
                    e.expected, 0.001)
            << e.name;
    }

    double lowest = 24, highest = 0;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= 28; day += 3) {
            for (double latitude = -89; latitude <= 89; latitude += 4) {
                for (double longitude = -180; longitude <= 180; longitude += 15) {
                    for (bool rising : {true, false}) {
                        const double h =
                            SunRiseSetHours(day, month, 2023, rising, 0, longitude, latitude);
                        if (h == kNeverRises || h == kNeverSets)
                            continue;
                        lowest = std::min(lowest, h);
                        highest = std::max(highest, h);
                        ASSERT_TRUE(h >= 0 && h <= 24)
                            << h << " at " << latitude << ", " << longitude << " on " << month
                            << "/" << day << (rising ? " rise" : " set");
                    }
                }
            }
        }
    }
    std::printf("sweep range %.4f..%.4f h\n", lowest, highest);
}

// 21 June at 40° N, 75° W: sunset falls after midnight UT, so the set hours are smaller
// than the rise hours, yet the day still reads as about 15 hours (source: USNO, Philadelphia
// 2024-06-21 day length 15 h 01 m; tolerance 5 minutes for the formula and rounding).
TEST(SunRiseSetHours, SunsetAfterMidnightUtKeepsTheDayLength) {
    const double rise = SunRiseSetHours(21, 6, 2024, true, 0, -75, 40);
    const double set = SunRiseSetHours(21, 6, 2024, false, 0, -75, 40);
    EXPECT_GT(set, 0);
    EXPECT_LT(set, 1.5) << "sunset should be a small number of hours UT";
    const DateTime length = DayLength(rise, set);
    EXPECT_LT(length, 0);
    // The "hh:mm" pattern shows the complement of a negative fraction.
    const double shownHours = (length - std::floor(length)) * 24;
    EXPECT_NEAR(shownHours, 15 + 1 * kMinute, 5 * kMinute);
    const std::string shown = FormatDate("hh:mm", length);
    EXPECT_EQ(shown.substr(0, 3), "15:") << shown;
}

// The horizon of an observer 1000 ft up is 0.0195·√1000 ≈ 0.617° lower; at 40° N in June
// the Sun climbs that far in about 3.7 minutes (0.617° / (15°/h · cos φ · cos δ · sin H)).
// Below sea level the horizon rises by the same amount.
TEST(SunRiseSetHours, AltitudeWidensTheDay) {
    const double rise0 = SunRiseSetHours(21, 6, 2024, true, 0, -75, 40);
    const double set0 = SunRiseSetHours(21, 6, 2024, false, 0, -75, 40);
    const double riseHigh = SunRiseSetHours(21, 6, 2024, true, 1000, -75, 40);
    const double setHigh = SunRiseSetHours(21, 6, 2024, false, 1000, -75, 40);
    const double riseLow = SunRiseSetHours(21, 6, 2024, true, -1000, -75, 40);
    EXPECT_NEAR(rise0 - riseHigh, 3.7 * kMinute, 0.5 * kMinute);
    EXPECT_NEAR(setHigh - set0, 3.7 * kMinute, 0.5 * kMinute);
    EXPECT_NEAR(riseLow - rise0, rise0 - riseHigh, 0.1 * kMinute);
}

TEST(SunRiseSetHours, NonFiniteArgumentsGiveSunDownAllDay) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(SunRiseSetHours(21, 6, 2024, true, nan, 0, 40), kNeverRises);
    EXPECT_EQ(SunRiseSetHours(21, 6, 2024, true, 0, inf, 40), kNeverRises);
    EXPECT_EQ(SunRiseSetHours(21, 6, 2024, false, 0, 0, nan), kNeverRises);
}

// Installs a POSIX rule as the computer's zone for one test.
class SunEventLocalTest : public ::testing::Test {
protected:
    void UseZone(const char* rule) {
        zone.reset();
        zone.emplace(rule);
    }
    void TearDown() override { zone.reset(); }
    std::optional<test::ScopedZone> zone;
};

struct LocalEventCase {
    const char* name;
    const char* zone;
    DateTime date;
    double utHours;
    DateTime expectedUtc;
    DateTime expectedLocal;
};

DateTime At(int y, int mo, int d, int h, int mi) {
    return SafeEncodeDateTime(y, mo, d, h, mi, 0, 0);
}

TEST_F(SunEventLocalTest, InstantsReferToTheRequestedLocalDate) {
    const LocalEventCase cases[] = {
        {"New York sunrise, same day", "EST5EDT,M3.2.0,M11.1.0", SafeEncodeDate(2024, 6, 21), 9.5,
         At(2024, 6, 21, 9, 30), At(2024, 6, 21, 5, 30)},
        {"New York sunset after midnight UT moves forward", "EST5EDT,M3.2.0,M11.1.0",
         SafeEncodeDate(2024, 6, 21), 0.5, At(2024, 6, 22, 0, 30), At(2024, 6, 21, 20, 30)},
        {"end of the month", "EST5EDT,M3.2.0,M11.1.0", SafeEncodeDate(2024, 6, 30), 0.5,
         At(2024, 7, 1, 0, 30), At(2024, 6, 30, 20, 30)},
        {"end of the year", "HST10", SafeEncodeDate(2024, 12, 31), 4.0, At(2025, 1, 1, 4, 0),
         At(2024, 12, 31, 18, 0)},
        {"Sydney sunrise the UT day before moves back", "AEST-10AEDT,M10.1.0,M4.1.0/3",
         SafeEncodeDate(2024, 6, 21), 21.0, At(2024, 6, 20, 21, 0), At(2024, 6, 21, 7, 0)},
        {"Sydney, the day before the clocks go back: the offset of the moved instant",
         "AEST-10AEDT,M10.1.0,M4.1.0/3", SafeEncodeDate(2024, 4, 6), 20 + 20 / 60.0,
         At(2024, 4, 5, 20, 20), At(2024, 4, 6, 7, 20)},
        {"time of day in the date is ignored", "EST5EDT,M3.2.0,M11.1.0", At(2024, 6, 21, 13, 0),
         9.5, At(2024, 6, 21, 9, 30), At(2024, 6, 21, 5, 30)},
    };
    for (const LocalEventCase& c : cases) {
        SCOPED_TRACE(c.name);
        UseZone(c.zone);
        const SunEventInstants event = SunEventLocal(c.date, c.utHours);
        EXPECT_NEAR(event.utc, c.expectedUtc, kOneSecondDays);
        EXPECT_NEAR(event.local, c.expectedLocal, kOneSecondDays);
    }
}

TEST_F(SunEventLocalTest, CodesAndNonFiniteInputGiveNoDate) {
    UseZone("EST5EDT,M3.2.0,M11.1.0");
    const DateTime date = SafeEncodeDate(2024, 6, 21);
    for (double hours :
         {double{kNeverRises}, double{kNeverSets}, std::numeric_limits<double>::quiet_NaN()}) {
        const SunEventInstants event = SunEventLocal(date, hours);
        EXPECT_EQ(event.utc, 0) << hours;
        EXPECT_EQ(event.local, 0) << hours;
    }
}

struct SunUpCase {
    const char* name;
    double offset, set, rise, now;
    bool up;
};

TEST(IsSunUpNow, ComparesLocalClockWithLocalRiseAndSet) {
    const SunUpCase cases[] = {
        {"New York summer noon", -4, 0.5, 9.4, 12.0, true},
        {"New York summer 21:00", -4, 0.5, 9.4, 21.0, false},
        {"just at sunrise counts as up", -4, 0.5, 9.5, 5.5, true},
        {"just at sunset counts as down", -4, 0.5, 9.5, 20.5, false},
        {"daylight spanning local midnight, before it", 14, 18, 2, 23.5, true},
        {"daylight spanning local midnight, after it", 14, 18, 2, 7.0, true},
        {"daylight spanning local midnight, night", 14, 18, 2, 12.0, false},
        {"polar night", 0, kNeverRises, kNeverRises, 12, false},
        {"polar day", 0, kNeverSets, kNeverSets, 0, true},
        {"rise only on a polar boundary day, set code wins", 0, kNeverRises, 10, 12, false},
    };
    for (const SunUpCase& c : cases)
        EXPECT_EQ(IsSunUpNow(c.offset, c.set, c.rise, c.now), c.up) << c.name;
}

} // namespace
} // namespace skelvane

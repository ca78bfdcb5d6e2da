#include "astro/moon_rise_set.h"

#include "astro/datetime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace skelvane {
namespace {

std::int32_t DayOf(int year, int month, int day) {
    return DayNumberFromDate(SafeEncodeDate(year, month, day));
}

// Difference of two times of day in seconds, the shorter way round midnight.
int SecondsApart(int a, int b) {
    const int d = std::abs(a - b) % 86400;
    return d > 43200 ? 86400 - d : d;
}

// Tolerance for rise and set against the almanac: the series is good to about 10″ and the
// refined time to 0.0001 day (9 s); two minutes leaves room for both and for ΔT, which the
// engine ignores.
constexpr int kToleranceSeconds = 120;

struct AlmanacCase {
    const char* name;
    double latitude, longitude;
    int year, month, day;
    int rise, set; // seconds after 0 h UT
};

// Reference times from PyEphem 4.1.4 (its own full lunar theory) in the almanac (USNO)
// convention: upper limb on a sea horizon with 34′ of refraction, topocentric.
const AlmanacCase kAlmanacCases[] = {
    {"New York 2024-01-01", 40.7128, -74.0060, 2024, 1, 1, 8001, 56962},
    {"New York 2024-01-15", 40.7128, -74.0060, 2024, 1, 15, 54654, 6716},
    {"New York 2024-03-15", 40.7128, -74.0060, 2024, 3, 15, 50392, 17004},
    {"New York 2024-06-01", 40.7128, -74.0060, 2024, 6, 1, 23106, 68274},
    {"New York 2024-08-15", 40.7128, -74.0060, 2024, 8, 15, 76698, 17786},
    {"New York 2024-11-01", 40.7128, -74.0060, 2024, 11, 1, 41750, 78112},
    {"New York 2024-12-15", 40.7128, -74.0060, 2024, 12, 15, 77496, 46171},
    {"London 2023-08-10", 51.5074, -0.1278, 2023, 8, 10, 83595, 57955},
    {"Sydney 2024-06-01", -33.8688, 151.2093, 2024, 6, 1, 56853, 11930},
    {"Tokyo 2022-03-20", 35.6762, 139.6503, 2022, 3, 20, 39536, 80595},
    {"Quito 2021-10-05", -0.1807, -78.4678, 2021, 10, 5, 37170, 81761},
    {"Reykjavik 2020-02-20", 64.1466, -21.9426, 2020, 2, 20, 33409, 48485},
    {"Cape Town 2019-11-02", -33.9249, 18.4241, 2019, 11, 2, 29061, 81916},
    {"Denver 1985-07-04", 39.7392, -104.9903, 1985, 7, 4, 14947, 49144},
    // No moonset on this UT day: the set returned is the next day's (00:33:56 UT on the
    // 14th), folded into the day.
    {"New York 2024-01-13, set after midnight", 40.7128, -74.0060, 2024, 1, 13, 51312, 2036},
};

TEST(MoonRiseSet, AgreesWithAlmanac) {
    int worst = 0;
    const char* worstName = "";
    for (const AlmanacCase& c : kAlmanacCases) {
        const MoonRiseSetRec r =
            MoonRiseSet(DayOf(c.year, c.month, c.day), 0, c.latitude, c.longitude);
        const int riseError = SecondsApart(r.rise, c.rise);
        const int setError = SecondsApart(r.set, c.set);
        EXPECT_LE(riseError, kToleranceSeconds)
            << c.name << ": rise expected " << c.rise << " s, got " << r.rise << " s";
        EXPECT_LE(setError, kToleranceSeconds)
            << c.name << ": set expected " << c.set << " s, got " << r.set << " s";
        for (const int e : {riseError, setError})
            if (e > worst) {
                worst = e;
                worstName = c.name;
            }
    }
    std::printf("MoonRiseSet worst error against the almanac: %d s (%s)\n", worst, worstName);
}

TEST(MoonRiseSet, HighLatitudeCodes) {
    // Source: PyEphem 4.1.4 altitudes sampled every 5 minutes: at 80° N the Moon stays
    // between +17.7° and +38.3° on 2024-01-22 and between -38.0° and -17.6° on 2024-01-09
    // (major lunar standstill, declination near ±28°).
    struct Case {
        const char* name;
        double latitude;
        int year, month, day;
        std::int32_t code;
    };
    const Case cases[] = {
        {"80 N, Moon far north", 80, 2024, 1, 22, kMoonNeverSets},
        {"80 N, Moon far south", 80, 2024, 1, 9, kMoonNeverRises},
        {"80 S, Moon far north", -80, 2024, 1, 22, kMoonNeverRises},
        {"80 S, Moon far south", -80, 2024, 1, 9, kMoonNeverSets},
        {"north pole", 90, 2024, 1, 22, kMoonNeverSets},
    };
    for (const Case& c : cases) {
        const MoonRiseSetRec r = MoonRiseSet(DayOf(c.year, c.month, c.day), 0, c.latitude, 15);
        EXPECT_EQ(r.rise, c.code) << c.name;
        EXPECT_EQ(r.set, c.code) << c.name;
    }
}

TEST(MoonRiseSet, OutOfRangeAndBadInput) {
    constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        std::int32_t day;
        double altitude, latitude, longitude;
    };
    const Case cases[] = {
        {"day 0 has no day before", 0, 0, 40, -74},
        {"3999-12-31 has no day after", kLastDayNumber, 0, 40, -74},
        {"no date", -1, 0, 40, -74},
        {"beyond the range", kLastDayNumber + 1, 0, 40, -74},
        {"lowest int", std::numeric_limits<std::int32_t>::min(), 0, 40, -74},
        {"highest int", std::numeric_limits<std::int32_t>::max(), 0, 40, -74},
        {"latitude NaN", 150000, 0, kNan, -74},
        {"longitude infinite", 150000, 0, 40, kInf},
        {"altitude NaN", 150000, kNan, 40, -74},
        {"latitude past the pole", 150000, 0, 91, -74},
    };
    for (const Case& c : cases) {
        const MoonRiseSetRec r = MoonRiseSet(c.day, c.altitude, c.latitude, c.longitude);
        EXPECT_EQ(r.rise, kMoonDateOutOfRange) << c.name;
        EXPECT_EQ(r.set, kMoonDateOutOfRange) << c.name;
    }
    // The first and last days that have both neighbours give times.
    for (const std::int32_t day : {1, kLastDayNumber - 1}) {
        const MoonRiseSetRec r = MoonRiseSet(day, 0, 40, -74);
        EXPECT_TRUE(r.rise >= 0 && r.rise <= 86399) << "day " << day << " rise " << r.rise;
        EXPECT_TRUE(r.set >= 0 && r.set <= 86399) << "day " << day << " set " << r.set;
    }
}

TEST(MoonRiseSet, ObserverHeightWidensTheDay) {
    // 10000 ft lowers the horizon by 0.0195·√10000 = 1.95°, so the Moon rises earlier and
    // sets later; a negative height does the opposite. New York 2024-01-01 (rise 02:13,
    // set 15:49 UT), far from midnight so no event wraps.
    const std::int32_t day = DayOf(2024, 1, 1);
    const MoonRiseSetRec sea = MoonRiseSet(day, 0, 40.7128, -74.0060);
    const MoonRiseSetRec high = MoonRiseSet(day, 10000, 40.7128, -74.0060);
    const MoonRiseSetRec low = MoonRiseSet(day, -10000, 40.7128, -74.0060);
    // At this latitude and declination 1.95° of altitude takes at least 7 minutes.
    EXPECT_LT(high.rise, sea.rise - 420) << "sea " << sea.rise << " high " << high.rise;
    EXPECT_GT(high.set, sea.set + 420) << "sea " << sea.set << " high " << high.set;
    EXPECT_GT(low.rise, sea.rise + 420) << "sea " << sea.rise << " low " << low.rise;
    EXPECT_LT(low.set, sea.set - 420) << "sea " << sea.set << " low " << low.set;
}

TEST(MoonRiseSet, EveryDayOfAYearGivesTimesOrCodes) {
    // Tromsø (69.65 N) in 2025 crosses polar-moon spells; every result must be a time of day
    // or the pair of codes, never a mix.
    const std::int32_t first = DayOf(2025, 1, 1);
    int codes = 0;
    for (std::int32_t day = first; day < first + 365; ++day) {
        const MoonRiseSetRec r = MoonRiseSet(day, 0, 69.65, 18.96);
        if (r.rise < 0) {
            ++codes;
            EXPECT_EQ(r.rise, r.set) << "day " << day;
            EXPECT_TRUE(r.rise == kMoonNeverRises || r.rise == kMoonNeverSets) << "day " << day;
        } else {
            EXPECT_LE(r.rise, 86399) << "day " << day;
            EXPECT_TRUE(r.set >= 0 && r.set <= 86399) << "day " << day << " set " << r.set;
        }
    }
    EXPECT_GT(codes, 20) << "polar spells expected at 69.65 N in 2025";
}

} // namespace
} // namespace skelvane

#include "astro/format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

namespace skelvane {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

struct HoursCase {
    const char* name;
    bool toLocal;
    bool use24Hour;
    double offset;
    double hours;
    const char* expected;
};
std::ostream& operator<<(std::ostream& out, const HoursCase& c) {
    return out << c.name;
}

class FormatHoursTest : public ::testing::TestWithParam<HoursCase> {};

TEST_P(FormatHoursTest, Formats) {
    const HoursCase& c = GetParam();
    EXPECT_EQ(FormatHours(c.toLocal, c.use24Hour, c.offset, c.hours), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatHoursTest,
    ::testing::Values(HoursCase{"round_up_to_24_00", false, true, 0, 23.999, "24:00"},
                      HoursCase{"just_after_midnight_12h", false, false, 0, 0.2, "12:12 AM"},
                      HoursCase{"morning_24h_padded", false, true, 0, 6 + 5.0 / 60, "06:05"},
                      HoursCase{"morning_12h_unpadded", false, false, 0, 6 + 5.0 / 60, "6:05 AM"},
                      HoursCase{"noon_is_pm", false, false, 0, 12.0, "12:00 PM"},
                      HoursCase{"afternoon", false, false, 0, 13.25, "1:15 PM"},
                      HoursCase{"minutes_half_up", false, true, 0, 10 + 30.5 / 3600, "10:01"},
                      HoursCase{"rounded_midnight_12h_is_am", false, false, 0, 23.999, "12:00 AM"},
                      HoursCase{"local_west_wraps_back", true, true, -5, 3.5, "22:30"},
                      HoursCase{"local_east_wraps_forward", true, false, 2, 23, "1:00 AM"},
                      HoursCase{"local_half_hour_zone", true, true, 5.5, 6, "11:30"},
                      HoursCase{"far_out_input_brought_into_day", false, true, 0, -30, "18:00"},
                      HoursCase{"not_a_number", false, true, 0, kNan, "--:--"}),
    [](const ::testing::TestParamInfo<HoursCase>& param) { return param.param.name; });

TEST(HoursToHms, SplitsAndCarries) {
    struct Case {
        const char* name;
        double hours;
        Hms expected;
    };
    const Case cases[] = {
        {"half", 1.5, {1, 30, 0}},
        {"exact seconds", 40 + 26.0 / 60 + 46.0 / 3600, {40, 26, 46}},
        {"seconds round to 60 and carry twice", 2.99999, {3, 0, 0}},
        {"seconds round to 60 and carry once", 5 + 10.0 / 60 + 59.8 / 3600, {5, 11, 0}},
        {"zero", 0, {0, 0, 0}},
        {"negative carries the sign", -1.5, {-1, -30, 0}},
        {"negative carry", -2.99999, {-3, 0, 0}},
        {"not a number", kNan, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        const Hms got = HoursToHms(c.hours);
        EXPECT_EQ(got, c.expected)
            << c.name << ": got " << got.hours << " " << got.minutes << " " << got.seconds;
    }
}

TEST(FormatDms, WritesDegreesMinutesSeconds) {
    EXPECT_EQ(FormatDms(40 + 26.0 / 60 + 46.0 / 3600), "40\u00B0  26'  46''");
    EXPECT_EQ(FormatDms(-33.8688), "-33\u00B0  52'  8''") << "sign once, in front";
    EXPECT_EQ(FormatDms(0), "0\u00B0  0'  0''");
}

TEST(ParseDms, AcceptsIntegersInRange) {
    struct Case {
        const char* name;
        const char *d, *m, *s;
        bool latitude;
        bool ok;
        double expected;
    };
    const Case cases[] = {
        {"latitude 91 fails", "91", "0", "0", true, false, 0},
        {"latitude 90 is the bound", "90", "0", "0", true, true, 90},
        {"longitude 180 60 60 succeeds", "180", "60", "60", false, true, 180 + 1 + 1.0 / 60},
        {"longitude 181 fails", "181", "0", "0", false, false, 0},
        {"ordinary", "40", "26", "46", true, true, 40 + 26.0 / 60 + 46.0 / 3600},
        {"blanks around", " 40 ", "26", "46", true, true, 40 + 26.0 / 60 + 46.0 / 3600},
        {"decimal text fails", "4.5", "0", "0", true, false, 0},
        {"letters fail", "40", "2x", "0", true, false, 0},
        {"empty fails", "40", "", "0", true, false, 0},
        {"negative fails", "-1", "0", "0", true, false, 0},
        {"minutes 61 fail", "40", "61", "0", true, false, 0},
        {"seconds 61 fail", "40", "0", "61", true, false, 0},
        {"overflow fails", "99999999999999", "0", "0", false, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto got = ParseDms(c.d, c.m, c.s, c.latitude);
        ASSERT_EQ(got.has_value(), c.ok);
        if (got) {
            EXPECT_NEAR(*got, c.expected, 1e-12) << "tolerance 1e-12 degree";
        }
    }
}

} // namespace
} // namespace skelvane

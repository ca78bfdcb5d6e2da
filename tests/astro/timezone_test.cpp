#include "astro/posix_tz.h"
#include "astro/time_conversions.h"
#include "astro/timezone.h"

#include <gtest/gtest.h>

#include <string>

namespace skelvane {
namespace {

constexpr double kOneSecond = 1.0 / 86400.0;
// Offsets are whole minutes divided by 60; anything closer than this is the same offset.
constexpr double kOffsetTolerance = 1e-12;

TimeZoneRecord Rule(const char* text) {
    const auto record = ParsePosixTzRule(text);
    EXPECT_TRUE(record.has_value()) << text;
    return record.value_or(TimeZoneRecord{});
}

DateTime Utc(int y, int mo, int d, int h, int mi = 0, int s = 0) {
    return SafeEncodeDateTime(y, mo, d, h, mi, s, 0);
}

struct InstantCase {
    const char* name;
    const char* rule;
    DateTime utc;
    double offset;
    bool daylight;
};

// Offsets exactly at and one second before each 2024 transition, and in mid-winter and
// mid-summer. Transition instants in UTC from the zones' published 2024 dates.
TEST(ComputeTimeZoneState, OffsetsAroundTransitions) {
    const char* newYork = "EST5EDT,M3.2.0,M11.1.0";
    const char* sydney = "AEST-10AEDT,M10.1.0,M4.1.0/3";
    const char* jerusalem = "IST-2IDT,M3.4.4/26,M10.5.0";
    const char* dublin = "IST-1GMT0,M10.5.0,M3.5.0/1";
    const InstantCase cases[] = {
        {"New York January", newYork, Utc(2024, 1, 15, 12), -5, false},
        {"New York July", newYork, Utc(2024, 7, 15, 12), -4, true},
        {"New York before start", newYork, Utc(2024, 3, 10, 7) - kOneSecond, -5, false},
        {"New York at start (02:00 EST)", newYork, Utc(2024, 3, 10, 7), -4, true},
        {"New York before end", newYork, Utc(2024, 11, 3, 6) - kOneSecond, -4, true},
        {"New York at end (02:00 EDT)", newYork, Utc(2024, 11, 3, 6), -5, false},
        {"Sydney January is daylight", sydney, Utc(2024, 1, 15, 0), 11, true},
        {"Sydney June is standard", sydney, Utc(2024, 6, 15, 0), 10, false},
        {"Sydney before end", sydney, Utc(2024, 4, 6, 16) - kOneSecond, 11, true},
        {"Sydney at end (03:00 AEDT)", sydney, Utc(2024, 4, 6, 16), 10, false},
        {"Sydney before start", sydney, Utc(2024, 10, 5, 16) - kOneSecond, 10, false},
        {"Sydney at start (02:00 AEST)", sydney, Utc(2024, 10, 5, 16), 11, true},
        {"Sydney new year in UTC, already next year locally", sydney, Utc(2024, 12, 31, 20), 11,
         true},
        {"Jerusalem before Friday start", jerusalem, Utc(2024, 3, 29, 0) - kOneSecond, 2, false},
        {"Jerusalem at Friday 29 March 02:00", jerusalem, Utc(2024, 3, 29, 0), 3, true},
        {"Jerusalem Thursday 28 March still standard", jerusalem, Utc(2024, 3, 28, 12), 2, false},
        {"Jerusalem before end", jerusalem, Utc(2024, 10, 26, 23) - kOneSecond, 3, true},
        {"Jerusalem at end", jerusalem, Utc(2024, 10, 26, 23), 2, false},
        {"Dublin winter is the negative-saving time", dublin, Utc(2024, 1, 15, 12), 0, true},
        {"Dublin summer", dublin, Utc(2024, 7, 15, 12), 1, false},
        {"Dublin at winter start (02:00 IST)", dublin, Utc(2024, 10, 27, 1), 0, true},
        {"Dublin before winter start", dublin, Utc(2024, 10, 27, 1) - kOneSecond, 1, false},
        {"Tokyo January", "JST-9", Utc(2024, 1, 15, 12), 9, false},
        {"Tokyo July", "JST-9", Utc(2024, 7, 15, 12), 9, false},
        {"Chatham half-past zone", "<+1245>-12:45<+1345>,M9.5.0/2:45,M4.1.0/3:45",
         Utc(2024, 1, 15, 12), 13.75, true},
        {"permanent daylight, start of year", "EST5EDT4,0/0,J365/25", Utc(2024, 1, 1, 0, 30), -4,
         true},
        {"permanent daylight, end of year", "EST5EDT4,0/0,J365/25", Utc(2024, 12, 31, 23), -4,
         true},
    };
    for (const InstantCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TimeZoneState state = ComputeTimeZoneState(Rule(c.rule), c.utc);
        EXPECT_NEAR(state.offsetHours, c.offset, kOffsetTolerance)
            << "expected " << c.offset << " got " << state.offsetHours;
        EXPECT_EQ(state.daylightActive, c.daylight);
    }
}

TEST(ComputeTimeZoneState, StateFields) {
    const TimeZoneState summer =
        ComputeTimeZoneState(Rule("EST5EDT,M3.2.0,M11.1.0"), Utc(2024, 7, 1, 12));
    EXPECT_TRUE(summer.hasDaylightSaving);
    EXPECT_EQ(summer.zoneName, "EDT");
    EXPECT_EQ(summer.standardName, "EST");
    EXPECT_EQ(summer.daylightName, "EDT");
    EXPECT_DOUBLE_EQ(summer.baseOffsetHours, -5);
    EXPECT_DOUBLE_EQ(summer.standardBiasHours, 0);
    EXPECT_DOUBLE_EQ(summer.daylightBiasHours, 1);
    EXPECT_DOUBLE_EQ(summer.daylightShiftHours, 1);
    EXPECT_NEAR(summer.daylightStart, Utc(2024, 3, 10, 2), 1e-9)
        << "local clock, tolerance 1e-9 day";
    EXPECT_NEAR(summer.daylightEnd, Utc(2024, 11, 3, 2), 1e-9) << "local clock, tolerance 1e-9 day";

    // Without daylight saving: standard name and offset all year, no transitions.
    const TimeZoneState tokyo = ComputeTimeZoneState(Rule("JST-9"), Utc(2024, 7, 1, 12));
    EXPECT_FALSE(tokyo.hasDaylightSaving);
    EXPECT_FALSE(tokyo.daylightActive);
    EXPECT_EQ(tokyo.zoneName, "JST");
    EXPECT_EQ(tokyo.daylightName, "");
    EXPECT_EQ(tokyo.daylightStart, 0.0);
    EXPECT_EQ(tokyo.daylightEnd, 0.0);
    EXPECT_DOUBLE_EQ(tokyo.daylightShiftHours, 0);

    // A failed read of the record.
    const TimeZoneState none = ComputeTimeZoneState(std::nullopt, Utc(2024, 7, 1, 12));
    EXPECT_EQ(none.offsetHours, 0.0);
    EXPECT_FALSE(none.hasDaylightSaving);
    EXPECT_EQ(none.zoneName, "");
    EXPECT_EQ(none.standardName, "");
    EXPECT_EQ(none.daylightName, "");

    // An instant that cannot be decoded gets standard time rather than a fault.
    const TimeZoneState bad = ComputeTimeZoneState(Rule("EST5EDT,M3.2.0,M11.1.0"), 1e300);
    EXPECT_NEAR(bad.offsetHours, -5, kOffsetTolerance);
    EXPECT_FALSE(bad.hasDaylightSaving);
}

TEST(TransitionInstant, RuleForms) {
    struct Case {
        const char* name;
        const char* rule; // its daylight start is the transition under test
        int year;
        DateTime expected; // local clock
    };
    const Case cases[] = {
        {"last Sunday of a March with four Sundays", "AAA0BBB,M3.5.0,M10.5.0", 2023,
         Utc(2023, 3, 26, 2)},
        {"Thursday rule at 26 h falls on Friday", "IST-2IDT,M3.4.4/26,M10.5.0", 2024,
         Utc(2024, 3, 29, 2)},
        {"negative time falls on Saturday", "AAA0BBB,M3.5.0/-1,M10.5.0", 2024,
         Utc(2024, 3, 30, 23)},
        {"167 h is the next Saturday 23:00", "AAA0BBB,M3.1.0/167,M10.5.0", 2024,
         Utc(2024, 3, 9, 23)},
        {"J60 is March 1 in a leap year", "AAA0BBB,J60,M10.5.0", 2024, Utc(2024, 3, 1, 2)},
        {"J60 is March 1 in a common year", "AAA0BBB,J60,M10.5.0", 2023, Utc(2023, 3, 1, 2)},
        {"zero-based 59 is February 29 in a leap year", "AAA0BBB,59/0,M10.5.0", 2024,
         Utc(2024, 2, 29, 0)},
        {"zero-based 59 is March 1 in a common year", "AAA0BBB,59/0,M10.5.0", 2023,
         Utc(2023, 3, 1, 0)},
        {"zero-based 365 is December 31 in a leap year", "AAA0BBB,365/0,M10.5.0", 2024,
         Utc(2024, 12, 31, 0)},
        {"year 0 has no transition", "AAA0BBB,M3.5.0,M10.5.0", 0, 0},
        {"year 10000 has no transition", "AAA0BBB,M3.5.0,M10.5.0", 10000, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DateTime got = TransitionInstant(Rule(c.rule).daylightDate, c.year);
        EXPECT_NEAR(got, c.expected, 1e-9) << "tolerance 1e-9 day";
    }
    EXPECT_EQ(TransitionInstant(TransitionRule{}, 2024), 0.0) << "kind None";
    TransitionRule badMonth;
    badMonth.kind = TransitionRule::Kind::MonthWeekDay;
    badMonth.month = 13;
    badMonth.week = 1;
    EXPECT_EQ(TransitionInstant(badMonth, 2024), 0.0) << "month 13";
}

class TimeZoneSourceTest : public ::testing::Test {
protected:
    void TearDown() override { SetTimeZoneRecordSource(nullptr); }
};

TEST_F(TimeZoneSourceTest, OffsetReadsTheSourceAfreshAndStoresTheState) {
    int reads = 0;
    std::optional<TimeZoneRecord> record = Rule("AEST-10AEDT,M10.1.0,M4.1.0/3");
    SetTimeZoneRecordSource([&] {
        ++reads;
        return record;
    });
    EXPECT_NEAR(TimeZoneOffsetHours(Utc(2024, 1, 15, 0)), 11, kOffsetTolerance);
    EXPECT_EQ(CurrentTimeZoneState().zoneName, "AEDT");
    // A change of the computer's zone shows at the next call.
    record = Rule("CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_NEAR(TimeZoneOffsetHours(Utc(2024, 1, 15, 0)), 1, kOffsetTolerance);
    EXPECT_EQ(CurrentTimeZoneState().zoneName, "CET");
    EXPECT_EQ(reads, 2);

    const DateTime utc = Utc(2024, 7, 1, 10);
    EXPECT_NEAR(UtcToLocal(utc), utc + 2.0 / 24, 1e-9) << "tolerance 1e-9 day";
    EXPECT_NEAR(LocalToUtc(utc + 2.0 / 24), utc, 1e-9) << "tolerance 1e-9 day";

    record.reset(); // the read fails
    EXPECT_EQ(TimeZoneOffsetHours(utc), 0.0);
    EXPECT_EQ(CurrentTimeZoneState().zoneName, "");
}

TEST_F(TimeZoneSourceTest, NoSourceMeansUtcWithoutNames) {
    SetTimeZoneRecordSource(nullptr);
    EXPECT_EQ(TimeZoneOffsetHours(Utc(2024, 7, 1, 10)), 0.0);
    EXPECT_FALSE(CurrentTimeZoneState().hasDaylightSaving);
}

} // namespace
} // namespace skelvane

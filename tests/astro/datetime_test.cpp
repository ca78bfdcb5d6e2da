#include "astro/datetime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace skelvane {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Half a millisecond in days: the precision to which values are decoded.
constexpr double kHalfMsDays = 0.5 / 86'400'000.0;

TEST(DateTimeEncode, KnownAnchors) {
    struct Case {
        const char* name;
        int year, month, day;
        double expected; // days since 1899-12-30, from Python's datetime.date arithmetic
    };
    const Case cases[] = {
        {"epoch", 1899, 12, 30, 0},
        {"first of 1900", 1900, 1, 1, 2},
        {"leap day 2000", 2000, 2, 29, 36585},
        {"2024-03-05", 2024, 3, 5, 45356},
        {"day number 0", 1600, 1, 1, -109571},
        {"last encodable", 9999, 12, 31, 2958465},
        {"first encodable", 1, 1, 1, -693593},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SafeEncodeDate(c.year, c.month, c.day), c.expected);
        EXPECT_EQ(DecodeDate(c.expected), (CivilDate{c.year, c.month, c.day}));
    }
}

TEST(DateTimeEncode, ImpossibleDatesGiveZero) {
    struct Case {
        const char* name;
        int year, month, day;
    };
    const Case cases[] = {
        {"Feb 29 in a common year", 2023, 2, 29},
        {"Feb 29 in 1900", 1900, 2, 29},
        {"month 13", 2024, 13, 1},
        {"month 0", 2024, 0, 1},
        {"day 0", 2024, 1, 0},
        {"April 31", 2024, 4, 31},
        {"year 0", 0, 1, 1},
        {"year 10000", 10000, 1, 1},
        {"negative day", 2024, 1, -3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SafeEncodeDate(c.year, c.month, c.day), 0.0);
        EXPECT_EQ(SafeEncodeDateTime(c.year, c.month, c.day, 12, 0, 0, 0), 0.0);
    }
    EXPECT_EQ(SafeEncodeDateTime(2024, 1, 1, 24, 0, 0, 0), 0.0) << "hour 24";
    EXPECT_EQ(SafeEncodeDateTime(2024, 1, 1, 0, 60, 0, 0), 0.0) << "minute 60";
    EXPECT_EQ(SafeEncodeDateTime(2024, 1, 1, 0, 0, 60, 0), 0.0) << "second 60";
    EXPECT_EQ(SafeEncodeDateTime(2024, 1, 1, 0, 0, 0, 1000), 0.0) << "millisecond 1000";
    EXPECT_NE(SafeEncodeDate(2024, 2, 29), 0.0) << "2024 is a leap year";
    EXPECT_NE(SafeEncodeDate(2000, 2, 29), 0.0) << "2000 is a leap year";
}

// Every 97th day from year 1 to 9999, across zero and through leap days: decode, then
// encode again, gives the same value; consecutive days have consecutive weekdays.
TEST(DateTimeEncode, RoundTripSweep) {
    int previousWeekday = 0;
    double previous = 0;
    for (double value = -693593; value <= 2958465; value += 97) {
        const CivilDate date = DecodeDate(value);
        ASSERT_EQ(SafeEncodeDate(date.year, date.month, date.day), value)
            << "value " << value << " decoded as " << date.year << "-" << date.month << "-"
            << date.day;
        const int weekday = DayOfWeekIso(value);
        if (previousWeekday != 0) {
            ASSERT_EQ(weekday, (previousWeekday - 1 + 97) % 7 + 1) << "after " << previous;
        }
        previousWeekday = weekday;
        previous = value;
    }
    // Every day of a leap year and the years around it.
    for (double value = SafeEncodeDate(2023, 12, 25); value < SafeEncodeDate(2025, 1, 5); ++value) {
        const CivilDate date = DecodeDate(value);
        ASSERT_EQ(SafeEncodeDate(date.year, date.month, date.day), value) << "value " << value;
    }
}

TEST(DateTimeDecode, TimeOfDayFromTheFloor) {
    struct Case {
        const char* name;
        double value;
        CivilDate date;
        TimeOfDay time;
    };
    const Case cases[] = {
        {"noon at epoch", 0.5, {1899, 12, 30}, {12, 0, 0, 0}},
        {"negative value is the previous evening", -0.25, {1899, 12, 29}, {18, 0, 0, 0}},
        {"negative whole day", -1.0, {1899, 12, 29}, {0, 0, 0, 0}},
        {"milliseconds", 45356 + 50829.045 / 86400, {2024, 3, 5}, {14, 7, 9, 45}},
        {"rounding up to midnight carries into the next day",
         SafeEncodeDate(2024, 12, 31) + 86399.9996 / 86400,
         {2025, 1, 1},
         {0, 0, 0, 0}},
        {"rounding carries into the minute", 45356 + 59.9996 / 86400, {2024, 3, 5}, {0, 1, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeDate(c.value), c.date);
        EXPECT_EQ(DecodeTime(c.value), c.time);
    }
}

TEST(DateTimeEncode, DateTimeRoundTripsToTheMillisecond) {
    const int times[][4] = {{0, 0, 0, 0}, {23, 59, 59, 999}, {12, 0, 0, 1}, {6, 30, 15, 500}};
    for (const int year : {1, 1899, 1900, 2024, 9999}) {
        for (const auto& t : times) {
            const DateTime value = SafeEncodeDateTime(year, 2, 28, t[0], t[1], t[2], t[3]);
            SCOPED_TRACE(std::to_string(year) + " value " + std::to_string(value));
            EXPECT_EQ(DecodeDate(value), (CivilDate{year, 2, 28}));
            EXPECT_EQ(DecodeTime(value), (TimeOfDay{t[0], t[1], t[2], t[3]}));
        }
    }
}

TEST(DateTimeDecode, UndecodableValuesGiveZeros) {
    for (const double value : {kNan, kInf, -kInf, 1e12, -1e12}) {
        SCOPED_TRACE(value);
        EXPECT_EQ(DecodeDate(value), CivilDate{});
        EXPECT_EQ(DecodeTime(value), TimeOfDay{});
        EXPECT_EQ(DayOfWeekIso(value), 0);
        EXPECT_EQ(IsoWeekNumber(value), 0);
        EXPECT_FALSE(AstroTimeFromDateTime(value).valid());
    }
    EXPECT_EQ(DayNumberFromDate(kNan), -1);
    EXPECT_LT(DayNumberFromDate(-1e12), 0);
    EXPECT_GT(DayNumberFromDate(1e12), kLastDayNumber);
}

TEST(DateTimeConversions, JulianDateAndDayNumber) {
    // J2000.0 = 2000-01-01 12:00 = JD 2451545.0 (Meeus, Astronomical Algorithms, ch. 7).
    const DateTime j2000 = SafeEncodeDateTime(2000, 1, 1, 12, 0, 0, 0);
    EXPECT_NEAR(ToJulianDate(j2000), 2451545.0, 1e-9) << "tolerance 1e-9 day";
    EXPECT_NEAR(FromJulianDate(2451545.0), j2000, 1e-9) << "tolerance 1e-9 day";

    EXPECT_EQ(DayNumberFromDate(SafeEncodeDate(1600, 1, 1)), 0);
    EXPECT_EQ(DayNumberFromDate(SafeEncodeDate(3999, 12, 31) + 0.9), kLastDayNumber);
    EXPECT_EQ(DayNumberFromDate(SafeEncodeDate(1599, 12, 31)), -1);
    EXPECT_EQ(DateFromDayNumber(-1), 0.0) << "-1 is no date";
    EXPECT_EQ(DateFromDayNumber(0), SafeEncodeDate(1600, 1, 1));
    EXPECT_EQ(SecondsFromTime(j2000), 43200);
    EXPECT_EQ(TimeFromSeconds(-1), 0.0);
    EXPECT_DOUBLE_EQ(TimeFromSeconds(43200), 0.5);

    const AstroTimeRec rec = AstroTimeFromDateTime(j2000);
    EXPECT_TRUE(rec.valid());
    EXPECT_EQ(rec.day, 146097) << "2000-01-01 is 400 Gregorian years after 1600-01-01";
    EXPECT_EQ(rec.seconds, 43200);
    EXPECT_NEAR(JulianDateOf(rec), 2451545.0, 1e-9) << "tolerance 1e-9 day";
    EXPECT_NEAR(JulianDateOf(AstroTimeRec{0, 0}), ToJulianDate(DateFromDayNumber(0)), 1e-9);

    // Rounding to the next midnight moves the record to the next day, not to 86400 s.
    const AstroTimeRec carried =
        AstroTimeFromDateTime(SafeEncodeDate(2024, 3, 5) + 1 - kHalfMsDays / 4);
    EXPECT_EQ(carried.day, DayNumberFromDate(SafeEncodeDate(2024, 3, 6)));
    EXPECT_EQ(carried.seconds, 0);
    EXPECT_FALSE(AstroTimeFromDateTime(SafeEncodeDate(1599, 12, 31)).valid());
    EXPECT_FALSE(AstroTimeFromDateTime(SafeEncodeDate(4000, 1, 1)).valid());
}

TEST(DateTimeConversions, CombineTakesDateOfSecondAndTimeOfFirst) {
    const DateTime time = SafeEncodeDateTime(2001, 7, 4, 18, 30, 0, 0);
    const DateTime date = SafeEncodeDateTime(2024, 3, 5, 6, 0, 0, 0);
    EXPECT_NEAR(CombineDateTime(time, date), SafeEncodeDateTime(2024, 3, 5, 18, 30, 0, 0),
                kHalfMsDays)
        << "tolerance half a millisecond";
    // Before 1899-12-30 the value is still date plus a positive time of day.
    EXPECT_NEAR(CombineDateTime(0.75, -10.25), -10.0 + 0.75 - 1.0, kHalfMsDays);
    EXPECT_EQ(DateOf(-0.25), -1.0);
}

TEST(Calendar, IsoWeekNumbersAtYearBoundaries) {
    struct Case {
        int year, month, day, week; // week from Python's date.isocalendar()
    };
    const Case cases[] = {
        {2021, 1, 1, 53},   {2021, 1, 3, 53},  {2021, 1, 4, 1},    {2020, 12, 31, 53},
        {2024, 12, 29, 52}, {2024, 12, 30, 1}, {2026, 12, 31, 53}, {2027, 1, 1, 53},
        {2027, 1, 4, 1},    {2008, 12, 29, 1}, {2016, 1, 3, 53},   {2024, 6, 15, 24},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsoWeekNumber(SafeEncodeDate(c.year, c.month, c.day)), c.week)
            << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(Calendar, DayOfYearAndWeekday) {
    EXPECT_EQ(DayOfYear(SafeEncodeDate(2024, 12, 31)), 366);
    EXPECT_EQ(DayOfYear(SafeEncodeDate(2023, 12, 31)), 365);
    EXPECT_EQ(DayOfYear(SafeEncodeDate(2024, 3, 1)), 61);
    EXPECT_EQ(DayOfWeekIso(SafeEncodeDate(2024, 3, 5)), 2) << "a Tuesday";
    EXPECT_EQ(DayOfWeekIso(0), 6) << "1899-12-30 was a Saturday";
    EXPECT_EQ(DayOfWeekIso(-1), 5) << "1899-12-29 was a Friday";

    // The almanac expression equals the ordinary day of the year in common and leap years.
    for (int year = 2020; year <= 2027; ++year) {
        for (DateTime v = SafeEncodeDate(year, 1, 1); v < SafeEncodeDate(year + 1, 1, 1); ++v) {
            const CivilDate d = DecodeDate(v);
            ASSERT_EQ(DayOfYearAlmanac(d.day, d.month, d.year), DayOfYear(v))
                << d.year << "-" << d.month << "-" << d.day;
        }
    }
}

TEST(Calendar, NthWeekdayOfMonth) {
    struct Case {
        const char* name;
        int weekday, year, month, n, expected;
    };
    const Case cases[] = {
        {"2nd Sunday of March 2024", 7, 2024, 3, 2, 10},
        {"week 5 of a March with five Sundays", 7, 2024, 3, 5, 31},
        {"week 5 of a March with four Sundays is the last", 7, 2023, 3, 5, 26},
        {"first Sunday of April 2024", 7, 2024, 4, 1, 7},
        {"first Monday when the 1st is a Monday", 1, 2024, 1, 1, 1},
        {"4th Thursday of March 2024", 4, 2024, 3, 4, 28},
        {"last Saturday of February 2024", 6, 2024, 2, 5, 24},
        {"a huge n still means last", 5, 2024, 2, 1000, 23},
        {"weekday 0", 0, 2024, 3, 1, 7},
        {"negative n", 7, 2024, 3, -1, 7},
        {"month 0", 7, 2024, 0, 1, 7},
        {"year 0", 7, 0, 3, 1, 7},
        {"weekday 8", 8, 2024, 3, 1, 7},
        {"month 13", 7, 2024, 13, 1, 7},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NthWeekdayOfMonth(c.weekday, c.year, c.month, c.n), c.expected) << c.name;
    }
    EXPECT_EQ(NthWeekdayDate(7, 2024, 3, 5), SafeEncodeDate(2024, 3, 31));
    EXPECT_EQ(NthWeekdayDate(7, 2024, 13, 1), 0.0) << "no such month";
}

} // namespace
} // namespace skelvane

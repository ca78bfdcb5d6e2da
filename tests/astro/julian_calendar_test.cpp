#include "astro/julian_calendar.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

namespace skelvane {
namespace {

// Julian day number of the civil day that starts at a date-time value.
long DayNumber(DateTime value) {
    return static_cast<long>(value) + 2415019;
}

struct KnownDate {
    const char* name;
    int year, month, day;
    long julianDayNumber;
};

// Source: Meeus ch. 7 worked examples and table 7.a (Julian day at 0h + 0.5).
TEST(JulianCalendar, KnownDayNumbers) {
    const KnownDate cases[] = {
        {"Meeus 7.b: 333 January 27 (Julian)", 333, 1, 27, 1842713},
        {"Meeus table 7.a: 837 April 10", 837, 4, 10, 2026872},
        {"Meeus table 7.a: -123 December 31 (124 BC)", -124, 12, 31, 1676497},
        {"Meeus table 7.a: 1582 October 4, last Julian day", 1582, 10, 4, 2299160},
        {"Meeus table 7.a: -1000 July 12 (1001 BC)", -1001, 7, 12, 1356001},
        {"Meeus table 7.a: -4712 January 1, day 0", -4713, 1, 1, 0},
    };
    for (const auto& c : cases) {
        const DateResult julian = JulianCalendarToDate(c.year, c.month, c.day);
        ASSERT_TRUE(julian.ok()) << c.name << ": " << julian.error;
        EXPECT_EQ(DayNumber(julian.value), c.julianDayNumber) << c.name;
        const CalendarDateResult back = DateToJulianCalendar(julian.value);
        EXPECT_EQ(back.date, (CivilDate{c.year, c.month, c.day})) << c.name;
    }
}

TEST(JulianCalendar, HistoricalCalendarSwitchesOn15October1582) {
    const DateResult lastJulian = HistoricalCalendarToDate(1582, 10, 4);
    const DateResult firstGregorian = HistoricalCalendarToDate(1582, 10, 15);
    ASSERT_TRUE(lastJulian.ok() && firstGregorian.ok());
    EXPECT_EQ(firstGregorian.value - lastJulian.value, 1.0);
    EXPECT_EQ(firstGregorian.value, SafeEncodeDate(1582, 10, 15));
    EXPECT_EQ(DateToHistoricalCalendar(lastJulian.value).date, (CivilDate{1582, 10, 4}));
    EXPECT_EQ(DateToHistoricalCalendar(firstGregorian.value).date, (CivilDate{1582, 10, 15}));
    // After the change the historical calendar is the Gregorian one.
    EXPECT_EQ(HistoricalCalendarToDate(2024, 2, 29).value, SafeEncodeDate(2024, 2, 29));
    // 1500 is a Julian leap year, 1700 is not a Gregorian one.
    EXPECT_TRUE(HistoricalCalendarToDate(1500, 2, 29).ok());
    EXPECT_EQ(HistoricalCalendarToDate(1700, 2, 29).error, "Invalid day");
}

TEST(JulianCalendar, RoundTripOverTwoMillenniaOfDays) {
    const DateTime first = JulianCalendarToDate(1, 1, 1).value;
    const DateTime last = SafeEncodeDate(2400, 12, 31);
    int failures = 0;
    for (DateTime day = first; day <= last && failures < 5; day += 1) {
        const CalendarDateResult julian = DateToJulianCalendar(day);
        const CalendarDateResult historical = DateToHistoricalCalendar(day);
        const DateResult julianBack =
            JulianCalendarToDate(julian.date.year, julian.date.month, julian.date.day);
        const DateResult historicalBack = HistoricalCalendarToDate(
            historical.date.year, historical.date.month, historical.date.day);
        if (julianBack.value != day || historicalBack.value != day) {
            ++failures;
            ADD_FAILURE() << "round trip failed at date-time value " << day;
        }
    }
}

struct ErrorCase {
    const char* name;
    int year, month, day;
    const char* error;
};

TEST(JulianCalendar, ImpossibleInputGivesTheErrorTextAndNoDate) {
    const ErrorCase cases[] = {
        {"month 0", 2024, 0, 1, "Invalid month"},
        {"month 13", 2024, 13, 1, "Invalid month"},
        {"day 0", 2024, 1, 0, "Invalid day"},
        {"31 April", 1400, 4, 31, "Invalid day"},
        {"29 February of a common year", 1401, 2, 29, "Invalid day"},
        {"year 0", 0, 1, 1, "Invalid year"},
        {"year 10000", 10000, 1, 1, "Invalid year"},
        {"year -4714", -4714, 1, 1, "Invalid year"},
        {"largest int", INT_MAX, INT_MAX, INT_MAX, "Invalid year"},
        {"largest month", 2024, INT_MAX, 1, "Invalid month"},
        {"smallest day", 1200, 1, INT_MIN, "Invalid day"},
        {"5 October 1582", 1582, 10, 5, "Date invalid due to calendar change"},
        {"14 October 1582", 1582, 10, 14, "Date invalid due to calendar change"},
    };
    for (const auto& c : cases) {
        const DateResult result = HistoricalCalendarToDate(c.year, c.month, c.day);
        EXPECT_EQ(result.error, c.error) << c.name;
        EXPECT_EQ(result.value, 0.0) << c.name;
    }
    // The calendar change does not concern the plain Julian calendar.
    EXPECT_TRUE(JulianCalendarToDate(1582, 10, 10).ok());
}

TEST(JulianCalendar, DatesBeforeDayZeroAreRefused) {
    const DateTime dayZero = JulianCalendarToDate(-4713, 1, 1).value;
    EXPECT_EQ(DateToJulianCalendar(dayZero - 1).error, "Negative julian dates not supported");
    EXPECT_EQ(DateToHistoricalCalendar(dayZero - 1).error, "Negative julian dates not supported");
    EXPECT_EQ(DateToJulianCalendar(std::nan("")).error, "Invalid year");
    EXPECT_EQ(DateToHistoricalCalendar(SafeEncodeDate(9999, 12, 31) + 1).error, "Invalid year");
}

} // namespace
} // namespace skelvane

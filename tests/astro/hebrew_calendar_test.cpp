#include "astro/hebrew_calendar.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>

namespace skelvane {
namespace {

struct HebrewCase {
    const char* name;
    CivilDate gregorian;
    HebrewDate hebrew;
};

// Source: hebcal.com date converter.
TEST(HebrewCalendar, PublishedDates) {
    const HebrewCase cases[] = {
        {"Rosh Hashana 5785", {2024, 10, 3}, {5785, 7, 1}},
        {"Yom Kippur 5785", {2024, 10, 12}, {5785, 7, 10}},
        {"Purim 5784 in Adar 2 of a leap year", {2024, 3, 24}, {5784, 13, 14}},
        {"Hanukah 5784 day 1", {2023, 12, 8}, {5784, 9, 25}},
        {"Hanukah 5783 day 1", {2022, 12, 19}, {5783, 9, 25}},
        {"Pesach 5785 day 1", {2025, 4, 13}, {5785, 1, 15}},
        {"1 January 2000", {2000, 1, 1}, {5760, 10, 23}},
        {"last day of 5784 (29 Elul)", {2024, 10, 2}, {5784, 6, 29}},
    };
    for (const auto& c : cases) {
        const DateTime date = SafeEncodeDate(c.gregorian.year, c.gregorian.month, c.gregorian.day);
        const HebrewDateResult hebrew = DateToHebrew(date);
        ASSERT_TRUE(hebrew.ok()) << c.name << ": " << hebrew.error;
        EXPECT_EQ(hebrew.date, c.hebrew) << c.name;
        EXPECT_EQ(HebrewToDate(c.hebrew.year, c.hebrew.month, c.hebrew.day).value, date) << c.name;
    }
    // The time of day does not move the date.
    EXPECT_EQ(DateToHebrew(SafeEncodeDate(2024, 10, 3) + 0.9).date, (HebrewDate{5785, 7, 1}));
}

TEST(HebrewCalendar, YearTypesFromPublishedYearLengths) {
    // Source: hebcal, 1 Tishri of consecutive years.
    EXPECT_EQ(HebrewYearLength(5782), 384);
    EXPECT_EQ(HebrewYearType(5782), 4);
    EXPECT_EQ(HebrewYearLength(5783), 355);
    EXPECT_EQ(HebrewYearType(5783), 2);
    EXPECT_EQ(HebrewYearLength(5784), 383);
    EXPECT_EQ(HebrewYearType(5784), 3);
    EXPECT_EQ(HebrewYearLength(5785), 355);
}

// Every year the rule reaches, across the calendar change of 1582, has one of the six
// lengths, and the month table adds up to it.
TEST(HebrewCalendar, YearLengthsTakeOnlyTheSixValues) {
    const std::set<int> allowed = {353, 354, 355, 383, 384, 385};
    for (int hebrewYear = 359 + kHebrewYearOffset; hebrewYear <= 9998 + kHebrewYearOffset;
         ++hebrewYear) {
        const int length = HebrewYearLength(hebrewYear);
        ASSERT_TRUE(allowed.count(length) == 1) << "year " << hebrewYear << " has " << length;
        int sum = 0;
        for (int month = 1; month <= 13; ++month)
            sum += HebrewMonthLength(HebrewYearType(hebrewYear), month);
        ASSERT_EQ(sum, length) << hebrewYear;
    }
}

// Day by day, the Hebrew date advances by one day or starts a month, and converts back.
// Covers the calendar change of 1582 and every year the calendar shows.
TEST(HebrewCalendar, ConsecutiveDaysRoundTrip) {
    const DateTime first = SafeEncodeDate(1000, 1, 1);
    const DateTime last = SafeEncodeDate(3429, 12, 31);
    HebrewDate previous = DateToHebrew(first - 1).date;
    int failures = 0;
    for (DateTime day = first; day <= last && failures < 5; day += 1) {
        const HebrewDateResult hebrew = DateToHebrew(day);
        const HebrewDate& h = hebrew.date;
        const bool nextDay =
            h.year == previous.year && h.month == previous.month && h.day == previous.day + 1;
        const bool nextMonth = h.day == 1 && (h.month != previous.month || h.year != previous.year);
        const DateResult back = HebrewToDate(h.year, h.month, h.day);
        if (!hebrew.ok() || !(nextDay || nextMonth) || back.value != day) {
            ++failures;
            ADD_FAILURE() << "date-time value " << day << " gave " << h.day << "/" << h.month << "/"
                          << h.year << " after " << previous.day << "/" << previous.month << "/"
                          << previous.year << (hebrew.ok() ? "" : " " + hebrew.error);
        }
        previous = h;
    }
}

TEST(HebrewCalendar, PassoverFollowsTheCalendarChange) {
    // Up to 1582 the rule gives a Julian-calendar date; 1583 is Gregorian. Source: Gauss's
    // rule evaluated by hand; the two years' Passovers must lie a Hebrew year apart.
    const DateResult p1582 = HebrewPassover(1582);
    const DateResult p1583 = HebrewPassover(1583);
    ASSERT_TRUE(p1582.ok() && p1583.ok());
    const int length = static_cast<int>(p1583.value - p1582.value);
    EXPECT_TRUE(length == 354 || length == 355 || length == 353 || length >= 383) << length;
    EXPECT_EQ(HebrewPassover(2024).value, SafeEncodeDate(2024, 4, 23));
}

struct HebrewErrorCase {
    const char* name;
    int year, month, day;
    const char* error;
};

TEST(HebrewCalendar, ImpossibleInputGivesTheErrorText) {
    const HebrewErrorCase cases[] = {
        {"Adar 2 in a common year", 5785, 13, 1, "Invalid month"},
        {"month 14", 5784, 14, 1, "Invalid month"},
        {"month 0", 5784, 0, 1, "Invalid month"},
        {"day 0", 5784, 7, 0, "Invalid day"},
        {"30 Heshvan in a deficient year", 5784, 8, 30, "Invalid day"},
        {"31 Nisan", 5784, 1, 31, "Invalid day"},
        {"before the algorithm", 4119, 7, 1, "Out of range of the algorithm"},
        {"after year 9999", 13760, 7, 1, "Invalid year"},
        {"smallest int", INT_MIN, 7, 1, "Out of range of the algorithm"},
        {"largest int", INT_MAX, 7, 1, "Invalid year"},
    };
    for (const auto& c : cases) {
        const DateResult result = HebrewToDate(c.year, c.month, c.day);
        EXPECT_EQ(result.error, c.error) << c.name;
        EXPECT_EQ(result.value, 0.0) << c.name;
    }
    EXPECT_EQ(HebrewPassover(358).error, "Out of range of the algorithm");
    EXPECT_EQ(HebrewPassover(INT_MIN).error, "Out of range of the algorithm");
    EXPECT_EQ(HebrewPassover(INT_MAX).error, "Invalid year");
    EXPECT_EQ(HebrewYearLength(INT_MAX), 0);
    EXPECT_TRUE(HebrewPassover(359).ok());
    EXPECT_EQ(DateToHebrew(SafeEncodeDate(300, 6, 1)).error, "Out of range of the algorithm");
    EXPECT_EQ(DateToHebrew(SafeEncodeDate(1582, 10, 10)).date.year, 5343);
}

TEST(HebrewCalendar, MonthNames) {
    EXPECT_EQ(HebrewMonthName(1), "Nisan");
    EXPECT_EQ(HebrewMonthName(7), "Tishri");
    EXPECT_EQ(HebrewMonthName(13), "Adar 2");
    EXPECT_EQ(HebrewMonthName(0), "");
    EXPECT_EQ(HebrewMonthName(14), "");
}

TEST(HebrewCalendar, HanukahDayOne) {
    // Source: hebcal.
    EXPECT_EQ(DecodeDate(HanukahDate(2024)), (CivilDate{2024, 12, 26}));
    EXPECT_EQ(DecodeDate(HanukahDate(2022)), (CivilDate{2022, 12, 19}));
    EXPECT_EQ(DecodeDate(HanukahDate(2025)), (CivilDate{2025, 12, 15}));
    EXPECT_EQ(HanukahDate(100), 0.0);
    EXPECT_EQ(HanukahDate(9999), 0.0);
}

} // namespace
} // namespace skelvane

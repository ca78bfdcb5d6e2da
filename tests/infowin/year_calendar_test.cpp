#include "infowin/year_calendar.h"

#include "astro/holidays.h"
#include "astro/posix_tz.h"
#include "astro/timezone.h"
#include "support/qstring_printer.h"
#include "support/scoped_zone.h"

#include <gtest/gtest.h>
#include <optional>

#include <cmath>
#include <limits>

namespace skelvane {
namespace {

// Monday-to-Friday days counted one at a time over the same span as the rule.
long long BruteForceWorkingDays(DateTime day, DateTime today) {
    const auto d = static_cast<long long>(std::floor(day));
    const auto t = static_cast<long long>(std::floor(today));
    const long long from = d >= t ? t + 1 : d;
    const long long to = d >= t ? d : t - 1;
    long long count = 0;
    for (long long k = from; k <= to; ++k) {
        const int weekday = DayOfWeekIso(static_cast<DateTime>(k));
        if (weekday >= 1 && weekday <= 5)
            ++count;
    }
    return d >= t ? count : -count;
}

TEST(WorkingDaysBetween, MatchesACountDayByDayWithinThirtyYears) {
    // Seven "todays", one on each weekday, and days up to 30 years either way: every day
    // of the first two years, then every 97th day so each weekday and remainder comes up.
    for (int start = 0; start < 7; ++start) {
        const DateTime today = SafeEncodeDate(2024, 3, 4 + start) + 0.4;
        for (int offset = -11000; offset <= 11000; ++offset) {
            if (std::abs(offset) > 730 && offset % 97 != 0)
                continue;
            const DateTime day = std::floor(today) + offset + 0.9;
            ASSERT_EQ(WorkingDaysBetween(day, today), BruteForceWorkingDays(day, today))
                << "today " << today << " offset " << offset;
        }
    }
}

TEST(WorkingDaysBetween, SmallCasesSignsAndBadInput) {
    const DateTime friday = SafeEncodeDate(2024, 12, 20);
    const DateTime monday = SafeEncodeDate(2024, 12, 23);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        DateTime day, today;
        long long expected;
    } cases[] = {
        {friday, friday, 0},               // same day
        {friday + 0.99, friday + 0.01, 0}, // only the calendar day counts
        {monday, friday, 1},               // Sat, Sun, Mon
        {friday, monday, -1},              // Fri, Sat, Sun before Monday
        {friday + 1, friday, 0},           // Saturday alone
        {friday + 7, friday, 5},           // one full week
        {friday - 1, friday, -1},          // Thursday
        // 30 years on: counted exactly, where round(n × 5 / 7) would say 7826.
        {SafeEncodeDate(2054, 12, 20), friday, 7825},
        {nan, friday, 0},
        {friday, std::numeric_limits<double>::infinity(), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WorkingDaysBetween(c.day, c.today), c.expected) << c.day << " from " << c.today;
}

TEST(YearMonthLayout, PlacesDayOneAndNumbersTheWeeks) {
    const struct {
        int year, month, weekStart;
        int firstColumn, rows, firstWeek, lastWeek;
    } cases[] = {
        {2024, 1, 0, 0, 5, 1, 5},   // Monday 1 January, weeks starting Monday
        {2024, 1, 6, 1, 5, 1, 5},   // the same month from Sunday: Sun 31 Dec .. Sat 6 Jan is week 1
        {2021, 1, 0, 4, 5, 53, 4},  // Friday 1 January 2021 still lies in week 53 of 2020
        {2026, 2, 0, 6, 5, 5, 9},   // Sunday 1 February: last column of the first row
        {2026, 2, 6, 0, 4, 6, 9},   // from Sunday the month fills exactly four rows
        {2027, 5, 0, 5, 6, 17, 22}, // Saturday 1 May from Monday: six rows
    };
    for (const auto& c : cases) {
        const YearMonthLayout layout = LayOutYearMonth(c.year, c.month, c.weekStart);
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << " start " << c.weekStart);
        EXPECT_EQ(layout.firstColumn, c.firstColumn);
        EXPECT_EQ(layout.rows, c.rows);
        EXPECT_EQ(layout.weekNumbers[0], c.firstWeek);
        EXPECT_EQ(layout.weekNumbers[static_cast<std::size_t>(layout.rows - 1)], c.lastWeek);
        EXPECT_EQ(YearMonthDayAt(layout, 0, c.firstColumn), 1);
        if (c.firstColumn > 0) {
            EXPECT_EQ(YearMonthDayAt(layout, 0, c.firstColumn - 1), 0);
        }
    }
    const YearMonthLayout sunday = LayOutYearMonth(2024, 1, 6);
    EXPECT_EQ(sunday.columnWeekdays, (std::array<int, 7>{7, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(YearMonthDayAt(sunday, 4, 3), 31);
    EXPECT_EQ(YearMonthDayAt(sunday, 4, 4), 0);
}

TEST(YearMonthLayout, BadMonthsAndWeekStartsDoNotCrash) {
    EXPECT_EQ(LayOutYearMonth(2024, 0, 0).daysInMonth, 0);
    EXPECT_EQ(LayOutYearMonth(2024, 13, 0).rows, 0);
    EXPECT_EQ(LayOutYearMonth(0, 5, 0).rows, 0);
    // An index outside 0..6 reads as Monday.
    EXPECT_EQ(LayOutYearMonth(2024, 1, 9).firstColumn, 0);
    EXPECT_EQ(YearMonthDayAt(LayOutYearMonth(2024, 1, 0), -1, 7), 0);
}

class YearBoldDays : public ::testing::Test {
protected:
    std::optional<test::ScopedZone> zone;
    void SetUp() override {
        zone.reset();
        zone.emplace("EST5EDT,M3.2.0,M11.1.0");
    }
    void TearDown() override { zone.reset(); }
};

TEST_F(YearBoldDays, HolidaysAreBoldOnlyWhenShownAndFrom1756) {
    const std::bitset<32> december = BigCalendarGetMonthInfo(2024, 12, true);
    EXPECT_TRUE(december.test(25)) << "Christmas";
    EXPECT_FALSE(december.test(24));
    EXPECT_TRUE(BigCalendarGetMonthInfo(2024, 3, true).test(10)) << "clocks go ahead";
    EXPECT_TRUE(BigCalendarGetMonthInfo(2024, 12, false).none());
    EXPECT_TRUE(BigCalendarGetMonthInfo(1755, 12, true).none());
    EXPECT_TRUE(BigCalendarGetMonthInfo(1756, 12, true).test(25));
    EXPECT_TRUE(BigCalendarGetMonthInfo(2024, 13, true).none());
}

TEST(YearDayInfo, ThreeLinesAboutTheSelectedDay) {
    const DateTime friday = SafeEncodeDate(2024, 12, 20) + 0.6;
    const YearDayInfo ahead = YearDayInfoLines(SafeEncodeDate(2024, 12, 25), friday);
    EXPECT_EQ(ahead.line1, QStringLiteral("Wednesday December 25, 2024 is 5 days from today."));
    EXPECT_EQ(ahead.line2,
              QStringLiteral("Wednesday December 25, 2024 is 3 working days from today."));
    EXPECT_EQ(ahead.line3, QStringLiteral("Wednesday December 25, 2024"));
    const YearDayInfo before = YearDayInfoLines(SafeEncodeDate(2024, 12, 16), friday);
    EXPECT_EQ(before.line1, QStringLiteral("Monday December 16, 2024 is -4 days from today."));
    EXPECT_EQ(before.line2,
              QStringLiteral("Monday December 16, 2024 is -4 working days from today."));
    EXPECT_TRUE(YearDayInfoLines(std::nan(""), friday).line1.isEmpty());
}

TEST(YearGridGeometry, EveryDayCellHitsItselfAndNothingElseHits) {
    for (const bool weekNumbers : {false, true}) {
        const YearGridGeometry geometry(QSize(726, 552), weekNumbers);
        for (int month = 1; month <= 12; ++month) {
            for (int row = 0; row < 6; ++row) {
                for (int column = 0; column < 7; ++column) {
                    const QRect cell = geometry.dayCell(month, row, column);
                    ASSERT_TRUE(QRect(0, 0, 726, 552).contains(cell)) << month;
                    const auto hit = geometry.hitTest(cell.center());
                    ASSERT_TRUE(hit.has_value());
                    EXPECT_EQ(hit->month, month);
                    EXPECT_EQ(hit->row, row);
                    EXPECT_EQ(hit->column, column);
                }
            }
            EXPECT_FALSE(geometry.hitTest(geometry.titleRect(month).center()));
            EXPECT_FALSE(geometry.hitTest(geometry.headerCell(month, 3).center()));
            if (weekNumbers) {
                EXPECT_FALSE(geometry.hitTest(geometry.weekNumberCell(month, 2).center()));
            }
        }
        EXPECT_FALSE(geometry.hitTest(QPoint(-1, 5)));
        EXPECT_FALSE(geometry.hitTest(QPoint(800, 5)));
    }
    EXPECT_FALSE(YearGridGeometry(QSize(0, 0), false).hitTest(QPoint(0, 0)));
}

} // namespace
} // namespace skelvane

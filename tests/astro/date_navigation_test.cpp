#include "astro/date_navigation.h"
#include "astro/posix_tz.h"
#include "support/scoped_zone.h"

#include <gtest/gtest.h>
#include <optional>

#include <climits>
#include <cmath>

namespace skelvane {
namespace {

DateTime Day(int y, int m, int d) {
    return SafeEncodeDate(y, m, d);
}

struct StepCase {
    const char* name;
    NavigationStep step;
    DateTime from;
    DateTime to; // equal to from when the step is refused
};

TEST(DateNavigation, BoundsAt1600And3429) {
    const StepCase cases[] = {
        {"previous day into 1600 refused", NavigationStep::PreviousDay, Day(1601, 1, 1),
         Day(1601, 1, 1)},
        {"previous day within 1601", NavigationStep::PreviousDay, Day(1601, 1, 2), Day(1601, 1, 1)},
        {"next day into 3429 refused", NavigationStep::NextDay, Day(3428, 12, 31),
         Day(3428, 12, 31)},
        {"next day within 3428", NavigationStep::NextDay, Day(3428, 12, 30), Day(3428, 12, 31)},
        {"previous year from 1601 reaches 1600", NavigationStep::PreviousYear, Day(1601, 6, 1),
         Day(1600, 6, 1)},
        {"previous year from 1600 refused", NavigationStep::PreviousYear, Day(1600, 6, 1),
         Day(1600, 6, 1)},
        {"next year from 3428 reaches 3429", NavigationStep::NextYear, Day(3428, 6, 1),
         Day(3429, 6, 1)},
        {"next year from 3429 refused", NavigationStep::NextYear, Day(3429, 6, 1), Day(3429, 6, 1)},
        {"previous month from January 1601", NavigationStep::PreviousMonth, Day(1601, 1, 15),
         Day(1600, 12, 15)},
        {"previous month from March 1600", NavigationStep::PreviousMonth, Day(1600, 3, 15),
         Day(1600, 2, 15)},
        {"previous month from February 1600 refused", NavigationStep::PreviousMonth,
         Day(1600, 2, 15), Day(1600, 2, 15)},
        {"next month from December 3428", NavigationStep::NextMonth, Day(3428, 12, 15),
         Day(3429, 1, 15)},
        {"next month from November 3429", NavigationStep::NextMonth, Day(3429, 11, 15),
         Day(3429, 12, 15)},
        {"next month from December 3429 refused", NavigationStep::NextMonth, Day(3429, 12, 15),
         Day(3429, 12, 15)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CanNavigate(c.step, c.from), c.to != c.from) << c.name;
        EXPECT_EQ(Navigate(c.step, c.from + 0.5), c.to) << c.name;
    }
    EXPECT_FALSE(CanNavigate(NavigationStep::NextDay, std::nan("")));
}

TEST(DateNavigation, MonthAndYearChangesStepTheDayBack) {
    const StepCase cases[] = {
        {"31 January to February of a leap year", NavigationStep::NextMonth, Day(2024, 1, 31),
         Day(2024, 2, 29)},
        {"31 January to February of a common year", NavigationStep::NextMonth, Day(2023, 1, 31),
         Day(2023, 2, 28)},
        {"31 March back to February", NavigationStep::PreviousMonth, Day(2024, 3, 31),
         Day(2024, 2, 29)},
        {"31 May to June", NavigationStep::NextMonth, Day(2024, 5, 31), Day(2024, 6, 30)},
        {"29 February to the next year", NavigationStep::NextYear, Day(2024, 2, 29),
         Day(2025, 2, 28)},
        {"29 February 1700 does not exist", NavigationStep::PreviousYear, Day(1701, 2, 28),
         Day(1700, 2, 28)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Navigate(c.step, c.from), c.to) << c.name;
    EXPECT_EQ(ChangeMonthYear(Day(2024, 10, 31), 2023, 9), Day(2023, 9, 30));
    EXPECT_EQ(ChangeMonthYear(Day(2024, 10, 31), 3430, 1), 0.0);
    EXPECT_EQ(ChangeMonthYear(Day(2024, 10, 31), 2024, 13), 0.0);
    EXPECT_EQ(ClampDayToMonth(1900, 2, 29), 28);
    EXPECT_EQ(ClampDayToMonth(2000, 2, 30), 29);
    EXPECT_EQ(ClampDayToMonth(2000, 0, 1), 0);
    EXPECT_EQ(ChangeMonthYear(Day(2024, 10, 31), INT_MIN, INT_MAX), 0.0);
}

TEST(DateNavigation, GoToCommandsSelectTheCalendarDay) {
    auto zone = std::make_optional<test::ScopedZone>("EST5EDT,M3.2.0,M11.1.0");
    EXPECT_EQ(GoToHolidayDate(Holiday::Easter, Day(2024, 7, 9) + 0.3), Day(2024, 3, 31));
    EXPECT_EQ(GoToHolidayDate(Holiday::ClockAhead, Day(2024, 7, 9)), Day(2024, 3, 10));
    EXPECT_EQ(GoToDaylightTransition(CurrentTimeZoneState(), false), Day(2024, 11, 3));
    zone.reset();
    EXPECT_EQ(GoToHolidayDate(Holiday::ClockAhead, Day(2024, 7, 9)), 0.0);
    // A zone without daylight saving selects nothing rather than 30 December 1899.
    EXPECT_EQ(GoToDaylightTransition(TimeZoneState{}, true), 0.0);
}

} // namespace
} // namespace skelvane

namespace skelvane {
namespace {

TEST(DateNavigation, YearCalendarStartsIn1756) {
    const DateTime shown1756 = SafeEncodeDate(1756, 3, 4);
    struct Case {
        const char* name;
        DateTime selected, shown, expected;
    } cases[] = {
        {"1650 takes the same day in 1756", SafeEncodeDate(1650, 7, 9), 0,
         SafeEncodeDate(1756, 7, 9)},
        {"a 1756 date already shown stays", SafeEncodeDate(1650, 7, 9), shown1756, shown1756},
        {"a shown date of another year does not", SafeEncodeDate(1650, 7, 9),
         SafeEncodeDate(1800, 1, 1), SafeEncodeDate(1756, 7, 9)},
        {"29 February of 1604 exists in 1756", SafeEncodeDate(1604, 2, 29), 0,
         SafeEncodeDate(1756, 2, 29)},
        {"1756 and later are taken as they are", SafeEncodeDate(1756, 12, 31), shown1756,
         SafeEncodeDate(1756, 12, 31)},
        {"2024", SafeEncodeDate(2024, 12, 25), 0, SafeEncodeDate(2024, 12, 25)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(YearCalendarDateFor(c.selected, c.shown), c.expected);
    }
}

} // namespace
} // namespace skelvane

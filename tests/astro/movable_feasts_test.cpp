#include "astro/movable_feasts.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

struct FeastCase {
    int year;
    CivilDate easter;
    CivilDate orthodoxEaster;
    CivilDate passover;
};

// Source: published church calendars (Western and Orthodox Easter) and hebcal (first day
// of Pesach, 15 Nisan).
TEST(Easter, PublishedDates) {
    const FeastCase cases[] = {
        {2019, {2019, 4, 21}, {2019, 4, 28}, {2019, 4, 20}},
        {2022, {2022, 4, 17}, {2022, 4, 24}, {2022, 4, 16}},
        {2023, {2023, 4, 9}, {2023, 4, 16}, {2023, 4, 6}},
        {2024, {2024, 3, 31}, {2024, 5, 5}, {2024, 4, 23}},
        {2025, {2025, 4, 20}, {2025, 4, 20}, {2025, 4, 13}},
        {2038, {2038, 4, 25}, {2038, 4, 25}, {2038, 4, 20}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeDate(EasterDate(c.year)), c.easter) << c.year;
        EXPECT_EQ(DecodeDate(OrthodoxEasterDate(c.year)), c.orthodoxEaster) << c.year;
        EXPECT_EQ(DecodeDate(PassoverDate(c.year)), c.passover) << c.year;
    }
}

// Over the calendar's years Easter is a Sunday between 22 March and 25 April and Orthodox
// Easter a Sunday on or after it. Passover day 1 never falls on Monday, Wednesday or Friday
// (lo BaDU Pesach); it drifts later over the centuries, to 30 April in 3031 and 1 May in
// 3430 (needed for the Hebrew year that starts in 3429), which must be a real date.
TEST(Easter, EveryYearIsASundayWithinItsBounds) {
    double earliest = 99, latest = 0;
    int earliestYear = 0, latestYear = 0;
    for (int year = 1600; year <= 3429; ++year) {
        const DateTime easter = EasterDate(year);
        const DateTime orthodox = OrthodoxEasterDate(year);
        ASSERT_EQ(DayOfWeekIso(easter), 7) << year;
        ASSERT_EQ(DayOfWeekIso(orthodox), 7) << year;
        ASSERT_GE(easter, SafeEncodeDate(year, 3, 22)) << year;
        ASSERT_LE(easter, SafeEncodeDate(year, 4, 25)) << year;
        ASSERT_GE(orthodox, easter) << year;
        const DateTime passover = PassoverDate(year);
        ASSERT_EQ(DecodeDate(passover).year, year) << year;
        const int weekday = DayOfWeekIso(passover);
        ASSERT_TRUE(weekday != 1 && weekday != 3 && weekday != 5) << year;
        const double day = passover - SafeEncodeDate(year, 3, 1) + 1;
        if (day < earliest)
            earliest = day, earliestYear = year;
        if (day > latest)
            latest = day, latestYear = year;
    }
    // Day of March: 24 = 24 March, 61 = 30 April.
    EXPECT_GE(earliest, 24) << "earliest Passover, " << earliestYear;
    EXPECT_EQ(latest, 61) << "latest Passover, " << latestYear;
    EXPECT_EQ(DecodeDate(PassoverDate(3430)), (CivilDate{3430, 5, 1}));
}

TEST(Easter, YearsOutsideTheCalendarGiveNoDate) {
    for (int year : {0, -5, 10000}) {
        EXPECT_EQ(EasterDate(year), 0.0) << year;
        EXPECT_EQ(OrthodoxEasterDate(year), 0.0) << year;
        EXPECT_EQ(PassoverDate(year), 0.0) << year;
    }
}

} // namespace
} // namespace skelvane

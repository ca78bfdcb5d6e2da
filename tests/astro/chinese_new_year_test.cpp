#include "astro/chinese_new_year.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

// Source: Hong Kong Observatory Gregorian-lunar calendar conversion tables.
TEST(ChineseNewYear, PublishedDates) {
    const CivilDate cases[] = {
        {1900, 1, 31}, {1950, 2, 17}, {1985, 2, 20}, {2000, 2, 5},  {2020, 1, 25},
        {2021, 2, 12}, {2022, 2, 1},  {2023, 1, 22}, {2024, 2, 10}, {2025, 1, 29},
        {2026, 2, 17}, {2033, 1, 31}, {2034, 2, 19},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeDate(ChineseNewYearDate(c.year)), c) << c.year;
}

TEST(ChineseNewYear, ChinaTimeSwitchesIn1929) {
    const DateTime before = SafeEncodeDate(1928, 12, 31);
    const DateTime after = SafeEncodeDate(1929, 1, 1);
    EXPECT_NEAR(ChinaTimeFromUtc(before) - before, 0.3233796, 1e-12);
    EXPECT_NEAR(ChinaTimeFromUtc(after) - after, 8.0 / 24.0, 1e-12);
}

TEST(ChineseNewYear, PrincipalTermsAroundTheWinterSolstice) {
    // Source: USNO, December solstice 2023 = 22 December 03:27 UT = 11:27 China time.
    const DateTime solstice = NextPrincipalTerm(SafeEncodeDate(2023, 12, 15));
    EXPECT_NEAR(solstice, SafeEncodeDateTime(2023, 12, 22, 11, 27, 0, 0), 2.0 / 1440);
    EXPECT_EQ(PreviousPrincipalTerm(solstice + 1e-3), solstice);
    // The term before the solstice is November's (Sun at 240°), one month earlier.
    EXPECT_NEAR(solstice - PreviousPrincipalTerm(solstice), 29.6, 1.0);
}

TEST(ChineseNewYear, YearsOutsideTheRangeGiveNoDate) {
    EXPECT_EQ(ChineseNewYearDate(0), 0.0);
    EXPECT_EQ(ChineseNewYearDate(10000), 0.0);
}

} // namespace
} // namespace skelvane

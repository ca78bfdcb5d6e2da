#include "astro/chinese_new_year.h"
#include "astro/holidays.h"
#include "astro/posix_tz.h"
#include "astro/timezone.h"
#include "support/scoped_zone.h"

#include <gtest/gtest.h>
#include <optional>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace skelvane {
namespace {

constexpr const char* kNewYork = "EST5EDT,M3.2.0,M11.1.0";
constexpr const char* kBerlin = "CET-1CEST,M3.5.0,M10.5.0/3";

// Each test installs its zone (or none) and starts with an empty holiday cache.
class HolidayTest : public ::testing::Test {
protected:
    void SetUp() override { UseZone(nullptr); }
    void TearDown() override { zone.reset(); }
    void UseZone(const char* rule) {
        zone.reset(); // no zone: UTC, and the holiday cache emptied
        if (rule != nullptr)
            zone.emplace(rule);
    }
    std::optional<test::ScopedZone> zone;
};

DateTime Day(int y, int m, int d) {
    return SafeEncodeDate(y, m, d);
}

struct HolidayCase {
    Holiday holiday;
    CivilDate date;
};

// Source: published 2024 and 2022 US calendars; Jewish dates from hebcal, Orthodox Easter
// from the Orthodox church calendar, Chinese New Year from the Hong Kong Observatory.
TEST_F(HolidayTest, PublishedDatesOf2024And2022) {
    const HolidayCase cases[] = {
        {Holiday::MartinLKing, {2024, 1, 15}},   {Holiday::ChinaNewYear, {2024, 2, 10}},
        {Holiday::WashBirthday, {2024, 2, 19}},  {Holiday::AshWednesday, {2024, 2, 14}},
        {Holiday::GoodFriday, {2024, 3, 29}},    {Holiday::Easter, {2024, 3, 31}},
        {Holiday::OrthodoxEaster, {2024, 5, 5}}, {Holiday::PassoverDay1, {2024, 4, 23}},
        {Holiday::MothersDay, {2024, 5, 12}},    {Holiday::MemorialDay, {2024, 5, 27}},
        {Holiday::FathersDay, {2024, 6, 16}},    {Holiday::LaborDay, {2024, 9, 2}},
        {Holiday::JewishNewYear, {2024, 10, 3}}, {Holiday::ColumbusDay, {2024, 10, 14}},
        {Holiday::ElectionDay, {2024, 11, 5}},   {Holiday::Thanksgiving, {2024, 11, 28}},
        {Holiday::HanukahDay1, {2024, 12, 26}},  {Holiday::PassoverDay1, {2022, 4, 16}},
        {Holiday::JewishNewYear, {2022, 9, 26}}, {Holiday::HanukahDay1, {2022, 12, 19}},
        {Holiday::Thanksgiving, {2022, 11, 24}}, {Holiday::ElectionDay, {2022, 11, 8}},
    };
    for (const auto& c : cases) {
        const DateTime expected = Day(c.date.year, c.date.month, c.date.day);
        EXPECT_EQ(HolidayDate(c.holiday, c.date.year), expected) << HolidayName(c.holiday);
        // The lookup the month grid makes finds it too.
        bool found = false;
        for (HolidayMatch m = HolidayNameOn(1, expected); m.index != 0;
             m = HolidayNameOn(m.index + 1, expected))
            found = found || m.name == HolidayName(c.holiday);
        EXPECT_TRUE(found) << HolidayName(c.holiday) << " on " << c.date.year;
    }
}

TEST_F(HolidayTest, TableIsSortedAndHoldsEveryHolidayOnce) {
    UseZone(kNewYork);
    const HolidayTable table = BuildHolidayTable(2024);
    EXPECT_EQ(table.year, 2024);
    EXPECT_TRUE(std::is_sorted(table.entries.begin(), table.entries.end(),
                               [](const auto& a, const auto& b) { return a.date < b.date; }));
    for (int number = 1; number <= kHolidayCount; ++number) {
        const auto holiday = static_cast<Holiday>(number);
        EXPECT_EQ(std::count_if(table.entries.begin(), table.entries.end(),
                                [&](const auto& e) {
                                    return e.holiday == holiday && e.name == HolidayName(holiday);
                                }),
                  1)
            << HolidayName(holiday);
        EXPECT_LE(HolidayName(holiday).size(), 20u);
    }
    EXPECT_EQ(table.entries.front().name, "New Year's Day");
    EXPECT_EQ(table.entries.back().name, "Hanukah Day 1");
}

TEST_F(HolidayTest, TwoHolidaysOnOneDayAreFoundWithIndexPlusOne) {
    // 14 February 2024 is Ash Wednesday and Valentine's Day; same-day entries keep the order
    // in which the table is filled.
    const HolidayMatch first = HolidayNameOn(1, Day(2024, 2, 14) + 0.75);
    EXPECT_EQ(first.name, "Ash Wednesday");
    const HolidayMatch second = HolidayNameOn(first.index + 1, Day(2024, 2, 14));
    EXPECT_EQ(second.name, "Valentine's Day");
    EXPECT_EQ(second.index, first.index + 1);
    EXPECT_EQ(HolidayNameOn(second.index + 1, Day(2024, 2, 14)).name, "");
    EXPECT_EQ(HolidayNameOn(1, Day(2024, 2, 15)).index, 0);
}

TEST_F(HolidayTest, ClockChangeOnEasterShowsBoth) {
    // 2024 in Berlin: the clocks go forward at 02:00 on 31 March, the last Sunday of March
    // and Easter Sunday. Source: published EU summer-time dates.
    UseZone(kBerlin);
    const HolidayMatch easter = HolidayNameOn(1, Day(2024, 3, 31));
    EXPECT_EQ(easter.name, "Easter");
    const HolidayMatch clock = HolidayNameOn(easter.index + 1, Day(2024, 3, 31));
    EXPECT_EQ(clock.name, "Clock Ahead 1H");
    EXPECT_EQ(HolidayDate(Holiday::ClockAhead, 2024), SafeEncodeDateTime(2024, 3, 31, 2, 0, 0, 0));
    EXPECT_EQ(HolidayDate(Holiday::ClockBack, 2024), SafeEncodeDateTime(2024, 10, 27, 3, 0, 0, 0));
}

TEST_F(HolidayTest, ClockChangesFollowTheZone) {
    UseZone(kNewYork);
    EXPECT_EQ(HolidayNameOn(1, Day(2024, 3, 10)).name, "Clock Ahead 1H");
    EXPECT_EQ(HolidayNameOn(1, Day(2024, 11, 3)).name, "Clock Back 1H");
    // A zone without daylight saving gives both entries no date: nothing matches, and the
    // cached table is rebuilt once it is invalidated.
    UseZone("JST-9");
    EXPECT_EQ(HolidayDate(Holiday::ClockAhead, 2024), 0.0);
    EXPECT_EQ(HolidayDate(Holiday::ClockBack, 2024), 0.0);
    EXPECT_EQ(HolidayNameOn(1, Day(2024, 3, 10)).index, 0);
    EXPECT_EQ(HolidayNameOn(1, 0).index, 0);
    EXPECT_EQ(HolidayTableFor(2024).entries[0].date, 0.0);
}

TEST_F(HolidayTest, LookupEdgesAreHarmless) {
    EXPECT_EQ(HolidayNameOn(0, Day(2024, 12, 25)).name, "Christmas");
    EXPECT_EQ(HolidayNameOn(-3, Day(2024, 12, 25)).name, "Christmas");
    EXPECT_EQ(HolidayNameOn(28, Day(2024, 12, 25)).index, 0);
    EXPECT_EQ(HolidayNameOn(1, std::nan("")).index, 0);
    EXPECT_EQ(HolidayNameOn(1, 1e300).index, 0);
    EXPECT_EQ(HolidayDate(static_cast<Holiday>(0), 2024), 0.0);
    EXPECT_EQ(HolidayName(static_cast<Holiday>(28)), "");
    EXPECT_EQ(HolidayDate(Holiday::Easter, INT_MIN), 0.0);
    EXPECT_EQ(HolidayDate(Holiday::HanukahDay1, INT_MAX), 0.0);
}

// Every year the calendar reaches builds a full table, and Chinese New Year lands between
// 21 January and 21 February (Aslaksen, "The Mathematics of the Chinese Calendar": the
// astronomical rule keeps it within these dates; 21 February happens once in 1600..3429, in
// 2319, after a new moon on the solstice day of 2318). One table costs about 1.5 ms, mostly
// the Chinese New Year's solar-term searches: the whole range takes about 3 s. Years to
// watch: 1929 (China time changes), 1966 (21 January), 2033 (leap month after the
// solstice), 2319, and 3365 and 3428 (solar terms at the edge of the date value's precision).
TEST_F(HolidayTest, EveryCalendarYearBuildsAFullTable) {
    UseZone(kNewYork);
    std::vector<int> years;
    for (int year = 1600; year <= 3429; ++year)
        years.push_back(year);
    const auto start = std::chrono::steady_clock::now();
    double earliest = 99, latest = 0;
    int earliestYear = 0, latestYear = 0;
    for (int year : years) {
        const HolidayTable table = BuildHolidayTable(year);
        for (const HolidayEntry& e : table.entries) {
            ASSERT_NE(e.date, 0.0) << e.name << " in " << year;
            // From 3031 on, 25 Kislev of the Hebrew year of 15 December can fall in the next
            // January; the rule keeps that date.
            const int expectedYear =
                e.holiday == Holiday::HanukahDay1 && e.date >= SafeEncodeDate(year + 1, 1, 1)
                    ? year + 1
                    : year;
            ASSERT_EQ(DecodeDate(e.date).year, expectedYear) << e.name << " in " << year;
            if (e.holiday != Holiday::ChinaNewYear)
                continue;
            const double day = e.date - SafeEncodeDate(year, 1, 1) + 1;
            if (day < earliest)
                earliest = day, earliestYear = year;
            if (day > latest)
                latest = day, latestYear = year;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%zu tables in %.2f s; Chinese New Year earliest day %g (%d), latest %g (%d)\n",
                years.size(), seconds, earliest, earliestYear, latest, latestYear);
    EXPECT_EQ(earliest, 21) << "day of year (21 = 21 January) in " << earliestYear;
    EXPECT_EQ(latest, 52) << "day of year (52 = 21 February) in " << latestYear;
}

} // namespace
} // namespace skelvane

#include "astro/day_lists.h"

#include "astro/posix_tz.h"
#include "astro/timezone.h"
#include "support/scoped_zone.h"

#include <gtest/gtest.h>
#include <optional>

namespace skelvane {
namespace {

constexpr double kNewYorkLatitude = 40.7128;
constexpr double kNewYorkLongitude = -74.006;

class DayListsTest : public ::testing::Test {
protected:
    std::optional<test::ScopedZone> zone;
    void UseZone(const char* rule) {
        zone.reset();
        zone.emplace(rule);
    }
    void TearDown() override { zone.reset(); }

    static ListDisplayMode Greenwich() {
        ListDisplayMode mode;
        mode.localTime = false;
        return mode;
    }
    static ListDisplayMode Local() { return ListDisplayMode{}; }
};

// source: August 2023 phases (UT): full 1 Aug 18:31, last quarter 8 Aug 10:28, new 16 Aug
// 09:38, first quarter 24 Aug 09:57, full 31 Aug 01:35 — the month with two full moons.
TEST_F(DayListsTest, PhasesOfAMonthInTimeOrder) {
    const auto phases = CalcMoonPhases(Greenwich(), SafeEncodeDate(2023, 8, 15));
    const float codes[] = {1, -0.5f, 0, 0.5f, 1};
    const int days[] = {1, 8, 16, 24, 31};
    for (int i = 0; i < 5; ++i) {
        ASSERT_FALSE(phases[i].empty()) << "slot " << i;
        EXPECT_EQ(phases[i].phaseCode, codes[i]) << "slot " << i;
        EXPECT_EQ(DecodeDate(phases[i].instant()), (CivilDate{2023, 8, days[i]})) << "slot " << i;
        EXPECT_EQ(phases[i].zoneName, kGreenwichZoneName);
    }
    EXPECT_EQ(phases[0].text.substr(0, 11), "08/01/23   ") << phases[0].text;
    EXPECT_EQ(phases[0].text.substr(phases[0].text.size() - 12), "   Full Moon") << phases[0].text;
    EXPECT_EQ(GetMoonPhaseName(phases, SafeEncodeDate(2023, 8, 31)), "FULL MOON");
    EXPECT_EQ(GetMoonPhaseName(phases, SafeEncodeDate(2023, 8, 24)), "First Quarter");
    EXPECT_EQ(GetMoonPhaseName(phases, SafeEncodeDate(2023, 8, 30)), "");

    // Four phases only in February 2018 (no full moon): the fifth slot stays empty.
    const auto february = CalcMoonPhases(Greenwich(), SafeEncodeDate(2018, 2, 10));
    EXPECT_TRUE(february[3].empty() || february[4].empty());
    for (const StMoonRec& phase : february)
        EXPECT_FALSE(!phase.empty() && phase.phaseCode == 1) << "no full moon: " << phase.text;
}

TEST_F(DayListsTest, LocalModeMovesPhasesToTheLocalDay) {
    UseZone("EST5EDT,M3.2.0,M11.1.0");
    // The full moon of 31 Aug 2023 01:35 UT is on the evening of 30 August in New York.
    const auto phases = CalcMoonPhases(Local(), SafeEncodeDate(2023, 8, 15));
    EXPECT_EQ(GetMoonPhaseName(phases, SafeEncodeDate(2023, 8, 30)), "FULL MOON");
    EXPECT_EQ(GetMoonPhaseName(phases, SafeEncodeDate(2023, 8, 31)), "");
    EXPECT_EQ(phases[4].zoneName, "EDT");
}

TEST_F(DayListsTest, MoonEventsOfTheDayInTimeOrder) {
    const DateTime day = SafeEncodeDate(2024, 6, 21);
    // UT: the day's rise and set as the rise-and-set routine gives them for the UT day.
    const MoonDayEvents ut =
        CalcMoonRiseSet(Greenwich(), day, day + 0.5, kNewYorkLatitude, kNewYorkLongitude, 0);
    ASSERT_EQ(ut.count, 2);
    EXPECT_TRUE(ut.events[0].isRise);
    EXPECT_EQ(ut.events[0].text, "Moonrise 12:49 AM  06/21/24");
    EXPECT_FALSE(ut.events[1].isRise);
    EXPECT_FALSE(ut.moonUp) << "at noon UT the Moon has set (08:29) after rising (00:49)";

    // New York local time: the set in the early morning (08:29:38 UT, shown rounded to the
    // minute), the rise in the evening.
    UseZone("EST5EDT,M3.2.0,M11.1.0");
    const MoonDayEvents local =
        CalcMoonRiseSet(Local(), day, day + 0.5, kNewYorkLatitude, kNewYorkLongitude, 0);
    ASSERT_EQ(local.count, 2);
    EXPECT_FALSE(local.events[0].isRise);
    EXPECT_TRUE(local.events[1].isRise);
    EXPECT_EQ(local.events[0].zoneName, "EDT");
    EXPECT_EQ(local.events[0].text.substr(0, 16), "Moonset  4:30 AM") << local.events[0].text;
    EXPECT_FALSE(local.moonUp) << "noon: after the set, before the rise";
    EXPECT_TRUE(
        CalcMoonRiseSet(Local(), day, day + 22.0 / 24, kNewYorkLatitude, kNewYorkLongitude, 0)
            .moonUp)
        << "22:00: after the evening rise";
}

TEST_F(DayListsTest, WholeDaysUpOrDown) {
    // At 80° the Moon stays up or down all day near its extreme declinations.
    struct Case {
        const char* name;
        double latitude;
        DateTime day;
    } cases[] = {{"north, 9 Jan 2024", 80, SafeEncodeDate(2024, 1, 9)},
                 {"south, 9 Jan 2024", -80, SafeEncodeDate(2024, 1, 9)},
                 {"north, 22 Jan 2024", 80, SafeEncodeDate(2024, 1, 22)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MoonDayEvents events =
            CalcMoonRiseSet(Greenwich(), c.day, c.day + 0.5, c.latitude, 0, 0);
        ASSERT_GE(events.count, 1);
        EXPECT_TRUE(events.allDay) << events.events[0].text;
        EXPECT_EQ(events.moonUp, events.events[0].text == "Moon up all day");
    }
}

TEST_F(DayListsTest, DatesOutsideTheEngineGiveNoMoonEvents) {
    // Far-off values once made the day loop run past the largest day number for ever.
    for (const DateTime date :
         {1e12, -1e12, SafeEncodeDate(4500, 1, 1), SafeEncodeDate(1500, 1, 1)}) {
        SCOPED_TRACE(date);
        const MoonDayEvents events = CalcMoonRiseSet(Greenwich(), date, date, 40, -74, 0);
        EXPECT_EQ(events.count, 0);
    }
    // Days inside the range near its end still list their events.
    EXPECT_GT(CalcMoonRiseSet(Greenwich(), SafeEncodeDate(3999, 6, 15), SafeEncodeDate(3999, 6, 15),
                              40, -74, 0)
                  .count,
              0);
}

TEST_F(DayListsTest, EquinoxesAndSolsticesOfAYear) {
    // source: 2024 March equinox 03:06 UT on 20 March (23:06 EDT on 19 March)
    const auto ut = CalcEquinoxSolstice(Greenwich(), 2024);
    EXPECT_EQ(ut[0].name, "Mar Equinox");
    EXPECT_EQ(ut[3].name, "Dec Solstice");
    EXPECT_EQ(ut[0].text, "03/20/24   03:06  AM  Mar Equinox");
    EXPECT_EQ(GetEquinoxSolsticeName(ut, SafeEncodeDate(2024, 3, 20)), "Mar Equinox");
    EXPECT_EQ(GetEquinoxSolsticeName(ut, SafeEncodeDate(2024, 3, 19)), "");

    UseZone("EST5EDT,M3.2.0,M11.1.0");
    const auto local = CalcEquinoxSolstice(Local(), 2024);
    EXPECT_EQ(GetEquinoxSolsticeName(local, SafeEncodeDate(2024, 3, 19)), "Mar Equinox");
    EXPECT_EQ(local[0].zoneName, "EDT");
}

TEST(MyDateTimeString, TimeForms) {
    const DateTime utc = SafeEncodeDateTime(2024, 7, 4, 15, 7, 42, 0);
    EXPECT_EQ(MyDateTimeString("mm/dd/yy", true, false, false, utc).text, "07/04/24   15:07");
    EXPECT_EQ(MyDateTimeString("mm/dd/yy", false, false, false, utc).text, "07/04/24   03:07  PM");
    EXPECT_EQ(MyDateTimeString("mm/dd/yy", false, true, false, utc).text, "07/04/24   3:08 PM")
        << "rounded to the minute";
    EXPECT_EQ(MyDateTimeString("mm/dd/yy", true, false, false, utc).zoneName, kGreenwichZoneName);
}

} // namespace
} // namespace skelvane

#include "astro/moon_calendar.h"

#include "astro/datetime.h"
#include "astro/lunation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

namespace skelvane {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

DateTime Utc(int year, int month, int day, int hour = 0, int minute = 0) {
    return SafeEncodeDateTime(year, month, day, hour, minute, 0, 0);
}

// Against published UT: no ΔT is applied (69 s in 2024) and the almanac rounds to the
// minute; three minutes.
constexpr double kPublishedDays = 3.0 / 1440;

TEST(MoonCalendar, ApparentPositionMeeusExample47a) {
    // Source: Meeus example 47.a, 1992 April 12 0h TD (read here as UTC): apparent
    // λ = 133.167265° (with Δψ = 0.004610°), β = -3.229126°, Δ = 368409.7 km,
    // α = 134.688470°, δ = 13.768368°. This model's first-edition mean elements and 31-row
    // nutation move λ, α and δ by under 0.00001° from the book's; 0.00002° allows for them.
    const ApparentPosRec p = ApparentMoonPosition(Utc(1992, 4, 12));
    struct Case {
        const char* name;
        double actual, expected, tolerance;
    };
    const Case cases[] = {
        {"λ", static_cast<double>(p.longitude), 133.167265, 2e-5},
        {"β", static_cast<double>(p.latitude), -3.229126, 2e-5},
        {"Δ km", static_cast<double>(p.distanceKm), 368409.7, 0.1},
        {"α", static_cast<double>(p.ra), 134.688470, 2e-5},
        {"δ", static_cast<double>(p.dec), 13.768368, 2e-5},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(c.actual, c.expected, c.tolerance)
            << c.name << ": expected " << c.expected << ", got " << c.actual;
}

TEST(MoonCalendar, PhaseAngleMeeusExample48a) {
    // Source: Meeus example 48.a, 1992 April 12 0h TD: i = 69.0756°, k = 0.6786, waxing.
    // The Sun here comes from the full VSOP87 series, the book's from its own; 0.001° covers
    // the difference.
    const DateTime t = Utc(1992, 4, 12);
    EXPECT_NEAR(MoonPhaseAngle(t), 69.0756, 0.001) << "tolerance 0.001°";
    EXPECT_NEAR(MoonIlluminatedFraction(t), 0.6786, 0.0002) << "tolerance 0.0002";
}

TEST(MoonCalendar, IlluminationAndAgeAtPublishedPhases) {
    // Source: USNO, 2024 (UT). At a full or new moon the phase angle is not quite 0 or 180:
    // the Moon stands up to 5.3° off the ecliptic, which leaves the fraction within 0.003 of
    // 1 or 0.
    struct Case {
        const char* name;
        DateTime when;
        double fraction, age; // age in days; 0 at new moon may read as 29.53
        double signOfAngle;   // +1 waxing, -1 waning, 0 either
    };
    const Case cases[] = {
        {"new moon Jan 11 11:57", Utc(2024, 1, 11, 11, 57), 0.0, 0.0, 0},
        {"first quarter Jan 18 03:52", Utc(2024, 1, 18, 3, 52), 0.5, 29.530589 / 4, +1},
        {"full moon Jan 25 17:54", Utc(2024, 1, 25, 17, 54), 1.0, 29.530589 / 2, 0},
        {"last quarter Feb 2 23:18", Utc(2024, 2, 2, 23, 18), 0.5, 29.530589 * 3 / 4, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(MoonIlluminatedFraction(c.when), c.fraction, 0.003) << "tolerance 0.003";
        double age = MoonAgeDays(c.when);
        if (c.age == 0 && age > 15)
            age -= 29.530589;
        // The age runs at the mean rate; the true Moon drifts from it by up to half a day.
        EXPECT_NEAR(age, c.age, 0.01) << "tolerance 0.01 day (the instant is to the minute)";
        if (c.signOfAngle != 0) {
            EXPECT_GT(MoonPhaseAngle(c.when) * c.signOfAngle, 0);
        }
    }
    EXPECT_TRUE(std::isnan(MoonPhaseAngle(kNan)));
    EXPECT_TRUE(std::isnan(MoonAgeDays(kNan)));
}

TEST(PhaseIcon, IndexTable) {
    struct Case {
        const char* name;
        double progress;
        int index;
    };
    const Case cases[] = {
        {"new moon", 0.0, 0},
        {"edge of new, waxing (lower index wins)", 1.0 / 24, 0},
        {"edge of new, waning (lower index wins)", -1.0 / 24, 0},
        {"just past 1/24", 1.0 / 24 + 1e-9, 1},
        {"edge 3/24 waxing", 3.0 / 24, 1},
        {"first quarter", 0.5, 6},
        {"edge 13/24 waxing", 13.0 / 24, 6},
        {"edge 23/24 waxing", 23.0 / 24, 11},
        {"full moon", 1.0, 12},
        {"past 23/24 waning", -(23.0 / 24 + 1e-9), 12},
        {"edge 23/24 waning", -23.0 / 24, 13},
        {"edge 21/24 waning (13 beats 14)", -21.0 / 24, 13},
        {"last quarter", -0.5, 18},
        {"edge 13/24 waning (17 beats 18)", -13.0 / 24, 17},
        {"edge 11/24 waning (18 beats 19)", -11.0 / 24, 18},
        {"edge 3/24 waning (22 beats 23)", -3.0 / 24, 22},
        {"just past -1/24", -1.0 / 24 - 1e-9, 23},
        {"NaN", kNan, 12},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PhaseIconIndexFromProgress(c.progress), c.index) << c.name;
}

TEST(PhaseIcon, FromPhaseAngleAndCodes) {
    struct Case {
        const char* name;
        double angle;
        int index;
    };
    const Case cases[] = {
        {"first quarter +90", 90, 6},    {"last quarter -90", -90, 18},
        {"new moon +180", 180, 0},       {"new moon -180", -180, 0},
        {"full moon 0", 0, 12},          {"nearly full, waning", -1, 12},
        {"waxing crescent 150", 150, 2}, {"waning crescent -150", -150, 22},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PhaseIconIndex(c.angle), c.index) << c.name;

    EXPECT_EQ(PhaseIconIndexOfCode(kFirstQuarterCode, false), 6);
    EXPECT_EQ(PhaseIconIndexOfCode(kLastQuarterCode, false), 18);
    EXPECT_EQ(PhaseIconIndexOfCode(kFirstQuarterCode, true), 18) << "quarters swap in the south";
    EXPECT_EQ(PhaseIconIndexOfCode(kNewMoonCode, true), 0);
    EXPECT_EQ(PhaseIconIndexOfCode(kFullMoonCode, true), 12);
    EXPECT_EQ(PhaseIconIndexOfCode(0.25f, false), -1);
}

TEST(PhaseSearch, PrincipalPhasesNearPublishedInstants) {
    // Source: USNO 2024 (UT). Searched from a date a few days off.
    struct Case {
        const char* name;
        int phase;
        DateTime near, expected;
    };
    const Case cases[] = {
        {"new moon", 0, Utc(2024, 1, 9), Utc(2024, 1, 11, 11, 57)},
        {"first quarter", 2, Utc(2024, 1, 14), Utc(2024, 1, 18, 3, 52)},
        {"full moon", 4, Utc(2024, 1, 14), Utc(2024, 1, 25, 17, 54)},
        {"last quarter", 6, Utc(2024, 1, 14), Utc(2024, 2, 2, 23, 18)},
        {"full moon 1999-01-31", 4, Utc(1999, 1, 20), Utc(1999, 1, 31, 16, 7)},
    };
    for (const Case& c : cases) {
        const DateTime got = CalendarPhaseInstant(c.phase, c.near);
        EXPECT_NEAR(got, c.expected, kPublishedDays)
            << c.name << ": diff " << (got - c.expected) * 1440 << " min";
    }
}

TEST(PhaseSearch, OctantsSettleOnTheirAge) {
    // Odd phases iterate until the age equals phase × 29.530589 / 8 to 1e-7 day; each must
    // fall between the principal phases around it. Reports the worst age residual.
    const DateTime newMoon = Utc(2024, 1, 11, 11, 57);
    const DateTime nextNew = Utc(2024, 2, 9, 22, 59); // USNO
    double worst = 0;
    for (int phase = 1; phase <= 7; phase += 2) {
        const DateTime guess = newMoon + phase * 29.530589 / 8;
        const DateTime got = CalendarPhaseInstant(phase, guess + 2.0);
        const double target = phase * 29.530589 / 8;
        const double residual = std::fabs(MoonAgeDays(got) - target);
        worst = std::fmax(worst, residual);
        EXPECT_LT(residual, 1e-6) << "phase " << phase << " age residual " << residual;
        EXPECT_GT(got, newMoon) << "phase " << phase;
        EXPECT_LT(got, nextNew) << "phase " << phase;
        // The Moon's age advances within 20% of the mean rate, so the octant lies within a
        // day of its mean place in the lunation.
        EXPECT_NEAR(got, guess, 1.0) << "phase " << phase;
    }
    std::printf("octant search worst age residual: %.2e days\n", worst);
}

TEST(PhaseSearch, LastAndNextBracketTheDate) {
    // For dates across four centuries and every phase 0..7, the instants found lie on either
    // side of the date and at most one lunation apart (29.2..29.9 days for a given
    // elongation; a skipped one would leave 59). Reports the widest gap.
    double widest = 0;
    for (int i = 0; i < 12; ++i) {
        const DateTime date = Utc(1700 + 47 * i, 1 + i, 3 + 2 * i, 5 * i % 24);
        for (int phase = 0; phase <= 7; ++phase) {
            const PhaseSearchResult before = LastPhaseBefore(phase, date);
            const PhaseSearchResult after = NextPhaseAfter(phase, date);
            ASSERT_TRUE(before.ok()) << before.error;
            ASSERT_TRUE(after.ok()) << after.error;
            EXPECT_LE(before.value, date) << "phase " << phase << " date " << date;
            EXPECT_GE(after.value, date) << "phase " << phase << " date " << date;
            const double gap = after.value - before.value;
            widest = std::fmax(widest, gap);
            EXPECT_LT(gap, 30.2) << "phase " << phase << " date " << date;
        }
    }
    std::printf("widest last-to-next gap: %.3f days\n", widest);

    // Source: USNO 2024: around 2024-01-20 the full moons are 2023-12-27 00:33 and
    // 2024-01-25 17:54.
    const DateTime date = Utc(2024, 1, 20);
    EXPECT_NEAR(LastPhaseBefore(4, date).value, Utc(2023, 12, 27, 0, 33), kPublishedDays);
    EXPECT_NEAR(NextPhaseAfter(4, date).value, Utc(2024, 1, 25, 17, 54), kPublishedDays);
}

TEST(PhaseSearch, ImpossiblePhasesReportNoDate) {
    const DateTime date = Utc(2024, 1, 20);
    for (const int phase : {8, 100, -1}) {
        EXPECT_EQ(CalendarPhaseInstant(phase, date), 0) << "phase " << phase;
        const PhaseSearchResult before = LastPhaseBefore(phase, date);
        const PhaseSearchResult after = NextPhaseAfter(phase, date);
        EXPECT_FALSE(before.ok());
        EXPECT_EQ(before.error, "No TDateTime possible") << "phase " << phase;
        EXPECT_EQ(after.error, "No TDateTime possible") << "phase " << phase;
        EXPECT_EQ(after.value, 0);
    }
    // A date before 1899-12-30 (negative value) must not trap the backward search on 0.
    EXPECT_EQ(LastPhaseBefore(9, -1000.0).error, "No TDateTime possible");
    EXPECT_EQ(NextPhaseAfter(3, kNan).error, "No TDateTime possible");
    EXPECT_EQ(CalendarPhaseInstant(1, kNan), 0);
}

} // namespace
} // namespace skelvane

#include "astro/posix_tz.h"

#include <gtest/gtest.h>

#include <string>

namespace skelvane {
namespace {

using Kind = TransitionRule::Kind;

TransitionRule Mwd(int month, int week, int weekday, int timeSeconds = 7200) {
    TransitionRule rule;
    rule.kind = Kind::MonthWeekDay;
    rule.month = month;
    rule.week = week;
    rule.dayOfWeek = weekday;
    rule.timeSeconds = timeSeconds;
    return rule;
}

TransitionRule DayRule(Kind kind, int day, int timeSeconds) {
    TransitionRule rule;
    rule.kind = kind;
    rule.dayOfYear = day;
    rule.timeSeconds = timeSeconds;
    return rule;
}

void ExpectRule(const TransitionRule& got, const TransitionRule& want, const char* which) {
    SCOPED_TRACE(which);
    EXPECT_EQ(got.kind, want.kind);
    EXPECT_EQ(got.timeSeconds, want.timeSeconds);
    if (want.kind == Kind::MonthWeekDay) {
        EXPECT_EQ(got.month, want.month);
        EXPECT_EQ(got.week, want.week);
        EXPECT_EQ(got.dayOfWeek, want.dayOfWeek);
    } else if (want.kind != Kind::None) {
        EXPECT_EQ(got.dayOfYear, want.dayOfYear);
    }
}

TEST(ParsePosixTzRule, GoodRules) {
    struct Case {
        const char* rule;
        int bias, daylightBias;
        const char *standardName, *daylightName;
        TransitionRule start, end;
    };
    const TransitionRule none;
    // Rules as they stand in the footers of tzdata 2026 files (plus a few made-up forms).
    const Case cases[] = {
        {"EST5EDT,M3.2.0,M11.1.0", 300, -60, "EST", "EDT", Mwd(3, 2, 0), Mwd(11, 1, 0)},
        {"CET-1CEST,M3.5.0,M10.5.0/3", -60, -60, "CET", "CEST", Mwd(3, 5, 0), Mwd(10, 5, 0, 10800)},
        {"AEST-10AEDT,M10.1.0,M4.1.0/3", -600, -60, "AEST", "AEDT", Mwd(10, 1, 0),
         Mwd(4, 1, 0, 10800)},
        {"IST-2IDT,M3.4.4/26,M10.5.0", -120, -60, "IST", "IDT", Mwd(3, 4, 4, 26 * 3600),
         Mwd(10, 5, 0)},
        // Negative daylight saving: "daylight" is winter, one hour behind.
        {"IST-1GMT0,M10.5.0,M3.5.0/1", -60, 60, "IST", "GMT", Mwd(10, 5, 0), Mwd(3, 5, 0, 3600)},
        {"<+1245>-12:45<+1345>,M9.5.0/2:45,M4.1.0/3:45", -765, -60, "+1245", "+1345",
         Mwd(9, 5, 0, 9900), Mwd(4, 1, 0, 13500)},
        {"<+0330>-3:30", -210, 0, "+0330", "", none, none},
        {"<-03>3", 180, 0, "-03", "", none, none},
        {"UTC0", 0, 0, "UTC", "", none, none},
        {"HST10", 600, 0, "HST", "", none, none},
        {"XST3XDT", 180, -60, "XST", "XDT", Mwd(3, 2, 0), Mwd(11, 1, 0)},
        {"EST5EDT4,0/0,J365/25", 300, -60, "EST", "EDT", DayRule(Kind::ZeroBasedDay, 0, 0),
         DayRule(Kind::JulianNoLeap, 365, 25 * 3600)},
        {"MST+7:00:00MDT+6,M3.2.0/-1:30,M11.1.0/+167", 420, -60, "MST", "MDT", Mwd(3, 2, 0, -5400),
         Mwd(11, 1, 0, 167 * 3600)},
        // -5:30:30 is -330.5 minutes, rounded to the even -330.
        {"ABC-5:30:30DEF,J60/0,59/23:59:59", -330, -60, "ABC", "DEF",
         DayRule(Kind::JulianNoLeap, 60, 0), DayRule(Kind::ZeroBasedDay, 59, 86399)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        const auto record = ParsePosixTzRule(c.rule);
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(record->bias, c.bias);
        EXPECT_EQ(record->standardBias, 0);
        EXPECT_EQ(record->daylightBias, c.daylightBias);
        EXPECT_EQ(record->standardName, c.standardName);
        EXPECT_EQ(record->daylightName, c.daylightName);
        ExpectRule(record->daylightDate, c.start, "daylight start");
        ExpectRule(record->standardDate, c.end, "daylight end");
    }
}

TEST(ParsePosixTzRule, GarbledRulesGiveNothing) {
    const char* const rules[] = {
        "",
        "EST",                           // no offset
        "ES5",                           // name shorter than three letters
        "5EST",                          // no name
        "EST5EDT,M3.2.0",                // one transition only
        "EST5EDT,M3.2.0,",               // empty second transition
        "EST5EDT,,",                     // empty transitions
        "EST5EDT,M13.2.0,M11.1.0",       // month 13
        "EST5EDT,M0.2.0,M11.1.0",        // month 0
        "EST5EDT,M3.6.0,M11.1.0",        // week 6
        "EST5EDT,M3.2.7,M11.1.0",        // weekday 7
        "EST5EDT,M3.2,M11.1.0",          // weekday missing
        "EST5EDT,M3.2.0,M11.1.0x",       // trailing text
        "EST5EDT,M3.2.0,M11.1.0,M1.1.0", // a third transition
        "EST5EDT,J0,J365",               // J counts from 1
        "EST5EDT,366,0",                 // zero-based day past 365
        "EST5EDT,M3.2.0/168,M11.1.0",    // transition time past 167 h
        "EST5EDT,M3.2.0/2:60,M11.1.0",   // minute 60
        "EST25",                         // offset past 24 h
        "EST5:60",                       // minute 60
        "EST5:0:61",                     // second 61
        "EST1234",                       // too many hour digits
        "EST5 EDT",                      // blank inside
        "EST5EDT+",                      // sign without digits
        "<+03",                          // unclosed quote
        "<+0>3",                         // quoted name too short
        "<+0 3>3",                       // blank in a quoted name
        "EST\x01"
        "5",                       // control character
        "EST5EDT,M3.2.0/,M11.1.0", // slash without a time
        "EST9999999999999999999",  // absurd number
    };
    for (const char* rule : rules)
        EXPECT_FALSE(ParsePosixTzRule(rule).has_value()) << "rule \"" << rule << "\"";
}

TEST(ParsePosixTzRule, LongNamesAreCut) {
    const std::string name(40, 'Q');
    const auto record = ParsePosixTzRule("<" + name + ">5");
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->standardName, std::string(32, 'Q'));
}

} // namespace
} // namespace skelvane

#include "astro/format_date.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace skelvane {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct PatternCase {
    const char* name;
    const char* pattern;
    const char* expected;
};
std::ostream& operator<<(std::ostream& out, const PatternCase& c) {
    return out << c.name;
}

// Tuesday 2024-03-05 14:07:09.045.
const DateTime kAfternoon = SafeEncodeDateTime(2024, 3, 5, 14, 7, 9, 45);

class FormatDateAfternoon : public ::testing::TestWithParam<PatternCase> {};

TEST_P(FormatDateAfternoon, Formats) {
    EXPECT_EQ(FormatDate(GetParam().pattern, kAfternoon), GetParam().expected)
        << "pattern \"" << GetParam().pattern << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FormatDateAfternoon,
    ::testing::Values(
        PatternCase{"short_us_date", "mm/dd/yy", "03/05/24"},
        PatternCase{"short_month_day", "mmm d", "Mar 5"},
        PatternCase{"long_date", "dddd mmmm d, yyyy", "Tuesday March 5, 2024"},
        PatternCase{"short_day_name", "ddd", "Tue"}, PatternCase{"hours_minutes", "hh:mm", "14:07"},
        PatternCase{"hours_minutes_seconds", "hh:mm:ss", "14:07:09"},
        PatternCase{"twelve_hour_padded", "hh:mm  AM/PM", "02:07  PM"},
        PatternCase{"twelve_hour_n_minutes", "h:nnAM/PM", "2:07PM"},
        PatternCase{"tick_pattern", "h:nn:ss  AM/PM   ", "2:07:09  PM   "},
        PatternCase{"lower_case_marker", "h:nn am/pm", "2:07 pm"},
        PatternCase{"single_letter_marker", "h:nn a/p", "2:07 p"},
        PatternCase{"milliseconds", "ss.zzz", "09.045"},
        PatternCase{"month_not_minute_after_date", "d/m/yyyy", "5/3/2024"},
        PatternCase{"minute_after_hour_with_blank", "h m", "14 7"},
        PatternCase{"letter_between_hour_and_m_makes_month", "h'h' m", "14h 3"},
        PatternCase{"upper_case_letters", "MMM D, YYYY", "Mar 5, 2024"},
        PatternCase{"quoted_literal_keeps_letters", "'Day' d 'of' mmmm", "Day 5 of March"},
        PatternCase{"double_quoted_literal", "\"hh\" hh", "hh 14"},
        PatternCase{"marker_inside_quotes_is_text", "hh:nn 'AM/PM'", "14:07 AM/PM"},
        PatternCase{"unterminated_quote_runs_to_end", "h 'abc", "14 abc"},
        PatternCase{"other_characters_copied", "[yyyy-mm-dd] # \u00B0", "[2024-03-05] # \u00B0"}),
    [](const ::testing::TestParamInfo<PatternCase>& param) { return param.param.name; });

TEST(FormatDate, TwelveHourClockAroundMidnightAndNoon) {
    struct Case {
        int hour, minute;
        const char* twelve;
        const char* twentyFour;
    };
    const Case cases[] = {
        {0, 5, "12:05 AM", "00:05"},   {11, 59, "11:59 AM", "11:59"}, {12, 0, "12:00 PM", "12:00"},
        {12, 30, "12:30 PM", "12:30"}, {23, 59, "11:59 PM", "23:59"},
    };
    for (const Case& c : cases) {
        const DateTime v = SafeEncodeDateTime(2024, 7, 1, c.hour, c.minute, 0, 0);
        SCOPED_TRACE(std::to_string(c.hour) + ":" + std::to_string(c.minute));
        EXPECT_EQ(FormatDate("h:nn AM/PM", v), c.twelve);
        EXPECT_EQ(FormatDate("hh:nn", v), c.twentyFour);
    }
}

TEST(FormatDate, DateAndTimeReadFromOneRounding) {
    const DateTime almostNewYear = SafeEncodeDate(2024, 12, 31) + 86399.9996 / 86400;
    EXPECT_EQ(FormatDate("yyyy-mm-dd hh:nn:ss.zzz", almostNewYear), "2025-01-01 00:00:00.000");
    EXPECT_EQ(FormatDate("yyyy-mm-dd hh:nn", -0.25), "1899-12-29 18:00");
    EXPECT_EQ(FormatDate("yy", SafeEncodeDate(2005, 1, 1)), "05");
    EXPECT_EQ(FormatDate("yyyy", SafeEncodeDate(33, 1, 1)), "0033");
}

TEST(FormatDate, UndecodableValueGivesEmptyText) {
    EXPECT_EQ(FormatDate("dddd mmmm d, yyyy", kNan), "");
    EXPECT_EQ(FormatDate("hh:mm", kInf), "");
}

TEST(FormatDate, InjectedLocale) {
    const DateLocale german{
        {"Jan", "Feb", "M\u00E4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"},
        {"Januar", "Februar", "M\u00E4rz", "April", "Mai", "Juni", "Juli", "August", "September",
         "Oktober", "November", "Dezember"},
        {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"},
        {"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"},
    };
    EXPECT_EQ(FormatDate("dddd, d. mmmm yyyy", kAfternoon, german), "Dienstag, 5. M\u00E4rz 2024");
    EXPECT_EQ(FormatDate("ddd d mmm", kAfternoon, german), "Di 5 M\u00E4r");
    // Sunday is the last entry of the Monday-first table.
    EXPECT_EQ(FormatDate("dddd", SafeEncodeDate(2024, 3, 10), german), "Sonntag");
}

} // namespace
} // namespace skelvane

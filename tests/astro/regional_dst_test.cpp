#include "astro/regional_dst.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace skelvane {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

constexpr double kOneSecond = 1.0 / 86400.0;

DateTime At(int y, int mo, int d, int h) {
    return SafeEncodeDateTime(y, mo, d, h, 0, 0, 0);
}

// Each rule at, and one second before, both of its 2024 and 2023 edges.
TEST(RegionalDst, Edges) {
    using Rule = bool (*)(DateTime);
    struct Case {
        const char* name;
        Rule rule;
        DateTime value;
        bool expected;
    };
    const Case cases[] = {
        // 2024: first Sunday of April = 7th, last Sunday of October = 27th.
        {"old US before start", OldUsDstActive, At(2024, 4, 7, 2) - kOneSecond, false},
        {"old US at start", OldUsDstActive, At(2024, 4, 7, 2), true},
        {"old US before end", OldUsDstActive, At(2024, 10, 27, 2) - kOneSecond, true},
        {"old US at end", OldUsDstActive, At(2024, 10, 27, 2), false},
        {"old US January", OldUsDstActive, At(2024, 1, 15, 12), false},
        // 2024: last Sundays of March and October = 31st and 27th.
        {"EU before start", EuDstActive, At(2024, 3, 31, 1) - kOneSecond, false},
        {"EU at start", EuDstActive, At(2024, 3, 31, 1), true},
        {"EU before end", EuDstActive, At(2024, 10, 27, 1) - kOneSecond, true},
        {"EU at end", EuDstActive, At(2024, 10, 27, 1), false},
        // 2023: last Sunday of a March with four Sundays = 26th.
        {"EU 2023 at start", EuDstActive, At(2023, 3, 26, 1), true},
        {"EU 2023 before start", EuDstActive, At(2023, 3, 26, 1) - kOneSecond, false},
        // 2024: third Sunday of March = 17th, first Sunday of October = 6th.
        {"south before end", SouthDstActive, At(2024, 3, 17, 2) - kOneSecond, true},
        {"south at end", SouthDstActive, At(2024, 3, 17, 2), false},
        {"south June", SouthDstActive, At(2024, 6, 15, 12), false},
        {"south before start", SouthDstActive, At(2024, 10, 6, 2) - kOneSecond, false},
        {"south at start", SouthDstActive, At(2024, 10, 6, 2), true},
        {"south January", SouthDstActive, At(2024, 1, 1, 0), true},
        {"south New Year's Eve", SouthDstActive, At(2024, 12, 31, 23), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.rule(c.value), c.expected) << c.name;
}

TEST(RegionalDst, UndecodableValuesAreStandardTime) {
    for (const double value : {kNan, kInf, 1e12}) {
        EXPECT_FALSE(OldUsDstActive(value)) << value;
        EXPECT_FALSE(EuDstActive(value)) << value;
        EXPECT_FALSE(SouthDstActive(value)) << value;
    }
}

} // namespace
} // namespace skelvane

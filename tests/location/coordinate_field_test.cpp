#include "location/coordinate_field.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

TEST(ParseCoordinateField, ReadsDegreesMinutesSecondsWithTheirHemisphere) {
    struct Case {
        const char* text;
        std::optional<double> degrees;
    };
    const Case cases[] = {
        {"40-45-06N", 40 + 45 / 60.0 + 6 / 3600.0},
        {"073-59-39W", -(73 + 59 / 60.0 + 39 / 3600.0)},
        {"33-52-04S", -(33 + 52 / 60.0 + 4 / 3600.0)},
        {"151-12-36E", 151 + 12 / 60.0 + 36 / 3600.0},
        {"10-60-60N", 10 + 1 + 1 / 60.0},              // 60 minutes and seconds are accepted
        {"N40-45-06", 40 + 45 / 60.0 + 6 / 3600.0},    // the letter may stand anywhere
        {"40-45-06s", -(40 + 45 / 60.0 + 6 / 3600.0)}, // any case
        {"40N", 40.0},                                 // missing parts read 0
        {"090-00-00N", 90.0},
        {"91-00-00N", std::nullopt},       // latitude bound
        {"090-00-00E", 90.0},              // without N or S it is a longitude
        {"180-60-60W", -(181 + 1 / 60.0)}, // bounds inclusive, as ParseDms has them
        {"181-00-00E", std::nullopt},
        {"40-61-00N", std::nullopt},
        {"99999999999-0-0E", std::nullopt}, // too large to be a number at all
        {" ", std::nullopt},                // a blank field is no coordinate
        {"N", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<double> value = ParseCoordinateField(c.text);
        ASSERT_EQ(value.has_value(), c.degrees.has_value()) << c.text;
        if (value) {
            EXPECT_DOUBLE_EQ(*value, *c.degrees) << c.text;
        }
    }
}

TEST(SplitCoordinateField, GivesWhatTheEditsShow) {
    const CoordinateParts parts = SplitCoordinateField("073-09-00W");
    EXPECT_EQ(parts.degrees, "73");
    EXPECT_EQ(parts.minutes, "9");
    EXPECT_EQ(parts.seconds, "0");
    const CoordinateParts odd = SplitCoordinateField("4x0--0007");
    EXPECT_EQ(odd.degrees, "40");
    EXPECT_EQ(odd.minutes, "7");
    EXPECT_EQ(odd.seconds, "0");
    EXPECT_TRUE(CoordinateIsSouth("33-52-04s"));
    EXPECT_FALSE(CoordinateIsSouth("40-45-06N"));
    EXPECT_TRUE(CoordinateIsEast("151-12-36E"));
    EXPECT_FALSE(CoordinateIsEast("000-00-00")); // no letter: West
}

} // namespace
} // namespace skelvane

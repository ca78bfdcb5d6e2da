#include "location/place_text.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

TEST(PlaceField, FieldsAreWordsSoSeparatorRunsCountOnce) {
    struct Case {
        const char* line;
        int n;
        const char* field;
    };
    const Case cases[] = {
        {"New York;NY;United States", 1, "New York"},
        {"New York;NY;United States", 3, "United States"},
        {"New York;NY;United States", 4, ""},     // beyond the last field
        {"Kabul;;Afghanistan", 2, "Afghanistan"}, // ;; is one separator
        {";;Lead;Next", 1, "Lead"},               // leading separators are skipped
        {"Place; ;Country", 2, " "},              // a blank is written as one space
        {"  Spaced ; x", 1, "  Spaced "},         // fields keep their blanks
        {"", 1, ""},
        {";;;", 1, ""},
        {"a;b;c;d;e;f;g;h;10001", 9, "10001"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceField(c.line, c.n), c.field) << c.line << " #" << c.n;
}

TEST(PlaceText, Cp1252BecomesUtf8) {
    EXPECT_EQ(Cp1252ToUtf8("Z\xFCrich"), "Z\xC3\xBCrich");                       // Latin-1 half
    EXPECT_EQ(Cp1252ToUtf8("\x80 \x8C \x9F"), "\xE2\x82\xAC \xC5\x92 \xC5\xB8"); // € Œ Ÿ
    EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81"); // undefined: C1 control
    EXPECT_EQ(Cp1252ToUtf8("plain"), "plain");
}

TEST(PlaceText, CutKeepsWholeCharacters) {
    EXPECT_EQ(CutToCharacters("abc", 2), "ab");
    EXPECT_EQ(CutToCharacters("\xC3\xBC\xC3\xBC\xC3\xBC", 2), "\xC3\xBC\xC3\xBC");
    EXPECT_EQ(CutToCharacters("a\xE2\x82\xAC", 2), "a\xE2\x82\xAC");
    EXPECT_EQ(CutToCharacters(std::string(200, 'x'), kPlaceTextMax).size(), 128u);
}

TEST(PlaceText, PaddingCaseAndNumbers) {
    EXPECT_EQ(LeftPad("501", 5, '0'), "00501");
    EXPECT_EQ(LeftPad("123456", 5, '0'), "123456");
    EXPECT_EQ(UpperAscii("new york \xC3\xA9"), "NEW YORK \xC3\xA9");
    EXPECT_TRUE(LessIgnoringAsciiCase("albany", "Buffalo"));
    EXPECT_FALSE(LessIgnoringAsciiCase("Buffalo", "albany"));
    double value = 0;
    EXPECT_TRUE(ParseDecimal("  -4", value));
    EXPECT_EQ(value, -4);
    EXPECT_TRUE(ParseDecimal("1626.5 ", value));
    EXPECT_EQ(value, 1626.5);
    for (const char* bad : {"", " ", "12m", "inf", "nan", "1,5"})
        EXPECT_FALSE(ParseDecimal(bad, value)) << bad;
}

} // namespace
} // namespace skelvane

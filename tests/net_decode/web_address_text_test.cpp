#include "net/decode/web_address_text.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace skelvane {
namespace {

TEST(EscapeUserText, KeepsTheTextAsTypedButNeverItsStructureBreakers) {
    struct Case {
        const char* name;
        std::string text;
        AddressPart part;
        std::string expected;
    };
    using enum AddressPart;
    const Case cases[] = {
        {"spaces and commas stay", "New York, NY", kQueryValue, "New York, NY"},
        {"ampersand would start a key", "AT&T", kQueryValue, "AT%26T"},
        {"plus would read as a space", "C++", kQueryValue, "C%2B%2B"},
        {"semicolon separates keys for some scripts", "a;b", kQueryValue, "a%3Bb"},
        {"hash would cut a fragment off", "C#", kQueryValue, "C%23"},
        {"percent stays a percent", "100%", kQueryValue, "100%25"},
        {"typed escapes are not decoded", "%41", kQueryValue, "%2541"},
        {"line breaks and tabs", "a\r\nb\tc", kQueryValue, "a%0D%0Ab%09c"},
        {"NUL and DEL", std::string("a\0b\x7F", 4), kQueryValue, "a%00b%7F"},
        {"UTF-8 as its bytes", "Z\xC3\xBCrich", kQueryValue, "Z%C3%BCrich"},
        {"quotes and shell characters are only text", "$(rm -rf ~); 'x' \"y\"", kQueryValue,
         "$(rm -rf ~)%3B 'x' \"y\""},
        {"equals and slash stay in a value", "a=b/c", kQueryValue, "a=b/c"},
        {"path keeps slashes and ampersands", "AC/DC & AT&T", kPath, "AC/DC & AT&T"},
        {"question mark would start a query", "Who?", kPath, "Who%3F"},
        {"hash in a path", "C#", kPath, "C%23"},
        {"plus in a path is a plus", "C++", kPath, "C++"},
        {"empty", "", kPath, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EscapeUserText(c.text, c.part), c.expected) << c.name;
}

TEST(EscapeUnprintable, TouchesOnlyBytesOutsidePrintableAscii) {
    EXPECT_EQ(EscapeUnprintable("127.0.0.1:8089"), "127.0.0.1:8089");
    EXPECT_EQ(EscapeUnprintable("a b%#&?"), "a b%#&?");
    EXPECT_EQ(EscapeUnprintable("host\r\nX: y"), "host%0D%0AX: y");
    EXPECT_EQ(EscapeUnprintable("\xFF"), "%FF");
}

TEST(AsciiCase, FoldsOnlyAsciiLetters) {
    EXPECT_EQ(AsciiLowerCase("New York, NY 10001"), "new york, ny 10001");
    EXPECT_EQ(AsciiUpperCase("knyc"), "KNYC");
    EXPECT_EQ(AsciiUpperCase("m\xC3\xBCnchen"), "M\xC3\xBCNCHEN"); // ü is left alone
    EXPECT_EQ(AsciiLowerCase("[@`{"), "[@`{");                     // neighbours of A-Z, a-z
}

TEST(FormatFixed, WritesExactlyNDecimalsWithTheLocaleSeparator) {
    struct Case {
        double value;
        int decimals;
        const char* separator;
        const char* expected;
    };
    const Case cases[] = {
        {-73.99 - 0.036, 5, ".", "-74.02600"},
        {40.75, 6, ".", "40.750000"},
        {40.75, 6, ",", "40,750000"},
        {-73.985, 4, ",", "-73,9850"},
        {40.748817, 4, ".", "40.7488"},
        {2.5, 0, ".", "2"},      // ties to even
        {3.5, 0, ".", "4"},      // ties to even
        {0.125, 2, ".", "0.12"}, // 0.125 is exact in binary: a true tie
        {-0.00001, 4, ".", "0.0000"},
        {-0.0, 5, ".", "0.00000"},
        {12.0, 3, "", "12.000"},                // no separator known: a point
        {1.5, 1, "\xD9\xAB", "1%D9%AB5"},       // the Arabic decimal separator, escaped
        {1.5, 1, "&", "1%265"},                 // a hostile separator cannot add a key
        {1.25, 30, ".", "1.25000000000000000"}, // at most 17 decimals
        {7.0, -3, ".", "7"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFixed(c.value, c.decimals, c.separator), c.expected)
            << c.value << " F" << c.decimals << " '" << c.separator << "'";
}

TEST(FormatFixed, NumbersOutsideAnyMapStillGiveText) {
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN(), 5, "."), "nan");
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::infinity(), 5, "."), "inf");
    EXPECT_EQ(FormatFixed(-std::numeric_limits<double>::infinity(), 5, "."), "-inf");
    const std::string huge = FormatFixed(-std::numeric_limits<double>::max(), 17, ",");
    EXPECT_EQ(huge.size(), 1 + 309 + 1 + 17u);
    EXPECT_EQ(huge.substr(0, 4), "-179");
}

} // namespace
} // namespace skelvane

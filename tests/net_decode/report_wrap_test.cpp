#include "net/decode/report_wrap.h"

#include <gtest/gtest.h>
#include <string>

namespace skelvane {
namespace {

// A word of n letters.
std::string Word(std::size_t n, char letter = 'w') {
    return std::string(n, letter);
}

TEST(BreakReportLine, BreaksAfterTheLastWholeWordWithinFiftyColumns) {
    struct Case {
        const char* name;
        std::string line;
        std::string first;
        std::string rest;
    };
    const std::string fortyFive = "New York City Central Park, NY, United States";
    ASSERT_EQ(fortyFive.size(), 45u);
    std::string accented;
    for (int i = 0; i < 47; ++i)
        accented += "\u00E9"; // 47 characters, 94 bytes
    const Case cases[] = {
        {"exactly 50 stays whole", Word(50), Word(50), ""},
        {"short line", "Visibility: 10 mile(s):0", "Visibility: 10 mile(s):0", ""},
        {"word crossing column 50 moves", fortyFive + " (KNYC) 40-47N 073-58W 47M", fortyFive,
         "(KNYC) 40-47N 073-58W 47M"},
        {"word ending exactly at column 50 stays", Word(44) + " " + Word(5) + " next",
         Word(44) + " " + Word(5), "next"},
        {"word ending at column 51 moves", Word(44) + " " + Word(6) + " next", Word(44),
         Word(6) + " next"},
        {"blanks at the break are dropped", Word(40) + "     " + Word(20), Word(40), Word(20)},
        {"blank at column 51", Word(50) + " " + Word(3), Word(50), Word(3)},
        {"first word longer than 50 is cut at 50", Word(60) + " tail", Word(50),
         Word(10) + " tail"},
        {"cut word keeps its blanks out of the rest", Word(50) + "   x", Word(50), "x"},
        {"only blanks after the margin", Word(50) + "      ", Word(50), ""},
        {"leading blanks belong to the first word", "     " + Word(60), "     " + Word(45),
         Word(15)},
        {"real wind line", "Wind: from the NW (310 degrees) at 12 MPH (10 KT):0",
         "Wind: from the NW (310 degrees) at 12 MPH (10", "KT):0"},
        {"columns count characters", accented + " ab cd", accented + " ab", "cd"},
    };
    for (const Case& c : cases) {
        const BrokenLine broken = BreakReportLine(c.line);
        EXPECT_EQ(broken.first, c.first) << c.name;
        EXPECT_EQ(broken.rest, c.rest) << c.name;
    }
}

TEST(WrapReportLines, InsertsEachRestAfterItsLineAndDoesNotBreakItAgain) {
    const std::vector<std::string> lines = {
        "ob: KORD 021851Z 23023G34KT 10SM BKN045 15/04 A2962 RMK AO2 PK WND 23038/1832 SLP030 "
        "T01500039 AND SOME MORE TEXT TO PASS A HUNDRED",
        "",
        "Sky conditions: mostly cloudy",
    };
    const std::vector<std::string> expected = {
        "ob: KORD 021851Z 23023G34KT 10SM BKN045 15/04",
        "A2962 RMK AO2 PK WND 23038/1832 SLP030 T01500039 AND SOME MORE TEXT TO PASS A HUNDRED",
        "",
        "Sky conditions: mostly cloudy",
    };
    EXPECT_EQ(WrapReportLines(lines), expected);
}

} // namespace
} // namespace skelvane

#include "location/place_list.h"

#include <gtest/gtest.h>
#include <vector>

namespace skelvane {
namespace {

std::vector<std::string> Lines(const PlaceList& list) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < list.size(); ++i)
        lines.emplace_back(list.line(i));
    return lines;
}

TEST(PlaceList, SplitsAtCrLfOrCrLf) {
    using Lines_ = std::vector<std::string>;
    struct Case {
        std::string text;
        Lines_ lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}}, // the last terminator ends a line, adds none
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}}, // an empty line still counts
        {"a\n\rb", {"a", "", "b"}},     // LF then CR: two terminators
        {"a\r\r\nb", {"a", "", "b"}},
        {"\n", {""}},
        {"\n\n", {"", ""}},
        {"x;y\n\n\nz\n", {"x;y", "", "", "z"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Lines(PlaceList::FromAnsiText(c.text)), c.lines) << "text: " << c.text;
}

TEST(PlaceList, ConvertsTheCodePageLineByLine) {
    const PlaceList list = PlaceList::FromAnsiText("S\xE3o Paulo\r\nK\xF6ln\r\n\x80");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.line(0), "S\xC3\xA3o Paulo");
    EXPECT_EQ(list.line(1), "K\xC3\xB6ln");
    EXPECT_EQ(list.line(2), "\xE2\x82\xAC");
}

} // namespace
} // namespace skelvane

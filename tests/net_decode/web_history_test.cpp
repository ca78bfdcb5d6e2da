#include "net/decode/web_history.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

using List = std::vector<std::string>;

TEST(AddToHistoryList, NewEntriesGoOnTopAndAHeldOneInAnyCaseChangesNothing) {
    struct Case {
        const char* name;
        List before;
        const char* entry;
        bool added;
        List after;
    };
    const Case cases[] = {
        {"first entry", {}, "Moon", true, {"Moon"}},
        {"new entry on top", {"Moon"}, "Sun", true, {"Sun", "Moon"}},
        {"same term in another case is stored once",
         {"Sun", "Moon"},
         "mOON",
         false,
         {"Sun", "Moon"}},
        {"a held entry is not moved to the top", {"Sun", "Moon"}, "Moon", false, {"Sun", "Moon"}},
        {"empty text adds nothing", {"Moon"}, "", false, {"Moon"}},
        {"blanks count", {"Moon"}, "Moon ", true, {"Moon ", "Moon"}},
        {"only ASCII letters fold",
         {"\xC3\xA9t\xC3\xA9"},
         "\xC3\x89T\xC3\x89",
         true,
         {"\xC3\x89T\xC3\x89", "\xC3\xA9t\xC3\xA9"}},
        {"addresses compare whole",
         {"http://a.test/x"},
         "HTTP://A.TEST/X",
         false,
         {"http://a.test/x"}},
        {"a longer entry is another entry",
         {"http://a.test/x"},
         "http://a.test/xy",
         true,
         {"http://a.test/xy", "http://a.test/x"}},
    };
    for (const Case& c : cases) {
        List list = c.before;
        EXPECT_EQ(AddToHistoryList(list, c.entry), c.added) << c.name;
        EXPECT_EQ(list, c.after) << c.name;
    }
}

TEST(AddToHistoryList, SearchingTheSameTermTwiceInAnotherCaseKeepsOneEntry) {
    List terms;
    AddToHistoryList(terms, "Perseids");
    AddToHistoryList(terms, "PERSEIDS");
    AddToHistoryList(terms, "perseids");
    EXPECT_EQ(terms, List{"Perseids"});
}

} // namespace
} // namespace skelvane

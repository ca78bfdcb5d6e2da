#include "net/decode/radar_directory.h"

#include "net/decode/radar_frame_time.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace skelvane {
namespace {

std::string ReadFixture(const char* name) {
    std::ifstream in(std::string(SKELVANE_TEST_DATA) + "/radar/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Frame(const char* hhmm) {
    return std::string("OKX_20201201_") + hhmm + "_N0R.gif";
}

TEST(ReadRadarDirectory, NewestFramesOfAnIndexPageOldestFirst) {
    const std::string page = ReadFixture("okx_n0r_index.html");
    ASSERT_FALSE(page.empty());

    const RadarDirectoryListing three = ReadRadarDirectory(page, "OKX_20", "", 3);
    ASSERT_TRUE(three.ok());
    EXPECT_EQ(three.names, (std::vector<std::string>{Frame("1534"), Frame("1539"), Frame("1545")}));
    EXPECT_EQ(three.fieldNumber, 8); // the href, after the icon's attributes

    const RadarDirectoryListing all = ReadRadarDirectory(page, "OKX_20", "", 21);
    ASSERT_TRUE(all.ok());
    EXPECT_EQ(all.names.front(), Frame("1341"));
    EXPECT_EQ(all.names.back(), Frame("1545"));
    EXPECT_TRUE(std::is_sorted(all.names.begin(), all.names.end()));
    for (const std::string& name : all.names)
        EXPECT_TRUE(GetRadarFileTimeStamp(name).has_value()) << name;

    // The keys are compared without regard to case.
    EXPECT_EQ(ReadRadarDirectory(page, "okx_20", "", 3).names, three.names);
}

TEST(ReadRadarDirectory, FewerEntriesThanFramesYieldsNothing) {
    const std::string page = ReadFixture("okx_n0r_index.html");
    struct Case {
        const char* key1;
        int count;
        RadarDirectoryStatus status;
    };
    const Case cases[] = {
        {"OKX_20", 21, RadarDirectoryStatus::Ok},
        {"OKX_20", 22, RadarDirectoryStatus::TooFewEntries},
        {"OKX_20", 30, RadarDirectoryStatus::TooFewEntries},
        {"DIX_20", 1, RadarDirectoryStatus::TooFewEntries}, // another site's key
        {"OKX_20", 0, RadarDirectoryStatus::NothingAsked},
    };
    for (const Case& c : cases) {
        const RadarDirectoryListing listing = ReadRadarDirectory(page, c.key1, "", c.count);
        EXPECT_EQ(listing.status, c.status) << c.key1 << " " << c.count;
        if (!listing.ok()) {
            EXPECT_TRUE(listing.names.empty());
        }
    }
    EXPECT_EQ(ReadRadarDirectory("", "OKX_20", "", 1).status, RadarDirectoryStatus::EmptyBody);
}

TEST(ReadRadarDirectory, WarningsNeedBothKeysAndCrLfLinesSplit) {
    const std::string page = ReadFixture("okx_short_warnings_index.html");
    const RadarDirectoryListing listing = ReadRadarDirectory(page, "OKX_20", "Short_Warnings", 10);
    ASSERT_TRUE(listing.ok());
    EXPECT_EQ(listing.names.back(), "OKX_20201201_1545_Short_Warnings.gif");
    EXPECT_EQ(listing.names.front(), "OKX_20201201_1450_Short_Warnings.gif");
    EXPECT_EQ(ReadRadarDirectory(page, "OKX_20", "Long_Warnings", 1).status,
              RadarDirectoryStatus::TooFewEntries);
    EXPECT_EQ(ReadRadarDirectory(page, "OKX_20", "Short_Warnings", 13).status,
              RadarDirectoryStatus::TooFewEntries);
}

// A page listed newest first, with lines in mixed case: the case-blind sort still gives the
// newest frames last.
TEST(ReadRadarDirectory, SortsWithoutRegardToCase) {
    std::vector<std::string> lines;
    std::istringstream page(ReadFixture("okx_n0r_index.html"));
    for (std::string line; std::getline(page, line);)
        lines.push_back(line);
    std::reverse(lines.begin(), lines.end());
    std::string reversed;
    for (std::string& line : lines) {
        if (line.find("_1539_") != std::string::npos)
            std::transform(line.begin(), line.end(), line.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        reversed += line + "\r";
    }
    const RadarDirectoryListing listing = ReadRadarDirectory(reversed, "OKX_20", "", 3);
    ASSERT_TRUE(listing.ok());
    EXPECT_EQ(listing.names, (std::vector<std::string>{Frame("1534"), "okx_20201201_1539_n0r.gif",
                                                       Frame("1545")}));
}

TEST(ReadRadarDirectory, FieldNumberComesFromTheLastLineWithAKey) {
    struct Case {
        const char* name;
        std::string body;
        const char* key1;
        const char* key2;
        int count;
        int field;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"plain link lines",
         "<a href=\"OKX_20201201_1540_N0R.gif\">x</a>\n"
         "<a href=\"OKX_20201201_1545_N0R.gif\">x</a>\n",
         "OKX_20",
         "",
         2,
         2,
         {Frame("1540"), Frame("1545")}},
        {"leading quote: empty words do not count",
         "\"OKX_20201201_1545_N0R.gif\" 12K\n",
         "OKX_20",
         "",
         1,
         1,
         {Frame("1545")}},
        {"second key picks its own word",
         "<a title=\"Short_Warnings\" href=\"OKX_20.gif\">\n",
         "OKX_20",
         "Short_Warnings",
         1,
         2,
         {"Short_Warnings"}},
        {"no keys: every line, field 2",
         "b \"B2\" x\na \"A2\" x\nc \"C2\"\n",
         "",
         "",
         2,
         2,
         {"B2", "C2"}},
        {"no key found in any word: field 2", "x\"y\"z\n", "", "", 1, 2, {"y"}},
        {"the last line's field applies to every line",
         "<a href=\"OKX_20201201_1540_N0R.gif\">\nOKX_20201201_1545_N0R.gif\n",
         "OKX_20",
         "",
         2,
         1,
         {"<a href=", Frame("1545")}},
        {"a line without that field gives an empty name",
         "OKX_20a\nx \"y\" \"OKX_20b\"\n",
         "OKX_20",
         "",
         2,
         4,
         {"", "OKX_20b"}},
    };
    for (const Case& c : cases) {
        const RadarDirectoryListing listing = ReadRadarDirectory(c.body, c.key1, c.key2, c.count);
        ASSERT_TRUE(listing.ok()) << c.name;
        EXPECT_EQ(listing.fieldNumber, c.field) << c.name;
        EXPECT_EQ(listing.names, c.names) << c.name;
    }
}

} // namespace
} // namespace skelvane

#include "startup/command_line.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

TEST(ParseCommandLine, Cases) {
    struct Case {
        const char* name;
        QStringList arguments;
        bool defaultsOnly;
        const char* settingsFolder;
        const char* screenshotFolder;
        bool error;
    } cases[] = {
        {"none", {}, false, "", "", false},
        {"/C", {"/C"}, true, "", "", false},
        {"/c in lower case", {"/c"}, true, "", "", false},
        {"/C only counts first", {"--settings-dir", "s", "/C"}, false, "s", "", false},
        {"other first argument", {"/X"}, false, "", "", false},
        {"all", {"/c", "--settings-dir", "a b", "--screenshot", "out"}, true, "a b", "out", false},
        {"missing folder", {"--screenshot"}, false, "", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.defaultsOnly, c.defaultsOnly);
        EXPECT_EQ(line.settingsFolder, QString::fromUtf8(c.settingsFolder));
        EXPECT_EQ(line.screenshotFolder, QString::fromUtf8(c.screenshotFolder));
        EXPECT_EQ(!line.error.isEmpty(), c.error);
    }
}

TEST(ParseCommandLine, DateAndPage) {
    const CommandLine good = ParseCommandLine({"--date", "2024-12-25", "--page", "10"});
    EXPECT_TRUE(good.error.isEmpty());
    EXPECT_EQ(good.year, 2024);
    EXPECT_EQ(good.month, 12);
    EXPECT_EQ(good.day, 25);
    EXPECT_EQ(good.page, 10);
    EXPECT_FALSE(good.hasTime);
    EXPECT_EQ(ParseCommandLine({}).page, -1) << "the stored page unless asked";

    const CommandLine minutes = ParseCommandLine({"--date", "2024-12-25T10:00"});
    EXPECT_TRUE(minutes.error.isEmpty());
    EXPECT_TRUE(minutes.hasTime);
    EXPECT_EQ(minutes.day, 25);
    EXPECT_EQ(minutes.hour, 10);
    EXPECT_EQ(minutes.minute, 0);
    const CommandLine seconds = ParseCommandLine({"--date", "2024-06-01T23:59:58"});
    EXPECT_TRUE(seconds.hasTime);
    EXPECT_EQ(seconds.hour, 23);
    EXPECT_EQ(seconds.minute, 59);
    EXPECT_EQ(seconds.second, 58);

    const char* const bad[][2] = {{"--date", "2024-02-30"},
                                  {"--date", "1600-06-01"},
                                  {"--date", "25.12.2024"},
                                  {"--date", ""},
                                  {"--page", "13"},
                                  {"--page", "x"},
                                  {"--date", "2024-12-25T25:00"},
                                  {"--date", "2024-12-25T10"},
                                  {"--date", "2024-12-25T10:00:00T1"},
                                  {"--date", "2024-12-25 10:00"}};
    for (const auto& arguments : bad) {
        SCOPED_TRACE(std::string(arguments[0]) + " " + arguments[1]);
        EXPECT_FALSE(ParseCommandLine({arguments[0], arguments[1]}).error.isEmpty());
    }
    EXPECT_FALSE(ParseCommandLine({"--date"}).error.isEmpty()) << "a missing value";
}

} // namespace
} // namespace skelvane

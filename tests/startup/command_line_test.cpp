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

} // namespace
} // namespace skelvane

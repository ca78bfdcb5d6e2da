#include "help/user_guide.h"

#include "help/help_search.h"

#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

namespace skelvane {
namespace {

TEST(UserGuide, ProductLineIsLineTwo) {
    const QStringList lines = BuiltInGuideText().split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[1], QLatin1String(kProductLine));
    EXPECT_GT(lines[1].size(), kShortestProductLine);
    EXPECT_TRUE(lines[2].isEmpty());
}

TEST(UserGuide, ParagraphsAreSeparatedBySingleEmptyLines) {
    const QString guide = BuiltInGuideText();
    EXPECT_FALSE(guide.contains(QStringLiteral("\n\n\n")));
    EXPECT_FALSE(guide.endsWith(QLatin1Char('\n')));
    EXPECT_FALSE(guide.contains(
        QRegularExpression(QStringLiteral("[ \\t]$"), QRegularExpression::MultilineOption)));
    EXPECT_FALSE(guide.contains(QStringLiteral("  ")));
}

TEST(UserGuide, NamesWhatTheUserNeedsToFind) {
    const QString guide = BuiltInGuideText();
    const QStringList names = {
        // Every overlay box of the Radar page has its own paragraph.
        QStringLiteral("\nTopo:"), QStringLiteral("\nRadar:"), QStringLiteral("\nCounties:"),
        QStringLiteral("\nRivers:"), QStringLiteral("\nHighways:"), QStringLiteral("\nCities:"),
        QStringLiteral("\nWarnings:"), QStringLiteral("\nLegend:"), QStringLiteral("\nRange Ring:"),
        QStringLiteral("\nWarning Text"), QStringLiteral("\nTiny Circles:"),
        // Files and places.
        QLatin1String(kHelpFileName), QStringLiteral("sitename.dat"),
        QStringLiteral("/usr/share/skelvane"), QStringLiteral("~/.config/Skelvane/Skelvane.conf"),
        QStringLiteral("scripts/run"), QStringLiteral("public weather-service servers"),
        // Keeping pictures and the text-edit menu.
        QStringLiteral("\nKeeping pictures."), QStringLiteral("Cut, Copy, Paste and Select All")};
    for (const QString& name : names)
        EXPECT_TRUE(guide.contains(name)) << name.toStdString();
}

} // namespace
} // namespace skelvane

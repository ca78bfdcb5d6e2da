#include "infowin/eclipse_texts.h"

#include "astro/posix_tz.h"
#include "astro/timezone.h"
#include "support/qstring_printer.h"
#include "support/scoped_zone.h"
#include "widgets/menu_icons.h"

#include <gtest/gtest.h>
#include <optional>

#include <vector>

namespace skelvane {
namespace {

const QString kRule = QStringLiteral("------------------------");
const QString kGmt = QStringLiteral("Greenwich Time (GMT)");

DateTime Utc(int year, int month, int day, int hour, int minute, int second = 0) {
    return SafeEncodeDateTime(year, month, day, hour, minute, second, 0);
}

// New York; the 2024 eclipses come from the engine (skelvane-almanac eclipses 2024).
class EclipseTextsTest : public ::testing::Test {
protected:
    std::optional<test::ScopedZone> zone;
    void SetUp() override {
        zone.reset();
        zone.emplace("EST5EDT,M3.2.0,M11.1.0");
        year2024 = ComputeEclipsesOfYear(2024);
        ASSERT_EQ(year2024.size(), 4u);
    }
    void TearDown() override { zone.reset(); }

    EclipseTextMode mode;
    std::vector<EclipseRecord> year2024;
};

TEST_F(EclipseTextsTest, RowsOf2024InLocalTwelveHourTime) {
    const struct {
        const char* label;
        int icon;
    } expected[] = {
        {"03/25/24   12:54 AM  Lunar - Penumbral", kIconFullMoon}, // penumbral start
        {"04/08/24   2:17 PM  Solar - Total", kIconSolarTotal},
        {"09/17/24   8:41 PM  Lunar - Partial", kIconLunarPartial}, // 00:41 UT next day
        {"10/02/24   2:45 PM  Solar - Annular", kIconSolarAnnular},
    };
    for (std::size_t i = 0; i < year2024.size(); ++i) {
        const EclipseRowTexts row = EclipseRow(year2024[i], mode);
        EXPECT_EQ(row.label, QLatin1String(expected[i].label)) << i;
        EXPECT_EQ(row.zone, QStringLiteral("EDT")) << i;
        EXPECT_EQ(row.icon, expected[i].icon) << i;
    }
}

TEST_F(EclipseTextsTest, GreenwichAndTwentyFourHourModes) {
    mode.localTime = false;
    mode.use24Hour = true;
    const EclipseRowTexts row = EclipseRow(year2024[2], mode);
    EXPECT_EQ(row.label, QStringLiteral("09/18/24   00:41  Lunar - Partial"));
    EXPECT_EQ(row.zone, kGmt);
    EXPECT_EQ(EclipseSummaryLine(year2024[2], mode), QStringLiteral("09/18/24 Lunar - Partial"));
    // Every time in the memo carries the Greenwich name.
    const QStringList memo = EclipseMemoLines(year2024, mode);
    EXPECT_FALSE(memo.contains(QStringLiteral("EDT")));
    EXPECT_GT(memo.count(kGmt), 40);
}

TEST_F(EclipseTextsTest, MemoOf2024SummaryThenBlocks) {
    const QStringList memo = EclipseMemoLines(year2024, mode);
    const QStringList head = {
        "",
        kRule,
        "Eclipse Summary:",
        "",
        "03/25/24 Lunar - Penumbral",
        "04/08/24 Solar - Total",
        "09/17/24 Lunar - Partial",
        "10/02/24 Solar - Annular",
        "",
        kRule,
        "",
        // Penumbral: start, maximum and end only.
        "03/25/24 Lunar - Penumbral",
        "Mag: 0.949",
        "",
        "Penumbral Starts:",
        "03/25/24   12:54 AM",
        "EDT",
        "",
        "Mid Eclipse:",
        "03/25/24   3:12 AM",
        "EDT",
        "",
        "Penumbral Ends:",
        "03/25/24   5:31 AM",
        "EDT",
        "",
        kRule,
        "",
        // Total solar with its central line.
        "04/08/24 Solar - Total",
        "Mag: N/A",
        "Hemisphere: Northern",
        "",
        "Mid Eclipse:",
        "04/08/24   2:17 PM",
        "EDT",
        "",
        "04/08/24   12:50 PM",
        "EDT",
        " Lat:     Lon:   Duration",
        "  -2.72   -139.37   2.87",
        "",
    };
    ASSERT_GE(memo.size(), head.size());
    EXPECT_EQ(memo.mid(0, head.size()), head);

    // The partial lunar eclipse: its heading is the UT date of the penumbral start, its
    // contacts are local times; no second or third contact.
    const qsizetype partial = memo.indexOf(QStringLiteral("09/18/24 Lunar - Partial"));
    ASSERT_GT(partial, 0);
    const QStringList partialBlock = {
        "09/18/24 Lunar - Partial",
        "Mag: 0.078",
        "",
        "Penumbral Starts:",
        "09/17/24   8:41 PM",
        "EDT",
        "",
        "First Contact:",
        "09/17/24   10:14 PM",
        "EDT",
        "",
        "Mid Eclipse:",
        "09/17/24   10:44 PM",
        "EDT",
        "",
        "Fourth Contact:",
        "09/17/24   11:14 PM",
        "EDT",
        "",
        "Penumbral Ends:",
        "09/18/24   12:46 AM",
        "EDT",
        "",
        kRule,
        "",
    };
    EXPECT_EQ(memo.mid(partial, partialBlock.size()), partialBlock);

    // The annular eclipse closes the memo: southern, 22 track points of five lines each.
    const qsizetype annular = memo.indexOf(QStringLiteral("10/02/24 Solar - Annular"), partial);
    ASSERT_GT(annular, partial);
    EXPECT_EQ(memo[annular + 2], QStringLiteral("Hemisphere: Southern"));
    EXPECT_EQ(memo.size() - annular, 4 + 4 + 22 * 5 + 2);
    EXPECT_EQ(memo.count(QStringLiteral(" Lat:     Lon:   Duration")), 19 + 22);
    EXPECT_EQ(memo.last(), QString());
    EXPECT_EQ(memo[memo.size() - 2], kRule);
}

TEST_F(EclipseTextsTest, NoEclipseGivesTheFrameLinesOnly) {
    const QStringList frame = {"", kRule, "Eclipse Summary:", "", "", kRule, ""};
    EXPECT_EQ(EclipseMemoLines({}, mode), frame);
}

TEST_F(EclipseTextsTest, AtMostSevenEclipsesAreListed) {
    std::vector<EclipseRecord> many(9, year2024[0]);
    const QStringList memo = EclipseMemoLines(many, mode);
    EXPECT_EQ(memo.count(QStringLiteral("03/25/24 Lunar - Penumbral")), 7 + 7);
}

TEST_F(EclipseTextsTest, DetailHeadingsAndMagnitudesByKind) {
    EclipseRecord solar;
    solar.maximum = Utc(2030, 6, 1, 6, 29);
    const struct {
        EclipseKind kind;
        double magnitude;
        std::uint8_t hemisphere;
        const char* heading;
        const char* magnitudeLine;
        const char* hemisphereLine;
    } cases[] = {
        {EclipseKind::SolarPartial, 0.1234, kSouthernHemisphere, "06/01/30 Solar - Partial",
         "Mag: 0.123", "Hemisphere: Southern"},
        {EclipseKind::SolarAnnularTotal, kMagnitudeNotComputed, kNorthernHemisphere,
         "06/01/30 Solar Ann Total", "Mag: N/A", "Hemisphere: Northern"},
        {EclipseKind::SolarAnnular, kMagnitudeNotComputed, kNorthernHemisphere,
         "06/01/30 Solar - Annular", "Mag: N/A", "Hemisphere: Northern"},
    };
    for (const auto& c : cases) {
        solar.kind = c.kind;
        solar.magnitude = c.magnitude;
        solar.hemisphere = c.hemisphere;
        // No track (a partial eclipse, or an axis that grazes the Earth): the block ends
        // after the maximum.
        const QStringList block = EclipseDetailBlock(solar, mode);
        const QStringList expected = {c.heading,
                                      c.magnitudeLine,
                                      c.hemisphereLine,
                                      "",
                                      "Mid Eclipse:",
                                      "06/01/30   2:29 AM",
                                      "EDT",
                                      "",
                                      kRule,
                                      ""};
        EXPECT_EQ(block, expected) << c.heading;
    }
}

// A total lunar eclipse around New Year: the contacts after midnight belong to the next
// year, whose own list does not hold the eclipse, so they are shown here.
TEST_F(EclipseTextsTest, TotalLunarAcrossNewYearShowsAllSevenContacts) {
    mode.localTime = false;
    mode.use24Hour = true;
    EclipseRecord lunar;
    lunar.kind = EclipseKind::LunarTotal;
    lunar.magnitude = 1.2;
    lunar.penumbralStart = Utc(2030, 12, 31, 21, 0);
    lunar.partialStart = Utc(2030, 12, 31, 22, 0);
    lunar.totalStart = Utc(2030, 12, 31, 23, 0);
    lunar.maximum = Utc(2030, 12, 31, 23, 40);
    lunar.totalEnd = Utc(2031, 1, 1, 0, 20);
    lunar.partialEnd = Utc(2031, 1, 1, 1, 20);
    lunar.penumbralEnd = Utc(2031, 1, 1, 2, 20);
    const QStringList block = EclipseDetailBlock(lunar, mode);
    const QStringList captions = {
        "Penumbral Starts:", "First Contact:",  "Second Contact:", "Mid Eclipse:",
        "Third Contact:",    "Fourth Contact:", "Penumbral Ends:"};
    ASSERT_EQ(block.size(), 3 + 7 * 4 + 2);
    EXPECT_EQ(block[0], QStringLiteral("12/31/30 Lunar - Total"));
    EXPECT_EQ(block[1], QStringLiteral("Mag: 1.200"));
    for (qsizetype i = 0; i < captions.size(); ++i)
        EXPECT_EQ(block[3 + 4 * i], captions[i]);
    EXPECT_EQ(block[3 + 4 * 6 + 1], QStringLiteral("01/01/31   02:20"));
}

} // namespace
} // namespace skelvane

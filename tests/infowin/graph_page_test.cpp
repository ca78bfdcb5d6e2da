#include "infowin/graph_page.h"

#include "app/settings.h"
#include "astro/posix_tz.h"
#include "astro/timezone.h"
#include "support/fake_clock.h"
#include "support/qstring_printer.h"
#include "support/scoped_zone.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <optional>

#include <limits>
#include <memory>

namespace skelvane {
namespace {

using test::FakeClock;

class GraphPageTest : public ::testing::Test {
protected:
    std::optional<test::ScopedZone> zone;
    void SetUp() override {
        zone.reset();
        zone.emplace("EST5EDT,M3.2.0,M11.1.0");
        settings.Latitude = 40.7128;
        settings.Longitude = -74.006;
        settings.PlaceName = QStringLiteral("New York, NY");
    }
    void TearDown() override {
        page.reset();
        zone.reset();
    }
    GraphPage& makePage() {
        page = std::make_unique<GraphPage>(settings, clock);
        page->setDate(SafeEncodeDate(2024, 6, 21));
        return *page;
    }
    template <typename T> T* child(const char* name) const {
        return page->findChild<T*>(QLatin1String(name));
    }
    QString text(const char* name) const { return child<QLabel>(name)->text(); }

    Settings settings;
    FakeClock clock{SafeEncodeDateTime(2024, 6, 21, 12, 0, 0, 0), -4};
    std::unique_ptr<GraphPage> page;
};

TEST_F(GraphPageTest, AClickSelectsTheDayOfItsColumn) {
    const struct {
        bool use24Hour;
        int x;
        DateTime expected; // 0: nothing
    } cases[] = {
        {true, 41, SafeEncodeDate(2024, 1, 1)},
        {true, 40 + 366, SafeEncodeDate(2024, 12, 31)}, // the leap year's last day
        {true, 40, 0},
        {true, 40 + 367, 0},
        {false, 61, SafeEncodeDate(2024, 1, 1)},
        {false, 45, 0}, // on the hour labels
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "x " << c.x << " 24h " << c.use24Hour);
        settings.UseMilitaryTime = c.use24Hour;
        settings.ShowDateLinesBoxChecked = false;
        GraphPage& graph = makePage();
        QSignalSpy goTo(&graph, &GraphPage::goToDate);
        QTest::mouseClick(graph.paintBox(), Qt::LeftButton, {}, QPoint(c.x, 200));
        if (c.expected == 0) {
            EXPECT_TRUE(goTo.isEmpty());
            EXPECT_FALSE(child<QCheckBox>("ShowDateLinesBox")->isChecked());
            continue;
        }
        ASSERT_EQ(goTo.size(), 1);
        EXPECT_EQ(goTo.at(0).at(0).toDouble(), c.expected);
        EXPECT_EQ(graph.date(), c.expected);
        EXPECT_TRUE(child<QCheckBox>("ShowDateLinesBox")->isChecked());
        EXPECT_TRUE(settings.ShowDateLinesBoxChecked);
        EXPECT_TRUE(graph.scene().showDateLines);
        EXPECT_EQ(graph.groupCaption(), GraphDayCaption(c.expected));
    }
    // Only the left button selects.
    QSignalSpy goTo(page.get(), &GraphPage::goToDate);
    QTest::mouseClick(page->paintBox(), Qt::RightButton, {}, QPoint(200, 200));
    EXPECT_TRUE(goTo.isEmpty());
}

TEST_F(GraphPageTest, RedrawsOnlyWhenTheDayOrAnInputChanged) {
    GraphPage& graph = makePage();
    EXPECT_TRUE(graph.paintBox()->image().isNull()) << "a hidden page draws no picture";
    graph.show();
    const qint64 first = graph.paintBox()->image().cacheKey();
    graph.setDate(SafeEncodeDate(2024, 6, 21) + 0.75); // the same day, later
    EXPECT_EQ(graph.paintBox()->image().cacheKey(), first);
    graph.setDate(SafeEncodeDate(2024, 6, 22));
    const qint64 second = graph.paintBox()->image().cacheKey();
    EXPECT_NE(second, first);
    settings.Latitude = -35.28; // a new place
    graph.setDate(SafeEncodeDate(2024, 6, 22));
    EXPECT_NE(graph.paintBox()->image().cacheKey(), second);
    EXPECT_EQ(graph.scene().options.latitude, -35.28);
    // Outside the engine's years, or not a date at all: the graph stays.
    for (const double bad : {std::numeric_limits<double>::quiet_NaN(), 1e12,
                             SafeEncodeDate(1500, 1, 1), SafeEncodeDate(4100, 1, 1)})
        graph.setDate(bad);
    EXPECT_EQ(graph.date(), SafeEncodeDate(2024, 6, 22));
}

TEST_F(GraphPageTest, ChoicesAreStoredAndRedrawTheGraph) {
    GraphPage& graph = makePage();
    EXPECT_EQ(child<QGroupBox>("GraphGroupBox")->title(),
              QStringLiteral(" 2024  Sunrise and Sunset (local time) "));
    EXPECT_EQ(child<QGroupBox>("TimePositionBox")->title(), QStringLiteral(" Graph "));

    child<QRadioButton>("PositionRadio")->click();
    EXPECT_EQ(settings.TimePositionBoxIndex, 1);
    EXPECT_EQ(graph.scene().options.mode, GraphMode::Position);
    EXPECT_EQ(child<QGroupBox>("GraphGroupBox")->title(),
              QStringLiteral(" 2024  Sunrise and Sunset (position) "));
    EXPECT_EQ(graph.GetGraph().size(), SunGraphSize(GraphMode::Position, false));

    child<QCheckBox>("DaylightSavingBox")->click();
    EXPECT_FALSE(settings.DaylightSavingBoxChecked);
    EXPECT_FALSE(graph.scene().options.daylightSaving);
    child<QCheckBox>("ShowDateLinesBox")->click();
    EXPECT_FALSE(settings.ShowDateLinesBoxChecked);
    EXPECT_FALSE(graph.scene().showDateLines);

    // A new page starts from the stored choices.
    page.reset();
    GraphPage& again = makePage();
    EXPECT_TRUE(child<QRadioButton>("PositionRadio")->isChecked());
    EXPECT_FALSE(again.scene().options.daylightSaving);
    EXPECT_FALSE(again.scene().showDateLines);
}

TEST_F(GraphPageTest, SideLabelsDescribeTheDrawnDay) {
    GraphPage& graph = makePage();
    EXPECT_TRUE(text("GraphSunRiseLab1").endsWith(QStringLiteral(" Sunrise")));
    EXPECT_EQ(text("GraphSunRiseLab2"), QStringLiteral("EDT"));
    EXPECT_TRUE(text("GraphSunSetLab3").startsWith(QStringLiteral("Sun Sets at:  ")));
    EXPECT_TRUE(text("GraphDayHoursLab").startsWith(QStringLiteral("Day is 15:")));

    settings.Latitude = 70;
    graph.setDate(SafeEncodeDate(2024, 6, 21));
    EXPECT_EQ(text("GraphSunRiseLab1"), QStringLiteral("Sun up all day"));
    for (const char* name : {"GraphSunRiseLab2", "GraphSunRiseLab3", "GraphSunSetLab1",
                             "GraphSunSetLab2", "GraphSunSetLab3", "GraphDayHoursLab"})
        EXPECT_TRUE(text(name).isEmpty()) << name;
    graph.setDate(SafeEncodeDate(2024, 12, 21));
    EXPECT_EQ(text("GraphSunRiseLab1"), QStringLiteral("Sun down all day"));
}

TEST_F(GraphPageTest, PolarAndPoleGraphsDrawInBothModes) {
    for (const double latitude : {90.0, 89.99, 70.0, -70.0, -90.0}) {
        for (const int mode : {0, 1}) {
            SCOPED_TRACE(testing::Message() << latitude << " mode " << mode);
            settings.Latitude = latitude;
            settings.TimePositionBoxIndex = mode;
            GraphPage& graph = makePage();
            for (const GraphDayLevels& day : graph.scene().curves.days) {
                ASSERT_GE(std::min(day.rise, day.set), 0);
                ASSERT_LE(std::max(day.rise, day.set), kGraphPlotHeight);
            }
            EXPECT_FALSE(graph.GetGraph().isNull());
        }
    }
}

TEST_F(GraphPageTest, ButtonsAskTheClockWindowForItsCommands) {
    GraphPage& graph = makePage();
    QSignalSpy seasons(&graph, &GraphPage::seasonRequested);
    for (const char* name : {"MarEqBut", "JunSolBut", "SepEqBut", "DecSolBut"})
        child<QPushButton>(name)->click();
    ASSERT_EQ(seasons.size(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(seasons.at(i).at(0).toInt(), i);
    QSignalSpy previous(&graph, &GraphPage::previousMonthRequested);
    QSignalSpy next(&graph, &GraphPage::nextMonthRequested);
    child<QToolButton>("PrevMonthBut2")->click();
    child<QToolButton>("NextMonthBut2")->click();
    EXPECT_EQ(previous.size(), 1);
    EXPECT_EQ(next.size(), 1);
    QSignalSpy save(&graph, &GraphPage::saveImageRequested);
    child<QPushButton>("SaveGraphBut")->click();
    EXPECT_EQ(save.size(), 1);
}

} // namespace
} // namespace skelvane

#include "infowin/holiday_page.h"

#include "astro/holidays.h"
#include "astro/posix_tz.h"
#include "astro/timezone.h"
#include "support/qstring_printer.h"
#include "support/scoped_zone.h"

#include <QGroupBox>
#include <QTableWidget>
#include <gtest/gtest.h>
#include <optional>

#include <vector>

namespace skelvane {
namespace {

class HolidayPageTest : public ::testing::Test {
protected:
    std::optional<test::ScopedZone> zone;
    void SetUp() override {
        useZone("EST5EDT,M3.2.0,M11.1.0");
        QObject::connect(&page, &HolidayPage::holidaySelected,
                         [this](DateTime day) { selected.push_back(day); });
        grid = page.findChild<QTableWidget*>(QStringLiteral("HolidayGrid"));
        ASSERT_NE(grid, nullptr);
    }
    void TearDown() override { zone.reset(); }
    void useZone(const char* rule) {
        zone.reset();
        zone.emplace(rule);
    }
    int rowOf(const char* name) const {
        for (int row = 0; row < grid->rowCount(); ++row) {
            if (grid->item(row, 0)->text() == QString::fromLatin1(name))
                return row;
        }
        return -1;
    }
    QString dateIn(const char* name) const {
        const int row = rowOf(name);
        return row < 0 ? QStringLiteral("<missing>") : grid->item(row, 1)->text();
    }

    HolidayPage page;
    QTableWidget* grid = nullptr;
    std::vector<DateTime> selected;
};

TEST_F(HolidayPageTest, ListsTheYearsTwentySevenHolidaysInDateOrder) {
    page.refresh(2024);
    EXPECT_EQ(page.findChild<QGroupBox*>(QStringLiteral("HolidayGroupBox"))->title(),
              QStringLiteral(" 2024  Holidays "));
    ASSERT_EQ(grid->rowCount(), 27);
    EXPECT_EQ(grid->columnCount(), 2);
    EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("New Year's Day"));
    EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("January 1"));
    EXPECT_EQ(grid->item(26, 0)->text(), QStringLiteral("Hanukah Day 1")); // 26 December
    struct Case {
        const char* name;
        const char* date;
    } cases[] = {
        {"Christmas", "December 25"},    {"Easter", "March 31"},
        {"Orthodox Easter", "May 5"},    {"Jewish New Year", "October 3"},
        {"Thanksgiving", "November 28"}, {"Clock Ahead 1H", "March 10"},
        {"Clock Back 1H", "November 3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dateIn(c.name), QString::fromLatin1(c.date)) << c.name;

    page.refresh(2025);
    EXPECT_EQ(dateIn("Easter"), QStringLiteral("April 20"));
}

TEST_F(HolidayPageTest, SelectingARowSelectsThatDay) {
    page.refresh(2024);
    grid->setCurrentCell(rowOf("Christmas"), 0);
    grid->setCurrentCell(rowOf("Clock Ahead 1H"), 1);
    const std::vector<DateTime> expected = {SafeEncodeDate(2024, 12, 25),
                                            SafeEncodeDate(2024, 3, 10)};
    EXPECT_EQ(selected, expected) << "whole days, also for the clock change at 2 AM";

    // Another page asked for another year meanwhile: the row still means 2024.
    HolidayTableFor(2031);
    grid->setCurrentCell(rowOf("Easter"), 0);
    ASSERT_EQ(selected.size(), 3u);
    EXPECT_EQ(selected[2], SafeEncodeDate(2024, 3, 31));
}

TEST_F(HolidayPageTest, ClockChangesWithoutDaylightSavingHaveNoDate) {
    useZone("JST-9");
    page.refresh(2024);
    EXPECT_TRUE(dateIn("Clock Ahead 1H").isEmpty()) << "not December 30 (the zero date)";
    EXPECT_TRUE(dateIn("Clock Back 1H").isEmpty());
    grid->setCurrentCell(rowOf("Clock Back 1H"), 0);
    EXPECT_TRUE(selected.empty());
    grid->setCurrentCell(rowOf("Halloween"), 0);
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(selected[0], SafeEncodeDate(2024, 10, 31));
}

TEST_F(HolidayPageTest, RefreshDoesNotSelectAnything) {
    page.refresh(2024);
    grid->setCurrentCell(rowOf("Halloween"), 0);
    selected.clear();
    page.refresh(2024); // the minute's refresh
    EXPECT_TRUE(selected.empty());
    EXPECT_EQ(grid->currentRow(), -1);
    grid->setCurrentCell(rowOf("Halloween"), 0);
    EXPECT_EQ(selected.size(), 1u) << "the same row can be chosen again after a refresh";
}

TEST_F(HolidayPageTest, YearsOutsideTheCalendarGiveBlankDates) {
    for (const int year : {-5, 0, 1, 9999, 20000}) {
        SCOPED_TRACE(year);
        page.refresh(year);
        ASSERT_EQ(grid->rowCount(), 27);
        EXPECT_TRUE(dateIn("Christmas").isEmpty() || year == 9999)
            << dateIn("Christmas").toStdString();
        grid->setCurrentCell(rowOf("Groundhog Day"), 0);
        grid->setCurrentCell(rowOf("Christmas"), 0);
    }
}

} // namespace
} // namespace skelvane

#include "infowin/year_page.h"

#include "app/settings.h"
#include "astro/holidays.h"
#include "astro/posix_tz.h"
#include "astro/timezone.h"
#include "infowin/year_calendar.h"
#include "support/fake_clock.h"
#include "support/qstring_printer.h"
#include "support/scoped_zone.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
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

class YearPageTest : public ::testing::Test {
protected:
    std::optional<test::ScopedZone> zone;
    void SetUp() override {
        zone.reset();
        zone.emplace("EST5EDT,M3.2.0,M11.1.0");
        settings.WeekStart = 0;
        page = std::make_unique<YearPage>(settings, clock);
        page->resize(730, 640);
    }
    void TearDown() override {
        page.reset();
        zone.reset();
    }
    QString labelText(const char* name) const {
        return page->findChild<QLabel*>(QLatin1String(name))->text();
    }
    template <typename T> T* child(const char* name) const {
        return page->findChild<T*>(QLatin1String(name));
    }
    // The days the page asked the clock window for.
    std::vector<DateTime> requested(const QSignalSpy& spy) const {
        std::vector<DateTime> days;
        for (const QList<QVariant>& call : spy)
            days.push_back(call.at(0).toDouble());
        return days;
    }

    Settings settings;
    FakeClock clock{SafeEncodeDateTime(2024, 12, 20, 10, 0, 0, 0)};
    std::unique_ptr<YearPage> page;
};

TEST_F(YearPageTest, ShowingBefore1756MovesTheClockWindowOnto1756) {
    QSignalSpy goTo(page.get(), &YearPage::goToDate);
    page->setDate(SafeEncodeDate(1700, 1, 1));
    EXPECT_EQ(page->date(), SafeEncodeDate(1756, 1, 1)) << "the grid never shows 1700";
    EXPECT_TRUE(goTo.isEmpty()) << "only showing the page moves the clock window";
    page->show();
    EXPECT_EQ(requested(goTo), std::vector<DateTime>{SafeEncodeDate(1756, 1, 1)});
    EXPECT_EQ(page->date(), SafeEncodeDate(1756, 1, 1));
    EXPECT_EQ(child<QComboBox>("BigCalYearComboBox")->currentText(), QStringLiteral("1756"));

    // While the clock window stays before 1756, a 1756 date already shown stays.
    page->setDate(SafeEncodeDate(1756, 7, 4));
    page->setDate(SafeEncodeDate(1650, 3, 5));
    EXPECT_EQ(page->date(), SafeEncodeDate(1756, 7, 4));
}

TEST_F(YearPageTest, YearButtonsStopAt1756And3428) {
    const struct {
        DateTime clockDate;
        bool next;
        DateTime expected; // 0: nothing happens
    } cases[] = {
        {SafeEncodeDate(2024, 2, 29), false, SafeEncodeDate(2023, 2, 28)},
        {SafeEncodeDate(2024, 2, 29), true, SafeEncodeDate(2025, 2, 28)},
        {SafeEncodeDate(1757, 6, 1), false, SafeEncodeDate(1756, 6, 1)},
        {SafeEncodeDate(1756, 6, 1), false, 0},
        {SafeEncodeDate(3427, 12, 31), true, SafeEncodeDate(3428, 12, 31)},
        {SafeEncodeDate(3428, 6, 1), true, 0},
        {SafeEncodeDate(3429, 6, 1), true, 0},
        // A clock date before 1756 goes to the same day of 1756 (the year after 1755).
        {SafeEncodeDate(1650, 3, 5), true, SafeEncodeDate(1756, 3, 5)},
        {SafeEncodeDate(1650, 3, 5), false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.clockDate << (c.next ? " next" : " last"));
        page->setDate(c.clockDate);
        QSignalSpy goTo(page.get(), &YearPage::goToDate);
        QToolButton* button = child<QToolButton>(c.next ? "NextYearBut" : "LastYearBut");
        EXPECT_EQ(button->isEnabled(), c.expected != 0);
        c.next ? page->NextYearButClick() : page->LastYearButClick();
        if (c.expected == 0) {
            EXPECT_TRUE(goTo.isEmpty());
        } else {
            EXPECT_EQ(requested(goTo), std::vector<DateTime>{c.expected});
            EXPECT_EQ(page->date(), c.expected);
        }
    }
}

TEST_F(YearPageTest, TypedYearsWithinTheRangeMoveTheClockWindow) {
    page->setDate(SafeEncodeDate(2024, 2, 29));
    QSignalSpy goTo(page.get(), &YearPage::goToDate);
    for (const char* text : {"1700", "3429", "20x4", "", "99999", "2024"})
        page->BigCalYearComboBoxChange(QLatin1String(text));
    EXPECT_TRUE(goTo.isEmpty());
    EXPECT_EQ(child<QComboBox>("BigCalYearComboBox")->currentText(), QStringLiteral("2024"));

    // Typing the four digits of a year is enough; 29 February steps back to the 28th.
    QComboBox* box = child<QComboBox>("BigCalYearComboBox");
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("2031"));
    EXPECT_EQ(requested(goTo), std::vector<DateTime>{SafeEncodeDate(2031, 2, 28)});
    // Letters never reach the box.
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("ab"));
    EXPECT_EQ(box->currentText(), QStringLiteral("2031"));
    EXPECT_EQ(goTo.size(), 1);
}

TEST_F(YearPageTest, WeekStartAndWeekNumbersFollowTheirControls) {
    QSignalSpy weekStart(page.get(), &YearPage::weekStartChanged);
    QComboBox* box = child<QComboBox>("WeekStartBox");
    ASSERT_EQ(box->count(), 7);
    EXPECT_EQ(box->itemText(0), QStringLiteral("Monday"));
    EXPECT_EQ(box->itemText(6), QStringLiteral("Sunday"));
    const struct { int index, calendarStart; } cases[] = {{6, 0}, {0, 1}, {2, 3}, {5, 6}};
    for (const auto& c : cases) {
        box->setCurrentIndex(c.index);
        EXPECT_EQ(settings.WeekStart, c.index);
        EXPECT_EQ(page->grid()->weekStart(), c.index);
        ASSERT_FALSE(weekStart.isEmpty());
        EXPECT_EQ(weekStart.takeLast().at(0).toInt(), c.calendarStart);
    }

    QCheckBox* numbers = child<QCheckBox>("WeekNumbersBox");
    EXPECT_EQ(numbers->text(), QStringLiteral("Week Numbers"));
    numbers->click();
    EXPECT_TRUE(page->weekNumbersChecked());
    EXPECT_TRUE(settings.ShowWeekNumbers);
    EXPECT_TRUE(page->grid()->weekNumbers());
    // Showing the page takes the stored state.
    settings.ShowWeekNumbers = false;
    page->YearSheetShow();
    EXPECT_FALSE(page->weekNumbersChecked());
    EXPECT_FALSE(page->grid()->weekNumbers());
}

TEST_F(YearPageTest, DayInfoLabelsDescribeTheSelectedDay) {
    page->setDate(SafeEncodeDate(2024, 12, 25));
    page->setDayInfo(QStringLiteral("Christmas"));
    EXPECT_EQ(labelText("DayInfoLabel1"),
              QStringLiteral("Wednesday December 25, 2024 is 5 days from today."));
    EXPECT_EQ(labelText("DayInfoLabel2"),
              QStringLiteral("Wednesday December 25, 2024 is 3 working days from today."));
    EXPECT_EQ(labelText("DayInfoLabel3"), QStringLiteral("Wednesday December 25, 2024"));
    EXPECT_EQ(labelText("DayInfoLabel4"), QStringLiteral("Christmas"));
    // The same day again (the minute refresh) keeps the name; another day drops it.
    page->setDate(SafeEncodeDate(2024, 12, 25) + 0.5);
    EXPECT_EQ(labelText("DayInfoLabel4"), QStringLiteral("Christmas"));
    page->setDate(SafeEncodeDate(2024, 12, 26));
    EXPECT_TRUE(labelText("DayInfoLabel4").isEmpty());
    // A clock window before 1756 names no day of the 1756 grid.
    page->setDate(SafeEncodeDate(1700, 12, 25));
    page->setDayInfo(QStringLiteral("Christmas"));
    EXPECT_TRUE(labelText("DayInfoLabel4").isEmpty());
}

TEST_F(YearPageTest, ClickingADaySelectsItInTheClockWindow) {
    page->show();
    page->setDate(SafeEncodeDate(2024, 5, 10));
    QSignalSpy goTo(page.get(), &YearPage::goToDate);
    YearCalendarGrid* grid = page->grid();
    const YearGridGeometry geometry(grid->size(), grid->weekNumbers());
    const YearMonthLayout july = LayOutYearMonth(2024, 7, grid->weekStart());
    // 17 July 2024 in its cell.
    const int cell = july.firstColumn + 16;
    QTest::mouseClick(grid, Qt::LeftButton, {}, geometry.dayCell(7, cell / 7, cell % 7).center());
    EXPECT_EQ(requested(goTo), std::vector<DateTime>{SafeEncodeDate(2024, 7, 17)});
    EXPECT_EQ(page->date(), SafeEncodeDate(2024, 7, 17));
    // Titles, day names and empty cells select nothing; neither does the right button.
    QTest::mouseClick(grid, Qt::LeftButton, {}, geometry.titleRect(3).center());
    ASSERT_EQ(YearMonthDayAt(july, 5, 6), 0);
    QTest::mouseClick(grid, Qt::LeftButton, {}, geometry.dayCell(7, 5, 6).center());
    QTest::mouseClick(grid, Qt::RightButton, {}, geometry.dayCell(8, 2, 2).center());
    EXPECT_EQ(goTo.size(), 1);
}

TEST_F(YearPageTest, HolidaysAreBoldOnlyWhileTheClockWindowShowsThem) {
    page->setDate(SafeEncodeDate(2024, 12, 1));
    EXPECT_TRUE(page->grid()->isBold(12, 25));
    EXPECT_FALSE(page->grid()->isBold(12, 24));
    settings.ShowHolidays = false;
    page->UpdateBigCalendar();
    EXPECT_FALSE(page->grid()->isBold(12, 25));
}

TEST_F(YearPageTest, TheExportedCalendarLeavesTodaysMarkOut) {
    page->show();
    page->setDate(SafeEncodeDate(2024, 12, 1));
    YearCalendarGrid* grid = page->grid();
    const QImage exported = page->GetCalendar();
    ASSERT_EQ(exported.size(), grid->size());
    const QImage onScreen = grid->render(true);
    const YearGridGeometry geometry(grid->size(), grid->weekNumbers());
    const YearMonthLayout december = LayOutYearMonth(2024, 12, grid->weekStart());
    const int cell = december.firstColumn + 19; // today, 20 December
    const QRect today = geometry.dayCell(12, cell / 7, cell % 7);
    EXPECT_EQ(onScreen.pixelColor(today.topLeft()), QColor(255, 0, 0));
    EXPECT_NE(exported.pixelColor(today.topLeft()), QColor(255, 0, 0));
}

TEST_F(YearPageTest, DatesThatCannotBeShownAreIgnored) {
    page->setDate(SafeEncodeDate(2024, 6, 1));
    for (const double bad :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e12,
          -1e12, SafeEncodeDate(1500, 1, 1), SafeEncodeDate(4000, 1, 1)})
        page->setDate(bad);
    EXPECT_EQ(page->date(), SafeEncodeDate(2024, 6, 1));
    QSignalSpy goTo(page.get(), &YearPage::goToDate);
    page->BigCalendarClick(std::numeric_limits<double>::quiet_NaN());
    page->BigCalendarClick(SafeEncodeDate(1755, 12, 31));
    EXPECT_TRUE(goTo.isEmpty());
}

} // namespace
} // namespace skelvane

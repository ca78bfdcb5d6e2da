#pragma once

#include "astro/datetime.h"
#include "astro/format_date.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

#include <array>
#include <bitset>
#include <functional>
#include <optional>

namespace skelvane {

// The year calendar's own limits: the grid shows no year before 1756, and its own
// navigation goes no further than 3428.
inline constexpr int kLastYearCalendarYear = 3428;

// One month of the year grid: seven day columns starting on the chosen weekday, up to six
// rows, day 1 in the first row.
struct YearMonthLayout {
    int daysInMonth = 0;
    int firstColumn = 0; // column of day 1, 0..6
    int rows = 0;        // rows that hold days, 4..6
    // ISO 8601 week of each row, taken from the row's Thursday (the day that decides which
    // week a row of seven days belongs to, whatever day the row starts on); 0 for no row.
    std::array<int, 6> weekNumbers{};
    // Weekday shown in each column, 1 = Monday .. 7 = Sunday.
    std::array<int, 7> columnWeekdays{};
};

// weekStart is the week-start list's index, 0 = Monday .. 6 = Sunday (anything else reads
// as Monday). A month outside 1..12 or a year outside 1..9999 gives an empty layout.
YearMonthLayout LayOutYearMonth(int year, int month, int weekStart);

// The day in row/column of a layout, or 0 for an empty cell.
int YearMonthDayAt(const YearMonthLayout& layout, int row, int column);

// Bold days of a month, bit d for day d: from 1756 on, when holidays are shown, every day
// on which the holiday table names a holiday (BigCalendarGetMonthInfo).
std::bitset<32> BigCalendarGetMonthInfo(int year, int month, bool showHolidays);

// Monday-to-Friday days between two dates (only their calendar days count). With n the whole
// days between them: the n days after `today` up to and including `day` when day >= today,
// else the n days from `day` up to the day before `today`. Positive when day >= today,
// negative before, 0 on the same day or for a value that is not a number. The count is
// exact at any distance.
long long WorkingDaysBetween(DateTime day, DateTime today);

// The three lines about the selected day: its long date and its distance from today in
// days and in working days, and the long date alone.
struct YearDayInfo {
    QString line1, line2, line3;
};
YearDayInfo YearDayInfoLines(DateTime day, DateTime today,
                             const DateLocale& names = EnglishDateLocale());

// Where the twelve months sit in a grid of the given size: four columns and three rows of
// month blocks, each with a title row, a row of day names and six rows of days, and a
// column of week numbers in front when they are shown.
class YearGridGeometry {
public:
    YearGridGeometry(QSize size, bool weekNumbers);

    QRect monthRect(int month) const;              // month 1..12
    QRect titleRect(int month) const;              // month name and year
    QRect headerCell(int month, int column) const; // column -1 is the week-number column
    QRect dayCell(int month, int row, int column) const;
    QRect weekNumberCell(int month, int row) const;
    // The month, row and column of the day cell under a point (nothing elsewhere).
    struct Hit {
        int month = 0, row = 0, column = 0;
    };
    std::optional<Hit> hitTest(QPoint point) const;

private:
    int cellLeft(int month, int column) const;
    QSize size_;
    bool weekNumbers_;
    int blockWidth_ = 0, blockHeight_ = 0, cellWidth_ = 0, rowHeight_ = 0, padding_ = 0;
};

// The Year page's grid: the twelve months of the selected date's year, holidays in bold,
// the selected day highlighted and today framed in red. A click or an arrow key asks for
// a day with dayClicked; the grid itself changes only through setDate.
class YearCalendarGrid : public QWidget {
    Q_OBJECT
public:
    using TodaySource = std::function<DateTime()>;
    explicit YearCalendarGrid(TodaySource today, QWidget* parent = nullptr);

    DateTime date() const { return date_; }
    // Selects a day (its calendar day counts). Values that cannot be decoded are ignored.
    void setDate(DateTime value);
    int year() const { return civil_.year; }

    bool weekNumbers() const { return weekNumbers_; }
    void setWeekNumbers(bool on);
    // 0 = Monday .. 6 = Sunday.
    int weekStart() const { return weekStart_; }
    void setWeekStart(int index);
    bool showHolidays() const { return showHolidays_; }
    void setShowHolidays(bool on);
    void setDateNames(const DateLocale& names);

    // Forgets the year's bold days (after a change of time zone or of the holiday flag).
    void refreshBoldDays();
    bool isBold(int month, int day) const;

    // The grid painted into an image of its own size; withTodayMark false leaves the red
    // frame of today out, as the exported picture wants.
    QImage render(bool withTodayMark) const;
    // The day under a point of the grid, or nothing.
    std::optional<DateTime> dayAt(QPoint point) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void dayClicked(DateTime day);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void paintGrid(QPainter& painter, QSize size, bool withTodayMark) const;
    void ensureBoldDays() const;

    TodaySource today_;
    DateTime date_ = 0;
    CivilDate civil_{};
    bool weekNumbers_ = false;
    int weekStart_ = 0;
    bool showHolidays_ = true;
    DateLocale names_ = EnglishDateLocale();

    mutable std::array<std::bitset<32>, 13> bold_{}; // index 1..12
    mutable int boldYear_ = 0;
    mutable bool boldValid_ = false;
};

} // namespace skelvane

#pragma once

#include "astro/datetime.h"

#include <QRect>

#include <optional>

namespace skelvane {

// Pure arithmetic of the month grid: which day sits in which cell, how big the cells are,
// where the moon mark goes, and how the date changes when one of its parts is stepped or
// replaced. The widget only paints what these functions decide.

inline constexpr int kCalendarColumns = 7;
inline constexpr int kCalendarRows = 7; // one header row and six rows of days

struct GridCell {
    int column = 0; // 0..6
    int row = 0;    // 1..6 for days, 0 is the header row
    friend bool operator==(const GridCell&, const GridCell&) = default;
};

// Weekday of a date, 1 = Sunday .. 7 = Saturday (0 for a value that cannot be decoded).
int WeekdaySundayFirst(DateTime value);

// The month offset: cell (c, r) shows day c + offset + 7 r - 7. With shift = (weekday of the
// 1st - startOfWeek + 7) mod 7 it is 2 - shift, or -5 when the shift is 0, so a month
// starting on the week's first day begins in row 1 column 0. startOfWeek 0..7 (0 and 7 are
// Sunday); 0 for a month that is not real (callers pass real months only).
int MonthOffset(int year, int month, int startOfWeek);

// The day a cell shows, or 0 for a cell without a number (header row, days outside
// 1..daysInMonth, columns or rows out of range).
int DayInCell(int monthOffset, int daysInMonth, GridCell cell);

// The cell of day 1..31 for a month offset.
GridCell CellOfDay(int monthOffset, int day);

// Weekday shown in header column c: (c + startOfWeek) mod 7, 0 being Sunday.
int HeaderWeekday(int column, int startOfWeek);

// Column width or row height: (client extent - 6 grid lines) / 7, never below 0.
int CellExtent(int clientExtent, int gridLineWidth);

// Rectangle of a cell; cells are laid out edge to edge with a grid line after each.
QRect CellRect(GridCell cell, int columnWidth, int rowHeight, int gridLineWidth);

// Cell under a point, or nothing on a grid line or outside the grid.
std::optional<GridCell> CellAt(int x, int y, int columnWidth, int rowHeight, int gridLineWidth);

// The 11 × 11 box of a moon mark: right edge 1 pixel and bottom edge 3 pixels inside the
// cell's lower right corner.
inline constexpr int kMoonMarkSize = 11;
QRect MoonMarkRect(const QRect& cell);

// Date-part rules. Each gives the new date, or nothing when the request is ignored (a part
// out of range, or a result outside years 1..9999).

// Day 1..days of the current month.
std::optional<CivilDate> WithDay(CivilDate date, int day);
// Month 1..12; a day the new month lacks becomes its last day.
std::optional<CivilDate> WithMonth(CivilDate date, int month);
// Year 1..9999; 29 February becomes 28 February in a common year.
std::optional<CivilDate> WithYear(CivilDate date, int year);
// Moves by whole months, keeping the day where the target month has it, else its last day.
std::optional<CivilDate> AddMonths(CivilDate date, int months);
// Moves by whole years; 29 February becomes 28 February first.
std::optional<CivilDate> AddYears(CivilDate date, int years);

} // namespace skelvane

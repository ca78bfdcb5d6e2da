#include "clockwin/month_calendar_layout.h"

#include <algorithm>

namespace skelvane {

namespace {

constexpr int kFirstYear = 1;
constexpr int kLastYear = 9999;

bool YearInRange(int year) {
    return year >= kFirstYear && year <= kLastYear;
}

// Floor division and modulo, so negative day differences still land in 0..divisor-1.
int FloorDiv(int a, int b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}
int FloorMod(int a, int b) {
    return a - FloorDiv(a, b) * b;
}

} // namespace

int WeekdaySundayFirst(DateTime value) {
    const int iso = DayOfWeekIso(value); // 1 Monday .. 7 Sunday
    if (iso == 0)
        return 0;
    return iso % 7 + 1;
}

int MonthOffset(int year, int month, int startOfWeek) {
    const DateTime first = SafeEncodeDate(year, month, 1);
    if (first == 0)
        return 0;
    const int weekday = WeekdaySundayFirst(first);
    const int shift = FloorMod(weekday - startOfWeek + 7, 7);
    return shift == 0 ? -5 : 2 - shift;
}

int DayInCell(int monthOffset, int daysInMonth, GridCell cell) {
    if (cell.column < 0 || cell.column >= kCalendarColumns || cell.row < 1 ||
        cell.row >= kCalendarRows)
        return 0;
    const int day = cell.column + monthOffset + 7 * cell.row - 7;
    return day >= 1 && day <= daysInMonth ? day : 0;
}

GridCell CellOfDay(int monthOffset, int day) {
    const int index = day - monthOffset;
    return {FloorMod(index, 7), FloorDiv(index, 7) + 1};
}

int HeaderWeekday(int column, int startOfWeek) {
    return FloorMod(column + startOfWeek, 7);
}

int CellExtent(int clientExtent, int gridLineWidth) {
    return std::max(0, (clientExtent - (kCalendarColumns - 1) * gridLineWidth) / kCalendarColumns);
}

QRect CellRect(GridCell cell, int columnWidth, int rowHeight, int gridLineWidth) {
    return QRect(cell.column * (columnWidth + gridLineWidth),
                 cell.row * (rowHeight + gridLineWidth), columnWidth, rowHeight);
}

std::optional<GridCell> CellAt(int x, int y, int columnWidth, int rowHeight, int gridLineWidth) {
    const int pitchX = columnWidth + gridLineWidth;
    const int pitchY = rowHeight + gridLineWidth;
    if (x < 0 || y < 0 || columnWidth <= 0 || rowHeight <= 0)
        return std::nullopt;
    const GridCell cell{x / pitchX, y / pitchY};
    if (cell.column >= kCalendarColumns || cell.row >= kCalendarRows)
        return std::nullopt;
    if (x % pitchX >= columnWidth || y % pitchY >= rowHeight)
        return std::nullopt;
    return cell;
}

QRect MoonMarkRect(const QRect& cell) {
    // QRect's right() and bottom() are the last pixels inside; the box's outer edges sit 1
    // and 3 pixels in from the cell's outer edges.
    const int right = cell.right() + 1 - 1;
    const int bottom = cell.bottom() + 1 - 3;
    return QRect(right - kMoonMarkSize, bottom - kMoonMarkSize, kMoonMarkSize, kMoonMarkSize);
}

std::optional<CivilDate> WithDay(CivilDate date, int day) {
    if (day < 1 || day > DaysInMonth(date.year, date.month))
        return std::nullopt;
    date.day = day;
    return date;
}

std::optional<CivilDate> WithMonth(CivilDate date, int month) {
    if (month < 1 || month > 12 || !YearInRange(date.year))
        return std::nullopt;
    date.month = month;
    date.day = std::min(date.day, DaysInMonth(date.year, month));
    return date;
}

std::optional<CivilDate> WithYear(CivilDate date, int year) {
    if (!YearInRange(year) || date.month < 1 || date.month > 12)
        return std::nullopt;
    date.year = year;
    date.day = std::min(date.day, DaysInMonth(year, date.month));
    return date;
}

std::optional<CivilDate> AddMonths(CivilDate date, int months) {
    if (date.month < 1 || date.month > 12)
        return std::nullopt;
    const long long index = static_cast<long long>(date.year) * 12 + (date.month - 1) + months;
    const long long year = index >= 0 ? index / 12 : -((-index + 11) / 12);
    if (year < kFirstYear || year > kLastYear)
        return std::nullopt;
    CivilDate result{static_cast<int>(year), static_cast<int>(index - year * 12) + 1, date.day};
    result.day = std::min(result.day, DaysInMonth(result.year, result.month));
    return result;
}

std::optional<CivilDate> AddYears(CivilDate date, int years) {
    if (date.month == 2 && date.day == 29)
        date.day = 28;
    const long long year = static_cast<long long>(date.year) + years;
    if (year < kFirstYear || year > kLastYear)
        return std::nullopt;
    return WithYear(date, static_cast<int>(year));
}

} // namespace skelvane

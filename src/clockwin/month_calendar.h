#pragma once

#include "astro/datetime.h"
#include "clockwin/month_calendar_layout.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>

namespace skelvane {

class TStEclipses;

// What the grid draws on one day of the shown month.
enum class DayNumberColor { Plain, Holiday, Blue };
enum class TinyMoon { None, New, FirstQuarter, Full, LastQuarter };

struct DayMark {
    DayNumberColor color = DayNumberColor::Plain;
    TinyMoon moon = TinyMoon::None;
};

// Marks of every day of one month, index 1..31 (index 0 and days past the month stay
// Plain / None). Colours only with showHolidays: an eclipse on the day (when an eclipse list
// is given) is Blue, else the first holiday is Holiday, else with showEquinoxSolstice an
// equinox or solstice is Blue. Moons only with showTinyMoons: the principal phase whose
// instant falls on the day. Days are local days when useLocalTime, else UT days.
struct MonthMarkOptions {
    bool showHolidays = true;
    bool showTinyMoons = true;
    bool showEquinoxSolstice = true;
    bool useLocalTime = true;
    TStEclipses* eclipses = nullptr;
};
std::array<DayMark, 32> ComputeMonthMarks(int year, int month, const MonthMarkOptions& options);

// The clock window's month calendar (Calendar1): a header row of short day names and six
// rows of day numbers, painted by hand. Holidays are red, eclipse, equinox and solstice days
// blue, and the four principal moon phases get a tiny moon in the cell's corner. Every
// change of the date emits changed(), which the clock window follows.
class TCalendar : public QWidget {
    Q_OBJECT
public:
    // Returns the present local date-time; the grid starts on its day and returns to it when
    // UseCurrentDate is set.
    using TodaySource = std::function<DateTime()>;

    explicit TCalendar(TodaySource today, QWidget* parent = nullptr);

    // The selected date (local); only its calendar day counts.
    DateTime Date() const { return date_; }
    // Selects the date, keeping UseCurrentDate; emits changed(). A value that cannot be
    // decoded or lies outside years 1..9999 is ignored.
    void SetDate(DateTime value);

    int Year() const { return civil_.year; }
    int Month() const { return civil_.month; }
    int Day() const { return civil_.day; }
    // Replace one part of the date. Ignored below 1, for a month above 12, a day above the
    // current month's days or a year above 9999; nothing happens for the current value.
    // Otherwise UseCurrentDate becomes false and changed() is emitted. A day that the new
    // month or year lacks (31 → a 30-day month, 29 February → a common year) becomes the
    // month's last day.
    void SetYear(int year);
    void SetMonth(int month);
    void SetDay(int day);

    // Step by a month or a year (see AddMonths, AddYears); changed() follows.
    void PrevMonth();
    void NextMonth();
    void PrevYear();
    void NextYear();

    // Day in the first column: 0 Sunday .. 6 Saturday, 7 acts as 0; other values ignored.
    int StartOfWeek() const { return startOfWeek_; }
    void SetStartOfWeek(int value);

    bool UseCurrentDate() const { return useCurrentDate_; }
    // true selects today (emitting changed()).
    void SetUseCurrentDate(bool value);

    bool ShowHolidays() const { return showHolidays_; }
    void SetShowHolidays(bool value);
    bool ShowTinyMoons() const { return showTinyMoons_; }
    void SetShowTinyMoons(bool value);
    bool ShowEquinoxSolstice() const { return showEquinoxSolstice_; }
    void SetShowEquinoxSolstice(bool value);

    // Display modes shared with the other pages: whether eclipses, phases and seasons are
    // placed on local days or UT days, and whether the moon marks are mirrored.
    bool UseLocalTime() const { return useLocalTime_; }
    void SetUseLocalTime(bool value);
    bool SouthernHemisphere() const { return southernHemisphere_; }
    void SetSouthernHemisphere(bool value);

    // The clock window's eclipse list (may be null: no eclipse colouring). The grid asks it
    // about the shown month's days, which may refill it for that year.
    void SetEclipses(TStEclipses* eclipses);

    // Short weekday names, Sunday first, for the header row.
    void SetDayNames(const std::array<QString, 7>& names);

    // Forgets the shown month's marks so the next paint asks the engine again (after a
    // change of time zone or of the eclipse list).
    void RefreshMarks();

    // The marks of day 1..31 of the shown month (Plain / None for other days).
    DayMark MarkOfDay(int day) const;

    int MonthOffsetValue() const { return monthOffset_; }
    GridCell SelectedCell() const { return CellOfDay(monthOffset_, civil_.day); }
    int GridLineWidth() const { return kGridLineWidth; }
    int ColumnWidth() const { return CellExtent(width(), kGridLineWidth); }
    int RowHeight() const { return CellExtent(height(), kGridLineWidth); }
    QRect CellRectangle(GridCell cell) const;

    QSize sizeHint() const override;

signals:
    void changed();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    static constexpr int kGridLineWidth = 1;

    void applyDate(DateTime value);
    void applyPart(const std::optional<CivilDate>& next, bool clearsCurrentDate);
    void updateLayout();
    void ensureMarks() const;
    void paintDayCell(QPainter& painter, const QRect& rect, int day, bool selected) const;
    void paintTinyMoon(QPainter& painter, const QRect& cell, TinyMoon moon) const;

    TodaySource today_;
    DateTime date_ = 0;
    CivilDate civil_{};
    int startOfWeek_ = 0;
    bool showHolidays_ = true;
    bool showTinyMoons_ = true;
    bool showEquinoxSolstice_ = true;
    bool useCurrentDate_ = true;
    bool useLocalTime_ = true;
    bool southernHemisphere_ = false;
    int monthOffset_ = 0;
    bool updating_ = false;
    TStEclipses* eclipses_ = nullptr;
    std::array<QString, 7> dayNames_;

    // Marks of the shown month, filled on demand and kept until the month or a flag changes.
    mutable std::array<DayMark, 32> marks_{};
    mutable bool marksValid_ = false;
};

} // namespace skelvane

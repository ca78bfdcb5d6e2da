#include "clockwin/month_calendar.h"

#include "astro/eclipses.h"
#include "astro/holidays.h"
#include "astro/lunation.h"
#include "astro/moon_picture.h"
#include "astro/seasons.h"
#include "astro/time_conversions.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace skelvane {

namespace {

const QColor kHolidayColor(255, 0, 0);
const QColor kBlueColor(0, 0, 255);
const QColor kMoonLitColor(255, 255, 0);
const QColor kGridLineColor(192, 192, 192);

// Day of the month of an instant when it falls in the given month, else 0.
int DayInMonth(DateTime value, int year, int month) {
    const CivilDate date = DecodeDate(value);
    return date.year == year && date.month == month ? date.day : 0;
}

TinyMoon MoonOfPhase(int phase) {
    switch (phase) {
    case 0:
        return TinyMoon::New;
    case 1:
        return TinyMoon::FirstQuarter;
    case 2:
        return TinyMoon::Full;
    default:
        return TinyMoon::LastQuarter;
    }
}

void MarkMoonPhases(std::array<DayMark, 32>& marks, int year, int month, bool useLocalTime) {
    // A phase late on the last day of the neighbouring month in UT can be on the first
    // day of this month in local time (and the other way round), so the months on either
    // side are searched as well.
    for (int delta = -1; delta <= 1; ++delta) {
        const std::optional<CivilDate> probe = AddMonths({year, month, 15}, delta);
        if (!probe)
            continue;
        const std::int32_t dayNumber =
            DayNumberFromDate(SafeEncodeDate(probe->year, probe->month, probe->day));
        for (int phase = 0; phase < 4; ++phase) {
            for (const PhaseInstant& instant : PhasesInMonth(dayNumber, phase)) {
                if (instant.empty())
                    continue;
                const DateTime utc =
                    DateFromDayNumber(instant.day) + TimeFromSeconds(instant.seconds);
                const int day = DayInMonth(UtcToShown(utc, useLocalTime), year, month);
                if (day != 0)
                    marks[day].moon = MoonOfPhase(phase);
            }
        }
    }
}

// Day of the month's equinox or solstice, 0 when the month has none.
int SeasonDay(int year, int month, bool useLocalTime) {
    const char* name = nullptr;
    switch (month) {
    case 3:
        name = "MAR";
        break;
    case 6:
        name = "JUN";
        break;
    case 9:
        name = "SEP";
        break;
    case 12:
        name = "DEC";
        break;
    default:
        return 0;
    }
    const DateTime utc = EquinoxSolstice(year, name);
    if (utc == 0)
        return 0;
    return DayInMonth(UtcToShown(utc, useLocalTime), year, month);
}

// Angle of the shading routine that leaves the lit side of each principal phase: a waxing
// quarter is dark on the left, a waning one on the right. The southern sky shows the
// Moon mirrored, which swaps the halves.
double TinyMoonAngle(TinyMoon moon, bool southern) {
    double angle = 0;
    switch (moon) {
    case TinyMoon::New:
        angle = 180;
        break;
    case TinyMoon::FirstQuarter:
        angle = 90;
        break;
    case TinyMoon::Full:
    case TinyMoon::None:
        angle = 0;
        break;
    case TinyMoon::LastQuarter:
        angle = 270;
        break;
    }
    return southern ? std::fmod(360.0 - angle, 360.0) : angle;
}

} // namespace

std::array<DayMark, 32> ComputeMonthMarks(int year, int month, const MonthMarkOptions& options) {
    std::array<DayMark, 32> marks{};
    const int days = DaysInMonth(year, month);
    if (days == 0 || SafeEncodeDate(year, month, 1) == 0)
        return marks;
    if (options.showHolidays) {
        const int seasonDay =
            options.showEquinoxSolstice ? SeasonDay(year, month, options.useLocalTime) : 0;
        for (int day = 1; day <= days; ++day) {
            const DateTime date = SafeEncodeDate(year, month, day);
            // An eclipse day is blue even on a holiday; a season day only when it is none.
            const bool eclipse =
                options.eclipses != nullptr &&
                options.eclipses->GetEclipse(date, options.useLocalTime).has_value();
            if (!eclipse && !HolidayNameOn(1, date).name.empty())
                marks[day].color = DayNumberColor::Holiday;
            else if (eclipse || day == seasonDay)
                marks[day].color = DayNumberColor::Blue;
        }
    }
    if (options.showTinyMoons)
        MarkMoonPhases(marks, year, month, options.useLocalTime);
    return marks;
}

TCalendar::TCalendar(TodaySource today, QWidget* parent)
    : QWidget(parent), today_(std::move(today)) {
    dayNames_ = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    setAttribute(Qt::WA_OpaquePaintEvent);
    applyDate(today_ ? DateOf(today_()) : 0);
}

void TCalendar::applyDate(DateTime value) {
    const CivilDate decoded = DecodeDate(value);
    if (decoded.year < 1 || decoded.year > 9999)
        return;
    if (decoded.year != civil_.year || decoded.month != civil_.month)
        marksValid_ = false;
    date_ = value;
    civil_ = decoded;
    updateLayout();
}

void TCalendar::SetDate(DateTime value) {
    const CivilDate decoded = DecodeDate(value);
    if (decoded.year < 1 || decoded.year > 9999)
        return;
    applyDate(value);
    emit changed();
}

void TCalendar::applyPart(const std::optional<CivilDate>& next, bool clearsCurrentDate) {
    if (!next || *next == civil_)
        return;
    const DateTime encoded = SafeEncodeDate(next->year, next->month, next->day);
    if (encoded == 0 && !(next->year == 1899 && next->month == 12 && next->day == 30))
        return;
    if (clearsCurrentDate)
        useCurrentDate_ = false;
    applyDate(encoded);
    emit changed();
}

void TCalendar::SetYear(int year) {
    applyPart(WithYear(civil_, year), true);
}
void TCalendar::SetMonth(int month) {
    applyPart(WithMonth(civil_, month), true);
}
void TCalendar::SetDay(int day) {
    applyPart(WithDay(civil_, day), true);
}

void TCalendar::PrevMonth() {
    applyPart(AddMonths(civil_, -1), false);
}
void TCalendar::NextMonth() {
    applyPart(AddMonths(civil_, 1), false);
}
void TCalendar::PrevYear() {
    applyPart(AddYears(civil_, -1), false);
}
void TCalendar::NextYear() {
    applyPart(AddYears(civil_, 1), false);
}

void TCalendar::SetStartOfWeek(int value) {
    if (value < 0 || value > 7 || value == startOfWeek_)
        return;
    startOfWeek_ = value;
    updateLayout();
}

void TCalendar::SetUseCurrentDate(bool value) {
    if (value == useCurrentDate_)
        return;
    useCurrentDate_ = value;
    if (value && today_)
        SetDate(DateOf(today_()));
}

void TCalendar::SetShowHolidays(bool value) {
    if (value != showHolidays_) {
        showHolidays_ = value;
        RefreshMarks();
    }
}

void TCalendar::SetShowTinyMoons(bool value) {
    if (value != showTinyMoons_) {
        showTinyMoons_ = value;
        RefreshMarks();
    }
}

void TCalendar::SetShowEquinoxSolstice(bool value) {
    if (value != showEquinoxSolstice_) {
        showEquinoxSolstice_ = value;
        RefreshMarks();
    }
}

void TCalendar::SetUseLocalTime(bool value) {
    if (value != useLocalTime_) {
        useLocalTime_ = value;
        RefreshMarks();
    }
}

void TCalendar::SetSouthernHemisphere(bool value) {
    if (value != southernHemisphere_) {
        southernHemisphere_ = value;
        update();
    }
}

void TCalendar::SetEclipses(TStEclipses* eclipses) {
    if (eclipses != eclipses_) {
        eclipses_ = eclipses;
        RefreshMarks();
    }
}

void TCalendar::SetDayNames(const std::array<QString, 7>& names) {
    dayNames_ = names;
    update();
}

void TCalendar::RefreshMarks() {
    marksValid_ = false;
    update();
}

void TCalendar::ensureMarks() const {
    if (marksValid_)
        return;
    marks_ = ComputeMonthMarks(
        civil_.year, civil_.month,
        {showHolidays_, showTinyMoons_, showEquinoxSolstice_, useLocalTime_, eclipses_});
    marksValid_ = true;
}

DayMark TCalendar::MarkOfDay(int day) const {
    if (day < 1 || day > 31)
        return {};
    ensureMarks();
    return marks_[static_cast<std::size_t>(day)];
}

void TCalendar::updateLayout() {
    updating_ = true;
    monthOffset_ = MonthOffset(civil_.year, civil_.month, startOfWeek_);
    updating_ = false;
    update();
}

QRect TCalendar::CellRectangle(GridCell cell) const {
    return CellRect(cell, ColumnWidth(), RowHeight(), kGridLineWidth);
}

QSize TCalendar::sizeHint() const {
    return {kCalendarColumns * 24 + (kCalendarColumns - 1) * kGridLineWidth,
            kCalendarRows * 17 + (kCalendarRows - 1) * kGridLineWidth};
}

void TCalendar::paintEvent(QPaintEvent*) {
    ensureMarks();
    QPainter painter(this);
    painter.fillRect(rect(), kGridLineColor);
    const int days = DaysInMonth(civil_.year, civil_.month);
    const GridCell selected = SelectedCell();
    for (int row = 0; row < kCalendarRows; ++row) {
        for (int column = 0; column < kCalendarColumns; ++column) {
            const GridCell cell{column, row};
            const QRect rectangle = CellRectangle(cell);
            if (row == 0) {
                painter.fillRect(rectangle, palette().color(QPalette::Button));
                painter.setPen(palette().color(QPalette::ButtonText));
                painter.drawText(
                    rectangle, Qt::AlignCenter,
                    dayNames_[static_cast<std::size_t>(HeaderWeekday(column, startOfWeek_))]);
                continue;
            }
            const bool isSelected = cell == selected;
            painter.fillRect(rectangle,
                             palette().color(isSelected ? QPalette::Highlight : QPalette::Base));
            const int day = DayInCell(monthOffset_, days, cell);
            if (day != 0)
                paintDayCell(painter, rectangle, day, isSelected);
        }
    }
}

void TCalendar::paintDayCell(QPainter& painter, const QRect& rect, int day, bool selected) const {
    const DayMark mark = marks_[static_cast<std::size_t>(day)];
    QColor color = palette().color(selected ? QPalette::HighlightedText : QPalette::Text);
    if (mark.color == DayNumberColor::Holiday)
        color = kHolidayColor;
    else if (mark.color == DayNumberColor::Blue)
        color = kBlueColor;
    const bool hasMoon = mark.moon != TinyMoon::None;
    painter.setPen(color);
    painter.drawText(hasMoon ? rect.translated(-5, 0) : rect, Qt::AlignCenter,
                     QString::number(day));
    if (hasMoon)
        paintTinyMoon(painter, rect, mark.moon);
}

void TCalendar::paintTinyMoon(QPainter& painter, const QRect& cell, TinyMoon moon) const {
    // The disc is drawn lit, then the shading routine that darkens the large Moon picture
    // blackens the unlit half, so the mark agrees with the big picture's orientation.
    QImage disc(kMoonMarkSize, kMoonMarkSize, QImage::Format_ARGB32);
    disc.fill(Qt::transparent);
    {
        QPainter discPainter(&disc);
        discPainter.setPen(Qt::NoPen);
        discPainter.setBrush(kMoonLitColor);
        discPainter.drawEllipse(QRect(0, 0, kMoonMarkSize, kMoonMarkSize));
    }
    if (moon != TinyMoon::Full) {
        const int centre = kMoonMarkSize / 2;
        ShadeMoonPicture(reinterpret_cast<std::uint32_t*>(disc.bits()), kMoonMarkSize,
                         kMoonMarkSize, TinyMoonAngle(moon, southernHemisphere_), centre, centre,
                         centre);
    }
    const QRect box = MoonMarkRect(cell);
    painter.drawImage(box.topLeft(), disc);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(box.adjusted(0, 0, -1, -1));
}

void TCalendar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    const std::optional<GridCell> cell =
        CellAt(at.x(), at.y(), ColumnWidth(), RowHeight(), kGridLineWidth);
    if (!cell)
        return;
    const int day = DayInCell(monthOffset_, DaysInMonth(civil_.year, civil_.month), *cell);
    if (day != 0)
        SetDay(day);
}

void TCalendar::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QWidget::mouseDoubleClickEvent(event);
}

} // namespace skelvane

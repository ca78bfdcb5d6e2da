#include "infowin/year_calendar.h"

#include "astro/date_navigation.h"
#include "astro/holidays.h"
#include "widgets/widget_factories.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>
#include <cstdlib>

namespace skelvane {

namespace {

const QColor kTodayColor(255, 0, 0);
const QColor kWeekNumberColor(128, 128, 128);
const QColor kRuleColor(192, 192, 192);

constexpr int kMonthColumns = 4;
constexpr int kMonthRows = 3;
constexpr int kRowsPerMonth = 8; // title, day names, six weeks
constexpr int kPadding = 6;

// ISO weekday (1 = Monday .. 7 = Sunday) of a whole day count; 1899-12-30 was a Saturday.
int IsoWeekdayOfDay(long long day) {
    const long long fromMonday = ((day + 5) % 7 + 7) % 7;
    return static_cast<int>(fromMonday) + 1;
}

int ValidWeekStart(int index) {
    return index >= 0 && index <= 6 ? index : 0;
}

} // namespace

YearMonthLayout LayOutYearMonth(int year, int month, int weekStart) {
    YearMonthLayout layout;
    const DateTime first = SafeEncodeDate(year, month, 1);
    if (first == 0) // not a real month (the first of a month never encodes to 0 otherwise)
        return layout;
    weekStart = ValidWeekStart(weekStart);
    for (int column = 0; column < 7; ++column)
        layout.columnWeekdays[static_cast<std::size_t>(column)] = (weekStart + column) % 7 + 1;
    layout.daysInMonth = DaysInMonth(year, month);
    layout.firstColumn = (DayOfWeekIso(first) - 1 - weekStart + 7) % 7;
    layout.rows = (layout.firstColumn + layout.daysInMonth + 6) / 7;
    // The row's Thursday: its column counted from the row's first day.
    const int thursdayColumn = (3 - weekStart + 7) % 7;
    for (int row = 0; row < layout.rows; ++row) {
        const int dayOffset = row * 7 + thursdayColumn - layout.firstColumn;
        layout.weekNumbers[static_cast<std::size_t>(row)] = IsoWeekNumber(first + dayOffset);
    }
    return layout;
}

int YearMonthDayAt(const YearMonthLayout& layout, int row, int column) {
    if (row < 0 || row >= 6 || column < 0 || column >= 7)
        return 0;
    const int day = row * 7 + column - layout.firstColumn + 1;
    return day >= 1 && day <= layout.daysInMonth ? day : 0;
}

std::bitset<32> BigCalendarGetMonthInfo(int year, int month, bool showHolidays) {
    std::bitset<32> bold;
    if (!showHolidays || year < kFirstYearCalendarYear || month < 1 || month > 12)
        return bold;
    const int days = DaysInMonth(year, month);
    for (int day = 1; day <= days; ++day)
        if (!HolidayNameOn(1, SafeEncodeDate(year, month, day)).name.empty())
            bold.set(static_cast<std::size_t>(day));
    return bold;
}

long long WorkingDaysBetween(DateTime day, DateTime today) {
    if (!std::isfinite(day) || !std::isfinite(today))
        return 0;
    const auto d = static_cast<long long>(std::floor(day));
    const auto t = static_cast<long long>(std::floor(today));
    const long long n = std::llabs(d - t);
    if (n == 0)
        return 0;
    // n consecutive days from `first`: every full week holds five working days, and the
    // days left over are counted one by one.
    const long long first = d >= t ? t + 1 : d;
    long long count = n / 7 * 5;
    for (long long k = first + n / 7 * 7; k < first + n; ++k)
        if (IsoWeekdayOfDay(k) <= 5)
            ++count;
    return d >= t ? count : -count;
}

YearDayInfo YearDayInfoLines(DateTime day, DateTime today, const DateLocale& names) {
    YearDayInfo info;
    if (!std::isfinite(day) || !std::isfinite(today))
        return info;
    const QString longDate = ToQString(FormatDate("dddd mmmm d, yyyy", day, names));
    if (longDate.isEmpty())
        return info;
    const auto days =
        static_cast<long long>(std::floor(day)) - static_cast<long long>(std::floor(today));
    info.line1 = longDate + QStringLiteral(" is ") + QString::number(days) +
                 QStringLiteral(" days from today.");
    info.line2 = longDate + QStringLiteral(" is ") +
                 QString::number(WorkingDaysBetween(day, today)) +
                 QStringLiteral(" working days from today.");
    info.line3 = longDate;
    return info;
}

YearGridGeometry::YearGridGeometry(QSize size, bool weekNumbers)
    : size_(size), weekNumbers_(weekNumbers) {
    blockWidth_ = std::max(0, size.width() / kMonthColumns);
    blockHeight_ = std::max(0, size.height() / kMonthRows);
    padding_ = kPadding;
    const int columns = 7 + (weekNumbers ? 1 : 0);
    cellWidth_ = std::max(0, (blockWidth_ - 2 * padding_) / columns);
    rowHeight_ = std::max(0, (blockHeight_ - padding_) / kRowsPerMonth);
}

QRect YearGridGeometry::monthRect(int month) const {
    if (month < 1 || month > 12)
        return {};
    const int column = (month - 1) % kMonthColumns;
    const int row = (month - 1) / kMonthColumns;
    return {column * blockWidth_, row * blockHeight_, blockWidth_, blockHeight_};
}

int YearGridGeometry::cellLeft(int month, int column) const {
    const int columns = 7 + (weekNumbers_ ? 1 : 0);
    const QRect block = monthRect(month);
    const int inset = (blockWidth_ - columns * cellWidth_) / 2;
    return block.left() + inset + (column + (weekNumbers_ ? 1 : 0)) * cellWidth_;
}

QRect YearGridGeometry::titleRect(int month) const {
    const QRect block = monthRect(month);
    return {block.left() + padding_, block.top() + padding_ / 2, blockWidth_ - 2 * padding_,
            rowHeight_};
}

QRect YearGridGeometry::headerCell(int month, int column) const {
    const QRect block = monthRect(month);
    return {cellLeft(month, column), block.top() + padding_ / 2 + rowHeight_, cellWidth_,
            rowHeight_};
}

QRect YearGridGeometry::dayCell(int month, int row, int column) const {
    const QRect block = monthRect(month);
    return {cellLeft(month, column), block.top() + padding_ / 2 + (2 + row) * rowHeight_,
            cellWidth_, rowHeight_};
}

QRect YearGridGeometry::weekNumberCell(int month, int row) const {
    return dayCell(month, row, -1);
}

std::optional<YearGridGeometry::Hit> YearGridGeometry::hitTest(QPoint point) const {
    if (blockWidth_ <= 0 || blockHeight_ <= 0 || cellWidth_ <= 0 || rowHeight_ <= 0 ||
        point.x() < 0 || point.y() < 0)
        return std::nullopt;
    const int blockColumn = point.x() / blockWidth_;
    const int blockRow = point.y() / blockHeight_;
    if (blockColumn >= kMonthColumns || blockRow >= kMonthRows)
        return std::nullopt;
    const int month = blockRow * kMonthColumns + blockColumn + 1;
    const QRect first = dayCell(month, 0, 0);
    if (point.x() < first.left() || point.y() < first.top())
        return std::nullopt;
    const int column = (point.x() - first.left()) / cellWidth_;
    const int row = (point.y() - first.top()) / rowHeight_;
    if (column >= 7 || row >= 6)
        return std::nullopt;
    return Hit{month, row, column};
}

YearCalendarGrid::YearCalendarGrid(TodaySource today, QWidget* parent)
    : QWidget(parent), today_(std::move(today)) {
    setObjectName(QStringLiteral("BigCalendar"));
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setDate(today_ ? DateOf(today_()) : SafeEncodeDate(2000, 1, 1));
}

void YearCalendarGrid::setDate(DateTime value) {
    if (!std::isfinite(value))
        return;
    const CivilDate civil = DecodeDate(value);
    if (civil.year < 1 || civil.year > 9999)
        return;
    if (civil.year != civil_.year)
        boldValid_ = false;
    date_ = DateOf(value);
    civil_ = civil;
    update();
}

void YearCalendarGrid::setWeekNumbers(bool on) {
    if (on == weekNumbers_)
        return;
    weekNumbers_ = on;
    update();
}

void YearCalendarGrid::setWeekStart(int index) {
    if (index < 0 || index > 6 || index == weekStart_)
        return;
    weekStart_ = index;
    update();
}

void YearCalendarGrid::setShowHolidays(bool on) {
    if (on == showHolidays_)
        return;
    showHolidays_ = on;
    refreshBoldDays();
}

void YearCalendarGrid::setDateNames(const DateLocale& names) {
    names_ = names;
    update();
}

void YearCalendarGrid::refreshBoldDays() {
    boldValid_ = false;
    update();
}

void YearCalendarGrid::ensureBoldDays() const {
    if (boldValid_ && boldYear_ == civil_.year)
        return;
    for (int month = 1; month <= 12; ++month)
        bold_[static_cast<std::size_t>(month)] =
            BigCalendarGetMonthInfo(civil_.year, month, showHolidays_);
    boldYear_ = civil_.year;
    boldValid_ = true;
}

bool YearCalendarGrid::isBold(int month, int day) const {
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return false;
    ensureBoldDays();
    return bold_[static_cast<std::size_t>(month)].test(static_cast<std::size_t>(day));
}

QSize YearCalendarGrid::sizeHint() const {
    return {726, 552};
}

QSize YearCalendarGrid::minimumSizeHint() const {
    return {480, 360};
}

QImage YearCalendarGrid::render(bool withTodayMark) const {
    const QSize size =
        (width() > 0 && height() > 0 && testAttribute(Qt::WA_Resized)) ? this->size() : sizeHint();
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(font());
    paintGrid(painter, size, withTodayMark);
    return image;
}

std::optional<DateTime> YearCalendarGrid::dayAt(QPoint point) const {
    const auto hit = YearGridGeometry(size(), weekNumbers_).hitTest(point);
    if (!hit)
        return std::nullopt;
    const YearMonthLayout layout = LayOutYearMonth(civil_.year, hit->month, weekStart_);
    const int day = YearMonthDayAt(layout, hit->row, hit->column);
    if (day == 0)
        return std::nullopt;
    return SafeEncodeDate(civil_.year, hit->month, day);
}

void YearCalendarGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintGrid(painter, size(), true);
}

void YearCalendarGrid::paintGrid(QPainter& painter, QSize size, bool withTodayMark) const {
    ensureBoldDays();
    const QPalette& colours = palette();
    painter.fillRect(QRect(QPoint(0, 0), size), colours.color(QPalette::Base));
    const YearGridGeometry geometry(size, weekNumbers_);
    QFont plain = painter.font();
    plain.setBold(false);
    QFont bold = plain;
    bold.setBold(true);
    const DateTime today = today_ ? DateOf(today_()) : 0;
    const CivilDate todayCivil = DecodeDate(today);

    for (int month = 1; month <= 12; ++month) {
        const YearMonthLayout layout = LayOutYearMonth(civil_.year, month, weekStart_);
        if (layout.daysInMonth == 0)
            continue;
        const QRect title = geometry.titleRect(month);
        painter.fillRect(title, colours.color(QPalette::Button));
        painter.setPen(colours.color(QPalette::ButtonText));
        painter.setFont(bold);
        painter.drawText(title, Qt::AlignCenter,
                         ToQString(names_.longMonthNames[static_cast<std::size_t>(month - 1)]) +
                             QLatin1Char(' ') + QString::number(civil_.year));

        painter.setFont(plain);
        painter.setPen(colours.color(QPalette::Text));
        for (int column = 0; column < 7; ++column) {
            const int weekday = layout.columnWeekdays[static_cast<std::size_t>(column)];
            const QString name =
                ToQString(names_.shortDayNames[static_cast<std::size_t>(weekday - 1)]).left(2);
            painter.drawText(geometry.headerCell(month, column), Qt::AlignCenter, name);
        }
        const QRect firstHeader = geometry.headerCell(month, weekNumbers_ ? -1 : 0);
        const QRect lastHeader = geometry.headerCell(month, 6);
        painter.setPen(kRuleColor);
        painter.drawLine(firstHeader.left(), firstHeader.bottom(), lastHeader.right(),
                         lastHeader.bottom());

        if (weekNumbers_) {
            const QRect top = geometry.weekNumberCell(month, 0);
            const QRect bottom = geometry.weekNumberCell(month, layout.rows - 1);
            painter.drawLine(top.right(), top.top(), bottom.right(), bottom.bottom());
            painter.setPen(kWeekNumberColor);
            for (int row = 0; row < layout.rows; ++row)
                painter.drawText(
                    geometry.weekNumberCell(month, row), Qt::AlignCenter,
                    QString::number(layout.weekNumbers[static_cast<std::size_t>(row)]));
        }

        const std::bitset<32>& boldDays = bold_[static_cast<std::size_t>(month)];
        for (int row = 0; row < layout.rows; ++row) {
            for (int column = 0; column < 7; ++column) {
                const int day = YearMonthDayAt(layout, row, column);
                if (day == 0)
                    continue;
                const QRect cell = geometry.dayCell(month, row, column);
                const bool selected = month == civil_.month && day == civil_.day;
                if (selected)
                    painter.fillRect(cell.adjusted(1, 1, -1, -1),
                                     colours.color(QPalette::Highlight));
                painter.setFont(boldDays.test(static_cast<std::size_t>(day)) ? bold : plain);
                painter.setPen(
                    colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
                painter.drawText(cell, Qt::AlignCenter, QString::number(day));
                if (withTodayMark && todayCivil.year == civil_.year && todayCivil.month == month &&
                    todayCivil.day == day) {
                    painter.setPen(kTodayColor);
                    painter.setBrush(Qt::NoBrush);
                    painter.drawRect(cell.adjusted(0, 0, -1, -1));
                }
            }
        }
    }
}

void YearCalendarGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus();
    if (const auto day = dayAt(event->position().toPoint()))
        emit dayClicked(*day);
    event->accept();
}

void YearCalendarGrid::keyPressEvent(QKeyEvent* event) {
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        step = -1;
        break;
    case Qt::Key_Right:
        step = 1;
        break;
    case Qt::Key_Up:
        step = -7;
        break;
    case Qt::Key_Down:
        step = 7;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    emit dayClicked(date_ + step);
    event->accept();
}

} // namespace skelvane

#include "infowin/year_page.h"

#include "app/settings.h"
#include "astro/date_navigation.h"
#include "infowin/year_calendar.h"
#include "platform/clock.h"
#include "platform/locale_formats.h"
#include "widgets/widget_factories.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace skelvane {

namespace {

const char* const kWeekDays[7] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                  "Friday", "Saturday", "Sunday"};

// The same month and day in another year, the day stepped back until the month has it.
DateTime SameDayInYear(DateTime day, int year) {
    const CivilDate civil = DecodeDate(day);
    if (civil.month == 0)
        return 0;
    return SafeEncodeDate(year, civil.month, ClampDayToMonth(year, civil.month, civil.day));
}

int YearOf(DateTime day) {
    return DecodeDate(day).year;
}

} // namespace

YearPage::YearPage(Settings& settings, const Clock& clock, QWidget* parent)
    : QWidget(parent), settings_(settings), clock_(clock) {
    setObjectName(QStringLiteral("YearSheet"));
    BigCalendar = new YearCalendarGrid([this] { return clock_.nowLocal(); }, this);
    connect(BigCalendar, &YearCalendarGrid::dayClicked, this, &YearPage::BigCalendarClick);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(4);
    layout->addWidget(BigCalendar, 1);
    layout->addWidget(buildControls());

    WeekNumbersBox->setChecked(settings_.ShowWeekNumbers);
    BigCalendar->setWeekNumbers(settings_.ShowWeekNumbers);
    // 7 (follow the locale) is normally resolved by the clock window at start; a page made
    // before that still shows the locale's day.
    const int weekStart = settings_.WeekStart >= 0 && settings_.WeekStart <= 6
                              ? settings_.WeekStart
                              : FirstDayOfWeekIndex(QLocale());
    {
        const QSignalBlocker blocker(WeekStartBox);
        WeekStartBox->setCurrentIndex(weekStart);
    }
    BigCalendar->setWeekStart(weekStart);
    BigCalendar->setShowHolidays(settings_.ShowHolidays);
    showGridDate(DateOf(clock_.nowLocal()));
}

QWidget* YearPage::buildControls() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("YearControlPanel"));
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(4, 0, 4, 2);
    row->setSpacing(12);

    auto* infoColumn = new QVBoxLayout;
    infoColumn->setSpacing(1);
    for (QLabel** label : {&DayInfoLabel1, &DayInfoLabel2, &DayInfoLabel3, &DayInfoLabel4}) {
        *label = new QLabel(panel);
        infoColumn->addWidget(*label);
    }
    DayInfoLabel1->setObjectName(QStringLiteral("DayInfoLabel1"));
    DayInfoLabel2->setObjectName(QStringLiteral("DayInfoLabel2"));
    DayInfoLabel3->setObjectName(QStringLiteral("DayInfoLabel3"));
    DayInfoLabel4->setObjectName(QStringLiteral("DayInfoLabel4"));
    // The day's name is the clock window's red day label.
    QPalette red = DayInfoLabel4->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    DayInfoLabel4->setPalette(red);
    QFont bold = DayInfoLabel3->font();
    bold.setBold(true);
    DayInfoLabel3->setFont(bold);
    row->addLayout(infoColumn, 1);

    auto* controls = new QGridLayout;
    controls->setHorizontalSpacing(6);
    controls->setVerticalSpacing(3);

    auto* yearRow = new QHBoxLayout;
    yearRow->setSpacing(2);
    LastYearBut = ArrowButton(panel, QStringLiteral("LastYearBut"), Qt::LeftArrow,
                              QStringLiteral("Go to Last Year"));
    LastYearBut->setFixedSize(20, 20);
    BigCalYearComboBox = new QComboBox(panel);
    BigCalYearComboBox->setObjectName(QStringLiteral("BigCalYearComboBox"));
    BigCalYearComboBox->setEditable(true);
    BigCalYearComboBox->setInsertPolicy(QComboBox::NoInsert);
    BigCalYearComboBox->setMaxVisibleItems(12);
    for (int year = kFirstYearCalendarYear; year <= kLastYearCalendarYear; ++year)
        BigCalYearComboBox->addItem(QString::number(year));
    // Only digits reach the box; a year is taken once it is whole (four digits or Enter).
    BigCalYearComboBox->lineEdit()->setMaxLength(4);
    BigCalYearComboBox->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,4}")), BigCalYearComboBox));
    BigCalYearComboBox->setFixedWidth(64);
    NextYearBut = ArrowButton(panel, QStringLiteral("NextYearBut"), Qt::RightArrow,
                              QStringLiteral("Go to Next Year"));
    NextYearBut->setFixedSize(20, 20);
    yearRow->addWidget(LastYearBut);
    yearRow->addWidget(BigCalYearComboBox);
    yearRow->addWidget(NextYearBut);
    yearRow->addStretch(1);
    controls->addLayout(yearRow, 0, 0);

    GoToBut = NamedPushButton(panel, QStringLiteral("YearGoToBut"), QStringLiteral("Go To"));
    TodayBut = NamedPushButton(panel, QStringLiteral("YearTodayBut"), QStringLiteral("Today"));
    controls->addWidget(GoToBut, 0, 1);
    controls->addWidget(TodayBut, 0, 2);

    WeekNumbersBox = new QCheckBox(QStringLiteral("Week Numbers"), panel);
    WeekNumbersBox->setObjectName(QStringLiteral("WeekNumbersBox"));
    controls->addWidget(WeekNumbersBox, 1, 0);
    WeekStartBox = new QComboBox(panel);
    WeekStartBox->setObjectName(QStringLiteral("WeekStartBox"));
    WeekStartBox->setToolTip(QStringLiteral("First day of the week"));
    for (const char* day : kWeekDays)
        WeekStartBox->addItem(QLatin1String(day));
    controls->addWidget(WeekStartBox, 1, 1, 1, 2);

    CopyBut = NamedPushButton(panel, QStringLiteral("CopyCalendarBut"), QStringLiteral("Copy"));
    SaveBut = NamedPushButton(panel, QStringLiteral("SaveCalendarBut"), QStringLiteral("Save"));
    PrintBut = NamedPushButton(panel, QStringLiteral("PrintCalendarBut"), QStringLiteral("Print"));
    controls->addWidget(CopyBut, 2, 0, Qt::AlignLeft);
    controls->addWidget(SaveBut, 2, 1);
    controls->addWidget(PrintBut, 2, 2);
    row->addLayout(controls);

    connect(LastYearBut, &QToolButton::clicked, this, &YearPage::LastYearButClick);
    connect(NextYearBut, &QToolButton::clicked, this, &YearPage::NextYearButClick);
    connect(BigCalYearComboBox, &QComboBox::textActivated, this,
            &YearPage::BigCalYearComboBoxChange);
    connect(BigCalYearComboBox, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (text.size() == 4)
            BigCalYearComboBoxChange(text);
    });
    connect(WeekNumbersBox, &QCheckBox::clicked, this, &YearPage::WeekNumbersBoxClick);
    connect(WeekStartBox, &QComboBox::currentIndexChanged, this, &YearPage::WeekStartBoxChange);
    connect(TodayBut, &QPushButton::clicked, this, &YearPage::todayRequested);
    connect(GoToBut, &QPushButton::clicked, this, [this] {
        if (goToMenu_)
            goToMenu_->popup(GoToBut->mapToGlobal(QPoint(0, GoToBut->height())));
    });
    connect(CopyBut, &QPushButton::clicked, this, &YearPage::copyImageRequested);
    connect(SaveBut, &QPushButton::clicked, this, &YearPage::saveImageRequested);
    connect(PrintBut, &QPushButton::clicked, this, &YearPage::printImageRequested);
    return panel;
}

void YearPage::setDate(DateTime localDay) {
    if (!std::isfinite(localDay))
        return;
    const int year = YearOf(localDay);
    if (year < kFirstNavigableYear || year > kLastNavigableYear)
        return;
    const DateTime day = DateOf(localDay);
    if (!hasClockDate_ || day != clockDate_)
        dayInfo_.clear(); // the name belonged to the day shown before
    clockDate_ = day;
    hasClockDate_ = true;
    showGridDate(YearCalendarDateFor(day, BigCalendar->date()));
}

DateTime YearPage::date() const {
    return BigCalendar->date();
}

void YearPage::setDayInfo(const QString& text) {
    dayInfo_ = text;
    UpdateBigCalendar();
}

void YearPage::setDateNames(const DateLocale& names) {
    names_ = names;
    BigCalendar->setDateNames(names);
    UpdateBigCalendar();
}

bool YearPage::weekNumbersChecked() const {
    return WeekNumbersBox->isChecked();
}

QImage YearPage::GetCalendar() const {
    return BigCalendar->render(false);
}

void YearPage::showGridDate(DateTime day) {
    if (day == 0) // no date
        return;
    BigCalendar->setDate(day);
    UpdateBigCalendar();
}

void YearPage::syncYearControls() {
    const int year = BigCalendar->year();
    {
        const QSignalBlocker blocker(BigCalYearComboBox);
        const int index = BigCalYearComboBox->findText(QString::number(year));
        if (index >= 0)
            BigCalYearComboBox->setCurrentIndex(index);
        BigCalYearComboBox->setEditText(QString::number(year));
    }
    LastYearBut->setEnabled(year > kFirstYearCalendarYear);
    NextYearBut->setEnabled(year < kLastYearCalendarYear);
}

void YearPage::UpdateBigCalendar() {
    BigCalendar->setShowHolidays(settings_.ShowHolidays);
    BigCalendar->update();
    syncYearControls();
    const YearDayInfo info = YearDayInfoLines(BigCalendar->date(), clock_.nowLocal(), names_);
    DayInfoLabel1->setText(info.line1);
    DayInfoLabel2->setText(info.line2);
    DayInfoLabel3->setText(info.line3);
    const bool named = hasClockDate_ && YearOf(clockDate_) >= kFirstYearCalendarYear;
    DayInfoLabel4->setText(named ? dayInfo_ : QString());
}

void YearPage::YearSheetShow() {
    {
        const QSignalBlocker blocker(WeekNumbersBox);
        WeekNumbersBox->setChecked(settings_.ShowWeekNumbers);
    }
    BigCalendar->setWeekNumbers(settings_.ShowWeekNumbers);
    if (hasClockDate_ && YearOf(clockDate_) < kFirstYearCalendarYear) {
        // The clock window moves to the same month and day of the first year shown here.
        const DateTime target = YearCalendarDateFor(clockDate_, 0);
        emit goToDate(target);
        setDate(target);
    } else if (hasClockDate_) {
        showGridDate(YearCalendarDateFor(clockDate_, BigCalendar->date()));
    }
    UpdateBigCalendar();
    BigCalendar->setFocus();
}

void YearPage::BigCalendarClick(DateTime day) {
    if (!std::isfinite(day))
        return;
    const int year = YearOf(day);
    if (year < kFirstYearCalendarYear || year > kLastNavigableYear)
        return;
    emit goToDate(DateOf(day));
    setDate(day);
}

void YearPage::LastYearButClick() {
    const int year = BigCalendar->year();
    if (year <= kFirstYearCalendarYear)
        return;
    const DateTime target = SameDayInYear(BigCalendar->date(), year - 1);
    emit goToDate(target);
    setDate(target);
}

void YearPage::NextYearButClick() {
    const int year = BigCalendar->year();
    if (year >= kLastYearCalendarYear)
        return;
    // A clock date before 1756 goes to the same day of 1756: the year after 1755.
    const DateTime from = hasClockDate_ && YearOf(clockDate_) < kFirstYearCalendarYear
                              ? SameDayInYear(clockDate_, kFirstYearCalendarYear - 1)
                              : BigCalendar->date();
    const DateTime target = SameDayInYear(from, YearOf(from) + 1);
    emit goToDate(target);
    setDate(target);
}

void YearPage::BigCalYearComboBoxChange(const QString& text) {
    bool ok = false;
    const int year = text.trimmed().toInt(&ok);
    if (!ok || year < kFirstYearCalendarYear || year > kLastYearCalendarYear) {
        syncYearControls(); // not a year the page shows: the box goes back to the shown one
        return;
    }
    if (year == BigCalendar->year())
        return;
    const DateTime target = SameDayInYear(BigCalendar->date(), year);
    emit goToDate(target);
    setDate(target);
}

void YearPage::WeekNumbersBoxClick() {
    settings_.ShowWeekNumbers = WeekNumbersBox->isChecked();
    BigCalendar->setWeekNumbers(settings_.ShowWeekNumbers);
}

void YearPage::WeekStartBoxChange(int index) {
    if (index < 0 || index > 6)
        return;
    settings_.WeekStart = index;
    BigCalendar->setWeekStart(index);
    emit weekStartChanged((index + 1) % 7);
}

void YearPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        YearSheetShow();
}

} // namespace skelvane

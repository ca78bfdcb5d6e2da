// The clock window's commands: the month row, the Go To actions, the page commands and
// the settings toggles.
#include "clockwin/clock_window.h"

#include "app/info_window_link.h"
#include "app/settings.h"
#include "astro/date_navigation.h"
#include "astro/day_lists.h"
#include "astro/meteor_showers.h"
#include "astro/timezone.h"
#include "clockwin/hint_switch.h"
#include "clockwin/month_calendar.h"
#include "clockwin/tray_icon.h"
#include "net/decode/web_links.h"
#include "platform/clock.h"
#include "widgets/menu_icons.h"
#include "widgets/widget_factories.h"
#include "widgets/window_placement.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QUrl>

namespace skelvane {

namespace {

// The month row: [<] month [>] ... [<] year [>] across the band's top.
constexpr int kRowHeight = 22;
constexpr int kButtonWidth = 16;
constexpr int kMonthBoxWidth = 84;
constexpr int kYearBoxWidth = 56;

// A month-row arrow that repeats its action while held down.
QToolButton* MonthRowArrow(QWidget* parent, const char* name, Qt::ArrowType arrow, int x,
                           QAction* action) {
    QToolButton* button = ArrowButton(parent, QLatin1String(name), arrow, action->toolTip());
    button->setGeometry(x, 2, kButtonWidth, kRowHeight - 2);
    QObject::connect(button, &QToolButton::clicked, action, &QAction::trigger);
    return button;
}

// The year box takes years from its list only: typed characters are thrown away.
class ListOnlyLineEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override { event->ignore(); }
};

} // namespace

void TForm1::buildMonthRow() {
    const int width = kClientWidth;
    ButLastMonth =
        MonthRowArrow(Panel3, "ButLastMonth", Qt::LeftArrow, 2, actions_.GoToPrevMonthAction1);
    MonthComboBox = new QComboBox(Panel3);
    MonthComboBox->setObjectName(QStringLiteral("MonthComboBox"));
    for (const std::string& name : dateNames_.longMonthNames)
        MonthComboBox->addItem(QString::fromStdString(name));
    MonthComboBox->setGeometry(2 + kButtonWidth, 2, kMonthBoxWidth, kRowHeight - 2);
    ButNextMonth = MonthRowArrow(Panel3, "ButNextMonth", Qt::RightArrow,
                                 2 + kButtonWidth + kMonthBoxWidth, actions_.GoToNextMonthAction1);
    const int yearBoxLeft = width - 2 - kButtonWidth - kYearBoxWidth;
    ButLastYear = MonthRowArrow(Panel3, "ButLastYear", Qt::LeftArrow, yearBoxLeft - kButtonWidth,
                                actions_.GoToPrevYearAction1);
    YearComboBox = new QComboBox(Panel3);
    YearComboBox->setObjectName(QStringLiteral("YearComboBox"));
    YearComboBox->setEditable(true);
    YearComboBox->setLineEdit(new ListOnlyLineEdit(YearComboBox));
    YearComboBox->lineEdit()->setMaxLength(4);
    YearComboBox->setInsertPolicy(QComboBox::NoInsert);
    for (int year = kFirstNavigableYear; year <= kLastNavigableYear; ++year)
        YearComboBox->addItem(QString::number(year));
    YearComboBox->setMaxVisibleItems(12);
    YearComboBox->setGeometry(yearBoxLeft, 2, kYearBoxWidth, kRowHeight - 2);
    ButNextYear = MonthRowArrow(Panel3, "ButNextYear", Qt::RightArrow, width - 2 - kButtonWidth,
                                actions_.GoToNextYearAction1);

    QFont small(QStringLiteral("Arial"));
    small.setStyleHint(QFont::SansSerif);
    small.setPixelSize(11);
    MonthComboBox->setFont(small);
    YearComboBox->setFont(small);

    Calendar1 = new TCalendar([this] { return clock_.nowLocal(); }, Panel3);
    Calendar1->setObjectName(QStringLiteral("Calendar1"));
    Calendar1->setGeometry(2, kRowHeight + 1, width - 4, Panel3->height() - kRowHeight - 3);
    QFont gridFont = Calendar1->font();
    gridFont.setPixelSize(13);
    Calendar1->setFont(gridFont);
    Calendar1->SetEclipses(&eclipses_);
    Calendar1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Calendar1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { menus_.PopupMenu1->popup(Calendar1->mapToGlobal(pos)); });
    connect(Calendar1, &TCalendar::changed, this, &TForm1::Calendar1Change);
    connect(Calendar1, &TCalendar::doubleClicked, ToggleWindowAction1, &QAction::trigger);

    ButToday = new QPushButton(tr("Go To"), Panel3);
    ButToday->setObjectName(QStringLiteral("ButToday"));
    ButToday->setFont(small);
    ButToday->setGeometry(width - 4 - 44, Panel3->height() - 4 - 18, 44, 18);
    connect(ButToday, &QPushButton::pressed, this, [this] {
        Calendar1->setFocus();
        menus_.ButPopupMenu->popup(ButToday->mapToGlobal(QPoint(0, ButToday->height())));
    });

    connect(MonthComboBox, &QComboBox::activated, this, &TForm1::MonthComboBoxChange);
    connect(YearComboBox, &QComboBox::textActivated, this, &TForm1::YearComboBoxChange);
}

void TForm1::syncMonthYearBoxes() {
    const QSignalBlocker blockMonth(MonthComboBox);
    const QSignalBlocker blockYear(YearComboBox);
    MonthComboBox->setCurrentIndex(Calendar1->Month() - 1);
    const int yearIndex = YearComboBox->findText(QString::number(Calendar1->Year()));
    if (yearIndex >= 0)
        YearComboBox->setCurrentIndex(yearIndex);
    else
        YearComboBox->setEditText(QString::number(Calendar1->Year()));
}

void TForm1::MonthComboBoxChange(int monthIndex) {
    const DateTime target = ChangeMonthYear(Calendar1->Date(), Calendar1->Year(), monthIndex + 1);
    if (target != 0)
        selectDate(target);
    Calendar1->setFocus();
}

void TForm1::YearComboBoxChange(const QString& text) {
    bool ok = false;
    const int year = text.trimmed().toInt(&ok);
    if (!ok)
        return;
    const DateTime target = ChangeMonthYear(Calendar1->Date(), year, Calendar1->Month());
    if (target != 0)
        selectDate(target);
    Calendar1->setFocus();
}

void TForm1::selectDate(DateTime date) {
    if (date != 0)
        Calendar1->SetDate(date);
}

void TForm1::connectActions() {
    connectDateActions();
    const ClockActions& a = actions_;
    connect(a.ToggleWindowAction1, &QAction::triggered, this, &TForm1::ToggleWindow);
    connect(a.ToggleStayOnTop1, &QAction::triggered, this, [this](bool checked) {
        settings_.StayOnTop = checked;
        ApplyStayOnTop(this, checked);
        if (info_)
            info_->setStayOnTop(checked);
        emit stayOnTopChanged(checked);
    });
    connect(a.ToggleHintsOn1, &QAction::triggered, this, [this](bool checked) {
        settings_.ShowHints = checked;
        hints_->setHintsOn(checked);
        UpdateDisplays();
    });
    connect(a.RestoreAction1, &QAction::triggered, this, &TForm1::RestoreFromTray);
    connect(a.ExitAction1, &QAction::triggered, this, &QWidget::close);
    connect(a.ShowHelp1, &QAction::triggered, this, [this] {
        if (helpHandler_)
            helpHandler_();
    });
    connect(a.ToggleInfoFormAction1, &QAction::triggered, this, [this] {
        if (info_)
            info_->ToggleShowing();
    });
    connect(a.GoToGoogle, &QAction::triggered, this, [this] {
        const QString address = QString::fromStdString(SearchHomeAddress());
        if (browserOpener_)
            browserOpener_(address);
        else
            QDesktopServices::openUrl(QUrl(address));
    });
    for (const ClockActions::PageCommand& command : a.pageCommands())
        connect(command.action, &QAction::triggered, this,
                [this, page = command.page] { ShowInfoPage(page); });

    connect(a.ToggleMinimizeToTray1, &QAction::triggered, this, [this](bool checked) {
        settings_.MinimizeToTrayOn = checked;
        TrayIcon->setMinimizeToTray(checked);
    });
    connect(a.ToggleShowHolidays1, &QAction::triggered, this, [this](bool checked) {
        settings_.ShowHolidays = checked;
        Calendar1->SetShowHolidays(checked);
    });
    connect(a.ToggleShowTinyMoons1, &QAction::triggered, this, [this](bool checked) {
        settings_.ShowTinyMoons = checked;
        Calendar1->SetShowTinyMoons(checked);
    });
    connect(a.ToggleStartMinimized1, &QAction::triggered, this,
            [this](bool checked) { settings_.StartMinimized = checked; });
    connect(a.RunWhenWindowsStartsAction, &QAction::triggered, this,
            [this](bool checked) { settings_.RunWhenWindowsStarts = checked; });
    connect(a.ToggleSaveOnExit1, &QAction::triggered, this,
            [this](bool checked) { settings_.SaveOnExit = checked; });
    connect(a.ShowWeatherText, &QAction::triggered, this, &TForm1::showWeatherTextRequested);
    connect(a.UpdateTemperature, &QAction::triggered, this, &TForm1::startWeatherDownload);
}

void TForm1::connectDateActions() {
    const ClockActions& a = actions_;
    connect(a.GoToToday1, &QAction::triggered, this,
            [this] { selectDate(DateOf(clock_.nowLocal())); });
    const std::pair<QAction*, NavigationStep> steps[] = {
        {a.GoToPrevDay1, NavigationStep::PreviousDay},
        {a.GoToNextDay1, NavigationStep::NextDay},
        {a.GoToPrevMonthAction1, NavigationStep::PreviousMonth},
        {a.GoToNextMonthAction1, NavigationStep::NextMonth},
        {a.GoToPrevYearAction1, NavigationStep::PreviousYear},
        {a.GoToNextYearAction1, NavigationStep::NextYear},
    };
    for (const auto& [action, navigation] : steps)
        connect(action, &QAction::triggered, this, [this, step = navigation] {
            if (CanNavigate(step, Calendar1->Date()))
                selectDate(Navigate(step, Calendar1->Date()));
        });
    for (std::size_t i = 0; i < a.GoToSeason.size(); ++i)
        connect(a.GoToSeason[i], &QAction::triggered, this,
                [this, i] { selectDate(DateOf(dayDisplay_.seasons[i].instant)); });
    for (const bool start : {true, false})
        connect(start ? a.GoToDaylightStart1 : a.GoToDaylightEnd1, &QAction::triggered, this,
                [this, start] {
                    // The zone record read for the shown date holds that year's transitions.
                    TimeZoneOffsetHours(Calendar1->Date());
                    selectDate(GoToDaylightTransition(CurrentTimeZoneState(), start));
                });
    for (int n = 1; n <= 5; ++n)
        connect(a.GoToMoonPhase[static_cast<std::size_t>(n - 1)], &QAction::triggered, this,
                [this, n] { GoToMoonPhaseDate(n); });
    for (int n = 1; n <= 7; ++n)
        connect(a.GoToEclipse[static_cast<std::size_t>(n - 1)], &QAction::triggered, this,
                [this, n] { GoToEclipseDate(n); });
    for (int n = 1; n <= kMeteorShowerCount; ++n)
        connect(a.GoToMeteor[static_cast<std::size_t>(n - 1)], &QAction::triggered, this,
                [this, n] { selectDate(MeteorShowerDate(Calendar1->Year(), n)); });
    for (std::size_t i = 0; i < HolidayCommands().size(); ++i)
        connect(a.GoToHoliday[i], &QAction::triggered, this, [this, i] {
            selectDate(GoToHolidayDate(HolidayCommands()[i].holiday, Calendar1->Date()));
        });
}

void TForm1::GoToMoonPhaseDate(int n) {
    if (n < 1 || n > 5)
        return;
    const StMoonRec& phase = dayDisplay_.phases[static_cast<std::size_t>(n - 1)];
    if (!phase.empty())
        selectDate(DateOf(phase.instant()));
}

void TForm1::GoToEclipseDate(int n) {
    if (eclipses_.Year() != Calendar1->Year())
        eclipses_.FindEclipses(Calendar1->Year());
    if (const auto day = eclipses_.EclipseDay(n, settings_.UseLocalTime))
        selectDate(*day);
}

void TForm1::UpdateMenuItems(bool southernHemisphere) {
    for (int n = 1; n <= 5; ++n) {
        const StMoonRec& phase = dayDisplay_.phases[static_cast<std::size_t>(n - 1)];
        QAction* action = actions_.GoToMoonPhase[static_cast<std::size_t>(n - 1)];
        if (n == 5)
            action->setVisible(!phase.empty());
        if (phase.empty())
            continue;
        // Principal phases only: 0 new, 0.5 first quarter, 1 full, -0.5 last quarter.
        int icon = kIconNewMoon;
        if (phase.phaseCode == 0.5f)
            icon = kIconFirstQuarter;
        else if (phase.phaseCode == 1.0f)
            icon = kIconFullMoon;
        else if (phase.phaseCode == -0.5f)
            icon = kIconLastQuarter;
        // Seen from the south the waxing and waning quarters swap pictures.
        if (southernHemisphere && (icon == kIconFirstQuarter || icon == kIconLastQuarter))
            icon = icon == kIconFirstQuarter ? kIconLastQuarter : kIconFirstQuarter;
        action->setText(QString::fromStdString(phase.text));
        action->setIcon(smallImages_.value(icon));
    }
}

void TForm1::UpdateEclipseMenuItems() {
    const int year = Calendar1->Year();
    if (eclipses_.Year() != year)
        eclipses_.FindEclipses(year);
    if (eclipseMenuYear_ == year && eclipseMenuLocal_ == settings_.UseLocalTime)
        return;
    eclipseMenuYear_ = year;
    eclipseMenuLocal_ = settings_.UseLocalTime;
    for (int n = 1; n <= 7; ++n) {
        QAction* action = actions_.GoToEclipse[static_cast<std::size_t>(n - 1)];
        const EclipseRecord* eclipse = eclipses_.EclipseAt(n - 1);
        action->setVisible(eclipse != nullptr);
        if (!eclipse)
            continue;
        const DateTimeText when = MyDateTimeString("mm/dd/yy", true, true, settings_.UseLocalTime,
                                                   ListedInstant(*eclipse));
        action->setText(QString::fromStdString(when.text.substr(0, 8)) + QLatin1Char(' ') +
                        QString::fromStdString(std::string(EclipseKindName(eclipse->kind))));
        action->setIcon(smallImages_.value(EclipseMenuIcon(eclipse->kind)));
    }
}

void TForm1::ShowInfoPage(InfoPage page) {
    if (info_)
        info_->ShowPage(page);
}

void TForm1::DisplayModesChanged() {
    Calendar1->SetUseLocalTime(settings_.UseLocalTime);
    Calendar1->SetSouthernHemisphere(settings_.SouthernHemisphere);
    eclipseMenuYear_ = 0;
    Calendar1->SetDate(Calendar1->Date());
    tick_.UpdateClocks();
}

} // namespace skelvane

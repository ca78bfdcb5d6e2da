#pragma once

#include "astro/datetime.h"
#include "astro/format_date.h"

#include <QImage>
#include <QString>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;

namespace skelvane {

class Clock;
class YearCalendarGrid;
struct Settings;

// The Year page: the whole year of the selected date as twelve month grids with the
// holidays in bold, optional week numbers and a chosen first day of the week, and three
// lines about the selected day (its distance from today in days and working days, its long
// date) plus the clock window's name for the day. The page never changes the selected date
// itself: it asks for a day with goToDate and follows setDate.
class YearPage : public QWidget {
    Q_OBJECT
public:
    YearPage(Settings& settings, const Clock& clock, QWidget* parent = nullptr);

    // The clock window's calendar date. Before 1756 the grid shows the same month and day
    // of 1756 (or keeps the 1756 date it shows); the page remembers the real date for the
    // showing and next-year rules.
    void setDate(DateTime localDay);
    // The grid's date (1756 or later once a date was set).
    DateTime date() const;
    // The clock window's first day-info label, given on days that carry a name; the label
    // is cleared whenever the date changes.
    void setDayInfo(const QString& text);
    // Month and day names of the user's locale (English until set).
    void setDateNames(const DateLocale& names);
    // The clock window's "Go To" menu, offered by the page's own "Go To" button.
    void setGoToMenu(QMenu* menu) { goToMenu_ = menu; }

    bool weekNumbersChecked() const;
    // The calendar as the image commands save, copy and print it: the grid at its size,
    // without today's mark.
    QImage GetCalendar() const;

    // Handlers, public so the frame's commands and the tests can run them.
    void YearSheetShow();
    void UpdateBigCalendar();
    void BigCalendarClick(DateTime day);
    void LastYearButClick();
    void NextYearButClick();
    void BigCalYearComboBoxChange(const QString& text);
    void WeekNumbersBoxClick();
    void WeekStartBoxChange(int index);

    YearCalendarGrid* grid() const { return BigCalendar; }

signals:
    // The page asks the clock window to select a day (a click, a year step, a typed year,
    // or the move of a date before 1756 onto 1756 when the page is shown).
    void goToDate(DateTime localDay);
    // "Today": the clock window's go-to-today command.
    void todayRequested();
    // The first day of the week for the clock window's month grid: 0 = Sunday .. 6.
    void weekStartChanged(int calendarStartOfWeek);
    // The "Copy", "Save" and "Print" buttons; the image commands call GetCalendar.
    void copyImageRequested();
    void saveImageRequested();
    void printImageRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildControls();
    void showGridDate(DateTime day);
    void syncYearControls();

    Settings& settings_;
    const Clock& clock_;
    DateLocale names_ = EnglishDateLocale();
    QMenu* goToMenu_ = nullptr;
    DateTime clockDate_ = 0; // the clock window's own date, any year
    bool hasClockDate_ = false;
    QString dayInfo_;

    // Controls; each carries its design name as objectName.
    YearCalendarGrid* BigCalendar = nullptr;
    QToolButton* LastYearBut = nullptr;
    QToolButton* NextYearBut = nullptr;
    QComboBox* BigCalYearComboBox = nullptr;
    QCheckBox* WeekNumbersBox = nullptr;
    QComboBox* WeekStartBox = nullptr;
    QPushButton* GoToBut = nullptr;
    QPushButton* TodayBut = nullptr;
    QPushButton* CopyBut = nullptr;
    QPushButton* SaveBut = nullptr;
    QPushButton* PrintBut = nullptr;
    QLabel* DayInfoLabel1 = nullptr;
    QLabel* DayInfoLabel2 = nullptr;
    QLabel* DayInfoLabel3 = nullptr;
    QLabel* DayInfoLabel4 = nullptr;
};

} // namespace skelvane

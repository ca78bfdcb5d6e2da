#pragma once

#include "astro/datetime.h"
#include "astro/format_date.h"

#include <QWidget>

class QGroupBox;
class QTableWidget;

namespace skelvane {

// The Holiday page: the 27 holidays of the displayed year, name and date, in date order.
class HolidayPage : public QWidget {
    Q_OBJECT
public:
    explicit HolidayPage(QWidget* parent = nullptr);

    // Fills the grid with the year's table; the group caption reads " <year>  Holidays ".
    // Dates show the long month name of `names`.
    void refresh(int year, const DateLocale& names = EnglishDateLocale());
    int year() const { return year_; }

signals:
    // The day of the holiday in the row the user selected (local, 00:00).
    void holidaySelected(DateTime localDay);

private:
    void rowSelected(int row);

    QGroupBox* group_ = nullptr;
    QTableWidget* grid_ = nullptr;
    int year_ = 0;
};

} // namespace skelvane

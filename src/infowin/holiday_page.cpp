#include "infowin/holiday_page.h"

#include "astro/holidays.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace skelvane {

HolidayPage::HolidayPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("HolidaySheet"));
    group_ = new QGroupBox(this);
    group_->setObjectName(QStringLiteral("HolidayGroupBox"));
    grid_ = new QTableWidget(kHolidayCount, 2, group_);
    grid_->setObjectName(QStringLiteral("HolidayGrid"));
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(grid_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previousRow, int) {
                if (row != previousRow)
                    rowSelected(row);
            });

    auto* inner = new QVBoxLayout(group_);
    inner->addWidget(grid_);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->addWidget(group_);
}

void HolidayPage::refresh(int year, const DateLocale& names) {
    year_ = year;
    group_->setTitle(QStringLiteral(" %1  Holidays ").arg(year));
    const HolidayTable& table = HolidayTableFor(year);
    const QSignalBlocker blocker(grid_);
    grid_->clearSelection();
    grid_->setCurrentCell(-1, -1);
    for (int row = 0; row < kHolidayCount; ++row) {
        const HolidayEntry& entry = table.entries[static_cast<std::size_t>(row)];
        // A clock change in a zone without daylight saving has no date: leave it blank
        // rather than show the zero date (30 December 1899).
        const QString date = entry.date == 0
                                 ? QString()
                                 : QString::fromStdString(FormatDate("mmmm d", entry.date, names));
        for (int column = 0; column < 2; ++column) {
            QTableWidgetItem* item = grid_->item(row, column);
            if (!item) {
                item = new QTableWidgetItem;
                grid_->setItem(row, column, item);
            }
            item->setText(column == 0 ? QString::fromUtf8(entry.name.data(),
                                                          static_cast<qsizetype>(entry.name.size()))
                                      : date);
        }
    }
}

void HolidayPage::rowSelected(int row) {
    if (row < 0 || row >= kHolidayCount || year_ == 0)
        return;
    // The shared table may hold another year by now: ask for the page's year again.
    const HolidayEntry& entry = HolidayTableFor(year_).entries[static_cast<std::size_t>(row)];
    if (entry.date != 0)
        emit holidaySelected(DateOf(entry.date));
}

} // namespace skelvane

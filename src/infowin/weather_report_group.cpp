#include "infowin/weather_report_group.h"

#include "astro/format_date.h"
#include "widgets/widget_factories.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace skelvane {

WeatherReportGroup::WeatherReportGroup(QWidget* parent)
    : QGroupBox(QStringLiteral(" Current Weather "), parent) {
    setObjectName(QStringLiteral("WeatherGroupBox"));
    GetWeatherBut2 =
        NamedPushButton(this, QStringLiteral("GetWeatherBut2"), QStringLiteral("Get Weather"),
                        QStringLiteral("Get the weather report of the station"));
    WeatherMemo2 = new QPlainTextEdit(this);
    WeatherMemo2->setObjectName(QStringLiteral("WeatherMemo2"));
    WeatherMemo2->setReadOnly(true);
    WeatherMemo2->setLineWrapMode(QPlainTextEdit::NoWrap);
    WeatherMemo2->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    WeatherMemo2->setMinimumHeight(40); // the page must still fit the window's default size
    LastWeatherUpdateLab = NamedLabel(this, QStringLiteral("LastWeatherUpdateLab"));
    LastWeatherTimeStampLab = NamedLabel(this, QStringLiteral("LastWeatherTimeStampLab"));
    connect(GetWeatherBut2, &QPushButton::clicked, this, &WeatherReportGroup::getWeatherClicked);

    // The button and the two times in a row, the report under them across the page.
    auto* grid = new QGridLayout(this);
    grid->addWidget(GetWeatherBut2, 0, 0);
    grid->addWidget(LastWeatherUpdateLab, 0, 1);
    grid->addWidget(LastWeatherTimeStampLab, 0, 2);
    grid->addWidget(WeatherMemo2, 1, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(1, 1);
}

void WeatherReportGroup::clearMemo() {
    WeatherMemo2->clear();
}

void WeatherReportGroup::showReport(const QStringList& lines) {
    WeatherMemo2->setPlainText(lines.join(QLatin1Char('\n')));
}

void WeatherReportGroup::appendStatusLine(const QString& line) {
    WeatherMemo2->appendPlainText(line);
}

void WeatherReportGroup::showReportTimes(DateTime lastReportLocal, const QString& timeStamp) {
    if (lastReportLocal != 0)
        LastWeatherUpdateLab->setText(
            QString::fromStdString(FormatDate("mmm dd, yyyy - hh:mm AM/PM", lastReportLocal)) +
            QStringLiteral("  Last Download"));
    if (!timeStamp.isEmpty())
        LastWeatherTimeStampLab->setText(timeStamp + QStringLiteral("Last Time Stamp"));
}

} // namespace skelvane

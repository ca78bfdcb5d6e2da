#include "infowin/weather_report_group.h"

#include "astro/format_date.h"
#include "widgets/widget_factories.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

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

    auto* column = new QVBoxLayout(this);
    column->addWidget(GetWeatherBut2, 0, Qt::AlignLeft);
    column->addWidget(WeatherMemo2, 1);
    column->addWidget(LastWeatherUpdateLab);
    column->addWidget(LastWeatherTimeStampLab);
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

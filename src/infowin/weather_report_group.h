#pragma once

#include "astro/datetime.h"

#include <QGroupBox>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace skelvane {

// The Settings1 page's current-weather group: "Get Weather", the report memo `WeatherMemo2`
// (which also logs the interactive downloads' progress lines) and the two report-time
// labels.
class WeatherReportGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit WeatherReportGroup(QWidget* parent = nullptr);

    void clearMemo();
    void showReport(const QStringList& lines);
    void appendStatusLine(const QString& line);
    // DisplayWeather's labels: the time the last report arrived (local; 0: none yet) and
    // the report's own time stamp text.
    void showReportTimes(DateTime lastReportLocal, const QString& timeStamp);

    QPushButton* GetWeatherBut2 = nullptr;
    QPlainTextEdit* WeatherMemo2 = nullptr;
    QLabel* LastWeatherUpdateLab = nullptr;
    QLabel* LastWeatherTimeStampLab = nullptr;

signals:
    void getWeatherClicked();
};

} // namespace skelvane

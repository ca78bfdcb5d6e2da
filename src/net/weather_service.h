#pragma once

#include "astro/datetime.h"
#include "astro/format_date.h"
#include "net/download_settings.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>

namespace skelvane {

class Clock;
class DownloadState;
struct DecodedWeatherReport;
struct Settings;

// The current weather as the program last received it.
struct WeatherState {
    QString currentStationCode; // the station the Settings1 page shows (at most 4)
    QString currentStationName;
    QStringList reportLines;      // the last report as shown, or "Site not available"
    DateTime observationUtc = 0;  // time of the last report
    DateTime lastReportLocal = 0; // when the updating station's last report arrived
    double temperatureF = -200;   // -200: none received yet
    double temperatureC = 0;
    QString skyText;               // capitalised sky conditions
    QString temperatureText;       // "72°" in the chosen units
    QString weatherText;           // the summary, lines separated by "\r"
    bool temperatureShown = false; // a temperature has been shown
    QByteArray lastReport;         // the last report's body, read again on a change of units
};

// The current-weather downloads (GetWeather) and what they leave: a worker thread per report
// fetches and reads it; everything the program shows changes on the user-interface thread,
// in the hand-over steps, and reaches the windows through this object's signals. Lives on
// the user-interface thread.
class WeatherService : public QObject {
    Q_OBJECT
public:
    WeatherService(Settings& settings, const Clock& clock, DownloadState& downloads,
                   QObject* parent = nullptr);
    ~WeatherService() override;

    // Starts a download of the station's report (the code cut to 4 characters). With
    // `update` (or when the station is the Settings1 page's current one and the saved one)
    // the clock's temperature and the report time follow the report.
    void GetWeather(const QString& stationCode, bool update);
    // "Get Weather" of the Settings1 page: its boxes become the current station, then a
    // download that leaves the clock's temperature alone unless it is the saved station.
    void GetWeatherBut2Click(const QString& nameBox, const QString& codeBox);
    // Stores and shows a temperature: the clock's caption, the tray (temperatureShown).
    void ShowTemperature(const QString& sky, double temperatureF);
    // The temperature units changed: the weather text is read again from the last report
    // and the stored temperature shown again.
    void TemperatureUnitsChanged();

    const WeatherState& state() const { return state_; }
    // The long date format and names of the weather window's caption.
    void setDateFormat(std::string longDate, DateLocale names);
    // Downloads under way (several may overlap).
    int downloadsRunning() const { return running_; }

signals:
    void weatherMemoCleared();
    // ShowTemperature: the clock's caption (text, " \n", weather text) and the temperature
    // text for the tray.
    void temperatureShown(const QString& caption, const QString& temperatureText);
    void trayHintChanged(const QString& hint);
    // The weather text window's report lines and caption ("Weather 5 mins ago at ...").
    void textWindowFilled(const QStringList& lines, const QString& caption);
    // The Settings1 page's memo and station boxes (then DisplayWeather).
    void reportShown(const QStringList& lines, const QString& code, const QString& name);
    // Any change of the state above (report lines, times, temperature).
    void stateChanged();
    void downloadFinished();

private:
    friend class TMyThread1;
    void applyReport(const DecodedWeatherReport& report, const QByteArray& body, bool update);
    void fillTextWindow();
    QString observationCaption() const;

    Settings& settings_;
    const Clock& clock_;
    DownloadState& downloads_;
    WeatherState state_;
    std::string longDateFormat_ = "dddd, mmmm d, yyyy";
    DateLocale dateNames_ = EnglishDateLocale();
    // The hand-over point the worker threads call into; it outlives this object while a
    // thread still holds it, and calls into a deleted service are dropped.
    std::shared_ptr<QObject> handover_;
    int running_ = 0;
};

} // namespace skelvane

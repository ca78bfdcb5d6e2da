#include "net/weather_service.h"

#include "app/settings.h"
#include "astro/time_conversions.h"
#include "net/decode/weather_report.h"
#include "net/decode/weather_summary.h"
#include "net/download_state.h"
#include "net/weather_thread.h"
#include "platform/clock.h"

namespace skelvane {

namespace {

QStringList ToStringList(const std::vector<std::string>& lines) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        list << QString::fromStdString(line);
    return list;
}

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

} // namespace

WeatherService::WeatherService(Settings& settings, const Clock& clock, DownloadState& downloads,
                               QObject* parent)
    : QObject(parent), settings_(settings), clock_(clock), downloads_(downloads),
      handover_(new QObject, [](QObject* object) { object->deleteLater(); }) {
    state_.currentStationCode = settings_.WeatherStationCode.left(4);
    state_.currentStationName = settings_.WeatherStationName;
}

WeatherService::~WeatherService() = default;

void WeatherService::setDateFormat(std::string longDate, DateLocale names) {
    longDateFormat_ = std::move(longDate);
    dateNames_ = std::move(names);
}

void WeatherService::GetWeather(const QString& stationCode, bool update) {
    // The Settings1 page's button updates the clock when it fetches the saved station.
    if (state_.currentStationCode == settings_.WeatherStationCode)
        update = true;
    auto* thread =
        new TMyThread1(*this, handover_, SnapshotDownloadSettings(settings_, downloads_.limits()),
                       stationCode.left(4), update);
    ++running_;
    connect(thread, &QThread::finished, this, [this] {
        --running_;
        emit downloadFinished();
    });
    thread->start();
}

void WeatherService::GetWeatherBut2Click(const QString& nameBox, const QString& codeBox) {
    state_.currentStationName = nameBox.left(128);
    state_.currentStationCode = codeBox.left(4);
    GetWeather(codeBox, false);
}

void WeatherService::ShowTemperature(const QString& sky, double temperatureF) {
    state_.temperatureF = temperatureF;
    state_.temperatureC = FahrenheitToCelsius(temperatureF);
    state_.skyText = sky.left(128);
    const std::string units = settings_.TemperatureUnits == u'C' ? "C" : "F";
    state_.temperatureText = QString::fromStdString(TemperatureText(temperatureF, units));
    const QString caption = state_.temperatureText + QStringLiteral(" \n") + state_.weatherText;
    emit temperatureShown(caption, state_.temperatureText);
    emit stateChanged();
}

void WeatherService::TemperatureUnitsChanged() {
    if (!state_.lastReport.isEmpty()) {
        const WeatherTexts texts = ReadWeatherTexts(View(state_.lastReport),
                                                    settings_.TemperatureUnits == u'C' ? "C" : "F",
                                                    state_.observationUtc, clock_.nowUtc());
        if (!texts.weather.empty())
            state_.weatherText = QString::fromStdString(texts.weather);
    }
    if (state_.temperatureShown)
        ShowTemperature(state_.skyText, state_.temperatureF);
}

void WeatherService::applyReport(const DecodedWeatherReport& report, const QByteArray& body,
                                 bool update) {
    state_.reportLines = ToStringList(report.lines);
    if (report.observationUtc)
        state_.observationUtc = *report.observationUtc;
    if (update) {
        settings_.LastWeatherTimeStampStr = QString::fromStdString(report.timeStampText);
        state_.lastReportLocal = clock_.nowLocal();
        if (report.temperatureF > kNoTemperature) {
            if (!report.weatherText.empty())
                state_.weatherText = QString::fromStdString(report.weatherText);
            state_.temperatureShown = true;
            state_.lastReport = body;
            ShowTemperature(QString::fromStdString(report.skyText), report.temperatureF);
            emit trayHintChanged(state_.temperatureText + QLatin1Char('\n') + state_.weatherText);
        }
    }
    emit stateChanged();
}

QString WeatherService::observationCaption() const {
    const std::string age = WeatherAgeText(state_.observationUtc, clock_.nowUtc());
    const DateTime local = UtcToLocal(state_.observationUtc);
    const std::string time =
        FormatDate(settings_.UseMilitaryTime ? "hh:nn " : "hh:nn AM/PM ", local, dateNames_) +
        FormatDate(longDateFormat_, local, dateNames_);
    return QStringLiteral("Weather ") + QString::fromStdString(age) + QStringLiteral(" at ") +
           QString::fromStdString(time);
}

void WeatherService::fillTextWindow() {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(state_.reportLines.size()));
    for (const QString& line : state_.reportLines)
        lines.push_back(line.toStdString());
    emit textWindowFilled(ToStringList(TextWindowLines(std::move(lines))), observationCaption());
}

} // namespace skelvane

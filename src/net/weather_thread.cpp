#include "net/weather_thread.h"

#include "app/settings.h"
#include "net/decode/weather_report.h"
#include "net/download_state.h"
#include "net/ui_handover.h"
#include "net/weather_fetch.h"
#include "net/weather_service.h"
#include "platform/clock.h"

namespace skelvane {

TMyThread1::TMyThread1(WeatherService& service, std::shared_ptr<QObject> handover,
                       DownloadSettings settings, QString stationCode, bool update)
    : service_(&service), handover_(std::move(handover)), settings_(std::move(settings)),
      stationCode_(std::move(stationCode)), update_(update),
      previousObservationUtc_(service.state().observationUtc) {
    connect(this, &QThread::finished, this, &QObject::deleteLater);
}

void TMyThread1::handOver(const std::function<void(WeatherService&)>& procedure) {
    // The pointer is read on the user-interface thread, where the service is deleted.
    Synchronize(handover_.get(), [this, &procedure] {
        if (service_)
            procedure(*service_);
    });
}

void TMyThread1::run() {
    HttpClient client(HttpClient::Options{}); // the library's own identity, no status texts
    handOver([](WeatherService& service) { emit service.weatherMemoCleared(); });

    const std::string code = ReportStationCode(stationCode_.toStdString());
    WeatherFetch fetch = FetchWeatherReport(settings_, code, client);
    if (fetch.fellBack) {
        // The default server stays the one asked for the rest of the run (and is stored).
        handOver([this](WeatherService& service) {
            service.settings_.WeatherServer =
                QString::fromStdString(settings_.defaultWeatherServer);
        });
    }
    if (fetch.status == WeatherFetchStatus::Refused) {
        handOver([](WeatherService& service) {
            service.downloads_.connectionRefused = true;
            service.downloads_.ShowConnectionRefused();
        });
        return;
    }
    if (fetch.status == WeatherFetchStatus::Failed) {
        handOver([](WeatherService& service) {
            service.state_.reportLines = {QString::fromUtf8(kSiteNotAvailable.data())};
            emit service.stateChanged();
        });
        return;
    }

    WeatherDecodeContext context;
    context.temperatureUnits = settings_.temperatureUnits;
    context.previousObservationUtc = previousObservationUtc_;
    handOver([&context](WeatherService& service) { context.nowUtc = service.clock_.nowUtc(); });
    const DecodedWeatherReport report = DecodeWeatherReport(
        std::string_view(fetch.body.constData(), static_cast<std::size_t>(fetch.body.size())),
        context);
    // A web page instead of a report, or a body too short to be one: nothing changes.
    if (!report.usable())
        return;

    handOver([&](WeatherService& service) { service.applyReport(report, fetch.body, update_); });
    handOver([](WeatherService& service) { service.fillTextWindow(); });
    handOver([](WeatherService& service) {
        const WeatherState& state = service.state();
        emit service.reportShown(state.reportLines, state.currentStationCode,
                                 state.currentStationName);
    });
}

} // namespace skelvane

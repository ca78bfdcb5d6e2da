#include "net/download_settings.h"

#include "app/settings.h"

namespace skelvane {

HttpProxy ProxyInForce(const Settings& settings) {
    if (!settings.UseProxyServer || settings.ProxyServer.trimmed().isEmpty() ||
        settings.ProxyPort <= 0)
        return {};
    return {settings.ProxyServer.trimmed(), settings.ProxyPort, settings.ProxyUserName,
            settings.ProxyPassword};
}

DownloadSettings SnapshotDownloadSettings(const Settings& settings, const HttpLimits& limits) {
    DownloadSettings snapshot;
    snapshot.proxy = ProxyInForce(settings);
    snapshot.weatherServer = settings.WeatherServer.trimmed().toStdString();
    snapshot.defaultWeatherServer = settings.DefaultWeatherServer.trimmed().toStdString();
    snapshot.movedLayouts = MovedLayoutsFromSetting(settings.MovedServerLayouts.toStdString());
    snapshot.temperatureUnits = std::string(1, settings.TemperatureUnits == u'C' ? 'C' : 'F');
    snapshot.limits = limits;
    return snapshot;
}

} // namespace skelvane

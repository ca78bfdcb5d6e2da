#pragma once

#include "net/download_settings.h"

#include <QPointer>
#include <QString>
#include <QThread>
#include <memory>

namespace skelvane {

class WeatherService;

// One weather report's download on a thread of its own: it fetches and reads the report and
// hands everything visible over to the user-interface thread. It deletes itself when its run
// ends; nobody waits for it.
class TMyThread1 : public QThread {
    Q_OBJECT
public:
    // `settings`: the download settings copied when the download was asked for.
    TMyThread1(WeatherService& service, std::shared_ptr<QObject> handover,
               DownloadSettings settings, QString stationCode, bool update);

protected:
    void run() override;

private:
    // Runs `procedure` on the user-interface thread with the service, unless it is gone.
    void handOver(const std::function<void(WeatherService&)>& procedure);

    QPointer<WeatherService> service_;
    std::shared_ptr<QObject> handover_;
    DownloadSettings settings_;
    QString stationCode_;
    bool update_;
    double previousObservationUtc_ = 0;
};

} // namespace skelvane

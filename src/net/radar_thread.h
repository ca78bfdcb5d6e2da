#pragma once

#include "net/http_client.h"
#include "net/radar_site_download.h"

#include <QPointer>
#include <QThread>
#include <memory>

namespace skelvane {

// One radar site's download on a thread of its own (GetRadar): it runs the download with
// its own client and hands every step that shows something over to the user-interface
// thread, waiting for each. It deletes itself when its run ends; nobody waits for it.
class TMyThread2 : public QThread {
    Q_OBJECT
public:
    // `handover`: an object living on the user-interface thread that the hand-overs run on.
    // `target`: the observer they call there, for as long as `alive` (the object behind it)
    // exists. `request`: the settings and box states copied when the download was asked for.
    TMyThread2(std::shared_ptr<QObject> handover, QPointer<QObject> alive,
               RadarSiteObserver* target, RadarSiteRequest request, const HttpLimits& limits);
    ~TMyThread2() override;

    // The fields the download runs on.
    int viewIndex() const { return request_.view; }
    const std::string& product() const { return request_.product; }
    const std::string& site() const { return request_.site; }
    bool animate() const { return request_.animate; }
    // The frame being handed over (-1 before the first).
    int frameIndex() const { return frameIndex_; }

protected:
    void run() override;

private:
    class HandOver;

    std::unique_ptr<HttpClient> client_; // the radar client, made with the thread
    std::shared_ptr<QObject> handover_;
    QPointer<QObject> alive_;
    RadarSiteObserver* target_;
    RadarSiteRequest request_;
    int frameIndex_ = -1;
};

} // namespace skelvane

#pragma once

#include "net/gif_decoder.h"
#include "net/http_client.h"

#include <QObject>
#include <QString>
#include <memory>
#include <mutex>

namespace skelvane {

struct Settings;

// The download layer's program-wide state, on the user-interface thread: the long-lived
// client `http1` of the downloads that run on that thread (mosaics and satellite pictures),
// the refusal flags and the status log. Worker threads reach it only through the hand-over.
class DownloadState : public QObject {
    Q_OBJECT
public:
    explicit DownloadState(Settings& settings, QObject* parent = nullptr);
    ~DownloadState() override;

    // The interactive client: a browser's identity, redirects, cookies; its progress texts
    // go to ShowStatus. User-interface thread only.
    HttpClient& http1();
    // The proxy of the settings applied to http1 (before each of its downloads).
    void SetProxyServer();

    // Limits every request of this run carries (time-outs, size caps); tests shorten them.
    const HttpLimits& limits() const { return limits_; }
    void setLimits(const HttpLimits& limits);

    // The last failed request of an operation was refused; the operations that test it clear
    // it before their request.
    bool connectionRefused = false;
    // While set, http1's progress texts reach the weather memo.
    bool statusLogging = true;
    bool firewallNoticeShown() const { return firewallNoticeShown_; }

    // The once-per-run notice "Internet connection may be blocked by firewall.": the first
    // call asks for it (firewallNotice), later ones do nothing.
    void ShowConnectionRefused();
    // A progress text of http1, passed on while status logging is on.
    void ShowStatus(const QString& text);

    // The image fetches of http1: the GIF at host + path (host with an optional port, through
    // the moved-layout table), or the JPEG at a full address. False when the request fails,
    // the body fails its signature check or does not decode; the image is then untouched.
    // Status logging is off while they run. `body`, when given, receives the image's bytes as
    // they came (when the fetch succeeds; it is left alone otherwise). They may run off the
    // user-interface thread while it keeps its events running (RunKeepingEventsRunning); http1
    // then serves one of them at a time, and a second waits for the first.
    bool GetGIF(const QString& host, const QString& path, GifAnimation& gif,
                QByteArray* body = nullptr);
    bool GetJPG(const QString& address, QImage& image, QByteArray* body = nullptr);

    Settings& settings() { return settings_; }

signals:
    void firewallNotice();
    void statusLine(const QString& text);

private:
    Settings& settings_;
    HttpLimits limits_;
    std::unique_ptr<HttpClient> http1_;
    std::mutex http1Busy_; // the image fetches' requests on http1, one at a time
    bool firewallNoticeShown_ = false;
};

} // namespace skelvane

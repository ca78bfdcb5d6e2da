#include "net/download_state.h"

#include "net/download_settings.h"

namespace skelvane {

DownloadState::DownloadState(Settings& settings, QObject* parent)
    : QObject(parent), settings_(settings) {}

DownloadState::~DownloadState() = default;

HttpClient& DownloadState::http1() {
    if (!http1_) {
        http1_ = std::make_unique<HttpClient>(InteractiveClientOptions());
        http1_->setLimits(limits_);
        http1_->setStatusHandler([this](const QString& text) { ShowStatus(text); });
    }
    return *http1_;
}

void DownloadState::SetProxyServer() {
    http1().setProxy(ProxyInForce(settings_));
}

void DownloadState::setLimits(const HttpLimits& limits) {
    limits_ = limits;
    if (http1_)
        http1_->setLimits(limits_);
}

void DownloadState::ShowConnectionRefused() {
    if (firewallNoticeShown_)
        return;
    firewallNoticeShown_ = true;
    emit firewallNotice();
}

void DownloadState::ShowStatus(const QString& text) {
    if (statusLogging)
        emit statusLine(text);
}

} // namespace skelvane

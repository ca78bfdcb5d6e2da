#include "net/download_state.h"

#include "net/download_settings.h"

#include "app/settings.h"
#include "net/decode/image_signatures.h"
#include "net/jpeg_decoder.h"

#include <QImage>

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

namespace {

// Clears the status-logging flag for the life of an image fetch, whatever its outcome.
class LoggingOff {
public:
    explicit LoggingOff(bool& flag) : flag_(flag) { flag_ = false; }
    ~LoggingOff() { flag_ = true; }
    LoggingOff(const LoggingOff&) = delete;
    LoggingOff& operator=(const LoggingOff&) = delete;

private:
    bool& flag_;
};

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

} // namespace

bool DownloadState::GetGIF(const QString& host, const QString& path, GifAnimation& gif,
                           QByteArray* body) {
    const std::lock_guard<std::mutex> oneAtATime(http1Busy_);
    const LoggingOff quiet(statusLogging);
    const std::optional<std::string> address =
        ServerAddress(host.toStdString(), path.toStdString(),
                      MovedLayoutsFromSetting(settings_.MovedServerLayouts.toStdString()));
    if (!address)
        return false;
    const HttpResult result = http1().get(QString::fromStdString(*address));
    if (!result.ok() || !CheckGIFSignature(View(result.body)))
        return false;
    std::optional<GifAnimation> decoded = GifDecoder().decode(result.body);
    if (!decoded || decoded->frames.empty())
        return false;
    gif = std::move(*decoded);
    if (body)
        *body = result.body;
    return true;
}

bool DownloadState::GetJPG(const QString& address, QImage& image, QByteArray* body) {
    const std::lock_guard<std::mutex> oneAtATime(http1Busy_);
    const LoggingOff quiet(statusLogging);
    const HttpResult result = http1().get(address);
    if (!result.ok() || !CheckJPGSignature(View(result.body)))
        return false;
    QImage decoded = JpegDecoder().decode(result.body);
    if (decoded.isNull())
        return false;
    image = std::move(decoded);
    if (body)
        *body = result.body;
    return true;
}

void DownloadState::ShowStatus(const QString& text) {
    if (statusLogging)
        emit statusLine(text);
}

} // namespace skelvane

#include "net/satellite_download.h"

#include "app/settings.h"
#include "net/decode/image_signatures.h"
#include "net/decode/satellite_frame_list.h"
#include "net/decode/server_addresses.h"
#include "net/download_state.h"
#include "net/event_loop_wait.h"
#include "net/http_client.h"
#include "net/jpeg_decoder.h"

#include <utility>

namespace skelvane {

namespace {

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

} // namespace

const char* SatelliteDownloadStatusName(SatelliteDownloadStatus status) {
    switch (status) {
    case SatelliteDownloadStatus::Ok:
        return "ok";
    case SatelliteDownloadStatus::Refused:
        return "refused";
    case SatelliteDownloadStatus::Failed:
        return "failed";
    case SatelliteDownloadStatus::ListFailed:
        return "list-failed";
    case SatelliteDownloadStatus::NoFrames:
        return "no-frames";
    case SatelliteDownloadStatus::BadHost:
        return "bad-host";
    }
    return "failed";
}

struct SatelliteDownload::Answer {
    bool asked = false; // false: the host or path could not make an address
    HttpResult http;
};

SatelliteDownload::SatelliteDownload(DownloadState& downloads, QString host)
    : downloads_(downloads), host_(std::move(host)) {}

SatelliteDownloadResult
SatelliteDownload::Run(const SatelliteRequest& request,
                       const std::function<void(const SatelliteFrame&)>& frameArrived) {
    SatelliteDownloadResult result;
    downloads_.statusLogging = true;
    downloads_.SetProxyServer();
    downloads_.connectionRefused = false;
    if (!IsValidHostSetting(host_.toStdString())) {
        result.status = SatelliteDownloadStatus::BadHost;
        result.errorText = QStringLiteral("not a host name: ") + host_;
        return result;
    }
    if (request.tropical)
        runLoop(request, result, frameArrived);
    else
        runStillOrMovie(request, result);
    downloads_.statusLogging = true;
    return result;
}

SatelliteDownload::Answer SatelliteDownload::get(const std::string& path, std::size_t maxBody,
                                                 SatelliteDownloadResult& result) {
    Answer answer;
    const std::optional<std::string> address = ServerAddress(
        host_.toStdString(), path,
        MovedLayoutsFromSetting(downloads_.settings().MovedServerLayouts.toStdString()));
    if (!address)
        return answer;
    const QString url = QString::fromStdString(*address);
    result.urls << url;
    HttpClient& client = downloads_.http1();
    HttpLimits limits = downloads_.limits();
    limits.maxBody = maxBody;
    client.setLimits(limits);
    RunKeepingEventsRunning([&] { answer.http = client.get(url); });
    client.setLimits(downloads_.limits());
    answer.asked = true;
    if (answer.http.refused())
        downloads_.connectionRefused = true;
    return answer;
}

void SatelliteDownload::runStillOrMovie(const SatelliteRequest& request,
                                        SatelliteDownloadResult& result) {
    const bool movie = request.fetch == SatelliteFetch::Movie;
    Answer answer =
        get(request.path, movie ? HttpLimits::kMovieMaxBody : downloads_.limits().maxBody, result);
    if (!answer.asked) {
        result.status = SatelliteDownloadStatus::BadHost;
        return;
    }
    if (!answer.http.ok()) {
        result.status = answer.http.refused() ? SatelliteDownloadStatus::Refused
                                              : SatelliteDownloadStatus::Failed;
        result.errorText = answer.http.errorText;
        return;
    }
    if (movie) {
        if (!CheckMPGSignature(View(answer.http.body))) {
            result.errorText = QStringLiteral("the answer is not an MPEG movie");
            return;
        }
        result.body = std::move(answer.http.body);
        result.status = SatelliteDownloadStatus::Ok;
        return;
    }
    if (!CheckJPGSignature(View(answer.http.body))) {
        result.errorText = QStringLiteral("the answer is not a JPEG picture");
        return;
    }
    JpegDecoder decoder;
    QImage still = decoder.decode(answer.http.body);
    if (still.isNull()) {
        result.errorText = decoder.errorString();
        return;
    }
    result.still = std::move(still);
    result.body = std::move(answer.http.body);
    result.status = SatelliteDownloadStatus::Ok;
}

void SatelliteDownload::runLoop(const SatelliteRequest& request, SatelliteDownloadResult& result,
                                const std::function<void(const SatelliteFrame&)>& frameArrived) {
    std::vector<std::string> names;
    if (request.fetch == SatelliteFetch::TropicalList) {
        // LoadJPGList: the list, its lines sorted without regard to case, the first ten.
        const Answer answer = get(request.listPath, kSatelliteFrameListMaxBytes, result);
        if (!answer.asked) {
            result.status = SatelliteDownloadStatus::BadHost;
            return;
        }
        if (!answer.http.ok()) {
            result.status = answer.http.refused() ? SatelliteDownloadStatus::Refused
                                                  : SatelliteDownloadStatus::ListFailed;
            result.errorText = answer.http.errorText;
            return;
        }
        SatelliteFrameList list = ParseJPGList(View(answer.http.body));
        if (!list.ok()) {
            result.status = SatelliteDownloadStatus::ListFailed;
            result.errorText = QStringLiteral("the frame list names no frame");
            return;
        }
        names = std::move(list.names);
    }
    const std::vector<std::string> paths = TropicalFramePaths(request, names);
    const std::vector<MovedLayout> moved =
        MovedLayoutsFromSetting(downloads_.settings().MovedServerLayouts.toStdString());
    int slot = 0;
    for (const std::string& path : paths) {
        const int thisSlot = slot++;
        const std::optional<std::string> address = ServerAddress(host_.toStdString(), path, moved);
        if (!address)
            continue;
        const QString url = QString::fromStdString(*address);
        result.urls << url;
        SatelliteFrame frame;
        frame.slot = thisSlot;
        frame.name = QString::fromStdString(path.substr(path.rfind('/') + 1));
        bool arrived = false;
        RunKeepingEventsRunning(
            [&] { arrived = downloads_.GetJPG(url, frame.image, &frame.body); });
        if (!arrived)
            continue;
        ++result.framesLoaded;
        if (frameArrived)
            frameArrived(frame);
    }
    if (result.framesLoaded > 0) {
        result.status = SatelliteDownloadStatus::Ok;
    } else {
        result.status = SatelliteDownloadStatus::NoFrames;
        result.errorText = QStringLiteral("not one frame of the loop arrived");
    }
}

} // namespace skelvane

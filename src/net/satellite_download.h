#pragma once

#include "net/decode/satellite_request.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>

namespace skelvane {

class DownloadState;

enum class SatelliteDownloadStatus {
    Ok,         // the still, the movie, or at least one loop frame arrived
    Refused,    // the still, movie or list request was refused (connectionRefused is set)
    Failed,     // the still or movie request failed, or its body did not pass its check
    ListFailed, // a listed loop's file_names.txt could not be had or named no plain file
    NoFrames,   // not one loop frame arrived
    BadHost,    // the host setting cannot go into an address; nothing was asked
};

// "ok", "refused", "failed", "list-failed", "no-frames", "bad-host".
const char* SatelliteDownloadStatusName(SatelliteDownloadStatus status);

struct SatelliteDownloadResult {
    SatelliteDownloadStatus status = SatelliteDownloadStatus::Failed;
    QImage still;    // Still and FullDisk: the decoded picture
    QByteArray body; // Still and FullDisk: the JPEG as received; Movie: the movie's bytes
    int framesLoaded = 0;
    QStringList urls; // every address asked, in order
    QString errorText;
    bool ok() const { return status == SatelliteDownloadStatus::Ok; }
};

// One loop frame as it arrived: the slot it fills (0 … 9, in the order of the loop), its file
// name ("1.jpg", "gulfir_20240915_0800.jpg"), the picture and the JPEG's bytes.
struct SatelliteFrame {
    int slot = 0;
    QString name;
    QImage image;
    QByteArray body;
};

// The downloads of "Get Satellite" on the interactive client http1: the still or full-disk
// JPEG, the coast movie, or a tropical loop (its list, then up to ten frames). Runs on the
// calling thread; while each request waits, that thread's event loop keeps running
// (RunKeepingEventsRunning), so the caller disables whatever could start it again.
//
// The still, movie and list requests reach the status log and test for refusal; the loop
// frames are fetched with GetJPG, quietly and without that test. Movies may be as large as
// HttpLimits::kMovieMaxBody, lists as kSatelliteFrameListMaxBytes.
class SatelliteDownload {
public:
    // `host`: the satellite server setting, a host with an optional port.
    SatelliteDownload(DownloadState& downloads, QString host);

    // Fetches what `request` names. `frameArrived` runs on the calling thread for each loop
    // frame as soon as it has arrived and decoded, before the next frame is asked for; frames
    // that fail are skipped.
    SatelliteDownloadResult
    Run(const SatelliteRequest& request,
        const std::function<void(const SatelliteFrame&)>& frameArrived = {});

private:
    struct Answer;
    Answer get(const std::string& path, std::size_t maxBody, SatelliteDownloadResult& result);
    void runStillOrMovie(const SatelliteRequest& request, SatelliteDownloadResult& result);
    void runLoop(const SatelliteRequest& request, SatelliteDownloadResult& result,
                 const std::function<void(const SatelliteFrame&)>& frameArrived);

    DownloadState& downloads_;
    QString host_;
};

} // namespace skelvane

#include "net/radar_thread.h"

#include "net/ui_handover.h"

namespace skelvane {

// Runs each step of the download on the user-interface thread, and drops it when the
// observer has gone.
class TMyThread2::HandOver final : public RadarSiteObserver {
public:
    explicit HandOver(TMyThread2& thread) : thread_(thread) {}

    void RunStarted() override {
        run([](RadarSiteObserver& target) { target.RunStarted(); });
    }
    void RunEnded() override {
        run([](RadarSiteObserver& target) { target.RunEnded(); });
    }
    void PrepRadar() override {
        run([](RadarSiteObserver& target) { target.PrepRadar(); });
    }
    void FrameCountFixed(int count) override {
        run([count](RadarSiteObserver& target) { target.FrameCountFixed(count); });
    }
    void ActiveHostChanged(RadarHost host) override {
        run([host](RadarSiteObserver& target) { target.ActiveHostChanged(host); });
    }
    void FrameListsRead(const RadarFrameLists& lists) override {
        run([&lists](RadarSiteObserver& target) { target.FrameListsRead(lists); });
    }
    void ConnectionRefused() override {
        run([](RadarSiteObserver& target) { target.ConnectionRefused(); });
    }
    void AnimationCleared() override {
        run([](RadarSiteObserver& target) { target.AnimationCleared(); });
    }
    void FrameLoading(int index) override {
        thread_.frameIndex_ = index;
        run([index](RadarSiteObserver& target) { target.FrameLoading(index); });
    }
    void ShowRadarFrame(int index, const RadarComposedFrame& frame) override {
        thread_.frameIndex_ = index;
        run([index, &frame](RadarSiteObserver& target) { target.ShowRadarFrame(index, frame); });
    }
    void DownloadSucceeded(const RadarSiteOutcome& outcome) override {
        run([&outcome](RadarSiteObserver& target) { target.DownloadSucceeded(outcome); });
    }
    void DownloadEnded(const RadarSiteOutcome& outcome) override {
        run([&outcome](RadarSiteObserver& target) { target.DownloadEnded(outcome); });
    }

private:
    template <class Step> void run(Step&& step) {
        // The pointer is read on the user-interface thread, where the observer is deleted.
        Synchronize(thread_.handover_.get(), [this, &step] {
            if (thread_.alive_)
                step(*thread_.target_);
        });
    }

    TMyThread2& thread_;
};

TMyThread2::TMyThread2(std::shared_ptr<QObject> handover, QPointer<QObject> alive,
                       RadarSiteObserver* target, RadarSiteRequest request,
                       const HttpLimits& limits)
    : client_(std::make_unique<HttpClient>(RadarClientOptions(limits))),
      handover_(std::move(handover)), alive_(std::move(alive)), target_(target),
      request_(std::move(request)) {
    connect(this, &QThread::finished, this, &QObject::deleteLater);
}

TMyThread2::~TMyThread2() = default;

void TMyThread2::run() {
    HandOver handOver(*this);
    handOver.RunStarted();
    try {
        RunRadarSiteDownload(request_, *client_, handOver);
    } catch (...) {
        // A failure inside the download ends it; the page is enabled again below.
    }
    handOver.RunEnded();
    client_.reset();
}

} // namespace skelvane

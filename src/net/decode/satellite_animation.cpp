#include "net/decode/satellite_animation.h"

#include <algorithm>

namespace skelvane {

void SatelliteLoop::Reset() {
    *this = SatelliteLoop();
}

void SatelliteLoop::FrameLoaded(int slot) {
    if (slot < 0 || slot >= kSlots)
        return;
    filled_.set(static_cast<std::size_t>(slot));
    loaded_ = true;
    shown_ = slot;
}

bool SatelliteLoop::DownloadFinished(bool repeat) {
    if (!loaded_ || !repeat)
        return false;
    index_ = 1;
    running_ = true;
    return true;
}

std::optional<int> SatelliteLoop::Tick(bool repeat) {
    if (!Animates(repeat))
        return std::nullopt;
    std::optional<int> show;
    if (index_ >= 1 && index_ <= kSlots && filled_.test(static_cast<std::size_t>(index_ - 1))) {
        show = index_ - 1;
        shown_ = show;
    }
    // 1 … 10 show, 11 … 15 and 0 hold: six pause ticks.
    index_ = index_ >= kSlots + kPauseTicks - 1 ? 0 : index_ + 1;
    return show;
}

void SatelliteMovie::Reset() {
    *this = SatelliteMovie();
}

void SatelliteMovie::Start(double nowSeconds) {
    running_ = true;
    playing_ = false;
    lastStart_ = nowSeconds - 100;
    lastEnd_ = lastStart_;
}

void SatelliteMovie::Stop() {
    running_ = false;
    playing_ = false;
}

bool SatelliteMovie::Tick(double nowSeconds, bool panelShowing) {
    if (!loaded_ || !running_ || !panelShowing || playing_)
        return false;
    if (nowSeconds - std::max(lastStart_, lastEnd_) <= 1.0)
        return false;
    lastStart_ = nowSeconds;
    playing_ = true;
    return true;
}

void SatelliteMovie::PlayEnded(double nowSeconds) {
    playing_ = false;
    lastEnd_ = nowSeconds;
}

SatelliteTick SatelliteTimerStep(SatelliteLoop& loop, SatelliteMovie& movie, bool repeat,
                                 double nowSeconds, bool moviePanelShowing) {
    SatelliteTick tick;
    if (loop.Animates(repeat))
        tick.showSlot = loop.Tick(repeat);
    else
        tick.playMovie = movie.Tick(nowSeconds, moviePanelShowing);
    return tick;
}

bool SatelliteNeedsTimer(const SatelliteLoop& loop, const SatelliteMovie& movie, bool repeat) {
    return loop.Animates(repeat) || (movie.running() && movie.loaded());
}

bool MovieStopsAtEnd(bool repeat, int position, int lastFrame) {
    if (repeat)
        return false;
    return position > 13 || (lastFrame >= 0 && position >= lastFrame);
}

std::string FrameNumberLabel(int frame) {
    return "Frame: " + std::to_string(frame);
}

MovieButtonAction MediaPlayer1Click(MovieButton button, int position, int lastFrame,
                                    bool panelVisible) {
    MovieButtonAction action;
    action.checkAnimate = !panelVisible;
    const bool known = lastFrame >= 0;
    int frame = 0;
    switch (button) {
    case MovieButton::Play:
        action.startMovie = true;
        return action;
    case MovieButton::Stop:
        frame = 10;
        break;
    case MovieButton::Step:
        frame = position > 9 || (known && position >= lastFrame) ? 1 : position + 1;
        break;
    case MovieButton::Back:
        frame = position > 1 ? position - 1 : 10;
        break;
    }
    if (known)
        frame = std::min(frame, lastFrame);
    action.stopMovie = true;
    action.seekTo = frame;
    action.frameLabel = FrameNumberLabel(frame);
    return action;
}

} // namespace skelvane

#include "net/decode/radar_animation.h"

#include "net/decode/radar_views.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace skelvane {

namespace {

// The position runs this far past the newest frame (and below the oldest, in rock mode)
// before it turns: the ticks in between hold the picture.
constexpr int kHoldPastNewest = 5;
constexpr int kHoldBeforeOldest = -4;

} // namespace

void RadarAnimation::LoadSettings(bool animate, bool repeat, bool loop) {
    animate_ = animate;
    repeat_ = repeat;
    loop_ = loop;
}

RadarAnimationEffect RadarAnimation::Tick(bool radarBusy, bool pageShowing, bool warnTextChecked) {
    RadarAnimationEffect effect;
    if (!animate_ || !repeat_ || radarBusy || !animationEnabled_ || !framesReady_ || !pageShowing)
        return effect;
    const int newest = frameCount_ - 1;
    if (position_ >= 0 && position_ <= newest) {
        effect.kind = RadarAnimationEffect::Kind::DrawFrame;
        effect.frame = position_;
        if (position_ != newest)
            effect.hideWarnings = true;
        else if (warnTextChecked)
            effect.showWarnings = true;
    }
    if (loop_) {
        position_ = position_ < frameCount_ + kHoldPastNewest ? position_ + 1 : 0;
    } else if (rockForward_) {
        if (position_ < frameCount_ + kHoldPastNewest) {
            ++position_;
        } else {
            position_ = newest;
            rockForward_ = false;
        }
    } else {
        if (position_ >= kHoldBeforeOldest) {
            --position_;
        } else {
            position_ = 0;
            rockForward_ = true;
        }
    }
    return effect;
}

RadarAnimationEffect RadarAnimation::ShowRadarImage(int frame) const {
    RadarAnimationEffect effect;
    if (framesReady_ && frame >= 0 && frame < frameCount_) {
        effect.kind = RadarAnimationEffect::Kind::ShowImage;
        effect.frame = frame;
    }
    return effect;
}

RadarAnimationEffect RadarAnimation::StopOnNewest() {
    position_ = frameCount_ - 1;
    RadarAnimationEffect effect = ShowRadarImage(position_);
    effect.showWarnings = true;
    return effect;
}

RadarAnimationEffect RadarAnimation::AnimateBoxChanged(bool checked) {
    if (checked == animate_)
        return {};
    animate_ = checked;
    manualStep_ = false;
    return checked ? RadarAnimationEffect{} : StopOnNewest();
}

RadarAnimationEffect RadarAnimation::RepeatBoxChanged(bool checked) {
    if (checked == repeat_)
        return {};
    repeat_ = checked;
    manualStep_ = false;
    return checked ? RadarAnimationEffect{} : StopOnNewest();
}

void RadarAnimation::LoopButtonClicked() {
    loop_ = !loop_;
    RepeatBoxChanged(true);
    AnimateBoxChanged(true);
}

RadarAnimationEffect RadarAnimation::NextRadarImage() {
    RadarAnimationEffect effect;
    if (manualStep_) {
        position_ = position_ >= frameCount_ - 1 ? 0 : position_ + 1;
        effect = ShowRadarImage(position_);
    } else {
        effect = AnimateBoxChanged(false);
    }
    manualStep_ = true;
    return effect;
}

RadarAnimationEffect RadarAnimation::PrevRadarImage() {
    RadarAnimationEffect effect;
    if (manualStep_) {
        position_ = position_ <= 0 ? frameCount_ - 1 : position_ - 1;
        effect = ShowRadarImage(position_);
    } else {
        effect = AnimateBoxChanged(false);
    }
    manualStep_ = true;
    return effect;
}

void RadarAnimation::MaxImagesChanged(int position) {
    desiredFrameCount_ = std::clamp(position, kRadarMinFrames, kRadarMaxFrames);
}

bool RadarAnimation::SheetEnter() {
    if (framesReady_)
        animationEnabled_ = animate_;
    return animationEnabled_;
}

void RadarAnimation::SheetExit() {
    animationEnabled_ = false;
}

void RadarAnimation::GetRadarPressed() {
    animationEnabled_ = false;
    manualStep_ = false;
}

void RadarAnimation::PrepareDownload() {
    framesReady_ = false;
    animationEnabled_ = false;
}

void RadarAnimation::SetFrameCount(int count) {
    frameCount_ = std::clamp(count, kRadarMinFrames, kRadarMaxFrames);
}

void RadarAnimation::FramesComplete() {
    framesReady_ = true;
    animationEnabled_ = true;
}

int RadarTimerInterval(int speedPosition) {
    const int p = std::clamp(speedPosition, 1, 99);
    const int a = p == 99 ? 100 : 2 * p - 100;
    if (a == 0)
        return kRadarDefaultTimerInterval;
    if (a > 0)
        return static_cast<int>(std::nearbyint(130.0 - a / 100.0 * 110.0));
    return static_cast<int>(std::nearbyint(130.0 + std::abs(a) / 100.0 * 870.0));
}

std::string RadarFrameNumberText(int frameIndex) {
    std::string text = std::to_string(frameIndex + 1);
    if (text.size() < 2)
        text.insert(0, 2 - text.size(), ' ');
    return text;
}

} // namespace skelvane

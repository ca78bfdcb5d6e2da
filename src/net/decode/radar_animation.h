#pragma once

#include <string>
#include <string_view>

namespace skelvane {

// What the Radar page does after an animation event.
struct RadarAnimationEffect {
    enum class Kind {
        None,
        DrawFrame, // the timer step: draw frame bitmap `frame` onto Image6, frame number label
        ShowImage, // ShowRadarImage: draw it, ShowRadarTime for it, frame number label
    };
    Kind kind = Kind::None;
    int frame = -1;
    bool showWarnings = false; // ShowWarnings (the warning labels of the newest frame)
    bool hideWarnings = false; // hide the four warning labels
    friend bool operator==(const RadarAnimationEffect&, const RadarAnimationEffect&) = default;
};

// The radar animation as plain state: the frame count, the position and rock direction,
// the flags that start and stop it, and the Animate, Repeat and loop settings. Frames are
// 0 ... N - 1, oldest first. Single-threaded (the user-interface thread).
class RadarAnimation {
public:
    // The settings AnimateRadar, RepeatRadar and LoopRadar as read at start (defaults off,
    // on, on).
    void LoadSettings(bool animate, bool repeat, bool loop);

    // The radar step of Timer2. Runs only with Animate and Repeat on, no download running,
    // the animation enabled, the frames ready and the Radar page showing. Draws the frame at
    // the position when there is one, then advances: loop mode runs 0 ... N + 5 and wraps to
    // 0 (the newest frame stays for six more ticks); rock mode runs forward to N + 5, turns
    // at N - 1, runs backward to -5 and turns at 0 (six ticks held at the newest end, five
    // at the oldest). On the newest frame the warning labels show when "Warn Text" is
    // checked; every other frame hides them.
    RadarAnimationEffect Tick(bool radarBusy, bool pageShowing, bool warnTextChecked);

    // The "Animate" and "Repeat" boxes changed (a call with the value they already have does
    // nothing): the setting follows, the manual-step flag clears, and unchecking stops on
    // the newest frame with its warning labels.
    RadarAnimationEffect AnimateBoxChanged(bool checked);
    RadarAnimationEffect RepeatBoxChanged(bool checked);

    // LOOP/ROCK: toggles the mode and checks "Repeat" and "Animate" (with their change rules).
    void LoopButtonClicked();
    // "ROCK" while looping, "LOOP" while rocking: the caption names the other mode.
    std::string_view LoopButtonCaption() const { return loop_ ? "ROCK" : "LOOP"; }

    // FWD: with the manual-step flag set, the next frame (0 after the newest); otherwise
    // "Animate" is unchecked, which shows the newest frame. Then the flag is set.
    RadarAnimationEffect NextRadarImage();
    // REV: with the manual-step flag set, the previous frame (the newest from the first);
    // otherwise "Animate" is unchecked. Then the flag is set.
    RadarAnimationEffect PrevRadarImage();

    // The Frames control: what the next download asks for, kept within 1 ... 30.
    void MaxImagesChanged(int position);

    // Entering the Radar page: with the frames ready, the animation is enabled exactly when
    // "Animate" is checked. Leaving it disables the animation. Returns whether the radar
    // animation wants Timer2 (the page also asks the other animations).
    bool SheetEnter();
    void SheetExit();

    // Downloads. "Get Radar" clears the animation-enabled and manual-step flags; preparing
    // a download clears the frames-ready and animation-enabled flags; the download sets the
    // frame count (kept within 1 ... 30), and an animated one that completes marks its
    // frames ready and enables the animation; every download ends at position 0.
    void GetRadarPressed();
    void PrepareDownload();
    void SetFrameCount(int count);
    void FramesComplete();
    void ResetPosition() { position_ = 0; }

    bool animate() const { return animate_; }
    bool repeat() const { return repeat_; }
    bool loop() const { return loop_; }
    int frameCount() const { return frameCount_; }
    int desiredFrameCount() const { return desiredFrameCount_; }
    int position() const { return position_; }
    bool rockForward() const { return rockForward_; }
    bool framesReady() const { return framesReady_; }
    bool animationEnabled() const { return animationEnabled_; }
    // While set, the clock tick leaves the time label alone.
    bool manualStep() const { return manualStep_; }

private:
    RadarAnimationEffect ShowRadarImage(int frame) const;
    RadarAnimationEffect StopOnNewest();

    bool animate_ = false; // the settings' defaults
    bool repeat_ = true;
    bool loop_ = true;
    int frameCount_ = 10;
    int desiredFrameCount_ = 10;
    int position_ = 0;
    bool rockForward_ = true;
    bool framesReady_ = false;
    bool animationEnabled_ = false;
    bool manualStep_ = true; // set at start: the first FWD or REV of a run steps at once
};

// Timer2's interval for a speed position (clamped to 1 ... 99): a = 100 at 99, else
// 2p - 100; 130 ms at a = 0, round(130 - a / 100 * 110) above, round(130 + |a| / 100 * 870)
// below. 99 -> 20 ms, 50 -> 130 ms, 1 -> 983 ms.
int RadarTimerInterval(int speedPosition);
// Until the speed control is first used in a run, Timer2 keeps this interval.
inline constexpr int kRadarDefaultTimerInterval = 130;
inline constexpr int kRadarDefaultSpeed = 50;

// The frame number label: frame index + 1, padded on the left with blanks to 2 characters.
std::string RadarFrameNumberText(int frameIndex);

} // namespace skelvane

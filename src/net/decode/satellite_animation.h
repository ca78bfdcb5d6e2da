#pragma once

#include <bitset>
#include <optional>
#include <string>

namespace skelvane {

// The satellite part of the shared animation timer (Timer2) and the movie player's buttons,
// as plain state without a window, a timer or a clock of its own.

// The tropical JPEG loop: ten slots shown on ten ticks, then the picture holds for six ticks.
// The index runs 1 … 10 (slot index − 1 is shown), 11 … 15 and 0 (pause), then 1 again.
class SatelliteLoop {
public:
    static constexpr int kSlots = 10;
    static constexpr int kPauseTicks = 6;

    // Any new satellite download: index 1, no slot filled, not loaded, not running.
    void Reset();
    // Slot 0 … 9 received a frame of the loop being downloaded; it is shown at once. Marks the
    // loop as loaded. Slots outside 0 … 9 are ignored.
    void FrameLoaded(int slot);
    // All frames were asked for. With "Repeat" and at least one frame the loop starts from
    // its first slot; returns whether it now animates (the caller enables Timer2). Without
    // "Repeat" the last frame loaded stays on the page.
    bool DownloadFinished(bool repeat);
    // One tick of Timer2 while the information window shows: the slot to show, if any. Only
    // slots this download filled are shown; on the tick of an unfilled slot the picture holds.
    std::optional<int> Tick(bool repeat);

    // SatelliteSheetEnter: the loop resumes when one is loaded.
    void Resume() { running_ = loaded_; }
    // SatelliteSheetExit and StartSatelliteMovie: the loop pauses.
    void Pause() { running_ = false; }
    // AnimateSatelliteBoxClick: the loop runs exactly when "Animate" is checked.
    void SetAnimate(bool checked) { running_ = checked; }

    // Whether ticks move the loop on: loaded, running and "Repeat". Whoever changes one of
    // them enables Timer2 when this turns true.
    bool Animates(bool repeat) const { return loaded_ && running_ && repeat; }
    bool loaded() const { return loaded_; }
    bool running() const { return running_; }
    int index() const { return index_; }
    bool filled(int slot) const { return slot >= 0 && slot < kSlots && filled_.test(slot); }
    // The slot on the page since the last FrameLoaded or Tick, if any.
    std::optional<int> shown() const { return shown_; }

private:
    int index_ = 1;
    bool loaded_ = false;
    bool running_ = false;
    std::bitset<kSlots> filled_;
    std::optional<int> shown_;
};

// The coast movie's replay. Times are seconds on a steady clock: a change of the computer's
// clock (internet time sets it) must not stall the replay.
class SatelliteMovie {
public:
    // Any new satellite download: not loaded, not running, not playing.
    void Reset();
    // The movie was written and opened by the player.
    void Opened() { loaded_ = true; }
    // StartSatelliteMovie: running, and the next tick plays from the start.
    void Start(double nowSeconds);
    // StopSatelliteMovie: not running; the player is stopped.
    void Stop();
    // AnimateSatelliteBoxClick: the movie runs exactly when "Animate" is checked.
    void SetAnimate(bool checked) { running_ = checked; }
    // One tick of Timer2: whether the player is to play now from its current position. It
    // plays when the movie is loaded and running, its panel shows, it is not already playing
    // and more than a second has passed since it last started and since it last ended, so a
    // repeating movie holds its last frame for about a second.
    bool Tick(double nowSeconds, bool panelShowing);
    // The player reports that a play reached the end.
    void PlayEnded(double nowSeconds);

    bool loaded() const { return loaded_; }
    bool running() const { return running_; }
    bool playing() const { return playing_; }

private:
    bool loaded_ = false;
    bool running_ = false;
    bool playing_ = false;
    double lastStart_ = 0;
    double lastEnd_ = 0;
};

// What one tick of Timer2 asks of the Satellite page: the loop's step when the loop
// animates, otherwise the movie's.
struct SatelliteTick {
    std::optional<int> showSlot; // show this loop slot in Image7
    bool playMovie = false;      // play the movie from its current position
    friend bool operator==(const SatelliteTick&, const SatelliteTick&) = default;
};
SatelliteTick SatelliteTimerStep(SatelliteLoop& loop, SatelliteMovie& movie, bool repeat,
                                 double nowSeconds, bool moviePanelShowing);

// Whether the satellite part still needs Timer2: the loop animates, or a loaded movie runs
// ("Animate" checked with no movie loaded keeps no timer ticking). Whoever stops an animation
// keeps Timer2 enabled when this or another animation still needs it.
bool SatelliteNeedsTimer(const SatelliteLoop& loop, const SatelliteMovie& movie, bool repeat);

// MediaPlayer1Notify at the end of a play: with "Repeat" off the movie stops (the caller runs
// StopSatelliteMovie) once the position is past frame 13, or at the movie's last frame when it
// is shorter. lastFrame is the number of the movie's last frame (from 0), below 0 if unknown.
bool MovieStopsAtEnd(bool repeat, int position, int lastFrame);

// The player's buttons.
enum class MovieButton { Play, Stop, Step, Back };

// What MediaPlayer1Click asks for.
struct MovieButtonAction {
    bool checkAnimate = false; // the movie panel was hidden: check "Animate" first
    bool startMovie = false;   // StartSatelliteMovie (Play)
    bool stopMovie = false;    // StopSatelliteMovie (Stop, Step, Back)
    std::optional<int> seekTo; // frame to show (Stop, Step, Back)
    std::string frameLabel;    // FrameNumLab: "" or "Frame: 10"
    friend bool operator==(const MovieButtonAction&, const MovieButtonAction&) = default;
};

// Frames are numbered from 0. Stop shows frame 10; Step moves one frame on and wraps from
// above 9 to 1; Back moves one frame back and wraps from 1 or below to 10. With a known last
// frame (lastFrame ≥ 0) the frame never passes it, and Step wraps at it too.
MovieButtonAction MediaPlayer1Click(MovieButton button, int position, int lastFrame,
                                    bool panelVisible);

// "Frame: " and the frame number.
std::string FrameNumberLabel(int frame);

} // namespace skelvane

#include "net/decode/satellite_animation.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace skelvane {
namespace {

constexpr int kNone = -1;

// The slots a run of ticks shows, kNone for a tick that holds the picture.
std::vector<int> Ticks(SatelliteLoop& loop, int count, bool repeat = true) {
    std::vector<int> shown;
    for (int i = 0; i < count; ++i)
        shown.push_back(loop.Tick(repeat).value_or(kNone));
    return shown;
}

SatelliteLoop LoadedLoop(std::initializer_list<int> slots, bool repeat) {
    SatelliteLoop loop;
    loop.Reset();
    for (int slot : slots)
        loop.FrameLoaded(slot);
    loop.DownloadFinished(repeat);
    return loop;
}

const std::vector<int> kFullCycle{0, 1, 2,     3,     4,     5,     6,     7,
                                  8, 9, kNone, kNone, kNone, kNone, kNone, kNone};

TEST(SatelliteLoop, TenFramesThenSixPauseTicksOverAndOver) {
    SatelliteLoop loop;
    for (int slot = 0; slot < 10; ++slot)
        loop.FrameLoaded(slot);
    EXPECT_TRUE(loop.DownloadFinished(true)); // the caller enables Timer2
    EXPECT_TRUE(loop.Animates(true));
    std::vector<int> twoCycles = kFullCycle;
    twoCycles.insert(twoCycles.end(), kFullCycle.begin(), kFullCycle.end());
    EXPECT_EQ(Ticks(loop, 32), twoCycles);
    EXPECT_EQ(loop.index(), 1);
    EXPECT_EQ(loop.shown(), 9); // the pause holds the last frame
}

TEST(SatelliteLoop, WithoutRepeatTheLastFrameStaysAndNothingAnimates) {
    SatelliteLoop loop;
    std::vector<std::optional<int>> shownWhileLoading;
    for (int slot = 0; slot < 10; ++slot) {
        loop.FrameLoaded(slot); // each frame appears as it arrives
        shownWhileLoading.push_back(loop.shown());
    }
    EXPECT_EQ(shownWhileLoading.front(), 0);
    EXPECT_FALSE(loop.DownloadFinished(false));
    EXPECT_TRUE(loop.loaded());
    EXPECT_FALSE(loop.running());
    EXPECT_EQ(Ticks(loop, 20, false), std::vector<int>(20, kNone));
    EXPECT_EQ(loop.shown(), 9);
    EXPECT_EQ(loop.index(), 1);
    // Ticking "Repeat" on afterwards does not start a loop that never ran.
    EXPECT_EQ(Ticks(loop, 3, true), std::vector<int>(3, kNone));
}

TEST(SatelliteLoop, OnlySlotsOfThisDownloadAreShown) {
    // A full loop of another area, then a list of three names: slots 3 … 9 still hold the old
    // area's pictures and must not flash between the new ones.
    SatelliteLoop loop = LoadedLoop({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, true);
    Ticks(loop, 5);
    loop.Reset();
    EXPECT_FALSE(loop.loaded());
    EXPECT_FALSE(loop.Animates(true));
    EXPECT_FALSE(loop.filled(5));
    for (int slot : {0, 1, 2})
        loop.FrameLoaded(slot);
    ASSERT_TRUE(loop.DownloadFinished(true));
    EXPECT_EQ(Ticks(loop, 16), (std::vector<int>{0, 1, 2, kNone, kNone, kNone, kNone, kNone, kNone,
                                                 kNone, kNone, kNone, kNone, kNone, kNone, kNone}));

    // A frame that failed in the middle holds the previous picture on its tick.
    SatelliteLoop gap = LoadedLoop({0, 1, 2, 3, 5, 6, 7, 8, 9}, true);
    EXPECT_EQ(Ticks(gap, 7), (std::vector<int>{0, 1, 2, 3, kNone, 5, 6}));
    EXPECT_EQ(gap.shown(), 6);
}

TEST(SatelliteLoop, NoFrameNoLoop) {
    SatelliteLoop loop;
    EXPECT_FALSE(loop.DownloadFinished(true));
    EXPECT_FALSE(loop.loaded());
    EXPECT_EQ(Ticks(loop, 3), std::vector<int>(3, kNone));
    loop.FrameLoaded(-1);
    loop.FrameLoaded(10);
    EXPECT_FALSE(loop.loaded());
    EXPECT_FALSE(loop.shown());
}

TEST(SatelliteLoop, LeavingThePagePausesEnteringResumesAnimateAndRepeatGate) {
    SatelliteLoop loop = LoadedLoop({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, true);
    EXPECT_EQ(Ticks(loop, 3), (std::vector<int>{0, 1, 2}));
    loop.Pause();
    EXPECT_FALSE(loop.Animates(true));
    EXPECT_EQ(Ticks(loop, 2), (std::vector<int>{kNone, kNone}));
    loop.Resume();
    EXPECT_TRUE(loop.Animates(true));
    EXPECT_EQ(Ticks(loop, 2), (std::vector<int>{3, 4})); // where it paused

    loop.SetAnimate(false);
    EXPECT_EQ(Ticks(loop, 1), std::vector<int>{kNone});
    loop.SetAnimate(true);
    EXPECT_EQ(Ticks(loop, 1), std::vector<int>{5});

    // "Repeat" unchecked while running holds the picture; checked again, it goes on.
    EXPECT_EQ(Ticks(loop, 2, false), (std::vector<int>{kNone, kNone}));
    EXPECT_EQ(Ticks(loop, 1, true), std::vector<int>{6});

    // Entering the page with no loop loaded starts nothing.
    SatelliteLoop empty;
    empty.Resume();
    EXPECT_FALSE(empty.running());
}

TEST(SatelliteMovie, PlaysAtOnceThenReplaysASecondAfterEachEnd) {
    SatelliteMovie movie;
    movie.Opened();
    movie.Start(1000.0);
    EXPECT_TRUE(movie.Tick(1000.1, true)); // the first tick plays at once
    EXPECT_TRUE(movie.playing());
    EXPECT_FALSE(movie.Tick(1000.2, true)); // not twice at a time
    EXPECT_FALSE(movie.Tick(1004.0, true));
    movie.PlayEnded(1004.1);
    EXPECT_FALSE(movie.Tick(1004.2, true));
    EXPECT_FALSE(movie.Tick(1005.1, true)); // exactly a second is not more than a second
    EXPECT_TRUE(movie.Tick(1005.2, true));

    // A play shorter than a second waits a second from its start.
    movie.PlayEnded(1005.5);
    EXPECT_FALSE(movie.Tick(1006.1, true));
    EXPECT_TRUE(movie.Tick(1006.6, true));
}

TEST(SatelliteMovie, NeedsLoadedRunningAndItsPanel) {
    SatelliteMovie notOpened;
    notOpened.Start(0);
    EXPECT_FALSE(notOpened.Tick(10, true));

    SatelliteMovie movie;
    movie.Opened();
    movie.Start(0);
    EXPECT_FALSE(movie.Tick(10, false)); // a still is on the page
    movie.Stop();
    EXPECT_FALSE(movie.running());
    EXPECT_FALSE(movie.Tick(20, true));

    // Play right after an end starts at once: the user asked for it.
    movie.Start(20);
    EXPECT_TRUE(movie.Tick(20.1, true));
    movie.PlayEnded(25);
    movie.Stop();
    movie.Start(25.2);
    EXPECT_TRUE(movie.Tick(25.3, true));

    // "Animate" unchecked stops the replay; checked again, it replays.
    movie.PlayEnded(30);
    movie.SetAnimate(false);
    EXPECT_FALSE(movie.Tick(32, true));
    movie.SetAnimate(true);
    EXPECT_TRUE(movie.Tick(32.1, true));

    // A new download forgets the movie.
    movie.Reset();
    EXPECT_FALSE(movie.loaded());
    EXPECT_FALSE(movie.running());
    EXPECT_FALSE(movie.playing());
}

TEST(SatelliteTimerStep, TheLoopStepsWhenItAnimatesOtherwiseTheMovie) {
    SatelliteLoop loop = LoadedLoop({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, true);
    SatelliteMovie movie;
    movie.Opened();
    movie.Start(0);
    EXPECT_TRUE(SatelliteNeedsTimer(loop, movie, true));
    EXPECT_EQ(SatelliteTimerStep(loop, movie, true, 1, true), (SatelliteTick{0, false}));
    EXPECT_EQ(SatelliteTimerStep(loop, movie, true, 2, true), (SatelliteTick{1, false}));
    // A pause tick of the loop is still the loop's tick.
    for (int i = 2; i < 10; ++i)
        SatelliteTimerStep(loop, movie, true, 3, true);
    EXPECT_EQ(SatelliteTimerStep(loop, movie, true, 4, true), (SatelliteTick{std::nullopt, false}));
    // Starting the movie pauses the loop; the movie's step runs.
    loop.Pause();
    EXPECT_EQ(SatelliteTimerStep(loop, movie, true, 5, true), (SatelliteTick{std::nullopt, true}));
    // "Repeat" off: the loop does not animate, so the movie step runs.
    loop.Resume();
    movie.PlayEnded(6);
    EXPECT_EQ(SatelliteTimerStep(loop, movie, false, 7.5, true),
              (SatelliteTick{std::nullopt, true}));

    movie.Stop();
    EXPECT_TRUE(SatelliteNeedsTimer(loop, movie, true));
    EXPECT_FALSE(SatelliteNeedsTimer(loop, movie, false));
    loop.Pause();
    EXPECT_FALSE(SatelliteNeedsTimer(loop, movie, true));

    // "Animate" checked while no movie is loaded: nothing to tick for.
    SatelliteMovie none;
    none.SetAnimate(true);
    EXPECT_TRUE(none.running());
    EXPECT_FALSE(SatelliteNeedsTimer(loop, none, true));
}

TEST(MovieStopsAtEnd, RepeatOffStopsPastFrameThirteenOrAtAShortMoviesEnd) {
    struct Row {
        bool repeat;
        int position;
        int lastFrame;
        bool stops;
    };
    const Row rows[] = {
        {false, 14, 40, true},  {false, 40, 40, true}, {false, 13, 40, false},
        {false, 10, 40, false}, {true, 40, 40, false}, {true, 14, -1, false},
        {false, 14, -1, true},  {false, 11, 11, true}, // a 12-frame movie ends at 11
        {false, 5, -1, false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(MovieStopsAtEnd(row.repeat, row.position, row.lastFrame), row.stops)
            << row.repeat << " " << row.position << " " << row.lastFrame;
}

TEST(MediaPlayer1Click, StopShowsTenStepAndBackWrap) {
    struct Row {
        MovieButton button;
        int position;
        int lastFrame;
        int frame;
    };
    const Row rows[] = {
        {MovieButton::Stop, 0, -1, 10},
        {MovieButton::Stop, 37, 40, 10},
        {MovieButton::Step, 10, 40, 1},
        {MovieButton::Step, 9, 40, 10},
        {MovieButton::Step, 3, 40, 4},
        {MovieButton::Step, 0, -1, 1},
        {MovieButton::Step, 25, 40, 1},
        {MovieButton::Back, 1, 40, 10},
        {MovieButton::Back, 0, 40, 10},
        {MovieButton::Back, 2, 40, 1},
        {MovieButton::Back, 10, 40, 9},
        {MovieButton::Back, 25, 40, 24},
        // A movie of seven frames (0 … 6): never past its end, Step wraps at it.
        {MovieButton::Stop, 3, 6, 6},
        {MovieButton::Step, 6, 6, 1},
        {MovieButton::Step, 5, 6, 6},
        {MovieButton::Back, 1, 6, 6},
    };
    for (const Row& row : rows) {
        const MovieButtonAction action =
            MediaPlayer1Click(row.button, row.position, row.lastFrame, true);
        const auto what = ::testing::Message()
                          << static_cast<int>(row.button) << " from " << row.position;
        EXPECT_TRUE(action.stopMovie) << what;
        EXPECT_FALSE(action.startMovie) << what;
        EXPECT_EQ(action.seekTo, row.frame) << what;
        EXPECT_EQ(action.frameLabel, "Frame: " + std::to_string(row.frame)) << what;
        EXPECT_FALSE(action.checkAnimate) << what;
    }
}

TEST(MediaPlayer1Click, PlayStartsTheMovieAndAHiddenPanelChecksAnimate) {
    const MovieButtonAction play = MediaPlayer1Click(MovieButton::Play, 12, 40, true);
    EXPECT_TRUE(play.startMovie);
    EXPECT_FALSE(play.stopMovie);
    EXPECT_FALSE(play.seekTo);
    EXPECT_EQ(play.frameLabel, "");

    EXPECT_TRUE(MediaPlayer1Click(MovieButton::Play, 0, 40, false).checkAnimate);
    EXPECT_TRUE(MediaPlayer1Click(MovieButton::Back, 0, 40, false).checkAnimate);
}

} // namespace
} // namespace skelvane

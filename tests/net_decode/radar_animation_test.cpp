#include "net/decode/radar_animation.h"

#include <gtest/gtest.h>
#include <vector>

namespace skelvane {
namespace {

using Kind = RadarAnimationEffect::Kind;

// An animated download of `frames` frames has just completed with the page showing.
RadarAnimation Playing(int frames, bool loop) {
    RadarAnimation animation;
    animation.LoadSettings(true, true, loop);
    animation.GetRadarPressed();
    animation.PrepareDownload();
    animation.SetFrameCount(frames);
    animation.FramesComplete();
    animation.ResetPosition();
    return animation;
}

// The frame each tick draws, -1 for a tick that holds the picture.
std::vector<int> Ticks(RadarAnimation& animation, int count) {
    std::vector<int> drawn;
    for (int i = 0; i < count; ++i) {
        const RadarAnimationEffect effect = animation.Tick(false, true, false);
        drawn.push_back(effect.kind == Kind::DrawFrame ? effect.frame : -1);
    }
    return drawn;
}

TEST(RadarAnimation, LoopShowsEveryFrameThenHoldsTheNewestForSixTicks) {
    RadarAnimation animation = Playing(10, true);
    const std::vector<int> expected = {0,  1,  2,  3,  4,  5,  6, 7, 8, 9, // frames
                                       -1, -1, -1, -1, -1, -1,             // newest held
                                       0,  1,  2};
    EXPECT_EQ(Ticks(animation, 19), expected);
}

TEST(RadarAnimation, RockRunsForwardHoldsSixTicksBackHoldsFive) {
    RadarAnimation animation = Playing(10, false);
    const std::vector<int> expected = {0,  1,  2,  3,  4,  5,  6, 7, 8, 9, // forward
                                       -1, -1, -1, -1, -1, -1,             // newest held
                                       9,  8,  7,  6,  5,  4,  3, 2, 1, 0, // backward
                                       -1, -1, -1, -1, -1,                 // oldest held
                                       0,  1};
    EXPECT_EQ(Ticks(animation, 33), expected);
    EXPECT_TRUE(animation.rockForward());

    RadarAnimation single = Playing(1, false);
    EXPECT_EQ(Ticks(single, 15),
              (std::vector<int>{0, -1, -1, -1, -1, -1, -1, 0, -1, -1, -1, -1, -1, 0, -1}));
}

TEST(RadarAnimation, WarningLabelsShowOnTheNewestFrameOnly) {
    RadarAnimation animation = Playing(3, true);
    struct Expect {
        int frame;
        bool show, hide;
    };
    const Expect expected[] = {
        {0, false, true}, {1, false, true}, {2, true, false}, {-1, false, false}};
    for (const Expect& e : expected) {
        const RadarAnimationEffect effect = animation.Tick(false, true, true);
        EXPECT_EQ(effect.frame, e.frame);
        EXPECT_EQ(effect.showWarnings, e.show) << e.frame;
        EXPECT_EQ(effect.hideWarnings, e.hide) << e.frame;
    }
    // Without "Warn Text" the newest frame leaves the labels as they are.
    RadarAnimation plain = Playing(1, true);
    EXPECT_EQ(plain.Tick(false, true, false), (RadarAnimationEffect{Kind::DrawFrame, 0}));
}

TEST(RadarAnimation, TickDoesNothingUnlessEverythingAllowsIt) {
    struct Case {
        const char* name;
        bool animate, repeat, busy, enabled, ready, page;
    };
    const Case cases[] = {
        {"Animate off", false, true, false, true, true, true},
        {"Repeat off", true, false, false, true, true, true},
        {"download running", true, true, true, true, true, true},
        {"animation disabled", true, true, false, false, true, true},
        {"frames not ready", true, true, false, true, false, true},
        {"page not showing", true, true, false, true, true, false},
    };
    for (const Case& c : cases) {
        RadarAnimation animation;
        animation.LoadSettings(c.animate, c.repeat, true);
        animation.SetFrameCount(10);
        if (c.ready)
            animation.FramesComplete();
        if (!c.enabled)
            animation.SheetExit();
        EXPECT_EQ(animation.Tick(c.busy, c.page, true), RadarAnimationEffect{}) << c.name;
        EXPECT_EQ(animation.position(), 0) << c.name;
    }
}

TEST(RadarAnimation, ForwardWhilePlayingStopsOnTheNewestThenStepsFromTheFirst) {
    RadarAnimation animation = Playing(10, true);
    Ticks(animation, 4);
    EXPECT_FALSE(animation.manualStep());

    const RadarAnimationEffect stop = animation.NextRadarImage();
    EXPECT_FALSE(animation.animate());
    EXPECT_EQ(stop, (RadarAnimationEffect{Kind::ShowImage, 9, true, false}));
    EXPECT_TRUE(animation.manualStep());
    EXPECT_EQ(animation.Tick(false, true, false), RadarAnimationEffect{}) << "stopped";

    struct Step {
        bool forward;
        int frame;
    };
    const Step steps[] = {{true, 0},  {true, 1}, {false, 0}, {false, 9},
                          {false, 8}, {true, 9}, {true, 0}};
    for (const Step& s : steps) {
        const RadarAnimationEffect effect =
            s.forward ? animation.NextRadarImage() : animation.PrevRadarImage();
        EXPECT_EQ(effect, (RadarAnimationEffect{Kind::ShowImage, s.frame})) << s.frame;
    }
}

TEST(RadarAnimation, ReverseWhilePlayingAlsoStopsOnTheNewest) {
    RadarAnimation animation = Playing(5, false);
    Ticks(animation, 2);
    EXPECT_EQ(animation.PrevRadarImage(), (RadarAnimationEffect{Kind::ShowImage, 4, true}));
    EXPECT_EQ(animation.PrevRadarImage(), (RadarAnimationEffect{Kind::ShowImage, 3}));
}

TEST(RadarAnimation, ManualStepIsSetAtStartSoTheFirstStepMovesAtOnce) {
    RadarAnimation animation;
    animation.SetFrameCount(10);
    animation.FramesComplete();
    EXPECT_TRUE(animation.manualStep());
    EXPECT_EQ(animation.NextRadarImage(), (RadarAnimationEffect{Kind::ShowImage, 1}));
    // Without ready frames the position moves but nothing is shown.
    RadarAnimation empty;
    EXPECT_EQ(empty.PrevRadarImage(), RadarAnimationEffect{});
    EXPECT_EQ(empty.position(), 9);
}

TEST(RadarAnimation, UncheckingRepeatStopsOnTheNewestWithItsWarnings) {
    RadarAnimation animation = Playing(10, true);
    Ticks(animation, 3);
    EXPECT_EQ(animation.RepeatBoxChanged(false),
              (RadarAnimationEffect{Kind::ShowImage, 9, true, false}));
    EXPECT_FALSE(animation.repeat());
    EXPECT_EQ(animation.position(), 9);
    EXPECT_EQ(animation.Tick(false, true, true), RadarAnimationEffect{});
    // A change to the value the box already has does nothing.
    EXPECT_EQ(animation.RepeatBoxChanged(false), RadarAnimationEffect{});
    EXPECT_EQ(animation.RepeatBoxChanged(true), RadarAnimationEffect{});
    EXPECT_TRUE(animation.repeat());
}

TEST(RadarAnimation, LoopButtonTogglesTheModeAndRestartsTheAnimation) {
    RadarAnimation animation = Playing(10, true);
    EXPECT_EQ(animation.LoopButtonCaption(), "ROCK");
    animation.NextRadarImage(); // stops: Animate off, manual stepping
    animation.RepeatBoxChanged(false);
    animation.NextRadarImage();
    ASSERT_TRUE(animation.manualStep());

    animation.LoopButtonClicked();
    EXPECT_FALSE(animation.loop());
    EXPECT_EQ(animation.LoopButtonCaption(), "LOOP");
    EXPECT_TRUE(animation.animate());
    EXPECT_TRUE(animation.repeat());
    EXPECT_FALSE(animation.manualStep());
    EXPECT_EQ(animation.Tick(false, true, false).kind, Kind::DrawFrame);
}

TEST(RadarAnimation, PageEnterAndExitAndDownloads) {
    RadarAnimation animation;
    animation.LoadSettings(true, true, true);
    EXPECT_FALSE(animation.SheetEnter()) << "no frames yet";
    animation.SetFrameCount(10);
    animation.FramesComplete();
    animation.SheetExit();
    EXPECT_FALSE(animation.animationEnabled());
    EXPECT_TRUE(animation.SheetEnter());
    animation.AnimateBoxChanged(false);
    animation.SheetExit();
    EXPECT_FALSE(animation.SheetEnter()) << "Animate unchecked";

    animation.GetRadarPressed();
    EXPECT_FALSE(animation.manualStep());
    animation.PrepareDownload();
    EXPECT_FALSE(animation.framesReady());
    animation.SetFrameCount(45);
    EXPECT_EQ(animation.frameCount(), 30);
    animation.SetFrameCount(0);
    EXPECT_EQ(animation.frameCount(), 1);
}

TEST(RadarAnimation, FramesControlKeepsOneToThirty) {
    RadarAnimation animation;
    EXPECT_EQ(animation.desiredFrameCount(), 10);
    for (auto [position, kept] : {std::pair{12, 12}, {0, 1}, {31, 30}, {-5, 1}, {30, 30}}) {
        animation.MaxImagesChanged(position);
        EXPECT_EQ(animation.desiredFrameCount(), kept) << position;
    }
}

TEST(RadarTimerInterval, SpeedPositionToMilliseconds) {
    struct Case {
        int speed, milliseconds;
    };
    const Case cases[] = {
        {99, 20},  {98, 24}, {75, 75}, {51, 128}, {50, 130}, {49, 147},
        {25, 565}, {2, 965}, {1, 983}, {0, 983},  {100, 20}, {-7, 983},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RadarTimerInterval(c.speed), c.milliseconds) << c.speed;
}

TEST(RadarFrameNumberText, PaddedToTwoCharacters) {
    EXPECT_EQ(RadarFrameNumberText(0), " 1");
    EXPECT_EQ(RadarFrameNumberText(8), " 9");
    EXPECT_EQ(RadarFrameNumberText(9), "10");
    EXPECT_EQ(RadarFrameNumberText(29), "30");
}

} // namespace
} // namespace skelvane

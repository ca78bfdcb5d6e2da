// The Satellite page against the demo server tree on a fixture server, with a fake movie
// player (its rules) and, in satellite_movie_test.cpp, the real plugin.
#include "infowin/satellite_page.h"

#include "app/animation_timer.h"
#include "app/settings.h"
#include "fixture_http_server.h"
#include "infowin/movie_player.h"
#include "net/decode/web_links.h"
#include "net/download_state.h"
#include "net/jpeg_decoder.h"
#include "support/fake_clock.h"
#include "support/scoped_zone.h"
#include "widgets/link_label.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace skelvane {
namespace {

using fixture::FixtureHttpServer;
using fixture::FixtureRule;

constexpr int kFakeLastFrame = 74;

// What the fake player was asked, and what it is to answer.
struct PlayerLog {
    std::vector<std::string> calls;
    QString opened;
    bool opens = true;
    class FakePlayer* player = nullptr;
    int made = 0;
};

class FakePlayer final : public MoviePlayer {
public:
    explicit FakePlayer(PlayerLog& log) : log_(log) { log_.player = this; }
    ~FakePlayer() override { log_.player = nullptr; }
    bool open(const QString& path) override {
        log_.calls.push_back("open");
        if (!log_.opens)
            return false;
        open_ = true;
        position_ = 0;
        log_.opened = path;
        return true;
    }
    void close() override {
        log_.calls.push_back("close");
        open_ = playing_ = false;
    }
    bool isOpen() const override { return open_; }
    QString errorString() const override { return QStringLiteral("not a movie"); }
    void play() override {
        log_.calls.push_back("play");
        if (position_ >= kFakeLastFrame)
            position_ = 0;
        playing_ = open_;
    }
    bool isPlaying() const override { return playing_; }
    void stop() override {
        log_.calls.push_back("stop");
        playing_ = false;
    }
    void seek(int frame) override {
        log_.calls.push_back("seek " + std::to_string(frame));
        position_ = std::clamp(frame, 0, kFakeLastFrame);
    }
    void step(int frames) override { seek(position_ + frames); }
    int position() const override { return position_; }
    int lastFrame() const override { return open_ ? kFakeLastFrame : -1; }
    void setEndHandler(std::function<void()> handler) override { end_ = std::move(handler); }

    // The play reaches the end of the movie.
    void finish() {
        playing_ = false;
        position_ = kFakeLastFrame;
        if (end_)
            end_();
    }

private:
    PlayerLog& log_;
    bool open_ = false;
    bool playing_ = false;
    int position_ = 0;
    std::function<void()> end_;
};

QImage DemoJpeg(const QString& path) {
    QFile file(QStringLiteral(SKELVANE_DEMO_DATA) + path);
    return file.open(QIODevice::ReadOnly) ? JpegDecoder().decode(file.readAll()) : QImage();
}

class SatellitePageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.listening()) << server.error();
        ASSERT_TRUE(scratch.isValid());
        settings.SatelliteServer = QString::fromStdString(server.server());
        makePage();
    }
    void makePage() {
        page = std::make_unique<SatellitePage>(settings, downloads, animation, clock);
        page->setMovieFolder(scratch.filePath(QStringLiteral("movies")));
        page->setSteadyClock([this] { return steady; });
        page->setPlayerSource([this](QWidget*, QString*) -> std::unique_ptr<MoviePlayer> {
            ++log.made;
            return std::make_unique<FakePlayer>(log);
        });
    }
    // The page's own controls, as a user sets them.
    void choose(int location, int type, int color, bool animate) {
        page->SatelliteLocationBoxSelect(location);
        page->SatelliteTypeBoxSelect(type);
        page->SatelliteColorBoxSelect(color);
        page->AnimateSatelliteBox->setChecked(animate);
    }
    std::vector<std::string> asked() const {
        std::vector<std::string> paths;
        for (const auto& request : server.requests())
            paths.push_back(request.path);
        return paths;
    }
    bool satelliteTimer() const {
        return animation.isRunning(AnimationTimer::Animation::Satellite);
    }

    test::ScopedZone zone{"EST5EDT,M3.2.0,M11.1.0"};
    test::FakeClock clock{SafeEncodeDateTime(2024, 10, 25, 12, 1, 0, 0), -4};
    FixtureHttpServer server{SKELVANE_DEMO_DATA};
    QTemporaryDir scratch;
    Settings settings;
    DownloadState downloads{settings};
    AnimationTimer animation;
    PlayerLog log;
    double steady = 1000;
    std::unique_ptr<SatellitePage> page;
};

TEST_F(SatellitePageTest, TheControlsFollowTheLocationAndAnimate) {
    struct Row {
        int location;
        bool animate;
        int types;
        bool colorBox, animateAndRepeat, player;
    };
    const Row rows[] = {
        {0, false, 3, true, true, true},     {1, true, 3, false, true, true},
        {2, false, 3, false, false, false},  {5, false, 3, false, true, false},
        {9, true, 3, false, true, false},    {10, false, 3, false, false, false},
        {11, false, 2, false, false, false}, {15, true, 2, false, false, false},
    };
    for (const Row& row : rows) {
        choose(row.location, 0, 0, row.animate);
        const std::string name = "location " + std::to_string(row.location);
        EXPECT_EQ(settings.SatelliteLocationBoxIndex, row.location) << name;
        EXPECT_EQ(page->SatelliteTypeBox->count(), row.types) << name;
        EXPECT_EQ(!page->SatelliteColorBox->isHidden(), row.colorBox) << name;
        EXPECT_EQ(!page->AnimateSatelliteBox->isHidden(), row.animateAndRepeat) << name;
        EXPECT_EQ(!page->RepeatSatelliteBox->isHidden(), row.animateAndRepeat) << name;
        EXPECT_EQ(!page->MediaPlayer1->isHidden(), row.player) << name;
    }

    // "Water Vapor" goes with the full-disk views and comes back; the stored choice stays.
    choose(0, 2, 0, false);
    page->SatelliteLocationBoxSelect(13);
    EXPECT_EQ(page->SatelliteTypeBox->currentText(), QStringLiteral("Infrared"));
    EXPECT_EQ(settings.SatelliteTypeBoxIndex, 2);
    page->SatelliteLocationBoxSelect(0);
    EXPECT_EQ(page->SatelliteTypeBox->currentText(), QStringLiteral("Water Vapor"));

    // A page made from stored settings shows them.
    settings.SatelliteLocationBoxIndex = 1;
    settings.SatelliteColorBoxIndex = 3;
    settings.AnimateSatellite = false;
    settings.RepeatSatellite = false;
    makePage();
    EXPECT_EQ(page->SatelliteLocationBox->currentText(), QStringLiteral("West Coast USA"));
    EXPECT_EQ(page->SatelliteColorBox->currentText(), QStringLiteral("Colorized 3"));
    EXPECT_FALSE(page->RepeatSatelliteBox->isChecked());
    EXPECT_FALSE(page->SatelliteColorBox->isHidden());
}

TEST_F(SatellitePageTest, GetSatelliteAsksWhatTheChoicesName) {
    struct Row {
        const char* name;
        int location, type, color;
        bool animate;
        const char* firstPath;
    };
    const Row rows[] = {
        {"Europe in water vapour: the infrared full disk", 13, 2, 0, false, "/FULLDISK/GMIR.JPG"},
        {"Entire USA in water vapour", 10, 2, 0, false, "/GIFS/NHWV.JPG"},
        {"East Coast visible, Colorized 1", 0, 1, 1, false, "/GIFS/ECI5.JPG"},
        {"the same with Animate: the movie", 0, 1, 1, true, "/MOVIES/ECVS.mpg"},
        {"Tropical Gulf infrared with Animate: the list", 8, 0, 0, true,
         "/HURRLOOPS/gulfir/file_names.txt"},
        {"Tropical Gulf infrared without Animate: the still", 8, 0, 0, false, "/GIFS/GULFIR.JPG"},
    };
    for (const Row& row : rows) {
        server.clearRequests();
        choose(row.location, row.type, row.color, row.animate);
        page->GetSatelliteButClick();
        const std::vector<std::string> paths = asked();
        ASSERT_FALSE(paths.empty()) << row.name;
        EXPECT_EQ(paths.front(), row.firstPath) << row.name;
        EXPECT_TRUE(page->isEnabled()) << row.name;
    }
}

TEST_F(SatellitePageTest, AStillShowsWithTheTimeOfItsDownload) {
    choose(0, 1, 1, false);
    page->GetSatelliteButClick();
    EXPECT_EQ(page->shownImage().size(), QSize(320, 240));
    EXPECT_EQ(page->shownImage(), DemoJpeg(QStringLiteral("/GIFS/ECI5.JPG")));
    EXPECT_FALSE(page->Image7->isHidden());
    EXPECT_TRUE(page->SatPanel->isHidden());
    EXPECT_TRUE(page->stillShown());
    EXPECT_EQ(page->LastSatelliteLab->text(),
              QStringLiteral("10 25 2024  16:01 GMT = 12:01 PM EDT"));
    EXPECT_EQ(page->satelliteTime(), clock.nowLocal());
    EXPECT_FALSE(satelliteTimer());

    settings.UseMilitaryTime = true;
    clock.advanceSeconds(3600 * 2);
    page->GetSatelliteButClick();
    EXPECT_EQ(page->LastSatelliteLab->text(), QStringLiteral("10 25 2024  18:01 GMT = 14:01 EDT"));
}

TEST_F(SatellitePageTest, AStillThatFailsChangesNothing) {
    choose(0, 0, 0, false);
    page->GetSatelliteButClick();
    const QImage before = page->shownImage();
    const QString label = page->LastSatelliteLab->text();
    ASSERT_FALSE(before.isNull());
    clock.advanceSeconds(600);
    struct Row {
        const char* name;
        FixtureRule rule;
    };
    const Row rows[] = {
        {"an HTML page", FixtureRule::htmlPage()},
        {"a PNG", FixtureRule::exactBody("\x89PNG\r\n\x1a\nxxxxxxxxxxxxxxxxxxxxxx", "image/png")},
        {"not found", FixtureRule::errorPage(404)},
        {"cut short", FixtureRule::shortBody()},
    };
    choose(0, 1, 0, false);
    for (const Row& row : rows) {
        server.setRule("/GIFS/ECVS.JPG", row.rule);
        page->GetSatelliteButClick();
        EXPECT_EQ(page->shownImage().cacheKey(), before.cacheKey()) << row.name;
        EXPECT_EQ(page->LastSatelliteLab->text(), label) << row.name;
        EXPECT_TRUE(page->isEnabled()) << row.name;
    }
}

TEST_F(SatellitePageTest, ARefusedRequestShowsTheFirewallNoticeOnce) {
    QSignalSpy notice(&downloads, &DownloadState::firewallNotice);
    settings.SatelliteServer = QStringLiteral("127.0.0.1:%1").arg(fixture::ClosedLoopbackPort());
    choose(0, 0, 0, false);
    page->GetSatelliteButClick();
    choose(8, 0, 0, true); // the loop's list is refused too
    page->GetSatelliteButClick();
    EXPECT_EQ(notice.count(), 1);
    EXPECT_TRUE(page->shownImage().isNull());
    EXPECT_TRUE(page->LastSatelliteLab->text().isEmpty());
    EXPECT_TRUE(page->isEnabled());
}

TEST_F(SatellitePageTest, ATropicalLoopWithRepeatShowsTenFramesThenHoldsForSix) {
    choose(8, 0, 0, true);
    page->GetSatelliteButClick();
    EXPECT_TRUE(page->loop().loaded());
    EXPECT_TRUE(satelliteTimer());
    EXPECT_FALSE(page->LastSatelliteLab->text().isEmpty());
    std::vector<qint64> shown;
    for (int tick = 0; tick < 32; ++tick) {
        page->Timer2Step();
        shown.push_back(page->shownImage().cacheKey());
    }
    // Ticks 1 … 10 show ten different frames, ticks 11 … 16 hold the tenth, then it repeats.
    EXPECT_EQ(std::set<qint64>(shown.begin(), shown.begin() + 10).size(), 10u);
    for (int tick = 10; tick < 16; ++tick)
        EXPECT_EQ(shown[static_cast<std::size_t>(tick)], shown[9]) << tick;
    for (int tick = 16; tick < 32; ++tick)
        EXPECT_EQ(shown[static_cast<std::size_t>(tick)], shown[static_cast<std::size_t>(tick - 16)])
            << tick;
    // The first frame is the earliest: the list sorted without regard to case.
    page->SatelliteSheetExit();
    EXPECT_FALSE(satelliteTimer());
    page->SatelliteSheetEnter();
    EXPECT_TRUE(satelliteTimer());
}

TEST_F(SatellitePageTest, WithoutRepeatALoopShowsItsLastFrameAndDoesNotAnimate) {
    page->RepeatSatelliteBox->setChecked(false);
    choose(8, 0, 0, true);
    page->GetSatelliteButClick();
    // gulfir's list mixes the cases of its names; its tenth frame in time order is 1230.
    EXPECT_EQ(page->shownImage(),
              DemoJpeg(QStringLiteral("/HURRLOOPS/gulfir/GULFIR_20240915_1230.jpg")));
    EXPECT_FALSE(satelliteTimer());
    const qint64 last = page->shownImage().cacheKey();
    for (int tick = 0; tick < 20; ++tick)
        page->Timer2Step();
    EXPECT_EQ(page->shownImage().cacheKey(), last);

    // Repeat checked later starts it.
    page->RepeatSatelliteBox->setChecked(true);
    EXPECT_FALSE(satelliteTimer()) << "the loop was never started";
}

TEST_F(SatellitePageTest, LoopFramesAppearOneByOneWhileThePageIsDisabled) {
    server.setPrefixRule("/HURRLOOPS/atir/", FixtureRule::delayed(std::chrono::milliseconds(60)));
    std::set<qint64> seen;
    bool disabledMeanwhile = false;
    QTimer sample;
    QObject::connect(&sample, &QTimer::timeout, [&] {
        if (!page->shownImage().isNull())
            seen.insert(page->shownImage().cacheKey());
        disabledMeanwhile = disabledMeanwhile || !page->isEnabled();
    });
    sample.start(10);
    choose(6, 0, 0, true);
    page->GetSatelliteButClick();
    sample.stop();
    EXPECT_GE(seen.size(), 5u) << "frames should show while the others still load";
    EXPECT_TRUE(disabledMeanwhile);
    EXPECT_TRUE(page->isEnabled());
}

TEST_F(SatellitePageTest, AListThatCannotBeReadKeepsThePicture) {
    choose(0, 0, 0, false);
    page->GetSatelliteButClick();
    const qint64 before = page->shownImage().cacheKey();
    const QString label = page->LastSatelliteLab->text();
    clock.advanceSeconds(60);
    server.setRule("/HURRLOOPS/gulfir/file_names.txt", FixtureRule::errorPage(404));
    choose(8, 0, 0, true);
    page->GetSatelliteButClick();
    EXPECT_EQ(page->shownImage().cacheKey(), before);
    EXPECT_EQ(page->LastSatelliteLab->text(), label);
    EXPECT_FALSE(page->loop().loaded());
    EXPECT_FALSE(satelliteTimer());
}

TEST_F(SatellitePageTest, AMovieIsKeptInTheCacheOpenedAndReplayedASecondAfterItsEnd) {
    page->show(); // the movie plays only while its panel shows
    choose(0, 1, 0, true);
    page->GetSatelliteButClick();
    ASSERT_NE(log.player, nullptr);
    const QString kept = QDir(scratch.filePath(QStringLiteral("movies")))
                             .absoluteFilePath(QStringLiteral("ECVS.mpg"));
    EXPECT_EQ(log.opened, kept);
    EXPECT_EQ(page->movieFile(), kept);
    QFile file(kept), demo(QStringLiteral(SKELVANE_DEMO_DATA "/MOVIES/ECVS.mpg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly) && demo.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), demo.readAll());
    EXPECT_FALSE(page->SatPanel->isHidden());
    EXPECT_TRUE(page->Image7->isHidden());
    EXPECT_TRUE(page->movie().running());
    EXPECT_TRUE(satelliteTimer());
    EXPECT_FALSE(page->LastSatelliteLab->text().isEmpty());
    // Started: Stop, Step and Back.
    EXPECT_FALSE(page->mediaButtons_[0]->isEnabled());
    EXPECT_TRUE(page->mediaButtons_[1]->isEnabled());

    log.calls.clear();
    page->Timer2Step(); // plays at once
    EXPECT_EQ(log.calls, std::vector<std::string>{"play"});
    page->Timer2Step(); // still playing: nothing
    EXPECT_EQ(log.calls.size(), 1u);
    steady += 3;
    log.player->finish(); // the end notice; "Repeat" is on
    EXPECT_TRUE(page->movie().running());
    steady += 0.5;
    page->Timer2Step();
    EXPECT_EQ(log.calls.size(), 1u) << "the last frame holds for about a second";
    steady += 0.6;
    page->Timer2Step();
    EXPECT_EQ(log.calls.size(), 2u);
    EXPECT_EQ(log.calls.back(), "play");

    // Without "Repeat" the end notice (past frame 13) stops the movie.
    page->RepeatSatelliteBox->setChecked(false);
    log.player->finish();
    EXPECT_FALSE(page->movie().running());
    EXPECT_FALSE(satelliteTimer());
    EXPECT_TRUE(page->mediaButtons_[0]->isEnabled());
    EXPECT_FALSE(page->mediaButtons_[1]->isEnabled());
    steady += 5;
    page->Timer2Step();
    EXPECT_NE(log.calls.back(), "play");

    // Leaving the page stops a running movie; coming back starts it from the start.
    page->MediaPlayer1Click(MovieButton::Play);
    EXPECT_TRUE(page->movie().running());
    page->SatelliteSheetExit();
    EXPECT_FALSE(page->movie().running());
    EXPECT_FALSE(satelliteTimer());
    page->SatelliteSheetEnter();
    EXPECT_TRUE(page->movie().running());
    EXPECT_EQ(log.player->position(), 0);
}

TEST_F(SatellitePageTest, StopShowsFrameTenStepAndBackWrap) {
    page->show();
    choose(1, 0, 0, true);
    page->GetSatelliteButClick();
    ASSERT_NE(log.player, nullptr);
    struct Press {
        MovieButton button;
        int frame;
    };
    const Press presses[] = {
        {MovieButton::Stop, 10}, {MovieButton::Step, 1},  {MovieButton::Step, 2},
        {MovieButton::Back, 1},  {MovieButton::Back, 10}, {MovieButton::Back, 9},
        {MovieButton::Step, 10}, {MovieButton::Step, 1},
    };
    for (const Press& press : presses) {
        page->MediaPlayer1Click(press.button);
        EXPECT_EQ(log.player->position(), press.frame);
        EXPECT_EQ(page->FrameNumLab->text(), QStringLiteral("Frame: %1").arg(press.frame));
        EXPECT_FALSE(page->movie().running());
    }
    page->MediaPlayer1Click(MovieButton::Play);
    EXPECT_TRUE(page->FrameNumLab->text().isEmpty());
    EXPECT_TRUE(page->movie().running());
}

TEST_F(SatellitePageTest, AMovieThatCannotBeKeptOrOpenedLeavesThePageUsable) {
    choose(0, 0, 0, false);
    page->GetSatelliteButClick();
    const qint64 still = page->shownImage().cacheKey();
    const QString label = page->LastSatelliteLab->text();
    clock.advanceSeconds(60);

    QFile blocker(scratch.filePath(QStringLiteral("a-file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    page->setMovieFolder(blocker.fileName() + QStringLiteral("/movies"));
    choose(0, 0, 0, true);
    page->GetSatelliteButClick();
    EXPECT_TRUE(
        page->MovieNoteLab->text().startsWith(QStringLiteral("The movie could not be kept")))
        << page->MovieNoteLab->text().toStdString();
    EXPECT_FALSE(page->MovieNoteLab->isHidden());
    EXPECT_EQ(log.opened, QString());
    EXPECT_TRUE(page->movieFile().isEmpty());
    EXPECT_EQ(page->LastSatelliteLab->text(), label);
    EXPECT_EQ(page->shownImage().cacheKey(), still);
    EXPECT_TRUE(page->SatPanel->isHidden());
    EXPECT_TRUE(page->isEnabled());
    EXPECT_FALSE(satelliteTimer());

    page->setMovieFolder(scratch.filePath(QStringLiteral("movies")));
    log.opens = false;
    page->GetSatelliteButClick();
    EXPECT_TRUE(
        page->MovieNoteLab->text().startsWith(QStringLiteral("The movie could not be opened")));
    EXPECT_TRUE(page->movieFile().isEmpty());
    EXPECT_EQ(page->LastSatelliteLab->text(), label);
    EXPECT_FALSE(page->movie().loaded());

    // The next still clears the note.
    choose(0, 0, 0, false);
    page->GetSatelliteButClick();
    EXPECT_TRUE(page->MovieNoteLab->isHidden());
    EXPECT_NE(page->LastSatelliteLab->text(), label);
}

TEST_F(SatellitePageTest, WithoutAPlayerStillsAndLoopsWorkAndOneLineSaysWhy) {
    page->setPlayerSource([](QWidget*, QString* error) -> std::unique_ptr<MoviePlayer> {
        *error = QStringLiteral("the movie player plugin was not found");
        return nullptr;
    });
    choose(0, 1, 0, true);
    page->GetSatelliteButClick();
    EXPECT_EQ(page->MovieNoteLab->text(),
              QStringLiteral("Movies are unavailable: the movie player plugin was not found."));
    EXPECT_FALSE(page->MovieNoteLab->isHidden());
    // The coast's still of the same picture instead.
    EXPECT_EQ(asked(), std::vector<std::string>{"/GIFS/ECVS.JPG"});
    EXPECT_EQ(page->shownImage(), DemoJpeg(QStringLiteral("/GIFS/ECVS.JPG")));
    for (QToolButton* button : page->mediaButtons_)
        EXPECT_FALSE(button->isEnabled());

    choose(5, 0, 0, true);
    page->GetSatelliteButClick();
    EXPECT_TRUE(page->loop().loaded());
    EXPECT_FALSE(page->MovieNoteLab->isHidden()) << "the note stays while movies are unavailable";
}

TEST_F(SatellitePageTest, PlayOnAStillChecksAnimate) {
    choose(0, 0, 0, false);
    page->GetSatelliteButClick();
    page->MediaPlayer1Click(MovieButton::Play);
    EXPECT_TRUE(page->AnimateSatelliteBox->isChecked());
    EXPECT_TRUE(settings.AnimateSatellite);
    EXPECT_TRUE(page->SatelliteColorBox->isHidden());
    EXPECT_FALSE(satelliteTimer()) << "no movie is loaded: nothing to tick for";
}

TEST_F(SatellitePageTest, TheLinksAskForTheirPages) {
    QSignalSpy spy(page.get(), &SatellitePage::webAddressRequested);
    emit page->NatHurricaneCenterLab->clicked();
    emit page->NOAASatelliteLab->clicked();
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(page->NatHurricaneCenterLab->text(), QStringLiteral("National Hurricane Center"));
    EXPECT_EQ(page->NOAASatelliteLab->text(), QStringLiteral("NOAA Satellite Images"));
    EXPECT_EQ(QUrl(spy[0][0].toString()).host().toStdString(), "www.nhc.noaa.gov");
    EXPECT_EQ(QUrl(spy[1][0].toString()).host().toStdString(), "www.goes.noaa.gov");
}

} // namespace
} // namespace skelvane

// The Satellite page with the real movie player plugin, loaded as the program loads it, and
// the plugin's loader. Qt Multimedia is linked by the plugin only: this suite does not link it.
#include "app/animation_timer.h"
#include "app/settings.h"
#include "fixture_http_server.h"
#include "infowin/movie_player.h"
#include "infowin/movie_player_loader.h"
#include "infowin/satellite_page.h"
#include "net/download_state.h"
#include "support/fake_clock.h"
#include "support/process_memory.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace skelvane {
namespace {

using fixture::FixtureHttpServer;

using test::LibraryMapped;
using test::ResidentKilobytes;

TEST(MoviePlayerLoader, LooksBesideTheProgramInItsPluginsFolderAndInTheInstallsLib) {
    EXPECT_EQ(MoviePlayerPluginFolders(QStringLiteral("/opt/skelvane/bin")),
              (QStringList{QStringLiteral("/opt/skelvane/bin"),
                           QStringLiteral("/opt/skelvane/bin/plugins"),
                           QStringLiteral("/opt/skelvane/lib/skelvane/plugins")}));
    EXPECT_EQ(MoviePlayerPluginFolders(QStringLiteral("/usr/bin")).back(),
              QStringLiteral("/usr/lib/skelvane/plugins"));
}

TEST(MoviePlayerLoader, NoPluginOrAFileThatIsNoneGivesOneLineNotACrash) {
    if (MoviePlayerPluginLoaded())
        GTEST_SKIP() << "the plugin is loaded already in this run";
    QTemporaryDir empty, broken;
    QString error;
    EXPECT_EQ(LoadMoviePlayerFactory({empty.path()}, &error), nullptr);
    EXPECT_TRUE(error.contains(MoviePlayerPluginFileName())) << error.toStdString();
    QFile junk(broken.filePath(MoviePlayerPluginFileName()));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a shared library");
    junk.close();
    error.clear();
    EXPECT_EQ(LoadMoviePlayerFactory({broken.path(), empty.path()}, &error), nullptr);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(error.contains(QLatin1Char('\n')));
    EXPECT_FALSE(MoviePlayerPluginLoaded());
}

#ifdef SKELVANE_HAVE_MEDIA_PLUGIN

class SatelliteMovieTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.listening()) << server.error();
        ASSERT_TRUE(scratch.isValid());
        settings.SatelliteServer = QString::fromStdString(server.server());
        settings.SatelliteLocationBoxIndex = 0;
        settings.SatelliteTypeBoxIndex = 1;
        settings.AnimateSatellite = true;
        settings.RepeatSatellite = true;
        page = std::make_unique<SatellitePage>(settings, downloads, animation, clock);
        page->setMovieFolder(scratch.filePath(QStringLiteral("movies")));
        QObject::connect(&animation, &AnimationTimer::Timer2Timer, page.get(),
                         &SatellitePage::Timer2Step);
        page->resize(700, 600);
        page->show();
    }
    // Opens the demo movie through the page; false when this machine has no media backend.
    bool openMovie() {
        page->GetSatelliteButClick();
        return page->player() != nullptr && page->movie().loaded();
    }

    FixtureHttpServer server{SKELVANE_DEMO_DATA};
    QTemporaryDir scratch;
    test::FakeClock clock{SafeEncodeDateTime(2024, 10, 25, 12, 1, 0, 0)};
    Settings settings;
    DownloadState downloads{settings};
    AnimationTimer animation;
    std::unique_ptr<SatellitePage> page;
};

TEST_F(SatelliteMovieTest, QtMultimediaIsMappedOnlyOnceAMovieOpens) {
    if (MoviePlayerPluginLoaded())
        GTEST_SKIP() << "the plugin is loaded already in this run";
    EXPECT_FALSE(LibraryMapped("libQt6Multimedia")) << "Qt Multimedia before any movie";
    EXPECT_FALSE(LibraryMapped("libskelvane_media_player"));
    const long before = ResidentKilobytes();
    if (!openMovie())
        GTEST_SKIP() << "no movie here: " << page->MovieNoteLab->text().toStdString();
    const long after = ResidentKilobytes();
    EXPECT_TRUE(LibraryMapped("libskelvane_media_player"));
    EXPECT_TRUE(LibraryMapped("libQt6Multimedia"));
    EXPECT_TRUE(LibraryMapped("libavcodec")) << "the ffmpeg backend";
    std::printf("resident size before the first movie %ld kB, after %ld kB (+%ld kB)\n", before,
                after, after - before);
    RecordProperty("resident_kb_before_movie", static_cast<int>(before));
    RecordProperty("resident_kb_after_movie", static_cast<int>(after));
}

TEST_F(SatelliteMovieTest, TheDemoMoviePlaysOnTheAnimationTimerAndRepeats) {
    if (!openMovie())
        GTEST_SKIP() << "no movie here: " << page->MovieNoteLab->text().toStdString();
    MoviePlayer* player = page->player();
    EXPECT_EQ(player->lastFrame(), 74);
    EXPECT_FALSE(page->SatPanel->isHidden());
    EXPECT_TRUE(animation.isActive());

    // Sample the position as the timer plays the movie: it advances to the end, holds, and
    // with "Repeat" the end notice brings it back to the start, where it advances again.
    std::vector<int> positions;
    QTimer sample;
    QObject::connect(&sample, &QTimer::timeout, [&] { positions.push_back(player->position()); });
    sample.start(20);
    const auto restarted = [&] {
        const auto end = std::find(positions.begin(), positions.end(), 74);
        if (end == positions.end())
            return false;
        const auto low = std::find_if(end, positions.end(), [](int p) { return p < 20; });
        return low != positions.end() &&
               std::any_of(low, positions.end(), [&](int p) { return p > *low + 5 && p < 74; });
    };
    EXPECT_TRUE(QTest::qWaitFor(restarted, 12000))
        << "positions seen: " << positions.size() << ", last " << positions.back();
    EXPECT_TRUE(std::any_of(positions.begin(), positions.end(), [](int p) { return p > 10; }));

    // "Repeat" off: at the end the movie stops and the timer with it.
    page->RepeatSatelliteBox->setChecked(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !page->movie().running(); }, 6000));
    EXPECT_FALSE(animation.isRunning(AnimationTimer::Animation::Satellite));
    EXPECT_FALSE(player->isPlaying());
    sample.stop();

    // Stop shows frame 10; Step wraps to 1; Back from 1 to 10.
    page->MediaPlayer1Click(MovieButton::Stop);
    EXPECT_EQ(page->FrameNumLab->text(), QStringLiteral("Frame: 10"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return player->position() == 10; }, 3000));
    page->MediaPlayer1Click(MovieButton::Step);
    EXPECT_TRUE(QTest::qWaitFor([&] { return player->position() == 1; }, 3000));
    page->MediaPlayer1Click(MovieButton::Back);
    EXPECT_TRUE(QTest::qWaitFor([&] { return player->position() == 10; }, 3000));
    EXPECT_EQ(page->FrameNumLab->text(), QStringLiteral("Frame: 10"));
}

TEST_F(SatelliteMovieTest, ANewDownloadOfTheSameMovieReplacesTheOneThatPlays) {
    if (!openMovie())
        GTEST_SKIP() << "no movie here: " << page->MovieNoteLab->text().toStdString();
    const QString first = page->movieFile();
    QTest::qWait(300); // playing
    page->GetSatelliteButClick();
    EXPECT_EQ(page->movieFile(), first);
    EXPECT_TRUE(page->movie().loaded());
    EXPECT_EQ(page->player()->lastFrame(), 74);
    EXPECT_EQ(QDir(scratch.filePath(QStringLiteral("movies"))).entryList(QDir::Files).size(), 1);
}

#endif

} // namespace
} // namespace skelvane

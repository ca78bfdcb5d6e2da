// The Qt Multimedia movie player with the demo coast movie (MPEG-1, 75 frames at 25 frames a
// second, 320 × 240). Frames are checked by the picture the video output holds, not by what
// the player says about itself.
#include "plugins/media/qt_movie_player.h"

#include "plugins/media/movie_frame_view.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace skelvane {
namespace {

const QString kMovie = QStringLiteral(SKELVANE_DEMO_DATA "/MOVIES/ECVS.mpg");
constexpr qint64 kFrameLength = 40000; // microseconds, 25 frames a second
constexpr int kLastFrame = 74;

class QtMoviePlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel.resize(320, 240);
        panel.show();
        player = std::make_unique<QtMoviePlayer>(&panel);
        if (!player->available())
            GTEST_SKIP() << "Qt Multimedia has no media backend here";
        player->setEndHandler([this] { ++ends; });
        video = panel.findChild<MovieFrameView*>();
        ASSERT_NE(video, nullptr);
    }
    void openMovie() {
        ASSERT_TRUE(player->open(kMovie)) << player->errorString().toStdString();
        ASSERT_TRUE(QTest::qWaitFor([this] { return shownTime() >= 0; }, 3000))
            << "no picture after opening";
        firstTime = shownTime();
    }
    qint64 shownTime() const { return video->frameTime(); }
    // The frame the video output shows, counted from the movie's first.
    int shownFrame() const {
        return static_cast<int>((shownTime() - firstTime + kFrameLength / 2) / kFrameLength);
    }
    bool waitForShown(int frame, int ms = 4000) {
        return QTest::qWaitFor([&] { return shownFrame() == frame; }, ms);
    }

    QWidget panel;
    std::unique_ptr<QtMoviePlayer> player;
    MovieFrameView* video = nullptr;
    qint64 firstTime = -1;
    int ends = 0;
};

TEST_F(QtMoviePlayerTest, OpensAtTheFirstFrameAndKnowsTheLast) {
    openMovie();
    EXPECT_TRUE(player->isOpen());
    EXPECT_EQ(player->position(), 0);
    EXPECT_EQ(player->lastFrame(), kLastFrame);
    EXPECT_FALSE(player->isPlaying());
    // The stream's times start at the program stream's offset, not at 0.
    EXPECT_GT(firstTime, 0) << "the demo movie's stream starts at about 0.5 s";
    // A picture of the panel holds the frame (screenshots, the image export): not black.
    const QImage picture = panel.grab().toImage();
    int lit = 0, sampled = 0;
    for (int y = 0; y < picture.height(); y += 8)
        for (int x = 0; x < picture.width(); x += 8, ++sampled) {
            const QColor c = picture.pixelColor(x, y);
            lit += c.red() + c.green() + c.blue() > 30;
        }
    EXPECT_GT(lit, sampled / 2) << "a black panel";
}

TEST_F(QtMoviePlayerTest, PlayAdvancesAndReportsTheEndOnceThenPlaysFromTheStartAgain) {
    openMovie();
    player->play();
    EXPECT_TRUE(player->isPlaying());
    ASSERT_TRUE(QTest::qWaitFor([this] { return player->position() >= 10; }, 3000))
        << "the position does not advance: " << player->position();
    EXPECT_EQ(player->position(), shownFrame());
    ASSERT_TRUE(QTest::qWaitFor([this] { return ends > 0; }, 6000)) << "no end notice";
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(player->isPlaying());
    EXPECT_EQ(player->position(), kLastFrame);

    // Played again at the end: from the start, to the end once more.
    player->play();
    ASSERT_TRUE(QTest::qWaitFor([this] { return player->position() < 20; }, 2000));
    ASSERT_TRUE(QTest::qWaitFor([this] { return ends == 2; }, 6000));
    QTest::qWait(200);
    EXPECT_EQ(ends, 2);
}

TEST_F(QtMoviePlayerTest, SeeksAndStepsShowTheirFrameWithoutPlaying) {
    openMovie();
    struct Move {
        const char* name;
        std::function<void()> act;
        int frame;
    };
    const Move moves[] = {
        {"seek 10", [&] { player->seek(10); }, 10},
        {"step on", [&] { player->step(1); }, 11},
        {"seek 31, between key frames", [&] { player->seek(31); }, 31},
        {"step back", [&] { player->step(-1); }, 30},
        {"seek past the end", [&] { player->seek(500); }, kLastFrame},
        {"step past the end", [&] { player->step(1); }, kLastFrame},
        {"seek 1", [&] { player->seek(1); }, 1},
        {"step back to the start", [&] { player->step(-1); }, 0},
        {"step before the start", [&] { player->step(-1); }, 0},
    };
    for (const Move& move : moves) {
        move.act();
        EXPECT_EQ(player->position(), move.frame) << move.name;
        EXPECT_TRUE(waitForShown(move.frame)) << move.name << ": shows " << shownFrame();
        QTest::qWait(150); // and stays there
        EXPECT_EQ(shownFrame(), move.frame) << move.name;
        EXPECT_EQ(player->position(), move.frame) << move.name;
        EXPECT_FALSE(player->isPlaying()) << move.name;
    }
    EXPECT_EQ(ends, 0) << "seeks are not plays";
}

TEST_F(QtMoviePlayerTest, StopKeepsThePictureAndEndsThePlayWithoutANotice) {
    openMovie();
    player->play();
    ASSERT_TRUE(QTest::qWaitFor([this] { return player->position() >= 5; }, 3000));
    player->stop();
    EXPECT_FALSE(player->isPlaying());
    QTest::qWait(100);
    const int stoppedAt = player->position();
    QTest::qWait(400);
    EXPECT_EQ(player->position(), stoppedAt);
    EXPECT_EQ(shownFrame(), stoppedAt);
    EXPECT_LT(stoppedAt, kLastFrame);
    EXPECT_EQ(ends, 0);

    // A seek from the end of a play (the player has stopped there) shows its frame too.
    player->play();
    ASSERT_TRUE(QTest::qWaitFor([this] { return ends == 1; }, 6000));
    player->seek(10);
    EXPECT_TRUE(waitForShown(10)) << shownFrame();
}

TEST_F(QtMoviePlayerTest, WhatIsNotAMovieDoesNotOpenAndLeavesThePlayerUsable) {
    QTemporaryDir scratch;
    const QString page = scratch.filePath(QStringLiteral("page.mpg"));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<HTML><BODY>Not Found</BODY></HTML>\n");
    file.close();
    for (const QString& path :
         {page, scratch.filePath(QStringLiteral("missing.mpg")), scratch.path()}) {
        EXPECT_FALSE(player->open(path)) << path.toStdString();
        EXPECT_FALSE(player->errorString().isEmpty());
        EXPECT_FALSE(player->isOpen());
        EXPECT_EQ(player->lastFrame(), -1);
        player->play(); // nothing to play: nothing happens
        player->seek(3);
        EXPECT_FALSE(player->isPlaying());
    }
    openMovie();
    EXPECT_EQ(player->lastFrame(), kLastFrame);
    player->close();
    EXPECT_FALSE(player->isOpen());
    player->play();
    EXPECT_FALSE(player->isPlaying());
}

} // namespace
} // namespace skelvane

#include "net/satellite_download.h"

#include "app/settings.h"
#include "fixture_http_server.h"
#include "net/decode/satellite_frame_list.h"
#include "net/decode/satellite_request.h"
#include "net/download_state.h"
#include "net/satellite_movie_store.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace skelvane {
namespace {

using fixture::FixtureHttpServer;
using fixture::FixtureRule;

SatelliteRequest RequestFor(int location, int type, int color, bool animate) {
    return SatelliteRequestFor(SatelliteChoice{location, type, color, animate});
}

class SatelliteDownloadTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.listening()) << server.error(); }
    QString host() const { return QString::fromStdString(server.server()); }
    QString url(const std::string& path) const { return QString::fromStdString(server.url(path)); }
    SatelliteDownloadResult run(const SatelliteRequest& request,
                                std::vector<SatelliteFrame>* frames = nullptr) {
        SatelliteDownload download(downloads, host());
        return download.Run(request, [frames](const SatelliteFrame& frame) {
            if (frames)
                frames->push_back(frame);
        });
    }
    std::vector<std::string> paths() const {
        std::vector<std::string> asked;
        for (const auto& request : server.requests())
            asked.push_back(request.path);
        return asked;
    }

    FixtureHttpServer server{SKELVANE_DEMO_DATA};
    Settings settings;
    DownloadState downloads{settings};
};

TEST_F(SatelliteDownloadTest, EachKindAsksItsPathsAndBringsItsPicture) {
    struct Case {
        const char* name;
        SatelliteRequest request;
        std::vector<std::string> asked;
    };
    const Case cases[] = {
        {"colourised coast still", RequestFor(0, 1, 1, false), {"/GIFS/ECI5.JPG"}},
        {"Europe in water vapour: the infrared full disk",
         RequestFor(13, 2, 0, false),
         {"/FULLDISK/GMIR.JPG"}},
        {"Entire USA water vapour still", RequestFor(10, 2, 0, false), {"/GIFS/NHWV.JPG"}},
        {"Tropical Gulf without Animate: the still",
         RequestFor(8, 0, 0, false),
         {"/GIFS/GULFIR.JPG"}},
    };
    for (const Case& c : cases) {
        server.clearRequests();
        const SatelliteDownloadResult result = run(c.request);
        EXPECT_EQ(result.status, SatelliteDownloadStatus::Ok) << c.name;
        EXPECT_EQ(result.still.size(), QSize(320, 240)) << c.name;
        EXPECT_TRUE(result.body.startsWith("\xFF\xD8")) << c.name;
        EXPECT_EQ(paths(), c.asked) << c.name;
        EXPECT_EQ(result.urls, QStringList{url(c.asked.front())}) << c.name;
    }
}

TEST_F(SatelliteDownloadTest, TheCoastMovieArrivesWhole) {
    const SatelliteDownloadResult result = run(RequestFor(0, 1, 1, true));
    ASSERT_EQ(result.status, SatelliteDownloadStatus::Ok) << result.errorText.toStdString();
    EXPECT_EQ(paths(), std::vector<std::string>{"/MOVIES/ECVS.mpg"});
    QFile file(QStringLiteral(SKELVANE_DEMO_DATA "/MOVIES/ECVS.mpg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(result.body, file.readAll());
    EXPECT_TRUE(result.still.isNull());

    // Movies may be far larger than pictures: the client's picture cap does not apply.
    HttpLimits small = downloads.limits();
    small.maxBody = 1000;
    downloads.setLimits(small);
    EXPECT_EQ(run(RequestFor(0, 1, 0, true)).status, SatelliteDownloadStatus::Ok);
    EXPECT_EQ(downloads.http1().limits().maxBody, 1000u) << "the client's own cap comes back";
}

TEST_F(SatelliteDownloadTest, ListedLoopsReadTheListThenTheFirstTenFramesInOrder) {
    std::vector<SatelliteFrame> frames;
    const SatelliteDownloadResult result = run(RequestFor(8, 0, 0, true), &frames);
    ASSERT_EQ(result.status, SatelliteDownloadStatus::Ok);
    const std::vector<std::string> asked = paths();
    ASSERT_EQ(asked.size(), 11u);
    EXPECT_EQ(asked.front(), "/HURRLOOPS/gulfir/file_names.txt");
    ASSERT_EQ(frames.size(), 10u);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(frames[i].slot, static_cast<int>(i));
        EXPECT_EQ("/HURRLOOPS/gulfir/" + frames[i].name.toStdString(), asked[i + 1]);
        EXPECT_EQ(frames[i].image.size(), QSize(320, 240));
        EXPECT_TRUE(frames[i].body.startsWith("\xFF\xD8"));
    }
    // The list mixes the cases of its names; only a sort that ignores case is in time order.
    for (std::size_t i = 1; i < frames.size(); ++i)
        EXPECT_LT(frames[i - 1].name.toLower(), frames[i].name.toLower());
    EXPECT_EQ(result.framesLoaded, 10);
    EXPECT_EQ(result.urls.size(), 11);
}

TEST_F(SatelliteDownloadTest, NumberedLoopsAskOneToTenAndSkipFramesThatFail) {
    server.setRule("/HURRLOOPS/atwv/3.jpg", FixtureRule::errorPage(404));
    server.setRule("/HURRLOOPS/atwv/7.jpg", FixtureRule::htmlPage());
    std::vector<SatelliteFrame> frames;
    const SatelliteDownloadResult result = run(RequestFor(6, 2, 0, true), &frames);
    ASSERT_EQ(result.status, SatelliteDownloadStatus::Ok);
    EXPECT_EQ(paths().size(), 10u);
    EXPECT_EQ(paths().front(), "/HURRLOOPS/atwv/1.jpg");
    EXPECT_EQ(paths().back(), "/HURRLOOPS/atwv/10.jpg");
    std::vector<int> filled;
    for (const SatelliteFrame& frame : frames)
        filled.push_back(frame.slot);
    EXPECT_EQ(filled, (std::vector<int>{0, 1, 3, 4, 5, 7, 8, 9}));
    EXPECT_EQ(result.framesLoaded, 8);
}

TEST_F(SatelliteDownloadTest, FailuresHaveTheirStatusAndBringNothing) {
    const std::string list = "/HURRLOOPS/gulfvs/file_names.txt";
    struct Case {
        const char* name;
        SatelliteRequest request;
        std::string path;
        FixtureRule rule;
        SatelliteDownloadStatus status;
        bool refused;
    };
    const Case cases[] = {
        {"still as an HTML page", RequestFor(0, 0, 0, false), "/GIFS/ECIR.JPG",
         FixtureRule::htmlPage(), SatelliteDownloadStatus::Failed, false},
        {"still missing", RequestFor(0, 0, 0, false), "/GIFS/ECIR.JPG", FixtureRule::errorPage(404),
         SatelliteDownloadStatus::Failed, false},
        {"still cut short", RequestFor(0, 0, 0, false), "/GIFS/ECIR.JPG", FixtureRule::shortBody(),
         SatelliteDownloadStatus::Failed, false},
        {"still refused", RequestFor(0, 0, 0, false), "/GIFS/ECIR.JPG", FixtureRule::refuse(),
         SatelliteDownloadStatus::Failed, false},
        {"movie as an HTML page", RequestFor(1, 0, 0, true), "/MOVIES/WCIR.mpg",
         FixtureRule::htmlPage(), SatelliteDownloadStatus::Failed, false},
        {"list missing", RequestFor(8, 1, 0, true), list, FixtureRule::errorPage(404),
         SatelliteDownloadStatus::ListFailed, false},
        {"list of no plain names", RequestFor(8, 1, 0, true), list,
         FixtureRule::exactBody("../x.jpg\r\nhttp://elsewhere/a.jpg\r\n"),
         SatelliteDownloadStatus::ListFailed, false},
        {"list empty", RequestFor(8, 1, 0, true), list, FixtureRule::exactBody(""),
         SatelliteDownloadStatus::ListFailed, false},
        {"list too large", RequestFor(8, 1, 0, true), list,
         FixtureRule::exactBody(std::string(kSatelliteFrameListMaxBytes + 1, 'a')),
         SatelliteDownloadStatus::ListFailed, false},
        {"list names missing frames", RequestFor(8, 1, 0, true), list,
         FixtureRule::exactBody("gone1.jpg\ngone2.jpg\n"), SatelliteDownloadStatus::NoFrames,
         false},
    };
    for (const Case& c : cases) {
        server.clearRules();
        server.clearRequests();
        server.setRule(c.path, c.rule);
        const SatelliteDownloadResult result = run(c.request);
        EXPECT_EQ(result.status, c.status) << c.name;
        EXPECT_TRUE(result.still.isNull()) << c.name;
        EXPECT_TRUE(result.body.isEmpty()) << c.name;
        EXPECT_EQ(result.framesLoaded, 0) << c.name;
        EXPECT_FALSE(result.errorText.isEmpty()) << c.name;
        EXPECT_EQ(downloads.connectionRefused, c.refused) << c.name;
    }
}

TEST_F(SatelliteDownloadTest, ARefusedStillMovieOrListSetsTheRefusedFlagFramesDoNot) {
    const QString closed = QStringLiteral("127.0.0.1:%1").arg(fixture::ClosedLoopbackPort());
    for (const SatelliteRequest& request :
         {RequestFor(0, 0, 0, false), RequestFor(0, 0, 0, true), RequestFor(8, 0, 0, true)}) {
        SatelliteDownload download(downloads, closed);
        const SatelliteDownloadResult result = download.Run(request);
        EXPECT_EQ(result.status, SatelliteDownloadStatus::Refused) << request.code;
        EXPECT_TRUE(downloads.connectionRefused) << request.code;
    }
    // A numbered loop asks only for frames, which never test for refusal.
    SatelliteDownload download(downloads, closed);
    const SatelliteDownloadResult loop = download.Run(RequestFor(6, 0, 0, true));
    EXPECT_EQ(loop.status, SatelliteDownloadStatus::NoFrames);
    EXPECT_EQ(loop.urls.size(), 10);
    EXPECT_FALSE(downloads.connectionRefused);
}

TEST_F(SatelliteDownloadTest, StillAndListRequestsAreLoggedFramesAreNot) {
    QSignalSpy status(&downloads, &DownloadState::statusLine);
    run(RequestFor(6, 0, 0, true)); // numbered frames only
    EXPECT_EQ(status.count(), 0);
    EXPECT_TRUE(downloads.statusLogging);
    run(RequestFor(0, 0, 0, false));
    EXPECT_GT(status.count(), 0);
    EXPECT_TRUE(downloads.statusLogging);
}

TEST_F(SatelliteDownloadTest, AHostThatCannotMakeAnAddressAsksNothing) {
    for (const char* host : {"", "bad host", "http://x/", "127.0.0.1:99999"}) {
        SatelliteDownload download(downloads, QString::fromLatin1(host));
        const SatelliteDownloadResult result = download.Run(RequestFor(0, 0, 0, false));
        EXPECT_EQ(result.status, SatelliteDownloadStatus::BadHost) << host;
        EXPECT_TRUE(result.urls.isEmpty()) << host;
    }
    EXPECT_TRUE(server.requests().empty());
}

TEST(StoreSatelliteMovie, WritesReplacesItsOwnFileAndRefusesEverythingElse) {
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString folder = scratch.filePath(QStringLiteral("cache/movies"));
    StoredMovie first = StoreSatelliteMovie(folder, QStringLiteral("ECVS.mpg"), "first");
    ASSERT_TRUE(first.ok()) << first.error.toStdString();
    EXPECT_EQ(first.path, QDir(folder).absoluteFilePath(QStringLiteral("ECVS.mpg")));
    StoredMovie second = StoreSatelliteMovie(folder, QStringLiteral("ECVS.mpg"), "second");
    ASSERT_TRUE(second.ok());
    QFile file(second.path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("second"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1) << "no leftovers";

    // A user's file that a link points at is never written through the link.
    const QString users = scratch.filePath(QStringLiteral("users-own.mpg"));
    {
        QFile own(users);
        ASSERT_TRUE(own.open(QIODevice::WriteOnly));
        own.write("mine");
    }
    ASSERT_TRUE(QFile::link(users, QDir(folder).absoluteFilePath(QStringLiteral("WCIR.mpg"))));
    ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("ECIR.mpg")));
    QFile blocker(scratch.filePath(QStringLiteral("plain-file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    struct Case {
        const char* name;
        QString folder, fileName;
    };
    const Case refused[] = {
        {"a link", folder, QStringLiteral("WCIR.mpg")},
        {"a folder", folder, QStringLiteral("ECIR.mpg")},
        {"a path in the name", folder, QStringLiteral("../ECVS.mpg")},
        {"no name", folder, QString()},
        {"a folder that cannot be made", blocker.fileName() + QStringLiteral("/movies"),
         QStringLiteral("ECVS.mpg")},
        {"no folder", QString(), QStringLiteral("ECVS.mpg")},
    };
    for (const Case& c : refused) {
        const StoredMovie stored = StoreSatelliteMovie(c.folder, c.fileName, "x");
        EXPECT_FALSE(stored.ok()) << c.name;
        EXPECT_FALSE(stored.error.isEmpty()) << c.name;
    }
    QFile own(users);
    ASSERT_TRUE(own.open(QIODevice::ReadOnly));
    EXPECT_EQ(own.readAll(), QByteArray("mine"));
}

TEST(SatelliteMovieFolder, LivesInThePerUserCache) {
    // The test main points XDG_CACHE_HOME at a temporary folder.
    const QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    ASSERT_FALSE(cache.isEmpty());
    EXPECT_TRUE(SatelliteMovieFolder().startsWith(cache)) << SatelliteMovieFolder().toStdString();
    EXPECT_TRUE(SatelliteMovieFolder().endsWith(QStringLiteral("/movies")));
}

} // namespace
} // namespace skelvane

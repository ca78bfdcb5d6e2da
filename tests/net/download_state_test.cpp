#include "net/download_state.h"

#include "app/settings.h"
#include "fixture_http_server.h"
#include "net/gif_encoder.h"
#include "net/jpeg_encoder.h"

#include <QImage>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <thread>

namespace skelvane {
namespace {

using fixture::FixtureHttpServer;
using fixture::FixtureRule;

class DownloadStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.listening()) << server.error();
        QImage picture(8, 6, QImage::Format_ARGB32);
        picture.fill(QColor(255, 0, 0));
        picture.setPixel(0, 0, qRgba(0, 0, 0, 0));
        gif = GifEncoder(GifEncoder::Options{.transparency = true}).encodeStill(picture);
        jpeg = JpegEncoder(100).encode(picture);
        server.setRule("/a.gif", FixtureRule::exactBody(gif.toStdString(), "image/gif", 200));
        server.setRule("/a.jpg", FixtureRule::exactBody(jpeg.toStdString(), "image/jpeg", 200));
        server.setRule("/page.html", FixtureRule::htmlPage());
    }
    QString host() const { return QString::fromStdString(server.server()); }

    FixtureHttpServer server{SKELVANE_DEMO_DATA};
    Settings settings;
    DownloadState downloads{settings};
    QByteArray gif, jpeg;
};

TEST_F(DownloadStateTest, ImageFetchesCheckSignaturesAndLogNothing) {
    QSignalSpy status(&downloads, &DownloadState::statusLine);
    GifAnimation animation;
    ASSERT_TRUE(downloads.GetGIF(host(), QStringLiteral("/a.gif"), animation));
    ASSERT_EQ(animation.frames.size(), 1u);
    EXPECT_EQ(animation.frames.front().image.pixelColor(0, 0).alpha(), 0) << "transparent";
    QImage image;
    ASSERT_TRUE(downloads.GetJPG(QString::fromStdString(server.url("/a.jpg")), image));
    EXPECT_EQ(image.size(), QSize(8, 6));
    EXPECT_EQ(status.count(), 0) << "image fetches keep the weather memo quiet";
    EXPECT_TRUE(downloads.statusLogging) << "and turn logging back on";

    // An HTML page, or the other format, fails its signature check and changes nothing.
    EXPECT_FALSE(downloads.GetGIF(host(), QStringLiteral("/page.html"), animation));
    EXPECT_FALSE(downloads.GetGIF(host(), QStringLiteral("/a.jpg"), animation));
    EXPECT_FALSE(downloads.GetJPG(QString::fromStdString(server.url("/a.gif")), image));
    EXPECT_EQ(animation.frames.size(), 1u);
    EXPECT_EQ(image.size(), QSize(8, 6));
    EXPECT_FALSE(
        downloads.GetGIF(QStringLiteral("bad host/"), QStringLiteral("/a.gif"), animation));

    // Other requests of the same client are logged.
    downloads.http1().get(QString::fromStdString(server.url("/page.html")));
    EXPECT_GT(status.count(), 0);
}

TEST_F(DownloadStateTest, ImageFetchesFromTwoThreadsTakeTurnsOnTheOneClient) {
    // Two pages' downloads may run at once, each off the user-interface thread while it keeps
    // its events running; the one client serves them one after the other.
    FixtureRule slowGif = FixtureRule::exactBody(gif.toStdString(), "image/gif", 200);
    slowGif.delay = std::chrono::milliseconds(150);
    server.setRule("/slow.gif", slowGif);
    FixtureRule slowJpeg = FixtureRule::exactBody(jpeg.toStdString(), "image/jpeg", 200);
    slowJpeg.delay = std::chrono::milliseconds(150);
    server.setRule("/slow.jpg", slowJpeg);
    bool gifOk = false, jpegOk = false;
    GifAnimation animation;
    QByteArray body;
    QImage image;
    std::thread first(
        [&] { gifOk = downloads.GetGIF(host(), QStringLiteral("/slow.gif"), animation, &body); });
    std::thread second(
        [&] { jpegOk = downloads.GetJPG(QString::fromStdString(server.url("/slow.jpg")), image); });
    first.join();
    second.join();
    EXPECT_TRUE(gifOk);
    EXPECT_TRUE(jpegOk);
    EXPECT_EQ(body, gif) << "the GIF's bytes as they came";
    EXPECT_EQ(image.size(), QSize(8, 6));
    EXPECT_TRUE(downloads.statusLogging);
}

TEST_F(DownloadStateTest, TheFirewallNoticeComesOncePerRun) {
    QSignalSpy notice(&downloads, &DownloadState::firewallNotice);
    downloads.ShowConnectionRefused();
    downloads.ShowConnectionRefused();
    EXPECT_EQ(notice.count(), 1);
    EXPECT_TRUE(downloads.firewallNoticeShown());
}

} // namespace
} // namespace skelvane

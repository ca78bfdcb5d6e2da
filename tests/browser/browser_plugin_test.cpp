#include "app/settings.h"
#include "app/settings_store.h"
#include "infowin/browser_handoff.h"
#include "infowin/browser_loader.h"
#include "infowin/browser_view.h"
#include "infowin/weather_page.h"
#include "support/process_memory.h"
#include "support/tiny_http_server.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>
#include <gtest/gtest.h>

namespace skelvane {
namespace {

using test::ResidentKilobytes;
using test::TinyHttpServer;
using test::WebEngineMapped;

bool WaitFor(const std::function<bool()>& done, int milliseconds = 30000) {
    QDeadlineTimer deadline(milliseconds);
    while (!done() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

TEST(BrowserPlugin, LoadsOnFirstUseAndShowsALocalPage) {
    TinyHttpServer server;
    ASSERT_TRUE(server.listening());
    server.addPage(QStringLiteral("/forecast.html"),
                   "<html><head><title>Fixture forecast</title></head>"
                   "<body><h1>Sunny, 21 degrees</h1></body></html>");

    ASSERT_FALSE(WebEngineMapped()) << "nothing may map the web engine before first use";
    const long before = ResidentKilobytes();

    const BrowserPlugin plugin = LoadBrowserPlugin();
    if (!plugin.factory)
        GTEST_SKIP() << "no web engine here: " << plugin.error.toStdString();
    QWidget host;
    host.resize(640, 480);
    QString error;
    std::unique_ptr<BrowserView> view = plugin.factory->createView(&host, &error);
    ASSERT_NE(view, nullptr) << error.toStdString();
    view->widget()->resize(640, 480);
    host.show();

    QList<QUrl> completed;
    view->setNavigateCompleteHandler([&](const QUrl& url) { completed.append(url); });
    const QUrl address = server.address(QStringLiteral("/forecast.html"));
    view->navigate(address);
    ASSERT_TRUE(WaitFor([&] { return !completed.isEmpty(); })) << "no page in 30 s";
    EXPECT_EQ(completed.last(), address);
    EXPECT_EQ(view->currentAddress(), address);
    ASSERT_FALSE(server.requests().isEmpty());
    EXPECT_EQ(server.requests().first(), "GET /forecast.html HTTP/1.1");
    EXPECT_TRUE(server.requestHeaders().first().contains("Cache-Control: no-cache"));

    EXPECT_TRUE(WebEngineMapped());
    const long after = ResidentKilobytes();
    std::printf("resident size before the browser: %ld kB, after one page: %ld kB\n", before,
                after);
    RecordProperty("rss_before_kb", static_cast<int>(before));
    RecordProperty("rss_after_kb", static_cast<int>(after));
}

// The Weather page on the real browser: GO loads a page from a loopback server, each
// completed page goes to the top of the address list, and Back returns.
TEST(BrowserPlugin, WeatherPageRecordsVisitedPagesAndGoesBack) {
    TinyHttpServer server;
    ASSERT_TRUE(server.listening());
    server.addPage(QStringLiteral("/one.html"), "<html><body>first</body></html>");
    server.addPage(QStringLiteral("/two.html"), "<html><body>second</body></html>");
    QTemporaryDir storeDir;
    ASSERT_TRUE(storeDir.isValid());
    SettingsStore store(storeDir.path());
    Settings settings;
    BrowserHandOff handOff;
    WeatherPage page(settings, store, handOff);
    page.resize(700, 600);
    page.show();

    const QUrl one = server.address(QStringLiteral("/one.html"));
    const QUrl two = server.address(QStringLiteral("/two.html"));
    page.setAddressText(one.toString());
    page.BrowserGoBut->click();
    if (!page.browser())
        GTEST_SKIP() << "no web engine here: " << page.browserMessage().toStdString();
    ASSERT_TRUE(WaitFor([&] { return !page.navigationPending(); }));
    ASSERT_FALSE(page.history().empty());
    EXPECT_EQ(page.history().front(), one.toString().toStdString());

    page.setAddressText(two.toString());
    page.BrowserGoBut->click();
    ASSERT_TRUE(WaitFor([&] { return page.history().front() == two.toString().toStdString(); }));
    EXPECT_EQ(page.BrowseBox->itemText(0), two.toString());
    EXPECT_EQ(page.BrowseBox->itemText(1), one.toString());
    EXPECT_EQ(page.addressText(), two.toString());

    page.BackBut->click();
    ASSERT_TRUE(WaitFor([&] { return page.browser()->currentAddress() == one; }));
    ASSERT_TRUE(WaitFor([&] { return page.addressText() == one.toString(); }));
    EXPECT_EQ(page.BrowseBox->count(), 2) << "a known page is not listed again";
    page.ForwardBut->click();
    ASSERT_TRUE(WaitFor([&] { return page.addressText() == two.toString(); }));
    const auto before = server.requests().size();
    page.RefreshBut->click();
    ASSERT_TRUE(WaitFor([&] { return server.requests().size() > before; }))
        << "Refresh asks the server again";
}

} // namespace
} // namespace skelvane

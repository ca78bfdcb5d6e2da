// The Satellite page inside the information window: the first tick's download, the page
// command, the shared animation timer and the page's enter and exit, against a fixture server.
#include "app/animation_timer.h"
#include "app/settings.h"
#include "app/settings_store.h"
#include "clockwin/clock_window.h"
#include "fixture_http_server.h"
#include "infowin/info_form.h"
#include "infowin/satellite_page.h"
#include "startup/window_services.h"
#include "support/fake_clock.h"
#include "support/scoped_zone.h"

#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <set>

namespace skelvane {
namespace {

class SatelliteWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(server.listening()) << server.error();
        settings.ShowInfoFormAtStartup = false;
        settings.UpdateWeatherOnStartup = false;
        settings.SatelliteServer = QString::fromStdString(server.server());
        settings.WeatherServer = settings.SatelliteServer;
        settings.DefaultWeatherServer = settings.SatelliteServer;
    }
    void TearDown() override {
        info.reset();
        services.reset();
        form.reset();
    }
    void makeWindows() {
        form = std::make_unique<TForm1>(settings, store, clock, TForm1::Options{true});
        form->setProcessEnder([] {});
        form->setFirewallNoticeHandler([] {});
        services = std::make_unique<WindowServices>(*form, settings, clock);
        info = std::make_unique<TInfoForm>(services->pageServices());
        form->setInfoWindow(info.get());
        form->UpdateDisplays();
    }
    SatellitePage* page() const { return info->satellitePage(); }
    bool asked(const std::string& path) const {
        for (const auto& request : server.requests())
            if (request.path == path)
                return true;
        return false;
    }
    AnimationTimer& animation() { return services->pageServices().animation; }

    test::ScopedZone zone{"EST5EDT,M3.2.0,M11.1.0"};
    QTemporaryDir folder;
    SettingsStore store{folder.path()};
    fixture::FixtureHttpServer server{SKELVANE_DEMO_DATA};
    Settings settings;
    test::FakeClock clock{SafeEncodeDateTime(2024, 10, 25, 12, 1, 0, 0), -4};
    std::unique_ptr<TForm1> form;
    std::unique_ptr<WindowServices> services;
    std::unique_ptr<TInfoForm> info;
};

TEST_F(SatelliteWindowTest, TheFirstTickFetchesThePictureWhenTheSatellitePageWasLast) {
    settings.LastInfoFormTabIndex = kSatelliteSheet;
    settings.SatelliteLocationBoxIndex = 13;
    settings.SatelliteTypeBoxIndex = 2;
    makeWindows();
    form->Timer1Timer();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !page()->shownImage().isNull(); }, 10000));
    EXPECT_TRUE(asked("/FULLDISK/GMIR.JPG"));
    EXPECT_FALSE(info->downloadsRunning());
    EXPECT_EQ(info->InfoFormPageControl->currentIndex(), kSatelliteSheet);
}

TEST_F(SatelliteWindowTest, TheFirstTickOnAnotherPageFetchesNothing) {
    settings.LastInfoFormTabIndex = kMoonSheet;
    makeWindows();
    form->Timer1Timer();
    QTest::qWait(200);
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(SatelliteWindowTest, ThePageCommandShowsThePageAndPressesGetSatellite) {
    makeWindows();
    ASSERT_TRUE(info->ShowPage(kSatelliteSheet));
    ASSERT_TRUE(QTest::qWaitFor([this] { return asked("/GIFS/ECIR.JPG"); }, 10000));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !page()->downloading(); }, 10000));
    EXPECT_FALSE(page()->shownImage().isNull());
}

TEST_F(SatelliteWindowTest, TheLoopRunsOnTimer2OnlyWhileItsPageShows) {
    settings.SatelliteLocationBoxIndex = 6;
    settings.AnimateSatellite = true;
    settings.RepeatSatellite = true;
    makeWindows();
    info->show();
    info->InfoFormPageControl->setCurrentIndex(kSatelliteSheet);
    page()->GetSatelliteButClick();
    ASSERT_TRUE(page()->loop().loaded());
    EXPECT_TRUE(animation().isActive());

    // The window's timer steps the loop: several frames within a second or two.
    std::set<qint64> seen;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            seen.insert(page()->shownImage().cacheKey());
            return seen.size() >= 4;
        },
        5000))
        << seen.size();

    // Another page: the loop pauses and, with no other animation, the timer stops.
    info->InfoFormPageControl->setCurrentIndex(kMoonSheet);
    EXPECT_FALSE(page()->loop().running());
    EXPECT_FALSE(animation().isRunning(AnimationTimer::Animation::Satellite));
    const qint64 held = page()->shownImage().cacheKey();
    QTest::qWait(400);
    EXPECT_EQ(page()->shownImage().cacheKey(), held);

    // Back: it resumes.
    info->InfoFormPageControl->setCurrentIndex(kSatelliteSheet);
    EXPECT_TRUE(page()->loop().running());
    EXPECT_TRUE(animation().isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return page()->shownImage().cacheKey() != held; }, 3000));
}

} // namespace
} // namespace skelvane

// The Weather and Maps pages inside the information window beside the clock window: the
// page commands' added steps, the start-up rule and the hand-offs to the user's browser.
#include "app/settings.h"
#include "app/settings_store.h"
#include "clockwin/clock_window.h"
#include "infowin/info_form.h"
#include "infowin/map_location_group.h"
#include "infowin/maps_page.h"
#include "infowin/weather_page.h"
#include "startup/window_services.h"
#include "support/fake_browser_view.h"
#include "support/fake_clock.h"
#include "support/process_memory.h"
#include "support/qstring_printer.h"
#include "support/scoped_zone.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace skelvane {
namespace {

using test::FakeBrowserView;

class WebPagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        zone.emplace("EST5EDT,M3.2.0,M11.1.0");
        settings.Latitude = 40.7128;
        settings.Longitude = -74.006;
        settings.PlaceName = QStringLiteral("New York, NY");
        settings.ShowInfoFormAtStartup = false;
        settings.LastInfoFormTabIndex = 0;
        settings.SaveOnExit = false;
    }
    void TearDown() override {
        info.reset();
        form.reset();
        services.reset();
        zone.reset();
    }
    void makeWindows() {
        form = std::make_unique<TForm1>(settings, store, clock, TForm1::Options{true});
        form->setProcessEnder([] {});
        services = std::make_unique<WindowServices>(*form, settings, clock);
        info = std::make_unique<TInfoForm>(services->pageServices());
        form->setInfoWindow(info.get());
        form->setBrowserOpener(
            [this](const QString& address) { info->browserHandOff().GoBrowser(address); });
        info->browserHandOff().setOpener([this](const QUrl& url) {
            opened.append(url);
            return true;
        });
        info->weatherPage()->setBrowserSource([this](QWidget* parent, QString*) {
            auto view = std::make_unique<FakeBrowserView>(parent);
            browser = view.get();
            return std::unique_ptr<BrowserView>(std::move(view));
        });
        form->UpdateDisplays();
    }
    QStringList navigations() const {
        return browser ? browser->calls.filter(QStringLiteral("navigate ")) : QStringList();
    }

    std::optional<test::ScopedZone> zone;
    QTemporaryDir folder;
    SettingsStore store{folder.path()};
    Settings settings;
    test::FakeClock clock{SafeEncodeDateTime(2024, 12, 25, 15, 7, 42, 0)};
    std::unique_ptr<TForm1> form;
    std::unique_ptr<WindowServices> services;
    std::unique_ptr<TInfoForm> info;
    QList<QUrl> opened;
    FakeBrowserView* browser = nullptr;
};

TEST_F(WebPagesTest, TheWeatherCommandGetsTheForecastUnlessItClosesTheWindow) {
    settings.CityStateZipEdText = QStringLiteral("02134");
    makeWindows();
    EXPECT_EQ(info->weatherPage()->objectName(), QStringLiteral("WeatherSheet"));
    form->actions().ShowWeatherSheetAction1->trigger();
    EXPECT_TRUE(info->isVisible());
    ASSERT_EQ(navigations().size(), 1);
    EXPECT_TRUE(navigations()[0].endsWith(QStringLiteral("inputstring=02134")));
    // In front already: the window closes and nothing is fetched.
    form->actions().ShowWeatherSheetAction1->trigger();
    EXPECT_FALSE(info->isVisible());
    EXPECT_EQ(navigations().size(), 1);
}

TEST_F(WebPagesTest, GoToMapsOpensTheMapWithAutoOpenAlsoWhenItClosesTheWindow) {
    settings.MapSiteIndex = 1; // Google Maps
    makeWindows();
    EXPECT_EQ(info->mapsPage()->objectName(), QStringLiteral("TabSheet1"));
    EXPECT_EQ(info->mapLocationGroup()->parentWidget(), info->mapsPage());
    form->actions().ShowMapSheetAction1->trigger();
    EXPECT_TRUE(info->isVisible());
    EXPECT_TRUE(opened.isEmpty()) << "Auto Open is off";

    info->mapsPage()->AutoOpenMapBox->click();
    EXPECT_TRUE(settings.AutoOpenMap);
    form->actions().ShowMapSheetAction1->trigger(); // closes the window
    EXPECT_FALSE(info->isVisible());
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].host(), QStringLiteral("maps.google.com"));
    // "Go To Maps" of the Set page only shows the page.
    info->ShowPage(kSetSheet);
    info->findChild<QPushButton*>(QStringLiteral("GoToMapsBut"))->click();
    EXPECT_EQ(info->pageIndex(), kMapSheet);
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(WebPagesTest, EveryGetMapButtonAndTheThumbnailsOpenMaps) {
    settings.MapSiteIndex = 16; // TopoZone, code 17
    makeWindows();
    for (const char* name : {"GetMapBut1", "GetMapBut", "MoonGetMapBut"}) {
        auto* button = info->findChild<QPushButton*>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
        ASSERT_FALSE(opened.isEmpty()) << name;
        EXPECT_EQ(opened.last().path(), QStringLiteral("/map.asp")) << name;
    }
    info->findChild<QToolButton*>(QStringLiteral("StreetMapThumb"))->click();
    EXPECT_EQ(opened.last().path(), QStringLiteral("/maps/map.adp")); // code 0
    info->findChild<QToolButton*>(QStringLiteral("TopoMapThumb"))->click();
    EXPECT_EQ(opened.last().path(), QStringLiteral("/map.asp")); // code 17
    // The clock window's "&Google" goes the same way.
    form->actions().GoToGoogle->trigger();
    EXPECT_EQ(opened.last(), QUrl(QStringLiteral("http://www.google.com/")));
}

TEST_F(WebPagesTest, StartingOnTheWeatherPageOpensTheSavedAddressOrTheForecast) {
    const struct {
        const char* saved;
        const char* opened;
    } cases[] = {
        {"http://127.0.0.1:8080/saved.html", "navigate http://127.0.0.1:8080/saved.html"},
        {"", "inputstring=10001"},
    };
    for (const auto& row : cases) {
        settings.LastInfoFormTabIndex = kWeatherSheet;
        settings.ShowInfoFormAtStartup = true;
        settings.SaveURL = QString::fromLatin1(row.saved);
        settings.CityStateZipEdText = QStringLiteral("10001");
        makeWindows();
        form->Timer1Timer(); // the first tick runs the start tasks
        ASSERT_EQ(navigations().size(), 1) << row.saved;
        EXPECT_TRUE(navigations()[0].endsWith(QLatin1String(row.opened)))
            << navigations()[0].toStdString();
        EXPECT_EQ(info->pageIndex(), kWeatherSheet);
        TearDown();
        browser = nullptr;
        zone.emplace("EST5EDT,M3.2.0,M11.1.0");
    }
}

TEST_F(WebPagesTest, OtherStartPagesLoadNoBrowser) {
    for (int page : {0, 3, 11}) {
        settings.LastInfoFormTabIndex = page;
        settings.ShowInfoFormAtStartup = true;
        makeWindows();
        form->Timer1Timer();
        EXPECT_EQ(browser, nullptr) << page;
        TearDown();
        zone.emplace("EST5EDT,M3.2.0,M11.1.0");
    }
}

// The real browser source: showing the Weather page, building its address and handing
// addresses to the user's browser maps no web engine; only a navigation would.
TEST_F(WebPagesTest, ShowingTheWeatherPageMapsNoWebEngine) {
    form = std::make_unique<TForm1>(settings, store, clock, TForm1::Options{true});
    form->setProcessEnder([] {});
    services = std::make_unique<WindowServices>(*form, settings, clock);
    info = std::make_unique<TInfoForm>(services->pageServices());
    form->setInfoWindow(info.get());
    info->browserHandOff().setOpener([](const QUrl&) { return true; });
    info->show();
    info->InfoFormPageControl->setCurrentIndex(kWeatherSheet);
    info->weatherPage()->SetURL();
    info->weatherPage()->GoBrowserButClick();
    QApplication::processEvents();
    EXPECT_FALSE(info->weatherPage()->addressText().isEmpty());
    EXPECT_EQ(info->weatherPage()->browser(), nullptr);
    EXPECT_FALSE(test::WebEngineMapped());
}

} // namespace
} // namespace skelvane

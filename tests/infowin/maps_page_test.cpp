#include "infowin/maps_page.h"

#include "app/settings.h"
#include "astro/eclipses.h"
#include "infowin/map_location_group.h"
#include "infowin/moon_page.h"
#include "infowin/planet_page.h"
#include "net/decode/map_address.h"
#include "support/qstring_printer.h"
#include "widgets/moon_icons.h"

#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace skelvane {
namespace {

class MapsPageTest : public ::testing::Test {
protected:
    MapsPageTest() {
        settings.Latitude = 40.7128;
        settings.Longitude = -73.99;
        settings.PlaceName = QStringLiteral("New York, NY");
        page = std::make_unique<MapsPage>(settings);
        page->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        QObject::connect(page.get(), &MapsPage::webAddressRequested, page.get(),
                         [this](const QString& address) { addresses.append(address); });
    }

    Settings settings;
    std::unique_ptr<MapsPage> page;
    QStringList addresses;
};

TEST_F(MapsPageTest, TwentyFourSitesSelectedAndAutoOpenFromTheSettings) {
    for (int site = 0; site < kMapSiteCount; ++site) {
        ASSERT_NE(page->siteButton(site), nullptr);
        EXPECT_EQ(page->siteButton(site)->text(),
                  QString::fromUtf8(
                      MapSites()[static_cast<std::size_t>(site)].caption.data(),
                      static_cast<int>(MapSites()[static_cast<std::size_t>(site)].caption.size())));
    }
    EXPECT_EQ(page->selectedSite(), 0);
    EXPECT_EQ(page->objectName(), QStringLiteral("TabSheet1"));
    EXPECT_EQ(page->locationGroup()->lineText(0), QStringLiteral("New York, NY"));

    settings.MapSiteIndex = 18;
    settings.AutoOpenMap = true;
    MapsPage stored(settings);
    EXPECT_EQ(stored.selectedSite(), 18);
    EXPECT_TRUE(stored.AutoOpenMapBox->isChecked());
    settings.MapSiteIndex = 40; // edited by hand: nothing selected, Get Map opens code 0
    MapsPage outOfRange(settings);
    EXPECT_EQ(outOfRange.selectedSite(), -1);
}

TEST_F(MapsPageTest, GetMapStoresTheChoicesAndOpensTheSitesMap) {
    const struct {
        int site;
        const char* start; // the address begins so
        const char* part;  // and holds this
    } cases[] = {
        {1, "http://maps.google.com/maps?ll=40.712800,-73.990000", "&spn=0.015,0.030"},
        {9, "http://", "mapresults.htm? &zoom=3&cntLongitude=-73.990000"},
        {16, "http://", "lat=40.7128&lon=-73.9900&size=large"}, // TopoZone, code 17
        {18, "http://", "themeId=113&size=l&ext=-74.02600,"},   // Nat Geo, code 20
        {12, "http://maps.google.com/", "&t=k"},
    };
    for (const auto& row : cases) {
        addresses.clear();
        page->siteButton(row.site)->click();
        EXPECT_EQ(settings.MapSiteIndex, row.site);
        page->AutoOpenMapBox->setChecked(row.site % 2 == 0);
        page->GetMapBut1->click();
        EXPECT_EQ(settings.AutoOpenMap, row.site % 2 == 0);
        ASSERT_EQ(addresses.size(), 1);
        EXPECT_TRUE(addresses[0].startsWith(QLatin1String(row.start)))
            << addresses[0].toStdString();
        EXPECT_TRUE(addresses[0].contains(QLatin1String(row.part))) << addresses[0].toStdString();
    }
}

TEST_F(MapsPageTest, NumbersUseTheLocalesDecimalSeparator) {
    page->setLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(page->MapAddressFor(1).contains(QStringLiteral("ll=40,712800,-73,990000")))
        << page->MapAddressFor(1).toStdString();
}

TEST_F(MapsPageTest, MapQuestTakesTheSetPageEditsAsTheyStand) {
    page->setCoordinateEditsSource(
        [] { return CoordinateEditTexts{"33", "51", "2", true, "151", "12", "30", false}; });
    const QString address = page->MapAddressFor(0);
    EXPECT_TRUE(address.contains(QStringLiteral(
        "latdeg=-33&latmin=51&latsec=2&longdeg=151&longmin=12&longsec=30&zoom=6&size=big")))
        << address.toStdString();
    EXPECT_EQ(page->MapAddressFor(31), address); // codes of 25 and more open MapQuest too

    // A newly picked place moves every other map.
    MapLocation sydney;
    sydney.latitude = -33.8506;
    sydney.longitude = 151.2083;
    sydney.placeName = QStringLiteral("Sydney, Australia");
    page->showLocation(sydney);
    EXPECT_TRUE(page->MapAddressFor(1).contains(QStringLiteral("ll=-33.850600,151.208300")));
    EXPECT_EQ(page->locationGroup()->lineText(0), QStringLiteral("Sydney, Australia"));
}

TEST_F(MapsPageTest, SetAsksForTheSetPage) {
    QSignalSpy set(page.get(), &MapsPage::setPageRequested);
    page->findChild<QPushButton*>(QStringLiteral("MapSetBut"))->click();
    EXPECT_EQ(set.count(), 1);
}

TEST(PageLinks, MoonPageButtonsAndThumbnails) {
    Settings settings;
    MoonIconLists icons;
    MoonPage page(settings, icons);
    QStringList addresses;
    QList<int> codes;
    int getMap = 0;
    QObject::connect(&page, &MoonPage::webAddressRequested, &page,
                     [&](const QString& address) { addresses.append(address); });
    QObject::connect(&page, &MoonPage::mapRequested, &page, [&](int code) { codes.append(code); });
    QObject::connect(&page, &MoonPage::getMapRequested, &page, [&] { ++getMap; });
    const struct {
        const char* name;
        const char* caption;
        const char* hint;
        const char* path;
    } buttons[] = {
        {"ViewMoonBut1", "View 1", "Get Moon Image 1", "/idltemp/current_moon.php"},
        {"ViewMoonBut2", "View 2", "Get Moon Image 2", "/moon"},
        {"UsnoBut", "USNO Data", "", "/data/"},
    };
    for (const auto& row : buttons) {
        auto* button = page.findChild<QPushButton*>(QLatin1String(row.name));
        ASSERT_NE(button, nullptr) << row.name;
        EXPECT_EQ(button->text(), QLatin1String(row.caption));
        EXPECT_EQ(button->toolTip(), QLatin1String(row.hint));
        button->click();
        ASSERT_FALSE(addresses.isEmpty());
        EXPECT_EQ(QUrl(addresses.last()).path(), QLatin1String(row.path)) << row.name;
    }
    page.findChild<QToolButton*>(QStringLiteral("StreetMapThumb"))->click();
    page.findChild<QToolButton*>(QStringLiteral("TopoMapThumb"))->click();
    EXPECT_EQ(codes, (QList<int>{0, 17}));
    page.findChild<QPushButton*>(QStringLiteral("MoonGetMapBut"))->click();
    EXPECT_EQ(getMap, 1);
}

TEST(PageLinks, PlanetPageLinksShowTheirAddressesAsHints) {
    Settings settings;
    settings.ZipCode = QStringLiteral("02134");
    TStEclipses eclipses;
    PlanetPage page(settings, eclipses);
    QStringList addresses;
    QObject::connect(&page, &PlanetPage::webAddressRequested, &page,
                     [&](const QString& address) { addresses.append(address); });
    page.findChild<QPushButton*>(QStringLiteral("ViewSkyBut"))->click();
    ASSERT_EQ(addresses.size(), 1);
    EXPECT_TRUE(addresses[0].endsWith(QStringLiteral("/sky/SkyRedirect.asp?&zipcode=02134")))
        << addresses[0].toStdString();
    EXPECT_EQ(page.findChild<QPushButton*>(QStringLiteral("ViewSkyBut"))->toolTip(),
              QStringLiteral("Get View of Sky"));
    page.show();
    for (const char* name : {"SkyMapLab", "USNOLab"}) {
        auto* link = page.findChild<QLabel*>(QLatin1String(name));
        ASSERT_NE(link, nullptr) << name;
        QTest::mouseClick(link, Qt::LeftButton);
        EXPECT_EQ(link->toolTip(), addresses.last()) << name;
    }
    EXPECT_TRUE(addresses[1].endsWith(QStringLiteral("/downloads.html")));
    EXPECT_TRUE(addresses[2].endsWith(QStringLiteral("/data/")));
}

} // namespace
} // namespace skelvane

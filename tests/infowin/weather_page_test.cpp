#include "infowin/weather_page.h"

#include "app/settings.h"
#include "app/settings_store.h"
#include "infowin/browser_handoff.h"
#include "infowin/location_page.h"
#include "net/decode/forecast_address.h"
#include "support/fake_browser_view.h"
#include "support/qstring_printer.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace skelvane {
namespace {

using test::FakeBrowserView;

const char* const kShippedFolder = SKELVANE_TEST_DATA "/../../data";

class WeatherPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(storeDir.isValid());
        store = std::make_unique<SettingsStore>(storeDir.path());
        store->ReadIniFile(settings);
        settings.SaveLocation.PlaceName = QStringLiteral("Boston, MA");
        handOff.setOpener([this](const QUrl& url) {
            opened.append(url);
            return true;
        });
        page = std::make_unique<WeatherPage>(settings, *store, handOff);
        page->setBrowserSource([this](QWidget* parent, QString* error) {
            ++browsersMade;
            if (!browserError.isEmpty()) {
                *error = browserError;
                return std::unique_ptr<BrowserView>();
            }
            auto view = std::make_unique<FakeBrowserView>(parent);
            browser = view.get();
            return std::unique_ptr<BrowserView>(std::move(view));
        });
    }

    // A location page over the shipped place list, its forecast cities those of `state`.
    void withPlaceList(int stateIndex) {
        ASSERT_TRUE(QFile::exists(QStringLiteral("%1/sitename.dat").arg(kShippedFolder)));
        settings.StateBoxItemIndex = stateIndex;
        location = std::make_unique<LocationPage>(settings, *store);
        location->setPlaceListFolders({kShippedFolder});
        page->setLocationPage(location.get());
        location->FormShow();
    }

    QTemporaryDir storeDir;
    std::unique_ptr<SettingsStore> store;
    Settings settings;
    BrowserHandOff handOff;
    QList<QUrl> opened;
    std::unique_ptr<LocationPage> location;
    std::unique_ptr<WeatherPage> page;
    FakeBrowserView* browser = nullptr;
    int browsersMade = 0;
    QString browserError;
};

TEST_F(WeatherPageTest, ListsAndLocationFieldShowOnlyForTheirSources) {
    page->show();
    for (int source = 0; source < kForecastSourceCount; ++source) {
        page->WeatherSourceBox->setCurrentIndex(source);
        page->WeatherSourceBoxSelect();
        SCOPED_TRACE(source);
        EXPECT_EQ(settings.WeatherSourceBoxItemIndex, source);
        EXPECT_EQ(page->StateBox2->isVisible(), source == 2);
        EXPECT_EQ(page->CityBox->isVisible(), source == 2);
        EXPECT_EQ(page->CityStateZipEd->isVisible(), source != 2 && source != 3);
        EXPECT_EQ(page->CityStateZipLabel->isVisible(), source != 2 && source != 3);
    }
    EXPECT_EQ(page->WeatherSourceBox->count(), kForecastSourceCount);
    EXPECT_EQ(page->CityStateZipLabel->text(), QStringLiteral("Enter \"City, ST\"  or  Zip Code:"));
}

TEST_F(WeatherPageTest, ShowingTakesTheStoredChoicesAndTheFieldOrThePlaceName) {
    struct Row {
        const char* stored;
        const char* shown;
    };
    for (const Row row : {Row{"", "Boston, MA"}, Row{"02134", "02134"}}) {
        settings.CityStateZipEdText = QString::fromLatin1(row.stored);
        settings.WeatherSourceBoxItemIndex = 3;
        settings.CityBoxItemIndex = 5;
        page->FormShow();
        EXPECT_EQ(page->CityStateZipEd->text(), QString::fromLatin1(row.shown));
        EXPECT_EQ(page->WeatherSourceBox->currentIndex(), 3);
        // No place list: the one default city, selected.
        ASSERT_EQ(page->CityBox->count(), 1);
        EXPECT_EQ(page->CityBox->currentText(), QStringLiteral("New York (Manhattan)"));
        EXPECT_TRUE(page->CityStateZipEd->isHidden()); // the station's report needs no place
    }
    settings.WeatherSourceBoxItemIndex = 99; // edited by hand
    page->FormShow();
    EXPECT_EQ(page->WeatherSourceBox->currentIndex(), 0);
}

TEST_F(WeatherPageTest, TheAddressFollowsTheFieldAndAFailedBuildKeepsTheBox) {
    page->FormShow();
    page->CityStateZipEd->setText(QStringLiteral("02134"));
    page->SetURL();
    EXPECT_TRUE(page->addressText().endsWith(QStringLiteral("/zipcity.php?inputstring=02134")))
        << page->addressText().toStdString();
    page->CityStateZipEd->setText(QStringLiteral("New York, NY"));
    page->SetURL();
    EXPECT_TRUE(page->addressText().endsWith(QStringLiteral("inputstring=new york,%20 NY")))
        << page->addressText().toStdString();

    // The zone forecast without a forecast city list cannot be built.
    page->WeatherSourceBox->setCurrentIndex(2);
    page->setAddressText(QStringLiteral("http://kept.example/"));
    page->WeatherSourceBoxSelect();
    EXPECT_EQ(page->addressText(), QStringLiteral("http://kept.example/"));
}

TEST_F(WeatherPageTest, CitiesOfTheChosenStateGiveTheirZoneForecast) {
    withPlaceList(22); // Massachusetts
    page->FormShow();
    ASSERT_GT(page->CityBox->count(), 1);
    EXPECT_EQ(page->StateBox2->currentText(), QStringLiteral("Massachusetts"));
    page->WeatherSourceBox->setCurrentIndex(2);
    page->WeatherSourceBoxSelect();
    EXPECT_TRUE(page->addressText().contains(QStringLiteral("/forecasts/zone/ma/maz")))
        << page->addressText().toStdString();
    EXPECT_TRUE(page->addressText().endsWith(QStringLiteral(".txt")));

    page->CityBox->setCurrentIndex(page->CityBox->count() - 1);
    page->CityBoxSelect();
    EXPECT_EQ(settings.CityBoxItemIndex, page->CityBox->count() - 1);

    // Another state refills the cities and selects the first.
    const int newYork = page->StateBox2->findText(QStringLiteral("New York"));
    ASSERT_GE(newYork, 0);
    page->StateBox2->setCurrentIndex(newYork);
    location->StateBox2Select(newYork);
    EXPECT_EQ(page->CityBox->currentIndex(), 0);
    EXPECT_TRUE(page->addressText().contains(QStringLiteral("/forecasts/zone/ny/nyz")))
        << page->addressText().toStdString();
}

TEST_F(WeatherPageTest, TheBrowserIsMadeOnlyWhenThePageNavigates) {
    page->FormShow();
    page->show();
    page->SetURL();
    page->BackButClick();
    page->ForwardButClick();
    page->RefreshButClick();
    EXPECT_EQ(browsersMade, 0);
    EXPECT_EQ(page->browser(), nullptr);

    page->CityStateZipEd->setText(QStringLiteral("02134"));
    page->GetForecast();
    EXPECT_EQ(browsersMade, 1);
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(settings.CityStateZipEdText, QStringLiteral("02134"));
    ASSERT_EQ(browser->calls.size(), 1);
    EXPECT_TRUE(browser->calls[0].startsWith(QStringLiteral("navigate http://")));
    EXPECT_TRUE(browser->calls[0].endsWith(QStringLiteral("inputstring=02134")));
    EXPECT_TRUE(page->isEnabled());
    EXPECT_TRUE(page->navigationPending());

    page->BackButClick();
    page->ForwardButClick();
    page->RefreshButClick();
    EXPECT_EQ(browser->calls.mid(1), (QStringList{"back", "forward", "reload"}));
    page->GetForecast();
    EXPECT_EQ(browsersMade, 1);
}

TEST_F(WeatherPageTest, GoNavigatesTheBoxTextAndNothingWhenEmpty) {
    page->setAddressText(QString());
    page->BrowserGoButClick();
    EXPECT_EQ(browsersMade, 0);
    page->setAddressText(QStringLiteral("http://127.0.0.1:9/a page.html"));
    QTest::keyClick(page->BrowseBox->lineEdit(), Qt::Key_Return);
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->calls, (QStringList{"navigate http://127.0.0.1:9/a page.html"}));
    EXPECT_EQ(page->BrowseBox->count(), 0) << "Enter adds nothing before the page arrives";
}

TEST_F(WeatherPageTest, VisitedAddressesGoOnTopOnceIgnoringCase) {
    page->WebBrowser1NavigateComplete2(QUrl(QStringLiteral("http://a.example/One")));
    page->WebBrowser1NavigateComplete2(QUrl(QStringLiteral("http://b.example/two")));
    page->WebBrowser1NavigateComplete2(QUrl(QStringLiteral("http://A.EXAMPLE/one")));
    page->WebBrowser1NavigateComplete2(QUrl());
    QStringList items;
    for (int i = 0; i < page->BrowseBox->count(); ++i)
        items << page->BrowseBox->itemText(i);
    // QUrl writes the host in lower case; the path keeps its case and is compared blind.
    EXPECT_EQ(items, (QStringList{"http://b.example/two", "http://a.example/One"}));
    EXPECT_EQ(page->addressText(), QStringLiteral("http://a.example/one"));
    EXPECT_EQ(page->history().size(), 2u);
}

TEST_F(WeatherPageTest, ChoosingAListEntryGetsTheForecast) {
    page->FormShow();
    page->CityStateZipEd->setText(QStringLiteral("10001"));
    page->WebBrowser1NavigateComplete2(QUrl(QStringLiteral("http://old.example/")));
    emit page->BrowseBox->activated(0);
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->calls.last().endsWith(QStringLiteral("inputstring=10001")));
}

TEST_F(WeatherPageTest, SaveAddressWritesTheStoreAtOnce) {
    page->setAddressText(QStringLiteral("http://127.0.0.1:8080/saved.html"));
    page->SaveAddressButClick();
    EXPECT_EQ(settings.SaveURL, QStringLiteral("http://127.0.0.1:8080/saved.html"));
    QSettings file(store->activePath(), QSettings::IniFormat);
    EXPECT_EQ(file.value(QStringLiteral("Settings/SaveURL")).toString(),
              QStringLiteral("http://127.0.0.1:8080/saved.html"));
}

TEST_F(WeatherPageTest, StartOpensTheSavedAddressOrGetsTheForecast) {
    settings.SaveURL = QStringLiteral("http://127.0.0.1:8080/start.html");
    page->FormShow();
    page->OpenStartAddress();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->calls, (QStringList{"navigate http://127.0.0.1:8080/start.html"}));

    settings.SaveURL.clear();
    page->CityStateZipEd->setText(QStringLiteral("02134"));
    page->OpenStartAddress();
    EXPECT_TRUE(browser->calls.last().endsWith(QStringLiteral("inputstring=02134")));
}

TEST_F(WeatherPageTest, WithoutABrowserThePageSaysSoAndOpenBrowserStillWorks) {
    browserError = QStringLiteral("The built-in browser is not installed.");
    page->setAddressText(QStringLiteral("http://127.0.0.1:8080/x.html"));
    page->BrowserGoButClick();
    page->BrowserGoButClick();
    EXPECT_EQ(browsersMade, 1) << "a missing browser is looked for once";
    const QString message = page->browserMessage();
    EXPECT_TRUE(message.startsWith(browserError)) << message.toStdString();
    EXPECT_FALSE(message.contains(QLatin1Char('\n')));
    EXPECT_TRUE(page->isEnabled());
    page->BackButClick(); // nothing to go back with, nothing happens

    page->GoBrowserButClick();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("http://127.0.0.1:8080/x.html")));
}

} // namespace
} // namespace skelvane

#include "infowin/location_page.h"

#include "app/settings.h"
#include "app/settings_store.h"
#include "infowin/location_page_texts.h"
#include "location/place_list_file.h"
#include "support/qstring_printer.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <optional>

namespace skelvane {
namespace {

const char* const kShippedFolder = SKELVANE_TEST_DATA "/../../data";

// The saved place the tests start from: Boston, with the coordinates of its list line.
void SaveBoston(Settings& settings) {
    settings.Latitude = 42 + 21 / 60.0 + 27 / 3600.0;
    settings.Longitude = -(71 + 4 / 60.0 + 6 / 3600.0);
    settings.SaveLocation = {QStringLiteral("Boston, MA"), QStringLiteral("Boston"),
                             QStringLiteral("MA"),         QStringLiteral("United States"),
                             QStringLiteral("02108"),      20};
    settings.PlaceName = settings.SaveLocation.PlaceName;
    settings.WeatherStationCode = settings.LoadedWeatherStationCode = QStringLiteral("KBOS");
    settings.WeatherStationName = settings.LoadedWeatherStationName = QStringLiteral("Boston, MA");
    settings.StateBoxItemIndex = 22; // Massachusetts
    settings.CountryBoxItemIndex = 0;
}

class LocationPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(storeDir.isValid());
        ASSERT_TRUE(QFile::exists(QStringLiteral("%1/sitename.dat").arg(kShippedFolder)));
        store = std::make_unique<SettingsStore>(storeDir.path());
        store->ReadIniFile(settings); // a first run: built-in values, saves go to Skelvane.conf
        settings.SaveOnExit = false;
        SaveBoston(settings);
        makePage({kShippedFolder});
    }

    void makePage(std::vector<std::string> folders) {
        page = std::make_unique<LocationPage>(settings, *store);
        page->setPlaceListFolders(std::move(folders));
        QObject::connect(page.get(), &LocationPage::messageRequested,
                         [this](const QString& text) { messages.push_back(text); });
        QObject::connect(page.get(), &LocationPage::locationSaved, [this] { ++saves; });
        QObject::connect(page.get(), &LocationPage::closeRequested, [this] { ++closes; });
    }

    template <class T> T* child(const char* name) const {
        T* widget = page->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString text(const char* edit) const { return child<QLineEdit>(edit)->text(); }
    void setText(const char* edit, const QString& value) const {
        child<QLineEdit>(edit)->setText(value);
    }
    QString label(const char* name) const { return child<QLabel>(name)->text(); }
    void click(const char* button) const { child<QPushButton>(button)->click(); }

    // As the user does it: the box's selection, then its activated signal.
    void choose(const char* box, const QString& entry) const {
        auto* combo = child<QComboBox>(box);
        const int index = combo->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    QStringList listEntries() const {
        QStringList entries;
        auto* list = child<QListWidget>("PlaceListBox");
        for (int row = 0; row < list->count(); ++row)
            entries << list->item(row)->text();
        return entries;
    }
    // A pick by the keyboard moves the current row; a repeated pick is a click.
    void pick(const QString& entry) const {
        auto* list = child<QListWidget>("PlaceListBox");
        const auto items = list->findItems(entry, Qt::MatchExactly);
        ASSERT_FALSE(items.empty()) << entry.toStdString();
        if (list->currentItem() == items.front())
            emit list->itemClicked(items.front());
        else
            list->setCurrentItem(items.front());
    }
    void findZip(const QString& zip) const {
        setText("ZipEd", zip);
        click("FindZipBut");
    }

    static constexpr std::array kEdits{
        "ZipEd",           "PlaceNameEd",           "LatDegreesLabel",      "LatMinutesLabel",
        "LatSecondsLabel", "LonDegreesLabel",       "LonMinutesLabel",      "LonSecondsLabel",
        "AltitudeEd",      "WeatherStationNameEd2", "WeatherStationCodeEd2"};
    QStringList editTexts() const {
        QStringList texts;
        for (const char* edit : kEdits)
            texts << text(edit);
        for (const char* box :
             {"NorthSouthComboBox", "EastWestComboBox", "FeetMeterBox", "CountryBox", "StateBox1"})
            texts << child<QComboBox>(box)->currentText();
        return texts;
    }

    Settings readBack() const {
        Settings stored;
        SettingsStore(storeDir.path()).ReadIniFile(stored);
        return stored;
    }

    QTemporaryDir storeDir;
    std::unique_ptr<SettingsStore> store;
    Settings settings;
    std::unique_ptr<LocationPage> page;
    QStringList messages;
    int saves = 0;
    int closes = 0;
};

TEST_F(LocationPageTest, ShowingFillsTheControlsFromTheSavedPlace) {
    page->FormShow();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(page->placeListLoaded());
    EXPECT_EQ(editTexts(), (QStringList{"02108", "Boston, MA", "42", "21", "27", "71", "4", "6",
                                        "20", "Boston, MA", "KBOS", "North", "West", "Feet",
                                        "United States", "Massachusetts"}));
    EXPECT_TRUE(listEntries().contains(QStringLiteral("Boston")));
    // StateBox2 follows the same saved state: the forecast cities of Massachusetts.
    EXPECT_FALSE(page->forecastCities().empty());
}

TEST_F(LocationPageTest, StateListsNameEachCityOnce) {
    page->FormShow();
    choose("CountryBox", QStringLiteral("United States"));
    for (const char* state : {"New York", "California", "Puerto Rico", "Wyoming"}) {
        SCOPED_TRACE(state);
        choose("StateBox1", QLatin1String(state));
        const QStringList entries = listEntries();
        ASSERT_FALSE(entries.empty());
        QSet<QString> seen;
        for (const QString& entry : entries)
            seen.insert(entry.toUpper());
        EXPECT_EQ(seen.size(), entries.size());
    }
    choose("StateBox1", QStringLiteral("New York"));
    EXPECT_EQ(listEntries().count(QStringLiteral("New York")), 1);
    EXPECT_TRUE(child<QComboBox>("StateBox1")->isVisibleTo(page.get()));

    choose("CountryBox", QStringLiteral("France"));
    EXPECT_FALSE(child<QComboBox>("StateBox1")->isVisibleTo(page.get()));
    EXPECT_TRUE(listEntries().contains(QStringLiteral("Paris")));
}

struct ZipCase {
    const char* typed;
    // Expected edits: postal code, place, latitude d m s, longitude d m s, station.
    std::optional<std::array<const char*, 9>> found;
};

TEST_F(LocationPageTest, PostalCodeFindsTheCityWithItsStationAndCoordinates) {
    const ZipCase cases[] = {
        {"10001", {{"10001", "New York, NY", "40", "44", "54", "73", "59", "48", "KNYC"}}},
        // Ketchikan's second code: the city's first line, with its own code, is the one picked.
        {" 99950 ", {{"99901", "Ketchikan, AK", "55", "22", "19", "131", "41", "0", "PAMM"}}},
        {"00501", {{"00501", "Holtsville, NY", "40", "48", "55", "73", "2", "42", "KISP"}}},
        {"1001", std::nullopt}, // four digits never match a code written with its zero
        {"501", std::nullopt},
        {"99999", std::nullopt},
        {"NY", std::nullopt},
        {"", std::nullopt},
    };
    for (const ZipCase& c : cases) {
        SCOPED_TRACE(c.typed);
        page->FormShow();
        const QStringList before = editTexts();
        findZip(QLatin1String(c.typed));
        if (!c.found) {
            QStringList after = editTexts();
            after[0] = before[0]; // the typed code itself
            EXPECT_EQ(after, before);
            continue;
        }
        const auto& want = *c.found;
        EXPECT_EQ(text("ZipEd"), QLatin1String(want[0]));
        EXPECT_EQ(text("PlaceNameEd"), QLatin1String(want[1]));
        EXPECT_EQ(text("LatDegreesLabel"), QLatin1String(want[2]));
        EXPECT_EQ(text("LatMinutesLabel"), QLatin1String(want[3]));
        EXPECT_EQ(text("LatSecondsLabel"), QLatin1String(want[4]));
        EXPECT_EQ(text("LonDegreesLabel"), QLatin1String(want[5]));
        EXPECT_EQ(text("LonMinutesLabel"), QLatin1String(want[6]));
        EXPECT_EQ(text("LonSecondsLabel"), QLatin1String(want[7]));
        EXPECT_EQ(text("WeatherStationCodeEd2"), QLatin1String(want[8]));
        EXPECT_EQ(text("WeatherStationNameEd2"), QLatin1String(want[1]));
        EXPECT_EQ(child<QComboBox>("NorthSouthComboBox")->currentText(), "North");
        EXPECT_EQ(child<QComboBox>("EastWestComboBox")->currentText(), "West");
        EXPECT_EQ(child<QComboBox>("CountryBox")->currentIndex(), 0);
        EXPECT_EQ(child<QListWidget>("PlaceListBox")->currentItem()->text(),
                  text("PlaceNameEd").section(',', 0, 0));
    }
    // US places have no elevation of their own: their station's is taken when it has one.
    findZip(QStringLiteral("10001")); // Central Park: none
    EXPECT_EQ(text("AltitudeEd"), "");
    findZip(QStringLiteral("02108")); // Logan airport: 6 m
    EXPECT_EQ(text("AltitudeEd"), "20");
    // Nothing was saved by searching.
    EXPECT_EQ(settings.SaveLocation.PlaceName, "Boston, MA");
    EXPECT_EQ(saves, 0);
}

TEST_F(LocationPageTest, PickingAPlaceWithoutStationTakesTheNearestMetarStation) {
    page->FormShow();
    choose("CountryBox", QStringLiteral("France"));
    pick(QStringLiteral("Paris"));
    EXPECT_EQ(text("PlaceNameEd"), "Paris, France");
    EXPECT_EQ(text("ZipEd"), "");
    EXPECT_EQ(child<QComboBox>("EastWestComboBox")->currentText(), "East");
    EXPECT_EQ(text("WeatherStationCodeEd2"), "LFPO");
    EXPECT_EQ(text("WeatherStationNameEd2"), "Paris-Orly Airport France");
    // The place has no elevation of its own: the station's 89 m give the altitude.
    EXPECT_EQ(text("AltitudeEd"), "292");
    EXPECT_EQ(page->mapLocation().placeName, "Paris, France");
    EXPECT_NEAR(page->mapLocation().latitude, 48 + 51 / 60.0 + 12 / 3600.0, 1e-9);
}

TEST_F(LocationPageTest, SaveButtonsWriteTheStoreAtOnceWithSaveOnExitOff) {
    page->FormShow();
    findZip(QStringLiteral("10001"));
    setText("AltitudeEd", QStringLiteral("30"));
    child<QComboBox>("FeetMeterBox")->setCurrentIndex(1); // metres

    click("SaveLocationOnlyBut");
    EXPECT_EQ(saves, 1);
    ASSERT_TRUE(QFile::exists(store->currentPath()));
    const QSettings ini(store->currentPath(), QSettings::IniFormat);
    EXPECT_EQ(ini.value(QStringLiteral("Settings/Placename")).toString(), "New York, NY");
    EXPECT_EQ(ini.value(QStringLiteral("Settings/SaveOnExit")).toString(), "false");
    Settings stored = readBack();
    EXPECT_FALSE(stored.SaveOnExit);
    EXPECT_NEAR(stored.Latitude, 40 + 44 / 60.0 + 54 / 3600.0, 1e-9);
    EXPECT_NEAR(stored.Longitude, -(73 + 59 / 60.0 + 48 / 3600.0), 1e-9);
    EXPECT_EQ(stored.PlaceName, "New York, NY");
    EXPECT_EQ(stored.CityName, "New York");
    EXPECT_EQ(stored.StateName, "NY");
    EXPECT_EQ(stored.CountryName, "United States");
    EXPECT_EQ(stored.ZipCode, "10001");
    EXPECT_EQ(stored.Altitude, 98); // 30 m
    EXPECT_EQ(stored.DistanceUnits, QLatin1Char('M'));
    EXPECT_EQ(stored.CityStateZipEdText, "New York, NY");
    EXPECT_EQ(stored.WeatherStationCode, "KBOS"); // the station has its own button
    // The displays read the loaded copy: it follows the save.
    EXPECT_EQ(settings.PlaceName, "New York, NY");
    EXPECT_EQ(settings.Altitude, 98);

    click("SaveWeatherStationOnlyBut");
    EXPECT_EQ(saves, 2);
    stored = readBack();
    EXPECT_EQ(stored.WeatherStationCode, "KNYC");
    EXPECT_EQ(stored.WeatherStationName, "New York, NY");
    EXPECT_EQ(stored.StateBoxItemIndex, 33);
    EXPECT_EQ(stored.CountryBoxItemIndex, 0);
    EXPECT_FALSE(stored.SaveOnExit);

    choose("CountryBox", QStringLiteral("France"));
    pick(QStringLiteral("Paris"));
    click("SaveAllBut");
    EXPECT_EQ(saves, 3); // one save, one refresh
    stored = readBack();
    EXPECT_EQ(stored.PlaceName, "Paris, France");
    EXPECT_EQ(stored.CountryName, "France");
    EXPECT_EQ(stored.ZipCode, "");
    EXPECT_EQ(stored.WeatherStationCode, "LFPO");
    EXPECT_EQ(stored.CountryBoxItemIndex, child<QComboBox>("CountryBox")->currentIndex());
    EXPECT_FALSE(stored.SouthernHemisphere);
}

TEST_F(LocationPageTest, ResetAndCancelPutTheSavedValuesBack) {
    for (const char* button : {"ResetBut", "CloseBut"}) {
        SCOPED_TRACE(button);
        closes = 0;
        page->FormShow();
        const QStringList saved = editTexts();
        choose("CountryBox", QStringLiteral("France"));
        pick(QStringLiteral("Paris"));
        setText("AltitudeEd", QStringLiteral("abc"));
        ASSERT_NE(editTexts(), saved);
        click(button);
        EXPECT_EQ(editTexts(), saved);
        EXPECT_EQ(label("DistanceLab1"), "");
        EXPECT_EQ(closes, button == std::string_view("CloseBut") ? 1 : 0);
        EXPECT_EQ(settings.SaveLocation.PlaceName, "Boston, MA");
        EXPECT_EQ(settings.WeatherStationCode, "KBOS");
        EXPECT_EQ(saves, 0);
        EXPECT_FALSE(QFile::exists(store->currentPath()));
    }
}

struct UntouchedCase {
    QChar units;
    int feet;
    double latitude, longitude;
    int countryBoxIndex;
    const char* place;
    const char* country;
};

// Showing and saving again must give back exactly what was stored: the edits hold the
// coordinates to the nearest second and the altitude in whole metres, and the Country box
// index is only stored with the station, so it may name another country.
TEST_F(LocationPageTest, SavingWithoutChangesKeepsTheSavedValuesExactly) {
    const UntouchedCase cases[] = {
        {u'M', 21, 40.7517, -73.9942, 0, "New York NY", "United States"},
        {u'F', -13, -33.8675, 151.207, 10, "Sydney, Australia", "Australia"},
        {u'M', 20, 48.853333, 2.348889, 0, "Paris, France", "France"},
    };
    for (const UntouchedCase& c : cases) {
        SCOPED_TRACE(c.place);
        settings.DistanceUnits = c.units;
        settings.Latitude = c.latitude;
        settings.Longitude = c.longitude;
        settings.CountryBoxItemIndex = c.countryBoxIndex;
        settings.SaveLocation = {QLatin1String(c.place),   QString(), QString(),
                                 QLatin1String(c.country), QString(), c.feet};
        page->FormShow();
        click("SaveLocationOnlyBut");
        const Settings stored = readBack();
        EXPECT_EQ(stored.Altitude, c.feet);
        EXPECT_NEAR(stored.Latitude, c.latitude, 1e-12);
        EXPECT_NEAR(stored.Longitude, c.longitude, 1e-12);
        EXPECT_EQ(stored.PlaceName, QLatin1String(c.place));
        EXPECT_EQ(stored.CountryName, QLatin1String(c.country));
        EXPECT_EQ(stored.DistanceUnits, c.units);
    }
    // Edited values still count: 7 m is 23 feet, and new seconds move the place.
    setText("AltitudeEd", QStringLiteral("7"));
    setText("LatSecondsLabel", QStringLiteral("0"));
    click("SaveLocationOnlyBut");
    EXPECT_EQ(readBack().Altitude, 23);
    EXPECT_NEAR(readBack().Latitude, 48 + 51 / 60.0, 1e-12);
}

TEST_F(LocationPageTest, DistanceLinesFromTheSavedPlaceAndTheLastPick) {
    page->FormShow();
    findZip(QStringLiteral("02108")); // the saved place itself
    EXPECT_EQ(label("DistanceLab1"), "");
    EXPECT_EQ(label("DistanceLab2"), ""); // the first pick after showing has no second line

    findZip(QStringLiteral("10001"));
    const QString fromSaved = label("DistanceLab1");
    EXPECT_TRUE(fromSaved.startsWith(QStringLiteral("18")));
    EXPECT_TRUE(
        fromSaved.endsWith(QStringLiteral(" Kilometers) from [Boston, MA] to [New York, NY]")))
        << fromSaved.toStdString();
    EXPECT_EQ(label("DistanceLab2").section(' ', 1), fromSaved.section(' ', 1));

    pick(QStringLiteral("New York")); // the same city again: no distance from the last pick
    EXPECT_EQ(label("DistanceLab1"), fromSaved);
    EXPECT_EQ(label("DistanceLab2"), "");

    page->FormShow(); // showing again suppresses the second line once more
    EXPECT_EQ(label("DistanceLab1"), "");
    findZip(QStringLiteral("02108"));
    EXPECT_EQ(label("DistanceLab2"), "");
    findZip(QStringLiteral("10001"));
    EXPECT_TRUE(
        label("DistanceLab2").endsWith(QStringLiteral("from [Boston, MA] to [New York, NY]")));
}

// A mouse click moves the current row on the press and clicks on the release; the place
// must be picked once, or the second line would measure from the place to itself.
TEST_F(LocationPageTest, MouseClickPicksOnce) {
    page->resize(734, 680);
    page->show();
    page->FormShow();
    findZip(QStringLiteral("10001"));
    auto* list = child<QListWidget>("PlaceListBox");
    QListWidgetItem* item =
        list->findItems(QStringLiteral("New Hampton"), Qt::MatchExactly).value(0);
    ASSERT_NE(item, nullptr);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    EXPECT_EQ(text("PlaceNameEd"), "New Hampton, NY");
    EXPECT_TRUE(
        label("DistanceLab2").endsWith(QStringLiteral("from [New York, NY] to [New Hampton, NY]")))
        << label("DistanceLab2").toStdString();
}

TEST_F(LocationPageTest, MissingListGivesItsMessageOnceAndThePageStillWorks) {
    QTemporaryDir empty;
    makePage({empty.path().toStdString()});
    page->FormShow();
    page->FormShow();
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(kLoadFileMessage.data())});

    auto* list = child<QListWidget>("PlaceListBox");
    EXPECT_FALSE(list->isEnabled());
    EXPECT_EQ(
        listEntries(),
        (QStringList{"For a list of places in this box", "place the file SITENAME.DAT in the ",
                     "same folder as SKELVANE.EXE and", "then restart this program."}));
    choose("CountryBox", QStringLiteral("France"));
    page->PlaceListBoxClick();
    page->FindClosest();
    EXPECT_EQ(listEntries().size(), 4);
    EXPECT_EQ(text("PlaceNameEd"), "Boston, MA");

    findZip(QStringLiteral("10001")); // asked for explicitly: the message again
    EXPECT_EQ(messages.size(), 2);

    setText("PlaceNameEd", QStringLiteral("Home"));
    click("SaveLocationOnlyBut");
    EXPECT_EQ(readBack().PlaceName, "Home");
    EXPECT_NEAR(readBack().Latitude, settings.Latitude, 1e-9);
}

TEST_F(LocationPageTest, DamagedListIsReportedOnceAndLeavesTheBoxDisabled) {
    const QByteArray contents[] = {QByteArray(), QByteArray("short"), QByteArray(4096, 'x')};
    for (const QByteArray& bytes : contents) {
        SCOPED_TRACE(bytes.size());
        QTemporaryDir folder;
        QFile file(folder.filePath(QStringLiteral("sitename.dat")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        messages.clear();
        makePage({folder.path().toStdString()});
        page->FormShow();
        page->FormShow();
        ASSERT_EQ(messages.size(), 1);
        EXPECT_FALSE(messages.front().isEmpty());
        EXPECT_FALSE(child<QListWidget>("PlaceListBox")->isEnabled());
        EXPECT_EQ(text("PlaceNameEd"), "Boston, MA");
    }
}

TEST_F(LocationPageTest, BadEditsKeepWhatWasSaved) {
    page->FormShow();
    setText("LatMinutesLabel", QStringLiteral("61"));
    setText("AltitudeEd", QStringLiteral("high"));
    setText("PlaceNameEd", QStringLiteral("Somewhere"));
    click("SaveLocationOnlyBut");
    const Settings stored = readBack();
    EXPECT_NEAR(stored.Latitude, 42 + 21 / 60.0 + 27 / 3600.0, 1e-9);
    EXPECT_EQ(stored.Altitude, 20);
    EXPECT_EQ(stored.PlaceName, "Somewhere");

    // A blank station code is no station: the saved one stays.
    page->FormShow();
    setText("WeatherStationCodeEd2", QStringLiteral(" "));
    setText("WeatherStationNameEd2", QStringLiteral(" "));
    click("SaveWeatherStationOnlyBut");
    EXPECT_EQ(readBack().WeatherStationCode, "KBOS");
    EXPECT_EQ(readBack().WeatherStationName, "Boston, MA");

    // Minutes and seconds of 60 are accepted: 10-60-60 is 10 + 1 + 1/60 degrees.
    page->SetLatitudeDisplay(QStringLiteral("10-60-60S"));
    page->SetLongitudeDisplay(QStringLiteral("000-00-00"));
    const std::optional<LatLon> read = page->GetLatLon();
    ASSERT_TRUE(read);
    EXPECT_NEAR(read->latitude, -(11 + 1 / 60.0), 1e-12);
    EXPECT_EQ(child<QComboBox>("EastWestComboBox")->currentText(), "West");
}

TEST_F(LocationPageTest, StoredBoxIndexesOutOfRangeAreIgnored) {
    const std::array<std::array<int, 2>, 3> cases{{{-1, -1}, {54, 213}, {100000, -7}}};
    for (const auto& [state, country] : cases) {
        settings.StateBoxItemIndex = state;
        settings.CountryBoxItemIndex = country;
        page->FormShow();
        EXPECT_EQ(child<QComboBox>("StateBox1")->currentText(), "New York");
        EXPECT_EQ(child<QComboBox>("CountryBox")->currentText(), "United States");
        EXPECT_FALSE(listEntries().empty());
    }
}

TEST_F(LocationPageTest, FitsTheInformationWindowWithoutClipping) {
    page->resize(734, 680);
    page->show();
    page->FormShow();
    findZip(QStringLiteral("10001")); // long distance lines
    EXPECT_LE(page->minimumSizeHint().width(), 734);
    EXPECT_LE(page->minimumSizeHint().height(), 680);
    const QRect area = page->rect();
    for (QWidget* widget : page->findChildren<QWidget*>()) {
        if (!widget->isVisible() || widget->objectName().startsWith(QLatin1String("qt_")) ||
            !widget->parentWidget() || widget->isWindow())
            continue;
        const QRect where(widget->mapTo(page.get(), QPoint(0, 0)), widget->size());
        EXPECT_TRUE(area.contains(where)) << widget->objectName().toStdString();
        if (qobject_cast<QPushButton*>(widget) || qobject_cast<QComboBox*>(widget)) {
            EXPECT_GE(widget->width(), widget->minimumSizeHint().width())
                << widget->objectName().toStdString();
        }
    }
}

struct DisplayCase {
    const char* place;
    double latitude, longitude;
    int feet;
    const char* lines[4];
};

TEST(LocationPageTextsTest, ReadOutLines) {
    const DisplayCase cases[] = {
        {"New York, NY",
         40.748333333,
         -73.996666667,
         1234,
         {"New York, NY", "Latitude:   40°  44'  54''   North   40.74833°",
          "Longitude:  73°  59'  48''   West   73.99667°", "Altitude: 1,234 Feet = 376 Meters"}},
        {"A & B & C",
         0,
         0,
         10000,
         {"A && B & C", "Latitude:   0°  0'  0''   North   0.00000°",
          "Longitude:  0°  0'  0''   West   0.00000°", "Altitude: 10,000 Feet = 3,048 M"}},
        {"Sydney",
         -33.8675,
         151.207,
         -13,
         {"Sydney", "Latitude:   33°  52'  3''   South   33.86750°",
          "Longitude:  151°  12'  25''   East   151.20700°", "Altitude: -13 Feet = -4 Meters"}},
        {"Low",
         1,
         1,
         -1234567,
         {"Low", "Latitude:   1°  0'  0''   North   1.00000°",
          "Longitude:  1°  0'  0''   East   1.00000°",
          "Altitude: -1,234,567 Feet = -376,296 Meters"}},
    };
    for (const DisplayCase& c : cases) {
        SCOPED_TRACE(c.place);
        const LatLonDisplayTexts texts =
            LatLonDisplayLines(QString::fromUtf8(c.place), c.latitude, c.longitude, c.feet);
        EXPECT_EQ(texts.place, QString::fromUtf8(c.lines[0]));
        EXPECT_EQ(texts.latitude, QString::fromUtf8(c.lines[1]));
        EXPECT_EQ(texts.longitude, QString::fromUtf8(c.lines[2]));
        EXPECT_EQ(texts.altitude, QString::fromUtf8(c.lines[3]));
    }
}

TEST(LocationPageTextsTest, AltitudeEditReading) {
    struct Case {
        const char* text;
        bool meters;
        std::optional<int> feet;
    };
    const Case cases[] = {
        {"100", false, 100},
        {" 30 ", true, 98},
        {"-4", true, -13},
        {"abc", false, std::nullopt},
        {"", false, std::nullopt},
        {"12.5", false, std::nullopt},
        {"2000000000", true, std::nullopt},
        {"99999999999", false, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(AltitudeFeetFromEdit(QLatin1String(c.text), c.meters), c.feet);
    }
    EXPECT_EQ(AltitudeEditFromFeet(292, false), "292");
    EXPECT_EQ(AltitudeEditFromFeet(292, true), "89");
}

TEST(LocationPageTextsTest, PlaceTextsStopAt128Characters) {
    EXPECT_EQ(CutPlaceText(QString(200, QLatin1Char('a'))).size(), 128);
    // 127 letters and a character outside the basic plane fill 128 characters: kept whole.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x8C\x99");
    EXPECT_EQ(CutPlaceText(QString(127, QLatin1Char('a')) + emoji + "b"),
              QString(127, QLatin1Char('a')) + emoji);
    EXPECT_EQ(CutPlaceText(QStringLiteral("Zürich")), QStringLiteral("Zürich"));
}

} // namespace
} // namespace skelvane

#include "app/settings_store.h"

#include "support/file_modes_obeyed.h"
#include "support/test_environment.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <type_traits>

namespace skelvane {
namespace {

// Every stored value of `s` as text, keyed by stored name, for whole-struct comparisons.
std::map<QString, QString> Dump(const Settings& s) {
    std::map<QString, QString> out;
    for (const SettingField& field : SettingFields()) {
        std::visit(
            [&](auto member) {
                const auto& v = s.*member;
                using T = std::remove_cvref_t<decltype(v)>;
                QString text;
                if constexpr (std::is_same_v<T, QString>)
                    text = v;
                else if constexpr (std::is_same_v<T, QChar>)
                    text = QString(v);
                else if constexpr (std::is_same_v<T, double>)
                    text = QString::number(v, 'g', 17);
                else
                    text = QString::number(v);
                out[QString::fromLatin1(field.name)] = text;
            },
            field.member);
    }
    return out;
}

// Gives every stored value something other than its default, including texts that an INI
// file must quote or escape.
Settings NonDefaultSettings() {
    const QStringList texts = {
        QStringLiteral("Paris, France"),   QStringLiteral(" leading and trailing "),
        QStringLiteral("back\\slash"),     QStringLiteral("@Variant(not one)"),
        QStringLiteral("semi;colon#hash"), QStringLiteral("quote\"d=value"),
        QStringLiteral("Ærøskøbing 東京"), QStringLiteral("line\nbreak"),
    };
    Settings s;
    int i = 0;
    for (const SettingField& field : SettingFields()) {
        ++i;
        std::visit(
            [&](auto member) {
                auto& v = s.*member;
                using T = std::remove_cvref_t<decltype(v)>;
                if constexpr (std::is_same_v<T, int>) {
                    // Something other than the default that the value's range takes.
                    const int wide = (i % 3 == 0) ? -(1000 + i) : 1000 + i;
                    if (field.range.allows(wide)) {
                        v = wide;
                    } else if (field.range.kind == ValueRange::Kind::Between) {
                        const auto low = static_cast<long long>(field.range.minimum);
                        const auto high = static_cast<long long>(field.range.maximum);
                        const long long picked = low + i % (high - low + 1);
                        v = static_cast<int>(picked != v ? picked
                                                         : (picked == high ? low : picked + 1));
                    }
                } else if constexpr (std::is_same_v<T, bool>)
                    v = !v;
                else if constexpr (std::is_same_v<T, double>)
                    v = -33.9 + i * 0.1;
                else if constexpr (std::is_same_v<T, QChar>)
                    v = QChar(u'Ä');
                else
                    v = texts[i % texts.size()] + QString::number(i);
            },
            field.member);
    }
    s.WeekStart = 3;
    s.TrayForeColor = 0xFFFFFF;                               // the last RGB colour
    s.TrayBackColor = static_cast<std::int32_t>(0xFF00001Eu); // the last system colour
    s.WeatherStationCode = QStringLiteral("EGLL");
    s.SaveOnExit = true;
    s.SaveLocation = {s.PlaceName, s.CityName, s.StateName, s.CountryName, s.ZipCode, s.Altitude};
    return s;
}

// The keys of the settings section as they stand in the file.
QSet<QString> FileKeys(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QSet<QString> keys;
    static const QRegularExpression keyLine(QStringLiteral("^([^=\\[]+)="));
    for (const QByteArray& line : file.readAll().split('\n')) {
        const auto match = keyLine.match(QString::fromUtf8(line));
        if (match.hasMatch())
            keys.insert(match.captured(1).trimmed());
    }
    return keys;
}

void WriteFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(contents);
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    // Reads with a fresh store, as a new run of the program would.
    Settings ReadBack() {
        SettingsStore store(dir_.path());
        Settings s;
        store.ReadIniFile(s);
        return s;
    }

    // A store whose current file holds `lines` under the settings section. Each call uses a
    // folder of its own: QSettings keeps files it has read by path, size and modification
    // time, which two quick writes of the same length can share.
    Settings ReadFrom(const QByteArray& lines) {
        const QString folder = dir_.filePath(QStringLiteral("read%1").arg(++reads_));
        EXPECT_TRUE(QDir().mkpath(folder));
        WriteFile(SettingsStore(folder).currentPath(), "[Settings]\n" + lines + "\n");
        SettingsStore store(folder);
        Settings s;
        store.ReadIniFile(s);
        return s;
    }

    QTemporaryDir dir_;
    int reads_ = 0;
};

TEST_F(SettingsStoreTest, EmptyStoreReadsBuiltInDefaults) {
    SettingsStore store(dir_.path());
    Settings s;
    s.WindowTop = 999; // reading replaces whatever the caller held
    store.ReadIniFile(s);

    EXPECT_EQ(Dump(s), Dump(Settings{}));
    const struct {
        const char* name;
        QVariant actual, expected;
    } cases[] = {
        {"WindowTop", s.WindowTop, 50},
        {"InfoFormLeft", s.InfoFormLeft, 260},
        {"LastInfoFormTabIndex", s.LastInfoFormTabIndex, 6},
        {"StayOnTop", s.StayOnTop, true},
        {"SaveOnExit", s.SaveOnExit, true},
        {"SouthernHemisphere", s.SouthernHemisphere, false},
        {"WeekStart", s.WeekStart, 7},
        {"ShowHolidays", s.ShowHolidays, true},
        {"TimeServer", s.TimeServer, QStringLiteral("pool.ntp.org")},
        {"WeatherServer", s.WeatherServer, QStringLiteral("tgftp.nws.noaa.gov")},
        {"WeatherStationCode", s.WeatherStationCode, QStringLiteral("KNYC")},
        {"LoadedWeatherStationName", s.LoadedWeatherStationName, QStringLiteral("New York")},
        {"PlaceName", s.PlaceName, QString()},
        {"TemperatureUnits", s.TemperatureUnits, QChar(u'F')},
        {"TrayType", s.TrayType, QChar(u'T')},
        {"StateBoxItemIndex", s.StateBoxItemIndex, 33},
        {"RadarLocationBoxIndex", s.RadarLocationBoxIndex, 120},
        {"ProxyPort", s.ProxyPort, 80},
        {"TrayForeColor", s.TrayForeColor, 0},
        {"TrayBackColor", s.TrayBackColor, static_cast<int>(0xFF00000Fu)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.actual, c.expected) << c.name;
    EXPECT_FALSE(store.legacyLocationUsed());
    EXPECT_FALSE(QFile::exists(store.currentPath())) << "reading must not create the store";
}

TEST_F(SettingsStoreTest, StoredNamesAreUniqueIgnoringCase) {
    QSet<QString> seen;
    for (const SettingField& field : SettingFields()) {
        const QString name = QString::fromLatin1(field.name).toLower();
        EXPECT_FALSE(seen.contains(name)) << field.name;
        seen.insert(name);
    }
}

TEST_F(SettingsStoreTest, EveryValueSurvivesSaveAndRead) {
    const Settings saved = NonDefaultSettings();
    {
        SettingsStore store(dir_.path());
        Settings ignored;
        store.ReadIniFile(ignored);
        ASSERT_TRUE(store.SaveIniFile(saved));
    }
    const Settings read = ReadBack();

    auto expected = Dump(saved);
    expected[QStringLiteral("SaveURL")] = QString(); // written only by WriteURL
    EXPECT_EQ(Dump(read), expected);
    EXPECT_EQ(read.LoadedWeatherStationCode, saved.WeatherStationCode);
    EXPECT_EQ(read.SaveLocation.PlaceName, saved.PlaceName);
    EXPECT_EQ(read.SaveLocation.Altitude, saved.Altitude);
}

TEST_F(SettingsStoreTest, SavesTheLocationToSaveAndLoadsBothCopies) {
    SettingsStore store(dir_.path());
    Settings s;
    store.ReadIniFile(s);
    s.PlaceName = QStringLiteral("Shown place");
    s.Altitude = 10;
    s.SaveLocation = {QStringLiteral("Home"), QStringLiteral("Town"),  QStringLiteral("ST"),
                      QStringLiteral("Land"), QStringLiteral("12345"), 250};
    ASSERT_TRUE(store.SaveIniFile(s));

    const Settings read = ReadBack();
    EXPECT_EQ(read.PlaceName, "Home");
    EXPECT_EQ(read.SaveLocation.PlaceName, "Home");
    EXPECT_EQ(read.ZipCode, "12345");
    EXPECT_EQ(read.SaveLocation.ZipCode, "12345");
    EXPECT_EQ(read.Altitude, 250);
    EXPECT_EQ(read.SaveLocation.Altitude, 250);
}

TEST_F(SettingsStoreTest, PlaceNameIsStoredAsPlacenameAndNamesIgnoreCase) {
    SettingsStore store(dir_.path());
    WriteFile(store.currentPath(), "[Settings]\nPLACENAME=Oslo\nwindowtop=5\nWindowTop=6\n");
    Settings s;
    store.ReadIniFile(s);
    EXPECT_EQ(s.PlaceName, "Oslo");
    EXPECT_EQ(s.SaveLocation.PlaceName, "Oslo");
    EXPECT_EQ(s.WindowTop, 6) << "the exact spelling wins over another case";

    // Saving leaves one key per name, spelt as this program writes it.
    s.WindowTop = 7;
    ASSERT_TRUE(store.SaveIniFile(s));
    const QSet<QString> keys = FileKeys(store.currentPath());
    EXPECT_TRUE(keys.contains("Placename"));
    EXPECT_TRUE(keys.contains("WindowTop"));
    for (const char* stale : {"PLACENAME", "PlaceName", "windowtop"})
        EXPECT_FALSE(keys.contains(stale)) << stale;
    EXPECT_EQ(ReadBack().PlaceName, "Oslo");
    EXPECT_EQ(ReadBack().WindowTop, 7);
}

TEST_F(SettingsStoreTest, ReadingAppliesLimitsAndDerivedDefaults) {
    const QByteArray longName(200, 'x');
    const struct {
        const char* name;
        QByteArray lines;
        std::function<void(const Settings&)> check;
    } cases[] = {
        {"southern latitude without a stored hemisphere", "Latitude=-33.9",
         [](const Settings& s) { EXPECT_TRUE(s.SouthernHemisphere); }},
        {"stored hemisphere wins over latitude", "Latitude=-33.9\nSouthernHemisphere=false",
         [](const Settings& s) { EXPECT_FALSE(s.SouthernHemisphere); }},
        {"unreadable hemisphere follows latitude", "Latitude=-1\nSouthernHemisphere=south",
         [](const Settings& s) { EXPECT_TRUE(s.SouthernHemisphere); }},
        {"week start above range", "WeekStart=9",
         [](const Settings& s) { EXPECT_EQ(s.WeekStart, 7); }},
        {"week start below range", "WeekStart=-1",
         [](const Settings& s) { EXPECT_EQ(s.WeekStart, 7); }},
        {"week start in range", "WeekStart=0",
         [](const Settings& s) { EXPECT_EQ(s.WeekStart, 0); }},
        {"station code cut to four", "WeatherStationCode=KNYCX\nWeatherStationName=Somewhere",
         [](const Settings& s) {
             EXPECT_EQ(s.WeatherStationCode, "KNYC");
             EXPECT_EQ(s.LoadedWeatherStationCode, "KNYC");
             EXPECT_EQ(s.LoadedWeatherStationName, "Somewhere");
         }},
        {"place name cut to 128", "PlaceName=" + longName,
         [](const Settings& s) {
             EXPECT_EQ(s.PlaceName, QString(128, u'x'));
             EXPECT_EQ(s.SaveLocation.PlaceName, QString(128, u'x'));
         }},
        {"unlimited text kept whole", "CityStateZipEdText=" + longName,
         [](const Settings& s) { EXPECT_EQ(s.CityStateZipEdText.size(), 200); }},
        {"character takes the first letter", "TrayType=Moon\nTemperatureUnits=c",
         [](const Settings& s) {
             EXPECT_EQ(s.TrayType, u'M');
             EXPECT_EQ(s.TemperatureUnits, u'c');
         }},
        {"empty character keeps its default", "TrayType=\nDistanceUnits=",
         [](const Settings& s) {
             EXPECT_EQ(s.TrayType, u'T');
             EXPECT_EQ(s.DistanceUnits, u'F');
         }},
        {"unquoted comma text is one value", "CityName=Paris, France",
         [](const Settings& s) { EXPECT_EQ(s.CityName, "Paris, France"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.check(ReadFrom(c.lines));
    }
}

TEST_F(SettingsStoreTest, WrongTypesReadAsDefaultsAndKeepTheRest) {
    const Settings s = ReadFrom("WindowTop=abc\n"
                                "StayOnTop=maybe\n"
                                "Latitude=nan\n"
                                "Longitude=inf\n"
                                "ProxyPort=80.5\n"
                                "InfoFormWidth=99999999999\n"
                                "LastTimeStamp=\"@Point(1 2)\"\n"
                                "NumberInCalculator=@Variant(garbage)\n"
                                "WindowLeft= 99 \n"
                                "ShowHints=FALSE\n"
                                "LastTimeAdjust=-0.25\n");
    const Settings d;
    EXPECT_EQ(s.WindowTop, d.WindowTop);
    EXPECT_EQ(s.StayOnTop, d.StayOnTop);
    EXPECT_EQ(s.Latitude, d.Latitude);
    EXPECT_EQ(s.Longitude, d.Longitude);
    EXPECT_EQ(s.ProxyPort, d.ProxyPort);
    EXPECT_EQ(s.InfoFormWidth, d.InfoFormWidth);
    EXPECT_EQ(s.LastTimeStamp, d.LastTimeStamp);
    EXPECT_EQ(s.NumberInCalculator, d.NumberInCalculator);
    EXPECT_EQ(s.WindowLeft, 99);
    EXPECT_FALSE(s.ShowHints);
    EXPECT_EQ(s.LastTimeAdjust, -0.25);
}

TEST_F(SettingsStoreTest, GarbageFileReadsDefaultsAndCanBeSavedOver) {
    SettingsStore store(dir_.path());
    std::mt19937 random(12345);
    QByteArray garbage;
    for (int i = 0; i < 20000; ++i)
        garbage.append(static_cast<char>(random()));
    WriteFile(store.currentPath(), garbage);

    Settings s;
    store.ReadIniFile(s);
    EXPECT_EQ(Dump(s), Dump(Settings{}));

    s.WindowTop = 321;
    EXPECT_TRUE(store.SaveIniFile(s));
    EXPECT_EQ(ReadBack().WindowTop, 321);
}

// The clock setting's time stamp goes with its adjustment: the Time page shows the two
// together at the next start.
TEST_F(SettingsStoreTest, SaveWithSaveOnExitOffWritesOnlyTheFourValues) {
    SettingsStore store(dir_.path());
    Settings s;
    store.ReadIniFile(s);
    s.SaveOnExit = false;
    s.RunWhenWindowsStarts = false;
    s.LastTimeStamp = 45000.5;
    s.LastTimeAdjust = 2.5 / 86400;
    s.WindowTop = 1;
    ASSERT_TRUE(store.SaveIniFile(s));

    EXPECT_EQ(
        FileKeys(store.currentPath()),
        (QSet<QString>{"SaveOnExit", "LastTimeStamp", "LastTimeAdjust", "RunWhenWindowsStarts"}));
    const Settings read = ReadBack();
    EXPECT_FALSE(read.SaveOnExit);
    EXPECT_FALSE(read.RunWhenWindowsStarts);
    EXPECT_EQ(read.LastTimeStamp, 45000.5);
    EXPECT_DOUBLE_EQ(read.LastTimeAdjust, 2.5 / 86400);
    EXPECT_EQ(read.WindowTop, 50);
}

TEST_F(SettingsStoreTest, ForcedSaveStoresEverythingAndKeepsSaveOnExitOff) {
    SettingsStore store(dir_.path());
    Settings s;
    store.ReadIniFile(s);
    s.SaveOnExit = false;
    s.WindowTop = 123;
    s.SaveLocation.PlaceName = QStringLiteral("Chosen");
    ASSERT_TRUE(store.ForcedSave(s));
    EXPECT_FALSE(s.SaveOnExit);

    // Everything but SaveURL, which has its own writer.
    EXPECT_EQ(FileKeys(store.currentPath()).size(),
              static_cast<qsizetype>(SettingFields().size()) - 1);
    const Settings read = ReadBack();
    EXPECT_FALSE(read.SaveOnExit);
    EXPECT_EQ(read.WindowTop, 123);
    EXPECT_EQ(read.PlaceName, "Chosen");
}

TEST_F(SettingsStoreTest, LegacyStoreMovesToTheCurrentLocation) {
    SettingsStore first(dir_.path());
    WriteFile(first.legacyPath(), "[Settings]\nWindowTop=77\nSaveOnExit=false\n"
                                  "Placename=Old Town\nSaveURL=http://example.org/f?a=1\n");
    Settings s;
    first.ReadIniFile(s);
    EXPECT_TRUE(first.legacyLocationUsed());
    EXPECT_EQ(s.WindowTop, 77);
    EXPECT_EQ(first.activePath(), first.currentPath());

    ASSERT_TRUE(first.SaveIniFile(s)); // SaveOnExit is off, yet everything moves
    EXPECT_EQ(FileKeys(first.currentPath()).size(), static_cast<qsizetype>(SettingFields().size()));
    EXPECT_TRUE(QFile::exists(first.legacyPath()));
    EXPECT_TRUE(first.DeleteOldRegLoc());
    EXPECT_FALSE(QFile::exists(first.legacyPath()));

    SettingsStore second(dir_.path());
    Settings again;
    second.ReadIniFile(again);
    EXPECT_FALSE(second.legacyLocationUsed());
    EXPECT_EQ(again.WindowTop, 77);
    EXPECT_FALSE(again.SaveOnExit);
    EXPECT_EQ(again.PlaceName, "Old Town");
    EXPECT_EQ(again.SaveURL, "http://example.org/f?a=1");
    EXPECT_FALSE(second.DeleteOldRegLoc()) << "nothing to remove without a legacy store";
}

TEST_F(SettingsStoreTest, LegacyStoreIsKeptWhenTheMoveFails) {
    SettingsStore store(dir_.path());
    WriteFile(store.legacyPath(), "[Settings]\nWindowTop=77\n");
    ASSERT_TRUE(QDir(dir_.path()).mkdir("Skelvane.conf")); // the current file cannot be written
    Settings s;
    store.ReadIniFile(s);

    EXPECT_FALSE(store.SaveIniFile(s));
    EXPECT_FALSE(store.DeleteOldRegLoc());
    EXPECT_TRUE(QFile::exists(store.legacyPath()));
}

TEST_F(SettingsStoreTest, WithoutAChosenLocationSavesGoToTheScratchFile) {
    SettingsStore store(dir_.path());
    const QByteArray current = "[Settings]\nWindowTop=1\n";
    WriteFile(store.currentPath(), current);
    EXPECT_EQ(store.activePath(), store.scratchPath());

    Settings s; // the built-in defaults, ReadIniFile never called
    s.WindowTop = 2;
    ASSERT_TRUE(store.SaveIniFile(s));
    ASSERT_TRUE(store.WriteURL(QStringLiteral("http://example.org")));
    EXPECT_FALSE(store.DeleteOldRegLoc());

    EXPECT_EQ(ReadAll(store.currentPath()), current);
    EXPECT_TRUE(FileKeys(store.scratchPath()).contains("WindowTop"));
    EXPECT_TRUE(FileKeys(store.scratchPath()).contains("SaveURL"));
}

TEST_F(SettingsStoreTest, WriteUrlWritesOnlySaveUrl) {
    SettingsStore store(dir_.path());
    WriteFile(store.currentPath(), "[Settings]\nWindowTop=12\nsaveurl=http://old\n");
    Settings s;
    store.ReadIniFile(s);
    EXPECT_EQ(s.SaveURL, "http://old");

    const QString url = QStringLiteral("https://example.org/forecast?lat=1,5&lon=2");
    ASSERT_TRUE(store.WriteURL(url));
    EXPECT_EQ(FileKeys(store.currentPath()), (QSet<QString>{"WindowTop", "SaveURL"}));
    const Settings read = ReadBack();
    EXPECT_EQ(read.SaveURL, url);
    EXPECT_EQ(read.WindowTop, 12);
}

TEST_F(SettingsStoreTest, SaveReportsAFolderThatCannotBeWritten) {
    const QString blocker = dir_.filePath("not-a-folder");
    WriteFile(blocker, "x");
    SettingsStore store(blocker + "/Skelvane");
    QStringList said;
    QObject::connect(&store, &SettingsStore::saveFailed,
                     [&said](const QString& message) { said << message; });
    Settings s;
    store.ReadIniFile(s);
    EXPECT_EQ(Dump(s), Dump(Settings{}));
    EXPECT_FALSE(store.SaveIniFile(s));
    EXPECT_FALSE(store.WriteURL(QStringLiteral("http://example.org")));
    ASSERT_EQ(said.size(), 1) << "said once";
    EXPECT_TRUE(said[0].startsWith("Settings could not be saved to " + store.currentPath()))
        << said[0].toStdString();
    EXPECT_TRUE(said[0].contains("Not a directory")) << said[0].toStdString();
}

// The permission bits of a path as the system holds them.
int ModeOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return static_cast<int>(info.st_mode & 07777);
}

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

TEST_F(SettingsStoreTest, TheStoreIsPrivateAfterEverySave) {
    const QString config = dir_.filePath("config");
    const QString folder = config + "/Skelvane"; // neither exists yet
    SettingsStore store(folder);
    Settings s;
    store.ReadIniFile(s);
    s.UseProxyServer = true;
    s.ProxyUserName = QStringLiteral("me");
    s.ProxyPassword = QStringLiteral("secret");
    const struct {
        const char* name;
        std::function<bool()> save;
    } saves[] = {
        {"exit save", [&] { return store.SaveIniFile(s); }},
        {"forced save", [&] { return store.ForcedSave(s); }},
        {"address save", [&] { return store.WriteURL(QStringLiteral("http://example.org")); }},
        {"exit save again", [&] { return store.SaveIniFile(s); }},
    };
    for (const auto& save : saves) {
        SCOPED_TRACE(save.name);
        // Opened up in between (an older release, or the user): each save closes it again.
        if (QFile::exists(store.currentPath())) {
            ASSERT_EQ(::chmod(QFile::encodeName(store.currentPath()).constData(), 0644), 0);
        }
        ASSERT_TRUE(save.save());
        EXPECT_EQ(ModeOf(store.currentPath()), 0600);
        EXPECT_EQ(FilesIn(folder), QStringList{"Skelvane.conf"}) << "no temporary file left";
    }
    EXPECT_EQ(ModeOf(folder), 0700);
    EXPECT_EQ(ModeOf(config), 0700);
    EXPECT_EQ(ReadBack().ProxyPassword, QString()) << "ReadBack reads the test's own folder";
    SettingsStore again(folder);
    Settings read;
    again.ReadIniFile(read);
    EXPECT_EQ(read.ProxyPassword, "secret");
}

TEST_F(SettingsStoreTest, AMovedLegacyStoreIsPrivateToo) {
    SettingsStore store(dir_.path());
    WriteFile(store.legacyPath(), "[Settings]\nProxyPassword=secret\n");
    ASSERT_EQ(::chmod(QFile::encodeName(store.legacyPath()).constData(), 0644), 0);
    Settings s;
    store.ReadIniFile(s);
    ASSERT_TRUE(store.SaveIniFile(s));
    EXPECT_EQ(ModeOf(store.currentPath()), 0600);
}

TEST_F(SettingsStoreTest, AFailedSaveKeepsThePreviousFileAndSaysWhyOnce) {
    SettingsStore store(dir_.path());
    QStringList said;
    QObject::connect(&store, &SettingsStore::saveFailed,
                     [&said](const QString& message) { said << message; });
    Settings s;
    store.ReadIniFile(s);
    s.WindowTop = 123;
    ASSERT_TRUE(store.SaveIniFile(s));
    const QByteArray before = ReadAll(store.currentPath());
    ASSERT_GT(before.size(), 1000);

    s.WindowTop = 456;
    {
        const test::ScopedFileSizeLimit full(before.size() / 2);
        EXPECT_FALSE(store.SaveIniFile(s));
        EXPECT_FALSE(store.ForcedSave(s));
        EXPECT_FALSE(store.WriteURL(QStringLiteral("http://example.org")));
    }
    EXPECT_EQ(ReadAll(store.currentPath()), before) << "the previous file is intact";
    EXPECT_EQ(FilesIn(dir_.path()), QStringList{"Skelvane.conf"}) << "no temporary file left";
    ASSERT_EQ(said.size(), 1) << "three failed saves, said once";
    EXPECT_EQ(said[0].toStdString(), ("Settings could not be saved to " + store.currentPath() +
                                      ": " + QString::fromLocal8Bit(std::strerror(EFBIG)))
                                         .toStdString());
    EXPECT_EQ(store.lastSaveError(), said[0]);

    // Once a save works again, a later failure is told again.
    ASSERT_TRUE(store.SaveIniFile(s));
    EXPECT_TRUE(store.lastSaveError().isEmpty());
    EXPECT_EQ(ReadBack().WindowTop, 456);
    {
        const test::ScopedFileSizeLimit full(64);
        EXPECT_FALSE(store.SaveIniFile(s));
    }
    EXPECT_EQ(said.size(), 2);
}

TEST_F(SettingsStoreTest, AReadOnlyFolderKeepsThePreviousFile) {
    const FileModesObeyed asAnyUser;
    if (!asAnyUser.obeyed())
        GTEST_SKIP() << "running as root, whom file modes do not stop; the file-size limit "
                        "test shows the same failure";
    SettingsStore store(dir_.path());
    Settings s;
    store.ReadIniFile(s);
    ASSERT_TRUE(store.SaveIniFile(s));
    const QByteArray before = ReadAll(store.currentPath());
    const QByteArray folder = QFile::encodeName(dir_.path());
    ASSERT_EQ(::chmod(folder.constData(), 0500), 0);

    s.WindowTop = 456;
    const bool saved = store.SaveIniFile(s);
    const QString reason = store.lastSaveError();
    ::chmod(folder.constData(), 0700);
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadAll(store.currentPath()), before);
    EXPECT_TRUE(reason.endsWith(QString::fromLocal8Bit(std::strerror(EACCES))))
        << reason.toStdString();
}

// The ranges every stored number must lie within, written out here independently of the
// settings table: each row gives the last value taken and the first refused at both ends.
struct NumberRange {
    const char* name;
    const char *lowIn, *lowOut, *highIn, *highOut;
};
const NumberRange kNumberRanges[] = {
    {"WindowTop", "-32768", "-32769", "32767", "32768"},
    {"WindowLeft", "-32768", "-32769", "32767", "32768"},
    {"InfoFormTop", "-32768", "-32769", "32767", "32768"},
    {"InfoFormLeft", "-32768", "-32769", "32767", "32768"},
    {"InfoFormHeight", "1", "0", "32767", "32768"},
    {"InfoFormWidth", "1", "0", "32767", "32768"},
    {"DisplayLevel", "1", "0", "4", "5"},
    {"LastInfoFormTabIndex", "0", "-1", "12", "13"},
    {"LastSetSheetTabIndex", "0", "-1", "1", "2"},
    {"WeekStart", "0", "-1", "7", "8"},
    {"JumpBackMinutes", "0", "-1", "1440", "1441"},
    {"UpdateClockMinutes", "1", "0", "1440", "1441"},
    {"LastTimeStamp", "-693593", "-693593.5", "2958465.99", "2958466"}, // years 1 ... 9999
    {"LastTimeAdjust", "-3652058", "-3652060", "3652058", "3652060"},
    {"Latitude", "-90", "-90.000001", "90", "90.000001"},
    {"Longitude", "-180", "-180.000001", "180", "180.000001"},
    {"Altitude", "-1500", "-1501", "30000", "30001"},
    {"StateBoxItemIndex", "0", "-1", "2147483647", "2147483648"},
    {"CountryBoxItemIndex", "0", "-1", "2147483647", "2147483648"},
    {"CityBoxItemIndex", "0", "-1", "2147483647", "2147483648"},
    {"UpdateWeatherMinutes", "1", "0", "1440", "1441"},
    {"WeatherSourceBoxItemIndex", "0", "-1", "24", "25"},
    {"ProxyPort", "0", "-1", "65535", "65536"},
    {"StateMaxImages", "1", "0", "30", "31"},
    {"NationalMaxImages", "1", "0", "30", "31"},
    {"SpeedUpDownPosition", "1", "0", "99", "100"},
    {"LeftClickGroupIndex", "0", "-1", "1", "2"},
    {"RadarLocationBoxIndex", "0", "-1", "168", "169"},
    {"RadarReflectivityBoxIndex", "0", "-1", "6", "7"},
    {"SatelliteLocationBoxIndex", "0", "-1", "15", "16"},
    {"SatelliteTypeBoxIndex", "0", "-1", "2", "3"},
    {"SatelliteColorBoxIndex", "0", "-1", "4", "5"},
    {"MapSiteIndex", "0", "-1", "23", "24"},
    {"TimePositionBoxIndex", "0", "-1", "1", "2"},
    // Any finite number; the calculator shows what it is given.
    {"NumberInCalculator", "-1e308", "-inf", "1e308", "inf"},
    // Colour numbers: red in the low byte up to 0xFFFFFF; system colours 0xFF000000 ... 30.
    {"TrayForeColor", "-16777216", "-16777217", "16777215", "16777216"},
    {"TrayBackColor", "-16777186", "-16777185", "0", "-1"},
};

// A numeric field's value as a double, for comparisons across int and double fields.
double NumberOf(const Settings& s, const SettingField& field) {
    return std::visit(
        [&](auto member) -> double {
            using T = std::remove_cvref_t<decltype(s.*member)>;
            if constexpr (std::is_same_v<T, int> || std::is_same_v<T, double>)
                return static_cast<double>(s.*member);
            else
                return std::nan("");
        },
        field.member);
}

bool IsNumeric(const SettingField& field) {
    return std::holds_alternative<int Settings::*>(field.member) ||
           std::holds_alternative<double Settings::*>(field.member);
}

const SettingField& FieldNamed(const char* name) {
    for (const SettingField& field : SettingFields())
        if (QLatin1String(field.name) == QLatin1String(name))
            return field;
    ADD_FAILURE() << "no stored value " << name;
    return SettingFields().front();
}

TEST_F(SettingsStoreTest, EveryStoredNumberHasItsRange) {
    QSet<QString> covered;
    for (const NumberRange& range : kNumberRanges)
        covered.insert(QLatin1String(range.name));
    for (const SettingField& field : SettingFields()) {
        if (IsNumeric(field)) {
            EXPECT_TRUE(covered.contains(QLatin1String(field.name)))
                << field.name << " needs a row in kNumberRanges";
        }
    }

    const Settings defaults;
    for (const NumberRange& range : kNumberRanges) {
        SCOPED_TRACE(range.name);
        const SettingField& field = FieldNamed(range.name);
        const QByteArray name(range.name);
        for (const char* inside : {range.lowIn, range.highIn}) {
            const Settings s = ReadFrom(name + "=" + inside);
            EXPECT_DOUBLE_EQ(NumberOf(s, field), std::stod(inside)) << inside << " is taken";
        }
        for (const char* outside : {range.lowOut, range.highOut}) {
            const Settings s = ReadFrom(name + "=" + outside);
            EXPECT_EQ(NumberOf(s, field), NumberOf(defaults, field))
                << outside << " reads as the default";
        }
    }
}

TEST_F(SettingsStoreTest, HostileNumbersReadAsDefaults) {
    // None of these is a usable value of any stored number.
    const char* hostile[] = {
        "nan",    "NaN",         "-nan",         "inf",     "-inf",           "+infinity", "1e999",
        "-1e999", "99999999999", "-99999999999", "1e30",    "-1e30",          "abc",       "12abc",
        "0x10",   "1,5",         "--1",          "\"1 2\"", "@Rect(1 2 3 4)", "",
    };
    const Settings defaults;
    for (const SettingField& field : SettingFields()) {
        if (!IsNumeric(field) || QLatin1String(field.name) == QLatin1String("NumberInCalculator"))
            continue;
        for (const char* text : hostile) {
            const Settings s = ReadFrom(QByteArray(field.name) + "=" + text);
            EXPECT_EQ(NumberOf(s, field), NumberOf(defaults, field)) << field.name << "=" << text;
        }
    }
    // The calculator's number takes any finite value, but nothing else.
    for (const char* text : {"nan", "inf", "-inf", "1e999", "abc", ""})
        EXPECT_EQ(ReadFrom(QByteArray("NumberInCalculator=") + text).NumberInCalculator, 0.0)
            << text;
    EXPECT_EQ(ReadFrom("NumberInCalculator=-1e30").NumberInCalculator, -1e30);
}

TEST_F(SettingsStoreTest, RefusedCoordinatesLeaveNoPlace) {
    const struct {
        const char* name;
        QByteArray lines;
        bool placeKept;
    } cases[] = {
        {"not numbers", "Latitude=nan\nLongitude=inf", false},
        {"latitude beyond the pole", "Latitude=90.5\nLongitude=10", false},
        {"longitude beyond the date line", "Latitude=10\nLongitude=-181", false},
        {"one coordinate unreadable", "Latitude=40.7\nLongitude=west", false},
        {"both in range", "Latitude=-33.9\nLongitude=151.2", true},
        {"coordinates not stored", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Settings s = ReadFrom(c.lines + "\nPlacename=Atlantis\nCityName=Sunken City\n"
                                              "CountryName=Ocean\nZipCode=00000\nAltitude=-100");
        if (c.placeKept) {
            EXPECT_EQ(s.PlaceName, "Atlantis");
            EXPECT_EQ(s.SaveLocation.ZipCode, "00000");
            continue;
        }
        // The place reads as never chosen, which lets the start-up guess pick one.
        EXPECT_EQ(s.Latitude, 0.0);
        EXPECT_EQ(s.Longitude, 0.0);
        EXPECT_FALSE(s.SouthernHemisphere);
        for (const QString& text :
             {s.PlaceName, s.CityName, s.CountryName, s.ZipCode, s.SaveLocation.PlaceName,
              s.SaveLocation.CityName, s.SaveLocation.CountryName, s.SaveLocation.ZipCode})
            EXPECT_TRUE(text.isEmpty()) << text.toStdString();
        EXPECT_EQ(s.Altitude, -100) << "the altitude is checked on its own";
        EXPECT_EQ(s.SaveLocation.Altitude, -100);
    }
}

} // namespace
} // namespace skelvane

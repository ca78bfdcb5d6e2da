// Runs the real program the way scripts/run does without a display: it starts, ticks,
// writes its screenshots and exits through the normal close path.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct RunResult {
    int exitCode = -1;
    QStringList printedPaths;
    QString errors;
};

class RunProgramTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(home.isValid()); }

    QString storeFolder() const { return home.path() + QStringLiteral("/store"); }
    QString storeFile() const { return storeFolder() + QStringLiteral("/Skelvane.conf"); }
    QString autostartEntry() const {
        return home.path() + QStringLiteral("/config/autostart/skelvane.desktop");
    }

    RunResult run(QStringList arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           home.path() + QStringLiteral("/config"));
        environment.insert(QStringLiteral("TZ"), QStringLiteral("America/New_York"));
        process.setProcessEnvironment(environment);
        arguments << QStringLiteral("--settings-dir") << storeFolder()
                  << QStringLiteral("--screenshot") << home.path() + QStringLiteral("/shots");
        process.start(QStringLiteral(SKELVANE_EXECUTABLE), arguments);
        RunResult result;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            result.errors = QStringLiteral("timed out");
            return result;
        }
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.printedPaths = QString::fromUtf8(process.readAllStandardOutput())
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        result.errors = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    // The clock window's picture among the printed paths.
    static QImage ClockShot(const RunResult& result) {
        for (const QString& path : result.printedPaths)
            if (path.endsWith(QStringLiteral("skelvane-form1.png")))
                return QImage(path);
        return {};
    }
    // The menu strip sits above the four bands (276 pixels at level 4).
    static int MenuHeight(const QImage& shot, int bandsHeight) {
        return shot.height() - bandsHeight;
    }

    QTemporaryDir home;
};

TEST_F(RunProgramTest, ScreenshotShowsTheClockAndTheRunSavesItsSettings) {
    const RunResult result = run({QStringLiteral("--date"), QStringLiteral("2024-12-25"),
                                  QStringLiteral("--page"), QStringLiteral("0")});
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    ASSERT_EQ(result.printedPaths.size(), 2) << "the clock and the information window";
    const QImage shot = ClockShot(result);
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.width(), 211);
    const int menu = MenuHeight(shot, 276);
    EXPECT_GE(menu, 12);
    EXPECT_LE(menu, 40);
    const QImage info(result.printedPaths.filter(QStringLiteral("infoform")).value(0));
    EXPECT_GE(info.width(), 400);
    EXPECT_GE(info.height(), 300);

    // The big time is dark figures on white: the band must hold both.
    int dark = 0, white = 0;
    for (int y = menu; y < menu + 66; ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const int gray = qGray(shot.pixel(x, y));
            dark += gray < 64;
            white += gray > 240;
        }
    EXPECT_GT(dark, 300) << "figures drawn in the time band";
    EXPECT_GT(white, 3000) << "white background of the time band";

    QSettings stored(storeFile(), QSettings::IniFormat);
    EXPECT_EQ(stored.value(QStringLiteral("Settings/WeatherStationCode")).toString(),
              QStringLiteral("KNYC"));
    EXPECT_TRUE(QFile::exists(autostartEntry())) << "the log-on start entry is on by default";
}

TEST_F(RunProgramTest, SettingsSurviveARunAndSlashCLeavesThemUnchanged) {
    {
        QSettings stored(storeFile(), QSettings::IniFormat);
        stored.setValue(QStringLiteral("Settings/Placename"), QStringLiteral("Oslo"));
        stored.setValue(QStringLiteral("Settings/DisplayLevel"), 2);
        stored.setValue(QStringLiteral("Settings/RunWhenWindowsStarts"), false);
    }
    ASSERT_EQ(run({}).exitCode, 0);
    {
        QSettings stored(storeFile(), QSettings::IniFormat);
        EXPECT_EQ(stored.value(QStringLiteral("Settings/Placename")).toString(),
                  QStringLiteral("Oslo"));
        EXPECT_EQ(stored.value(QStringLiteral("Settings/DisplayLevel")).toInt(), 2);
        EXPECT_TRUE(stored.contains(QStringLiteral("Settings/JumpBackMinutes")))
            << "the exit save writes every value";
    }
    EXPECT_FALSE(QFile::exists(autostartEntry())) << "the setting removes the entry";

    QFile file(storeFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    const RunResult defaultsRun = run({QStringLiteral("/c")});
    ASSERT_EQ(defaultsRun.exitCode, 0) << defaultsRun.errors.toStdString();
    const QImage shot = ClockShot(defaultsRun);
    const int menu = MenuHeight(shot, 276);
    EXPECT_TRUE(menu >= 12 && menu <= 40) << "defaults, not the stored display level";
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

TEST_F(RunProgramTest, DamagedStoresStartOnDefaults) {
    // Hand-edited stores that once crashed the program, hung it, or had it show sunrise and
    // sunset for 0°, 0° under a place name of the user's.
    const struct {
        const char* name;
        QByteArray lines;
    } cases[] = {
        {"huge width", "InfoFormWidth=999999999"},
        {"huge width, negative height", "InfoFormWidth=999999999\nInfoFormHeight=-5"},
        {"coordinates that are no place", "Latitude=nan\nLongitude=inf\nPlacename=Nowhere"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(QDir().mkpath(storeFolder()));
        QFile store(storeFile());
        ASSERT_TRUE(store.open(QIODevice::WriteOnly | QIODevice::Truncate));
        store.write("[Settings]\n" + c.lines + "\nShowInfoFormAtStartup=true\n");
        store.close();

        const RunResult result = run({});
        ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
        ASSERT_EQ(result.printedPaths.size(), 2) << "the clock and the information window";
        const QImage info(result.printedPaths.filter(QStringLiteral("infoform")).value(0));
        ASSERT_FALSE(info.isNull());
        // The offscreen platform's screen is 800 x 800.
        EXPECT_GE(info.width(), 400);
        EXPECT_LE(info.width(), 800);
        EXPECT_GE(info.height(), 300);
        EXPECT_LE(info.height(), 800);
        EXPECT_FALSE(ClockShot(result).isNull());

        QSettings stored(storeFile(), QSettings::IniFormat);
        const double latitude = stored.value(QStringLiteral("Settings/Latitude")).toDouble();
        const double longitude = stored.value(QStringLiteral("Settings/Longitude")).toDouble();
        EXPECT_LE(stored.value(QStringLiteral("Settings/InfoFormWidth")).toInt(), 800);
        if (c.lines.contains("Latitude")) {
            // The place of the zone (TZ is New York), as on a first run.
            EXPECT_NE(stored.value(QStringLiteral("Settings/Placename")).toString(),
                      QStringLiteral("Nowhere"));
            EXPECT_NEAR(latitude, 40.7, 1.0);
            EXPECT_NEAR(longitude, -74.0, 1.0);
        }
    }
}

TEST_F(RunProgramTest, AStoreThatCannotBeSavedIsToldOnStderrAndTheRunEndsNormally) {
    // A file stands where the store's folder should be.
    QFile blocker(storeFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const RunResult result = run({});
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    EXPECT_EQ(result.printedPaths.size(), 2);
    const QString said = QStringLiteral("skelvane: Settings could not be saved to ") + storeFile() +
                         QStringLiteral(": ");
    EXPECT_EQ(result.errors.count(said), 1) << result.errors.toStdString();
}

TEST_F(RunProgramTest, BadArgumentsExitWithTwo) {
    QProcess process;
    process.start(QStringLiteral(SKELVANE_EXECUTABLE), {QStringLiteral("--screenshot")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 2);
}

} // namespace

// Test main for every suite that uses Qt: windows render offscreen, the settings store,
// autostart folder, caches and every other per-user file live in a temporary folder, and the
// download layer talks to loopback fixture servers only (a start-up weather download of a
// window under test goes nowhere).
#include <QApplication>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir configHome;
    if (!configHome.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    qputenv("XDG_DATA_HOME", (configHome.path() + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_CACHE_HOME", (configHome.path() + QStringLiteral("/cache")).toUtf8());
    qputenv("SKELVANE_LOOPBACK_ONLY", "1");
    // As the program does: Qt Multimedia's ffmpeg backend plays MPEG-1 reliably.
    if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    QApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}

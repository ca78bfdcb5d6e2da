// Test main of the embedded browser's suite: like the other Qt suites (temporary per-user
// folders, loopback-only downloads). Nothing is prepared for the web engine here: the
// program does not either, the plugin loader does it on first use.
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
    QApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}

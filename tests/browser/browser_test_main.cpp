// Test main of the embedded browser's suite: like the other Qt suites (temporary per-user
// folders, loopback-only downloads), plus the shared OpenGL contexts the web engine asks
// for before the application object exists, as the program sets them.
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
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}

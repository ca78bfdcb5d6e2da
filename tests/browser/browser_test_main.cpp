// Test main of the embedded browser's suite: like the other Qt suites (temporary per-user
// folders, loopback-only downloads). Nothing is prepared for the web engine here: the
// program does not either, the plugin loader does it on first use.
#include "support/test_environment.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    QTemporaryDir userFolders;
    if (!userFolders.isValid())
        return 1;
    skelvane::test::IsolateTestProcess(userFolders.path());
    QApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}

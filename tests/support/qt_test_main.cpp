// Test main for every suite that uses Qt: windows render offscreen, the settings store,
// autostart folder, caches and every other per-user file live in a temporary folder, and the
// download layer talks to loopback fixture servers only (a start-up weather download of a
// window under test goes nowhere).
#include "support/test_environment.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

// Leaks the sanitizer build leaves to libraries it does not build: Qt Multimedia's ffmpeg
// backend keeps a few small libavutil blocks (its codec list and option dictionaries) at
// exit. AddressSanitizer asks for this hook at start-up; other builds never call it. Leaks of
// the project's own code still fail their test.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libavutil.so\n"
           "leak:libavcodec.so\n"
           "leak:libavformat.so\n"
           "leak:libQt6FFmpegMediaPlugin.so\n";
}

int main(int argc, char* argv[]) {
    QTemporaryDir userFolders;
    if (!userFolders.isValid())
        return 1;
    skelvane::test::IsolateTestProcess(userFolders.path());
    // As the program does: Qt Multimedia's ffmpeg backend plays MPEG-1 reliably.
    if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    QApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}

#pragma once

// The main of the window benchmarks: the windows need an application object, offscreen
// unless a platform is chosen, and must be gone before it is.
#include <QApplication>
#include <benchmark/benchmark.h>
#include <functional>

inline int RunWindowBenchmarks(int argc, char** argv, const std::function<void()>& afterStart = {},
                               const std::function<void()>& beforeEnd = {}) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (afterStart)
        afterStart();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (beforeEnd)
        beforeEnd();
    return 0;
}

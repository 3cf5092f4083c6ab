#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

// The main of a benchmark program that makes widgets: a QApplication (offscreen unless the
// environment names a platform) around Google Benchmark's run. afterRun, when given, runs while
// the application still exists and may end the process itself.
inline int runWidgetBenchmarks(int argc, char **argv, void (*afterRun)() = nullptr) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (afterRun != nullptr)
        afterRun();
    return 0;
}

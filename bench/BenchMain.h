#pragma once
// The main of a benchmark program that needs a Qt application: off screen unless
// QT_QPA_PLATFORM says otherwise; `ready` runs once the application exists.
#include <QByteArray>
#include <QtGlobal>
#include <benchmark/benchmark.h>

template <class App, class Ready = void (*)()>
int RunBenchmarksUnder(int argc, char **argv, Ready ready = [] {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    App app(argc, argv);
    ready();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

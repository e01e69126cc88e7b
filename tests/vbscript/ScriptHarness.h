#pragma once
// Runs scripts the way the program does (a host object "obj" with Source, Result and the
// output array), plus an "out" object whose Echo collects lines for the tests to compare.
#include "vbscript/Engine.h"

#include <QStringList>

struct ScriptRun {
    bool ok = false;
    QStringList echoed;      // lines written with out.Echo
    QStringList arrayReturn; // obj's output array
    vbs::ScriptFailure failure;
    qint64 elapsedMs = 0;
    qint64 elapsedNs = 0;
    long long budgetBytes = 0;     // the run's memory budget
    long long peakAddedBytes = -1; // the most resident memory the run added; -1 where unknown
};

// `memoryMb` is the run's memory budget (the engine's default when 0).
ScriptRun runScript(const QString &source, const QString &input = QString(), int timeoutMs = 5000,
                    int memoryMb = 0);

// The text a test compares: the echoed lines, then "!error N: description" for a failed run.
QStringList transcript(const ScriptRun &run);

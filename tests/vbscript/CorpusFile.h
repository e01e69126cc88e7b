#pragma once
// The script cases of tests/vbscript/corpus/*.cases: a small script and the lines it must print
// through out.Echo (and "!error N: text" when it must fail), as the Windows engine does. A case
// may set its limits right after its name: "@@ deadline MS" (5000 otherwise), "@@ memory MB"
// (the engine's budget otherwise) and "@@ within MS", the longest the run may take.
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

struct CorpusCase {
    std::string name;
    QString file;
    int line = 0;
    QString script;
    QStringList expected;
    int deadlineMs = 5000;
    int memoryMb = 0;
    int withinMs = 0;
};

// Every case of the corpus files whose names match `pattern` (all of them by default).
std::vector<CorpusCase> loadCorpus(const QString &pattern = QStringLiteral("*.cases"));

#pragma once
// One entry per reader that users' files reach. Each takes the bytes of one input, feeds them to
// the reader the program uses, and checks what must hold for any input; false when it does not.
// The libFuzzer targets call them (a false result is a finding), and the regression test replays
// the seed corpora and every earlier finding through them.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

struct FuzzEntry {
    const char *name; // the target and its folders: fuzz/corpus/<name>, fuzz/regressions/<name>
    bool (*run)(const QByteArray &input);
};

// Templates: what the reader reads, the writer writes readably.
bool FuzzTemplate(const QByteArray &input);
// INI files (Vorn.cfg, the layout-only update): an unchanged document gives back its bytes;
// a written value reads back.
bool FuzzIni(const QByteArray &input);
// Bet files: every bet line has its tokens split by exactly one blank.
bool FuzzBets(const QByteArray &input);
// Numbers typed into fields: the expression evaluator and its postfix form.
bool FuzzEval(const QByteArray &input);
// Conversion scripts: the parser alone, and a short run over a fixed input (which must end
// within a second of its deadline).
bool FuzzScriptParse(const QByteArray &input);
bool FuzzScriptRun(const QByteArray &input);

// Every entry, by name.
const std::vector<FuzzEntry> &FuzzEntries();
const FuzzEntry *FindFuzzEntry(const QString &name);

// The seed folders of a target (relative to the source tree), as fuzz/seed-folders.txt lists them.
QStringList FuzzSeedFolders(const QString &sourceDir, const QString &name);

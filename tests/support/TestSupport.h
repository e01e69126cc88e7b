#pragma once
// Helpers shared by every test program.
#include "common/MsgBox.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

// Installs a MsgBox handler for the lifetime of the object: it records every box and answers
// with the queued answers in order, then with each style's default (Ok, or Yes for questions).
class ScriptedMsgBox {
public:
    struct Shown {
        QString text;
        MsgStyle style;
    };
    ScriptedMsgBox();
    ~ScriptedMsgBox();
    ScriptedMsgBox(const ScriptedMsgBox &) = delete;
    ScriptedMsgBox &operator=(const ScriptedMsgBox &) = delete;

    void queue(MsgAnswer answer) { m_answers.push_back(answer); }
    const std::vector<Shown> &shown() const { return m_shown; }
    QStringList texts() const;

private:
    std::vector<Shown> m_shown;
    std::deque<MsgAnswer> m_answers;
    MsgBoxHandler m_previous;
};

// Paths of the source tree, the fixture folder and the program folder of the build.
QString sourceDir();
QString testDataPath(const QString &relative);
QString binDir();

// Runs the event loop until `done` holds or `timeoutMs` has passed; whether it holds. (Qt's
// QTRY_ macros report their timeout to QtTest, which a gtest run never hears: assert on this.)
bool WaitUntil(const std::function<bool()> &done, int timeoutMs);

// A fresh temporary folder per call, removed when the test program ends.
QString makeTempDir();

// vornprn-cli as a user runs it from the program folder of the build.
struct CliRun {
    int exitCode = -1;
    QByteArray out; // stdout bytes (UTF-8)
    QString err;
    QString outText() const { return QString::fromUtf8(out); }
};
bool CliBuilt();
CliRun RunCli(const QStringList &args, const QByteArray &stdinBytes = {});
// RunCli for another program of the command line (e.g. "vornprn-cli-full"), or for one given
// by its path; `environment` adds to (or replaces in) the test's environment.
CliRun RunCliProgram(const QString &program, const QStringList &args,
                     const QByteArray &stdinBytes = {},
                     const QMap<QString, QString> &environment = {});

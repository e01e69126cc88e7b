#pragma once
// Runs one conversion script over one input text (one runner per import or test run).
#include "input/clsScriptValue.h"

#include <QString>
#include <functional>

// While a conversion script runs, the program calls this now and then (about every 50 ms) with
// false, and once with true when the run has ended. Returning false stops the script, and the
// run then fails quietly: the user asked for it. The window layer shows a stop button after
// the first second; without a handler (command line, tests) scripts run to their end or limit.
using ScriptProgressHandler = std::function<bool(bool finished)>;
// Installs the handler and returns the previous one.
ScriptProgressHandler SetScriptProgressHandler(ScriptProgressHandler handler);

class clsScriptRunner {
public:
    // The longest a script may run: 30 minutes.
    static constexpr qint64 kTimeLimitMs = 1'800'000;
    // The memory a script may use: 1 GB (past it the script fails with 7, the program goes on).
    static constexpr qint64 kMemoryLimitMb = 1024;

    // m_strScriptCode = the text of the file; a file that cannot be read shows its failure and
    // leaves empty code (which runs and stores nothing).
    void LoadScriptFile(const QString &pathFile);
    QString ScriptCode() const { return m_strScriptCode; }
    void setScriptCode(const QString &code) { m_strScriptCode = code; }

    // Runs the code over `input` (the script reads it as obj.Source) on a fresh engine. On a
    // syntax or run-time error, or when the time limit passes, shows "执行代码错误:" followed by
    // the error's description (exclamation icon) and returns false. Stopped through the
    // progress handler, it returns false without a message.
    bool RunScript(const QString &input);

    // What the script filled in.
    clsScriptValue &ScriptValue() { return m_objValue; }
    const clsScriptValue &ScriptValue() const { return m_objValue; }

    // The command line may shorten or lengthen the limit.
    qint64 TimeLimitMs() const { return m_timeLimitMs; }
    void setTimeLimitMs(qint64 ms) { m_timeLimitMs = ms; }
    qint64 MemoryLimitMb() const { return m_memoryLimitMb; }
    void setMemoryLimitMb(qint64 mb) { m_memoryLimitMb = mb; }

    // The description of the last failure of RunScript ("" after a success).
    QString LastErrorDescription() const { return m_lastError; }

private:
    QString m_strScriptCode;
    clsScriptValue m_objValue;
    qint64 m_timeLimitMs = kTimeLimitMs;
    qint64 m_memoryLimitMb = kMemoryLimitMb;
    QString m_lastError;
};

// The conversion every caller shares: reads the input file and the script file, runs the
// script, and hands back its output lines. False when the script failed (already shown).
// A script file that does not exist is reported by `scriptName` (the chooser's text; the path
// when empty) and nothing runs.
bool RunConversionScript(const QString &scriptPathFile, const QString &inputPathFile,
                         QStringList *lines, qint64 timeLimitMs = clsScriptRunner::kTimeLimitMs,
                         const QString &scriptName = QString());

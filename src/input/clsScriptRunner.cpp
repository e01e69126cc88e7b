#include "input/clsScriptRunner.h"

#include "common/MsgBox.h"
#include "input/TextLines.h"

void clsScriptRunner::LoadScriptFile(const QString &pathFile)
{
    m_strScriptCode = ReadTextFile(pathFile);
}

bool clsScriptRunner::RunScript(const QString &input)
{
    m_objValue.setSource(input);
    // The script engine is not linked into this build yet.
    m_lastError = QStringLiteral("脚本引擎不可用");
    MsgBox(QStringLiteral("执行代码错误:") + m_lastError, MsgStyle::Exclamation);
    return false;
}

bool RunConversionScript(const QString &scriptPathFile, const QString &inputPathFile,
                         QStringList *lines, qint64 timeLimitMs)
{
    const QString input = ReadTextFile(inputPathFile);
    clsScriptRunner runner;
    runner.setTimeLimitMs(timeLimitMs);
    runner.LoadScriptFile(scriptPathFile);
    if (!runner.RunScript(input))
        return false;
    *lines = runner.ScriptValue().GetArrayReturn();
    return true;
}

#include "input/clsScriptRunner.h"

#include "common/FormatMsg.h"
#include "common/MsgBox.h"
#include "input/TextLines.h"
#include "vbscript/Coerce.h"
#include "vbscript/Engine.h"
#include "vbscript/HostObject.h"
#include "vbscript/ScriptError.h"
#include "vbscript/Value.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <new>

namespace {
ScriptProgressHandler &ProgressHandler()
{
    static ScriptProgressHandler handler;
    return handler;
}

// Tells the progress handler that the run ended, however it ends.
struct RunEndNotice {
    ~RunEndNotice()
    {
        if (ProgressHandler())
            ProgressHandler()(true);
    }
};

// "obj" as the script sees it: its members are clsScriptValue's, and only through that name.
std::shared_ptr<vbs::HostObject> MakeHostObject(clsScriptValue &value)
{
    auto obj = std::make_shared<vbs::HostObject>(QStringLiteral("clsScriptValue"));
    obj->addProperty(
        QStringLiteral("Source"), [&value] { return vbs::Value::string(value.Source()); },
        [&value](const vbs::Value &v) { value.setSource(vbs::toStr(v)); });
    obj->addProperty(
        QStringLiteral("Result"), [&value] { return vbs::Value::string(value.Result()); },
        [&value](const vbs::Value &v) { value.setResult(vbs::toStr(v)); });
    obj->addMethod(QStringLiteral("GetArrayReturn"), 0, 0, [&value](const std::vector<vbs::Value> &) {
        const QStringList lines = value.GetArrayReturn();
        std::vector<vbs::Value> items;
        items.reserve(size_t(lines.size()));
        for (const QString &line : lines)
            items.push_back(vbs::Value::string(line));
        return vbs::Value::array(std::move(items));
    });
    obj->addMethod(QStringLiteral("SetArrayReturn"), 2, 2, [&value](const std::vector<vbs::Value> &a) {
        const qint32 index = vbs::toLong(a[0]);
        const QString text = vbs::toStr(a[1]);
        if (index < 0)
            vbs::raise(vbs::Err::SubscriptOutOfRange);
        if (!value.SetArrayReturn(index, text))
            vbs::raise(vbs::Err::OutOfMemory);
        return vbs::Value();
    });
    return obj;
}
} // namespace

ScriptProgressHandler SetScriptProgressHandler(ScriptProgressHandler handler)
{
    std::swap(ProgressHandler(), handler);
    return handler;
}

void clsScriptRunner::LoadScriptFile(const QString &pathFile)
{
    m_strScriptCode = ReadTextFile(pathFile);
}

bool clsScriptRunner::RunScript(const QString &input)
{
    m_lastError.clear();
    try {
        // A fresh engine per run: nothing of an earlier script survives.
        vbs::Engine engine;
        engine.setMemoryBudget(m_memoryLimitMb * 1024 * 1024);
        RunEndNotice notice;
        if (ProgressHandler())
            engine.setKeepGoing([] { return ProgressHandler()(false); });
        m_objValue.setSource(input);
        engine.addObject(QStringLiteral("obj"), MakeHostObject(m_objValue));
        if (engine.run(m_strScriptCode, QDeadlineTimer(m_timeLimitMs)))
            return true;
        m_lastError = engine.failure().description;
        if (engine.failure().number == vbs::Err::Stopped)
            return false;
    } catch (const std::bad_alloc &) {
        m_lastError = vbs::errorText(vbs::Err::OutOfMemory);
    }
    MsgBox(QStringLiteral("执行代码错误:") + m_lastError, MsgStyle::Exclamation);
    return false;
}

bool RunConversionScript(const QString &scriptPathFile, const QString &inputPathFile,
                         QStringList *lines, qint64 timeLimitMs, const QString &scriptName)
{
    // A missing script would otherwise surface as a file-system message about a path the user
    // never typed, followed by "no output": name the choice that has to change instead.
    if (!QFileInfo(scriptPathFile).isFile()) {
        MsgBox(FormatMsg(QString(), QStringLiteral("没有找到转换脚本 {1}，请重新选择彩票软件！"),
                         {scriptName.isEmpty() ? scriptPathFile : scriptName}),
               MsgStyle::Exclamation);
        return false;
    }
    const QString input = ReadTextFile(inputPathFile, TextFileKind::BetFile);
    clsScriptRunner runner;
    runner.setTimeLimitMs(timeLimitMs);
    runner.LoadScriptFile(scriptPathFile);
    if (!runner.RunScript(input))
        return false;
    *lines = runner.ScriptValue().GetArrayReturn();
    return true;
}

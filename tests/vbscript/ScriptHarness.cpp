#include "ScriptHarness.h"

#include "vbscript/Coerce.h"
#include "vbscript/HostObject.h"
#include "vbscript/Sandbox.h"
#include "vbscript/ScriptError.h"

#include <QElapsedTimer>
#include <algorithm>

namespace {

QString shown(const vbs::Value &v)
{
    switch (v.type()) {
    case vbs::Type::Null:
        return QStringLiteral("Null");
    case vbs::Type::Array:
        return QStringLiteral("<array>");
    case vbs::Type::Object:
        if (!v.asObject())
            return QStringLiteral("Nothing");
        try {
            return shown(vbs::dereference(v)); // what the default member holds
        } catch (const vbs::ScriptError &) {
            return v.asObject()->typeName();
        }
    case vbs::Type::Error:
        return QString();
    default:
        return vbs::toStr(v);
    }
}

} // namespace

ScriptRun runScript(const QString &source, const QString &input, int timeoutMs, int memoryMb)
{
    ScriptRun run;
    QString src = input, result;
    auto obj = std::make_shared<vbs::HostObject>(QStringLiteral("clsScriptValue"));
    obj->addProperty(
        QStringLiteral("Source"), [&] { return vbs::Value::string(src); },
        [&](const vbs::Value &v) { src = vbs::toStr(v); });
    obj->addProperty(
        QStringLiteral("Result"), [&] { return vbs::Value::string(result); },
        [&](const vbs::Value &v) { result = vbs::toStr(v); });
    obj->addMethod(QStringLiteral("SetArrayReturn"), 2, 2, [&](const std::vector<vbs::Value> &a) {
        const int32_t i = vbs::toLong(a[0]);
        if (i < 0)
            vbs::raise(vbs::Err::SubscriptOutOfRange);
        while (run.arrayReturn.size() <= i)
            run.arrayReturn.append(QString());
        run.arrayReturn[i] = vbs::toStr(a[1]);
        return vbs::Value();
    });
    obj->addMethod(QStringLiteral("GetArrayReturn"), 0, 0, [&](const std::vector<vbs::Value> &) {
        std::vector<vbs::Value> items;
        for (const QString &s : run.arrayReturn)
            items.push_back(vbs::Value::string(s));
        return vbs::Value::array(std::move(items));
    });
    auto out = std::make_shared<vbs::HostObject>(QStringLiteral("TestOutput"));
    out->addMethod(QStringLiteral("Echo"), 0, 16, [&](const std::vector<vbs::Value> &a) {
        QStringList parts;
        for (const auto &v : a)
            parts << shown(v);
        run.echoed << parts.join(QLatin1Char(' '));
        return vbs::Value();
    });

    vbs::Engine engine;
    run.budgetBytes = memoryMb > 0 ? memoryMb * 1024LL * 1024 : vbs::kDefaultMemoryBudget;
    engine.setMemoryBudget(run.budgetBytes);
    engine.addObject(QStringLiteral("obj"), obj);
    engine.addObject(QStringLiteral("out"), out);
    const bool peakKept = vbs::resetPeakMemory();
    const long long before = vbs::memoryInUse();
    QElapsedTimer clock;
    clock.start();
    run.ok = engine.run(source, QDeadlineTimer(timeoutMs));
    run.elapsedNs = clock.nsecsElapsed();
    run.elapsedMs = run.elapsedNs / 1'000'000;
    // The kernel raises its mark of the most memory held before it unmaps any, so a peak is
    // never missed; a mark below `before` means the run ended holding less than it started
    // with (it freed what was there before) and added nothing.
    if (peakKept)
        run.peakAddedBytes = std::max(0LL, vbs::peakMemoryInUse() - before);
    run.failure = engine.failure();
    return run;
}

QStringList transcript(const ScriptRun &run)
{
    QStringList lines = run.echoed;
    if (!run.ok)
        lines << QStringLiteral("!error %1: %2").arg(run.failure.number).arg(run.failure.description);
    return lines;
}

#pragma once
// Engine: the public face of the script engine. A host registers its objects by name, then
// runs source text as one block of statements under a deadline. The script can reach only the
// registered objects and the built-in functions: no files, processes, network or registry.
//
// Running a conversion script with the host object "obj":
//
//     auto obj = std::make_shared<vbs::HostObject>(QStringLiteral("clsScriptValue"));
//     QString source = input;
//     std::vector<QString> lines;
//     obj->addProperty("Source", [&] { return vbs::Value::string(source); },
//                      [&](const vbs::Value &v) { source = vbs::toStr(v); });
//     obj->addMethod("SetArrayReturn", 2, 2, [&](const std::vector<vbs::Value> &a) {
//         int32_t i = vbs::toLong(a[0]);
//         if (i < 0) vbs::raise(vbs::Err::SubscriptOutOfRange);
//         if (size_t(i) >= lines.size()) lines.resize(size_t(i) + 1);
//         lines[size_t(i)] = vbs::toStr(a[1]);
//         return vbs::Value();
//     });
//
//     vbs::Engine engine;
//     engine.addObject("obj", obj);
//     if (!engine.run(code, QDeadlineTimer(1800000)))
//         showMessage("执行代码错误:" + engine.failure().description);
//
// A run needs about 6 MB of C++ stack (the main thread's 8 MB is enough): deeper recursion in
// the script raises error 28 instead.
#include "vbscript/Sandbox.h"
#include "vbscript/ScriptError.h"
#include "vbscript/ScriptObject.h"

#include <QDeadlineTimer>
#include <QHash>
#include <memory>
#include <vector>

namespace vbs {

struct ScriptFailure {
    int number = 0;      // e.g. 13; Err::Timeout when the deadline passed
    QString description; // as shown to the user: "类型不匹配: 'CLng' (第 12 行)"
    int line = 0;        // 1-based line of the script
};

class Engine {
public:
    Engine();
    ~Engine();
    Engine(const Engine &) = delete;
    Engine &operator=(const Engine &) = delete;

    // Makes `object` reachable from scripts as `name` (case-insensitive). Its members are
    // reachable only through that name.
    void addObject(const QString &name, std::shared_ptr<ScriptObject> object);

    // Checks the syntax of `source` and runs it. Returns false on a syntax error, an error the
    // script did not handle, or when `deadline` passes (checked often enough to stop any loop
    // or recursion within a few milliseconds); failure() then says why.
    bool run(const QString &source, QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever));

    // Only checks the syntax.
    bool compile(const QString &source);

    // The memory a run may use beyond what the program held when it started (bytes; 0 for no
    // limit). Past it the script fails with error 7 and the program goes on.
    void setMemoryBudget(long long bytes) { m_memoryBudget = bytes; }
    long long memoryBudget() const { return m_memoryBudget; }

    // Asked about every 50 ms while a script runs, also inside long built-ins: false stops the
    // run with Err::Stopped. Lets a window offer a stop button and stay painted.
    void setKeepGoing(KeepGoing keepGoing) { m_keepGoing = std::move(keepGoing); }

    const ScriptFailure &failure() const { return m_failure; }

private:
    void fail(const ScriptError &e);

    QHash<QString, int> m_objectIndex;
    std::vector<std::shared_ptr<ScriptObject>> m_objects;
    ScriptFailure m_failure;
    long long m_memoryBudget = kDefaultMemoryBudget;
    KeepGoing m_keepGoing;
};

} // namespace vbs

#include "vbscript/Engine.h"

#include "vbscript/Interpreter.h"
#include "vbscript/Parser.h"
#include "vbscript/Resolver.h"

#include <new>

namespace vbs {

Engine::Engine() = default;
Engine::~Engine() = default;

void Engine::addObject(const QString &name, std::shared_ptr<ScriptObject> object)
{
    const QString key = name.toLower();
    auto it = m_objectIndex.find(key);
    if (it != m_objectIndex.end()) {
        m_objects[size_t(*it)] = std::move(object);
        return;
    }
    m_objectIndex.insert(key, int(m_objects.size()));
    m_objects.push_back(std::move(object));
}

void Engine::fail(const ScriptError &e)
{
    m_failure.number = e.number;
    m_failure.line = e.line;
    m_failure.description = e.description + QStringLiteral(" (第 %1 行)").arg(e.line);
}

bool Engine::compile(const QString &source)
{
    m_failure = ScriptFailure();
    try {
        parseProgram(source);
        return true;
    } catch (const ScriptError &e) {
        fail(e);
    } catch (const std::bad_alloc &) {
        fail(ScriptError{Err::OutOfMemory, errorText(Err::OutOfMemory), 1, false, false, {}, {}, 0});
    }
    return false;
}

bool Engine::run(const QString &source, QDeadlineTimer deadline)
{
    m_failure = ScriptFailure();
    RunLimits limits(deadline, m_memoryBudget, m_keepGoing);
    try {
        std::unique_ptr<Program> prog = parseProgram(source, deadline);
        resolveProgram(*prog, m_objectIndex);
        Interpreter interpreter(*prog, m_objects, deadline, m_objectIndex);
        interpreter.run();
        return true;
    } catch (const ScriptError &e) {
        fail(e);
    } catch (const std::bad_alloc &) {
        fail(ScriptError{Err::OutOfMemory, errorText(Err::OutOfMemory), 0, false, false, {}, {}, 0});
    }
    return false;
}

} // namespace vbs

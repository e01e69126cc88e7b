// Code compiled while the script runs: Execute, ExecuteGlobal, Eval, and GetRef's lookup.
#include "vbscript/ClassInstance.h"
#include "vbscript/Interpreter.h"
#include "vbscript/Parser.h"

namespace vbs {

namespace {

// Errors of the compiled text are reported at the line of the statement that ran it, with
// their own description.
template <typename F>
auto atCallerLine(F &&f) -> decltype(f())
{
    try {
        return f();
    } catch (ScriptError &e) {
        if (!e.fatal)
            e.line = 0;
        e.named = true;
        throw;
    }
}

} // namespace

void Interpreter::resolveInFrame(const std::function<void(const RunningScope &)> &resolve, bool global)
{
    Frame &f = global ? *m_scriptFrame : frame();
    if (&f == m_scriptFrame) {
        resolve(RunningScope());
    } else {
        // The running procedure's names, plus those earlier Execute calls added to this frame.
        QHash<QString, NameRef> names = f.proc->localNames;
        if (f.dynamicNames)
            names.insert(*f.dynamicNames);
        int count = int(f.cells.size());
        resolve(RunningScope{f.proc, f.self ? &f.self->cls : nullptr, &names, &count});
        if (count > int(f.cells.size())) {
            if (!f.dynamicNames)
                f.dynamicNames = std::make_unique<QHash<QString, NameRef>>();
            for (auto it = names.begin(); it != names.end(); ++it)
                if (it->index >= int(f.cells.size()))
                    f.dynamicNames->insert(it.key(), *it);
            while (int(f.cells.size()) < count) {
                f.extra.push_back(std::make_unique<Value>());
                f.cells.push_back(f.extra.back().get());
            }
        }
    }
    Frame &globals = *m_scriptFrame;
    while (int(globals.cells.size()) < m_prog.globalCount) {
        globals.extra.push_back(std::make_unique<Value>());
        globals.cells.push_back(globals.extra.back().get());
    }
    shadowGlobals(frame());
    syncAllCells();
}

void Interpreter::shadowGlobals(Frame &f)
{
    if (&f == m_scriptFrame || !f.dynamicNames)
        return;
    // A local that Execute declared hides the script-level variable of its name from the
    // procedure's own code too, which was resolved to the script-level one.
    const Frame &globals = *m_scriptFrame;
    f.shadow = globals.cells;
    for (auto it = f.dynamicNames->cbegin(); it != f.dynamicNames->cend(); ++it) {
        const auto g = m_prog.globalNames.constFind(it.key());
        if (g != m_prog.globalNames.constEnd() && g->kind == NameRef::Global && g->index < int(f.shadow.size()))
            f.shadow[size_t(g->index)] = f.cells[size_t(it->index)];
    }
}

void Interpreter::execute(const QString &code, bool global)
{
    std::unique_ptr<Program> fragment = atCallerLine([&] { return parseProgram(code, m_deadline); });
    resolveInFrame([&](const RunningScope &scope) { resolveFragment(m_prog, *fragment, m_hostIndex, scope); },
                   global);
    Frame &f = global ? *m_scriptFrame : frame();
    atCallerLine([&] {
        initDeclarations(fragment->decls, f);
        execBlock(fragment->body);
    });
}

Value Interpreter::evaluate(const QString &expression)
{
    ExprPtr e = atCallerLine([&] { return parseExpression(expression, m_deadline); });
    resolveInFrame([&](const RunningScope &scope) { resolveExpression(m_prog, *e, m_hostIndex, scope); },
                   false);
    return atCallerLine([&] { return eval(e.get()); });
}

const Procedure *Interpreter::procedureNamed(const QString &name) const
{
    const int i = m_prog.procNames.value(name.toLower(), -1);
    return i < 0 ? nullptr : m_prog.procedures[size_t(i)].get();
}

bool Interpreter::bindLateVariable(const NameExpr *n)
{
    const auto it = m_prog.globalNames.constFind(n->name.toLower());
    if (it == m_prog.globalNames.constEnd() || it->kind != NameRef::Global)
        return false;
    // The tree belongs to this run: from now on the name reads the variable directly.
    const_cast<NameExpr *>(n)->ref = *it;
    return true;
}

Value *Interpreter::executedLocal(const NameExpr *n)
{
    const Frame &f = frame();
    if (&f == m_scriptFrame || !f.dynamicNames)
        return nullptr;
    const auto it = f.dynamicNames->constFind(n->name.toLower());
    if (it == f.dynamicNames->constEnd() || it->kind != NameRef::Local)
        return nullptr;
    return f.cells[size_t(it->index)];
}

const Procedure *Interpreter::lateProcedure(const NameExpr *n) const
{
    if (m_prog.procedures.size() == m_procedureCount)
        return nullptr;
    const int i = m_prog.procNames.value(n->name.toLower(), -1);
    return size_t(i) >= m_procedureCount && i >= 0 ? m_prog.procedures[size_t(i)].get() : nullptr;
}

} // namespace vbs

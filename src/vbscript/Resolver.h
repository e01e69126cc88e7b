#pragma once
// Resolver: binds every name of a parsed program to a slot, procedure, built-in or host
// object, so the interpreter never looks names up while running.
#include "vbscript/Ast.h"

#include <QHash>

namespace vbs {

// `hostObjects` maps lower-case names to the index of each object the host registered.
void resolveProgram(Program &prog, const QHash<QString, int> &hostObjects);

// Where code compiled while the script runs (Execute, ExecuteGlobal, Eval) executes.
struct RunningScope {
    const Procedure *proc = nullptr;         // the running procedure; null at script level
    const ClassDecl *cls = nullptr;          // its class, for Me and the class's members
    QHash<QString, NameRef> *locals = nullptr; // the running frame's names (null: script level)
    int *localCount = nullptr;               // slots of the running frame; grows for new names
};

// Resolves `fragment` against the running program `prog`: the fragment's procedures and
// classes move into `prog` (visible to all code from then on); its statements and
// declarations see the names of `scope`. New variables go to the frame of `scope`, or to the
// script level when `scope.locals` is null.
void resolveFragment(Program &prog, Program &fragment, const QHash<QString, int> &hostObjects,
                     const RunningScope &scope);

// Resolves one expression (for Eval) in `scope`.
void resolveExpression(Program &prog, Expr &e, const QHash<QString, int> &hostObjects,
                       const RunningScope &scope);

} // namespace vbs

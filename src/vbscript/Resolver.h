#pragma once
// Resolver: binds every name of a parsed program to a slot, procedure, built-in or host
// object, so the interpreter never looks names up while running.
#include "vbscript/Ast.h"

#include <QHash>

namespace vbs {

// `hostObjects` maps lower-case names to the index of each object the host registered.
void resolveProgram(Program &prog, const QHash<QString, int> &hostObjects);

} // namespace vbs

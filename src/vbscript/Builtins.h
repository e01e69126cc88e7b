#pragma once
// The table of built-in functions and constants. Each family lives in its own file and adds
// its rows through one function.
#include "vbscript/Value.h"

#include <QString>
#include <vector>

namespace vbs {

class Interpreter;

using BuiltinFn = Value (*)(Interpreter &in, std::vector<Value> &args);

struct Builtin {
    const char *name; // as TypeName-style text and error messages show it
    int minArgs;
    int maxArgs;
    BuiltinFn fn;
};

const std::vector<Builtin> &builtinTable();
int findBuiltin(const QString &lowerName); // -1 when there is none
bool findConstant(const QString &lowerName, Value &out);

// One per family file.
void addStringBuiltins(std::vector<Builtin> &table);
void addArrayBuiltins(std::vector<Builtin> &table);
void addConversionBuiltins(std::vector<Builtin> &table);
void addMathBuiltins(std::vector<Builtin> &table);
void addInspectionBuiltins(std::vector<Builtin> &table);
void addHostBuiltins(std::vector<Builtin> &table);
void addDynamicBuiltins(std::vector<Builtin> &table);
void addDateBuiltins(std::vector<Builtin> &table);
void addFormatBuiltins(std::vector<Builtin> &table);

// Helpers the families share.
bool argGiven(const std::vector<Value> &args, size_t i); // present and not an omitted slot
int compareMode(const std::vector<Value> &args, size_t i); // vbBinaryCompare unless given
// Argument `i` with an object replaced by its default member's value (91 for Nothing, 438
// without a default member, 450 when that member needs arguments).
const Value &valueArgument(std::vector<Value> &args, size_t i);

} // namespace vbs

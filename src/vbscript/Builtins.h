#pragma once
// The table of built-in functions and constants. Each family lives in its own file and adds
// its rows through one function.
#include "vbscript/Value.h"

#include <QString>
#include <vector>

namespace vbs {

class Interpreter;

// The evaluated arguments of one built-in call, where the caller keeps them (on its stack for
// the usual few): the built-in may change or move from them.
class BuiltinArgs {
public:
    BuiltinArgs(Value *values, size_t count) : m_values(values), m_count(count) {}
    size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    Value &operator[](size_t i) { return m_values[i]; }
    const Value &operator[](size_t i) const { return m_values[i]; }
    Value *begin() { return m_values; }
    Value *end() { return m_values + m_count; }
    const Value *begin() const { return m_values; }
    const Value *end() const { return m_values + m_count; }

private:
    Value *m_values;
    size_t m_count;
};

using BuiltinFn = Value (*)(Interpreter &in, BuiltinArgs &args);

struct Builtin {
    const char *name; // as TypeName-style text and error messages show it
    int minArgs;
    int maxArgs;
    BuiltinFn fn;
    // The numeric and date conversions: called as a statement, after converting, they raise 458
    // (their result has nowhere to go), as on Windows.
    bool valueOnly = false;
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
bool argGiven(const BuiltinArgs &args, size_t i); // present and not an omitted slot
int compareMode(const BuiltinArgs &args, size_t i); // vbBinaryCompare unless given
// Argument `i` with an object replaced by its default member's value (91 for Nothing, 438
// without a default member, 450 when that member needs arguments).
const Value &valueArgument(BuiltinArgs &args, size_t i);

} // namespace vbs

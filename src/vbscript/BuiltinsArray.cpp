// Array functions: Split, Join, Array, UBound, LBound.
#include "vbscript/Builtins.h"
#include "vbscript/Coerce.h"
#include "vbscript/LongText.h"
#include "vbscript/Sandbox.h"
#include "vbscript/ScriptError.h"
#include "vbscript/TextSlice.h"
#include "vbscript/ValueSlots.h"

#include <algorithm>
#include <iterator>

namespace vbs {

namespace {

using Args = BuiltinArgs;

Value split(Interpreter &, Args &a)
{
    if (a[0].isNull())
        raise(Err::InvalidNull);
    QString scratch, scratchDelim;
    const QString &s = textOf(a[0], scratch);
    const QString &delim = argGiven(a, 1) ? textOf(a[1], scratchDelim) : (scratchDelim = QStringLiteral(" "));
    const long long limit = argGiven(a, 2) ? toLong(a[2]) : -1;
    if (limit < -1)
        raise(Err::InvalidCall);
    const Qt::CaseSensitivity cs = compareMode(a, 3) == 1 ? Qt::CaseInsensitive : Qt::CaseSensitive;
    std::vector<Value> out;
    if (s.isEmpty() || limit == 0)
        return Value::array(std::move(out));
    if (delim.isEmpty()) {
        out.push_back(Value::string(s));
        return Value::array(std::move(out));
    }
    qsizetype pos = 0;
    DeadlinePoll poll;
    // The first pieces gather here, so that a line's few pieces go into an array of their
    // exact size at once instead of one that doubles from one slot.
    constexpr size_t kFirst = 16;
    ValueSlots<kFirst> first;
    // The gathered pieces into `out`, with room for `capacity`.
    const auto spill = [&](size_t capacity) {
        reserveMemory((long long)capacity * (long long)sizeof(Value));
        out.reserve(capacity);
        std::move(first.data(), first.data() + first.size(), std::back_inserter(out));
    };
    // Each piece asks the budget for its slot before it is made; its text shares the line's.
    const auto add = [&](qsizetype from, qsizetype length) {
        if (!first.full()) {
            first.add([&] { return Value::string(sharedSlice(s, from, length)); });
            return;
        }
        if (out.empty())
            spill(2 * kFirst);
        if ((long long)out.size() >= kMaxArrayElements)
            raise(Err::OutOfMemory);
        beforeGrowing(out);
        out.push_back(Value::string(sharedSlice(s, from, length)));
    };
    for (;;) {
        const long long made = out.empty() ? (long long)first.size() : (long long)out.size();
        if (limit > 0 && made == limit - 1)
            break;
        const qsizetype hit = findText(s, delim, pos, cs);
        if (hit < 0)
            break;
        poll(hit - pos + delim.size());
        add(pos, hit - pos);
        pos = hit + delim.size();
    }
    add(pos, s.size() - pos);
    if (out.empty())
        spill(first.size());
    return Value::array(std::move(out));
}

Value join(Interpreter &, Args &a)
{
    if (valueArgument(a, 0).isNull())
        raise(Err::InvalidNull);
    if (!a[0].isArray())
        raise(Err::TypeMismatch);
    const ArrayData &arr = *a[0].asArray();
    if (arr.dims() != 1)
        raise(Err::TypeMismatch); // only a list of one dimension joins

    const QString delim = argGiven(a, 1) ? toStr(a[1]) : QStringLiteral(" ");
    QString out;
    DeadlinePoll poll;
    for (size_t i = 0; i < arr.items.size(); ++i) {
        if (i)
            appendText(out, delim);
        if (arr.items[i].isNull())
            raise(Err::TypeMismatch);
        const QString item = toConcatString(arr.items[i]);
        poll(item.size() + delim.size());
        appendText(out, item);
    }
    return Value::string(out);
}

Value array(Interpreter &, Args &a)
{
    std::vector<Value> items;
    items.reserve(a.size());
    for (Value &v : a)
        items.push_back(v.type() == Type::Error ? Value() : std::move(v));
    return Value::array(std::move(items));
}

// Which dimension UBound/LBound ask about: 1 unless given; 9 when the array has no such one.
int dimension(Args &a)
{
    if (!valueArgument(a, 0).isArray())
        raise(Err::TypeMismatch);
    const int dims = a[0].asArray()->dims();
    const long long d = argGiven(a, 1) ? toLong(a[1]) : 1;
    if (d < 1 || d > dims)
        raise(Err::SubscriptOutOfRange);
    return int(d);
}

Value uBound(Interpreter &, Args &a)
{
    const int d = dimension(a);
    return Value::longValue(a[0].asArray()->upper[size_t(d - 1)]);
}

Value lBound(Interpreter &, Args &a)
{
    dimension(a);
    return Value::longValue(0);
}

} // namespace

void addArrayBuiltins(std::vector<Builtin> &t)
{
    t.push_back({"Split", 1, 4, split});
    t.push_back({"Join", 1, 2, join});
    t.push_back({"Array", 0, 1 << 20, array});
    t.push_back({"UBound", 1, 2, uBound});
    t.push_back({"LBound", 1, 2, lBound});
}

} // namespace vbs

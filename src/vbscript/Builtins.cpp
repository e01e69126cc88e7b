#include "vbscript/Builtins.h"

#include "vbscript/Coerce.h"
#include "vbscript/ScriptError.h"

#include <QHash>

namespace vbs {

const std::vector<Builtin> &builtinTable()
{
    static const std::vector<Builtin> table = [] {
        std::vector<Builtin> t;
        addStringBuiltins(t);
        addArrayBuiltins(t);
        addConversionBuiltins(t);
        addMathBuiltins(t);
        addInspectionBuiltins(t);
        addHostBuiltins(t);
        addDynamicBuiltins(t);
        addDateBuiltins(t);
        addFormatBuiltins(t);
        return t;
    }();
    return table;
}

int findBuiltin(const QString &lowerName)
{
    static const QHash<QString, int> index = [] {
        QHash<QString, int> h;
        const auto &t = builtinTable();
        for (int i = 0; i < int(t.size()); ++i)
            h.insert(QString::fromLatin1(t[i].name).toLower(), i);
        return h;
    }();
    return index.value(lowerName, -1);
}

bool findConstant(const QString &lowerName, Value &out)
{
    static const QHash<QString, Value> constants = [] {
        QHash<QString, Value> c;
        auto str = [](const char *s) { return Value::string(QString::fromLatin1(s)); };
        c.insert("vbcrlf", str("\r\n"));
        c.insert("vbcr", str("\r"));
        c.insert("vblf", str("\n"));
        c.insert("vbnewline", str("\r\n"));
        c.insert("vbtab", str("\t"));
        c.insert("vbnullstring", Value::string(QString()));
        c.insert("vbnullchar", Value::string(QString(QChar(0))));
        c.insert("vbformfeed", str("\f"));
        c.insert("vbverticaltab", str("\v"));
        c.insert("vbbinarycompare", Value::integer(0));
        c.insert("vbtextcompare", Value::integer(1));
        c.insert("vbtrue", Value::integer(-1));
        c.insert("vbfalse", Value::integer(0));
        c.insert("vbusedefault", Value::integer(-2));
        const std::pair<const char *, int> types[] = {
            {"vbempty", 0}, {"vbnull", 1}, {"vbinteger", 2}, {"vblong", 3}, {"vbsingle", 4},
            {"vbdouble", 5}, {"vbcurrency", 6}, {"vbdate", 7}, {"vbstring", 8}, {"vbobject", 9},
            {"vberror", 10}, {"vbboolean", 11}, {"vbvariant", 12}, {"vbdataobject", 13},
            {"vbdecimal", 14}, {"vbbyte", 17}, {"vbarray", 8192},
            {"vbokonly", 0}, {"vbokcancel", 1}, {"vbabortretryignore", 2}, {"vbyesnocancel", 3},
            {"vbyesno", 4}, {"vbretrycancel", 5}, {"vbcritical", 16}, {"vbquestion", 32},
            {"vbexclamation", 48}, {"vbinformation", 64}, {"vbdefaultbutton1", 0},
            {"vbdefaultbutton2", 256}, {"vbdefaultbutton3", 512}, {"vbok", 1}, {"vbcancel", 2},
            {"vbabort", 3}, {"vbretry", 4}, {"vbignore", 5}, {"vbyes", 6}, {"vbno", 7},
            {"vbsunday", 1}, {"vbmonday", 2}, {"vbtuesday", 3}, {"vbwednesday", 4},
            {"vbthursday", 5}, {"vbfriday", 6}, {"vbsaturday", 7}, {"vbgeneraldate", 0},
            {"vblongdate", 1}, {"vbshortdate", 2}, {"vblongtime", 3}, {"vbshorttime", 4},
            {"vbusesystemdayofweek", 0}, {"vbusesystem", 0}, {"vbfirstjan1", 1},
            {"vbfirstfourdays", 2}, {"vbfirstfullweek", 3}, {"vbdatabasecompare", 2},
            {"vbdefaultbutton4", 768}, {"vbapplicationmodal", 0}, {"vbsystemmodal", 4096},
        };
        for (const auto &[name, v] : types)
            c.insert(QString::fromLatin1(name), Value::integer(int16_t(v)));
        c.insert("vbobjecterror", Value::longValue(int32_t(0x80040000u)));
        c.insert("vbmsgboxhelpbutton", Value::longValue(16384));
        c.insert("vbmsgboxsetforeground", Value::longValue(65536));
        c.insert("vbmsgboxright", Value::longValue(524288));
        c.insert("vbmsgboxrtlreading", Value::longValue(1048576));
        c.insert("vbblack", Value::longValue(0));
        c.insert("vbred", Value::longValue(0xFF));
        c.insert("vbgreen", Value::longValue(0xFF00));
        c.insert("vbyellow", Value::longValue(0xFFFF));
        c.insert("vbblue", Value::longValue(0xFF0000));
        c.insert("vbmagenta", Value::longValue(0xFF00FF));
        c.insert("vbcyan", Value::longValue(0xFFFF00));
        c.insert("vbwhite", Value::longValue(0xFFFFFF));
        return c;
    }();
    auto it = constants.find(lowerName);
    if (it == constants.end())
        return false;
    out = *it;
    return true;
}

bool argGiven(const BuiltinArgs &args, size_t i)
{
    return i < args.size() && args[i].type() != Type::Error;
}

const Value &valueArgument(BuiltinArgs &args, size_t i)
{
    if (args[i].isObject())
        args[i] = dereference(args[i]);
    return args[i];
}

int compareMode(const BuiltinArgs &args, size_t i)
{
    if (!argGiven(args, i))
        return 0;
    // Only binary (0) and text (1) comparison exist: vbDatabaseCompare and any other number
    // are an invalid call.
    const int32_t m = toLong(args[i]);
    if (m != 0 && m != 1)
        raise(Err::InvalidCall);
    return m;
}

} // namespace vbs

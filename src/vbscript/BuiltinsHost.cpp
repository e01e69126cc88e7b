// What scripts may ask of their surroundings: object creation (sandboxed), message boxes that
// show nothing, and the clock.
#include "vbscript/Builtins.h"
#include "vbscript/Coerce.h"
#include "vbscript/Interpreter.h"
#include "vbscript/ScriptError.h"

#include <QDateTime>

namespace vbs {

// Objects a script may create; everything else (files, shells, network) raises 429.
Value builtinCreateObject(Interpreter &in, BuiltinArgs &a)
{
    return in.createObject(toStr(a[0]));
}

namespace {

using Args = BuiltinArgs;

Value getObject(Interpreter &, Args &) { raise(Err::CannotCreateObject); }

// No box is shown: the answer is the default button of the requested set.
Value msgBox(Interpreter &, Args &a)
{
    const int32_t style = argGiven(a, 1) ? toLong(a[1]) : 0;
    const int set = style & 0xF;
    const int defaultButton = (style >> 8) & 0x3;
    static const int answers[6][3] = {
        {1, 1, 1}, // OK
        {1, 2, 2}, // OK, Cancel
        {3, 4, 5}, // Abort, Retry, Ignore
        {6, 7, 2}, // Yes, No, Cancel
        {6, 7, 7}, // Yes, No
        {4, 2, 2}, // Retry, Cancel
    };
    if (set > 5)
        return Value::integer(1);
    return Value::integer(int16_t(answers[set][std::min(defaultButton, 2)]));
}

// RGB packs red, green and blue (each cut to 255) into a Long: red in the low byte.
Value rgb(Interpreter &, Args &a)
{
    int32_t packed = 0;
    for (int i = 2; i >= 0; --i) {
        const int32_t c = toLong(a[size_t(i)]);
        if (c < 0)
            raise(Err::InvalidCall);
        packed = packed * 256 + std::min(c, 255);
    }
    return Value::longValue(packed);
}

// The engine we stand in for: VBScript 5.8.
Value scriptEngine(Interpreter &, Args &) { return Value::string(QStringLiteral("VBScript")); }
Value scriptEngineMajor(Interpreter &, Args &) { return Value::longValue(5); }
Value scriptEngineMinor(Interpreter &, Args &) { return Value::longValue(8); }
Value scriptEngineBuild(Interpreter &, Args &) { return Value::longValue(16384); }

// The locale is Chinese (2052); SetLocale records another and returns the one before.
Value getLocale(Interpreter &in, Args &) { return Value::longValue(in.locale); }

Value setLocale(Interpreter &in, Args &a)
{
    const int32_t before = in.locale;
    in.locale = argGiven(a, 0) && toLong(a[0]) != 0 ? toLong(a[0]) : kChineseLocale;
    return Value::longValue(before);
}

Value inputBox(Interpreter &, Args &a)
{
    return Value::string(argGiven(a, 2) ? toStr(a[2]) : QString());
}

double serialOf(const QDateTime &t)
{
    return double(QDate(1899, 12, 30).daysTo(t.date())) + t.time().msecsSinceStartOfDay() / 86400000.0;
}

Value now(Interpreter &, Args &)
{
    QDateTime t = QDateTime::currentDateTime();
    t.setTime(QTime(t.time().hour(), t.time().minute(), t.time().second()));
    return Value::date(serialOf(t));
}

Value date(Interpreter &, Args &)
{
    return Value::date(double(QDate(1899, 12, 30).daysTo(QDate::currentDate())));
}

Value time(Interpreter &, Args &)
{
    QTime t = QTime::currentTime();
    return Value::date((t.hour() * 3600 + t.minute() * 60 + t.second()) / 86400.0);
}

Value timer(Interpreter &, Args &)
{
    return Value::single(float(QTime::currentTime().msecsSinceStartOfDay() / 1000.0));
}

} // namespace

void addHostBuiltins(std::vector<Builtin> &t)
{
    t.push_back({"CreateObject", 1, 2, builtinCreateObject});
    t.push_back({"GetObject", 0, 2, getObject});
    t.push_back({"MsgBox", 1, 5, msgBox});
    t.push_back({"RGB", 3, 3, rgb});
    t.push_back({"ScriptEngine", 0, 0, scriptEngine});
    t.push_back({"ScriptEngineMajorVersion", 0, 0, scriptEngineMajor});
    t.push_back({"ScriptEngineMinorVersion", 0, 0, scriptEngineMinor});
    t.push_back({"ScriptEngineBuildVersion", 0, 0, scriptEngineBuild});
    t.push_back({"GetLocale", 0, 0, getLocale});
    t.push_back({"SetLocale", 0, 1, setLocale});
    t.push_back({"InputBox", 1, 7, inputBox});
    t.push_back({"Now", 0, 0, now});
    t.push_back({"Date", 0, 0, date});
    t.push_back({"Time", 0, 0, time});
    t.push_back({"Timer", 0, 0, timer});
}

} // namespace vbs

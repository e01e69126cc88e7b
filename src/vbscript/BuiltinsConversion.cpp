// Conversion functions: the C* family, Hex/Oct, Int/Fix/Abs/Sgn/Round.
#include "vbscript/Builtins.h"
#include "vbscript/Coerce.h"
#include "vbscript/DateSerial.h"
#include "vbscript/Operators.h"
#include "vbscript/ScriptError.h"

#include <QDate>
#include <cmath>

namespace vbs {

// Dates written as the users' systems write them: y/m/d or y-m-d, optionally a time.
bool parseDateText(const QString &text, double &serial)
{
    const QString s = text.trimmed();
    if (s.isEmpty())
        return false; // no date at all
    static const char *dateFormats[] = {"yyyy/M/d", "yyyy-M-d", "M/d/yyyy", "yyyy.M.d"};
    static const char *timeFormats[] = {"H:m:s", "H:m"};
    QString datePart = s, timePart;
    const qsizetype space = s.indexOf(QLatin1Char(' '));
    if (space > 0) {
        datePart = s.left(space);
        timePart = s.mid(space + 1).trimmed();
    } else if (s.contains(QLatin1Char(':'))) {
        datePart.clear();
        timePart = s;
    }
    double days = 0, frac = 0;
    if (!datePart.isEmpty()) {
        QDate d;
        for (const char *f : dateFormats)
            if ((d = QDate::fromString(datePart, QLatin1String(f))).isValid())
                break;
        if (!d.isValid())
            return false;
        days = dayNumber(d);
    }
    if (!timePart.isEmpty()) {
        QTime t;
        for (const char *f : timeFormats)
            if ((t = QTime::fromString(timePart, QLatin1String(f))).isValid())
                break;
        if (!t.isValid())
            return false;
        frac = t.msecsSinceStartOfDay() / 86400000.0;
    }
    serial = days + (days < 0 ? -frac : frac);
    return true;
}

namespace {

using Args = BuiltinArgs;

Value cBool(Interpreter &, Args &a) { return Value::boolean(toBool(a[0])); }

Value cByte(Interpreter &, Args &a)
{
    if (a[0].type() == Type::Boolean)
        return Value::byte(a[0].asBool() ? 255 : 0); // True is all bits set
    int32_t v = toLong(a[0]);
    if (v < 0 || v > 255)
        raise(Err::Overflow);
    return Value::byte(uint8_t(v));
}

Value cInt(Interpreter &, Args &a) { return Value::integer(toInteger(a[0])); }
Value cLng(Interpreter &, Args &a) { return Value::longValue(toLong(a[0])); }

Value cSng(Interpreter &, Args &a)
{
    double d = toDouble(a[0]);
    if (std::fabs(d) > 3.402823466e38)
        raise(Err::Overflow);
    return Value::single(float(d));
}

Value cDbl(Interpreter &, Args &a) { return Value::dbl(toDouble(a[0])); }

Value cCur(Interpreter &, Args &a)
{
    double d = toDouble(a[0]);
    if (std::fabs(d) > 922337203685477.5807)
        raise(Err::Overflow);
    return Value::currency(std::round(d * 10000.0) / 10000.0);
}

Value cDate(Interpreter &, Args &a)
{
    if (a[0].isNull())
        raise(Err::InvalidNull);
    return Value::date(toDateSerial(a[0]));
}

Value cStr(Interpreter &, Args &a) { return Value::string(toStr(a[0])); }

// Hex and Oct show negative Integers in 16 bits and everything else in 32.
Value radix(const Value &in, int base)
{
    if (in.isNull())
        return Value::null();
    Value n = toNumeric(in);
    int32_t v = toLong(n);
    const bool narrow = n.type() == Type::Integer || n.type() == Type::Byte
                        || n.type() == Type::Boolean;
    uint32_t bits = narrow && v < 0 ? uint32_t(uint16_t(int16_t(v))) : uint32_t(v);
    return Value::string(QString::number(bits, base).toUpper());
}

Value hex(Interpreter &, Args &a) { return radix(a[0], 16); }
Value oct(Interpreter &, Args &a) { return radix(a[0], 8); }

// Int and Fix keep the subtype of their argument (strings become Double).
Value wholePart(const Value &in, bool floorIt)
{
    if (in.isNull())
        return Value::null();
    Value n = toNumeric(in);
    if (n.type() == Type::Boolean)
        return Value::integer(int16_t(n.asInt()));
    if (n.isIntegral())
        return n;
    double d = floorIt ? std::floor(n.asDouble()) : std::trunc(n.asDouble());
    switch (n.type()) {
    case Type::Single:
        return Value::single(float(d));
    case Type::Currency:
        return Value::currency(d);
    case Type::Date:
        return Value::date(d);
    default:
        return Value::dbl(d);
    }
}

Value intFn(Interpreter &, Args &a) { return wholePart(a[0], true); }
Value fix(Interpreter &, Args &a) { return wholePart(a[0], false); }

Value absFn(Interpreter &, Args &a)
{
    if (a[0].isNull())
        return Value::null();
    Value n = toNumeric(a[0]);
    if (n.asDouble() >= 0)
        return n.type() == Type::Boolean ? Value::integer(0) : n;
    return negate(n);
}

Value sgn(Interpreter &, Args &a)
{
    double d = toDouble(a[0]);
    return Value::integer(int16_t(d > 0 ? 1 : d < 0 ? -1 : 0));
}

Value round(Interpreter &, Args &a)
{
    if (a[0].isNull())
        return Value::null();
    const long long places = argGiven(a, 1) ? toLong(a[1]) : 0;
    if (places < 0)
        raise(Err::InvalidCall);
    Value n = toNumeric(a[0]);
    if (n.isIntegral())
        return n; // a Boolean stays one
    const double scale = std::pow(10.0, double(std::min(places, 22LL)));
    double r = roundHalfEven(n.asDouble() * scale) / scale;
    if (n.type() == Type::Single)
        return Value::single(float(r));
    if (n.type() == Type::Currency)
        return Value::currency(r);
    return Value::dbl(r);
}

} // namespace

void addConversionBuiltins(std::vector<Builtin> &t)
{
    t.push_back({"CBool", 1, 1, cBool});
    t.push_back({"CByte", 1, 1, cByte, true});
    t.push_back({"CInt", 1, 1, cInt, true});
    t.push_back({"CLng", 1, 1, cLng, true});
    t.push_back({"CSng", 1, 1, cSng, true});
    t.push_back({"CDbl", 1, 1, cDbl, true});
    t.push_back({"CCur", 1, 1, cCur, true});
    t.push_back({"CDate", 1, 1, cDate, true});
    t.push_back({"CStr", 1, 1, cStr});
    t.push_back({"Hex", 1, 1, hex});
    t.push_back({"Oct", 1, 1, oct});
    t.push_back({"Int", 1, 1, intFn});
    t.push_back({"Fix", 1, 1, fix});
    t.push_back({"Abs", 1, 1, absFn});
    t.push_back({"Sgn", 1, 1, sgn});
    t.push_back({"Round", 1, 2, round});
}

} // namespace vbs

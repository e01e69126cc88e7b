#include "vbscript/Coerce.h"

#include "vbscript/DateSerial.h"
#include "vbscript/ScriptError.h"
#include "vbscript/ScriptObject.h"

#include <QDate>
#include <cmath>
#include <limits>

namespace vbs {

double roundHalfEven(double x)
{
    double r = std::floor(x);
    double diff = x - r;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(r, 2.0) != 0.0))
        r += 1.0;
    return r;
}

namespace {

bool parseRadix(const QString &s, int pos, int radix, double &out)
{
    if (pos >= s.size())
        return false;
    quint64 v = 0;
    for (; pos < s.size(); ++pos) {
        int digit = QChar(s[pos]).digitValue();
        if (radix == 16 && digit < 0) {
            QChar c = s[pos].toLower();
            if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
                digit = 10 + c.unicode() - 'a';
        }
        if (digit < 0 || digit >= radix)
            return false;
        v = v * radix + digit;
        if (v > 0xFFFFFFFFull)
            return false;
    }
    // Hex and octal strings are 32-bit two's complement numbers.
    out = double(int32_t(uint32_t(v)));
    return true;
}

} // namespace

bool parseNumber(const QString &text, double &out)
{
    if (long long whole; parseWholeNumber(text, whole)) {
        out = double(whole);
        return true;
    }
    QString s = text.trimmed();
    if (s.isEmpty())
        return false;
    if (s.size() > 2 && s[0] == QLatin1Char('&')) {
        QChar p = s[1].toLower();
        if (p == QLatin1Char('h'))
            return parseRadix(s, 2, 16, out);
        if (p == QLatin1Char('o'))
            return parseRadix(s, 2, 8, out);
        return false;
    }
    QByteArray digits;
    digits.reserve(s.size());
    int i = 0;
    if (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))
        digits.append(char(s[i++].unicode()));
    bool any = false;
    for (; i < s.size(); ++i) {
        QChar c = s[i];
        if (c.isDigit() && c.unicode() < 128) {
            digits.append(char(c.unicode()));
            any = true;
        } else if (c == QLatin1Char(',') && any) {
            continue; // digit grouping
        } else {
            break;
        }
    }
    if (i < s.size() && s[i] == QLatin1Char('.')) {
        digits.append('.');
        for (++i; i < s.size() && s[i].unicode() < 128 && s[i].isDigit(); ++i) {
            digits.append(char(s[i].unicode()));
            any = true;
        }
    }
    if (!any)
        return false;
    if (i < s.size() && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E')
                         || s[i] == QLatin1Char('d') || s[i] == QLatin1Char('D'))) {
        digits.append('e');
        ++i;
        if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
            digits.append(char(s[i++].unicode()));
        bool expDigits = false;
        for (; i < s.size() && s[i].unicode() < 128 && s[i].isDigit(); ++i) {
            digits.append(char(s[i].unicode()));
            expDigits = true;
        }
        if (!expDigits)
            return false;
    }
    if (i != s.size())
        return false;
    bool ok = false;
    out = digits.toDouble(&ok);
    return ok && std::isfinite(out);
}

Value dereference(const Value &v)
{
    if (!v.isObject())
        return v;
    if (!v.asObject())
        raise(Err::ObjectNotSet);
    std::vector<Value> args;
    Value result;
    if (!v.asObject()->invoke(QString(), Access::Get, args, result))
        raise(Err::NoSuchMember);
    if (result.isObject())
        raise(Err::TypeMismatch);
    return result;
}

Value toNumeric(const Value &in)
{
    switch (in.type()) {
    case Type::Empty:
        return Value::integer(0);
    case Type::Null:
    case Type::Byte:
    case Type::Integer:
    case Type::Long:
    case Type::Single:
    case Type::Double:
    case Type::Currency:
    case Type::Date:
    case Type::Boolean:
        return in;
    case Type::String: {
        double d;
        if (!parseNumber(in.asString(), d))
            raise(Err::TypeMismatch);
        return Value::dbl(d);
    }
    case Type::Object:
        return toNumeric(dereference(in));
    default:
        raise(Err::TypeMismatch);
    }
}

double toDouble(const Value &v)
{
    Value n = toNumeric(v);
    if (n.isNull())
        raise(Err::InvalidNull);
    return n.asDouble();
}

int32_t toLong(const Value &v)
{
    if (v.isSmallInteger())
        return v.asSmallInteger();
    Value n = toNumeric(v);
    if (n.isNull())
        raise(Err::InvalidNull);
    if (n.isIntegral())
        return n.asInt();
    double r = roundHalfEven(n.asDouble());
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        raise(Err::Overflow);
    return int32_t(r);
}

int16_t toInteger(const Value &v)
{
    Value n = toNumeric(v);
    if (n.isNull())
        raise(Err::InvalidNull);
    double r = n.isIntegral() ? n.asInt() : roundHalfEven(n.asDouble());
    if (!(r >= -32768.0 && r <= 32767.0))
        raise(Err::Overflow);
    return int16_t(r);
}

bool toBool(const Value &v)
{
    switch (v.type()) {
    case Type::Boolean:
        return v.asBool();
    case Type::Null:
        raise(Err::InvalidNull);
    case Type::String: {
        QString s = v.asString().trimmed();
        if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
            || s.compare(QLatin1String("#true#"), Qt::CaseInsensitive) == 0)
            return true;
        if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0
            || s.compare(QLatin1String("#false#"), Qt::CaseInsensitive) == 0)
            return false;
        double d;
        if (!parseNumber(s, d))
            raise(Err::TypeMismatch);
        return d != 0;
    }
    case Type::Object:
        return toBool(dereference(v));
    case Type::Array:
        raise(Err::TypeMismatch);
    default:
        return toNumeric(v).asDouble() != 0;
    }
}

QString formatDouble(double d)
{
    if (d == 0)
        return QStringLiteral("0");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", d);
    return QString::fromLatin1(buf);
}

QString formatSingle(float f)
{
    if (f == 0)
        return QStringLiteral("0");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.7G", double(f));
    return QString::fromLatin1(buf);
}

double toDateSerial(const Value &v)
{
    if (v.isString()) {
        double serial;
        if (parseDateText(v.asString(), serial) || parseNumber(v.asString(), serial))
            return checkedSerial(serial);
        raise(Err::TypeMismatch); // "" is no date either
    }
    return checkedSerial(v.type() == Type::Date ? v.asDouble() : toDouble(v));
}

QString formatDate(double d)
{
    // Day 0 is 1899-12-30; the fraction is the time of day, also for negative days.
    checkedSerial(d);
    double days = std::trunc(d);
    double frac = std::fabs(d - days);
    long long secs = llround(frac * 86400.0);
    if (secs >= 86400)
        secs = 86399;
    QDate date = QDate(1899, 12, 30).addDays((long long)days);
    QString datePart = QStringLiteral("%1/%2/%3").arg(date.year()).arg(date.month()).arg(date.day());
    QString timePart = QStringLiteral("%1:%2:%3")
                           .arg(secs / 3600)
                           .arg((secs / 60) % 60, 2, 10, QLatin1Char('0'))
                           .arg(secs % 60, 2, 10, QLatin1Char('0'));
    if (secs == 0)
        return datePart;
    if (days == 0)
        return timePart;
    return datePart + QLatin1Char(' ') + timePart;
}

QString toStr(const Value &v)
{
    switch (v.type()) {
    case Type::Empty:
        return QString();
    case Type::Null:
        raise(Err::InvalidNull);
    case Type::Boolean:
        return v.asBool() ? QStringLiteral("True") : QStringLiteral("False");
    case Type::Byte:
    case Type::Integer:
    case Type::Long:
        return QString::number(v.asInt());
    case Type::Single:
        return formatSingle(float(v.asDouble()));
    case Type::Double:
    case Type::Currency:
        return formatDouble(v.asDouble());
    case Type::Date:
        return formatDate(v.asDouble());
    case Type::String:
        return v.asString();
    case Type::Object:
        return toStr(dereference(v));
    default:
        raise(Err::TypeMismatch);
    }
}

QString takeStr(Value &v)
{
    if (QString *text = v.stringForAppend())
        return std::move(*text);
    return toStr(v);
}

const QString &textOf(const Value &v, QString &scratch)
{
    if (v.isString())
        return v.asString();
    scratch = toStr(v);
    return scratch;
}

QString toConcatString(const Value &v)
{
    return v.isNull() ? QString() : toStr(v);
}

Value narrowestNumber(double x)
{
    if (x == std::trunc(x)) {
        if (x >= -32768 && x <= 32767)
            return Value::integer(int16_t(x));
        if (x >= -2147483648.0 && x <= 2147483647.0)
            return Value::longValue(int32_t(x));
    }
    return Value::dbl(x);
}

} // namespace vbs

// FormatNumber, FormatPercent, FormatCurrency and FormatDateTime with the settings of a Chinese
// Windows: "." decimal point, "," grouping by three, "¥" before the amount, 2 decimals, short
// date yyyy/M/d, long date yyyy年M月d日, time H:mm:ss.
#include "vbscript/Builtins.h"
#include "vbscript/Coerce.h"
#include "vbscript/DateSerial.h"
#include "vbscript/ScriptError.h"

#include <cmath>

namespace vbs {

namespace {

using Args = BuiltinArgs;

// The tristate arguments: -1 yes, 0 no, -2 (or omitted) the system's setting.
bool tristate(const Args &a, size_t i, bool systemDefault)
{
    if (!argGiven(a, i))
        return systemDefault;
    const int32_t v = toLong(a[i]);
    return v == -2 ? systemDefault : v != 0;
}

struct NumberStyle {
    int digits = 2;
    bool leadingZero = true;
    bool parens = false;
    bool group = true;
};

NumberStyle styleOf(const Args &a)
{
    NumberStyle s;
    if (argGiven(a, 1)) {
        const int32_t d = toLong(a[1]);
        if (d < -1 || d > 255)
            raise(Err::InvalidCall);
        if (d >= 0)
            s.digits = d;
    }
    s.leadingZero = tristate(a, 2, true);
    s.parens = tristate(a, 3, false);
    s.group = tristate(a, 4, true);
    return s;
}

// The digits of |x| rounded (halves to even) to the style's decimals; `negative` says whether
// anything non-zero is left of a negative number.
QString digitsOf(double x, const NumberStyle &s, bool &negative)
{
    const double scaled = roundHalfEven(std::fabs(x) * std::pow(10.0, s.digits));
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.0f", scaled);
    QString all = QString::fromLatin1(buf);
    negative = x < 0 && scaled != 0;
    if (all.size() <= s.digits)
        all = QString(s.digits - all.size() + 1, QLatin1Char('0')) + all;
    QString whole = all.left(all.size() - s.digits);
    const QString fraction = all.right(s.digits);
    if (s.group)
        for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, QLatin1Char(','));
    if (whole == QLatin1String("0") && !s.leadingZero && s.digits > 0)
        whole.clear();
    return s.digits > 0 ? whole + QLatin1Char('.') + fraction : whole;
}

// The number to format: Null there is a wrong type (13), not an invalid use of Null.
double numberToFormat(const Value &v)
{
    if (v.isNull())
        raise(Err::TypeMismatch);
    return toDouble(v);
}

QString withSign(const QString &body, bool negative, bool parens)
{
    if (!negative)
        return body;
    return parens ? QLatin1Char('(') + body + QLatin1Char(')') : QLatin1Char('-') + body;
}

Value formatNumber(Interpreter &, Args &a)
{
    const double x = numberToFormat(a[0]);
    const NumberStyle s = styleOf(a);
    bool negative;
    const QString body = digitsOf(x, s, negative);
    return Value::string(withSign(body, negative, s.parens));
}

Value formatPercent(Interpreter &, Args &a)
{
    const double x = numberToFormat(a[0]);
    const NumberStyle s = styleOf(a);
    bool negative;
    const QString body = digitsOf(x * 100.0, s, negative) + QLatin1Char('%');
    return Value::string(withSign(body, negative, s.parens));
}

Value formatCurrency(Interpreter &, Args &a)
{
    const double x = numberToFormat(a[0]);
    const NumberStyle s = styleOf(a);
    bool negative;
    const QString body = digitsOf(x, s, negative);
    const QString yuan = QStringLiteral("¥");
    if (!negative)
        return Value::string(yuan + body);
    return Value::string(s.parens ? QLatin1Char('(') + yuan + body + QLatin1Char(')')
                                  : yuan + QLatin1Char('-') + body);
}

Value formatDateTime(Interpreter &, Args &a)
{
    if (a[0].isNull())
        raise(Err::TypeMismatch); // as the number formats do
    double serial;
    if (a[0].isString() && parseDateText(a[0].asString(), serial)) {
    } else if (a[0].type() == Type::Date) {
        serial = a[0].asDouble();
    } else {
        serial = toDouble(a[0]);
    }
    const int32_t style = argGiven(a, 1) ? toLong(a[1]) : 0;
    const DateParts p = splitSerial(serial);
    const int h = p.seconds / 3600, m = p.seconds / 60 % 60, sec = p.seconds % 60;
    auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    switch (style) {
    case 0:
        return Value::string(formatDate(serial));
    case 1:
        return Value::string(QStringLiteral("%1年%2月%3日").arg(p.date.year()).arg(p.date.month()).arg(p.date.day()));
    case 2:
        return Value::string(QStringLiteral("%1/%2/%3").arg(p.date.year()).arg(p.date.month()).arg(p.date.day()));
    case 3:
        return Value::string(QStringLiteral("%1:%2:%3").arg(h).arg(two(m), two(sec)));
    case 4:
        return Value::string(two(h) + QLatin1Char(':') + two(m));
    default:
        raise(Err::InvalidCall);
    }
}

} // namespace

void addFormatBuiltins(std::vector<Builtin> &t)
{
    t.push_back({"FormatNumber", 1, 5, formatNumber});
    t.push_back({"FormatPercent", 1, 5, formatPercent});
    t.push_back({"FormatCurrency", 1, 5, formatCurrency});
    t.push_back({"FormatDateTime", 1, 2, formatDateTime});
}

} // namespace vbs

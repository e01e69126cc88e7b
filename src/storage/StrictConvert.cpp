#include "storage/StrictConvert.h"

#include "common/VbFormat.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the plain decimal form on ASCII bytes and hands the number to from_chars, which does
// not depend on the process locale.
bool parseDecimal(QStringView text, double *out)
{
    const QStringView t = text.trimmed();
    const qsizetype n = t.size();
    if (n == 0 || n > 400)
        return false;
    char buf[401];
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = t[i].unicode();
        if (u > 0x7F)
            return false;
        buf[i] = char(u);
    }
    qsizetype i = 0;
    bool negative = false;
    if (buf[i] == '+' || buf[i] == '-') {
        negative = buf[i] == '-';
        ++i;
    }
    const qsizetype start = i;
    int digits = 0;
    while (i < n && isDigit(buf[i])) {
        ++i;
        ++digits;
    }
    if (i < n && buf[i] == '.') {
        ++i;
        while (i < n && isDigit(buf[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (buf[i] == 'e' || buf[i] == 'E')) {
        ++i;
        if (i < n && (buf[i] == '+' || buf[i] == '-'))
            ++i;
        if (i >= n || !isDigit(buf[i]))
            return false;
        while (i < n && isDigit(buf[i]))
            ++i;
    }
    if (i != n)
        return false;
    double v = 0;
    const auto r = std::from_chars(buf + start, buf + n, v, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != buf + n || !std::isfinite(v))
        return false;
    *out = negative ? -v : v;
    return true;
}

template <class Int>
bool parseInteger(QStringView text, Int *out)
{
    double v = 0;
    if (!parseDecimal(text, &v))
        return false;
    v = RoundHalfEven(v);
    if (v < double(std::numeric_limits<Int>::min()) || v > double(std::numeric_limits<Int>::max()))
        return false;
    *out = Int(v);
    return true;
}
} // namespace

bool StrictDouble(QStringView text, double *out) { return parseDecimal(text, out); }

bool StrictSingle(QStringView text, float *out)
{
    double v = 0;
    if (!parseDecimal(text, &v) || std::fabs(v) > double(std::numeric_limits<float>::max()))
        return false;
    *out = float(v);
    return true;
}

bool StrictInt32(QStringView text, qint32 *out) { return parseInteger(text, out); }
bool StrictInt16(QStringView text, qint16 *out) { return parseInteger(text, out); }

bool StrictBoolean(QStringView text, bool *out)
{
    const QStringView t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        *out = true;
        return true;
    }
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        *out = false;
        return true;
    }
    double v = 0;
    if (!parseDecimal(t, &v))
        return false;
    *out = v != 0;
    return true;
}

#include "common/ToNumber.h"
#include "common/CEval.h"
#include "common/VbFormat.h"

#include <charconv>
#include <cmath>

namespace {
// A plain number: blanks, an optional sign, digits with at most one point (at least one digit),
// an optional exponent, blanks. Scanned by hand: this runs for every value of a template file.
bool plainNumber(const QString &text, double &out)
{
    const int n = int(text.size());
    if (n > 400)
        return false;
    QByteArray ascii;
    ascii.reserve(n + 2);
    int i = 0;
    while (i < n && text[i].isSpace())
        ++i;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ascii.append(char(text[i++].unicode()));
    int digits = 0;
    bool point = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c >= '0' && c <= '9') {
            ascii.append(char(c.unicode()));
            ++digits;
        } else if (c == '.' && !point) {
            point = true;
            ascii.append('.');
        } else {
            break;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ascii.append('e');
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            ascii.append(char(text[i++].unicode()));
        int expDigits = 0;
        for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i, ++expDigits)
            ascii.append(char(text[i].unicode()));
        if (expDigits == 0)
            return false;
    }
    while (i < n && text[i].isSpace())
        ++i;
    if (i != n)
        return false;
    const char *first = ascii.constData();
    if (*first == '+')
        ++first; // from_chars takes no plus sign
    const auto r = std::from_chars(first, ascii.constData() + ascii.size(), out);
    return r.ec == std::errc() && r.ptr == ascii.constData() + ascii.size();
}
} // namespace

double ToNumber(const QVariant &value, double defaultValue, int decimals)
{
    try {
        double v = 0;
        const int type = value.typeId();
        if (type == QMetaType::Bool) {
            v = value.toBool() ? -1 : 0;
        } else if (type == QMetaType::Double || type == QMetaType::Float || type == QMetaType::Int
                   || type == QMetaType::LongLong || type == QMetaType::UInt
                   || type == QMetaType::ULongLong || type == QMetaType::Short) {
            v = value.toDouble();
        } else {
            const QString text = value.toString();
            if (!plainNumber(text, v)) {
                CEval eval;
                v = eval.Evaluate(text, defaultValue);
            }
        }
        if (!std::isfinite(v))
            return defaultValue;
        if (decimals >= 0)
            v = RoundHalfAway(v, decimals);
        return v;
    } catch (...) {
        return defaultValue;
    }
}

bool ConvertsToNumber(const QString &text)
{
    if (text.trimmed().isEmpty())
        return false;
    // A text that does not convert gives the default, whichever it is; one that converts gives
    // its own value both times.
    return ToNumber(text, 0) == ToNumber(text, 1);
}

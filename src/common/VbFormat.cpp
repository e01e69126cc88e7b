#include "common/VbFormat.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// The decimal digits of |v| rounded to 15 significant digits (which hides the binary noise of
// values such as 2.675), as a digit string and the position of the decimal point in it.
struct DecimalDigits {
    QByteArray digits; // no leading zeros unless the value is zero
    int pointPos = 0;  // digits before the decimal point (may be <= 0 or > digits.size())
};

DecimalDigits decimalDigits(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    // form: d.dddddddddddddde[+-]xx
    DecimalDigits d;
    const char *p = buf;
    d.digits.append(*p++);
    if (*p == '.')
        ++p;
    while (*p && *p != 'e')
        d.digits.append(*p++);
    const int exp = *p == 'e' ? std::atoi(p + 1) : 0;
    d.pointPos = exp + 1;
    return d;
}

// Rounds the digit string at `decimals` places after the point, halves away from zero.
// Returns the integer-part text and the fraction text (exactly `decimals` digits).
void roundDigits(const DecimalDigits &d, int decimals, QByteArray &intPart, QByteArray &fracPart)
{
    // Build a plain digit string with an explicit point position covering what we need.
    QByteArray all = d.digits;
    int point = d.pointPos;
    if (point <= 0) {
        all.prepend(QByteArray(1 - point, '0'));
        point = 1;
    }
    const int needed = point + decimals;
    if (all.size() < needed + 1)
        all.append(QByteArray(needed + 1 - all.size(), '0'));
    const bool up = all[needed] >= '5';
    all.truncate(needed);
    if (up) {
        int i = needed - 1;
        while (i >= 0) {
            if (all[i] == '9') {
                all[i] = '0';
                --i;
            } else {
                all[i] = char(all[i] + 1);
                break;
            }
        }
        if (i < 0) {
            all.prepend('1');
            ++point;
        }
    }
    intPart = all.left(point);
    fracPart = all.mid(point);
    // strip leading zeros of the integer part
    int nz = 0;
    while (nz < intPart.size() - 1 && intPart[nz] == '0')
        ++nz;
    intPart = intPart.mid(nz);
    if (intPart.isEmpty())
        intPart = "0";
}

bool allZero(const QByteArray &a, const QByteArray &b)
{
    for (char c : a)
        if (c != '0')
            return false;
    for (char c : b)
        if (c != '0')
            return false;
    return true;
}

} // namespace

double RoundHalfEven(double v)
{
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(v);
    std::fesetround(saved);
    return r;
}

double RoundHalfAway(double v, int decimals)
{
    if (!std::isfinite(v))
        return v;
    if (decimals < 0)
        decimals = 0;
    if (std::fabs(v) >= 1e15)
        return v; // no fraction digits left to round
    QByteArray i, f;
    roundDigits(decimalDigits(v), decimals, i, f);
    QByteArray text = i;
    if (!f.isEmpty())
        text += "." + f;
    double r = 0;
    std::from_chars(text.constData(), text.constData() + text.size(), r);
    return v < 0 ? -r : r;
}

QString GeneralDouble(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", v);
    if (buf[0] == '-' && std::strtod(buf, nullptr) == 0)
        return QStringLiteral("0");
    return QString::fromLatin1(buf);
}

QString GeneralSingle(float v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.7G", double(v));
    if (buf[0] == '-' && std::strtod(buf, nullptr) == 0)
        return QStringLiteral("0");
    return QString::fromLatin1(buf);
}

QString VbFormatNumber(double v, const QString &pattern)
{
    if (!std::isfinite(v))
        return GeneralDouble(v);
    const int dot = pattern.indexOf('.');
    const QString intPat = dot < 0 ? pattern : pattern.left(dot);
    const QString fracPat = dot < 0 ? QString() : pattern.mid(dot + 1);
    const int minInt = int(intPat.count('0'));
    int minFrac = 0, maxFrac = 0;
    for (QChar c : fracPat) {
        if (c == '0') {
            ++maxFrac;
            minFrac = maxFrac;
        } else if (c == '#') {
            ++maxFrac;
        }
    }
    QByteArray i, f;
    if (std::fabs(v) >= 1e15) {
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.0f", std::fabs(v));
        i = buf;
        f = QByteArray(maxFrac, '0');
    } else {
        roundDigits(decimalDigits(v), maxFrac, i, f);
    }
    while (f.size() > minFrac && f.endsWith('0'))
        f.chop(1);
    if (i == "0" && minInt == 0)
        i.clear();
    while (i.size() < minInt)
        i.prepend('0');
    QString out;
    if (v < 0 && !allZero(i, f))
        out += '-';
    out += QString::fromLatin1(i);
    if (dot >= 0)
        out += '.' + QString::fromLatin1(f);
    return out;
}

QString VbFormatDate(const QDateTime &t, const QString &pattern)
{
    const QDate d = t.date();
    const QTime tm = t.time();
    QString out;
    int i = 0;
    auto run = [&](QChar c) {
        int n = 0;
        while (i + n < pattern.size() && pattern[i + n].toLower() == c.toLower())
            ++n;
        return n;
    };
    auto two = [](int v) { return QString::number(v).rightJustified(2, '0'); };
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        const QChar lc = c.toLower();
        int n = run(c);
        if (lc == 'y') {
            out += n >= 4 ? QString::number(d.year()) : two(d.year() % 100);
        } else if (lc == 'm') {
            out += n >= 2 ? two(d.month()) : QString::number(d.month());
        } else if (lc == 'd') {
            out += n >= 2 ? two(d.day()) : QString::number(d.day());
        } else if (lc == 'h') {
            out += n >= 2 ? two(tm.hour()) : QString::number(tm.hour());
        } else if (lc == 'n') {
            out += n >= 2 ? two(tm.minute()) : QString::number(tm.minute());
        } else if (lc == 's') {
            out += n >= 2 ? two(tm.second()) : QString::number(tm.second());
        } else {
            n = 1;
            out += c;
        }
        i += n;
    }
    return out;
}

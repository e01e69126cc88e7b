#pragma once
// Conversions between subtypes, as the operators and the C* functions apply them.
#include "vbscript/Value.h"

#include <QString>

namespace vbs {

// Rounds halves to the even neighbour (2.5 -> 2, 3.5 -> 4), as CInt, CLng and Round do.
double roundHalfEven(double x);

// Reads a numeric string the way the engine accepts one: blanks around it, a sign, digits with
// "," grouping, a "." fraction, an exponent, or &H / &O prefixed integers. False if it is not one.
bool parseNumber(const QString &s, double &out);

// The common case of parseNumber, read in place: plain digits (at most 15) with an optional sign
// and blanks around them ("05", " -12 "). False for anything else, which parseNumber may still read.
[[gnu::always_inline]] inline bool parseWholeNumber(QStringView text, long long &out)
{
    const QChar *p = text.data(), *end = p + text.size();
    while (p < end && p->unicode() == ' ')
        ++p;
    while (end > p && end[-1].unicode() == ' ')
        --end;
    bool negative = false;
    if (p < end && (p->unicode() == '-' || p->unicode() == '+'))
        negative = (p++)->unicode() == '-';
    if (p == end || end - p > 15)
        return false;
    long long v = 0;
    for (; p < end; ++p) {
        const char16_t c = p->unicode();
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    out = negative ? -v : v;
    return true;
}

// A date argument as its serial: a Date, a number, or text that reads as a date or number;
// 13 for other text, 5 outside the date range.
double toDateSerial(const Value &v);

// An object's default member, or the value itself when it is not an object. Nothing raises 91,
// an object without a default member raises 438.
Value dereference(const Value &v);

// The value as a number for arithmetic: Empty becomes Integer 0, strings Double, Booleans stay
// (the operators treat them as -1/0); Null stays Null. Anything else raises 13.
Value toNumeric(const Value &v);

// Conversions of the C* functions; Null raises 94, non-numbers 13, out of range 6.
double toDouble(const Value &v);
int32_t toLong(const Value &v);
int16_t toInteger(const Value &v);
bool toBool(const Value &v);
QString toStr(const Value &v);

// Like toStr, but a String's text is moved out of `v` (left empty): a built-in that owns its
// arguments can then cut or change a text no other value holds without copying it.
QString takeStr(Value &v);

// Like toStr, but a String's text is read where it is: `scratch` holds the text of any other
// value, and the reference is good while both live.
const QString &textOf(const Value &v, QString &scratch);

// Like toStr, but Null becomes "" (what & does).
QString toConcatString(const Value &v);

// Text of a number as CStr writes it: 15 significant digits for Double, 7 for Single.
QString formatDouble(double d);
QString formatSingle(float f);
QString formatDate(double d);

// Reads "2024/1/5", "2024-1-5", "1/5/2024" with an optional "13:45[:12]" into a date serial.
bool parseDateText(const QString &text, double &serial);

// Narrowest of Integer, Long or Double that holds x exactly (integral x only for the first two).
Value narrowestNumber(double x);

} // namespace vbs

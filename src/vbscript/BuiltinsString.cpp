// String functions: Len, Left, Mid, InStr, Replace, Trim, ... with their edge rules.
#include "vbscript/Builtins.h"
#include "vbscript/ByteText.h"
#include "vbscript/Coerce.h"
#include "vbscript/LongText.h"
#include "vbscript/Operators.h"
#include "vbscript/Sandbox.h"
#include "vbscript/ScriptError.h"
#include "vbscript/TextSlice.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace vbs {

namespace {

using Args = BuiltinArgs;

// A length or position argument: rounded; Null raises 94.
long long count(const Value &v)
{
    if (v.isNull())
        raise(Err::InvalidNull);
    return toLong(v);
}

// The part of `s` from `pos` on, `len` long (to the end when negative), sharing the storage of
// `s`: no character is copied or moved.
QString sliced(QString s, qsizetype pos, qsizetype len = -1)
{
    if (pos >= s.size())
        return QString();
    if (len < 0 || len > s.size() - pos)
        len = s.size() - pos;
    return sharedSlice(std::move(s), pos, len);
}

Value length(Interpreter &, Args &a)
{
    if (a[0].isNull())
        return Value::null();
    // Half a character at the end (ChrB, LeftB) is no character.
    return Value::longValue(int32_t(toStr(a[0]).size() - (a[0].oddBytes() ? 1 : 0)));
}

Value left(Interpreter &, Args &a)
{
    long long n = count(a[1]);
    if (n < 0)
        raise(Err::InvalidCall);
    if (a[0].isNull())
        return Value::null();
    return Value::string(sliced(takeStr(a[0]), 0, qsizetype(n)));
}

Value right(Interpreter &, Args &a)
{
    long long n = count(a[1]);
    if (n < 0)
        raise(Err::InvalidCall);
    if (a[0].isNull())
        return Value::null();
    QString s = takeStr(a[0]);
    const qsizetype size = s.size();
    return Value::string(n >= size ? std::move(s) : sliced(std::move(s), size - qsizetype(n)));
}

Value mid(Interpreter &, Args &a)
{
    // A Null start or length is found before either is converted ("a" with Null: 94).
    if (a[1].isNull() || (argGiven(a, 2) && a[2].isNull()))
        raise(Err::InvalidNull);
    long long start = count(a[1]);
    long long len = argGiven(a, 2) ? count(a[2]) : -1;
    if (start <= 0 || (argGiven(a, 2) && len < 0))
        raise(Err::InvalidCall);
    if (a[0].isNull())
        return Value::null();
    return Value::string(sliced(takeStr(a[0]), qsizetype(start - 1), qsizetype(len)));
}

Qt::CaseSensitivity sensitivity(int mode) { return mode == 1 ? Qt::CaseInsensitive : Qt::CaseSensitive; }

// The arguments of InStr and InStrB: (s1, s2) or (start, s1, s2[, compare]).
struct InStrArgs {
    long long start = 1;
    int mode = 0;
    const Value *s1 = nullptr, *s2 = nullptr;
};

InStrArgs inStrArgs(const Args &a)
{
    InStrArgs r;
    size_t first = 0;
    if (a.size() >= 3) {
        r.start = count(a[0]);
        if (r.start < 1)
            raise(Err::InvalidCall);
        first = 1;
    }
    r.mode = compareMode(a, first + 2);
    r.s1 = &a[first];
    r.s2 = &a[first + 1];
    return r;
}

Value inStr(Interpreter &, Args &a)
{
    const InStrArgs args = inStrArgs(a);
    const long long start = args.start;
    const int mode = args.mode;
    const Value &v1 = *args.s1, &v2 = *args.s2;
    if (v1.isNull() || v2.isNull())
        return Value::null();
    QString scratch1, scratch2;
    const QString &s1 = textOf(v1, scratch1), &s2 = textOf(v2, scratch2);
    if (start > s1.size() + (s2.isEmpty() ? 1 : 0))
        return Value::longValue(0);
    if (s2.isEmpty())
        return Value::longValue(int32_t(start));
    const qsizetype pos = findText(s1, s2, qsizetype(start - 1), sensitivity(mode));
    return Value::longValue(int32_t(pos + 1));
}

Value inStrRev(Interpreter &, Args &a)
{
    long long start = argGiven(a, 2) ? count(a[2]) : -1;
    if (start == 0 || start < -1)
        raise(Err::InvalidCall);
    const int mode = compareMode(a, 3);
    if (a[0].isNull() || a[1].isNull())
        raise(Err::InvalidNull); // unlike InStr, which gives Null
    QString scratch1, scratch2;
    const QString &s1 = textOf(a[0], scratch1), &s2 = textOf(a[1], scratch2);
    if (start == -1)
        start = s1.size();
    if (start > s1.size())
        return Value::longValue(0);
    if (s2.isEmpty())
        return Value::longValue(int32_t(start));
    if (s2.size() > start)
        return Value::longValue(0);
    const qsizetype pos = findTextBackward(s1, s2, qsizetype(start), sensitivity(mode));
    return Value::longValue(int32_t(pos + 1));
}

// Texts up to this length are copied without looking at the deadline.
constexpr qsizetype kShortText = 4096;

// A copy of `text` with every `from` replaced by `to`, the first of them at `at`.
QString replacedCopy(const QString &text, qsizetype at, QChar from, QChar to)
{
    reserveMemory(textBytes(text.size()));
    QString out(text.size(), Qt::Uninitialized);
    const QChar *in = text.constData();
    QChar *o = out.data();
    std::copy(in, in + at, o);
    for (qsizetype i = at; i < text.size(); ++i)
        o[i] = in[i] == from ? to : in[i];
    return out;
}

Value replace(Interpreter &, Args &a)
{
    for (size_t i = 0; i < 3; ++i)
        if (a[i].isNull())
            raise(Err::InvalidNull);
    long long start = argGiven(a, 3) ? count(a[3]) : 1;
    long long limit = argGiven(a, 4) ? count(a[4]) : -1;
    const int mode = compareMode(a, 5);
    if (start < 1 || limit < -1)
        raise(Err::InvalidCall);
    QString scratchFind, scratchWith;
    const QString &find = textOf(a[1], scratchFind), &with = textOf(a[2], scratchWith);
    // The part before start is dropped from the result.
    QString text = sliced(takeStr(a[0]), qsizetype(start - 1));
    if (find.isEmpty() || limit == 0)
        return Value::string(text);
    const Qt::CaseSensitivity cs = sensitivity(mode);
    // One character by one everywhere: QString swaps them in place at once (a text shared
    // with another value is copied first, in pieces).
    if (limit < 0 && find.size() == 1 && with.size() == 1) {
        if (!text.isDetached()) {
            // A line without the character comes back as it is, still sharing its storage;
            // a short one with it is copied and replaced in one pass.
            const qsizetype at = text.indexOf(find.front(), 0, cs);
            if (at < 0)
                return Value::string(std::move(text));
            if (cs == Qt::CaseSensitive && text.size() < kShortText)
                return Value::string(replacedCopy(text, at, find.front(), with.front()));
            text = copyText(text);
        }
        text.replace(find.front(), with.front(), cs);
        return Value::string(std::move(text));
    }
    qsizetype hit = findText(text, find, 0, cs);
    if (hit < 0)
        return Value::string(std::move(text)); // nothing to replace
    QString out;
    if (with.size() <= find.size()) {
        reserveMemory(textBytes(text.size()));
        out.reserve(text.size());
    }
    qsizetype pos = 0;
    long long done = 0;
    DeadlinePoll poll;
    for (;;) {
        if (limit >= 0 && done >= limit)
            break;
        if (done > 0)
            hit = findText(text, find, pos, cs);
        if (hit < 0)
            break;
        poll(hit - pos + with.size());
        appendText(out, QStringView(text).mid(pos, hit - pos));
        appendText(out, with);
        pos = hit + find.size();
        ++done;
    }
    appendText(out, QStringView(text).mid(pos));
    return Value::string(out);
}

// Trim functions strip spaces only, not tabs or line ends.
Value trimWith(Value &v, bool front, bool back)
{
    if (v.isNull())
        return Value::null();
    QString s = takeStr(v);
    // Read through a view: a non-const QString's [] would first copy a text shared with the
    // variable it came from.
    const QStringView text(s);
    qsizetype b = 0, e = text.size();
    if (front)
        while (b < e && text[b] == u' ')
            ++b;
    if (back)
        while (e > b && text[e - 1] == u' ')
            --e;
    return Value::string(sliced(std::move(s), b, e - b));
}

Value trim(Interpreter &, Args &a) { return trimWith(a[0], true, true); }
Value lTrim(Interpreter &, Args &a) { return trimWith(a[0], true, false); }
Value rTrim(Interpreter &, Args &a) { return trimWith(a[0], false, true); }

Value uCase(Interpreter &, Args &a)
{
    return a[0].isNull() ? Value::null() : Value::string(caseMapped(takeStr(a[0]), true));
}

Value lCase(Interpreter &, Args &a)
{
    return a[0].isNull() ? Value::null() : Value::string(caseMapped(takeStr(a[0]), false));
}

Value repeated(long long n, QChar c)
{
    if (n < 0)
        raise(Err::InvalidCall);
    return Value::string(filledText(n, c));
}

Value space(Interpreter &, Args &a) { return repeated(count(a[0]), QLatin1Char(' ')); }

QChar charFromCode(long long code);

Value string(Interpreter &, Args &a)
{
    if (a[0].isNull() || a[1].isNull())
        return Value::null();
    long long n = count(a[0]);
    QChar c;
    if (a[1].isString()) {
        if (a[1].asString().isEmpty())
            raise(Err::InvalidCall);
        c = a[1].asString()[0];
    } else {
        long long code = toLong(a[1]);
        c = charFromCode(((code % 256) + 256) % 256);
    }
    return repeated(n, c);
}

Value strComp(Interpreter &, Args &a)
{
    const int mode = compareMode(a, 2);
    if (a[0].isNull() || a[1].isNull())
        return Value::null();
    return Value::integer(int16_t(compareText(toStr(a[0]), toStr(a[1]), mode)));
}

Value strReverse(Interpreter &, Args &a)
{
    if (a[0].isNull())
        raise(Err::InvalidNull);
    return Value::string(reversedText(toStr(a[0])));
}

// The first character of Asc's argument: 94 for Null, 5 for "".
QChar firstCharacter(const Value &v)
{
    if (v.isNull())
        raise(Err::InvalidNull);
    const QString s = toStr(v);
    if (s.isEmpty())
        raise(Err::InvalidCall);
    return s[0];
}

// Asc and Chr work in the system code page, which for our users is GBK: Asc("中") is the
// double-byte code as a negative Integer.
Value asc(Interpreter &, Args &a)
{
    const QChar c = firstCharacter(a[0]);
    if (c.unicode() < 0x80)
        return Value::integer(int16_t(c.unicode()));
    QStringEncoder enc("GB18030");
    QByteArray bytes = enc.isValid() ? QByteArray(enc(QString(c))) : QByteArray();
    if (bytes.size() == 1)
        return Value::integer(int16_t(uint8_t(bytes[0])));
    if (bytes.size() == 2)
        return Value::integer(int16_t(uint16_t((uint8_t(bytes[0]) << 8) | uint8_t(bytes[1]))));
    if (c.unicode() < 0x100)
        return Value::integer(int16_t(c.unicode())); // what Chr makes of a lone byte
    return Value::integer(63); // '?': not in the code page
}

Value ascW(Interpreter &, Args &a)
{
    return Value::integer(int16_t(firstCharacter(a[0]).unicode()));
}

QChar charFromCode(long long code)
{
    if (code < 0x80)
        return QChar(char16_t(code));
    QByteArray bytes;
    if (code < 0x100)
        bytes.append(char(code));
    else {
        bytes.append(char((code >> 8) & 0xFF));
        bytes.append(char(code & 0xFF));
    }
    QStringDecoder dec("GB18030");
    QString s = dec.isValid() ? QString(dec(bytes)) : QString();
    if (dec.hasError() || s.size() != 1)
        return QChar(char16_t(code & 0xFF));
    return s[0];
}

Value chr(Interpreter &, Args &a)
{
    if (a[0].isNull())
        raise(Err::InvalidNull);
    long long code = toLong(a[0]);
    if (code < -32768 || code > 65535)
        raise(Err::InvalidCall);
    if (code < 0)
        code += 65536;
    return Value::string(QString(charFromCode(code)));
}

Value chrW(Interpreter &, Args &a)
{
    if (a[0].isNull())
        raise(Err::InvalidNull);
    long long code = toLong(a[0]);
    if (code < -32768 || code > 65535)
        raise(Err::InvalidCall);
    return Value::string(QString(QChar(char16_t(code < 0 ? code + 65536 : code))));
}

Value filter(Interpreter &, Args &a)
{
    if (valueArgument(a, 0).isNull() || a[1].isNull())
        raise(Err::InvalidNull);
    if (!a[0].isArray() || a[0].asArray()->dims() != 1)
        raise(Err::TypeMismatch);
    if (argGiven(a, 3) && toLong(a[3]) > 1)
        raise(Err::InvalidCall); // only binary and text comparison
    const QString match = toStr(a[1]);
    const bool include = argGiven(a, 2) ? toBool(a[2]) : true;
    const Qt::CaseSensitivity cs = sensitivity(compareMode(a, 3));
    std::vector<Value> out;
    DeadlinePoll poll;
    for (const Value &item : a[0].asArray()->items) {
        QString s = toConcatString(item);
        poll(s.size());
        if ((findText(s, match, 0, cs) >= 0) == include) {
            beforeGrowing(out);
            out.push_back(Value::string(s));
        }
    }
    return Value::array(std::move(out));
}

// escape/unescape of JavaScript: %XX below 256, %uXXXX above.
Value escape(Interpreter &, Args &a)
{
    if (a[0].isNull())
        return Value::null();
    const QString s = toStr(a[0]);
    static const QString safe = QStringLiteral("@*_+-./");
    QString out;
    DeadlinePoll poll;
    for (QChar c : s) {
        poll(1);
        ushort u = c.unicode();
        if ((u < 128 && c.isLetterOrNumber()) || safe.contains(c))
            appendText(out, QStringView(&c, 1));
        else if (u < 256)
            appendText(out, QLatin1Char('%') + QStringLiteral("%1").arg(u, 2, 16, QLatin1Char('0')).toUpper());
        else
            appendText(out, QStringLiteral("%u") + QStringLiteral("%1").arg(u, 4, 16, QLatin1Char('0')).toUpper());
    }
    return Value::string(out);
}

Value unescape(Interpreter &, Args &a)
{
    if (a[0].isNull())
        return Value::null();
    const QString s = toStr(a[0]);
    QString out;
    DeadlinePoll poll;
    for (qsizetype i = 0; i < s.size(); ++i) {
        poll(1);
        bool ok = false;
        if (s[i] == QLatin1Char('%')) {
            if (i + 5 < s.size() + 0 && s[i + 1] == QLatin1Char('u')) {
                ushort u = s.mid(i + 2, 4).toUShort(&ok, 16);
                if (ok) {
                    out += QChar(u);
                    i += 5;
                    continue;
                }
            }
            if (i + 2 < s.size()) {
                ushort u = s.mid(i + 1, 2).toUShort(&ok, 16);
                if (ok) {
                    out += QChar(u);
                    i += 2;
                    continue;
                }
            }
        }
        out += s[i];
    }
    return Value::string(out);
}

// The byte forms work on the bytes of the text (ByteText.h); what they cut may end in half a
// character.
QByteArray argBytes(const Value &v)
{
    return v.isString() ? textBytes(v) : textBytes(toStr(v), false);
}

Value lenB(Interpreter &, Args &a)
{
    if (a[0].isNull())
        return Value::null();
    return Value::longValue(int32_t(argBytes(a[0]).size()));
}

// LeftB and RightB: the first or the last n bytes.
Value endBytes(Args &a, bool first)
{
    const long long n = count(a[1]);
    if (n < 0)
        raise(Err::InvalidCall);
    if (a[0].isNull())
        return Value::null();
    const QByteArray bytes = argBytes(a[0]);
    const qsizetype take = qsizetype(std::min<long long>(n, bytes.size()));
    return textFromBytes(first ? bytes.left(take) : bytes.right(take));
}

Value leftB(Interpreter &, Args &a) { return endBytes(a, true); }
Value rightB(Interpreter &, Args &a) { return endBytes(a, false); }

Value midB(Interpreter &, Args &a)
{
    const long long start = count(a[1]);
    const long long len = argGiven(a, 2) ? count(a[2]) : -1;
    if (start <= 0 || (argGiven(a, 2) && len < 0))
        raise(Err::InvalidCall);
    if (a[0].isNull())
        return Value::null();
    const QByteArray bytes = argBytes(a[0]);
    if (start > bytes.size())
        return Value::string(QString());
    return textFromBytes(bytes.mid(qsizetype(start - 1), len < 0 ? -1 : qsizetype(std::min<long long>(len, bytes.size()))));
}

Value inStrB(Interpreter &, Args &a)
{
    // Positions count bytes.
    const InStrArgs args = inStrArgs(a);
    const long long start = args.start;
    const Value &v1 = *args.s1, &v2 = *args.s2;
    if (v1.isNull() || v2.isNull())
        return Value::null();
    const QByteArray s1 = argBytes(v1), s2 = argBytes(v2);
    if (start > s1.size() + (s2.isEmpty() ? 1 : 0))
        return Value::longValue(0);
    if (s2.isEmpty())
        return Value::longValue(int32_t(start));
    return Value::longValue(int32_t(s1.indexOf(s2, qsizetype(start - 1)) + 1));
}

Value ascB(Interpreter &, Args &a)
{
    if (a[0].isNull())
        raise(Err::InvalidNull);
    const QByteArray bytes = argBytes(a[0]);
    if (bytes.isEmpty())
        raise(Err::InvalidCall);
    return Value::integer(int16_t(uchar(bytes[0])));
}

// ChrB: a text of the one byte, half a character.
Value chrB(Interpreter &, Args &a)
{
    if (a[0].isNull())
        raise(Err::InvalidNull);
    const long long code = toLong(a[0]);
    if (code < 0 || code > 255)
        raise(Err::InvalidCall);
    return textFromBytes(QByteArray(1, char(code)));
}

} // namespace

void addStringBuiltins(std::vector<Builtin> &t)
{
    t.push_back({"Len", 1, 1, length});
    t.push_back({"Left", 2, 2, left});
    t.push_back({"Right", 2, 2, right});
    t.push_back({"Mid", 2, 3, mid});
    t.push_back({"InStr", 2, 4, inStr});
    t.push_back({"InStrRev", 2, 4, inStrRev});
    t.push_back({"Replace", 3, 6, replace});
    t.push_back({"Trim", 1, 1, trim});
    t.push_back({"LTrim", 1, 1, lTrim});
    t.push_back({"RTrim", 1, 1, rTrim});
    t.push_back({"UCase", 1, 1, uCase});
    t.push_back({"LCase", 1, 1, lCase});
    t.push_back({"Space", 1, 1, space});
    t.push_back({"String", 2, 2, string});
    t.push_back({"StrComp", 2, 3, strComp});
    t.push_back({"StrReverse", 1, 1, strReverse});
    t.push_back({"Asc", 1, 1, asc});
    t.push_back({"AscB", 1, 1, ascB});
    t.push_back({"LenB", 1, 1, lenB});
    t.push_back({"LeftB", 2, 2, leftB});
    t.push_back({"RightB", 2, 2, rightB});
    t.push_back({"MidB", 2, 3, midB});
    t.push_back({"InStrB", 2, 4, inStrB});
    t.push_back({"AscW", 1, 1, ascW});
    t.push_back({"Chr", 1, 1, chr});
    t.push_back({"ChrB", 1, 1, chrB});
    t.push_back({"ChrW", 1, 1, chrW});
    t.push_back({"Filter", 2, 4, filter});
    t.push_back({"Escape", 1, 1, escape});
    t.push_back({"Unescape", 1, 1, unescape});
}

} // namespace vbs

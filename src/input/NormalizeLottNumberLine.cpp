#include "input/NormalizeLottNumberLine.h"

#include <QVarLengthArray>

namespace {
using Fields = QVarLengthArray<QStringView, 16>;

// The fields of a line: the text between runs of separators. Replacing each separator by a
// blank, collapsing blanks and trimming gives exactly these, so one pass does it all.
void SplitFields(QStringView line, Fields &fields)
{
    const QChar *p = line.data();
    const QChar *end = p + line.size();
    while (p < end) {
        while (p < end && IsBetSeparator(*p))
            ++p;
        const QChar *start = p;
        while (p < end && !IsBetSeparator(*p))
            ++p;
        if (p > start)
            fields.append(QStringView(start, p - start));
    }
}

constexpr char16_t kFullWidthZero = u'\uFF10';
constexpr char16_t kFullWidthNine = u'\uFF19';

bool IsFullWidthDigit(QChar c)
{
    return c.unicode() >= kFullWidthZero && c.unicode() <= kFullWidthNine;
}

bool HasFullWidthDigit(QStringView line)
{
    for (QChar c : line)
        if (IsFullWidthDigit(c))
            return true;
    return false;
}

QString NarrowDigits(QStringView line)
{
    QString out = line.toString();
    for (QChar &c : out)
        if (IsFullWidthDigit(c))
            c = QChar(char16_t(u'0' + (c.unicode() - kFullWidthZero)));
    return out;
}

QStringView StripLeadingZeros(QStringView digits)
{
    qsizetype i = 0;
    while (i < digits.size() && digits[i] == u'0')
        ++i;
    return digits.mid(i);
}

// Appends a whole number given by its digits with at least two digits ("5" -> "05",
// "007" -> "07", "123" stays).
void AppendTwoDigits(QStringView digits, QString &out)
{
    const QStringView significant = StripLeadingZeros(digits);
    for (qsizetype pad = significant.size(); pad < 2; ++pad)
        out.append(u'0');
    out.append(significant);
}

// A number written with an exponent ("2E3", "1d2" read as 2000, 100). Signs and decimal points
// are separators, so only whole mantissas and exponents can reach us.
bool AppendExponentForm(QStringView field, QString &out)
{
    qsizetype e = 0;
    while (e < field.size() && IsAsciiDigit(field[e]))
        ++e;
    if (e == 0 || e >= field.size() - 1)
        return false;
    const char16_t marker = field[e].toLower().unicode();
    if (marker != u'e' && marker != u'd')
        return false;
    const QStringView mantissa = field.left(e);
    const QStringView exponent = field.mid(e + 1);
    if (!AllAsciiDigits(exponent))
        return false;
    bool ok = false;
    const int zeros = exponent.toInt(&ok);
    if (!ok || zeros > 308) // beyond any number the format can hold: not a number
        return false;
    const QStringView significant = StripLeadingZeros(mantissa);
    if (significant.isEmpty()) {
        out.append(u"00");
        return true;
    }
    if (significant.size() + zeros < 2)
        out.append(u'0');
    out.append(significant);
    for (int i = 0; i < zeros; ++i)
        out.append(u'0');
    return true;
}

// The pattern "00": a field that reads as a number is written as its value with at least two
// digits; any other field is returned unchanged.
void AppendFormatted00(QStringView field, QString &out)
{
    if (AllAsciiDigits(field))
        AppendTwoDigits(field, out);
    else if (!AppendExponentForm(field, out))
        out.append(field);
}

void AppendDigitMode(QStringView last, QString &out)
{
    for (qsizetype i = 0; i < last.size(); ++i) {
        if (i > 0)
            out.append(u' ');
        out.append(last[i]);
    }
}

void AppendNumberMode(const Fields &fields, bool includeIndex, QString &out)
{
    for (qsizetype i = includeIndex ? 1 : 0; i < fields.size(); ++i) {
        if (i > (includeIndex ? 1 : 0))
            out.append(u' ');
        AppendFormatted00(fields[i], out);
    }
}
} // namespace

QString NormalizeSeparators(const QString &text)
{
    Fields fields;
    SplitFields(text, fields);
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out.append(u',');
        out.append(fields[i]);
    }
    return out;
}

qsizetype AppendNormalizedLottNumberLine(QStringView line, bool includeIndex, QString &out)
{
    // Full-width digits (０１ ０２), as Chinese input methods type them, are the digits they are.
    QString narrowed;
    if (HasFullWidthDigit(line)) {
        narrowed = NarrowDigits(line);
        line = narrowed;
    }
    Fields fields;
    SplitFields(line, fields);
    const qsizetype before = out.size();
    if (fields.size() == 1 || fields.size() == 2)
        AppendDigitMode(fields.back(), out);
    else if (fields.size() >= 3)
        AppendNumberMode(fields, includeIndex, out);
    return out.size() - before;
}

QString NormalizeLottNumberLine(const QString &line, bool includeIndex)
{
    QString out;
    AppendNormalizedLottNumberLine(line, includeIndex, out);
    return out;
}

#include "vbscript/Lexer.h"

#include "vbscript/ScriptError.h"

#include <QDateTime>
#include <cmath>

namespace vbs {

namespace {

bool isNameStart(QChar c)
{
    return c.isLetter();
}
bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

bool parseDateLiteral(const QString &body, double &serial);

} // namespace

void Lexer::scan()
{
    while (!hasPending && pos < s.size()) {
        QChar c = s[pos];
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar(0xFEFF)) {
            ++pos;
            space = true;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            newline();
        } else if (c == QLatin1Char('\'')) {
            skipComment();
        } else if (c == QLatin1Char('_') && continuation()) {
            continue;
        } else if (isNameStart(c)) {
            name();
        } else if (c == QLatin1Char('[')) {
            bracketName();
        } else if (c.isDigit() && c.unicode() < 128) {
            number();
        } else if (c == QLatin1Char('.') && pos + 1 < s.size() && s[pos + 1].isDigit() &&
                   !afterOperand()) {
            number();
        } else if (c == QLatin1Char('"')) {
            string();
        } else if (c == QLatin1Char('#')) {
            date();
        } else if (c == QLatin1Char('&') && radixDigitFollows()) {
            radixNumber();
        } else {
            op();
        }
    }
}

Token &Lexer::add(Tok kind)
{
    pending = Token();
    pending.kind = kind;
    pending.line = line;
    pending.spaceBefore = space;
    pending.afterContinuation = continued;
    space = false;
    continued = false;
    hasPending = true;
    return pending;
}

void Lexer::fail(int number)
{
    raiseAt(number, line);
}

bool Lexer::afterOperand() const
{
    if (space)
        return false;
    return prevKind == Tok::Name || prevKind == Tok::RParen;
}

void Lexer::newline()
{
    if (s[pos] == QLatin1Char('\r') && pos + 1 < s.size() && s[pos + 1] == QLatin1Char('\n'))
        ++pos;
    ++pos;
    add(Tok::Newline);
    ++line;
}

void Lexer::skipComment()
{
    while (pos < s.size() && s[pos] != QLatin1Char('\r') && s[pos] != QLatin1Char('\n'))
        ++pos;
}

// "_" followed by blanks and a line end joins the next line to this one.
bool Lexer::continuation()
{
    int p = pos + 1;
    while (p < s.size() && (s[p] == QLatin1Char(' ') || s[p] == QLatin1Char('\t')))
        ++p;
    if (p < s.size() && s[p] != QLatin1Char('\r') && s[p] != QLatin1Char('\n'))
        return false;
    if (p < s.size() && s[p] == QLatin1Char('\r') && p + 1 < s.size() &&
        s[p + 1] == QLatin1Char('\n'))
        ++p;
    pos = p + 1;
    ++line;
    space = true;
    continued = true;
    return true;
}

void Lexer::name()
{
    int start = pos;
    while (pos < s.size() && isNameChar(s[pos]))
        ++pos;
    QString text = s.mid(start, pos - start);
    QString lower = text.toLower();
    bool member = prevKind == Tok::Dot && !prevSpace;
    if (lower == QLatin1String("rem") && !member) {
        skipComment();
        return;
    }
    Token &t = add(Tok::Name);
    t.text = text;
    t.lower = lower;
}

void Lexer::bracketName()
{
    int start = ++pos;
    while (pos < s.size() && s[pos] != QLatin1Char(']') && s[pos] != QLatin1Char('\n') &&
           s[pos] != QLatin1Char('\r'))
        ++pos;
    if (pos >= s.size() || s[pos] != QLatin1Char(']'))
        fail(Err::InvalidCharacter);
    Token &t = add(Tok::Name);
    t.text = s.mid(start, pos - start);
    t.lower = QStringLiteral("[") + t.text.toLower(); // never equal to a keyword
    ++pos;
}

void Lexer::number()
{
    int start = pos;
    bool isFloat = false;
    while (pos < s.size() && s[pos].isDigit() && s[pos].unicode() < 128)
        ++pos;
    if (pos < s.size() && s[pos] == QLatin1Char('.')) {
        isFloat = true;
        ++pos;
        while (pos < s.size() && s[pos].isDigit() && s[pos].unicode() < 128)
            ++pos;
    }
    if (pos < s.size() && s[pos].toLower() == QLatin1Char('e')) {
        int p = pos + 1;
        if (p < s.size() && (s[p] == QLatin1Char('+') || s[p] == QLatin1Char('-')))
            ++p;
        if (p < s.size() && s[p].isDigit()) {
            isFloat = true;
            pos = p;
            while (pos < s.size() && s[pos].isDigit() && s[pos].unicode() < 128)
                ++pos;
        }
    }
    if (pos < s.size() && isNameStart(s[pos]))
        fail(Err::ExpectedEndOfStatement);
    double d = s.mid(start, pos - start).toDouble();
    if (!std::isfinite(d))
        fail(Err::InvalidNumber); // beyond the range of Double: refused when the script loads
    Token &t = add(Tok::Number);
    if (!isFloat && d <= 32767)
        t.value = Value::integer(int16_t(d));
    else if (!isFloat && d <= 2147483647.0)
        t.value = Value::longValue(int32_t(d));
    else
        t.value = Value::dbl(d);
}

void Lexer::radixNumber()
{
    int radix = s[pos + 1].toLower() == QLatin1Char('h') ? 16 : 8;
    pos += 2;
    int start = pos;
    quint64 v = 0;
    while (pos < s.size()) {
        int digit = s[pos].digitValue();
        QChar c = s[pos].toLower();
        if (radix == 16 && digit < 0 && c >= QLatin1Char('a') && c <= QLatin1Char('f'))
            digit = 10 + c.unicode() - 'a';
        if (digit < 0 || digit >= radix)
            break;
        v = v * radix + digit;
        if (v > 0xFFFFFFFFull)
            fail(Err::Overflow);
        ++pos;
    }
    if (pos == start)
        fail(Err::Syntax);
    bool forceLong = pos < s.size() && s[pos] == QLatin1Char('&');
    // Octal digits up to 177777 fit the same 16 bits (&O177777 is -1).
    const bool sixteenBits = !forceLong && (radix == 16 ? pos - start <= 4 : v <= 0xFFFF);
    if (forceLong)
        ++pos;
    Token &t = add(Tok::Number);
    // Up to four digits without `&` are a 16-bit pattern, else 32 bits; the subtype follows
    // the value: Integer within -32767..32767, Long outside.
    const int32_t x = sixteenBits ? int32_t(int16_t(uint16_t(v))) : int32_t(uint32_t(v));
    if (x >= -32767 && x <= 32767)
        t.value = Value::integer(int16_t(x));
    else
        t.value = Value::longValue(x);
}

// `&h` or `&o` followed by a digit of that base starts a number; otherwise `&` concatenates
// (x = "x" &hi).
bool Lexer::radixDigitFollows() const
{
    if (pos + 2 >= s.size())
        return false;
    const QChar r = s[pos + 1].toLower();
    const QChar d = s[pos + 2].toLower();
    if (r == QLatin1Char('h'))
        return (d.isDigit() && d.unicode() < 128) || (d >= QLatin1Char('a') && d <= QLatin1Char('f'));
    if (r == QLatin1Char('o'))
        return d >= QLatin1Char('0') && d <= QLatin1Char('7');
    return false;
}

void Lexer::string()
{
    QString text;
    ++pos;
    for (;;) {
        if (pos >= s.size() || s[pos] == QLatin1Char('\r') || s[pos] == QLatin1Char('\n'))
            fail(Err::UnterminatedString);
        if (s[pos] == QLatin1Char('"')) {
            if (pos + 1 < s.size() && s[pos + 1] == QLatin1Char('"')) {
                text += QLatin1Char('"');
                pos += 2;
                continue;
            }
            ++pos;
            break;
        }
        text += s[pos++];
    }
    Token &t = add(Tok::String);
    t.text = std::move(text);
}

void Lexer::date()
{
    int start = ++pos;
    while (pos < s.size() && s[pos] != QLatin1Char('#') && s[pos] != QLatin1Char('\n'))
        ++pos;
    if (pos >= s.size() || s[pos] != QLatin1Char('#'))
        fail(Err::Syntax);
    QString body = s.mid(start, pos - start).trimmed();
    ++pos;
    double serial;
    if (!parseDateLiteral(body, serial))
        fail(Err::Syntax);
    Token &t = add(Tok::Date);
    t.value = Value::date(serial);
}

namespace {

bool parseDateLiteral(const QString &body, double &serial)
{
    static const char *dateFormats[] = {"yyyy-M-d", "yyyy/M/d", "M/d/yyyy", "M-d-yyyy"};
    static const char *timeFormats[] = {"H:m:s", "H:m", "h:m:s AP", "h:m AP"};
    QString datePart = body, timePart;
    int space = body.indexOf(QLatin1Char(' '));
    if (body.contains(QLatin1Char(':'))) {
        if (space < 0 || body.indexOf(QLatin1Char(':')) < space) {
            datePart.clear();
            timePart = body;
        } else {
            datePart = body.left(space);
            timePart = body.mid(space + 1).trimmed();
        }
    }
    double days = 0, frac = 0;
    if (!datePart.isEmpty()) {
        QDate d;
        for (const char *f : dateFormats) {
            d = QDate::fromString(datePart, QLatin1String(f));
            if (d.isValid())
                break;
        }
        if (!d.isValid())
            return false;
        days = double(QDate(1899, 12, 30).daysTo(d));
    }
    if (!timePart.isEmpty()) {
        QTime t;
        for (const char *f : timeFormats) {
            t = QTime::fromString(timePart.toUpper(), QLatin1String(f));
            if (t.isValid())
                break;
        }
        if (!t.isValid())
            return false;
        frac = t.msecsSinceStartOfDay() / 86400000.0;
    }
    serial = days >= 0 ? days + frac : days - frac;
    return true;
}

} // namespace

void Lexer::op()
{
    QChar c = s[pos];
    QChar n = pos + 1 < s.size() ? s[pos + 1] : QChar();
    Tok kind;
    int len = 1;
    switch (c.unicode()) {
    case ':':
        kind = Tok::Colon;
        break;
    case '(':
        kind = Tok::LParen;
        break;
    case ')':
        kind = Tok::RParen;
        break;
    case ',':
        kind = Tok::Comma;
        break;
    case '.':
        kind = Tok::Dot;
        break;
    case '+':
        kind = Tok::Plus;
        break;
    case '-':
        kind = Tok::Minus;
        break;
    case '*':
        kind = Tok::Star;
        break;
    case '/':
        kind = Tok::Slash;
        break;
    case '\\':
        kind = Tok::Backslash;
        break;
    case '^':
        kind = Tok::Caret;
        break;
    case '&':
        kind = Tok::Amp;
        break;
    case '=':
        kind = Tok::Eq;
        if (n == QLatin1Char('<')) {
            kind = Tok::Le;
            len = 2;
        } else if (n == QLatin1Char('>')) {
            kind = Tok::Ge;
            len = 2;
        }
        break;
    case '<':
        kind = Tok::Lt;
        if (n == QLatin1Char('>')) {
            kind = Tok::Ne;
            len = 2;
        } else if (n == QLatin1Char('=')) {
            kind = Tok::Le;
            len = 2;
        }
        break;
    case '>':
        kind = Tok::Gt;
        if (n == QLatin1Char('=')) {
            kind = Tok::Ge;
            len = 2;
        } else if (n == QLatin1Char('<')) {
            kind = Tok::Ne;
            len = 2;
        }
        break;
    default:
        fail(Err::InvalidCharacter);
    }
    pos += len;
    add(kind);
}


Token Lexer::next()
{
    scan();
    if (!hasPending) {
        if (!finished) {
            finished = true;
            add(Tok::Newline);
        } else {
            add(Tok::End);
        }
    }
    hasPending = false;
    prevKind = pending.kind;
    prevSpace = pending.spaceBefore;
    return std::move(pending);
}

std::vector<Token> tokenize(const QString &text)
{
    Lexer lexer(text);
    std::vector<Token> out;
    do {
        out.push_back(lexer.next());
    } while (out.back().kind != Tok::End);
    return out;
}

} // namespace vbs

#include "vbscript/RegExp.h"

#include "vbscript/Coerce.h"
#include "vbscript/Sandbox.h"
#include "vbscript/ScriptError.h"

namespace vbs {

namespace {

void wantArgs(const std::vector<Value> &args, size_t count)
{
    if (args.size() != count)
        raise(Err::WrongArgumentCount);
}

// An item of a 0-based collection, or 5 for an index out of range.
const Value &itemAt(const std::vector<Value> &items, const std::vector<Value> &args)
{
    wantArgs(args, 1);
    const int32_t i = toLong(args[0]);
    if (i < 0 || size_t(i) >= items.size())
        raise(Err::InvalidCall);
    return items[size_t(i)];
}

class SubMatches : public ScriptObject {
public:
    explicit SubMatches(std::vector<Value> groups) : m_groups(std::move(groups)) {}
    QString typeName() const override { return QStringLiteral("ISubMatches"); }
    bool invoke(const QString &name, Access access, std::vector<Value> &args, Value &result) override
    {
        if (access == Access::Let || access == Access::Set)
            return false;
        const QString n = name.toLower();
        if (n.isEmpty() || n == QLatin1String("item")) {
            result = itemAt(m_groups, args);
            return true;
        }
        if (n == QLatin1String("count")) {
            wantArgs(args, 0);
            result = Value::longValue(int32_t(m_groups.size()));
            return true;
        }
        return false;
    }
    bool enumerate(std::vector<Value> &items) override
    {
        items = m_groups;
        return true;
    }

private:
    std::vector<Value> m_groups; // an unmatched group is Empty
};

class MatchObject : public ScriptObject {
public:
    explicit MatchObject(const QRegularExpressionMatch &m)
        : m_value(m.captured(0)), m_first(int32_t(m.capturedStart(0)))
    {
        for (int g = 1; g <= m.regularExpression().captureCount(); ++g)
            m_groups.push_back(m.capturedStart(g) < 0 ? Value() : Value::string(m.captured(g)));
    }
    QString typeName() const override { return QStringLiteral("IMatch2"); }
    bool invoke(const QString &name, Access access, std::vector<Value> &args, Value &result) override
    {
        if (access == Access::Let || access == Access::Set)
            return false;
        const QString n = name.toLower();
        if (n == QLatin1String("submatches")) {
            if (args.empty())
                result = Value::object(std::make_shared<SubMatches>(m_groups));
            else // m.SubMatches(0): the arguments go to the collection's Item
                result = itemAt(m_groups, args);
            return true;
        }
        if (!args.empty())
            raise(Err::WrongArgumentCount);
        if (n.isEmpty() || n == QLatin1String("value"))
            result = Value::string(m_value);
        else if (n == QLatin1String("firstindex"))
            result = Value::longValue(m_first);
        else if (n == QLatin1String("length"))
            result = Value::longValue(int32_t(m_value.size()));
        else
            return false;
        return true;
    }

private:
    QString m_value;
    int32_t m_first;
    std::vector<Value> m_groups;
};

class MatchCollection : public ScriptObject {
public:
    explicit MatchCollection(std::vector<Value> matches) : m_matches(std::move(matches)) {}
    QString typeName() const override { return QStringLiteral("IMatchCollection2"); }
    bool invoke(const QString &name, Access access, std::vector<Value> &args, Value &result) override
    {
        if (access == Access::Let || access == Access::Set)
            return false;
        const QString n = name.toLower();
        if (n.isEmpty() || n == QLatin1String("item")) {
            result = itemAt(m_matches, args);
            return true;
        }
        if (n == QLatin1String("count")) {
            wantArgs(args, 0);
            result = Value::longValue(int32_t(m_matches.size()));
            return true;
        }
        return false;
    }
    bool enumerate(std::vector<Value> &items) override
    {
        items = m_matches;
        return true;
    }

private:
    std::vector<Value> m_matches;
};

// Appends the replacement for one match, expanding its `$` forms.
void expand(QString &out, const QString &rep, const QRegularExpressionMatch &m, const QString &subject)
{
    const int groups = m.regularExpression().captureCount();
    for (qsizetype i = 0; i < rep.size(); ++i) {
        const QChar c = rep[i];
        if (c != QLatin1Char('$') || i + 1 >= rep.size()) {
            out += c;
            continue;
        }
        const QChar n = rep[i + 1];
        if (n == QLatin1Char('$')) {
            out += QLatin1Char('$');
            ++i;
        } else if (n == QLatin1Char('&')) {
            out += m.captured(0);
            ++i;
        } else if (n == QLatin1Char('`')) {
            out += subject.left(m.capturedStart(0));
            ++i;
        } else if (n == QLatin1Char('\'')) {
            out += subject.mid(m.capturedEnd(0));
            ++i;
        } else if (n.isDigit() && n.unicode() < 128) {
            // Two digits when they name a group, else one digit when it does, else literal.
            int one = n.unicode() - '0';
            int two = -1;
            if (i + 2 < rep.size() && rep[i + 2].unicode() < 128 && rep[i + 2].isDigit())
                two = one * 10 + (rep[i + 2].unicode() - '0');
            if (two >= 1 && two <= groups) {
                out += m.captured(two);
                i += 2;
            } else if (one >= 1 && one <= groups) {
                out += m.captured(one);
                i += 1;
            } else {
                out += c;
            }
        } else {
            out += c;
        }
    }
}

// The matches of `re` in `subject` (only the first unless `global`), each handed to `use`.
// The deadline is looked at before each search; a search the library gives up on (too much
// backtracking) raises 5 rather than passing for "no match".
template <typename F>
void eachMatch(const QRegularExpression &re, const QString &subject, bool global, F use)
{
    checkDeadline();
    QRegularExpressionMatchIterator it = re.globalMatch(subject);
    unsigned found = 0;
    qsizetype end = -1;
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        end = m.capturedEnd(0);
        use(m);
        if (!global)
            return;
        checkDeadline();
        if (++found % 4096 == 0)
            checkMemory();
    }
    // A search past the end (after an empty match there) is not valid either.
    if (!it.isValid() && end < subject.size())
        raise(Err::InvalidCall);
}

} // namespace

QString translatePattern(const QString &p, bool multiline)
{
    // Lines end at \r, \n or \r\n for ^, $ and the dot, as in JavaScript.
    QString out = QStringLiteral("(*ANYCRLF)");
    out.reserve(p.size() + 24);
    bool inClass = false;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QChar c = p[i];
        if (c == QLatin1Char('\\') && i + 1 < p.size()) {
            const QChar n = p[i + 1];
            if (n == QLatin1Char('u') && i + 5 < p.size()) {
                bool ok = false;
                const uint code = p.mid(i + 2, 4).toUInt(&ok, 16);
                if (ok) {
                    out += QStringLiteral("\\x{%1}").arg(code, 0, 16);
                    i += 5;
                    continue;
                }
            }
            out += c;
            out += n;
            ++i;
            continue;
        }
        if (inClass) {
            if (c == QLatin1Char(']'))
                inClass = false;
            out += c;
            continue;
        }
        if (c == QLatin1Char('[')) {
            inClass = true;
            out += c;
            if (i + 1 < p.size() && p[i + 1] == QLatin1Char('^')) {
                out += QLatin1Char('^');
                ++i;
            }
            // A ']' right after '[' or '[^' closes an empty class in JavaScript.
            if (i + 1 < p.size() && p[i + 1] == QLatin1Char(']')) {
                out += QStringLiteral("\\]");
                ++i;
            }
            continue;
        }
        if (c == QLatin1Char('$') && !multiline) {
            out += QStringLiteral("(?!(?s:.))");
            continue;
        }
        out += c;
    }
    return out;
}

const QRegularExpression &RegExpObject::compiled()
{
    if (m_dirty) {
        QRegularExpression::PatternOptions o = QRegularExpression::NoPatternOption;
        if (m_ignoreCase)
            o |= QRegularExpression::CaseInsensitiveOption;
        if (m_multiline)
            o |= QRegularExpression::MultilineOption;
        m_re = QRegularExpression(translatePattern(m_pattern, m_multiline), o);
        m_dirty = false;
    }
    if (!m_re.isValid())
        raise(Err::RegExpSyntax);
    return m_re;
}

QString RegExpObject::replace(const QString &subject, const QString &replacement)
{
    const QRegularExpression &re = compiled();
    QString out;
    qsizetype last = 0;
    eachMatch(re, subject, m_global, [&](const QRegularExpressionMatch &m) {
        out += QStringView(subject).mid(last, m.capturedStart(0) - last);
        expand(out, replacement, m, subject);
        last = m.capturedEnd(0);
        if (out.size() > kMaxStringLength)
            raise(Err::OutOfMemory);
    });
    out += QStringView(subject).mid(last);
    return out;
}

bool RegExpObject::invoke(const QString &name, Access access, std::vector<Value> &args, Value &result)
{
    const QString n = name.toLower();
    const bool assigning = access == Access::Let || access == Access::Set;
    bool *flag = n == QLatin1String("global")       ? &m_global
                 : n == QLatin1String("ignorecase") ? &m_ignoreCase
                 : n == QLatin1String("multiline")  ? &m_multiline
                                                     : nullptr;
    if (flag) {
        if (assigning) {
            wantArgs(args, 1);
            *flag = toBool(args[0]);
            m_dirty = true;
        } else {
            wantArgs(args, 0);
            result = Value::boolean(*flag);
        }
        return true;
    }
    if (n.isEmpty() || n == QLatin1String("pattern")) {
        if (assigning) {
            wantArgs(args, 1);
            m_pattern = toStr(args[0]);
            m_dirty = true;
        } else {
            wantArgs(args, 0);
            result = Value::string(m_pattern);
        }
        return true;
    }
    if (assigning)
        return false;
    if (n == QLatin1String("test")) {
        wantArgs(args, 1);
        const QRegularExpression &re = compiled();
        checkDeadline();
        const QRegularExpressionMatch m = re.match(toStr(args[0]));
        if (!m.isValid())
            raise(Err::InvalidCall); // the library gave up
        result = Value::boolean(m.hasMatch());
        return true;
    }
    if (n == QLatin1String("execute")) {
        wantArgs(args, 1);
        const QString subject = toStr(args[0]);
        std::vector<Value> matches;
        eachMatch(compiled(), subject, m_global, [&](const QRegularExpressionMatch &m) {
            matches.push_back(Value::object(std::make_shared<MatchObject>(m)));
        });
        result = Value::object(std::make_shared<MatchCollection>(std::move(matches)));
        return true;
    }
    if (n == QLatin1String("replace")) {
        wantArgs(args, 2);
        // A Boolean replacement is written as its number ("-1"), not as "True".
        const Value &with = args[1];
        const QString text = with.type() == Type::Boolean ? QString::number(with.asBool() ? -1 : 0)
                                                          : toStr(with);
        result = Value::string(replace(toStr(args[0]), text));
        return true;
    }
    return false;
}

} // namespace vbs

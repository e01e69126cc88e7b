#pragma once
// RegExp and the objects its Execute returns (Matches, Match, SubMatches). Patterns are
// written in the JavaScript flavour; we translate the few places where it differs from
// QRegularExpression's (PCRE2) before compiling.
#include "vbscript/ScriptObject.h"

#include <QRegularExpression>

namespace vbs {

class RegExpObject : public ScriptObject {
public:
    QString typeName() const override { return QStringLiteral("IRegExp2"); }
    bool invoke(const QString &name, Access access, std::vector<Value> &args,
                Value &result) override;

    // The text with every match (only the first unless Global) replaced; `$1`..`$99`, `$&`,
    // `` $` ``, `$'` and `$$` in the replacement stand for parts of the match.
    QString replace(const QString &subject, const QString &replacement);

private:
    const QRegularExpression &compiled(); // raises 5017 for a bad pattern

    QString m_pattern;
    bool m_global = false;
    bool m_ignoreCase = false;
    bool m_multiline = false;
    QRegularExpression m_re;
    bool m_dirty = true;
};

// Translates a JavaScript-flavour pattern to PCRE2: `$` ends the text only (unless multiline),
// lines end at CR, LF or CRLF, and `\uXXXX` names a character.
QString translatePattern(const QString &pattern, bool multiline);

} // namespace vbs

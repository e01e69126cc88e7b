#pragma once
// A bet line is the normalised text of one stake: tokens separated by exactly one blank, no
// blank at either end. These functions turn a line of a bet file into one.
#include <QString>
#include <QStringView>

// Every run of the accepted separators ("，", "|", "-", ".", "+", ";", "；", ",", TAB and
// blanks) becomes one ",", with none at either end.
QString NormalizeSeparators(const QString &text);

// The bet line of one source line, or "" when the line gives none (empty, separators only).
// One or two fields: digit mode, every character of the last field is a token ("12345" gives
// "1 2 3 4 5"; a first field is an index and dropped). Three or more: number mode, every field
// written with at least two digits ("5" gives "05"); with `includeIndex` the first field is the
// file's own index and dropped. Fields that are not numbers pass through unchanged. Full-width
// digits ("０１") are read as the ASCII digits they stand for.
QString NormalizeLottNumberLine(const QString &line, bool includeIndex);

// The same, appending the bet line to `out` (nothing when there is none), so an import of a
// million lines writes straight into one buffer. Returns the number of characters appended.
qsizetype AppendNormalizedLottNumberLine(QStringView line, bool includeIndex, QString &out);

// True for the separators of a bet file line.
inline bool IsBetSeparator(QChar c)
{
    switch (c.unicode()) {
    case u' ': case u'\t': case u',': case u'|': case u'-': case u'.': case u'+': case u';':
    case u'\uFF0C': // full-width comma
    case u'\uFF1B': // full-width semicolon
        return true;
    default:
        return false;
    }
}

inline bool IsAsciiDigit(QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'9'; }

// True for a non-empty run of ASCII digits: a number token of a bet line.
inline bool AllAsciiDigits(QStringView s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (!IsAsciiDigit(c))
            return false;
    return true;
}

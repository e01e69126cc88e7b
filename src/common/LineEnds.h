#pragma once
// Splitting text into lines the way every file of the program is read: a line ends at CR LF,
// LF or a lone CR; a final line end does not start another line; an empty text has no lines.
#include <QtGlobal>

// Calls `piece(line, end)` for each line in order; `end` is the line's end ("\r\n", "\n" or
// "\r"), empty for a last line without one. Works on QString, QStringView and QByteArray; on a
// view the pieces are views into it.
template <class Text, class Piece>
void ForEachLine(const Text &text, Piece piece)
{
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        const qsizetype endLength = text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n' ? 2 : 1;
        piece(text.mid(start, i - start), text.mid(i, endLength));
        i += endLength - 1;
        start = i + 1;
    }
    if (start < n)
        piece(text.mid(start), text.mid(n, 0));
}

#pragma once
// "Trimmed of blanks" in the program's files means the ASCII space and tab only: a full-width
// space (U+3000) or a no-break space in front of a label's text is part of the text and keeps
// it in its place on the slip.
#include <QString>
#include <QStringView>

QStringView TrimBlanks(QStringView text);
QString TrimBlanks(const QString &text);
inline bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }

#pragma once
// Parts of a script's text that share the storage of the text they come from, so that Split,
// Mid, Left, Right and Trim of a line copy no characters. The part keeps the whole storage
// alive while it lives: the memory budget, which counts the memory the process holds, sees
// all of it (a short part cannot hide a long text).
#include <QString>

namespace vbs {

// `len` characters of `text` from `pos` (both within the text), sharing its storage.
QString sharedSlice(const QString &text, qsizetype pos, qsizetype len);
// The same made from `text` itself, which is left empty: no character is moved or copied.
QString sharedSlice(QString &&text, qsizetype pos, qsizetype len);

} // namespace vbs

#pragma once
// Text work whose cost grows with the text: each function asks the run's memory budget before
// it allocates and works through long text in pieces, looking at the deadline between them,
// so that neither a long text nor a loop over one outlives the run's limits.
#include <QString>
#include <QStringView>

#include <algorithm>

namespace vbs {

// Bytes a text of `chars` characters holds.
constexpr long long textBytes(long long chars) { return chars * 2 + 32; }

// A copy of `s` (raises 7 past the longest text).
QString copyText(QStringView s);
// `n` times `c`.
QString filledText(long long n, QChar c);
// `s` upper-cased or lower-cased.
QString caseMapped(QString s, bool upper);
// `s` back to front.
QString reversedText(QStringView s);
// Appends `piece` to `out`, asking the budget before `out` grows its storage.
void appendText(QString &out, QStringView piece);
// The same for a variable that a script extends piece by piece (s = s & x): its storage
// starts at a few dozen characters, so building a line allocates once or twice.
void growText(QString &out, QStringView piece);

// Copies a text's characters to `to`: short ones (a field, a separator) one by one, where a
// call of memcpy would cost more.
[[gnu::always_inline]] inline void copyChars(QStringView from, char16_t *to)
{
    const char16_t *p = from.utf16();
    if (from.size() > 16) {
        std::copy(p, p + from.size(), to);
        return;
    }
    for (qsizetype i = 0; i < from.size(); ++i)
        to[i] = p[i];
}

// Appends `piece` when `out` is held by no other value and has room for it: written straight
// after the end, nothing allocated. False, with nothing done, otherwise. (A piece of `out`
// itself stays where it is: the room lies past the end.)
[[gnu::always_inline]] inline bool writeIntoRoom(QString &out, QStringView piece)
{
    QString::DataPointer &d = out.data_ptr();
    const qsizetype n = piece.size();
    if (d.needsDetach() || d.freeSpaceAtEnd() < n)
        return false;
    // Qt keeps a character of room past every allocation for the terminating zero.
    char16_t *end = d.data() + d.size;
    copyChars(piece, end);
    d.size += n;
    end[n] = u'\0';
    return true;
}

// The same for a short piece (a separator, a field) only: the in-place append of a script's
// s = s & x, which leaves longer pieces to appendText.
[[gnu::always_inline]] inline bool appendIntoRoom(QString &out, QStringView piece)
{
    return piece.size() <= 16 && writeIntoRoom(out, piece);
}
// `a` followed by `b`, in one allocation.
QString joinedText(QStringView a, QStringView b);
// Where `needle` first occurs in `hay` from `from` on, or -1 (an empty needle is found at `from`).
qsizetype findText(QStringView hay, QStringView needle, qsizetype from, Qt::CaseSensitivity cs);
// Where the last occurrence of `needle` (not empty) that ends within `hay`'s first `end`
// characters starts, or -1.
qsizetype findTextBackward(QStringView hay, QStringView needle, qsizetype end, Qt::CaseSensitivity cs);

} // namespace vbs

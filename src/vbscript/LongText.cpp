#include "vbscript/LongText.h"

#include "common/UnitBlocks.h"

#include "vbscript/Sandbox.h"
#include "vbscript/ScriptError.h"
#include "vbscript/Value.h"

#include <algorithm>

namespace vbs {

namespace {

// Characters handled between two looks at the deadline.
constexpr qsizetype kPiece = qsizetype(kWorkPerPoll);

// The end of the piece that starts at `from`: never between the halves of a surrogate pair.
qsizetype pieceEnd(QStringView s, qsizetype from)
{
    qsizetype end = std::min(s.size(), from + kPiece);
    if (end < s.size() && s[end - 1].isHighSurrogate())
        ++end;
    return end;
}

// The least storage a variable's text gets when a script appends to it.
constexpr long long kFirstCapacity = 24;

void checkLength(long long chars)
{
    if (chars > kMaxStringLength)
        raise(Err::OutOfMemory);
}

} // namespace

namespace {

void appendWithRoom(QString &out, QStringView piece, long long firstCapacity)
{
    const long long needed = (long long)out.size() + piece.size();
    checkLength(needed);
    if (!piece.isEmpty() && piece.data() >= out.constData() && piece.data() < out.constData() + out.size()) {
        // A part of `out` itself (s = s & s), which growing would move: appended from a copy.
        reserveMemory(textBytes(piece.size()));
        const QString copy = piece.toString();
        appendWithRoom(out, copy, firstCapacity);
        return;
    }
    // A text another value holds (a literal, a variable's copy) has no room of ours: it is
    // copied with room to grow, not just as long as it must be.
    if (needed > out.capacity() || out.data_ptr().needsDetach()) {
        const long long capacity =
            std::min(std::max({needed, (long long)out.capacity() * 2, firstCapacity}), kMaxStringLength);
        reserveMemory(textBytes(capacity));
        out.reserve(qsizetype(capacity));
    }
    if (piece.size() < kPiece) {
        // The room is there (above) and, once the text is ours alone, the characters go
        // straight after its end.
        if (!writeIntoRoom(out, piece))
            out.append(piece);
        return;
    }
    for (qsizetype from = 0; from < piece.size();) {
        const qsizetype end = pieceEnd(piece, from);
        out.append(piece.sliced(from, end - from));
        from = end;
        checkDeadline();
    }
}

} // namespace

void appendText(QString &out, QStringView piece) { appendWithRoom(out, piece, 0); }

void growText(QString &out, QStringView piece) { appendWithRoom(out, piece, kFirstCapacity); }

QString copyText(QStringView s)
{
    // Exactly as long as the text: only a text that grows gets room to grow.
    checkLength(s.size());
    reserveMemory(textBytes(s.size()));
    if (s.size() < kPiece)
        return s.toString();
    QString out;
    out.reserve(s.size());
    appendText(out, s);
    return out;
}

QString joinedText(QStringView a, QStringView b)
{
    const long long size = (long long)a.size() + b.size();
    checkLength(size);
    reserveMemory(textBytes(size));
    if (size < kPiece) {
        QString out(qsizetype(size), Qt::Uninitialized);
        char16_t *to = reinterpret_cast<char16_t *>(out.data());
        copyChars(a, to);
        copyChars(b, to + a.size());
        return out;
    }
    QString out;
    out.reserve(qsizetype(size));
    appendText(out, a);
    appendText(out, b);
    return out;
}

QString filledText(long long n, QChar c)
{
    checkLength(n);
    reserveMemory(textBytes(n));
    QString out(qsizetype(std::min<long long>(n, kPiece)), c);
    if (n <= kPiece)
        return out;
    out.reserve(qsizetype(n));
    while (out.size() < n) {
        checkDeadline();
        out.resize(std::min<qsizetype>(qsizetype(n), out.size() + kPiece), c);
    }
    return out;
}

QString caseMapped(QString s, bool upper)
{
    if (s.size() <= kPiece)
        return upper ? std::move(s).toUpper() : std::move(s).toLower();
    reserveMemory(textBytes(s.size()));
    QString out;
    out.reserve(s.size());
    for (qsizetype from = 0; from < s.size();) {
        const qsizetype end = pieceEnd(s, from);
        QString piece = s.mid(from, end - from);
        appendText(out, upper ? std::move(piece).toUpper() : std::move(piece).toLower());
        from = end;
        checkDeadline();
    }
    return out;
}

QString reversedText(QStringView s)
{
    reserveMemory(textBytes(s.size()));
    QString out;
    out.reserve(s.size());
    for (qsizetype end = s.size(); end > 0;) {
        const qsizetype from = std::max<qsizetype>(0, end - kPiece);
        for (qsizetype i = end; i > from; --i)
            out.append(s[i - 1]);
        end = from;
        checkDeadline();
    }
    return out;
}

namespace {

// A case-sensitive search for a short needle in one window: its first character is looked
// for a block at a time, then the rest compared there. Qt's general search prepares a hash
// for every call, which costs more than the search itself on a line of a bet file (Split by
// vbCrLf, InStr of "+", Replace of two spaces).
qsizetype findShort(QStringView hay, QStringView needle)
{
    const char16_t *h = hay.utf16(), *n = needle.utf16();
    const qsizetype len = needle.size(), last = hay.size() - len;
    const char16_t first = n[0];
    const auto matchesAt = [&](qsizetype at) {
        for (qsizetype k = 1; k < len; ++k)
            if (h[at + k] != n[k])
                return false;
        return true;
    };
    for (qsizetype at = 0; at <= last;) {
        at = UnitBlocks::Find(h, at, last + 1, first);
        if (at < 0)
            return -1;
        if (matchesAt(at))
            return at;
        ++at;
    }
    return -1;
}

constexpr qsizetype kShortNeedle = 8;

} // namespace

qsizetype findText(QStringView hay, QStringView needle, qsizetype from, Qt::CaseSensitivity cs)
{
    const bool scan = cs == Qt::CaseSensitive && !needle.isEmpty() && needle.size() <= kShortNeedle;
    // Each window overlaps the next by the needle's length less one, so no occurrence is
    // missed at a window's edge.
    while (from + needle.size() <= hay.size()) {
        const qsizetype end = std::min(hay.size(), from + kPiece + needle.size() - 1);
        const QStringView window = hay.sliced(from, end - from);
        const qsizetype at = scan ? findShort(window, needle) : window.indexOf(needle, 0, cs);
        if (at >= 0)
            return from + at;
        if (end == hay.size())
            break;
        from = end - needle.size() + 1;
        checkDeadline();
    }
    return -1;
}

qsizetype findTextBackward(QStringView hay, QStringView needle, qsizetype end, Qt::CaseSensitivity cs)
{
    end = std::min(end, hay.size());
    while (end >= needle.size()) {
        const qsizetype from = std::max<qsizetype>(0, end - kPiece - needle.size() + 1);
        const qsizetype at = hay.sliced(from, end - from).lastIndexOf(needle, -1, cs);
        if (at >= 0)
            return from + at;
        if (from == 0)
            break;
        end = from + needle.size() - 1;
        checkDeadline();
    }
    return -1;
}

} // namespace vbs

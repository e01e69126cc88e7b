#include "print/PdfMediaBox.h"

#include <cmath>
#include <vector>

namespace {
struct Edit {
    qsizetype at;     // where the replaced text started
    qsizetype length; // its length
    QByteArray text;  // what replaces it
};

QByteArray number(double v) { return QByteArray::number(v, 'f', 4); }

// "/MediaBox [0 0 W H]" of each page, replaced where the exact size differs.
std::vector<Edit> mediaBoxEdits(const QByteArray &pdf, const QList<QSizeF> &pagePoints)
{
    static const QByteArray head = "/MediaBox [0 0 ";
    std::vector<Edit> edits;
    qsizetype from = 0;
    for (const QSizeF &exact : pagePoints) {
        const qsizetype at = pdf.indexOf(head, from);
        if (at < 0)
            break;
        const qsizetype close = pdf.indexOf(']', at);
        if (close < 0)
            break;
        from = close;
        const QList<QByteArray> wh = pdf.mid(at + head.size(), close - at - head.size()).simplified().split(' ');
        bool okW = false, okH = false;
        const double w = wh.value(0).toDouble(&okW);
        const double h = wh.value(1).toDouble(&okH);
        if (wh.size() != 2 || !okW || !okH || !exact.isValid())
            continue;
        if (std::abs(w - exact.width()) < 1e-6 && std::abs(h - exact.height()) < 1e-6)
            continue;
        // The top edge stays at h: the page content is drawn downwards from there.
        edits.push_back({at, close + 1 - at,
                         "/MediaBox [0 " + number(h - exact.height()) + ' ' + number(exact.width())
                             + ' ' + number(h) + ']'});
    }
    return edits;
}

// How far an offset of the old file moves.
qsizetype shiftAt(const std::vector<Edit> &edits, qsizetype offset)
{
    qsizetype shift = 0;
    for (const Edit &e : edits)
        if (e.at < offset)
            shift += e.text.size() - e.length;
    return shift;
}

// The table after "xref\n" and the number after "startxref", moved by the edits before them.
QByteArray withMovedOffsets(const QByteArray &pdf, const std::vector<Edit> &edits)
{
    QByteArray out = pdf;
    const qsizetype startxref = out.lastIndexOf("startxref");
    if (startxref < 0)
        return out;
    qsizetype numberAt = startxref + 9;
    while (numberAt < out.size() && (out[numberAt] == '\n' || out[numberAt] == '\r' || out[numberAt] == ' '))
        ++numberAt;
    qsizetype numberEnd = numberAt;
    while (numberEnd < out.size() && out[numberEnd] >= '0' && out[numberEnd] <= '9')
        ++numberEnd;
    const qsizetype oldXref = out.mid(numberAt, numberEnd - numberAt).toLongLong();
    const qsizetype xref = oldXref + shiftAt(edits, oldXref);
    out.replace(numberAt, numberEnd - numberAt, QByteArray::number(xref));
    if (!out.mid(xref, 4).startsWith("xref"))
        return out;
    // "xref\n0 N\n" then N entries of 20 bytes: "oooooooooo ggggg n \n".
    qsizetype line = out.indexOf('\n', xref) + 1;
    const qsizetype countEnd = out.indexOf('\n', line);
    const QList<QByteArray> header = out.mid(line, countEnd - line).simplified().split(' ');
    const int count = header.value(1).toInt();
    line = countEnd + 1;
    for (int i = 0; i < count && line + 20 <= out.size(); ++i, line += 20) {
        if (out[line + 17] != 'n')
            continue;
        const qsizetype offset = out.mid(line, 10).toLongLong();
        out.replace(line, 10, QByteArray::number(offset + shiftAt(edits, offset)).rightJustified(10, '0'));
    }
    return out;
}
} // namespace

QByteArray WithExactMediaBoxes(const QByteArray &pdf, const QList<QSizeF> &pagePoints)
{
    const std::vector<Edit> edits = mediaBoxEdits(pdf, pagePoints);
    if (edits.empty())
        return pdf;
    QByteArray out;
    out.reserve(pdf.size() + qsizetype(edits.size()) * 16);
    qsizetype from = 0;
    for (const Edit &e : edits) {
        out += pdf.mid(from, e.at - from);
        out += e.text;
        from = e.at + e.length;
    }
    out += pdf.mid(from);
    return withMovedOffsets(out, edits);
}

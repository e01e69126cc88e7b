#include "print/DocumentSurface.h"
#include "common/MsgBox.h"

#include <cmath>

DocumentSurface::DocumentSurface()
{
    m_doc.setSetup(m_setup);
}

PrintDocument DocumentSurface::TakeDocument()
{
    PrintDocument taken = std::move(m_doc);
    m_doc = PrintDocument();
    m_doc.setSetup(m_setup);
    m_stateDirty = true;
    return taken;
}

void DocumentSurface::StartDoc()
{
    m_doc.Clear();
    m_doc.setSetup(m_setup);
    m_doc.AddPage();
    m_state = DrawState();
    m_stateDirty = true;
    m_docOpen = true;
    m_outOfRangeReported = false;
}

void DocumentSurface::EndDoc()
{
    m_docOpen = false;
}

void DocumentSurface::NewPage()
{
    if (m_docOpen)
        m_doc.AddPage();
}

bool DocumentSurface::setOrientation(qint32 v)
{
    if (v != 0 && v != 1)
        return false;
    m_setup.Orientation = v;
    m_doc.setSetup(m_setup);
    return true;
}

bool DocumentSurface::setPaperSize(qint32 v)
{
    if (v == 0) {
        // Back to "no paper set": A4 to draw on, the printer's own paper when printed.
        const PageSetup unset;
        m_setup.PaperWidth = unset.PaperWidth;
        m_setup.PaperHeight = unset.PaperHeight;
    } else if (v != 256) {
        QSizeF twips;
        if (!PaperSizeTwips(v, &twips))
            return false;
        m_setup.PaperWidth = float(twips.width());
        m_setup.PaperHeight = float(twips.height());
    }
    m_setup.PaperSize = v;
    m_doc.setSetup(m_setup);
    return true;
}

namespace {
bool sanePaperSide(float v)
{
    return std::isfinite(v) && v > 0 && v <= MaxPaperTwips;
}
} // namespace

bool DocumentSurface::setPaperWidth(float v)
{
    if (!sanePaperSide(v))
        return false;
    m_setup.PaperWidth = v;
    m_setup.PaperSize = 256;
    m_doc.setSetup(m_setup);
    return true;
}

bool DocumentSurface::setPaperHeight(float v)
{
    if (!sanePaperSide(v))
        return false;
    m_setup.PaperHeight = v;
    m_setup.PaperSize = 256;
    m_doc.setSetup(m_setup);
    return true;
}

bool DocumentSurface::setMargin(float &field, float v)
{
    if (!std::isfinite(v) || v < 0 || v > MaxPaperTwips)
        return false;
    field = v;
    m_doc.setSetup(m_setup);
    return true;
}

quint32 DocumentSurface::stateIndex()
{
    if (m_stateDirty) {
        m_stateIndex = m_doc.AddState(m_state);
        m_stateDirty = false;
    }
    return m_stateIndex;
}

bool DocumentSurface::drawable(float a, float b, float c, float d)
{
    // Drawing outside an open document has nowhere to go.
    if (!m_docOpen)
        return false;
    if (std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d))
        return true;
    // A position beyond what a coordinate holds (a huge layout offset): the element is left
    // out, and the user is told once per document rather than given a mark somewhere else.
    if (!m_outOfRangeReported) {
        m_outOfRangeReported = true;
        MsgBox(QStringLiteral("填涂位置超出范围，未打印"), MsgStyle::Exclamation);
    }
    return false;
}

void DocumentSurface::record(OpKind kind, bool fill, float a, float b, float c, float d, quint32 ref)
{
    m_doc.AddOp(DrawOp{kind, fill, stateIndex(), a, b, c, d, ref});
}

void DocumentSurface::DrawRectangle(float x1, float y1, float x2, float y2)
{
    if (drawable(x1, y1, x2, y2))
        record(OpKind::Rect, false, x1, y1, x2, y2, 0);
}

void DocumentSurface::DrawLine(float x1, float y1, float x2, float y2)
{
    if (drawable(x1, y1, x2, y2))
        record(OpKind::Line, false, x1, y1, x2, y2, 0);
}

void DocumentSurface::DrawPicture(const PrintPicture &picture, float left, float top, float width,
                                  float height)
{
    if (picture.isNull() || !drawable(left, top, width, height))
        return;
    record(OpKind::Picture, false, left, top, width, height, m_doc.AddPicture(picture));
}

void DocumentSurface::TextBox(const QString &text, float left, float top, float width,
                              float height, qint32 wrap, bool fill)
{
    Q_UNUSED(wrap);
    if (!drawable(left, top, width, height))
        return;
    record(OpKind::Text, fill, left, top, width, height, m_doc.AddText(text));
}

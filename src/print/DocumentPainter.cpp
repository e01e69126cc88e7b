#include "print/DocumentPainter.h"
#include "print/StatePainter.h"

#include <QPaintDevice>
#include <QPainter>

namespace {
void paintOp(StatePainter &painter, const PrintDocument &doc, const DrawOp &op)
{
    const DrawState &s = doc.State(op.State);
    switch (op.Kind) {
    case OpKind::Rect: painter.DrawRectangle(op.A, op.B, op.C, op.D, s); break;
    case OpKind::Line: painter.DrawLine(op.A, op.B, op.C, op.D, s); break;
    case OpKind::Text: painter.TextBox(doc.Text(op.Ref), op.A, op.B, op.C, op.D, op.Fill, s); break;
    case OpKind::Picture: painter.DrawPicture(doc.Picture(op.Ref), op.A, op.B, op.C, op.D); break;
    }
}
} // namespace

void DocumentPainter::PaintPage(QPainter &painter, int page) const
{
    const QPaintDevice *device = painter.device();
    PaintPage(painter, page, device->logicalDpiX(), device->logicalDpiY());
}

void DocumentPainter::PaintPage(QPainter &painter, int page, double dpiX, double dpiY) const
{
    if (page < 0 || page >= m_doc.PageCount())
        return;
    StatePainter ops(painter, dpiX, dpiY);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const DrawOp *op = m_doc.PageBegin(page); op != m_doc.PageEnd(page); ++op)
        paintOp(ops, m_doc, *op);
}

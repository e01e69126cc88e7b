#include "print/PainterSurface.h"

#include <QPaintDevice>
#include <QPainter>

PainterSurface::PainterSurface(QPainter &painter)
    : PainterSurface(painter, painter.device()->logicalDpiX(), painter.device()->logicalDpiY())
{
}

PainterSurface::PainterSurface(QPainter &painter, double dpiX, double dpiY)
    : m_ops(painter, dpiX, dpiY)
{
}

PainterSurface::~PainterSurface() = default;

void PainterSurface::DrawRectangle(float x1, float y1, float x2, float y2)
{
    m_ops.DrawRectangle(x1, y1, x2, y2, m_state);
}

void PainterSurface::DrawLine(float x1, float y1, float x2, float y2)
{
    m_ops.DrawLine(x1, y1, x2, y2, m_state);
}

void PainterSurface::DrawPicture(const PrintPicture &picture, float left, float top, float width,
                                 float height)
{
    m_ops.DrawPicture(picture, left, top, width, height);
}

void PainterSurface::TextBox(const QString &text, float left, float top, float width,
                             float height, qint32 wrap, bool fill)
{
    Q_UNUSED(wrap);
    m_ops.TextBox(text, left, top, width, height, fill, m_state);
}

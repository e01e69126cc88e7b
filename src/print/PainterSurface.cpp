#include "print/PainterSurface.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

PainterSurface::PainterSurface(QPainter &painter)
    : PainterSurface(painter, painter.device()->logicalDpiX(), painter.device()->logicalDpiY())
{
}

PainterSurface::PainterSurface(QPainter &painter, double dpiX, double dpiY)
    : m_painter(painter),
      // Fonts are resolved against the device's own resolution, whatever the zoom.
      m_ops(painter, painter.device()->logicalDpiY(), std::min(dpiX, dpiY) / 1440.0)
{
    m_painter.save();
    m_painter.scale(dpiX / 1440.0, dpiY / 1440.0);
}

PainterSurface::~PainterSurface()
{
    m_painter.restore();
}

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

#include "gui/MarkSample.h"

#include <QPainter>

MarkSample::MarkSample(QWidget *parent) : QWidget(parent)
{
    setFixedSize(sizeHint());
}

void MarkSample::setColor(const QColor &c)
{
    m_color = c;
    update();
}

void MarkSample::setCross(bool cross)
{
    m_cross = cross;
    update();
}

void MarkSample::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    if (m_cross) {
        p.fillRect(rect(), palette().color(QPalette::Window));
        p.setPen(QPen(m_color, 1));
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.topRight());
    } else {
        p.fillRect(rect(), m_color);
    }
    p.setPen(Qt::gray);
    p.drawRect(r);
}

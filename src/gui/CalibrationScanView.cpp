#include "gui/CalibrationScanView.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

CalibrationScanView::CalibrationScanView(QWidget *parent) : QWidget(parent)
{
    setObjectName("viewCalibrationScan");
    setMinimumSize(320, 200);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CalibrationScanView::setScan(const QImage &picture, double mmPerPixel, const CalibrationMeasurement &m)
{
    m_picture = picture;
    m_mmPerPixel = mmPerPixel;
    m_measurement = m;
    update();
}

void CalibrationScanView::clear()
{
    m_picture = QImage();
    m_measurement = CalibrationMeasurement();
    update();
}

namespace {
void arrow(QPainter &p, QPointF from, QPointF to, double head)
{
    p.drawLine(from, to);
    const QLineF l(to, from);
    if (l.length() < 1e-9)
        return;
    for (const double turn : {25.0, -25.0}) {
        QLineF wing = l;
        wing.setLength(head);
        wing.setAngle(l.angle() + turn);
        p.drawLine(wing);
    }
}
} // namespace

void CalibrationScanView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Dark));
    if (m_picture.isNull())
        return;
    // The scan fitted into the widget, kept in proportion; then millimetres.
    const double k = std::min(width() / double(m_picture.width()), height() / double(m_picture.height()));
    const QSizeF shown(m_picture.width() * k, m_picture.height() * k);
    const QPointF origin((width() - shown.width()) / 2, (height() - shown.height()) / 2);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF(origin, shown), m_picture);
    p.setRenderHint(QPainter::Antialiasing);
    const double pxPerMm = k / m_mmPerPixel;
    auto at = [&](QPointF mm) { return origin + mm * pxPerMm; };
    auto box = [&](const QRectF &mm) { return QRectF(at(mm.topLeft()), at(mm.bottomRight())); };
    for (const MeasuredMark &mark : m_measurement.marks) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 160, 0), 2));
        p.drawRect(box(mark.box).adjusted(-3, -3, 3, 3));
        if (!mark.found) {
            p.setPen(QPen(Qt::red, 2));
            const QRectF b = box(mark.box).adjusted(-6, -6, 6, 6);
            p.drawLine(b.topLeft(), b.bottomRight());
            p.drawLine(b.topRight(), b.bottomLeft());
            continue;
        }
        p.setPen(QPen(QColor(30, 90, 230), 1.5));
        p.drawRect(box(mark.mark));
        const QPointF from = at(mark.boxCentre);
        const QPointF to = from + (at(mark.markCentre) - from) * exaggeration;
        p.setPen(QPen(QColor(230, 0, 120), 2.5));
        arrow(p, from, to, 8);
    }
}

#include "gui/TwoPointPicker.h"

#include <QKeyEvent>
#include <QLineF>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {
const QColor kPointColour[2] = {QColor(220, 0, 0), QColor(0, 90, 220)};
}

TwoPointPicker::TwoPointPicker(const QImage &picture, QWidget *parent)
    : QWidget(parent), m_picture(QPixmap::fromImage(picture)), m_pixels(picture.size())
{
    setObjectName(QStringLiteral("picTwoPoints"));
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::CrossCursor);
    setZoom(1);
}

QSize TwoPointPicker::sizeHint() const
{
    return QSize(std::max(1, int(std::ceil(m_pixels.width() * m_zoom))),
                 std::max(1, int(std::ceil(m_pixels.height() * m_zoom))));
}

void TwoPointPicker::setZoom(double zoom)
{
    m_zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    resize(sizeHint());
    update();
    emit zoomChanged(m_zoom);
    // Zooming keeps the chosen point in sight, where the user is working.
    if (m_points.at(m_chosen))
        emit showPosition(toWidget(*m_points.at(m_chosen)).toPoint());
}

QPointF TwoPointPicker::toPicture(QPointF widgetPos) const { return widgetPos / m_zoom; }

QPointF TwoPointPicker::toWidget(QPointF picturePos) const { return picturePos * m_zoom; }

QPointF TwoPointPicker::clampToPicture(QPointF p) const
{
    return QPointF(std::clamp(p.x(), 0.0, double(m_pixels.width())),
                   std::clamp(p.y(), 0.0, double(m_pixels.height())));
}

void TwoPointPicker::setPoint(int index, QPointF at)
{
    m_points.at(index) = clampToPicture(at);
    m_chosen = index;
    update();
    emit pointsChanged();
}

void TwoPointPicker::choose(int index)
{
    if (!m_points.at(index)) {
        // Placed in the middle of what the user sees, to be moved with the arrow keys.
        const QRect seen = visibleRegion().boundingRect();
        setPoint(index, toPicture(seen.isEmpty() ? rect().center() : seen.center()));
    }
    m_chosen = index;
    update();
    emit showPosition(toWidget(*m_points.at(index)).toPoint());
}

void TwoPointPicker::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    // The middle of the screen pixel clicked: at a large zoom that is within a picture pixel.
    const QPointF at = toPicture(event->position().toPoint() + QPointF(0.5, 0.5));
    int index = !m_points[0] ? 0 : !m_points[1] ? 1 : -1;
    if (index < 0)
        index = QLineF(at, *m_points[0]).length() <= QLineF(at, *m_points[1]).length() ? 0 : 1;
    setPoint(index, at);
    setFocus(Qt::MouseFocusReason);
}

void TwoPointPicker::keyPressEvent(QKeyEvent *event)
{
    const double step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    QPointF move;
    switch (event->key()) {
    case Qt::Key_1:
        return choose(0);
    case Qt::Key_2:
        return choose(1);
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return setZoom(m_zoom * kZoomStep);
    case Qt::Key_Minus:
        return setZoom(m_zoom / kZoomStep);
    case Qt::Key_Left:
        move = {-step, 0};
        break;
    case Qt::Key_Right:
        move = {step, 0};
        break;
    case Qt::Key_Up:
        move = {0, -step};
        break;
    case Qt::Key_Down:
        move = {0, step};
        break;
    default:
        return QWidget::keyPressEvent(event);
    }
    if (!m_points.at(m_chosen))
        return choose(m_chosen);
    setPoint(m_chosen, *m_points.at(m_chosen) + move);
    emit showPosition(toWidget(*m_points.at(m_chosen)).toPoint());
}

void TwoPointPicker::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier))
        return QWidget::wheelEvent(event);
    setZoom(event->angleDelta().y() > 0 ? m_zoom * kZoomStep : m_zoom / kZoomStep);
    event->accept();
}

void TwoPointPicker::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    p.fillRect(event->rect(), palette().dark());
    // Zoomed in, the picture's pixels show as squares, so that a box edge can be hit exactly.
    p.setRenderHint(QPainter::SmoothPixmapTransform, m_zoom < 1);
    p.save();
    p.scale(m_zoom, m_zoom);
    p.drawPixmap(0, 0, m_picture);
    p.restore();
    p.setRenderHint(QPainter::Antialiasing);
    if (m_points[0] && m_points[1]) {
        p.setPen(QPen(Qt::darkGreen, 1, Qt::DashLine));
        p.drawLine(toWidget(*m_points[0]), toWidget(*m_points[1]));
    }
    for (int i = 0; i < 2; ++i) {
        if (!m_points[i])
            continue;
        const QPointF c = toWidget(*m_points[i]);
        const double arm = i == m_chosen ? 14 : 9;
        p.setPen(QPen(kPointColour[i], i == m_chosen ? 2 : 1));
        p.drawLine(c - QPointF(arm, 0), c + QPointF(arm, 0));
        p.drawLine(c - QPointF(0, arm), c + QPointF(0, arm));
        p.drawText(c + QPointF(4, -4), QString::number(i + 1));
    }
}

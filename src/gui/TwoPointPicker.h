#pragma once
// The picture of "两点定标", zoomed, with the two points the user places on it: a click places
// a point (the missing one first, else the nearer one), the arrow keys move the chosen point by
// a pixel of the picture (with Shift by ten), "1" and "2" choose a point (placing it in the
// middle of the visible part when it is not there yet), "+" and "-" zoom.
#include <QImage>
#include <QPixmap>
#include <QPointF>
#include <QWidget>
#include <array>
#include <optional>

class TwoPointPicker : public QWidget {
    Q_OBJECT
public:
    explicit TwoPointPicker(const QImage &picture, QWidget *parent = nullptr);

    // Points in the picture's pixels; none when not placed yet.
    std::optional<QPointF> point(int index) const { return m_points.at(index); }
    void setPoint(int index, QPointF at);
    int chosen() const { return m_chosen; }

    double zoom() const { return m_zoom; }
    // Screen pixels per picture pixel, kept within the zoom range.
    void setZoom(double zoom);
    static constexpr double kMinZoom = 0.05, kMaxZoom = 16, kZoomStep = 1.25;

    QSize sizeHint() const override;
    // The picture's point under a position of this widget, and back.
    QPointF toPicture(QPointF widgetPos) const;
    QPointF toWidget(QPointF picturePos) const;

signals:
    void pointsChanged();
    void zoomChanged(double zoom);
    // The widget wants this position of itself in view (a point moved or was placed by keys).
    void showPosition(QPoint widgetPos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void choose(int index);
    QPointF clampToPicture(QPointF p) const;

    QPixmap m_picture;
    QSize m_pixels;
    double m_zoom = 1;
    std::array<std::optional<QPointF>, 2> m_points;
    int m_chosen = 0;
};

#pragma once
// The sample of a fill block next to the gray slider: a filled square in the mark colour, or a
// cross in it when the template's blocks are crosses.
#include <QColor>
#include <QWidget>

class MarkSample : public QWidget {
    Q_OBJECT
public:
    explicit MarkSample(QWidget *parent = nullptr);
    void setColor(const QColor &c);
    QColor color() const { return m_color; }
    // true: two diagonals (linMark1, linMark2) instead of a filled block
    void setCross(bool cross);
    bool isCross() const { return m_cross; }
    QSize sizeHint() const override { return QSize(24, 14); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color = Qt::black;
    bool m_cross = false;
};

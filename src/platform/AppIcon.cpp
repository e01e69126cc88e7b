#include "platform/AppIcon.h"

#include <QPainter>
#include <QPixmap>

namespace {
QPixmap SlipPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    // The slip: a pale red form with a darker edge.
    p.setPen(QPen(QColor(0xB0, 0x20, 0x20), std::max(1.0, unit * 0.75)));
    p.setBrush(QColor(0xFF, 0xF0, 0xE8));
    p.drawRoundedRect(QRectF(unit * 1.5, unit * 0.75, unit * 13, unit * 14.5), unit, unit);
    // Three rows of blocks, some of them filled as the printer fills them.
    const bool filled[3][4] = {{true, false, true, false}, {false, true, false, true}, {true, true, false, false}};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col) {
            const QRectF block(unit * (3.25 + col * 2.5), unit * (3 + row * 3.5), unit * 1.75, unit * 2);
            p.setPen(QPen(QColor(0xB0, 0x20, 0x20), std::max(1.0, unit * 0.4)));
            p.setBrush(filled[row][col] ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
            p.drawRect(block);
        }
    return pixmap;
}
} // namespace

QIcon AppIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(SlipPixmap(size));
    return icon;
}

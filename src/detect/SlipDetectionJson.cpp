#include "detect/SlipDetectionJson.h"

#include <QJsonArray>
#include <cmath>

namespace {
double thousandths(double v)
{
    const double r = std::round(v * 1000) / 1000;
    return r == 0 ? 0.0 : r; // no "-0"
}

QJsonObject rectJson(const QRectF &r)
{
    return QJsonObject{{"x", thousandths(r.x())}, {"y", thousandths(r.y())},
                       {"width", thousandths(r.width())}, {"height", thousandths(r.height())}};
}
} // namespace

QJsonObject SlipDetectionJson(const SlipDetection &d, const QString &pictureName)
{
    QJsonArray blocks, marks, offsetsX, offsetsY;
    for (const DetectedBlock &b : d.blocks) {
        QJsonObject o = rectJson(b.rect);
        o["stake"] = b.stake;
        o["area"] = b.area;
        o["index"] = b.index;
        blocks.append(o);
    }
    for (const QRectF &m : d.marks)
        marks.append(rectJson(m));
    for (const QPointF &p : d.stakeOffsets) {
        offsetsX.append(thousandths(p.x()));
        offsetsY.append(thousandths(p.y()));
    }
    return QJsonObject{
        {"picture", pictureName},
        {"dpi", thousandths(d.dpi)},
        {"angle", thousandths(d.angle)},
        {"size", QJsonObject{{"width", thousandths(d.size.width())}, {"height", thousandths(d.size.height())}}},
        {"block", QJsonObject{{"width", thousandths(d.block.width())}, {"height", thousandths(d.block.height())}}},
        {"blocks", blocks},
        {"marks", marks},
        {"stakes", QJsonObject{{"count", d.stakeCount()}, {"offsetsX", offsetsX}, {"offsetsY", offsetsY}}},
    };
}

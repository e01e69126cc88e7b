#include "CalibrationScan.h"

#include "print/CalibrationBlocks.h"
#include "print/DocumentSurface.h"
#include "print/StakeGeometry.h"
#include "print/clsPLPrint.h"

#include <QPainter>
#include <QPolygonF>
#include <QTransform>

namespace slipgen {

QPointF CalibrationScan::meanError() const
{
    QPointF sum;
    int n = 0;
    for (qsizetype i = 0; i < error.size(); ++i)
        if (printed[i]) {
            sum += error[i];
            ++n;
        }
    return n ? sum / n : QPointF();
}

colPLControls TemplateOfSlip(const Slip &slip, const QSizeF &blockMm)
{
    colPLControls layout;
    layout.setLayoutName(QStringLiteral("校准测试"));
    layout.setLottNumberWidth(blockMm.width());
    layout.setLottNumberHeight(blockMm.height());
    QStringList xs, ys;
    for (const QPointF &o : slip.stakeOffsets) {
        xs << QString::number(o.x(), 'f', 4);
        ys << QString::number(o.y(), 'f', 4);
    }
    layout.setStakeLocateOffsetStrX(xs.join(','));
    layout.setStakeLocateOffsetStrY(ys.join(','));
    int areas = 0, n = 0;
    for (const TruthBlock &b : slip.blocks) {
        if (b.stake != 1)
            continue;
        areas = std::max(areas, b.area);
        clsPLControl c;
        c.setKeyName(QStringLiteral("lbl%1").arg(++n));
        c.setControlType(QStringLiteral("Label"));
        c.setShowType(QStringLiteral("LottNumber"));
        c.setGroupID(QString::number(b.area));
        c.setFieldValue(QString::number(b.index));
        c.setLeft(b.rect.left());
        c.setTop(b.rect.top());
        c.setWidth(b.rect.width());
        c.setHeight(b.rect.height());
        layout.Add(c);
    }
    QStringList counts;
    for (int a = 0; a < areas; ++a)
        counts << QStringLiteral("1");
    layout.setGroupLottNumberCountStr(counts.join(','));
    // Custom paper as large as the slip (twips).
    layout.setPaperSize(256);
    layout.setPaperWidth(float(slip.sizeMm.width() * PrintScale));
    layout.setPaperHeight(float(slip.sizeMm.height() * PrintScale));
    return layout;
}

CalibrationScan MakeCalibrationScan(const SlipRecipe &scan, const PrinterError &printer)
{
    CalibrationScan out;
    // The blank slip first, to know its blocks and make its template.
    SlipRecipe blank = scan;
    blank.dpi = 50;
    blank.printOver = nullptr;
    out.layout = TemplateOfSlip(Generate(blank), scan.blockMm);

    // The calibration page as the print engine lays it out, in twips from the paper's corner.
    DocumentSurface surface;
    clsPLPrint engine;
    engine.SetPrinterPageByLayout(surface, out.layout);
    engine.PrintPLWithCalibration(out.layout, surface, true);
    const PrintDocument &doc = surface.Document();
    QList<QRectF> marks;
    for (const DrawOp *op = doc.PageBegin(0); doc.PageCount() > 0 && op != doc.PageEnd(0); ++op)
        if (op->Kind == OpKind::Rect)
            marks.append(QRectF(QPointF(op->A, op->B) / PrintScale, QPointF(op->C, op->D) / PrintScale));

    // The printer: paper millimetres to where they land on the slip.
    QTransform feed;
    feed.translate(printer.offsetMm.x(), printer.offsetMm.y());
    feed.rotate(-printer.skewDeg); // y runs down: counter-clockwise on paper
    feed.scale(printer.scaleX, printer.scaleY);
    const std::vector<StakeBlock> chosen = CalibrationBlocks(out.layout);
    for (qsizetype i = 0; i < marks.size(); ++i) {
        const bool printed = !printer.missing.contains(int(i));
        out.printed.append(printed);
        const QPointF box = size_t(i) < chosen.size() ? chosen[size_t(i)].rect.center() : QPointF();
        out.error.append(feed.map(marks[i].center()) - box);
    }
    SlipRecipe withMarks = scan;
    withMarks.printOver = [&](QPainter &p) {
        p.save();
        if (!printer.page.isNull()) {
            // Toner darkens the paper under it: multiplied, the slip's print shows through.
            p.setTransform(feed, true);
            p.setCompositionMode(QPainter::CompositionMode_Multiply);
            p.drawImage(QRectF(0, 0, printer.page.width() * 1000.0 / printer.page.dotsPerMeterX(),
                               printer.page.height() * 1000.0 / printer.page.dotsPerMeterY()),
                        printer.page);
            p.restore();
            return;
        }
        p.setPen(printer.spreadMm > 0 ? QPen(printer.toner, 2 * printer.spreadMm, Qt::SolidLine, Qt::SquareCap,
                                             Qt::MiterJoin)
                                      : QPen(Qt::NoPen));
        p.setBrush(printer.toner);
        for (qsizetype i = 0; i < marks.size(); ++i)
            if (out.printed[i])
                p.drawPolygon(feed.map(QPolygonF(marks[i])));
        p.restore();
    };
    out.slip = Generate(withMarks);
    return out;
}

} // namespace slipgen

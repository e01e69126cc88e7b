#include "PrintTestSupport.h"

#include <gtest/gtest.h>

namespace printtest {

colPLControls TwoAreaSlip()
{
    colPLControls t;
    t.setLayoutName(QStringLiteral("双色球"));
    t.setGroupLottNumberCountStr(QStringLiteral("6,1"));
    t.setStakeLocateOffsetStrX(QStringLiteral("0,0,0,0,0"));
    t.setStakeLocateOffsetStrY(QStringLiteral("0,28.5,57,85.5,114"));
    t.setLayoutLeft(1.5);
    t.setLayoutTop(2);
    for (int n = 1; n <= 33; ++n) {
        const QString v = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        t.Add(Block(QStringLiteral("r") + v, QStringLiteral("1"), v, 10 + ((n - 1) % 6) * 4.5,
                    5 + ((n - 1) / 6) * 3));
    }
    for (int n = 1; n <= 16; ++n) {
        const QString v = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        t.Add(Block(QStringLiteral("b") + v, QStringLiteral("2"), v, 40 + ((n - 1) % 4) * 4.5,
                    5 + ((n - 1) / 4) * 3));
    }
    t.Add(Mark(QStringLiteral("m1"), 2, 2, 4, 2, true));
    t.Add(Label(QStringLiteral("page"), QStringLiteral("{页码}"), 60, 2, 30, 5));
    t.Add(Label(QStringLiteral("stakes"), QStringLiteral("{注序号}"), 60, 8, 30, 5));
    return t;
}

std::vector<Op> PageOps(const PrintDocument &doc, int page)
{
    std::vector<Op> ops;
    for (const DrawOp *op = doc.PageBegin(page); op != doc.PageEnd(page); ++op) {
        QString text;
        if (op->Kind == OpKind::Text)
            text = doc.Text(op->Ref).toString();
        else if (op->Kind == OpKind::Picture)
            text = doc.Picture(op->Ref).path();
        ops.push_back({op->Kind, op->A, op->B, op->C, op->D, text, op->Fill, doc.State(op->State)});
    }
    return ops;
}

std::vector<Op> OpsOfKind(const PrintDocument &doc, int page, OpKind kind)
{
    std::vector<Op> out;
    for (const Op &op : PageOps(doc, page)) {
        if (op.kind == kind)
            out.push_back(op);
    }
    return out;
}

std::vector<QString> PageTexts(const PrintDocument &doc, int page)
{
    std::vector<QString> out;
    for (const Op &op : OpsOfKind(doc, page, OpKind::Text))
        out.push_back(op.text);
    return out;
}

Edges darkEdges(const QImage &img)
{
    Edges e;
    const int midY = img.height() / 2, midX = img.width() / 2;
    for (int x = 0; x < img.width(); ++x) {
        if (qGray(img.pixel(x, midY)) < 128) {
            if (e.left < 0)
                e.left = x;
            e.right = x + 1;
        }
    }
    for (int y = 0; y < img.height(); ++y) {
        if (qGray(img.pixel(midX, y)) < 128) {
            if (e.top < 0)
                e.top = y;
            e.bottom = y + 1;
        }
    }
    return e;
}

void ExpectCorners(const Op &op, float a, float b, float c, float d)
{
    EXPECT_NEAR(op.a, a, 0.01f);
    EXPECT_NEAR(op.b, b, 0.01f);
    EXPECT_NEAR(op.c, c, 0.01f);
    EXPECT_NEAR(op.d, d, 0.01f);
}

} // namespace printtest

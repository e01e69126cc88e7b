// The sample templates shipped with the program: their test pages on paper.
#include "PrintTestSupport.h"
#include "TestSupport.h"
#include "print/DocumentOutput.h"
#include "print/DocumentSurface.h"
#include "print/clsPLPrint.h"
#include "storage/clsPLStoreINI.h"

#include <QImage>
#include <gtest/gtest.h>

using printtest::darkEdges;
using printtest::Edges;

namespace {
const char *const Samples[] = {"陕西－双色球", "七乐彩", "体彩－超级大乐透", "福彩3D"};

colPLControls loadSample(const char *name)
{
    colPLControls t;
    const QString path = sourceDir() + QStringLiteral("/resources/投注单文件/") + QString::fromUtf8(name)
                         + QStringLiteral(".tzd");
    EXPECT_TRUE(clsPLStoreINI().LoadFromINI(path, t)) << name;
    return t;
}

PrintDocument testPage(const colPLControls &t, bool backPic)
{
    DocumentSurface s;
    clsPLPrint engine;
    engine.setIsPrintBackPic(backPic);
    engine.SetPrinterPageByLayout(s, t);
    engine.PrintPLWithTest(t, s, true);
    return s.TakeDocument();
}


// The first pixel of ink (anything clearly darker than the paper) met when walking from
// `from` to `to` (pixels) along a row or a column of the image; -1 when there is none.
int firstInk(const QImage &img, int from, int to, int across, bool alongRow)
{
    const int step = from < to ? 1 : -1;
    for (int i = from; i != to + step; i += step) {
        const QPoint p = alongRow ? QPoint(i, across) : QPoint(across, i);
        if (img.rect().contains(p) && qGray(img.pixel(p)) < 160)
            return i;
    }
    return -1;
}
} // namespace

TEST(SampleTemplates, TestPageBlockEdgesWithinOnePixelOfTheTemplate)
{
    const colPLControls t = loadSample("陕西－双色球");
    const PrintDocument doc = testPage(t, false);
    struct Case {
        const char *group, *number;
        int stake;
        double dpiX, dpiY;
    };
    const Case cases[] = {{"1", "01", 0, 600, 600}, {"1", "33", 2, 600, 600},
                          {"2", "16", 4, 600, 600}, {"1", "17", 3, 600, 300},
                          {"2", "01", 1, 203, 407}};
    for (const Case &c : cases) {
        const clsPLControl *block = nullptr;
        for (const clsPLControl &el : t) {
            if (el.ShowType() == "LottNumber" && el.GroupID() == c.group && el.FieldValue() == c.number)
                block = &el;
        }
        ASSERT_NE(block, nullptr) << c.group << "|" << c.number;
        const double offsets[] = {0, 28.5, 57, 85.5, 114};
        const double x1 = (t.LayoutLeft() + offsets[c.stake] + block->Left()) * 56.7;
        const double y1 = (t.LayoutTop() + block->Top()) * 56.7;
        const double x2 = x1 + block->Width() * 56.7, y2 = y1 + block->Height() * 56.7;
        // Just the block and a margin narrower than the gap to its neighbours.
        const QRectF area(x1 - 40, y1 - 40, x2 - x1 + 80, y2 - y1 + 80);
        const QImage img = RenderPageImage(doc, 0, c.dpiX, c.dpiY, area);
        const Edges e = darkEdges(img);
        const double px = c.dpiX / 1440, py = c.dpiY / 1440;
        const char *at = c.number;
        EXPECT_NEAR(e.left, (x1 - area.left()) * px, 1) << at << " at " << c.dpiX;
        EXPECT_NEAR(e.right, (x2 - area.left()) * px, 1) << at << " at " << c.dpiX;
        EXPECT_NEAR(e.top, (y1 - area.top()) * py, 1) << at << " at " << c.dpiY;
        EXPECT_NEAR(e.bottom, (y2 - area.top()) * py, 1) << at << " at " << c.dpiY;
    }
}

TEST(SampleTemplates, TestPageBlocksSitOnThePictureBoxes)
{
    constexpr double Dpi = 300, PixelsPerTwip = Dpi / 1440;
    // The pictures have 6 pixels a millimetre: their boxes may be a pixel and a half off.
    constexpr double Tolerance = 0.25 * 56.7 * PixelsPerTwip;
    const int outside = int(0.8 * 56.7 * PixelsPerTwip); // less than the gap between boxes
    for (const char *name : Samples) {
        const colPLControls t = loadSample(name);
        const PrintDocument withPicture = testPage(t, true);
        // The picture alone, where the test page drew it.
        DocumentSurface pictureOnly;
        pictureOnly.StartDoc();
        for (const DrawOp *op = withPicture.PageBegin(0); op != withPicture.PageEnd(0); ++op) {
            if (op->Kind == OpKind::Picture)
                pictureOnly.DrawPicture(withPicture.Picture(op->Ref), op->A, op->B, op->C, op->D);
        }
        pictureOnly.EndDoc();
        ASSERT_EQ(pictureOnly.Document().OpCount(), 1) << name;
        const QImage back = RenderPageImage(pictureOnly.Document(), 0, Dpi, Dpi);

        int blocks = 0;
        for (const DrawOp *op = withPicture.PageBegin(0); op != withPicture.PageEnd(0); ++op) {
            if (op->Kind != OpKind::Rect)
                continue;
            const QRectF b = QRectF(QPointF(op->A, op->B), QPointF(op->C, op->D)).normalized();
            const double left = b.left() * PixelsPerTwip, right = b.right() * PixelsPerTwip;
            const double top = b.top() * PixelsPerTwip, bottom = b.bottom() * PixelsPerTwip;
            const int midX = int(b.center().x() * PixelsPerTwip), midY = int(b.center().y() * PixelsPerTwip);
            // Walking in from outside, the box's outline is met at the block's edge.
            const int edges[4] = {
                firstInk(back, int(left) - outside, int(right), midY, true),
                firstInk(back, int(right) + outside, int(left), midY, true),
                firstInk(back, int(top) - outside, int(bottom), midX, false),
                firstInk(back, int(bottom) + outside, int(top), midX, false)};
            const double expected[4] = {left, right - 1, top, bottom - 1};
            for (int e = 0; e < 4; ++e)
                EXPECT_NEAR(edges[e], expected[e], Tolerance)
                    << name << " block at " << b.left() << "," << b.top() << " edge " << e;
            ++blocks;
        }
        EXPECT_GE(blocks, 5 * 10) << name;
    }
}

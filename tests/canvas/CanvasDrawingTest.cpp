// Where the canvas puts its ink: labels inside their box and aligned as they say, the handles
// around the current label, the ruler numbers before their ticks and only as far as the area.
#include "CanvasTestSupport.h"

#include "canvas/CanvasPainter.h"
#include "canvas/KdLabel.h"
#include "common/DesignScale.h"
#include "print/PainterSurface.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

using namespace CanvasGeometry;

namespace {

bool isInk(QRgb p) { return qGray(p) < 128; }

// The columns (or rows) that hold ink inside a rectangle of the image; -1 when none.
struct InkSpan {
    int first = -1, last = -1;
};
InkSpan inkSpan(const QImage &image, const QRect &within, bool columns)
{
    const QRect r = within.intersected(image.rect());
    InkSpan span;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (isInk(image.pixel(x, y))) {
                const int at = columns ? x : y;
                span.first = span.first < 0 ? at : std::min(span.first, at);
                span.last = std::max(span.last, at);
            }
    return span;
}
InkSpan inkColumns(const QImage &image, const QRect &r) { return inkSpan(image, r, true); }
InkSpan inkRows(const QImage &image, const QRect &r) { return inkSpan(image, r, false); }

class CanvasDrawingTest : public CanvasTest {
protected:
    CanvasDrawingTest() { canvas.setVirtualHeight(120); }
    QImage paint(const CanvasViewport &viewport, QSize size = QSize(900, 500))
    {
        QImage image(size, QImage::Format_RGB32);
        QPainter p(&image);
        CanvasPainter(canvas).Paint(p, viewport, image.rect());
        return image;
    }
};

TEST(KdLabelInk, PlainLabelsFollowTheirAlignmentSpacedOnesStartAtTheLeft)
{
    struct Case {
        int alignment;
        double space;
        const char *where; // "left", "right" or "centre"
    };
    const Case cases[] = {
        {0, 0, "left"}, {1, 0, "right"}, {2, 0, "centre"}, {1, 100, "left"}, {2, 100, "left"},
    };
    // At 96 dots per inch a pixel is 15 twips: the box is columns 100 to 299.
    const QRect box(100, 10, 200, 40);
    for (const Case &c : cases) {
        KdLabel label;
        label.setLeft(box.left() * 15);
        label.setTop(box.top() * 15);
        label.setWidth(box.width() * 15);
        label.setHeight(box.height() * 15);
        label.setCaption(QStringLiteral("12"));
        label.setFontName(QStringLiteral("宋体"));
        label.setFontSize(12);
        label.setForeColor(0);
        label.setBackStyle(0);
        label.setAlignment(c.alignment);
        label.setSpaceBetweenChar(c.space);
        label.setVisible(true);
        QImage image(400, 60, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter p(&image);
            PainterSurface surface(p, 96, 96);
            label.Paint(surface);
        }
        const InkSpan ink = inkColumns(image, image.rect());
        const std::string what = std::to_string(c.alignment) + " space " + std::to_string(c.space);
        ASSERT_GE(ink.first, 0) << what;
        EXPECT_GE(ink.first, box.left()) << what;
        EXPECT_LE(ink.last, box.right()) << what;
        const std::string where = c.where;
        if (where == "left")
            EXPECT_LT(ink.first - box.left(), 6) << what;
        else if (where == "right")
            EXPECT_LT(box.right() - ink.last, 6) << what;
        else
            EXPECT_NEAR((ink.first + ink.last) / 2.0, box.center().x(), 3) << what;
    }
}

TEST_F(CanvasDrawingTest, ALabelsTextStaysInsideItsBoxAtEveryZoom)
{
    for (double scale : {11.2, 56.7, 85.05}) {
        SetDesignScale(scale);
        canvas.ClearAllControls();
        clsPLControl text = MakeLabel("t", 20, 10, 4, 3);
        text.setFieldValue(QStringLiteral("1234567890"));
        text.setFontName(QStringLiteral("宋体"));
        text.setFontSize(12);
        text.setForeColor(0);
        text.setBackStyle(0);
        text.setBorderStyle(0);
        add(text);
        const CanvasViewport viewport;
        const QImage image = paint(viewport);
        const QRectF box = viewport.ToPixels(KdPLDesinger::ControlRect(state("t")));
        // Ink inside the box (where it is large enough to hold some), none in the stretch to
        // its right where the text would run on.
        if (box.width() > 10)
            EXPECT_GE(inkColumns(image, box.toAlignedRect()).first, 0) << scale;
        const QRect after(int(std::ceil(box.right())) + 1, int(box.top()), 200, int(box.height()));
        EXPECT_EQ(inkColumns(image, after).first, -1) << scale;
    }
}

TEST_F(CanvasDrawingTest, HandlesAreDrawnWhereTheyStand)
{
    add(MakeLabel("a", 60, 30, 20, 10));
    CanvasViewport viewport;
    const QImage unselected = paint(viewport);
    click(at(61, 31));
    const QImage selected = paint(viewport);
    const auto handles = *canvas.Handles();
    for (int i = 0; i < 8; ++i) {
        const QPoint centre = viewport.ToPixels(QRectF(handles[size_t(i)].center(), QSizeF())).topLeft().toPoint();
        EXPECT_FALSE(isInk(unselected.pixel(centre))) << i;
        EXPECT_TRUE(isInk(selected.pixel(centre))) << i;
    }
    // Nothing but the eight: the middle of each side between them stays clear.
    const QRectF control = viewport.ToPixels(KdPLDesinger::ControlRect(state("a")));
    const QPoint between(int(control.left() + control.width() / 4), int(control.top()) - 2);
    EXPECT_FALSE(isInk(selected.pixel(between)));
}

TEST_F(CanvasDrawingTest, RulerNumbersStandBeforeTheirTicksAndEndWithTheArea)
{
    const CanvasViewport viewport; // 15 twips a pixel
    const double s = GetDesignScale();
    const QImage image = paint(viewport, QSize(1800, 950));
    const double breadth = RulerTwips / 15;
    for (int cm = 1; cm <= 4; ++cm) {
        // Top ruler: the number's ink lies in the 112 twips before the tick.
        const double tick = (RulerTwips + cm * 10 * s) / 15;
        const InkSpan x = inkColumns(image, QRect(int(tick) - 20, 0, 40, int(breadth * 0.45) - 1));
        ASSERT_GE(x.first, 0) << cm;
        EXPECT_GE(x.first, int(tick - RulerNumberBack / 15) - 1) << cm;
        EXPECT_LE(x.last, int(tick)) << cm;
        // Left ruler: the number ends 112 twips before its tick.
        const double vtick = (RulerTwips + cm * 10 * s) / 15;
        const InkSpan y = inkRows(image, QRect(0, int(vtick) - 30, int(breadth * 0.45), 40));
        ASSERT_GE(y.first, 0) << cm;
        EXPECT_LE(y.last, int(vtick - RulerNumberBack / 15) + 1) << cm;
        EXPECT_GE(y.last, int(vtick - RulerNumberBack / 15) - 3) << cm;
    }
    // The left ruler stops at the bottom of the area (120 mm); the top one goes on to 300 mm.
    const double end = (RulerTwips + 120 * s) / 15;
    EXPECT_EQ(inkRows(image, QRect(0, int(end) + 2, int(breadth), 200)).first, -1);
    const double farTick = (RulerTwips + 200 * s) / 15;
    EXPECT_GE(inkColumns(image, QRect(int(farTick) - 1, int(breadth / 2), 3, int(breadth / 2))).first, 0);
}

} // namespace

// What the canvas paints lands where the design scale puts it: elements, the background
// picture and the handles, at three zoom levels and a scrolled viewport.
#include "CanvasTestSupport.h"

#include "TestSupport.h"
#include "canvas/CanvasPainter.h"
#include "common/DesignScale.h"

#include <QImage>
#include <QPainter>

namespace {

class CanvasPainterTest : public CanvasTest {
protected:
    QImage paint(const CanvasViewport &viewport)
    {
        QImage image(600, 400, QImage::Format_RGB32);
        QPainter p(&image);
        CanvasPainter(canvas).Paint(p, viewport, image.rect());
        return image;
    }
    static QColor at(const QImage &image, const CanvasViewport &viewport, double xMm, double yMm)
    {
        const double s = GetDesignScale();
        return image.pixelColor(viewport.ToPixels(QRectF(xMm * s, yMm * s, 0, 0)).topLeft().toPoint());
    }
};

TEST_F(CanvasPainterTest, ElementsAndPictureLandAtTheirMillimetresAtEveryZoom)
{
    const QString picture = makeTempDir() + QStringLiteral("/slip.png");
    QImage red(20, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(picture));
    for (double scale : {56.7, 85.05, 127.575}) {
        SetDesignScale(scale);
        canvas.ClearAllControls();
        clsPLControl block = MakeBlock("b", 10, 10, 6, 4); // group 1: navy
        add(block);
        clsPLControl hidden = MakeBlock("h", 30, 10, 6, 4);
        hidden.setVisible(0);
        add(hidden);
        canvas.SetBackPicture(picture, 20, 20, 10, 10);
        CanvasViewport viewport;
        viewport.scroll = QPointF(15, 10);
        const QImage image = paint(viewport);
        // The block's corner, away from its number.
        EXPECT_EQ(at(image, viewport, 10.4, 10.4), QColor(0, 0, 128)) << scale;
        EXPECT_EQ(at(image, viewport, 16.6, 10.4), QColor(Qt::white)) << scale;
        EXPECT_EQ(at(image, viewport, 30.4, 10.4), QColor(Qt::white)) << scale; // hidden
        EXPECT_EQ(at(image, viewport, 25, 25), QColor(Qt::red)) << scale;
        EXPECT_EQ(at(image, viewport, 31, 25), QColor(Qt::white)) << scale;
    }
}

TEST_F(CanvasPainterTest, AMovedElementIsPaintedWhereItsControlIsDuringTheDrag)
{
    add(MakeBlock("b", 10, 10, 6, 4));
    const CanvasViewport viewport;
    canvas.MouseDownAt(KdPLDesinger::LeftButton, 0, QPointF(tw(10.5), tw(10.5)));
    m_now += 100;
    canvas.MouseMoveAt(KdPLDesinger::LeftButton, 0, QPointF(tw(20.5), tw(10.5)));
    const QImage image = paint(viewport);
    EXPECT_EQ(at(image, viewport, 20.4, 10.4), QColor(0, 0, 128));
    EXPECT_EQ(at(image, viewport, 10.4, 10.4), QColor(Qt::white));
    canvas.MouseUpAt(KdPLDesinger::LeftButton, 0, QPointF(tw(20.5), tw(10.5)));
    EXPECT_NEAR(element("b").Left(), 20, CanvasGeometry::HandleUnit / 85.05);
}

} // namespace

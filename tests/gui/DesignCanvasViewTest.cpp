// The canvas view turns mouse pixels into the canvas's twips: one drag, one resize, one band.
#include "gui/DesignCanvasView.h"

#include "ElementBuilders.h"
#include "TestSupport.h"
#include "canvas/KdPLDesinger.h"
#include "common/DesignScale.h"
#include "common/clsRegIni.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

clsPLControl label(const QString &key, double left, double top, double width, double height)
{
    clsPLControl e = elements::Shown(elements::Label(key, key, left, top, width, height));
    e.setBorderStyle(1);
    return e;
}

class ViewTest : public ::testing::Test {
protected:
    ViewTest()
        : canvas((setUp(), nullptr), [this] { return now; }), view(canvas)
    {
        view.resize(800, 600);
        view.show();
        QTest::qWait(1);
        for (const clsPLControl &e : {label("a", 10, 10, 10, 5), label("b", 30, 10, 10, 5)}) {
            clsPLControl copy = e;
            canvas.AddOneControl(copy);
        }
    }
    static void setUp()
    {
        clsRegIni::SetStoreFile(makeTempDir() + QStringLiteral("/registry.ini"));
        SetDesignScale(0);
    }
    QPointF pixelOf(double xMm, double yMm) const
    {
        return view.Viewport().ToPixels(QRectF(xMm * 85.05, yMm * 85.05, 0, 0)).topLeft();
    }
    void send(QEvent::Type type, QPointF px, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, px, view.viewport()->mapToGlobal(px), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &event);
    }
    void dragPixels(QPointF from, QPointF to)
    {
        send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        for (int i = 1; i <= 4; ++i) {
            now += 40;
            send(QEvent::MouseMove, from + (to - from) * i / 4, Qt::NoButton, Qt::LeftButton);
        }
        send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }
    double twipsPerPixel() const { return view.Viewport().TwipsPerPixelX(); }

    quint32 now = 1000;
    KdPLDesinger canvas;
    DesignCanvasView view;
};

TEST_F(ViewTest, ADragMovesByThePixelsInTwips)
{
    view.horizontalScrollBar()->setValue(7); // the scroll position counts too
    const QPointF from = pixelOf(12, 12);
    dragPixels(from, from + QPointF(40, 20));
    const clsPLControl *a = canvas.GetOneControlByKeyName("a");
    const double unitMm = CanvasGeometry::HandleUnit / 85.05;
    EXPECT_NEAR(a->Left(), 10 + 40 * twipsPerPixel() / 85.05, unitMm);
    EXPECT_NEAR(a->Top(), 10 + 20 * twipsPerPixel() / 85.05, unitMm);
}

TEST_F(ViewTest, AHandleDragResizesByThePixelsInTwips)
{
    const QPointF inside = pixelOf(12, 12);
    send(QEvent::MouseButtonPress, inside, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, inside, Qt::LeftButton, Qt::NoButton);
    const QRectF handle3 = (*canvas.Handles())[3];
    const QPointF from = view.Viewport().ToPixels(handle3).center();
    dragPixels(from, from + QPointF(30, 0));
    const clsPLControl *a = canvas.GetOneControlByKeyName("a");
    EXPECT_NEAR(a->Width(), 10 + 30 * twipsPerPixel() / 85.05, CanvasGeometry::HandleUnit / 85.05);
    EXPECT_EQ(a->Height(), 5);
    EXPECT_EQ(a->Left(), 10);
}

TEST_F(ViewTest, ABandSelectsWhatItCoversOnScreen)
{
    dragPixels(pixelOf(5, 5), pixelOf(35, 12));
    EXPECT_EQ(canvas.MultiSelectionKeys(), QStringList({"a", "b"}));
    dragPixels(pixelOf(5, 5), pixelOf(25, 12));
    EXPECT_EQ(canvas.MultiSelectionKeys(), QStringList({"a"}));
}

TEST_F(ViewTest, ThePointerFollowsWhatLiesUnderTheMouse)
{
    send(QEvent::MouseMove, pixelOf(12, 12), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::SizeAllCursor);
    canvas.BeginAddControlByMouse(label("", 0, 0, 3, 2));
    send(QEvent::MouseMove, pixelOf(100, 100), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::CrossCursor);
}

} // namespace

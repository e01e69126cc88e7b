// The eight handles on a design area that is wider than high (300 x 120 mm): where each one
// stands, which pointer it shows, which edges it drags, how far it may go; and how the rest of
// a multi-selection and a line's start are held on the area.
#include "CanvasTestSupport.h"

#include <cmath>

using namespace CanvasGeometry;

namespace {

constexpr double AreaWidthMm = 300;
constexpr double AreaHeightMm = 120;
// Where a dragged edge may land: the snapping grid puts the handle within half a unit.
constexpr double SnapMm = HandleUnit / 2 / 85.05 + 1e-9;

class CanvasHandlesTest : public CanvasTest {
protected:
    CanvasHandlesTest() { canvas.setVirtualHeight(AreaHeightMm); }
    static double areaRight() { return tw(AreaWidthMm) - RulerTwips; }
    static double areaBottom() { return tw(AreaHeightMm) - RulerTwips; }
};

struct HandleCase {
    int handle;
    double fx, fy; // where on the control's outline: 0, 1/2 or 1 of its width and height
    int pointer;
    double dLeft, dTop, dWidth, dHeight; // millimetres, after a drag by (+5, +3) mm
};

const HandleCase kHandles[] = {
    {0, 0, 0, KdPLDesinger::SizeNWSE, 5, 3, -5, -3},
    {1, 0.5, 0, KdPLDesinger::SizeNS, 0, 3, 0, -3},
    {2, 1, 0, KdPLDesinger::SizeNESW, 0, 3, 5, -3},
    {3, 1, 0.5, KdPLDesinger::SizeWE, 0, 0, 5, 0},
    {4, 1, 1, KdPLDesinger::SizeNWSE, 0, 0, 5, 3},
    {5, 0.5, 1, KdPLDesinger::SizeNS, 0, 0, 0, 3},
    {6, 0, 1, KdPLDesinger::SizeNESW, 5, 0, -5, 3},
    {7, 0, 0.5, KdPLDesinger::SizeWE, 5, 0, -5, 0},
};

// A handle lies outside the control: a corner handle touches the corner with its own opposite
// corner, an edge handle is centred on the edge's middle.
QPointF expectedCentre(const QRectF &control, double fx, double fy)
{
    const double half = HandleSize / 2;
    auto along = [half](double from, double length, double f) {
        return from + f * length + (f == 0 ? -half : f == 1 ? half : 0);
    };
    return {along(control.left(), control.width(), fx), along(control.top(), control.height(), fy)};
}

TEST_F(CanvasHandlesTest, EachHandleStandsAtItsPlaceShowsItsPointerAndDragsItsOwnEdges)
{
    for (const HandleCase &c : kHandles) {
        canvas.ClearAllControls();
        add(MakeLabel("a", 100, 50, 20, 10));
        click(at(101, 51));
        const QRectF control = KdPLDesinger::ControlRect(state("a"));
        const QRectF handle = (*canvas.Handles())[size_t(c.handle)];
        const QPointF centre = expectedCentre(control, c.fx, c.fy);
        EXPECT_NEAR(handle.center().x(), centre.x(), 1e-9) << c.handle;
        EXPECT_NEAR(handle.center().y(), centre.y(), 1e-9) << c.handle;
        EXPECT_NEAR(handle.width(), HandleSize, 1e-9) << c.handle;
        EXPECT_NEAR(handle.height(), HandleSize, 1e-9) << c.handle;
        EXPECT_EQ(canvas.PointerAt(centre), c.pointer) << c.handle;

        const clsPLControl before = element("a");
        drag(centre, centre + QPointF(tw(5), tw(3)));
        const clsPLControl &after = element("a");
        auto expectChange = [&](double was, double is, double by, const char *what) {
            if (by == 0)
                EXPECT_NEAR(is, was, 1e-9) << "handle " << c.handle << " " << what;
            else
                EXPECT_NEAR(is - was, by, SnapMm) << "handle " << c.handle << " " << what;
        };
        expectChange(before.Left(), after.Left(), c.dLeft, "left");
        expectChange(before.Top(), after.Top(), c.dTop, "top");
        expectChange(before.Width(), after.Width(), c.dWidth, "width");
        expectChange(before.Height(), after.Height(), c.dHeight, "height");
        // The edges a handle does not stand for stay where they were.
        if (c.dLeft != 0)
            EXPECT_NEAR(after.Left() + after.Width(), before.Left() + before.Width(), 1e-9) << c.handle;
        if (c.dTop != 0)
            EXPECT_NEAR(after.Top() + after.Height(), before.Top() + before.Height(), 1e-9) << c.handle;
    }
}

TEST_F(CanvasHandlesTest, HandlesStopAtTheEdgesOfAnAreaWiderThanHigh)
{
    add(MakeLabel("a", 100, 50, 20, 10));
    click(at(101, 51));
    const QPointF corner = (*canvas.Handles())[4].center();
    drag(corner, QPointF(1e6, 1e6));
    const ControlState &s = state("a");
    // The bottom-right handle itself stays on the area: the control ends a handle before it.
    EXPECT_NEAR(s.left + s.width, areaRight() - HandleSize, 1e-9);
    EXPECT_NEAR(s.top + s.height, areaBottom() - HandleSize, 1e-9);
    EXPECT_NEAR(s.left, tw(100), 1e-9);
    EXPECT_NEAR(s.top, tw(50), 1e-9);

    const QPointF first = (*canvas.Handles())[0].center();
    drag(first, QPointF(-1e6, -1e6));
    EXPECT_NEAR(state("a").left, HandleSize, 1e-9);
    EXPECT_NEAR(state("a").top, HandleSize, 1e-9);
}

TEST_F(CanvasHandlesTest, TheRestOfTheSelectionIsHeldAtTheEdgesToo)
{
    struct Case {
        QPointF to;
        double bRight, bBottom; // where b's far edges end, twips; < 0: b keeps its offset from a
    };
    const Case cases[] = {
        {QPointF(1e6, 1e6), areaRight(), areaBottom()},
        {QPointF(1e6, 0), areaRight(), -1},
        {QPointF(-1e6, -1e6), -1, -1},
    };
    for (const Case &c : cases) {
        canvas.ClearAllControls();
        add(MakeLabel("a", 100, 50, 20, 10));
        add(MakeLabel("b", 200, 80, 30, 12));
        click(at(201, 81), KdPLDesinger::CtrlKey);
        click(at(101, 51), KdPLDesinger::CtrlKey);
        drag(at(101, 51), c.to);
        const ControlState &a = state("a");
        const ControlState &b = state("b");
        for (const ControlState *s : {&a, &b}) {
            EXPECT_GE(s->left, 0);
            EXPECT_GE(s->top, 0);
            EXPECT_LE(s->left + s->width, areaRight() + 1e-9);
            EXPECT_LE(s->top + s->height, areaBottom() + 1e-9);
        }
        if (c.bRight > 0)
            EXPECT_NEAR(b.left + b.width, c.bRight, 1e-9) << c.to.x();
        if (c.bBottom > 0)
            EXPECT_NEAR(b.top + b.height, c.bBottom, 1e-9) << c.to.x();
        // Where a went no further than b could follow, b moved with it.
        if (c.bRight < 0)
            EXPECT_NEAR(b.left - a.left, tw(100), 1e-9) << c.to.x();
        if (c.bBottom < 0)
            EXPECT_NEAR(b.top - a.top, tw(30), 1e-9) << c.to.x();
        // What the canvas shows is what the elements hold.
        EXPECT_NEAR(element("b").Left() * 85.05, b.left, 1e-6);
        EXPECT_NEAR(element("b").Top() * 85.05, b.top, 1e-6);
    }
}

TEST_F(CanvasHandlesTest, ALinesStartIsKeptOnAnAreaWiderThanHigh)
{
    struct Case {
        double left, top; // asked, mm
        double keptLeft, keptTop;
    };
    const double lastX = AreaWidthMm - RulerTwips / 85.05;
    const double lastY = AreaHeightMm - RulerTwips / 85.05;
    const Case cases[] = {
        {-5, 20, 0, 20},
        {20, -5, 20, 0},
        {20, 200, 20, -1}, // beyond the bottom, though inside a square area of the same width
        {400, 20, -1, 20},
        {100, 100, 100, 100},
    };
    for (const Case &c : cases) {
        canvas.ClearAllControls();
        add(MakeLine("n", 10, 10, 20, 5));
        clsPLControl moved = element("n");
        moved.setLeft(c.left);
        moved.setTop(c.top);
        canvas.UpdateOneControl(moved);
        const clsPLControl &n = element("n");
        if (c.keptLeft >= 0)
            EXPECT_DOUBLE_EQ(n.Left(), c.keptLeft) << c.left << "," << c.top;
        else
            EXPECT_LE(n.Left(), lastX) << c.left;
        if (c.keptTop >= 0)
            EXPECT_DOUBLE_EQ(n.Top(), c.keptTop) << c.left << "," << c.top;
        else
            EXPECT_LE(n.Top(), lastY) << c.top;
        EXPECT_GE(n.Left(), 0);
        EXPECT_GE(n.Top(), 0);
        EXPECT_DOUBLE_EQ(n.Width(), 20);
        EXPECT_DOUBLE_EQ(n.Height(), 5);
    }
}

} // namespace

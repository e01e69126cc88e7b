// Mouse and keyboard gestures over twips: dead zone, snapping, limits, handles, lines, bands,
// selection, add mode, nudging and alignment.
#include "CanvasTestSupport.h"

#include "common/DesignScale.h"

#include <cmath>

using namespace CanvasGeometry;

namespace {

bool onGrid(double v) { return std::abs(v / HandleUnit - std::round(v / HandleUnit)) < 1e-6; }
QPointF centre(const QRectF &r) { return r.center(); }

TEST_F(CanvasTest, SmallMovesStayInTheDeadZoneUnlessShiftIsHeld)
{
    add(MakeLabel("a", 10, 10, 10, 5));
    const QPointF p = at(12, 12);
    drag(p, p + QPointF(10, 5));
    EXPECT_EQ(element("a").Left(), 10);
    EXPECT_EQ(element("a").Top(), 10);
    drag(p, p + QPointF(10, 5), KdPLDesinger::ShiftKey);
    EXPECT_NEAR(state("a").left, tw(10) + 10, 1e-9);
    EXPECT_NEAR(state("a").top, tw(10) + 5, 1e-9);
    EXPECT_NEAR(element("a").Left(), (tw(10) + 10) / 85.05, 1e-9);
}

TEST_F(CanvasTest, DraggedElementsLandOnTheHandleGrid)
{
    add(MakeLabel("a", 10.3, 10.1, 10, 5));
    drag(at(12, 12), at(12, 12) + QPointF(37, 101), 0, 3);
    EXPECT_TRUE(onGrid(state("a").left)) << state("a").left;
    EXPECT_TRUE(onGrid(state("a").top)) << state("a").top;
    EXPECT_NEAR(state("a").left, tw(10.3) + 37, HandleUnit / 2 + 1e-9);
}

TEST_F(CanvasTest, DragsStopAtTheEdgesOfTheDesignArea)
{
    add(MakeLabel("a", 10, 10, 10, 5));
    drag(at(12, 12), QPointF(-5000, -5000));
    EXPECT_EQ(state("a").left, 0);
    EXPECT_EQ(state("a").top, 0);
    drag(at(2, 2), QPointF(90000, 90000));
    EXPECT_NEAR(state("a").left + state("a").width + RulerTwips, tw(300), 1e-9);
    EXPECT_NEAR(state("a").top + state("a").height + RulerTwips, tw(300), 1e-9);
}

TEST_F(CanvasTest, TheRestOfTheMultiSelectionMovesAlong)
{
    add(MakeLabel("a", 10, 10, 10, 5));
    add(MakeLabel("b", 40, 40, 10, 5));
    add(MakeLabel("c", 70, 70, 10, 5));
    click(at(41, 41), KdPLDesinger::ShiftKey);
    click(at(11, 11), KdPLDesinger::ShiftKey);
    const double before = state("b").left;
    drag(at(11, 11), at(11, 11) + QPointF(tw(5), tw(2)));
    EXPECT_NEAR(state("b").left - before, tw(5), HandleUnit);
    EXPECT_NEAR(element("b").Left() - 40, element("a").Left() - 10, 1e-9);
    EXPECT_NEAR(element("b").Top() - 40, element("a").Top() - 10, 1e-9);
    EXPECT_EQ(element("c").Left(), 70);
}

TEST_F(CanvasTest, HandlesResizeTheEdgesTheyStandFor)
{
    struct Case {
        int handle;
        QPointF by;
        bool left, top, width, height; // which values change
    };
    const Case cases[] = {
        {0, {-200, -100}, true, true, true, true},
        {1, {-200, -100}, false, true, false, true},
        {3, {200, 100}, false, false, true, false},
        {4, {200, 100}, false, false, true, true},
        {5, {200, 100}, false, false, false, true},
        {7, {-200, -100}, true, false, true, false},
    };
    for (const Case &c : cases) {
        canvas.ClearAllControls();
        add(MakeLabel("a", 20, 20, 10, 5));
        click(at(21, 21));
        const ControlState before = state("a");
        const QPointF h = centre((*canvas.Handles())[size_t(c.handle)]);
        drag(h, h + c.by);
        const ControlState &s = state("a");
        EXPECT_EQ(s.left != before.left, c.left) << c.handle;
        EXPECT_EQ(s.top != before.top, c.top) << c.handle;
        EXPECT_EQ(s.width != before.width, c.width) << c.handle;
        EXPECT_EQ(s.height != before.height, c.height) << c.handle;
        // The opposite edges stay where they were.
        if (c.left)
            EXPECT_NEAR(s.left + s.width, before.left + before.width, 1e-9);
        if (c.top)
            EXPECT_NEAR(s.top + s.height, before.top + before.height, 1e-9);
    }
}

TEST_F(CanvasTest, ShrinkingStopsAtHalfAMillimetreAtEveryScale)
{
    for (double scale : {85.05, 56.7, 191.3625}) {
        SetDesignScale(scale);
        canvas.ClearAllControls();
        add(MakeLabel("a", 20, 20, 10, 5));
        click(QPointF(21 * scale, 21 * scale));
        const QPointF h = centre((*canvas.Handles())[4]);
        drag(h, h - QPointF(5000, 5000));
        EXPECT_NEAR(state("a").width, 0.5 * scale, 1e-9) << scale;
        EXPECT_NEAR(state("a").height, 0.5 * scale, 1e-9) << scale;
        EXPECT_NEAR(element("a").Width(), 0.5, 1e-9) << scale;
    }
    SetDesignScale(0);
    EXPECT_NEAR(0.5 * GetDesignScale(), 42.525, 1e-9);
}

TEST_F(CanvasTest, FixedSizeElementsIgnoreHandlesAndShiftArrows)
{
    add(MakeBlock("b", 20, 20));
    click(at(21, 20.5));
    const ControlState before = state("b");
    const QPointF h = centre((*canvas.Handles())[4]);
    drag(h, h + QPointF(300, 300));
    EXPECT_EQ(state("b"), before);
    canvas.KeyDown(Qt::Key_Right, KdPLDesinger::ShiftKey);
    EXPECT_EQ(element("b").Width(), 3);
}

TEST_F(CanvasTest, ClicksNearALineSelectItFartherOnesStartABand)
{
    // A diagonal line, clicked beside its middle at right angles to it.
    const QPointF middle = at(40, 40);
    const QPointF across(1 / std::sqrt(2.0), -1 / std::sqrt(2.0));
    struct Case {
        double distance;
        bool picked;
    };
    for (const Case &c : {Case{100, true}, Case{130, false}, Case{-119, true}, Case{-121, false}}) {
        canvas.ClearAllControls();
        add(MakeLine("l", 20, 20, 40, 40));
        canvas.MouseDownAt(KdPLDesinger::LeftButton, 0, middle + across * c.distance);
        EXPECT_EQ(canvas.Band().has_value(), !c.picked) << c.distance;
        EXPECT_EQ(canvas.GetCurrentControl() != nullptr, c.picked) << c.distance;
        if (c.picked) {
            EXPECT_TRUE(canvas.Grips());
            EXPECT_FALSE(canvas.Handles());
        }
        canvas.MouseUpAt(KdPLDesinger::LeftButton, 0, middle + across * c.distance);
    }
    // Beyond an end point: 50 twips is still on the line, 70 is not.
    canvas.ClearAllControls();
    add(MakeLine("h", 20, 50, 40, 0));
    click(QPointF(tw(60) + 70, tw(50)));
    EXPECT_EQ(canvas.GetCurrentControl(), nullptr);
    click(QPointF(tw(60) + 50, tw(50)));
    EXPECT_NE(canvas.GetCurrentControl(), nullptr);
}

TEST_F(CanvasTest, LinesMoveWholeOrByTheirGrips)
{
    add(MakeLine("l", 20, 50, 40, 10));
    drag(QPointF(tw(40), tw(55)), QPointF(tw(40) + 567, tw(55) + 567));
    EXPECT_NEAR(element("l").Left(), 20 + 567 / 85.05, HandleUnit / 85.05);
    EXPECT_NEAR(element("l").Width(), 40, 1e-9);
    EXPECT_NEAR(element("l").Height(), 10, 1e-9);
    const auto grips = *canvas.Grips();
    const double endX = state("l").x2;
    drag(centre(grips[0]), centre(grips[0]) + QPointF(-300, 0));
    EXPECT_NEAR(state("l").x2, endX, 1e-9);
    EXPECT_NEAR(element("l").Width(), 40 + 300 / 85.05, HandleUnit / 85.05);
}

TEST_F(CanvasTest, BandsSelectOverlappingLabelsInEitherDirection)
{
    add(MakeLabel("a", 10, 10, 5, 5));
    add(MakeLine("l", 12, 12, 5, 5));
    add(MakeLabel("b", 30, 30, 5, 5));
    add(MakeLabel("c", 100, 100, 5, 5));
    add(MakeLabel("touch", 40, 10, 5, 5));
    for (auto [from, to] : {std::pair{at(5, 5), at(40, 40)}, std::pair{at(40, 40), at(5, 5)}}) {
        int clicks = 0;
        auto c = QObject::connect(&canvas, &KdPLDesinger::CtrlClick, [&] { ++clicks; });
        drag(from, to);
        QObject::disconnect(c);
        EXPECT_EQ(canvas.MultiSelectionKeys(), QStringList({"a", "b"}));
        EXPECT_EQ(canvas.GetCurrentControl()->KeyName(), "a");
        EXPECT_EQ(clicks, 1);
    }
    // A band that catches nothing empties the multi-selection and keeps the current element.
    drag(at(200, 200), at(210, 210));
    EXPECT_TRUE(canvas.MultiSelectionKeys().isEmpty());
    EXPECT_EQ(canvas.GetCurrentControl()->KeyName(), "a");
}

TEST_F(CanvasTest, ShiftAndCtrlClicksToggleTheMultiSelection)
{
    add(MakeLabel("a", 10, 10, 5, 5));
    add(MakeLabel("b", 20, 10, 5, 5));
    click(at(11, 11), KdPLDesinger::CtrlKey);
    click(at(21, 11), KdPLDesinger::ShiftKey);
    EXPECT_EQ(canvas.MultiSelectionKeys(), QStringList({"a", "b"}));
    click(at(11, 11), KdPLDesinger::CtrlKey);
    EXPECT_EQ(canvas.MultiSelectionKeys(), QStringList({"b"}));
    EXPECT_EQ(canvas.GetCurrentControl()->KeyName(), "a");
    click(at(21, 11));
    EXPECT_EQ(canvas.MultiSelectionKeys(), QStringList({"b"}));
}

TEST_F(CanvasTest, AddModePlacesAndSizesTheElement)
{
    int ended = 0;
    QObject::connect(&canvas, &KdPLDesinger::EndAddControlByMouse, [&] { ++ended; });
    QStringList clicked;
    QObject::connect(&canvas, &KdPLDesinger::CtrlClick,
            [&](const clsPLControl *e) { clicked << (e ? e->KeyName() : QStringLiteral("-")); });
    canvas.BeginAddControlByMouse(MakeLabel("", 0, 0, 3, 1.5));
    EXPECT_TRUE(canvas.InAddMode());
    EXPECT_EQ(canvas.PointerAt(at(10, 10)), KdPLDesinger::CrossPointer);
    drag(at(10, 10), at(10, 10) + QPointF(tw(2), tw(1)));
    EXPECT_FALSE(canvas.InAddMode());
    ASSERT_EQ(ended, 1);
    const clsPLControl &e = element("lbl1");
    EXPECT_NEAR(e.Left(), 10, 1e-9);
    EXPECT_NEAR(e.Width(), 5, HandleUnit / 85.05);
    EXPECT_NEAR(e.Height(), 2.5, HandleUnit / 85.05);
    EXPECT_EQ(canvas.GetCurrentControl()->KeyName(), "lbl1");
    EXPECT_EQ(clicked, QStringList({"-", "lbl1"})); // the selection is cleared first

    canvas.BeginAddControlByMouse(MakeLine("", 0, 0, 0, 0));
    drag(at(50, 50), at(50, 50) + QPointF(tw(20), 0));
    EXPECT_NEAR(element("Line1").Width(), 20, HandleUnit / 85.05);
    EXPECT_NEAR(element("Line1").Left(), 50, 1e-9);
}

TEST_F(CanvasTest, AddModeEndsWithoutAnElementOnOtherButtonsOrOnAControl)
{
    add(MakeLabel("a", 10, 10, 5, 5));
    int cancelled = 0;
    QObject::connect(&canvas, &KdPLDesinger::CancelAddControlByMouse, [&] { ++cancelled; });
    canvas.BeginAddControlByMouse(MakeLabel("", 0, 0, 3, 1.5));
    canvas.MouseDownAt(KdPLDesinger::RightButton, 0, at(50, 50));
    EXPECT_FALSE(canvas.InAddMode());
    canvas.BeginAddControlByMouse(MakeLabel("", 0, 0, 3, 1.5));
    click(at(11, 11));
    EXPECT_FALSE(canvas.InAddMode());
    EXPECT_EQ(cancelled, 2);
    EXPECT_EQ(canvas.AllItems().Count(), 1);
}

TEST_F(CanvasTest, MovesThatComeDuringThePauseAreGathered)
{
    add(MakeLabel("a", 10, 10, 10, 5));
    const QPointF p = at(12, 12);
    canvas.MouseDownAt(KdPLDesinger::LeftButton, 0, p);
    canvas.MouseMoveAt(KdPLDesinger::LeftButton, 0, p + QPointF(113.4, 0));
    const double first = state("a").left;
    EXPECT_NEAR(first, tw(10) + 113.4, 1e-9);
    m_now += 10;
    canvas.MouseMoveAt(KdPLDesinger::LeftButton, 0, p + QPointF(226.8, 0));
    canvas.MouseMoveAt(KdPLDesinger::LeftButton, 0, p + QPointF(340.2, 0));
    EXPECT_EQ(state("a").left, first);
    EXPECT_TRUE(canvas.HasPendingMove());
    canvas.FlushPendingMove(); // still inside the pause
    EXPECT_EQ(state("a").left, first);
    m_now += CanvasGeometry::MovePauseMs;
    canvas.FlushPendingMove();
    EXPECT_NEAR(state("a").left, tw(10) + 340.2, 1e-9);
    m_now += 1;
    canvas.MouseMoveAt(KdPLDesinger::LeftButton, 0, p + QPointF(453.6, 0));
    canvas.MouseUpAt(KdPLDesinger::LeftButton, 0, p + QPointF(453.6, 0));
    // The release takes the last position even inside the pause.
    EXPECT_NEAR(element("a").Left(), (tw(10) + 453.6) / 85.05, 1e-9);
}

TEST_F(CanvasTest, ArrowKeysChangeOnlyTheirOwnValueByATenthOfAMillimetreAtEveryZoom)
{
    struct Case {
        int key, shift;
        double dLeft, dTop, dWidth, dHeight; // of the current element, mm
        double dOtherLeft, dOtherTop;        // of the rest of the multi-selection
    };
    const Case cases[] = {
        {Qt::Key_Right, 0, 0.1, 0, 0, 0, 0.1, 0},
        {Qt::Key_Left, 0, -0.1, 0, 0, 0, -0.1, 0},
        {Qt::Key_Down, 0, 0, 0.1, 0, 0, 0, 0.1},
        {Qt::Key_Up, 0, 0, -0.1, 0, 0, 0, -0.1},
        {Qt::Key_Right, KdPLDesinger::ShiftKey, 0, 0, 0.1, 0, 0.1, 0},
        {Qt::Key_Left, KdPLDesinger::ShiftKey, 0, 0, -0.1, 0, -0.1, 0},
        {Qt::Key_Down, KdPLDesinger::ShiftKey, 0, 0, 0, 0.1, 0, 0.1},
        {Qt::Key_Up, KdPLDesinger::ShiftKey, 0, 0, 0, -0.1, 0, -0.1},
    };
    canvas.setVirtualHeight(120);
    for (double scale : {11.2, 56.7, 283.5}) {
        SetDesignScale(scale);
        canvas.ClearAllControls();
        // Values off any pixel grid, so that a rounding of the other axis shows.
        add(MakeLabel("a", 10.03, 20.07, 10.01, 5.03));
        add(MakeLabel("b", 40.11, 40.13, 10, 5));
        canvas.SetCurrentControl(*canvas.GetOneControlByKeyName("b"), KdPLDesinger::CtrlKey);
        canvas.SetCurrentControl(*canvas.GetOneControlByKeyName("a"), KdPLDesinger::CtrlKey);
        for (const Case &c : cases) {
            const clsPLControl a = element("a");
            const clsPLControl b = element("b");
            int changes = 0;
            const auto counted = QObject::connect(&canvas, &KdPLDesinger::CtrlChanged,
                                                  [&](const clsPLControl &) { ++changes; });
            canvas.KeyDown(c.key, c.shift);
            QObject::disconnect(counted);
            const std::string what = std::to_string(scale) + " key " + std::to_string(c.key)
                + " shift " + std::to_string(c.shift);
            EXPECT_EQ(changes, 1) << what;
            EXPECT_NEAR(element("a").Left() - a.Left(), c.dLeft, 1e-9) << what;
            EXPECT_NEAR(element("a").Top() - a.Top(), c.dTop, 1e-9) << what;
            EXPECT_NEAR(element("a").Width() - a.Width(), c.dWidth, 1e-9) << what;
            EXPECT_NEAR(element("a").Height() - a.Height(), c.dHeight, 1e-9) << what;
            // What the arrow does not name stays exactly as it was.
            if (c.dLeft == 0)
                EXPECT_EQ(element("a").Left(), a.Left()) << what;
            if (c.dTop == 0)
                EXPECT_EQ(element("a").Top(), a.Top()) << what;
            if (c.dWidth == 0)
                EXPECT_EQ(element("a").Width(), a.Width()) << what;
            if (c.dHeight == 0)
                EXPECT_EQ(element("a").Height(), a.Height()) << what;
            EXPECT_NEAR(element("b").Left() - b.Left(), c.dOtherLeft, 1e-9) << what;
            EXPECT_NEAR(element("b").Top() - b.Top(), c.dOtherTop, 1e-9) << what;
            if (c.dOtherLeft == 0)
                EXPECT_EQ(element("b").Left(), b.Left()) << what;
            if (c.dOtherTop == 0)
                EXPECT_EQ(element("b").Top(), b.Top()) << what;
            EXPECT_EQ(element("b").Width(), 10) << what;
        }
        // Four steps out and four back land on the very same values.
        const clsPLControl start = element("a");
        for (int key : {Qt::Key_Right, Qt::Key_Down})
            for (int shift : {0, int(KdPLDesinger::ShiftKey)})
                for (int i = 0; i < 4; ++i)
                    canvas.KeyDown(key, shift);
        for (int key : {Qt::Key_Left, Qt::Key_Up})
            for (int shift : {0, int(KdPLDesinger::ShiftKey)})
                for (int i = 0; i < 4; ++i)
                    canvas.KeyDown(key, shift);
        EXPECT_EQ(element("a").Left(), start.Left()) << scale;
        EXPECT_EQ(element("a").Top(), start.Top()) << scale;
        EXPECT_EQ(element("a").Width(), start.Width()) << scale;
        EXPECT_EQ(element("a").Height(), start.Height()) << scale;
    }
}

TEST_F(CanvasTest, AlignmentModesAgainstTheCurrentElement)
{
    struct Case {
        int mode;
        double left, top, width, height; // of b afterwards
    };
    // Reference a: 10, 10, 10 x 6. b: 30, 40, 4 x 2.
    const Case cases[] = {
        {1, 10, 40, 4, 2},  {2, 13, 40, 4, 2}, {3, 16, 40, 4, 2}, {4, 30, 10, 4, 2},
        {5, 30, 12, 4, 2},  {6, 30, 14, 4, 2}, {7, 30, 40, 10, 2}, {8, 30, 40, 4, 6},
    };
    for (const Case &c : cases) {
        canvas.ClearAllControls();
        add(MakeLabel("a", 10, 10, 10, 6));
        add(MakeLabel("b", 30, 40, 4, 2));
        add(MakeBlock("k", 60, 60));
        click(at(31, 41), KdPLDesinger::CtrlKey);
        click(at(61, 60.5), KdPLDesinger::CtrlKey);
        click(at(11, 11), KdPLDesinger::CtrlKey);
        canvas.DoAlignmentSelectMul(c.mode);
        const clsPLControl &b = element("b");
        EXPECT_NEAR(b.Left(), c.left, 1e-9) << c.mode;
        EXPECT_NEAR(b.Top(), c.top, 1e-9) << c.mode;
        EXPECT_NEAR(b.Width(), c.width, 1e-9) << c.mode;
        EXPECT_NEAR(b.Height(), c.height, 1e-9) << c.mode;
        // A block keeps its size under "same width" and "same height".
        EXPECT_EQ(element("k").Width(), 3);
        EXPECT_EQ(element("k").Height(), 1.5);
    }
}

TEST_F(CanvasTest, CtrlAPutsEveryLabelIntoTheSelection)
{
    add(MakeLine("l", 1, 1, 5, 5));
    add(MakeLabel("a", 10, 10, 5, 5));
    add(MakeBlock("b", 20, 20));
    int clicks = 0;
    QObject::connect(&canvas, &KdPLDesinger::CtrlClick, [&] { ++clicks; });
    canvas.KeyDown(Qt::Key_A, KdPLDesinger::CtrlKey);
    EXPECT_EQ(canvas.MultiSelectionKeys(), QStringList({"a", "b"}));
    EXPECT_EQ(canvas.GetCurrentControl()->KeyName(), "a");
    EXPECT_EQ(clicks, 1);
}

TEST_F(CanvasTest, PointersShowWhatAPressWouldDo)
{
    add(MakeLabel("a", 10, 10, 10, 5));
    click(at(11, 11));
    const auto handles = *canvas.Handles();
    const int expected[8] = {8, 7, 6, 9, 8, 7, 6, 9};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(canvas.PointerAt(centre(handles[size_t(i)])), expected[i]) << i;
    EXPECT_EQ(canvas.PointerAt(at(15, 12)), KdPLDesinger::SizeAllPointer);
    EXPECT_EQ(canvas.PointerAt(at(100, 100)), KdPLDesinger::ArrowPointer);
}

} // namespace

// What is selected is what is marked, and only that is deleted; add mode takes only presses on
// the design area; an alignment with nothing to align is no step.
#include "CanvasTestSupport.h"

using namespace CanvasGeometry;

namespace {

class CanvasSelectionTest : public CanvasTest {
protected:
    CanvasSelectionTest()
    {
        canvas.setVirtualHeight(120);
        add(MakeLabel("a", 10, 10, 10, 5));
        add(MakeLabel("b", 30, 10, 10, 5));
        add(MakeLabel("c", 80, 60, 10, 5));
    }
    QStringList keys() const
    {
        QStringList out;
        for (const KdPLDesinger::Item &item : canvas.AllItems())
            out << item.element.KeyName();
        return out;
    }
    int steps = 0;
};

TEST_F(CanvasSelectionTest, APlainClickOutsideTheMultiSelectionEndsIt)
{
    drag(at(5, 5), at(45, 20)); // band over a and b
    ASSERT_EQ(canvas.MultiSelectionKeys(), QStringList({"a", "b"}));
    click(at(81, 61));
    EXPECT_TRUE(canvas.MultiSelectionKeys().isEmpty());
    EXPECT_EQ(canvas.GetCurrentControl()->KeyName(), "c");
    canvas.KeyDown(Qt::Key_Delete, 0);
    EXPECT_EQ(keys(), QStringList({"a", "b"}));
}

TEST_F(CanvasSelectionTest, APlainClickInsideTheMultiSelectionKeepsItForADrag)
{
    drag(at(5, 5), at(45, 20));
    click(at(31, 11));
    EXPECT_EQ(canvas.MultiSelectionKeys(), QStringList({"a", "b"}));
    EXPECT_EQ(canvas.GetCurrentControl()->KeyName(), "b");
    drag(at(31, 11), at(31, 31));
    EXPECT_NEAR(element("a").Top(), 30, HandleUnit / 85.05);
    EXPECT_NEAR(element("c").Top(), 60, 1e-9);
}

TEST_F(CanvasSelectionTest, ALineDrawnToMeasureAndDeletedTakesNothingElse)
{
    drag(at(5, 5), at(45, 20));
    canvas.BeginAddControlByMouse(MakeLine("", 0, 0, 0, 0));
    drag(at(50, 50), at(90, 50));
    const QString line = canvas.GetCurrentControl()->KeyName();
    EXPECT_TRUE(canvas.MultiSelectionKeys().isEmpty());
    canvas.KeyDown(Qt::Key_Delete, 0);
    EXPECT_EQ(keys(), QStringList({"a", "b", "c"}));
    EXPECT_EQ(canvas.GetOneControlByKeyName(line), nullptr);
}

TEST_F(CanvasSelectionTest, AddModePlacesOnlyOnTheDesignArea)
{
    const double right = tw(300) - RulerTwips;
    const double bottom = tw(120) - RulerTwips;
    struct Case {
        const char *where;
        QPointF at;
        bool placed;
    };
    const Case cases[] = {
        {"top ruler", QPointF(tw(50), -100), false},
        {"left ruler", QPointF(-100, tw(50)), false},
        {"corner of the rulers", QPointF(-100, -100), false},
        {"beyond the right edge", QPointF(right + 10, tw(50)), false},
        {"below the bottom edge, though within the width", QPointF(tw(50), bottom + 10), false},
        {"just inside the bottom-right corner", QPointF(right - 10, bottom - 10), true},
        {"the top-left corner", QPointF(0, 0), true},
    };
    for (const Case &c : cases) {
        const int before = canvas.AllItems().Count();
        canvas.BeginAddControlByMouse(MakeLabel("", 0, 0, 0, 0));
        int cancelled = 0;
        const auto link = QObject::connect(&canvas, &KdPLDesinger::CancelAddControlByMouse,
                                           [&] { ++cancelled; });
        click(c.at);
        QObject::disconnect(link);
        EXPECT_EQ(canvas.AllItems().Count() - before, c.placed ? 1 : 0) << c.where;
        // A press off the area does nothing at all: the add mode waits for one on it.
        EXPECT_EQ(canvas.InAddMode(), !c.placed) << c.where;
        EXPECT_EQ(cancelled, 0) << c.where;
        if (canvas.InAddMode())
            canvas.MouseDownAt(KdPLDesinger::RightButton, 0, at(150, 100));
    }
}

TEST_F(CanvasSelectionTest, AlignmentWithNothingToAlignIsNoStepAndNoChange)
{
    QObject::connect(&canvas, &KdPLDesinger::StepFinished, [this] { ++steps; });
    int changes = 0;
    QObject::connect(&canvas, &KdPLDesinger::CtrlChanged, [&] { ++changes; });
    click(at(11, 11)); // current, nothing else selected
    const clsPLControl a = element("a");
    for (int mode = 1; mode <= 8; ++mode)
        canvas.DoAlignmentSelectMul(mode);
    EXPECT_EQ(steps, 0);
    EXPECT_EQ(element("a"), a);
    // Only the current one in the multi-selection: it is its own reference.
    click(at(11, 11), KdPLDesinger::CtrlKey);
    changes = 0;
    for (int mode = 1; mode <= 8; ++mode)
        canvas.DoAlignmentSelectMul(mode);
    EXPECT_EQ(steps, 0);
    EXPECT_EQ(changes, 0);
    // Something to align: one step.
    click(at(31, 11), KdPLDesinger::CtrlKey);
    canvas.DoAlignmentSelectMul(1);
    EXPECT_EQ(steps, 1);
    EXPECT_DOUBLE_EQ(element("a").Left(), 30);
}

} // namespace

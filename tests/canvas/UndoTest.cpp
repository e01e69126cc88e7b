// Undo and redo of every kind of step, through the stack of template snapshots.
#include "CanvasTestSupport.h"

#include "canvas/TemplateUndoStack.h"

namespace {

class UndoTest : public CanvasTest {
protected:
    UndoTest() : undo(canvas)
    {
        add(MakeLabel("a", 10, 10, 10, 5));
        add(MakeLabel("b", 40, 40, 10, 5));
        add(MakeLine("l", 60, 60, 20, 0));
        properties.setLayoutName(QStringLiteral("双色球"));
        undo.Reset(properties);
    }
    // Left, top, width and height of every element, in order, as one text.
    QString geometry() const
    {
        QStringList parts;
        for (const KdPLDesinger::Item &item : canvas.AllItems()) {
            const clsPLControl &e = item.element;
            parts << QStringLiteral("%1:%2,%3,%4,%5")
                         .arg(e.KeyName())
                         .arg(e.Left())
                         .arg(e.Top())
                         .arg(e.Width())
                         .arg(e.Height());
        }
        return parts.join(' ');
    }
    // Undo brings back the state before, redo the state after, and the stack is clean again
    // at the start.
    void expectUndoRedo(const QString &before, int steps = 1)
    {
        const QString after = geometry();
        ASSERT_NE(before, after);
        ASSERT_EQ(undo.Stack().count(), steps);
        EXPECT_FALSE(undo.Stack().isClean());
        for (int i = 0; i < steps; ++i)
            undo.Stack().undo();
        EXPECT_EQ(geometry(), before);
        EXPECT_TRUE(undo.Stack().isClean());
        for (int i = 0; i < steps; ++i)
            undo.Stack().redo();
        EXPECT_EQ(geometry(), after);
    }

    colPLControls properties;
    TemplateUndoStack undo;
};

TEST_F(UndoTest, ADragIsOneStep)
{
    const QString before = geometry();
    drag(at(11, 11), at(11, 11) + QPointF(500, 300), 0, 5);
    expectUndoRedo(before);
}

TEST_F(UndoTest, AClickWithoutMovingIsNoStep)
{
    click(at(11, 11));
    drag(at(11, 11), at(11, 11) + QPointF(3, 3));
    EXPECT_EQ(undo.Stack().count(), 0);
}

TEST_F(UndoTest, AResizeIsOneStep)
{
    click(at(11, 11));
    const QString before = geometry();
    const QPointF h = (*canvas.Handles())[4].center();
    drag(h, h + QPointF(400, 200), 0, 3);
    expectUndoRedo(before);
}

TEST_F(UndoTest, ABurstOfArrowKeysOnOneSelectionIsOneStep)
{
    click(at(11, 11));
    const QString before = geometry();
    for (int i = 0; i < 5; ++i)
        canvas.KeyDown(Qt::Key_Right, 0);
    canvas.KeyDown(Qt::Key_Down, KdPLDesinger::ShiftKey);
    expectUndoRedo(before);
    // A click in between starts a new burst.
    click(at(41, 41));
    canvas.KeyDown(Qt::Key_Right, 0);
    EXPECT_EQ(undo.Stack().count(), 2);
}

TEST_F(UndoTest, AnAddByMouseIsOneStep)
{
    const QString before = geometry();
    canvas.BeginAddControlByMouse(MakeLabel("", 0, 0, 3, 1.5));
    drag(at(100, 100), at(100, 100) + QPointF(300, 300), 0, 4);
    expectUndoRedo(before);
    EXPECT_NE(canvas.GetOneControlByKeyName("lbl1"), nullptr);
}

TEST_F(UndoTest, ADeleteIsOneStep)
{
    click(at(11, 11), KdPLDesinger::CtrlKey);
    click(at(41, 41), KdPLDesinger::CtrlKey);
    const QString before = geometry();
    canvas.KeyDown(Qt::Key_Delete, 0);
    expectUndoRedo(before);
    EXPECT_EQ(canvas.AllItems().Count(), 1);
}

TEST_F(UndoTest, AnAlignmentIsOneStep)
{
    click(at(41, 41), KdPLDesinger::CtrlKey);
    click(at(11, 11), KdPLDesinger::CtrlKey);
    const QString before = geometry();
    canvas.DoAlignmentSelectMul(1);
    expectUndoRedo(before);
}

TEST_F(UndoTest, RecordedStepsCarryTheTemplatePropertiesToo)
{
    QStringList restoredNames;
    QObject::connect(&undo, &TemplateUndoStack::PropertiesRestored,
            [&](const colPLControls &t) { restoredNames << t.LayoutName(); });
    const QString before = geometry();
    // A dialog run: two elements and new properties are one step.
    clsPLControl x = MakeBlock("", 5, 5);
    clsPLControl y = MakeBlock("", 9, 5);
    canvas.AddOneControl(x);
    canvas.AddOneControl(y);
    colPLControls changed = properties;
    changed.setLayoutName(QStringLiteral("七乐彩"));
    undo.Record(QStringLiteral("添加号码"), changed);
    expectUndoRedo(before);
    EXPECT_EQ(restoredNames, QStringList({"双色球", "七乐彩"}));
    EXPECT_EQ(undo.Current().LayoutName(), "七乐彩");
}

TEST_F(UndoTest, UndoKeepsTheSelectionThatStillExists)
{
    click(at(41, 41), KdPLDesinger::CtrlKey);
    click(at(11, 11), KdPLDesinger::CtrlKey);
    drag(at(11, 11), at(20, 20));
    undo.Stack().undo();
    EXPECT_EQ(canvas.GetCurrentControl()->KeyName(), "a");
    EXPECT_EQ(canvas.MultiSelectionKeys(), QStringList({"b", "a"}));
}

} // namespace

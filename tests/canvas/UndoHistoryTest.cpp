// The undo history holds what changed, not copies, and stays within its byte budget: the
// oldest steps go first, the last one always stays, and every step that stays undoes and
// redoes exactly.
#include "CanvasTestSupport.h"

#include "canvas/ElementListChange.h"
#include "canvas/TemplateUndoStack.h"

namespace {

class UndoHistoryTest : public CanvasTest {
protected:
    UndoHistoryTest() : undo(canvas)
    {
        for (int i = 0; i < 200; ++i)
            add(MakeLabel(QStringLiteral("e%1").arg(i), 5 + (i % 20) * 12, 5 + (i / 20) * 9, 10, 5));
        undo.Reset(properties);
    }
    // Every element's key and geometry, in order.
    QString shown() const
    {
        QStringList parts;
        for (const KdPLDesinger::Item &item : canvas.AllItems()) {
            const clsPLControl &e = item.element;
            parts << QStringLiteral("%1:%2,%3,%4,%5").arg(e.KeyName()).arg(e.Left()).arg(e.Top())
                         .arg(e.Width()).arg(e.Height());
        }
        return parts.join(' ');
    }
    // Ten steps of every kind; the states before and after each.
    QStringList tenSteps()
    {
        QStringList states = {shown()};
        for (int i = 0; i < 10; ++i) {
            switch (i % 5) {
            case 0: // move one element of the third row (e40, then e41)
                drag(at(6 + 12 * (i / 5), 24), at(6 + 12 * (i / 5), 60 + i));
                break;
            case 1: // delete two
                click(at(18, 6), KdPLDesinger::CtrlKey);
                click(at(30, 6), KdPLDesinger::CtrlKey);
                canvas.KeyDown(Qt::Key_Delete, 0);
                break;
            case 2: { // a dialog adds one at the end
                clsPLControl e = MakeBlock(QString(), 100, 100);
                canvas.AddOneControl(e);
                undo.Record(QStringLiteral("添加"));
                break;
            }
            case 3: // a burst of arrow keys
                click(at(42, 15));
                canvas.KeyDown(Qt::Key_Right, 0);
                canvas.KeyDown(Qt::Key_Down, KdPLDesinger::ShiftKey);
                break;
            case 4: // new settings
                properties.setLayoutName(QStringLiteral("名%1").arg(i));
                undo.Record(QStringLiteral("投注单设置"), properties);
                break;
            }
            m_now += 1000;
            states << shown();
        }
        return states;
    }
    colPLControls properties;
    TemplateUndoStack undo;
};

TEST_F(UndoHistoryTest, EveryStepUndoesAndRedoesExactly)
{
    const QStringList states = tenSteps();
    ASSERT_EQ(undo.Stack().count(), 10);
    for (int i = 9; i >= 0; --i) {
        undo.Stack().undo();
        EXPECT_EQ(shown(), states[i]) << "undo to " << i;
    }
    EXPECT_TRUE(undo.Stack().isClean());
    EXPECT_EQ(undo.Current().LayoutName(), "");
    for (int i = 1; i <= 10; ++i) {
        undo.Stack().redo();
        EXPECT_EQ(shown(), states[i]) << "redo to " << i;
    }
    EXPECT_EQ(undo.Current().LayoutName(), "名9");
}

TEST_F(UndoHistoryTest, AStepOnOneElementHoldsThatElementNotTheTemplate)
{
    const qint64 before = undo.HistoryBytes();
    drag(at(6, 6), at(6, 40));
    const qint64 step = undo.HistoryBytes() - before;
    const qint64 one = ApproxBytes(element("e0"));
    EXPECT_GT(step, 0);
    EXPECT_LT(step, 4 * one + 4096) << "a step of one element of 200";
    EXPECT_GT(200 * one, 10 * step);
}

TEST_F(UndoHistoryTest, TheOldestStepsGoFirstWhenTheBudgetIsExceeded)
{
    struct Case {
        qint64 budget;
        int atMost, atLeast;
    };
    const Case cases[] = {{1, 1, 1}, {4000, 9, 2}, {qint64(1) << 30, 10, 10}};
    for (const Case &c : cases) {
        canvas.ClearAllControls();
        for (int i = 0; i < 200; ++i)
            add(MakeLabel(QStringLiteral("e%1").arg(i), 5 + (i % 20) * 12, 5 + (i / 20) * 9, 10, 5));
        properties = colPLControls();
        undo.Reset(properties);
        undo.SetByteBudget(c.budget);
        const QStringList states = tenSteps();
        const int kept = undo.Stack().count();
        EXPECT_LE(kept, c.atMost) << c.budget;
        EXPECT_GE(kept, c.atLeast) << c.budget;
        EXPECT_TRUE(kept == 1 || undo.HistoryBytes() <= c.budget) << c.budget;
        // What stays is the newest steps, each exact; the saved state went with the oldest.
        for (int i = 0; i < kept; ++i) {
            undo.Stack().undo();
            EXPECT_EQ(shown(), states[9 - i]) << c.budget << " undo " << i;
        }
        EXPECT_EQ(undo.Stack().isClean(), kept == 10) << c.budget;
        for (int i = 0; i < kept; ++i)
            undo.Stack().redo();
        EXPECT_EQ(shown(), states[10]) << c.budget;
    }
}

} // namespace

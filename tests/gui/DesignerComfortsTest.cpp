// The designer's comforts: the clipboard (copy, cut, paste, duplicate), distributing evenly and
// the template check window, driven as the keyboard, the toolbar and the menu drive them.
#include "DesignerFixture.h"
#include "canvas/TemplateUndoStack.h"
#include "gui/TemplateCheckWindow.h"
#include "print/TemplateCheck.h"
#include "storage/clsPLStoreINI.h"

#include <QAction>
#include <QFile>
#include <QTableWidget>
#include <QUndoStack>
#include <cmath>

namespace {
clsPLControl numberAt(const QString &key, const QString &area, const QString &number, double left,
                      double top, double width = 3, double height = 1.5)
{
    clsPLControl e = elements::Shown(elements::Block(key, area, number, left, top, width, height));
    e.ApplyBlockStyle();
    return e;
}

// Two columns of a fill area, 5.5 mm apart, three numbers down at 2.25 mm.
colPLControls twoColumns()
{
    colPLControls t;
    t.setLayoutName("两列");
    for (int row = 0; row < 3; ++row) {
        const QString n = QString("%1").arg(row + 1, 2, 10, QChar('0'));
        t.Add(numberAt("A" + n, "1", n, 10, 10 + 2.25 * row));
        t.Add(numberAt("B" + n, "1", QString::number(row + 4).rightJustified(2, '0'), 15.5, 10 + 2.25 * row));
    }
    return t;
}
} // namespace

class DesignerComfortsTest : public DesignerTest {
protected:
    void trigger(const char *name) { w->findChild<QAction *>(QString::fromLatin1(name))->trigger(); }
    int count() const { return w->Canvas().AllItems().Count(); }
    int steps() { return w->Undo().Stack().index(); }
    QStringList selectColumnA()
    {
        const QStringList keys{"A01", "A02", "A03"};
        w->Canvas().SelectKeys(keys);
        return keys;
    }
};

TEST_F(DesignerComfortsTest, PasteAndDuplicateLandOnePitchFurtherEachAndKeepAreaAndNumber)
{
    // What the user does, how many pastes of the same copies, and how far they land (pitches).
    struct Case {
        const char *name;
        std::function<void(frmPLDesigner &)> run;
        int copiesAdded;
        double pitches; // of the last pasted copies
    };
    const std::vector<Case> cases = {
        {"Ctrl+D", [](frmPLDesigner &d) { d.DuplicateSelection(); }, 3, 1},
        {"Ctrl+C Ctrl+V", [](frmPLDesigner &d) { d.CopySelection(); d.PasteClipboard(); }, 3, 1},
        {"Ctrl+C Ctrl+V Ctrl+V",
         [](frmPLDesigner &d) { d.CopySelection(); d.PasteClipboard(); d.PasteClipboard(); }, 6, 2},
        {"menu 复制 粘贴",
         [](frmPLDesigner &d) { d.popMenu_mnuClick("COPY"); d.popMenu_mnuClick("PASTE"); }, 3, 1},
        {"menu 再制", [](frmPLDesigner &d) { d.popMenu_mnuClick("DUPLICATE"); }, 3, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        w->Load(twoColumns(), false);
        const QStringList original = selectColumnA();
        const int before = count();
        const int stepsBefore = steps();
        c.run(*w);
        ASSERT_EQ(count(), before + c.copiesAdded);
        // The new elements are the selection, in the order of the originals.
        const QStringList pasted = w->Canvas().SelectedKeys();
        ASSERT_EQ(pasted.size(), 3);
        for (int i = 0; i < 3; ++i) {
            const clsPLControl &from = element(original[i]);
            const clsPLControl &to = element(pasted[i]);
            EXPECT_FALSE(original.contains(to.KeyName(), Qt::CaseInsensitive));
            EXPECT_NEAR(to.Left() - from.Left(), 5.5 * c.pitches, 1e-9);
            EXPECT_NEAR(to.Top(), from.Top(), 1e-9);
            EXPECT_EQ(to.GroupID(), from.GroupID());
            EXPECT_EQ(to.FieldValue(), from.FieldValue());
            EXPECT_NEAR(to.Width(), from.Width(), 1e-9);
            EXPECT_NEAR(to.Height(), from.Height(), 1e-9);
        }
        // One step per paste; undoing it takes exactly those copies away.
        EXPECT_EQ(steps() - stepsBefore, c.copiesAdded / 3);
        w->Undo().Stack().undo();
        EXPECT_EQ(count(), before + c.copiesAdded - 3);
        EXPECT_EQ(w->Canvas().GetOneControlByKeyName(pasted[0]), nullptr);
    }
}

TEST_F(DesignerComfortsTest, CutTakesTheSelectionAwayInOneStepAndPastesItBackAPitchFurther)
{
    w->Load(twoColumns(), false);
    const QStringList original = selectColumnA();
    const double top2 = element("A02").Top();
    w->CutSelection();
    EXPECT_EQ(count(), 3);
    for (const QString &k : original)
        EXPECT_EQ(w->Canvas().GetOneControlByKeyName(k), nullptr);
    EXPECT_EQ(steps(), 1);
    w->PasteClipboard();
    EXPECT_EQ(count(), 6);
    EXPECT_EQ(steps(), 2);
    const QStringList pasted = w->Canvas().SelectedKeys();
    ASSERT_EQ(pasted.size(), 3);
    EXPECT_NEAR(element(pasted[1]).Left(), 15.5, 1e-9);
    EXPECT_NEAR(element(pasted[1]).Top(), top2, 1e-9);
    EXPECT_EQ(element(pasted[1]).FieldValue(), "02");
    w->Undo().Stack().undo();
    w->Undo().Stack().undo();
    EXPECT_EQ(count(), 6);
    EXPECT_NE(w->Canvas().GetOneControlByKeyName("A02"), nullptr);
}

TEST_F(DesignerComfortsTest, NothingSelectedCopiesAndPastesNothing)
{
    w->Load(twoColumns(), false);
    w->Canvas().SelectKeys({});
    w->DuplicateSelection();
    w->CopySelection();
    w->PasteClipboard();
    w->CutSelection();
    EXPECT_EQ(count(), 6);
    EXPECT_EQ(steps(), 0);
}

TEST_F(DesignerComfortsTest, DistributeLeavesEqualGapsAndKeepsTheOutermostInOneStep)
{
    // Elements of different sizes, out of canvas order, none square.
    struct Case {
        const char *command;
        bool across;
    };
    for (const Case c : {Case{"cmdDistributeHorizontal", true}, Case{"cmdDistributeVertical", false}}) {
        SCOPED_TRACE(c.command);
        colPLControls t;
        t.Add(numberAt("P3", "1", "03", 41.3, 27.9, 4.0, 1.2));
        t.Add(numberAt("P1", "1", "01", 10.0, 10.0, 3.0, 1.5));
        t.Add(numberAt("P4", "1", "04", 60.0, 50.0, 2.5, 2.0));
        t.Add(numberAt("P2", "1", "02", 13.7, 12.1, 5.0, 0.8));
        t.Add(numberAt("Q9", "1", "09", 80.0, 80.0)); // not selected: stays
        w->Load(t, false);
        w->Canvas().SelectKeys({"P1", "P2", "P3", "P4"});
        trigger(c.command);
        const auto start = [&](const char *k) { return c.across ? element(k).Left() : element(k).Top(); };
        const auto size = [&](const char *k) { return c.across ? element(k).Width() : element(k).Height(); };
        const auto other = [&](const char *k) { return c.across ? element(k).Top() : element(k).Left(); };
        EXPECT_NEAR(start("P1"), 10.0, 1e-9);
        EXPECT_NEAR(start("P4"), c.across ? 60.0 : 50.0, 1e-9);
        const double g1 = start("P2") - (start("P1") + size("P1"));
        const double g2 = start("P3") - (start("P2") + size("P2"));
        const double g3 = start("P4") - (start("P3") + size("P3"));
        EXPECT_NEAR(g1, g2, 0.01);
        EXPECT_NEAR(g2, g3, 0.01);
        EXPECT_GT(g1, 1.0);
        // The other direction is left alone, and so is what was not selected.
        EXPECT_NEAR(other("P2"), c.across ? 12.1 : 13.7, 1e-9);
        EXPECT_NEAR(element("Q9").Left(), 80.0, 1e-9);
        EXPECT_EQ(steps(), 1);
        w->Undo().Stack().undo();
        EXPECT_NEAR(start("P2"), c.across ? 13.7 : 12.1, 1e-9);
        EXPECT_NEAR(start("P3"), c.across ? 41.3 : 27.9, 1e-9);
    }
}

TEST_F(DesignerComfortsTest, DistributeNeedsThreeElements)
{
    colPLControls t;
    t.Add(numberAt("P1", "1", "01", 10.0, 10.0));
    t.Add(numberAt("P2", "1", "02", 13.7, 12.1));
    t.Add(numberAt("P3", "1", "03", 41.3, 27.9));
    w->Load(t, false);
    w->Canvas().SelectKeys({"P1", "P2"});
    trigger("cmdDistributeHorizontal");
    EXPECT_NEAR(element("P2").Left(), 13.7, 1e-9);
    EXPECT_EQ(steps(), 0);
}

TEST_F(DesignerComfortsTest, CheckWindowListsTheFindingsOfTheTemplateAsShownAndSelectsOnDoubleClick)
{
    colPLControls t = twoColumns();
    w->Load(t, false);
    // Made on the canvas, not in the file: the check sees the template as shown.
    w->Canvas().SelectKeys({"A02"});
    w->DuplicateSelection(); // lands on B02's place: an overlap, listed under both
    const std::vector<TemplateFinding> expected = CheckTemplate(w->Layout());
    ASSERT_FALSE(expected.empty());
    EXPECT_TRUE(CheckTemplate(t).empty());
    w->popMenu_mnuClick("CHECK-TEMPLATE");
    QTableWidget *grid = w->CheckWindow().Findings();
    ASSERT_EQ(grid->rowCount(), int(expected.size()));
    int rowOfB = -1;
    for (int r = 0; r < grid->rowCount(); ++r) {
        EXPECT_EQ(grid->item(r, 0)->text(), expected[size_t(r)].key);
        EXPECT_EQ(grid->item(r, 1)->text(), expected[size_t(r)].reason);
        if (grid->item(r, 0)->text() == "B02")
            rowOfB = r;
    }
    ASSERT_GE(rowOfB, 0);
    EXPECT_EQ(w->CheckWindow().Summary(), QString("模板有 %1 处问题：").arg(expected.size()));
    emit grid->cellDoubleClicked(rowOfB, 1);
    ASSERT_NE(w->Canvas().GetCurrentControl(), nullptr);
    EXPECT_EQ(w->Canvas().GetCurrentControl()->KeyName(), "B02");
    EXPECT_EQ(w->Canvas().SelectedKeys(), QStringList{"B02"});
    // The toolbar runs the same check afresh once the problem is gone.
    w->Undo().Stack().undo();
    trigger("cmdCheckTemplate");
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_EQ(w->CheckWindow().Summary(), "模板没有发现问题。");
}

TEST_F(DesignerComfortsTest, SavingATemplateWithFindingsAsksFirstAndNoSavesNothing)
{
    const QString path = templates() + "两列.tzd";
    colPLControls t = twoColumns();
    t.setPathFile(path);
    w->Load(t, false);
    w->Canvas().SelectKeys({"A02"});
    w->DuplicateSelection();
    const int findings = int(CheckTemplate(w->Layout()).size());
    ASSERT_GT(findings, 0);
    const QString question = QString("模板有 %1 处问题，是否仍然保存？").arg(findings);
    {
        ScriptedMsgBox box;
        box.queue(MsgAnswer::No);
        EXPECT_FALSE(w->cmdSave_Click());
        ASSERT_EQ(box.shown().size(), 1u);
        EXPECT_EQ(box.shown()[0].text, question);
        EXPECT_EQ(box.shown()[0].style, MsgStyle::ConfirmDefaultNo);
        EXPECT_FALSE(QFile::exists(path));
        EXPECT_TRUE(w->IsModified());
    }
    {
        ScriptedMsgBox box;
        box.queue(MsgAnswer::Yes);
        EXPECT_TRUE(w->cmdSave_Click());
        EXPECT_TRUE(box.texts().contains(question));
        colPLControls saved;
        ASSERT_TRUE(clsPLStoreINI().LoadFromINI(path, saved));
        EXPECT_EQ(saved.Count(), 7);
    }
    // Without findings nothing is asked.
    w->Undo().Stack().undo();
    ScriptedMsgBox box;
    EXPECT_TRUE(w->cmdSave_Click());
    EXPECT_FALSE(box.texts().join("\n").contains("处问题"));
}

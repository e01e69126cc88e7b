// Random gesture sequences on the real designer window (seeded, so a failure can be replayed):
// after every step the template on disk and the canvas agree whenever the window says it is
// not modified, every save writes exactly what the canvas shows, and every way out asks
// exactly when the template is modified. A failing sequence is printed step by step.
#include "app/ProgramFolders.h"
#include "canvas/KdPLDesinger.h"
#include "canvas/TemplateUndoStack.h"
#include "common/DesignScale.h"
#include "common/clsRegIni.h"
#include "gui/frmPLDesigner.h"
#include "gui/kdPLControlProperties.h"
#include "storage/clsPLStoreINI.h"
#include "TestSupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <cmath>
#include <random>

namespace {

constexpr int Sequences = 300;
constexpr int MinSteps = 5;
constexpr int MaxSteps = 30;

// The elements of a template, comparable: which control an element has on a canvas is no
// part of the template.
QList<clsPLControl> elementsOf(const colPLControls &t)
{
    QList<clsPLControl> out;
    for (const clsPLControl &e : t) {
        clsPLControl copy = e;
        copy.setTempIndex(0);
        out << copy;
    }
    return out;
}

// Equal elements, their millimetres to 1e-9 (the file keeps 15 significant digits).
bool sameElement(clsPLControl a, const clsPLControl &b)
{
    auto near = [](double x, double y) { return std::abs(x - y) < 1e-9; };
    if (near(a.Left(), b.Left()))
        a.setLeft(b.Left());
    if (near(a.Top(), b.Top()))
        a.setTop(b.Top());
    if (near(a.Width(), b.Width()))
        a.setWidth(b.Width());
    if (near(a.Height(), b.Height()))
        a.setHeight(b.Height());
    return a == b;
}

bool sameElements(const QList<clsPLControl> &a, const QList<clsPLControl> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (!sameElement(a[i], b[i]))
            return false;
    return true;
}

// The first element where two lists differ, for the failure message.
QString firstDifference(const QList<clsPLControl> &a, const QList<clsPLControl> &b)
{
    auto text = [](const clsPLControl &e) {
        return QStringLiteral("%1 %2 %3 %4 %5 %6 %7 z%8 f%9")
            .arg(e.KeyName(), e.ControlType(), e.ShowType())
            .arg(e.Left(), 0, 'g', 17)
            .arg(e.Top(), 0, 'g', 17)
            .arg(e.Width(), 0, 'g', 17)
            .arg(e.Height(), 0, 'g', 17)
            .arg(e.ZorderSeq())
            .arg(e.FontName() + QString::number(e.FontSize()));
    };
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i)
        if (!sameElement(a[i], b[i]))
            return text(a[i]) + QStringLiteral(" / ") + text(b[i]);
    return QStringLiteral("%1 elements / %2").arg(a.size()).arg(b.size());
}

class Sequence {
public:
    Sequence(quint32 seed, const QString &file, const QString &templates)
        : m_random(seed), m_file(file), m_templates(templates)
    {
        w = std::make_unique<frmPLDesigner>(nullptr, [this] { return m_now; });
        w->windows().lottProperty = [](colPLControls &, bool) {
            return frmPLDesigner::PropertiesRun::Cancelled;
        };
        w->windows().saveFile = [this](const QString &, const QString &) { return m_saveAs; };
        w->windows().addLottNumber = [this](KdPLDesinger &canvas, colPLControls &) {
            // What the number block dialog adds: a block on the area, a fresh key.
            clsPLControl block;
            block.setControlType(QStringLiteral("Label"));
            block.setShowType(QStringLiteral("LottNumber"));
            block.setGroupID(QStringLiteral("1"));
            block.setFieldValue(QStringLiteral("01"));
            block.setLeft(pick(5, 250));
            block.setTop(pick(5, 100));
            block.setWidth(3);
            block.setHeight(1.5);
            block.setVisible(1);
            block.ApplyBlockStyle();
            canvas.AddOneControl(block);
        };
        clsPLStoreINI().LoadFromINI(m_file, m_disk);
        w->Load(m_disk, false);
        w->show();
        QCoreApplication::processEvents();
    }

    // Runs the sequence; "" when every check held, else the steps up to the failure.
    QString Run()
    {
        const int steps = int(pick(MinSteps, MaxSteps + 1));
        for (int i = 0; i < steps && m_failure.isEmpty() && w->isVisible(); ++i) {
            step();
            checkModified();
        }
        if (m_failure.isEmpty() && w->isVisible())
            leave();
        return m_failure.isEmpty() ? QString() : m_log.join('\n') + QStringLiteral("\n  => ") + m_failure;
    }

private:
    double pick(double from, double to) { return std::uniform_real_distribution<double>(from, to)(m_random); }
    int pickIndex(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }
    void log(const QString &s) { m_log << QStringLiteral("  ") + s; }
    void fail(const QString &why)
    {
        if (m_failure.isEmpty())
            m_failure = why;
    }

    KdPLDesinger &canvas() { return w->Canvas(); }

    // The centre of a random label's control, or none when there is no label.
    std::optional<QPointF> someLabel()
    {
        QList<QPointF> centres;
        for (const KdPLDesinger::Item &item : canvas().AllItems())
            if (!item.state.isLine && item.state.visible && item.state.width > 0)
                centres << KdPLDesinger::ControlRect(item.state).center();
        if (centres.isEmpty())
            return std::nullopt;
        return centres[pickIndex(int(centres.size()))];
    }

    void trigger(const char *name)
    {
        if (auto *a = w->findChild<QAction *>(QString::fromLatin1(name)))
            a->trigger();
    }

    void step()
    {
        switch (pickIndex(12)) {
        case 0: { // select
            const auto p = someLabel();
            const int shift = pickIndex(3) == 0 ? int(KdPLDesinger::CtrlKey) : 0;
            if (!p) {
                log("select: nothing to select");
                return;
            }
            log(QStringLiteral("select at %1,%2 shift %3").arg(p->x()).arg(p->y()).arg(shift));
            canvas().MouseDownAt(KdPLDesinger::LeftButton, shift, *p);
            canvas().MouseUpAt(KdPLDesinger::LeftButton, shift, *p);
            return;
        }
        case 1: { // drag
            const auto p = someLabel();
            if (!p) {
                log("drag: nothing to drag");
                return;
            }
            const QPointF to = *p + QPointF(pick(-2000, 2000), pick(-1000, 1000));
            log(QStringLiteral("drag %1,%2 -> %3,%4").arg(p->x()).arg(p->y()).arg(to.x()).arg(to.y()));
            canvas().MouseDownAt(KdPLDesinger::LeftButton, 0, *p);
            m_now += 100;
            canvas().MouseMoveAt(KdPLDesinger::LeftButton, 0, to);
            canvas().MouseUpAt(KdPLDesinger::LeftButton, 0, to);
            return;
        }
        case 2: { // arrow keys
            static const int keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
            const int key = keys[pickIndex(4)];
            const int shift = pickIndex(2) ? int(KdPLDesinger::ShiftKey) : 0;
            const int count = 1 + pickIndex(4);
            log(QStringLiteral("arrow %1 x%2 shift %3").arg(key).arg(count).arg(shift));
            for (int i = 0; i < count; ++i)
                canvas().KeyDown(key, shift);
            return;
        }
        case 3: { // grid edit
            static const char *rows[] = {"LEFT", "TOP", "WIDTH", "HEIGHT"};
            const QString row = QString::fromLatin1(rows[pickIndex(4)]);
            const QString value = QString::number(pick(1, 100), 'f', 2);
            log(QStringLiteral("grid %1 = %2 (element %3)").arg(row, value, w->Properties().OldKeyName()));
            w->Properties().CommitEdit(row, value);
            return;
        }
        case 4:
            log("add-block dialog");
            w->cmdAddLottNumber_Click();
            return;
        case 5: {
            const bool key = pickIndex(2) == 0;
            log(key ? "Delete key" : "delete from the menu");
            if (key) {
                canvas().KeyDown(Qt::Key_Delete, 0);
            } else {
                ScriptedMsgBox box; // Yes to the question, OK to a notice
                w->DeleteCurrent();
            }
            return;
        }
        case 6:
        case 7:
            log("undo");
            trigger("cmdUndo");
            return;
        case 8:
            log("redo");
            trigger("cmdRedo");
            return;
        case 9:
            log("save");
            save([this] { trigger("cmdSave"); });
            return;
        case 10:
            log("save as");
            m_saveAs = m_templates + QStringLiteral("seq%1.tzd").arg(pickIndex(3));
            save([this] { trigger("cmdSaveAs"); });
            return;
        case 11:
            tryToLeave();
            return;
        }
    }

    // A save through the window; afterwards the file holds what the canvas shows.
    template <class Run>
    void save(Run run)
    {
        ScriptedMsgBox box;
        run();
        // A template the random steps made overlap is saved after the check's question (Yes).
        QStringList shown = box.texts();
        if (!shown.isEmpty() && shown.front().endsWith(QStringLiteral("处问题，是否仍然保存？")))
            shown.removeFirst();
        if (shown != QStringList({QStringLiteral("布局保存成功！")})) {
            fail(QStringLiteral("save showed: ") + box.texts().join('|'));
            return;
        }
        m_file = w->Layout().PathFile();
        colPLControls reread;
        clsPLStoreINI().LoadFromINI(m_file, reread);
        m_disk = reread;
        if (!sameElements(elementsOf(reread), elementsOf(w->Layout())))
            fail(QStringLiteral("the file %1 differs from the canvas after the save: %2")
                     .arg(m_file, firstDifference(elementsOf(reread), elementsOf(w->Layout()))));
        if (w->IsModified())
            fail("modified right after a save");
    }

    void checkModified()
    {
        colPLControls shown;
        canvas().GetAllControls(shown);
        if (elementsOf(shown) != elementsOf(w->Layout()))
            fail("Layout() differs from the canvas");
        if (!sameElements(elementsOf(shown), elementsOf(m_disk)) && !w->IsModified())
            fail("the canvas differs from the file but the window is not modified");
    }

    // Escape, or a way out answered with 取消: the window stays and nothing is lost.
    void tryToLeave()
    {
        if (pickIndex(2) == 0) {
            log("Escape in the grid");
            ScriptedMsgBox box;
            QTest::keyClick(w->Properties().Grid(), Qt::Key_Escape);
            if (!w->isVisible() || !box.texts().isEmpty())
                fail("Escape closed the window or asked something");
            return;
        }
        const bool modified = wayOut(MsgAnswer::Cancel, "取消");
        if (modified && !w->isVisible())
            fail("取消 closed the window");
        if (!modified && w->isVisible())
            fail("an unmodified window did not close");
    }

    // The sequence ends: a way out answered with 否 closes the window.
    void leave()
    {
        wayOut(MsgAnswer::No, "否");
        if (w->isVisible())
            fail("the window did not close");
    }

    // The close box or the exit button, with `answer` ready for the question, which must come
    // exactly when the template is modified. Returns whether it was.
    bool wayOut(MsgAnswer answer, const char *answerText)
    {
        const bool modified = w->IsModified();
        const int way = pickIndex(2);
        log(QStringLiteral("%1, %2 when asked").arg(way ? "exit button" : "close box", QString::fromUtf8(answerText)));
        ScriptedMsgBox box;
        box.queue(answer);
        way ? trigger("cmdExit") : void(w->close());
        expectQuestion(box, modified);
        return modified;
    }

    void expectQuestion(const ScriptedMsgBox &box, bool modified)
    {
        const QStringList expected = modified ? QStringList({QStringLiteral("是否保存?")}) : QStringList();
        if (box.texts() != expected)
            fail(QStringLiteral("modified %1, the way out showed: [%2]").arg(modified).arg(box.texts().join('|')));
    }

    std::mt19937 m_random;
    QString m_file;
    QString m_templates;
    QString m_saveAs;
    colPLControls m_disk;
    quint32 m_now = 1000;
    QStringList m_log;
    QString m_failure;
    std::unique_ptr<frmPLDesigner> w;
};

TEST(DesignerSequenceTest, WhatIsSavedIsWhatIsShownAndModifiedNeverLies)
{
    const QString program = makeTempDir();
    QDir().mkpath(program + "/投注单文件");
    SetFolders(ProgramFolders::ForProgramFolder(program, program + "/docs"));
    clsRegIni::SetStoreFile(makeTempDir() + "/registry.ini");
    SetDesignScale(0);
    const QString shipped = sourceDir() + "/resources/投注单文件/陕西－双色球.tzd";
    const QString file = Folders().templates + "陕西－双色球.tzd";
    for (int seed = 1; seed <= Sequences; ++seed) {
        QFile::remove(file);
        ASSERT_TRUE(QFile::copy(shipped, file));
        Sequence sequence(quint32(seed), file, Folders().templates);
        const QString failure = sequence.Run();
        ASSERT_TRUE(failure.isEmpty()) << "seed " << seed << ":\n" << failure.toStdString();
    }
}

} // namespace

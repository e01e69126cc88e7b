// The designer's responsiveness: opening the window on a large template, showing the selected
// element (or 10,000 of them) in the property grid, and editing them there.
#include "BenchMain.h"
#include "canvas/KdPLDesinger.h"
#include "canvas/TemplateUndoStack.h"
#include "common/clsRegIni.h"
#include "gui/frmPLDesigner.h"
#include "gui/SharedPropertyRows.h"
#include "gui/kdPLControlProperties.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
clsPLControl benchElement(int i)
{
    clsPLControl e;
    e.setKeyName(QStringLiteral("E%1").arg(i));
    const int kind = i % 4;
    e.setControlType(kind == 3 ? QStringLiteral("Line") : QStringLiteral("Label"));
    const char *shows[] = {"LottNumber", "LocateMark", "NormalLable", "Line"};
    e.setShowType(QString::fromLatin1(shows[kind]));
    e.setFieldValue(QStringLiteral("%1").arg(i % 33 + 1, 2, 10, QLatin1Char('0')));
    e.setLeft(i * 0.37);
    e.setTop(i * 0.21);
    e.setWidth(4);
    e.setHeight(2);
    return e;
}

// 10,000 elements of every kind, a hundred to a row, `dx` and `dy` millimetres apart.
colPLControls benchGrid(double dx, double dy)
{
    colPLControls layout;
    for (int i = 0; i < 10000; ++i) {
        clsPLControl e = benchElement(i);
        e.setLeft((i % 100) * dx);
        e.setTop((i / 100) * dy);
        layout.Add(e);
    }
    return layout;
}

// Selecting one element after another of different kinds, as clicks on the canvas do.
void BM_PropertyGridShowsSelection(benchmark::State &state)
{
    kdPLControlProperties grid;
    grid.resize(300, 600);
    grid.show();
    std::vector<clsPLControl> elements;
    for (int i = 0; i < 64; ++i)
        elements.push_back(benchElement(i));
    size_t n = 0;
    for (auto _ : state) {
        grid.Obj2Me(&elements[n++ % elements.size()]);
        QApplication::processEvents(); // lay out and paint what changed
    }
}
BENCHMARK(BM_PropertyGridShowsSelection)->Unit(benchmark::kMicrosecond);

// From the template in memory to the window on screen, painted: the canvas takes every element,
// the undo stack its first snapshot, the view paints once.
void BM_OpenDesignerOn10000Elements(benchmark::State &state)
{
    colPLControls layout = benchGrid(2.0, 2.5);
    for (auto _ : state) {
        frmPLDesigner designer;
        designer.windows().lottProperty = {}; // no properties dialog on opening
        designer.Load(layout, false);
        designer.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(designer.Canvas().AllItems().Count());
        state.PauseTiming();
        designer.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenDesignerOn10000Elements)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// Selecting an element of a 10,000-element template with a click: the canvas finds it and the
// grid shows it.
void BM_ClickSelectsAndShowsInGrid(benchmark::State &state)
{
    colPLControls layout = benchGrid(6.0, 6.0);
    frmPLDesigner designer;
    designer.windows().lottProperty = {};
    designer.Load(layout, false);
    designer.show();
    QApplication::processEvents();
    int n = 0;
    for (auto _ : state) {
        const int i = (n++ * 37) % 10000;
        if (i % 4 == 3)
            continue; // lines are picked by their stroke, blocks and labels by their box
        const QPointF at(((i % 100) * 6.0 + 1) * 85.05, ((i / 100) * 6.0 + 1) * 85.05);
        designer.Canvas().MouseDownAt(KdPLDesinger::LeftButton, 0, at);
        designer.Canvas().MouseUpAt(KdPLDesinger::LeftButton, 0, at);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ClickSelectsAndShowsInGrid)->Unit(benchmark::kMicrosecond);
// `count` blocks, marks and text labels (no lines: Ctrl+A takes no lines), `perRow` to a row.
colPLControls labelGrid(int count, int perRow, double dx, double dy)
{
    colPLControls layout;
    for (int i = 0; i < count; ++i) {
        clsPLControl e = benchElement(i % 4 == 3 ? i - 1 : i);
        e.setKeyName(QStringLiteral("E%1").arg(i));
        e.setLeft((i % perRow) * dx + 1);
        e.setTop((i / perRow) * dy + 1);
        layout.Add(e);
    }
    return layout;
}

// The designer on screen on 10,000 blocks, marks and labels, every one selected with Ctrl+A.
struct AllSelected {
    frmPLDesigner designer;
    explicit AllSelected(benchmark::State &state)
    {
        designer.windows().lottProperty = {};
        designer.Load(labelGrid(10000, 100, 2.0, 2.5), false);
        designer.show();
        QApplication::processEvents();
        designer.Canvas().KeyDown(Qt::Key_A, KdPLDesinger::CtrlKey);
        QApplication::processEvents();
        if (designer.Canvas().MultiSelectionKeys().size() != 10000)
            state.SkipWithError("not every element is selected");
    }
};

// An arrow key with 10,000 labels selected: every one moves a step, the window hears one
// change notice, the grid shows the values they share once, the undo stack takes the step, and
// the view repaints. Right and left alternate so the labels stay where they are.
void BM_ArrowKeyOn10000SelectedElements(benchmark::State &state)
{
    AllSelected all(state);
    frmPLDesigner &designer = all.designer;
    int n = 0;
    for (auto _ : state) {
        designer.Canvas().KeyDown(n++ % 2 ? Qt::Key_Left : Qt::Key_Right, 0);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ArrowKeyOn10000SelectedElements)->Unit(benchmark::kMillisecond)->UseRealTime();

// Selecting 10,000 blocks, marks and labels at once (Ctrl+A): the canvas selects them, the
// grid finds the rows they share and their common values in one pass and shows them, the view
// repaints.
void BM_SelectAll10000ShowsSharedRows(benchmark::State &state)
{
    AllSelected all(state);
    frmPLDesigner &designer = all.designer;
    for (auto _ : state) {
        designer.Canvas().KeyDown(Qt::Key_A, KdPLDesinger::CtrlKey);
        QApplication::processEvents();
    }
    if (designer.Properties().ShownKeyNames().size() != 10000)
        state.SkipWithError("the grid does not show every element");
}
BENCHMARK(BM_SelectAll10000ShowsSharedRows)->Unit(benchmark::kMillisecond)->UseRealTime();

// The rows 10,000 text labels share, all of them alike: every row is compared for every
// element, the most the one pass can do.
void BM_SharedRowsOf10000AlikeLabels(benchmark::State &state)
{
    std::vector<clsPLControl> labels;
    for (int i = 0; i < 10000; ++i) {
        clsPLControl e = benchElement(2);
        e.setKeyName(QStringLiteral("E%1").arg(i));
        labels.push_back(e);
    }
    std::vector<const clsPLControl *> selected;
    for (const clsPLControl &e : labels)
        selected.push_back(&e);
    for (auto _ : state)
        benchmark::DoNotOptimize(SharedPropertyRows(selected));
}
BENCHMARK(BM_SharedRowsOf10000AlikeLabels)->Unit(benchmark::kMillisecond);

// One row edited with 10,000 elements selected: every one takes the value, the canvas
// repaints once, the undo stack takes one step and the grid shows them again.
void BM_EditOneRowOf10000SelectedElements(benchmark::State &state)
{
    AllSelected all(state);
    frmPLDesigner &designer = all.designer;
    int n = 0;
    for (auto _ : state) {
        designer.Properties().CommitEdit(QStringLiteral("TOP"), n++ % 2 ? QStringLiteral("5") : QStringLiteral("6"));
        QApplication::processEvents();
    }
    if (designer.Canvas().GetOneControlByKeyName(QStringLiteral("E9999"))->Top() < 5)
        state.SkipWithError("the edit did not reach every element");
}
BENCHMARK(BM_EditOneRowOf10000SelectedElements)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();

// The resident memory of this process, bytes.
qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * 4096 : 0;
}

// 100 undo steps that each move one element of a 30,000-element template: what the history
// holds afterwards ("history_MB", as it counts) and what the process grew by ("resident_MB").
void BM_UndoHistoryOf100StepsOn30000Elements(benchmark::State &state)
{
    const colPLControls layout = labelGrid(30000, 150, 2.0, 1.4);
    for (auto _ : state) {
        state.PauseTiming();
        KdPLDesinger canvas;
        canvas.AddControls(layout);
        TemplateUndoStack undo(canvas);
        undo.Reset(colPLControls());
        const qint64 before = residentBytes();
        state.ResumeTiming();
        for (int step = 0; step < 100; ++step) {
            clsPLControl e = *canvas.GetOneControlByKeyName(QStringLiteral("E%1").arg(step * 97));
            e.setLeft(e.Left() + 0.5);
            canvas.UpdateOneControl(e);
            undo.Record(QStringLiteral("属性"));
        }
        state.PauseTiming();
        state.counters["history_MB"] = double(undo.HistoryBytes()) / (1 << 20);
        state.counters["resident_MB"] = double(residentBytes() - before) / (1 << 20);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoHistoryOf100StepsOn30000Elements)->Unit(benchmark::kMillisecond)->Iterations(1);
} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir store; // the canvas remembers its design area; keep that out of the user's files
    return RunBenchmarksUnder<QApplication>(argc, argv, [&store] {
        clsRegIni::SetStoreFile(store.filePath(QStringLiteral("registry.ini")));
    });
}

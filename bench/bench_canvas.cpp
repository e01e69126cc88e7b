// The design canvas on a generated template of 10,000 elements: putting it on the canvas and
// taking it back, adding blocks one by one with generated keys, one move step of a
// 1,000-element multi-selection, and a full repaint of a viewport.
#include "BenchMain.h"
#include "canvas/CanvasPainter.h"
#include "canvas/KdPLDesinger.h"
#include "common/DesignScale.h"
#include "common/clsRegIni.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

clsPLControl element(int i)
{
    clsPLControl e;
    const int kind = i % 10;
    const double x = 5 + (i % 100) * 2.8, y = 5 + (i / 100 % 100) * 2.8;
    e.setLeft(x);
    e.setTop(y);
    e.setVisible(1);
    if (kind == 9) {
        e.setControlType(QStringLiteral("Line"));
        e.setShowType(QStringLiteral("Line"));
        e.setWidth(2);
        e.setHeight(0);
        e.setBorderWidth(1);
        e.setBorderStyle(1);
        return e;
    }
    e.setControlType(QStringLiteral("Label"));
    e.setWidth(2.5);
    e.setHeight(1.5);
    if (kind == 8) {
        e.setShowType(QStringLiteral("NormalLable"));
        e.setFieldValue(QStringLiteral("{页码}"));
        e.setFontName(QStringLiteral("宋体"));
        e.setFontSize(9);
        e.setSpaceBetweenChar(60);
        return e;
    }
    e.setShowType(kind == 7 ? QStringLiteral("LocateMark") : QStringLiteral("LottNumber"));
    e.setGroupID(QString::number(1 + i % 7));
    e.setFieldValue(QStringLiteral("%1").arg(i % 33 + 1, 2, 10, QLatin1Char('0')));
    e.ApplyBlockStyle();
    return e;
}

colPLControls GeneratedTemplate(int n)
{
    colPLControls t;
    t.Reserve(n);
    for (int i = 0; i < n; ++i) {
        clsPLControl e = element(i);
        e.setKeyName((e.ControlType() == QLatin1String("Line") ? QStringLiteral("Line")
                                                               : QStringLiteral("lbl"))
                     + QString::number(i + 1));
        t.Add(e);
    }
    return t;
}

struct Store {
    Store()
    {
        clsRegIni::SetStoreFile(dir.path() + QStringLiteral("/registry.ini"));
        SetDesignScale(0);
    }
    QTemporaryDir dir;
};

void BM_AddControls(benchmark::State &state)
{
    Store store;
    const colPLControls t = GeneratedTemplate(10000);
    KdPLDesinger canvas;
    for (auto _ : state) {
        canvas.ClearAllControls();
        canvas.AddControls(t);
    }
}
BENCHMARK(BM_AddControls)->Unit(benchmark::kMillisecond);

void BM_GetAllControls(benchmark::State &state)
{
    Store store;
    KdPLDesinger canvas;
    canvas.AddControls(GeneratedTemplate(10000));
    for (auto _ : state) {
        colPLControls out;
        canvas.GetAllControls(out);
        benchmark::DoNotOptimize(out.Count());
    }
}
BENCHMARK(BM_GetAllControls)->Unit(benchmark::kMillisecond);

void BM_AddBlocksOneByOne(benchmark::State &state)
{
    Store store;
    KdPLDesinger canvas;
    for (auto _ : state) {
        canvas.ClearAllControls();
        for (int i = 0; i < 10000; ++i) {
            clsPLControl e = element(i * 10 % 10000); // blocks only
            canvas.AddOneControl(e);
        }
    }
}
BENCHMARK(BM_AddBlocksOneByOne)->Unit(benchmark::kMillisecond);

// One mouse-move step of the current element with 999 others in the multi-selection.
void BM_MoveStepOfMultiSelection(benchmark::State &state)
{
    Store store;
    quint32 now = 0;
    KdPLDesinger canvas(nullptr, [&] { return now; });
    canvas.AddControls(GeneratedTemplate(10000));
    // A band over the first twelve rows catches 1,080 labels.
    canvas.MouseDownAt(KdPLDesinger::LeftButton, 0, QPointF(1, 1));
    canvas.MouseMoveAt(KdPLDesinger::LeftButton, 0, QPointF(300 * 85.05, 38 * 85.05));
    canvas.MouseUpAt(KdPLDesinger::LeftButton, 0, QPointF(300 * 85.05, 38 * 85.05));
    const int selected = canvas.MultiSelectionKeys().size();
    const clsPLControl *cur = canvas.GetCurrentControl();
    const QPointF press(cur->Left() * 85.05 + 5, cur->Top() * 85.05 + 5);
    canvas.MouseDownAt(KdPLDesinger::LeftButton, 0, press);
    double dx = 0;
    for (auto _ : state) {
        now += 31;
        dx = dx > 0 ? 0 : 500; // back and forth, away from the edges
        canvas.MouseMoveAt(KdPLDesinger::LeftButton, 0, press + QPointF(dx, dx));
    }
    canvas.MouseUpAt(KdPLDesinger::LeftButton, 0, press);
    state.counters["selected"] = selected;
}
BENCHMARK(BM_MoveStepOfMultiSelection)->Unit(benchmark::kMicrosecond);


// A full repaint of a 1,200 x 800 pixel viewport at the default scale into an offscreen image,
// the viewport over the middle of the generated template.
void BM_RepaintViewport(benchmark::State &state)
{
    Store store;
    KdPLDesinger canvas;
    canvas.AddControls(GeneratedTemplate(10000));
    // Every label in the multi-selection, so the marks are painted too.
    canvas.KeyDown(Qt::Key_A, KdPLDesinger::CtrlKey);
    CanvasPainter painter(canvas);
    CanvasViewport viewport;
    viewport.scroll = QPointF(200, 200);
    QImage image(1200, 800, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter p(&image);
        painter.Paint(p, viewport, image.rect());
    }
}
BENCHMARK(BM_RepaintViewport)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return RunBenchmarksUnder<QGuiApplication>(argc, argv); }

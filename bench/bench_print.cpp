// The print engine at the size of a night's bets: 100,000 stakes of the 双色球 slip laid out
// into a recorded document (20,000 pages), and that document written as a PDF. And the
// designer canvas's repaint: 10,000 elements (number blocks of three fill areas with their
// numbers, text labels, some spaced, and lines) painted in design mode on a 1920 x 1080 image,
// every one of them in view; a repaint must stay under a frame (16 ms).
#include "BenchMain.h"
#include "model/colPLControls.h"
#include "print/ElementDrawing.h"
#include "print/PainterSurface.h"
#include "print/StakeGeometry.h"
#include "print/DocumentOutput.h"
#include "print/DocumentSurface.h"
#include "print/clsPLPrint.h"
#include "storage/clsPLStoreINI.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <algorithm>
#include <numeric>
#include <random>

namespace {
constexpr int Stakes = 100000;

// The sample template when the program folder has it, else a slip of the same shape: 33 red
// and 16 blue blocks, five stakes, page and stake labels, two locate marks.
colPLControls shuangSeQiu()
{
    colPLControls t;
    const QString sample = QStringLiteral(VORN_SOURCE_DIR) + QStringLiteral("/resources/投注单文件/陕西－双色球.tzd");
    if (QFileInfo::exists(sample) && clsPLStoreINI().LoadFromINI(sample, t))
        return t;
    t = colPLControls();
    t.setLayoutName(QStringLiteral("双色球"));
    t.setGroupLottNumberCountStr(QStringLiteral("6,1"));
    t.setStakeLocateOffsetStrX(QStringLiteral("0,0,0,0,0"));
    t.setStakeLocateOffsetStrY(QStringLiteral("0,28.5,57,85.5,114"));
    auto add = [&t](const QString &key, const QString &show, const QString &group,
                    const QString &value, double left, double top, double w, double h) {
        clsPLControl c;
        c.setKeyName(key);
        c.setControlType(QStringLiteral("Label"));
        c.setShowType(show);
        c.setGroupID(group);
        c.setFieldValue(value);
        c.setLeft(left);
        c.setTop(top);
        c.setWidth(w);
        c.setHeight(h);
        t.Add(c);
    };
    for (int n = 1; n <= 33; ++n) {
        const QString v = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        add("r" + v, "LottNumber", "1", v, 10 + ((n - 1) % 6) * 4.5, 5 + ((n - 1) / 6) * 3, 3, 1.5);
    }
    for (int n = 1; n <= 16; ++n) {
        const QString v = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        add("b" + v, "LottNumber", "2", v, 40 + ((n - 1) % 4) * 4.5, 5 + ((n - 1) / 4) * 3, 3, 1.5);
    }
    add("m1", "LocateMark", "", "", 2, 2, 4, 2);
    add("m2", "LocateMark", "", "", 2, 140, 4, 2);
    add("page", "NormalLable", "", "{页码}", 60, 2, 30, 5);
    add("stakes", "NormalLable", "", "{注序号}", 60, 8, 30, 5);
    return t;
}

QStringList betLines()
{
    std::mt19937 rng(20240305);
    QStringList lines{QString()};
    lines.reserve(Stakes + 1);
    for (int i = 0; i < Stakes; ++i) {
        std::vector<int> red(33);
        std::iota(red.begin(), red.end(), 1);
        std::shuffle(red.begin(), red.end(), rng);
        std::sort(red.begin(), red.begin() + 6);
        QString line;
        for (int k = 0; k < 6; ++k)
            line += QStringLiteral("%1 ").arg(red[size_t(k)], 2, 10, QLatin1Char('0'));
        line += QStringLiteral("%1").arg(int(rng() % 16) + 1, 2, 10, QLatin1Char('0'));
        lines << line;
    }
    return lines;
}

const colPLControls &slip()
{
    static const colPLControls t = shuangSeQiu();
    return t;
}

const QStringList &lines()
{
    static const QStringList l = betLines();
    return l;
}

PrintDocument layOut()
{
    DocumentSurface surface;
    clsPLPrint engine;
    engine.SetPrinterPageByLayout(surface, slip());
    engine.PrintPLWithDatas(slip(), lines(), surface, true, 1);
    return surface.TakeDocument();
}

void BM_LayoutStakes(benchmark::State &state)
{
    lines();
    size_t heapBytes = 0, ownBytes = 0;
    int pages = 0;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        PrintDocument doc = layOut();
        heapBytes = mallinfo2().uordblks - before;
        ownBytes = doc.MemoryBytes();
        pages = doc.PageCount();
        benchmark::DoNotOptimize(doc);
    }
    state.counters["pages"] = pages;
    state.counters["heapBytesPerPage"] = double(heapBytes) / pages;
    state.counters["docBytesPerPage"] = double(ownBytes) / pages;
    state.counters["stakes/s"] = benchmark::Counter(double(Stakes) * state.iterations(),
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LayoutStakes)->Unit(benchmark::kMillisecond)->MinTime(3)->UseRealTime();

void BM_WritePdf(benchmark::State &state)
{
    const PrintDocument doc = layOut();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bets.pdf"));
    qint64 size = 0;
    for (auto _ : state) {
        WriteDocumentPdf(doc, path);
        size = QFileInfo(path).size();
    }
    state.counters["pages/s"] = benchmark::Counter(double(doc.PageCount()) * state.iterations(),
                                                   benchmark::Counter::kIsRate);
    state.counters["pdfBytesPerPage"] = double(size) / doc.PageCount();
}
BENCHMARK(BM_WritePdf)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

// 100 columns and 100 rows at 5 mm by 2.5 mm: 500 mm by 250 mm, the image at 96 dpi.
std::vector<clsPLControl> elements()
{
    std::vector<clsPLControl> all;
    all.reserve(10000);
    for (int row = 0; row < 100; ++row) {
        for (int col = 0; col < 100; ++col) {
            clsPLControl c;
            c.setKeyName(QStringLiteral("lbl%1").arg(all.size() + 1));
            c.setLeft(col * 5.0);
            c.setTop(row * 2.5);
            c.setWidth(3);
            c.setHeight(1.5);
            c.setVisible(1);
            const int n = row * 100 + col;
            if (n % 50 == 7) {
                c.setControlType(QStringLiteral("Line"));
                c.setShowType(QStringLiteral("Line"));
                c.setBorderStyle(1 + n % 6);
                c.setBorderWidth(1);
                c.setBorderColor(0x808080);
            } else if (n % 50 == 3) {
                c.setControlType(QStringLiteral("Label"));
                c.setShowType(QStringLiteral("NormalLable"));
                c.setFieldValue(n % 100 == 3 ? QStringLiteral("第1页") : QStringLiteral("2024-02-29"));
                c.setSpaceBetweenChar(n % 100 == 3 ? 0 : 20);
                c.setBorderStyle(1);
                c.setFontName(QStringLiteral("宋体"));
                c.setFontSize(9);
            } else {
                c.setControlType(QStringLiteral("Label"));
                c.setShowType(QStringLiteral("LottNumber"));
                c.setGroupID(QString::number(1 + n % 3));
                c.setFieldValue(QStringLiteral("%1").arg(1 + n % 33, 2, 10, QLatin1Char('0')));
                c.ApplyBlockStyle();
            }
            all.push_back(c);
        }
    }
    return all;
}

void BM_PaintDesignElements(benchmark::State &state)
{
    const std::vector<clsPLControl> all = elements();
    QImage image(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(3780); // 96 dpi
    image.setDotsPerMeterY(3780);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        PainterSurface surface(painter);
        for (const clsPLControl &c : all)
            DrawElement(surface, c, 0, 0, PrintScale, ElementDrawMode::Design);
    }
    state.counters["elements"] = double(all.size());
}
BENCHMARK(BM_PaintDesignElements)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();
} // namespace

int main(int argc, char **argv) { return RunBenchmarksUnder<QGuiApplication>(argc, argv); }

// Loading and saving a template of 1,000 elements: the whole file operation, and the parse,
// read and text-building steps on their own.
#include "storage/IniSections.h"
#include "common/TextFile.h"
#include "storage/TemplateText.h"
#include "storage/clsPLStoreINI.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
// 900 number blocks in 9 areas, 60 marks, 30 labels, 10 lines.
colPLControls makeTemplate()
{
    colPLControls t;
    t.setLayoutName("基准模板");
    t.setGroupLottNumberCountStr("1,1,1,1,1,1,1,1,1");
    t.setStakeLocateOffsetStrX("0, 28.5, 57, 85.5, 114");
    for (int i = 0; i < 1000; ++i) {
        clsPLControl c;
        c.setKeyName(QStringLiteral("lbl%1").arg(i + 1));
        c.setLeft(3.25 + (i % 10) * 4.7);
        c.setTop(12.5 + (i / 10) * 2.35);
        c.setWidth(3);
        c.setHeight(1.5);
        if (i < 900) {
            c.setControlType("Label");
            c.setShowType("LottNumber");
            c.setGroupID(QString::number(i / 100 + 1));
            c.setFieldValue(QStringLiteral("%1").arg(i % 100, 2, 10, QLatin1Char('0')));
        } else if (i < 960) {
            c.setControlType("Label");
            c.setShowType("LocateMark");
        } else if (i < 990) {
            c.setControlType("Label");
            c.setShowType("NormalLable");
            c.setFieldValue("{页码}");
            c.setFontName("宋体");
            c.setFontSize(9);
            c.setVisible(1);
        } else {
            c.setControlType("Line");
            c.setShowType("Line");
            c.setBorderWidth(1);
            c.setBorderStyle(1);
        }
        t.Add(c);
    }
    return t;
}

struct Fixture {
    QTemporaryDir dir;
    QString path;
    colPLControls layout;
    QString text;
    Fixture() : path(dir.path() + "/bench.tzd"), layout(makeTemplate())
    {
        clsPLStoreINI().SaveToINI_Fast(path, layout);
        text = ReadWholeTextFile(path).text;
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_LoadFromINI(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        colPLControls t;
        benchmark::DoNotOptimize(clsPLStoreINI().LoadFromINI(f.path, t));
    }
}

void BM_SaveToINI_Fast(benchmark::State &state)
{
    Fixture &f = fixture();
    const QString out = f.dir.path() + "/out.tzd";
    for (auto _ : state)
        benchmark::DoNotOptimize(clsPLStoreINI().SaveToINI_Fast(out, f.layout));
}

void BM_ParseIniText(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        IniSections doc(f.text);
        benchmark::DoNotOptimize(doc);
    }
}

void BM_ReadTemplateFromParsedText(benchmark::State &state)
{
    Fixture &f = fixture();
    const IniSections doc(f.text);
    for (auto _ : state) {
        colPLControls t;
        benchmark::DoNotOptimize(TemplateFromIni(doc, t));
    }
}

void BM_TemplateToText(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(TemplateToText(f.layout, f.path));
}
} // namespace

BENCHMARK(BM_LoadFromINI)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveToINI_Fast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseIniText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTemplateFromParsedText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TemplateToText)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

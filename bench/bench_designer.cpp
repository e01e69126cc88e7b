// The designer's responsiveness: showing the selected element in the property grid.
#include "gui/kdPLControlProperties.h"

#include <QApplication>
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
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

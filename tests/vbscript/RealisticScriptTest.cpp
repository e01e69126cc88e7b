// A conversion script as users write them (GBK, CR LF), run over an export file: the output
// array must be what the Windows engine leaves in it.
#include "ScriptHarness.h"

#include <QFile>
#include <QStringDecoder>
#include <gtest/gtest.h>

namespace {

QString readGbk(const QString &name)
{
    QFile f(QStringLiteral(VORN_SOURCE_DIR "/tests/vbscript/scripts/") + name);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    QStringDecoder decoder("GB18030");
    return decoder(f.readAll());
}

TEST(RealisticScript, ConvertsAnExportFile)
{
    const QString script = readGbk(QStringLiteral("realistic.cvb"));
    const QString input = readGbk(QStringLiteral("realistic_input.txt"));
    QStringList expected = readGbk(QStringLiteral("realistic_expected.txt")).split(QStringLiteral("\r\n"));
    ASSERT_FALSE(script.isEmpty());
    ASSERT_EQ(expected.takeLast(), QString()); // the file ends with a line end

    const ScriptRun run = runScript(script, input);
    ASSERT_TRUE(run.ok) << run.failure.description.toStdString();
    EXPECT_EQ(run.arrayReturn.join(QLatin1Char('\n')).toStdString(),
              expected.join(QLatin1Char('\n')).toStdString());
}

TEST(RealisticScript, ReportsAFailureWithItsLine)
{
    QString script = readGbk(QStringLiteral("realistic.cvb"));
    // Break the script: an undeclared name under Option Explicit inside the main loop.
    script.replace(QStringLiteral("    times = 1\r\n"), QStringLiteral("    tims = 1\r\n"));
    const ScriptRun run = runScript(script, QStringLiteral("x\r\n"));
    ASSERT_FALSE(run.ok);
    EXPECT_EQ(run.failure.number, 500);
    EXPECT_EQ(run.failure.description.toStdString(), "变量未定义: 'tims' (第 63 行)");
}

} // namespace

// Runs every case of tests/vbscript/corpus/*.cases (CorpusFile.h) and compares what it prints
// with what the Windows engine prints. An expected "!error N" without text compares the number
// only (for errors whose line depends on when a limit struck).
#include "CorpusFile.h"
#include "ScriptHarness.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

void PrintTo(const CorpusCase &c, std::ostream *os) { *os << c.name; }

class Corpus : public ::testing::TestWithParam<CorpusCase> {};

TEST_P(Corpus, PrintsWhatTheWindowsEngineDoes)
{
    const CorpusCase &c = GetParam();
    const ScriptRun run = runScript(c.script, QStringLiteral("line one\r\nline two\r\n"),
                                    c.deadlineMs, c.memoryMb);
    QStringList got = transcript(run);
    static const QRegularExpression numberOnly(QStringLiteral("^!error \\d+$"));
    if (!got.isEmpty() && !c.expected.isEmpty() && numberOnly.match(c.expected.last()).hasMatch())
        got.last() = got.last().section(QLatin1Char(':'), 0, 0);
    EXPECT_EQ(got.join(QLatin1Char('\n')).toStdString(), c.expected.join(QLatin1Char('\n')).toStdString())
        << c.file.toStdString() << ":" << c.line;
    if (c.withinMs > 0)
        EXPECT_LE(run.elapsedMs, c.withinMs) << c.file.toStdString() << ":" << c.line;
}

INSTANTIATE_TEST_SUITE_P(Scripts, Corpus, ::testing::ValuesIn(loadCorpus()),
                         [](const ::testing::TestParamInfo<CorpusCase> &info) { return info.param.name; });

TEST(CorpusFiles, AreFound)
{
    EXPECT_GT(loadCorpus().size(), 100u);
}

} // namespace

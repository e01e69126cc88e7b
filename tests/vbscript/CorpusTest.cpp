// Runs every case of tests/vbscript/corpus/*.cases: a small script and the lines it must
// print through out.Echo (and "!error N: text" when it must fail), as the Windows engine does.
// A case may set its limits right after its name: "@@ deadline MS" (5000 otherwise),
// "@@ memory MB" (the engine's budget otherwise) and "@@ within MS", the longest the run may
// take. An expected "!error N" without text compares the number only (for errors whose line
// depends on when a limit struck).
#include "ScriptHarness.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

struct CorpusCase {
    std::string name;
    QString file;
    int line = 0;
    QString script;
    QStringList expected;
    int deadlineMs = 5000;
    int memoryMb = 0;
    int withinMs = 0;
};

// "@@ deadline 200" and its kin: sets the limit and returns true.
bool readLimit(const QString &line, CorpusCase &c)
{
    static const QRegularExpression limit(QStringLiteral("^@@ (deadline|memory|within) (\\d+)$"));
    const QRegularExpressionMatch m = limit.match(line.trimmed());
    if (!m.hasMatch())
        return false;
    const int n = m.captured(2).toInt();
    if (m.captured(1) == QLatin1String("deadline"))
        c.deadlineMs = n;
    else if (m.captured(1) == QLatin1String("memory"))
        c.memoryMb = n;
    else
        c.withinMs = n;
    return true;
}

std::vector<CorpusCase> loadCorpus()
{
    std::vector<CorpusCase> cases;
    const QDir dir(QStringLiteral(VORN_SOURCE_DIR "/tests/vbscript/corpus"));
    const QStringList files = dir.entryList({QStringLiteral("*.cases")}, QDir::Files, QDir::Name);
    for (const QString &fileName : files) {
        QFile f(dir.filePath(fileName));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        const QString group = QFileInfo(fileName).completeBaseName();
        CorpusCase *current = nullptr;
        bool inExpect = false;
        for (int i = 0; i < lines.size(); ++i) {
            QString line = lines[i];
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            if (line.trimmed() == QLatin1String("@@ expect")) {
                inExpect = true;
            } else if (current && !inExpect && current->script.isEmpty() && readLimit(line, *current)) {
                continue;
            } else if (line.startsWith(QLatin1String("@@ "))) {
                QString name = group + QLatin1Char('_') + line.mid(3).trimmed();
                name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_]")), QStringLiteral("_"));
                cases.push_back({name.toStdString(), fileName, i + 1, QString(), {}});
                current = &cases.back();
                inExpect = false;
            } else if (current && inExpect) {
                current->expected << line;
            } else if (current) {
                current->script += line + QStringLiteral("\r\n");
            }
        }
    }
    for (auto &c : cases)
        while (!c.expected.isEmpty() && c.expected.last().isEmpty())
            c.expected.removeLast();
    return cases;
}

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

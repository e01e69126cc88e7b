// Runs every case of tests/vbscript/corpus/*.cases: a small script and the lines it must
// print through out.Echo (and "!error N: text" when it must fail), as the Windows engine does.
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
};

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
    const ScriptRun run = runScript(c.script, QStringLiteral("line one\r\nline two\r\n"));
    EXPECT_EQ(transcript(run).join(QLatin1Char('\n')).toStdString(),
              c.expected.join(QLatin1Char('\n')).toStdString())
        << c.file.toStdString() << ":" << c.line;
}

INSTANTIATE_TEST_SUITE_P(Scripts, Corpus, ::testing::ValuesIn(loadCorpus()),
                         [](const ::testing::TestParamInfo<CorpusCase> &info) { return info.param.name; });

TEST(CorpusFiles, AreFound)
{
    EXPECT_GT(loadCorpus().size(), 100u);
}

} // namespace

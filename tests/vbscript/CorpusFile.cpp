#include "CorpusFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

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

} // namespace

std::vector<CorpusCase> loadCorpus(const QString &pattern)
{
    std::vector<CorpusCase> cases;
    const QDir dir(QStringLiteral(VORN_SOURCE_DIR "/tests/vbscript/corpus"));
    const QStringList files = dir.entryList({pattern}, QDir::Files, QDir::Name);
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

// vornprn-cli starts `script` with Qt Core alone and becomes vornprn-cli-full for everything
// else: what the program links and loads, the same texts and exit codes as the full program,
// and a clear failure when the full program is not beside it.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
const QString kLean = QStringLiteral("vornprn-cli");
const QString kFull = QStringLiteral("vornprn-cli-full");

// Libraries whose start-up `script` must not pay for: fonts, images, printing, OpenCV.
const QStringList kHeavy = {"libQt6Gui", "libQt6Widgets", "libQt6PrintSupport", "libopencv_",
                            "libfontconfig", "libfreetype"};

QStringList heavyAmong(const QStringList &libraries)
{
    QStringList found;
    for (const QString &library : libraries) {
        for (const QString &heavy : kHeavy) {
            if (library.startsWith(heavy))
                found << library;
        }
    }
    return found;
}

// The DT_NEEDED entries of an executable, as readelf lists them.
QStringList neededLibraries(const QString &executable)
{
    QProcess p;
    p.start(QStringLiteral("readelf"), {QStringLiteral("-d"), executable});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    QStringList needed;
    static const QRegularExpression entry(QStringLiteral(R"(\(NEEDED\)\s+Shared library: \[([^\]]+)\])"));
    auto it = entry.globalMatch(QString::fromUtf8(p.readAllStandardOutput()));
    while (it.hasNext())
        needed << it.next().captured(1);
    return needed;
}

// Every shared object the dynamic loader opened for a run (LD_DEBUG=files), after exec's too.
QStringList loadedLibraries(const QStringList &args, CliRun *run)
{
    const QString dir = makeTempDir();
    *run = RunCliProgram(kLean, args, {},
                         {{QStringLiteral("LD_DEBUG"), QStringLiteral("files")},
                          {QStringLiteral("LD_DEBUG_OUTPUT"), dir + QStringLiteral("/ld")}});
    QStringList loaded;
    static const QRegularExpression opened(QStringLiteral(R"(\bfile=([^ \[;]+))"));
    for (const QString &name : QDir(dir).entryList(QDir::Files)) {
        QFile f(dir + "/" + name);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        auto it = opened.globalMatch(QString::fromUtf8(f.readAll()));
        while (it.hasNext())
            loaded << QFileInfo(it.next().captured(1)).fileName();
    }
    loaded.removeDuplicates();
    return loaded;
}

QString writeFile(const QString &dir, const QString &name, const QByteArray &bytes)
{
    QFile f(dir + "/" + name);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return QString();
    return f.fileName();
}

class LeanCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!CliBuilt() || !QFile::exists(binDir() + "/" + kFull))
            GTEST_SKIP() << "the command line is not built";
        dir = makeTempDir();
        script = writeFile(dir, QStringLiteral("upper.cvb"),
                           "obj.SetArrayReturn 1, UCase(Trim(Replace(obj.Source, vbCrLf, \"\")))\r\n");
        input = writeFile(dir, QStringLiteral("in.txt"), "  abc  \r\n");
        ASSERT_FALSE(script.isEmpty());
        ASSERT_FALSE(input.isEmpty());
    }
    QString dir, script, input;
};

TEST_F(LeanCli, LinksQtCoreButNothingOfFontsImagesOrOpenCv)
{
    struct Row {
        QString program;
        bool heavy; // links the heavy libraries
    };
    for (const Row &row : {Row{kLean, false}, Row{kFull, true}}) {
        const QStringList needed = neededLibraries(binDir() + "/" + row.program);
        SCOPED_TRACE(needed.join(' ').toStdString());
        EXPECT_TRUE(needed.contains(QStringLiteral("libQt6Core.so.6"))) << row.program.toStdString();
        EXPECT_EQ(heavyAmong(needed).contains(QStringLiteral("libQt6Gui.so.6")), row.heavy);
        EXPECT_EQ(!heavyAmong(needed).filter(QStringLiteral("libopencv_core")).isEmpty(), row.heavy);
        if (!row.heavy)
            EXPECT_EQ(heavyAmong(needed), QStringList()) << row.program.toStdString();
    }
}

TEST_F(LeanCli, ScriptRunLoadsNoLibraryOfFontsOrImagesWhileOtherCommandsDo)
{
    struct Row {
        QStringList args;
        bool heavy;
    };
    const Row rows[] = {
        {{"script", script, input}, false},
        {{"script", "--help"}, false},
        {{"--version"}, true},
        {{"eval", "1+2"}, true},
    };
    for (const Row &row : rows) {
        CliRun run;
        const QStringList loaded = loadedLibraries(row.args, &run);
        SCOPED_TRACE(row.args.join(' ').toStdString() + " loaded " + loaded.join(' ').toStdString());
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(loaded.contains(QStringLiteral("libQt6Core.so.6")));
        EXPECT_EQ(!heavyAmong(loaded).isEmpty(), row.heavy);
    }
}

TEST_F(LeanCli, EveryCommandGivesTheFullProgramsTextsAndExitCode)
{
    struct Row {
        QStringList args;
        QByteArray stdinBytes;
        int exitCode;
    };
    const QString shippedInput = sourceDir() + QStringLiteral("/samples/脚本输入-冒号标签.txt");
    const Row rows[] = {
        {{}, {}, 2},
        {{"--help"}, {}, 0},
        {{"help"}, {}, 0},
        {{"--version"}, {}, 0},
        {{"no-such-command"}, {}, 2},
        {{"eval", "1+2"}, {}, 0},
        {{"eval", "--help"}, {}, 0},
        {{"eval"}, {}, 2},
        {{"normalize", "-"}, "12345\r\n5,6,7\n", 0},
        {{"template", "show", dir + QStringLiteral("/没有这个模板.tzd")}, {}, 1},
        {{"script", "--help"}, {}, 0},
        {{"script", script}, {}, 2},
        {{"script", script, dir + QStringLiteral("/no-such-input.txt")}, {}, 1},
        {{"script", script, input}, {}, 0},
        {{"script", QStringLiteral("冒号标签格式"), shippedInput}, {}, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.args.join(' ').toStdString());
        const CliRun lean = RunCliProgram(kLean, row.args, row.stdinBytes);
        const CliRun full = RunCliProgram(kFull, row.args, row.stdinBytes);
        EXPECT_EQ(lean.exitCode, row.exitCode) << lean.err.toStdString();
        EXPECT_EQ(lean.exitCode, full.exitCode);
        EXPECT_EQ(lean.outText(), full.outText());
        EXPECT_EQ(lean.err, full.err);
        EXPECT_FALSE(lean.out.isEmpty() && lean.err.isEmpty()) << "nothing said";
    }
}

TEST_F(LeanCli, ScriptOutputIsTheScriptsResult)
{
    const CliRun run = RunCliProgram(kLean, {"script", script, input});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.outText(), QStringLiteral("\nABC\n"));
}

// A copy of vornprn-cli alone in a folder: `script` runs, anything else says which program is
// missing and fails, even with the build's program folder on PATH.
TEST_F(LeanCli, AloneItRunsScriptsAndNamesTheMissingProgram)
{
    const QString alone = makeTempDir();
    ASSERT_TRUE(QFile::copy(binDir() + "/" + kLean, alone + "/" + kLean));
    const QMap<QString, QString> path{{QStringLiteral("PATH"), binDir() + ":" + qEnvironmentVariable("PATH")}};

    CliRun run = RunCliProgram(alone + "/" + kLean, {"script", script, input}, {}, path);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.outText(), QStringLiteral("\nABC\n"));

    for (const QStringList &args : {QStringList{"--version"}, QStringList{"eval", "1+2"}}) {
        run = RunCliProgram(alone + "/" + kLean, args, {}, path);
        EXPECT_EQ(run.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_EQ(run.out, QByteArray());
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("vornprn-cli: cannot start ") + alone + "/" + kFull + ","))
            << run.err.toStdString();
    }
}

// Started through a link from another folder, vornprn-cli finds the full program beside the
// file the link points at.
TEST_F(LeanCli, ThroughALinkItStartsTheProgramBesideItsTarget)
{
    const QString elsewhere = makeTempDir();
    ASSERT_TRUE(QFile::link(binDir() + "/" + kLean, elsewhere + "/" + kLean));
    const CliRun linked = RunCliProgram(elsewhere + "/" + kLean, {"eval", "2*3"});
    const CliRun direct = RunCliProgram(kFull, {"eval", "2*3"});
    EXPECT_EQ(linked.exitCode, 0) << linked.err.toStdString();
    EXPECT_EQ(linked.outText(), direct.outText());
    EXPECT_FALSE(linked.out.isEmpty());
}
} // namespace

// vornprn-cli printer, and the printer offsets that layout and print add, as a user runs them:
// each run with a configuration folder of its own, so the user's settings are never read.
#include "TestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace {
class CliPrinter : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!CliBuilt())
            GTEST_SKIP() << "vornprn-cli is not built";
        m_config = makeTempDir();
    }

    CliRun run(const QStringList &args) const
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", m_config);
        p.setProcessEnvironment(env);
        p.start(binDir() + "/vornprn-cli", args);
        p.closeWriteChannel();
        p.waitForFinished(300000);
        return {p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
    }

    // The rectangles of page 1 of `layout --json` for the sample bets' template.
    QList<QJsonObject> layoutRects(const QStringList &extra) const
    {
        const CliRun r = run(QStringList{"layout", "--template", "陕西－双色球.tzd", "--test", "--json", "-"} + extra);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return rectsOf(QJsonDocument::fromJson(r.out).object());
    }

    static QList<QJsonObject> rectsOf(const QJsonObject &doc)
    {
        QList<QJsonObject> rects;
        for (const QJsonValue &op : doc["pages"].toArray().at(0).toObject()["ops"].toArray())
            if (op.toObject()["op"] == "rect")
                rects << op.toObject();
        return rects;
    }

    // Every rectangle of `moved` lies (dx, dy) millimetres from the same one of `base`.
    static void expectMoved(const QList<QJsonObject> &base, const QList<QJsonObject> &moved,
                            double dx, double dy, const char *what)
    {
        ASSERT_FALSE(base.isEmpty()) << what;
        ASSERT_EQ(base.size(), moved.size()) << what;
        for (int i = 0; i < base.size(); ++i)
            for (const char *x : {"x1", "x2"})
                EXPECT_NEAR(moved[i][x].toDouble() - base[i][x].toDouble(), dx * 56.7, 0.01) << what << " " << i;
        for (int i = 0; i < base.size(); ++i)
            for (const char *y : {"y1", "y2"})
                EXPECT_NEAR(moved[i][y].toDouble() - base[i][y].toDouble(), dy * 56.7, 0.01) << what << " " << i;
    }

    QString m_config;
};

QStringList lines(const CliRun &r) { return r.outText().split('\n', Qt::SkipEmptyParts); }
} // namespace

TEST_F(CliPrinter, ListShowsEveryPrinterAndPdfOutputWithItsOffset)
{
    CliRun r = run({"printer", "list"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QStringList listed = lines(r);
    ASSERT_FALSE(listed.isEmpty());
    EXPECT_EQ(listed.last(), "(PDF 文件)\t0\t0");
    for (const QString &line : listed)
        EXPECT_EQ(line.split('\t').size(), 3) << line.toStdString();

    // Arithmetic is allowed as in the offset boxes; a value left out stays.
    ASSERT_EQ(run({"printer", "set", "(PDF 文件)", "--left", "0.5*3", "--top", "-0.8"}).exitCode, 0);
    ASSERT_EQ(run({"printer", "set", "(PDF 文件)", "--top", "2.25"}).exitCode, 0);
    listed = lines(run({"printer", "list"}));
    EXPECT_EQ(listed.last(), "(PDF 文件)\t1.5\t2.25");

    struct Refusal {
        QStringList args;
        int exitCode;
        QString err;
    };
    const Refusal refusals[] = {
        {{"set", "(PDF 文件)", "--left", "abc"}, 1, "请输入合法值！\n"},
        {{"set", "(PDF 文件)", "--left", "1", "--top", ""}, 1, "请输入合法值！\n"},
        {{"set", "(PDF 文件)"}, 2, ""},
        {{"set", "--left", "1"}, 2, ""},
        {{"list", "extra"}, 2, ""},
        {{"remove", "x"}, 2, ""},
    };
    for (const Refusal &c : refusals) {
        r = run(QStringList{"printer"} + c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        if (!c.err.isEmpty())
            EXPECT_EQ(r.err, c.err) << c.args.join(' ').toStdString();
    }
    // Nothing refused was stored.
    EXPECT_EQ(lines(run({"printer", "list"})).last(), "(PDF 文件)\t1.5\t2.25");
}

TEST_F(CliPrinter, LayoutAndPrintAddTheOffsetOfTheirPrinter)
{
    const QList<QJsonObject> plain = layoutRects({});
    ASSERT_EQ(run({"printer", "set", "Front_Desk", "--left", "1.25", "--top", "-0.5"}).exitCode, 0);
    ASSERT_EQ(run({"printer", "set", "Back_Office", "--left", "-0.75", "--top", "2"}).exitCode, 0);
    ASSERT_EQ(run({"printer", "set", "(PDF 文件)", "--left", "0.4", "--top", "0.3"}).exitCode, 0);

    expectMoved(plain, layoutRects({"--printer", "Front_Desk"}), 1.25, -0.5, "Front_Desk");
    expectMoved(plain, layoutRects({"--printer", "Back_Office"}), -0.75, 2, "Back_Office");
    // Without --printer the layout is PDF output's; a printer without an entry adds nothing.
    expectMoved(plain, layoutRects({}), 0.4, 0.3, "PDF output");
    expectMoved(plain, layoutRects({"--printer", "Never_Calibrated"}), 0, 0, "no entry");

    // print --json lays out as PDF output too.
    const QString bets = sourceDir() + "/samples/陕西－双色球.txt";
    auto printRects = [&] {
        const QString json = makeTempDir() + "/job.json";
        const CliRun r = run({"print", "--template", "陕西－双色球.tzd", "--bets", bets, "--json", json});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        QFile f(json);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        const QJsonObject doc = QJsonDocument::fromJson(f.readAll()).object();
        return rectsOf(doc["batches"].toArray().at(0).toObject()["document"].toObject());
    };
    const QList<QJsonObject> withPdf = printRects();
    ASSERT_EQ(run({"printer", "set", "(PDF 文件)", "--left", "0", "--top", "0"}).exitCode, 0);
    expectMoved(printRects(), withPdf, 0.4, 0.3, "print --json");
}

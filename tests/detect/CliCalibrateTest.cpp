// vornprn-cli calibrate and layout --calibration, as a user runs them.
#include "CalibrationScan.h"
#include "TestSupport.h"
#include "storage/clsPLStoreINI.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {
class CliCalibrate : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!CliBuilt())
            GTEST_SKIP() << "vornprn-cli is not built";
        dir = makeTempDir();
    }
    // A 300-dpi scan (its resolution in the PNG) of a page printed 0.9 mm right and 0.4 mm up,
    // with the third mark missing, and the template of its slip.
    slipgen::CalibrationScan writeScan()
    {
        slipgen::SlipRecipe s;
        s.rotationDeg = 0.6;
        s.blurPx = 0.7;
        s.noise = 4;
        slipgen::PrinterError p;
        p.offsetMm = QPointF(0.9, -0.4);
        p.spreadMm = 0.05;
        p.missing = {2};
        slipgen::CalibrationScan scan = slipgen::MakeCalibrationScan(s, p);
        EXPECT_TRUE(scan.slip.picture.save(dir + "/scan.png"));
        EXPECT_TRUE(clsPLStoreINI().SaveToINI_Fast(dir + "/slip.tzd", scan.layout));
        return scan;
    }
    QString dir;
};

TEST_F(CliCalibrate, PrintsTheMeasurementOfTheContract)
{
    const slipgen::CalibrationScan scan = writeScan();
    const CliRun r = RunCli({"calibrate", "--template", dir + "/slip.tzd", "--scan", dir + "/scan.png"});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    // The missing mark is named; the others are measured.
    EXPECT_EQ(r.err, QStringLiteral("没有找到 lbl48（第 1 注）的校准标记\n"));
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    EXPECT_DOUBLE_EQ(o["dpi"].toDouble(), 300); // 11811 dots per metre
    const QJsonArray marks = o["marks"].toArray();
    ASSERT_EQ(marks.size(), 8);
    EXPECT_EQ(marks[0]["key"].toString(), "lbl1");
    EXPECT_EQ(marks[0]["stake"].toInt(), 1);
    EXPECT_EQ(marks[1]["key"].toString(), "lbl5");
    EXPECT_EQ(marks[2]["key"].toString(), "lbl49"); // the one after the missing lbl48
    for (const QJsonValue m : marks) {
        EXPECT_NEAR(m.toObject()["dx"].toDouble(), 0.9, 0.1);
        EXPECT_NEAR(m.toObject()["dy"].toDouble(), -0.4, 0.1);
    }
    EXPECT_NEAR(o["shift"]["x"].toDouble(), 0.9, 0.1);
    EXPECT_NEAR(o["shift"]["y"].toDouble(), -0.4, 0.1);
    EXPECT_NEAR(o["scale"]["x"].toDouble(), 100, 0.1);
    EXPECT_NEAR(o["scale"]["y"].toDouble(), 100, 0.1);
    EXPECT_NEAR(o["skew"].toDouble(), 0, 0.05);
    EXPECT_LT(o["residual"].toDouble(), 0.1);
    EXPECT_DOUBLE_EQ(o["correction"]["left"].toDouble(), -o["shift"]["x"].toDouble());
    EXPECT_DOUBLE_EQ(o["correction"]["top"].toDouble(), -o["shift"]["y"].toDouble());

    // --json FILE writes the same object there, --dpi overrides the file's resolution.
    const CliRun f = RunCli({"calibrate", "--template", dir + "/slip.tzd", "--scan", dir + "/scan.png", "--dpi", "300",
                             "--json", dir + "/out.json"});
    ASSERT_EQ(f.exitCode, 0) << qPrintable(f.err);
    EXPECT_TRUE(f.out.isEmpty());
    QFile written(dir + "/out.json");
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    QJsonObject fromFile = QJsonDocument::fromJson(written.readAll()).object();
    EXPECT_EQ(fromFile.take("dpi").toDouble(), 300);
    QJsonObject printed = o;
    printed.remove("dpi");
    EXPECT_EQ(fromFile, printed);
}

TEST_F(CliCalibrate, SaysWhyItCannotMeasure)
{
    writeScan();
    QImage blank(600, 400, QImage::Format_RGB32);
    blank.fill(Qt::white);
    blank.setDotsPerMeterX(11811);
    blank.setDotsPerMeterY(11811);
    ASSERT_TRUE(blank.save(dir + "/blank.png"));
    QFile text(dir + "/notes.png");
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    // PPM carries no resolution.
    ASSERT_TRUE(QImage(dir + "/scan.png").save(dir + "/nodpi.ppm"));

    struct Refusal {
        QStringList args;
        int exit;
        QString err; // the whole error stream, or its start for usage lines
    };
    const QString t = dir + "/slip.tzd";
    const Refusal refusals[] = {
        {{"--template", t, "--scan", dir + "/blank.png"}, 1, "没有在图片中找到填涂块\n"},
        {{"--template", t, "--scan", dir + "/notes.png"}, 1, "图片 " + dir + "/notes.png 不能打开！\n"},
        {{"--template", t, "--scan", dir + "/none.png"}, 1, "图片 " + dir + "/none.png 不能打开！\n"},
        {{"--template", t, "--scan", dir + "/nodpi.ppm"}, 2, "图片没有分辨率信息，请用 --dpi 指定\n"},
        {{"--template", dir + "/none.tzd", "--scan", dir + "/scan.png"}, 1, "投注单模板文件 " + dir + "/none.tzd 不能打开！\n"},
        {{"--template", t, "--scan", dir + "/scan.png", "--dpi", "0"}, 2, "vornprn-cli calibrate: --dpi needs a positive number\nusage: vornprn-cli calibrate"},
        {{"--template", t}, 2, "vornprn-cli calibrate: give --template and --scan\nusage: vornprn-cli calibrate"},
    };
    for (const Refusal &f : refusals) {
        const CliRun r = RunCli(QStringList{"calibrate"} + f.args);
        EXPECT_EQ(r.exitCode, f.exit) << qPrintable(f.args.join(' '));
        EXPECT_TRUE(r.err.startsWith(f.err)) << qPrintable(r.err);
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST_F(CliCalibrate, LayoutDrawsTheCalibrationPage)
{
    writeScan();
    const CliRun r = RunCli({"layout", "--template", dir + "/slip.tzd", "--calibration", "--json", "-"});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    const QJsonArray ops = QJsonDocument::fromJson(r.out).object()["pages"][0]["ops"].toArray();
    ASSERT_EQ(ops.size(), 9);
    // lbl1 of the first stake, filled, at its place (16, 20) mm in twips.
    EXPECT_EQ(ops[0]["op"].toString(), "rect");
    EXPECT_NEAR(ops[0]["x1"].toDouble(), 16 * 56.7, 0.01);
    EXPECT_NEAR(ops[0]["y1"].toDouble(), 20 * 56.7, 0.01);
    EXPECT_EQ(ops[0]["brushColor"].toInt(), 0);
    for (const QStringList &bad : {QStringList{"--test", "--calibration"}, QStringList{"--bets", "x.txt", "--calibration"}}) {
        const CliRun u = RunCli(QStringList{"layout", "--template", dir + "/slip.tzd", "--json", "-"} + bad);
        EXPECT_EQ(u.exitCode, 2);
        EXPECT_TRUE(u.err.contains("give one of --bets, --test, --calibration")) << qPrintable(u.err);
    }
}
} // namespace

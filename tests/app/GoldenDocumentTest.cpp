// The recorded documents of the sample templates' test pages and of the sample bet files, as
// vornprn-cli layout writes them, compared with the documents stored in tests/data/golden/. Any
// change to what the print engine draws shows up here first; when a change is meant, run the
// test program with VORN_UPDATE_GOLDEN=1 to write the files again and review their diff.
//
// The text widths of spaced labels come from the installed fonts (fonts-wqy-zenhei here).
#include "app/ProgramFolders.h"
#include "input/BetImporter.h"
#include "input/BetList.h"
#include "model/colPLControls.h"
#include "print/DocumentOutput.h"
#include "print/DocumentSurface.h"
#include "print/MarkColor.h"
#include "print/clsPLPrint.h"
#include "storage/clsPLStoreINI.h"
#include "TestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <cmath>
#include <gtest/gtest.h>

namespace {
struct GoldenCase {
    const char *golden;   // file in tests/data/golden/
    const char *templ;    // a sample template, or a file of tests/data/
    const char *bets;     // a sample bet file; nullptr for the test page
    int mode = 0;
    const char *script = nullptr;
    bool marks = true;
    bool text = true;
    qint32 firstSerial = 1;
};

void PrintTo(const GoldenCase &c, std::ostream *os) { *os << c.golden; }

const GoldenCase Cases[] = {
    {"test-七乐彩.json", "七乐彩.tzd", nullptr},
    {"test-体彩－超级大乐透.json", "体彩－超级大乐透.tzd", nullptr},
    {"test-福彩3D.json", "福彩3D.tzd", nullptr},
    {"test-陕西－双色球.json", "陕西－双色球.tzd", nullptr},
    {"test-four_kinds.json", "templates/four_kinds.tzd", nullptr},
    {"test-drawing.json", "golden/drawing.tzd", nullptr},
    {"test-drawing-bare.json", "golden/drawing.tzd", nullptr, 0, nullptr, false, false},
    {"bets-陕西－双色球.json", "陕西－双色球.tzd", "陕西－双色球.txt"},
    {"bets-体彩－超级大乐透-含注序号.json", "体彩－超级大乐透.tzd", "体彩－超级大乐透-含注序号.txt", 1},
    {"bets-七乐彩-含错误行.json", "七乐彩.tzd", "七乐彩-含错误行.txt"},
    {"bets-福彩3D.json", "福彩3D.tzd", "福彩3D.txt", 0, nullptr, false, true, 11},
    {"bets-福彩3D-连写.json", "福彩3D.tzd", "福彩3D-连写.txt"},
    {"bets-脚本输入-冒号标签.json", "陕西－双色球.tzd", "脚本输入-冒号标签.txt", 2, "冒号标签格式"},
    {"bets-脚本输入-复式.json", "陕西－双色球.tzd", "脚本输入-复式.txt", 2, "复式展开"},
    {"bets-脚本输入-倍数.json", "陕西－双色球.tzd", "脚本输入-倍数.txt", 2, "倍数展开"},
    {"bets-drawing.json", "golden/drawing.tzd", "golden/drawing-bets.txt", 0, nullptr, true, true, 7},
};

// A name with a folder is a file of tests/data/, a bare name one of the shipped samples.
QString samplePath(const char *name, const QString &sampleFolder)
{
    const QString n = QString::fromUtf8(name);
    return n.contains('/') ? testDataPath(n) : sourceDir() + sampleFolder + n;
}

QStringList importStakeLines(const GoldenCase &c)
{
    BetList list;
    ImportFolders importFolders = ProgramFolders::ForProgramFolder(makeTempDir(), QString()).Import();
    importFolders.ScriptFolder = sourceDir() + QStringLiteral("/resources/Script/");
    BetImporter importer(list, importFolders);
    importer.setPathFile(samplePath(c.bets, QStringLiteral("/samples/")));
    importer.setMode(ImportModeFromValue(c.mode));
    if (c.script)
        importer.setScriptName(QString::fromUtf8(c.script));
    ScriptedMsgBox boxes; // the import's own messages are not part of the document
    if (!importer.ImportLottNumbers())
        ADD_FAILURE() << "import of " << c.bets << " failed";
    return list.StakeLines(1, list.Count());
}

QByteArray layoutJson(const GoldenCase &c)
{
    colPLControls layout;
    clsPLStoreINI().LoadFromINI(samplePath(c.templ, QStringLiteral("/resources/投注单文件/")), layout);
    const QStringList stakeLines = c.bets ? importStakeLines(c) : QStringList{QString()};

    SetMarkColor(MarkColorFromGray(100));
    clsPLPrint engine;
    engine.setIsPrintMark(c.marks);
    engine.setIsPrintText(c.text);
    engine.setClock([] { return QDateTime(QDate(2024, 2, 29), QTime(7, 5, 9)); });
    DocumentSurface surface;
    ScriptedMsgBox boxes;
    engine.SetPrinterPageByLayout(surface, layout);
    if (c.bets)
        engine.PrintPLWithDatas(layout, stakeLines, surface, true, c.firstSerial);
    else
        engine.PrintPLWithTest(layout, surface, true);
    return DocumentJson(surface.Document(), boxes.texts());
}

// Lengths are compared to 1/100 twip, everything else exactly. The first difference is named
// by its path, e.g. pages[3].ops[17].x1.
QString firstDifference(const QJsonValue &want, const QJsonValue &got, const QString &path)
{
    if (want.isDouble() && got.isDouble())
        return std::fabs(want.toDouble() - got.toDouble()) <= 0.01 ? QString() : path;
    if (want.type() != got.type())
        return path;
    if (want.isArray()) {
        const QJsonArray a = want.toArray(), b = got.toArray();
        for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i) {
            const QString d = firstDifference(a[i], b[i], path + QStringLiteral("[%1]").arg(i));
            if (!d.isEmpty())
                return d;
        }
        return a.size() == b.size() ? QString() : path + QStringLiteral(".size");
    }
    if (want.isObject()) {
        const QJsonObject a = want.toObject(), b = got.toObject();
        if (a.keys() != b.keys())
            return path + QStringLiteral(".keys");
        for (const QString &k : a.keys()) {
            const QString d = firstDifference(a[k], b[k], path + QLatin1Char('.') + k);
            if (!d.isEmpty())
                return d;
        }
        return {};
    }
    return want == got ? QString() : path;
}

QJsonValue at(QJsonValue v, const QString &path)
{
    static const QRegularExpression step(QStringLiteral(R"(\.(\w+)|\[(\d+)\])"));
    for (auto it = step.globalMatch(path); it.hasNext();) {
        const auto m = it.next();
        v = m.captured(1).isEmpty() ? v.toArray()[m.captured(2).toInt()] : v.toObject()[m.captured(1)];
    }
    return v;
}

class GoldenDocument : public ::testing::TestWithParam<GoldenCase> {};
} // namespace

TEST_P(GoldenDocument, SameAsStored)
{
    const GoldenCase &c = GetParam();
    const QByteArray json = layoutJson(c);
    const QString goldenPath = testDataPath(QStringLiteral("golden/") + QString::fromUtf8(c.golden));
    if (qEnvironmentVariableIsSet("VORN_UPDATE_GOLDEN")) {
        QFile out(goldenPath);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(json);
        return;
    }
    QFile in(goldenPath);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << goldenPath.toStdString();
    const QJsonValue want = QJsonDocument::fromJson(in.readAll()).object();
    const QJsonValue got = QJsonDocument::fromJson(json).object();
    ASSERT_FALSE(want.toObject().isEmpty());
    const QString diff = firstDifference(want, got, QString());
    EXPECT_TRUE(diff.isEmpty()) << c.golden << ": first difference at " << diff.toStdString()
                                << "\n  stored:    " << QJsonDocument(QJsonArray{at(want, diff)}).toJson(QJsonDocument::Compact).toStdString()
                                << "\n  laid out:  " << QJsonDocument(QJsonArray{at(got, diff)}).toJson(QJsonDocument::Compact).toStdString();
}

INSTANTIATE_TEST_SUITE_P(SamplesAndFixtures, GoldenDocument, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<GoldenCase> &info) {
                             return "Case" + std::to_string(info.index);
                         });

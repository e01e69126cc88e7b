// The template check: one small template per kind of fault, each with the findings it must give
// (and must not give), and the shipped templates, which have none.
#include "ElementBuilders.h"
#include "TestSupport.h"
#include "model/colPLControls.h"
#include "print/TemplateCheck.h"
#include "storage/clsPLStoreINI.h"

#include <gtest/gtest.h>

#include <functional>

using elements::Block;
using elements::Mark;

namespace {

constexpr double W = 3.5, H = 1.8;

// Two areas (5 and 3 numbers) in a stake 30 mm wide, five stakes across; A4 portrait paper and
// a 160 x 40 mm picture of the slip. Area 1 runs along y 3, area 2 along y 8; a mark at the left.
colPLControls base()
{
    colPLControls t;
    t.setGroupLottNumberCountStr(QStringLiteral("3,1"));
    t.setStakeLocateOffsetStrX(QStringLiteral("0,30,60,90,120"));
    t.setStakeLocateOffsetStrY(QStringLiteral("0,0,0,0,0"));
    t.setLottNumberWidth(W);
    t.setLottNumberHeight(H);
    t.setPaperWidth(11906);
    t.setPaperHeight(16838);
    t.setBackPicPathFile(QStringLiteral("slip.bmp"));
    t.setBackPicWidth(160);
    t.setBackPicHeight(40);
    for (int n = 1; n <= 5; ++n)
        t.Add(Block(QStringLiteral("r%1").arg(n), "1", QString::number(n), 2 + 4 * n, 3, W, H));
    for (int n = 1; n <= 3; ++n)
        t.Add(Block(QStringLiteral("b%1").arg(n), "2", QString::number(n), 2 + 4 * n, 8, W, H));
    t.Add(Mark(QStringLiteral("m1"), 1, 3, 2, H, true));
    return t;
}

// A finding is matched by its key and a piece of its reason.
struct Expected {
    const char *key;
    const char *words;
};

struct Case {
    const char *name;
    std::function<void(colPLControls &)> change;
    std::vector<Expected> findings; // in the order the check lists them
};

void move(colPLControls &t, const char *key, double left, double top)
{
    clsPLControl &e = t.Item(colPLControls::KeyOf(QString::fromUtf8(key)));
    e.setLeft(left);
    e.setTop(top);
}

void resize(colPLControls &t, const char *key, double width, double height)
{
    clsPLControl &e = t.Item(colPLControls::KeyOf(QString::fromUtf8(key)));
    e.setWidth(width);
    e.setHeight(height);
}

const Case kCases[] = {
    {"whole template", [](colPLControls &) {}, {}},
    {"X list one short of the stakes",
     [](colPLControls &t) { t.setStakeLocateOffsetStrX("0,30,60,90"); },
     {{"-", "横向偏移量有 4 项，与每张投注单的 5 注不符"}, {"-", "第 1 注与第 5 注的填涂块重叠"}}},
    {"Y list short, X whole", [](colPLControls &t) { t.setStakeLocateOffsetStrY("0,0,0"); },
     {{"-", "纵向偏移量有 3 项，与每张投注单的 5 注不符"}}},
    {"an empty list means all zero", [](colPLControls &t) { t.setStakeLocateOffsetStrY(""); }, {}},
    {"second block of a number, far away",
     [](colPLControls &t) { t.Add(Block("dup", "1", "03", 6, 20, W, H)); },
     {{"r3", "填涂区 1 号码 3 重复，与 dup 相同"}, {"dup", "填涂区 1 号码 03 重复，与 r3 相同（6, 20 毫米）"}}},
    {"same number in another area is no duplicate",
     [](colPLControls &t) { t.Add(Block("b4", "2", "4", 22, 8, W, H)); }, {}},
    {"blocks sharing 0.06 mm across overlap",
     [](colPLControls &t) { move(t, "r2", 9.44, 3.5); },
     {{"r1", "与 r2（填涂区 1 号码 2）重叠"}, {"r2", "与 r1（填涂区 1 号码 1）重叠"}}},
    {"blocks sharing 0.04 mm across do not", [](colPLControls &t) { move(t, "r2", 9.46, 3.5); }, {}},
    {"blocks sharing 0.06 mm down overlap",
     [](colPLControls &t) { move(t, "b1", 6, 4.74); },
     {{"r1", "填涂区 1 号码 1 与 b1（填涂区 2 号码 1）重叠"}, {"b1", "重叠"}}},
    {"blocks sharing 0.04 mm down do not", [](colPLControls &t) { move(t, "b1", 6, 4.76); }, {}},
    {"a number missing in the middle of an area",
     [](colPLControls &t) { t.Remove(colPLControls::KeyOf("r3")); },
     {{"-", "填涂区 1 的号码 1～5 中缺少 3"}}},
    {"numbers missing at the ends are not gaps",
     [](colPLControls &t) {
         t.Remove(colPLControls::KeyOf("r1"));
         t.Remove(colPLControls::KeyOf("r5"));
     },
     {}},
    {"an area the template does not have",
     [](colPLControls &t) { t.Add(Block("c1", "3", "1", 6, 13, W, H)); },
     {{"c1", "填涂区 3 超出了投注单的 2 个填涂区"}}},
    {"area 0 is none of the template's",
     [](colPLControls &t) { t.Add(Block("z1", "0", "1", 6, 13, W, H)); },
     {{"z1", "填涂区 0 超出了投注单的 2 个填涂区"}}},
    {"the last stake falls on the first",
     [](colPLControls &t) { t.setStakeLocateOffsetStrX("0,30,60,90,0"); },
     {{"-", "第 1 注与第 5 注的填涂块重叠"}}},
    {"stakes closer than a stake is wide",
     [](colPLControls &t) { t.setStakeLocateOffsetStrX("0,30,60,90,105"); },
     {{"-", "第 4 注与第 5 注的填涂块重叠"}}},
    {"stakes shifted down onto each other",
     [](colPLControls &t) {
         t.setStakeLocateOffsetStrX("0,0");
         t.setStakeLocateOffsetStrY("0,5");
     },
     {{"-", "第 1 注与第 2 注的填涂块重叠"}}},
    {"a block whose fifth stake leaves the paper and fourth the picture",
     [](colPLControls &t) { move(t, "b3", 88, 30); },
     {{"b3", "在第 5 注超出了纸张"}, {"b3", "在第 4 注超出了底图（178, 30 毫米）"}}},
    {"the layout origin moves the paper, not the picture",
     [](colPLControls &t) { t.setLayoutLeft(-7); },
     {{"r1", "在第 1 注超出了纸张"}, {"b1", "填涂块（填涂区 2 号码 1）在第 1 注超出了纸张"},
      {"m1", "标记在第 1 注超出了纸张"}}},
    {"landscape paper is 210 mm tall",
     [](colPLControls &t) {
         t.setPaperOrientation(1);
         t.setBackPicPathFile("");
         move(t, "b3", 14, 209);
     },
     {{"b3", "在第 1 注超出了纸张"}}},
    {"portrait paper is 297 mm tall",
     [](colPLControls &t) {
         t.setBackPicPathFile("");
         move(t, "b3", 14, 209);
     },
     {}},
    {"portrait paper is 210 mm wide",
     [](colPLControls &t) {
         t.setBackPicPathFile("");
         move(t, "b3", 150, 30);
     },
     {{"b3", "在第 3 注超出了纸张"}}},
    {"landscape paper is 297 mm wide",
     [](colPLControls &t) {
         t.setPaperOrientation(1);
         t.setBackPicPathFile("");
         move(t, "b3", 150, 30);
     },
     {}},
    {"a mark below the picture",
     [](colPLControls &t) { move(t, "m1", 1, 39); },
     {{"m1", "标记在第 1 注超出了底图"}}},
    {"no picture, nothing outside it",
     [](colPLControls &t) {
         t.setBackPicPathFile("");
         move(t, "m1", 1, 39);
     },
     {}},
    {"a block too narrow to fill",
     [](colPLControls &t) { resize(t, "b2", 0.49, H); },
     {{"b2", "填涂区 2 号码 2 太小：0.49×1.8 毫米，小于 0.5 毫米"}}},
    {"a block too low to fill", [](colPLControls &t) { resize(t, "b2", W, 0.4); }, {{"b2", "太小"}}},
    {"a block 0.02 mm wider than the others",
     [](colPLControls &t) { resize(t, "r4", W + 0.02, H); },
     {{"r4", "填涂区 1 号码 4 的大小 3.52×1.8 毫米 与模板的填涂块大小 3.5×1.8 毫米不同"}}},
    {"a block 0.02 mm lower", [](colPLControls &t) { resize(t, "r4", W, H - 0.02); }, {{"r4", "不同"}}},
    {"a block 0.005 mm wider is the same size",
     [](colPLControls &t) { resize(t, "r4", W + 0.005, H); }, {}},
};

TEST(TemplateCheck, EachFaultGivesItsFindingsAndNothingElse)
{
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.name);
        colPLControls t = base();
        c.change(t);
        const std::vector<TemplateFinding> found = CheckTemplate(t);
        ASSERT_EQ(found.size(), c.findings.size());
        for (size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i].key, QString::fromUtf8(c.findings[i].key));
            EXPECT_TRUE(found[i].reason.contains(QString::fromUtf8(c.findings[i].words)))
                << found[i].reason.toStdString();
        }
    }
}

TEST(TemplateCheck, FindingsFollowTheElementOrderAfterTheTemplatesOwn)
{
    // Keys that sort otherwise as text: lbl2 comes before lbl16, and both after r2 and r3,
    // because the template has them in that order.
    colPLControls t = base();
    t.setStakeLocateOffsetStrY("0,0");
    t.Add(Block("lbl2", "1", "2", 10, 20, W, H));
    t.Add(Block("lbl16", "1", "3", 20, 20, W, H));
    const std::vector<TemplateFinding> found = CheckTemplate(t);
    QStringList keys;
    for (const TemplateFinding &f : found)
        keys << f.key;
    EXPECT_EQ(keys, QStringList({"-", "r2", "r3", "lbl2", "lbl16"}));
    EXPECT_EQ(FirstFindingText(found), found[0].reason);
    EXPECT_TRUE(FirstFindingText({{"r2", "x"}}) == QStringLiteral("r2：x"));
}

TEST(TemplateCheck, ManyMissingNumbersAreCountedNotListed)
{
    colPLControls t = base();
    t.Add(Block("far", "1", "40", 6, 20, W, H));
    const std::vector<TemplateFinding> found = CheckTemplate(t);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_TRUE(found[0].reason.contains(QStringLiteral("1～40 中缺少 6、7、8、9、10、11、12、13、14、15等，共 34 个")))
        << found[0].reason.toStdString();
}

TEST(TemplateCheck, ShippedTemplatesHaveNoFindings)
{
    for (const char *name : {"陕西－双色球", "七乐彩", "体彩－超级大乐透", "福彩3D"}) {
        SCOPED_TRACE(name);
        colPLControls t;
        ASSERT_TRUE(clsPLStoreINI().LoadFromINI(
            sourceDir() + QStringLiteral("/resources/投注单文件/") + QString::fromUtf8(name) + ".tzd", t));
        const std::vector<TemplateFinding> found = CheckTemplate(t);
        EXPECT_TRUE(found.empty()) << FirstFindingText(found).toStdString();
    }
}

} // namespace

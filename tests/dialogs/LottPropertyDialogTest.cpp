#include "dialogs/LottPropertyDialog.h"
#include "model/colPLControls.h"
#include "print/DocumentSurface.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
LottPropertyFields goodFields()
{
    colPLControls fresh;
    LottPropertyFields f = FieldsFromTemplate(fresh, FieldFormat::Window);
    f.txtLayoutName = QStringLiteral("双色球");
    return f;
}

struct PageCase {
    const char *name;
    std::function<void(LottPropertyFields &)> change;
    int page;
    const char *field; // nullptr: the page passes
    const char *message;
};

class PropertyPages : public ::testing::TestWithParam<PageCase> {};

TEST_P(PropertyPages, CheckOnePage)
{
    LottPropertyFields f = goodFields();
    GetParam().change(f);
    const DialogCheck check = ValidatePage(f, GetParam().page);
    if (!GetParam().field) {
        EXPECT_TRUE(check.passed()) << check.field.toStdString();
        return;
    }
    EXPECT_EQ(check.field, GetParam().field);
    EXPECT_EQ(check.message, QString::fromUtf8(GetParam().message));
    EXPECT_EQ(check.page, GetParam().page);
}

const char *kStakes = "请正确的输入每张投注单注数，和各注的填涂位置偏移量！";
const char *kAreas = "请正确的输入每注多少个填涂区，和各填涂区选择号码个数！";

INSTANTIATE_TEST_SUITE_P(
    Cases, PropertyPages,
    ::testing::Values(
        PageCase{"BlankName", [](auto &f) { f.txtLayoutName = "  "; }, 0, "txtLayoutName", "请输入彩票的名称！"},
        PageCase{"NegativeWidth", [](auto &f) { f.txtLottNumberWidth = "-3"; }, 0, nullptr, nullptr},
        PageCase{"ZeroWidth", [](auto &f) { f.txtLottNumberWidth = "0"; }, 0, "txtLottNumberWidth", "请输入号码填涂块的宽度（毫米）！"},
        PageCase{"LettersWidth", [](auto &f) { f.txtLottNumberWidth = "abc"; }, 0, "txtLottNumberWidth", "请输入号码填涂块的宽度（毫米）！"},
        PageCase{"HugeWidth", [](auto &f) { f.txtLottNumberWidth = "1E20"; }, 0, "txtLottNumberWidth", "请输入号码填涂块的宽度（毫米）！"},
        PageCase{"HugeLeft", [](auto &f) { f.txtLayoutLeft = "-1E12"; }, 0, "txtLayoutLeft", "请输入合法值！"},
        PageCase{"NegativeLeft", [](auto &f) { f.txtLayoutLeft = "-2.5"; }, 0, nullptr, nullptr},
        PageCase{"HugePictureTop", [](auto &f) { f.txtBackPictureTop = "2^40"; }, 3, "txtBackPictureTop", "请输入合法值！"},
        PageCase{"DivideByZeroHeight", [](auto &f) { f.txtLottNumberHeight = "3/0"; }, 0, "txtLottNumberHeight", "请输入号码填涂块的高度（毫米）！"},
        PageCase{"FiveStakes", [](auto &f) { f.txtStakeOffsetStrX = "0, 28.5, 57, 85.5, 114"; f.txtStakeOffsetStrY = "0,0,0,0,0"; f.txtStakeCount = "5"; }, 1, nullptr, nullptr},
        PageCase{"FourStakesForFiveOffsets", [](auto &f) { f.txtStakeOffsetStrX = "0, 28.5, 57, 85.5, 114"; f.txtStakeOffsetStrY = "0,0,0,0,0"; f.txtStakeCount = "4"; }, 1, "txtStakeCount", kStakes},
        PageCase{"FullWidthCommas", [](auto &f) { f.txtStakeOffsetStrX = "0，28.5，57"; f.txtStakeOffsetStrY = "0，0，0"; f.txtStakeCount = "3"; }, 1, nullptr, nullptr},
        PageCase{"EmptyYListIsAllZero", [](auto &f) { f.txtStakeOffsetStrX = "0,28.5,57"; f.txtStakeOffsetStrY = ""; f.txtStakeCount = "3"; }, 1, nullptr, nullptr},
        PageCase{"XListOneShort", [](auto &f) { f.txtStakeOffsetStrX = "0,24,48,72"; f.txtStakeOffsetStrY = "0,0,0,0,0"; f.txtStakeCount = "5"; }, 1, "txtStakeOffsetStrX", kStakes},
        PageCase{"YListOneShort", [](auto &f) { f.txtStakeOffsetStrX = "0,24,48,72,96"; f.txtStakeOffsetStrY = "0,0,0,0"; f.txtStakeCount = "5"; }, 1, "txtStakeOffsetStrY", kStakes},
        PageCase{"StakeCountAgreesWithNeitherList", [](auto &f) { f.txtStakeOffsetStrX = "0,24"; f.txtStakeOffsetStrY = "0,0,0"; f.txtStakeCount = "4"; }, 1, "txtStakeCount", kStakes},
        PageCase{"ShorterListOfBothWrong", [](auto &f) { f.txtStakeOffsetStrX = "0,24"; f.txtStakeOffsetStrY = "0,0,0"; f.txtStakeCount = "3"; }, 1, "txtStakeOffsetStrX", kStakes},
        PageCase{"OneStakeWithOneOffsetEach", [](auto &f) { f.txtStakeOffsetStrX = "0"; f.txtStakeOffsetStrY = "5"; f.txtStakeCount = "1"; }, 1, nullptr, nullptr},
        PageCase{"NoStakeCount", [](auto &f) { f.txtStakeCount = ""; }, 1, "txtStakeCount", kStakes},
        PageCase{"StakeCountExpression", [](auto &f) { f.txtStakeCount = "10/2"; }, 1, nullptr, nullptr},
        PageCase{"TwoAreas", [](auto &f) { f.txtGroupLottNumberCountStr = "6,1"; f.txtGroupCount = "2"; }, 2, nullptr, nullptr},
        PageCase{"AreasDisagree", [](auto &f) { f.txtGroupLottNumberCountStr = "6,1"; f.txtGroupCount = "1"; }, 2, "txtGroupCount", kAreas},
        PageCase{"ZeroAreas", [](auto &f) { f.txtGroupLottNumberCountStr = ""; f.txtGroupCount = "0"; }, 2, "txtGroupCount", kAreas},
        PageCase{"PicturePathNotChecked", [](auto &f) { f.txtBackPicturePathFile = "没有.jpg"; }, 3, nullptr, nullptr},
        PageCase{"PictureWidthLetters", [](auto &f) { f.txtBackPictureWidth = "abc"; }, 3, "txtBackPictureWidth", "请输入合法值！"},
        PageCase{"PictureLeftDividedByZero", [](auto &f) { f.txtBackPictureLeft = "1/0"; }, 3, "txtBackPictureLeft", "请输入合法值！"},
        PageCase{"EmptyTop", [](auto &f) { f.txtLayoutTop = " "; }, 0, "txtLayoutTop", "请输入合法值！"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PropertyPages, AllPagesStopAtTheFirstRefusal)
{
    LottPropertyFields f = goodFields();
    f.txtGroupCount = "9";
    f.txtStakeCount = "9";
    const DialogCheck check = ValidateAllPages(f);
    EXPECT_EQ(check.field, "txtStakeCount");
    EXPECT_EQ(check.page, 1);
    f.txtStakeCount = "5";
    EXPECT_EQ(ValidateAllPages(f).field, "txtGroupCount");
}

TEST(PropertyFields, ShownWithOneDecimalOrExactly)
{
    colPLControls t;
    t.setLottNumberWidth(3.25);
    t.setLayoutLeft(-1.04);
    t.setBackPicWidth(210.06);
    t.setMarkStyle(1);
    t.setPaperOrientation(1);
    const LottPropertyFields w = FieldsFromTemplate(t, FieldFormat::Window);
    EXPECT_EQ(w.txtLottNumberWidth, "3.3");
    EXPECT_EQ(w.txtLayoutLeft, "-1.0");
    EXPECT_EQ(w.txtBackPictureWidth, "210.1");
    EXPECT_EQ(w.txtStakeCount, "5");
    EXPECT_EQ(w.txtGroupCount, "1");
    EXPECT_TRUE(w.optMarkCross);
    EXPECT_TRUE(w.optLandscape);
    const LottPropertyFields e = FieldsFromTemplate(t, FieldFormat::Exact);
    EXPECT_EQ(e.txtLottNumberWidth, "3.25");
    EXPECT_EQ(e.txtLayoutLeft, "-1.04");
}

TEST(SaveToTemplate, WritesNumbersOfTheTextsWithTheirDefaults)
{
    colPLControls t;
    DocumentSurface surface;
    LottPropertyFields f = LoadFromTemplate(t, surface);
    f.txtLayoutName = "七乐彩";
    f.txtLottNumberWidth = "7/2";
    f.txtLottNumberHeight = "abc";
    f.txtLayoutLeft = "-1.5";
    f.txtLayoutTop = "";
    f.optMarkCross = true;
    f.optLandscape = true;
    f.txtStakeOffsetStrX = "0，28.5";
    f.txtStakeOffsetStrY = "0";
    f.txtGroupLottNumberCountStr = "5,2";
    f.txtBackPicturePathFile = "slip.jpg";
    f.txtBackPictureWidth = "1/0";
    f.txtBackPictureHeight = "127";
    f.txtBackPictureLeft = "x";
    f.txtBackPictureTop = "2*3";
    SaveToTemplate(f, t, surface);
    EXPECT_EQ(t.LayoutName(), "七乐彩");
    EXPECT_DOUBLE_EQ(t.LottNumberWidth(), 3.5);
    EXPECT_DOUBLE_EQ(t.LottNumberHeight(), 1.5);
    EXPECT_DOUBLE_EQ(t.LayoutLeft(), -1.5);
    EXPECT_DOUBLE_EQ(t.LayoutTop(), 0);
    EXPECT_EQ(t.MarkStyle(), 1);
    EXPECT_EQ(t.PaperOrientation(), 1);
    EXPECT_EQ(t.StakeLocateOffsetStrX(), "0,28.5");
    EXPECT_EQ(t.StakeCountPerTicket(), 2);
    EXPECT_EQ(t.GroupCount(), 2);
    EXPECT_EQ(t.BackPicPathFileStored(), "slip.jpg");
    EXPECT_DOUBLE_EQ(t.BackPicWidth(), 100);
    EXPECT_DOUBLE_EQ(t.BackPicHeight(), 127);
    EXPECT_DOUBLE_EQ(t.BackPicLeft(), 0);
    EXPECT_DOUBLE_EQ(t.BackPicTop(), 6);
}

TEST(SaveToTemplate, PaperSizeZeroKeepsItsPaperFields)
{
    colPLControls t;
    t.setPaperWidth(1234);
    t.setPaperHeight(5678);
    DocumentSurface surface;
    const LottPropertyFields f = LoadFromTemplate(t, surface);
    SaveToTemplate(f, t, surface);
    EXPECT_EQ(t.PaperSize(), 0);
    EXPECT_FLOAT_EQ(t.PaperWidth(), 1234);
    EXPECT_FLOAT_EQ(t.PaperHeight(), 5678);
}

TEST(SaveToTemplate, APaperSizeComesBackFromTheSurface)
{
    colPLControls t;
    t.setPaperSize(11); // A5
    t.setPaperWidth(8391);
    t.setPaperHeight(11906);
    t.setPaperMarginLeft(300);
    DocumentSurface surface;
    LottPropertyFields f = LoadFromTemplate(t, surface);
    f.optLandscape = true;
    SaveToTemplate(f, t, surface);
    EXPECT_EQ(t.PaperSize(), 11);
    EXPECT_FLOAT_EQ(t.PaperWidth(), 8391);
    EXPECT_FLOAT_EQ(t.PaperMarginLeft(), 300);
    EXPECT_EQ(t.PaperOrientation(), 1); // the option wins over the surface
}

TEST(Wizard, ButtonsAndPages)
{
    const struct {
        int page;
        bool prev, next, finish;
        const char *first;
    } cases[] = {
        {0, false, true, false, "txtLayoutName"},
        {1, true, true, false, "txtStakeCount"},
        {2, true, true, false, "txtGroupCount"},
        {3, true, false, true, "txtBackPicturePathFile"},
    };
    for (const auto &c : cases) {
        const WizardButtons b = WizardButtonsOnPage(c.page);
        EXPECT_EQ(b.prevEnabled, c.prev) << c.page;
        EXPECT_EQ(b.nextEnabled, c.next) << c.page;
        EXPECT_EQ(b.finishEnabled, c.finish) << c.page;
        EXPECT_EQ(PageFirstField(c.page), c.first);
    }
    EXPECT_EQ(NextPage(3), 3);
    EXPECT_EQ(PrevPage(0), 0);
    EXPECT_EQ(NextPage(1), 2);
}

TEST(PictureSize, FromTheScanResolution)
{
    const struct {
        const char *dpi;
        const char *width, *height;
    } cases[] = {
        {"150", "254.0", "127.0"},
        {"300", "127.0", "63.5"},
        {"", "0.0", "0.0"},
        {"0.5", "0.0", "0.0"},
        {"abc", "0.0", "0.0"},
        {"100+50", "254.0", "127.0"},
    };
    for (const auto &c : cases) {
        const auto size = PictureSizeFromDpi(QSize(1500, 750), c.dpi);
        ASSERT_TRUE(size.has_value()) << c.dpi;
        EXPECT_EQ(size->width, c.width) << c.dpi;
        EXPECT_EQ(size->height, c.height) << c.dpi;
    }
    EXPECT_FALSE(PictureSizeFromDpi(QSize(1500, 750), "-1").has_value());
}

TEST(PropertyTexts, ExampleAndPrompt)
{
    const QString example = StakeOffsetExampleText();
    EXPECT_TRUE(example.startsWith("【例】对于陕西双色球，每张投注单 5 个投注区，各投注区是横排的：\r\n    X 方向"));
    EXPECT_TRUE(example.endsWith("Y 方向偏移量为 “0,0,0,0,0”"));
    EXPECT_EQ(example.count("\r\n"), 3);
    EXPECT_EQ(DpiPromptText(), "请输入背景图片对应的扫描分辨率：DPI\r\nDPI 的值是您在扫描图片时所设置的分辨率，推荐扫描时使用 150 DPI");
}
} // namespace

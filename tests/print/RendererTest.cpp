// The page set-up, the switches, labels, lines, locate marks and the background picture.
#include "PrintTestSupport.h"
#include "TestSupport.h"
#include "print/DocumentSurface.h"
#include "print/MarkColor.h"
#include "print/clsPLPrint.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

using namespace printtest;

namespace {
constexpr float Twip = 0.01f;

// A recording surface that also logs the page set-up calls in order and can refuse one.
class SetupLogSurface : public DocumentSurface {
public:
    QStringList log;
    QString refuse;

    void setPreview(bool v) override { log << QStringLiteral("Preview=%1").arg(v); DocumentSurface::setPreview(v); }
    void StartDoc() override { log << "StartDoc"; DocumentSurface::StartDoc(); }
    void EndDoc() override { log << "EndDoc"; DocumentSurface::EndDoc(); }
    bool setOrientation(qint32 v) override { return take("Orientation", v) && DocumentSurface::setOrientation(v); }
    bool setPaperSize(qint32 v) override { return take("PaperSize", v) && DocumentSurface::setPaperSize(v); }
    bool setPaperWidth(float v) override { return take("PaperWidth", v) && DocumentSurface::setPaperWidth(v); }
    bool setPaperHeight(float v) override { return take("PaperHeight", v) && DocumentSurface::setPaperHeight(v); }
    bool setMarginLeft(float v) override { return take("MarginLeft", v) && DocumentSurface::setMarginLeft(v); }
    bool setMarginTop(float v) override { return take("MarginTop", v) && DocumentSurface::setMarginTop(v); }
    bool setMarginRight(float v) override { return take("MarginRight", v) && DocumentSurface::setMarginRight(v); }
    bool setMarginBottom(float v) override { return take("MarginBottom", v) && DocumentSurface::setMarginBottom(v); }

private:
    bool take(const char *name, double v)
    {
        log << QStringLiteral("%1=%2").arg(QLatin1String(name)).arg(v);
        return refuse != QLatin1String(name);
    }
};

colPLControls pageTemplate(qint32 paperSize)
{
    colPLControls t;
    t.setPaperOrientation(1);
    t.setPaperMarginBottom(40);
    t.setPaperMarginTop(30);
    t.setPaperMarginRight(20);
    t.setPaperMarginLeft(10);
    t.setPaperWidth(7000);
    t.setPaperHeight(13000);
    t.setPaperSize(paperSize);
    return t;
}

PrintDocument layOutPage(const colPLControls &t, clsPLPrint &engine, const QStringList &bets = {})
{
    DocumentSurface surface;
    QStringList lines{QString()};
    lines += bets.isEmpty() ? QStringList{QString()} : bets;
    engine.PrintPLWithDatas(t, lines, surface, true, 1);
    return surface.TakeDocument();
}
} // namespace

TEST(PageSetup, TemplateSetupGoesToTheSurfaceInOrder)
{
    SetupLogSurface s;
    clsPLPrint().SetPrinterPageByLayout(s, pageTemplate(256));
    EXPECT_EQ(s.log, (QStringList{"Preview=1", "StartDoc", "Orientation=1", "MarginBottom=40",
                                  "MarginTop=30", "MarginRight=20", "MarginLeft=10",
                                  "PaperWidth=7000", "PaperHeight=13000", "PaperSize=256", "EndDoc"}));
    EXPECT_EQ(s.Setup().PaperWidth, 7000);
    EXPECT_EQ(s.Setup().PaperHeight, 13000);
    EXPECT_EQ(s.Setup().Orientation, 1);
    EXPECT_FALSE(s.IsDocOpen());
}

TEST(PageSetup, PaperSizeCodesAndZero)
{
    struct Case {
        qint32 code;
        float width, height;
        qint32 sizeAfter;
    };
    const Case cases[] = {
        {0, 11906, 16838, 0},       // no paper set: A4 to draw on, the printer keeps its own
        {9, 11906, 16838, 9},
        {1, 12240, 15840, 1},
        {5, 12240, 20160, 5},
        {8, 16838, 23811, 8},
        {11, 8391, 11906, 11},
        {13, 10318, 14570, 13},
        {256, 7000, 13000, 256},
        {4711, 7000, 13000, 256},   // unknown code refused: the custom paper set before stays
    };
    for (const Case &c : cases) {
        SetupLogSurface s;
        clsPLPrint().SetPrinterPageByLayout(s, pageTemplate(c.code));
        EXPECT_NEAR(s.Setup().PaperWidth, c.width, 1) << c.code;
        EXPECT_NEAR(s.Setup().PaperHeight, c.height, 1) << c.code;
        EXPECT_EQ(s.Setup().PaperSize, c.sizeAfter) << c.code;
        EXPECT_EQ(s.Setup().MarginLeft, 10) << c.code;
    }
}

TEST(PageSetup, RefusedSettingIsSkippedAndTheRestIsMade)
{
    for (const char *refused : {"Orientation", "MarginTop", "PaperWidth", "PaperSize"}) {
        SetupLogSurface s;
        s.refuse = QLatin1String(refused);
        clsPLPrint().SetPrinterPageByLayout(s, pageTemplate(256));
        EXPECT_EQ(s.log.size(), 11) << refused;
        EXPECT_EQ(s.log.last(), "EndDoc") << refused;
    }
}

TEST(PageSetup, AbsurdPaperIsRefusedBySurface)
{
    colPLControls t = pageTemplate(256);
    t.setPaperWidth(1.0e9f);
    t.setPaperHeight(-5);
    DocumentSurface s;
    clsPLPrint().SetPrinterPageByLayout(s, t);
    EXPECT_EQ(s.Setup().PaperWidth, 11906);
    EXPECT_EQ(s.Setup().PaperHeight, 16838);
}

TEST(PageSetup, SurfaceSetupComesBackIntoTheTemplate)
{
    DocumentSurface s;
    clsPLPrint engine;
    engine.SetPrinterPageByLayout(s, pageTemplate(256));
    colPLControls back;
    engine.GetPrinterPageByLayout(s, back);
    EXPECT_EQ(back.PaperWidth(), 7000);
    EXPECT_EQ(back.PaperHeight(), 13000);
    EXPECT_EQ(back.PaperSize(), 256);
    EXPECT_EQ(back.PaperOrientation(), 1);
    EXPECT_EQ(back.PaperMarginBottom(), 40);
    EXPECT_EQ(back.PaperMarginTop(), 30);
    EXPECT_EQ(back.PaperMarginRight(), 20);
    EXPECT_EQ(back.PaperMarginLeft(), 10);
}

TEST(PageSetup, DocumentIsNamedAfterTheTemplate)
{
    clsPLPrint engine;
    colPLControls t = TwoAreaSlip();
    EXPECT_EQ(layOutPage(t, engine).DocName(), QStringLiteral("VornPrn-双色球"));
}

TEST(Switches, EachSwitchChangesExactlyItsElements)
{
    colPLControls t;
    t.setGroupLottNumberCountStr(QStringLiteral("1"));
    t.Add(Block("n1", "1", "1", 1, 1));
    t.Add(Mark("always", 10, 1, 2, 2, true));
    t.Add(Mark("sometimes", 20, 1, 2, 2, false));
    t.Add(Line("line", 30, 1, 5, 0, 1, 1, 0));
    t.Add(Label("label", "文字", 40, 1, 10, 5));
    t.setBackPicPathFile(testDataPath("print/slip.png"));

    struct Case {
        bool mark, text, backPic;
        std::vector<OpKind> expected;
    };
    using K = OpKind;
    const Case cases[] = {
        {true, true, false, {K::Rect, K::Rect, K::Line, K::Text, K::Rect}},
        {false, true, false, {K::Rect, K::Text, K::Rect}},
        {true, false, false, {K::Rect, K::Rect, K::Line, K::Rect}},
        {false, false, true, {K::Picture, K::Rect, K::Rect}},
    };
    for (const Case &c : cases) {
        clsPLPrint engine;
        engine.setIsPrintMark(c.mark);
        engine.setIsPrintText(c.text);
        engine.setIsPrintBackPic(c.backPic);
        const PrintDocument doc = layOutPage(t, engine, {QStringLiteral("1")});
        std::vector<OpKind> kinds;
        for (const Op &op : PageOps(doc, 0))
            kinds.push_back(op.kind);
        EXPECT_EQ(kinds, c.expected) << c.mark << c.text << c.backPic;
    }
}

TEST(Switches, RedNumberTextIsPrintedWithTextSwitchedOff)
{
    clsPLPrint engine;
    engine.setIsPrintText(false);
    const PrintDocument doc = layOutPage(TwoAreaSlip(), engine, {QStringLiteral("01 77")});
    const std::vector<QString> texts = PageTexts(doc, 0);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(texts[0].startsWith(QStringLiteral("投注号码【77】没有设定对应的填涂块！")));
}

TEST(Switches, DefaultsAndMarkColorFromGray)
{
    clsPLPrint engine;
    EXPECT_TRUE(engine.IsPrintMark());
    EXPECT_TRUE(engine.IsPrintText());
    EXPECT_FALSE(engine.IsPrintBackPic());
    EXPECT_EQ(GetMarkColor(), 0);
    const std::pair<int, qint32> grays[] = {
        {100, 0}, {60, 0x666666}, {90, 0x1A1A1A}, {0, 0xFFFFFF}, {50, 0x808080}};
    for (auto [slider, color] : grays)
        EXPECT_EQ(MarkColorFromGray(slider), color) << slider;
}

TEST(BackPicture, PlacedAtTheLayoutOriginAndSharedBetweenPages)
{
    colPLControls t = TwoAreaSlip();
    t.setBackPicPathFile(testDataPath("print/slip.png"));
    t.setBackPicLeft(-1);
    t.setBackPicTop(0.5);
    t.setBackPicWidth(190);
    t.setBackPicHeight(82.5);
    clsPLPrint engine;
    engine.setIsPrintBackPic(true);
    QStringList bets;
    for (int i = 0; i < 10; ++i)
        bets << QStringLiteral("01");
    const PrintDocument doc = layOutPage(t, engine, bets);
    ASSERT_EQ(doc.PageCount(), 2);
    const std::vector<Op> pics = OpsOfKind(doc, 1, OpKind::Picture);
    ASSERT_EQ(pics.size(), 1u);
    ExpectCorners(pics[0], (1.5 - 1) * 56.7, (2 + 0.5) * 56.7, 190 * 56.7, 82.5 * 56.7);
    EXPECT_EQ(doc.Picture(doc.PageBegin(0)->Ref).identity(), doc.Picture(doc.PageBegin(1)->Ref).identity());
}

TEST(BackPicture, MissingOrCorruptPictureIsLeftOut)
{
    const QString dir = makeTempDir();
    QFile corrupt(dir + "/corrupt.jpg");
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
    corrupt.write("not a picture at all");
    corrupt.close();
    for (const QString &path : {dir + "/missing.bmp", dir + "/corrupt.jpg", QString()}) {
        colPLControls t = TwoAreaSlip();
        t.setBackPicPathFile(path);
        clsPLPrint engine;
        engine.setIsPrintBackPic(true);
        const PrintDocument doc = layOutPage(t, engine, {QStringLiteral("01")});
        EXPECT_TRUE(OpsOfKind(doc, 0, OpKind::Picture).empty()) << path.toStdString();
        EXPECT_EQ(OpsOfKind(doc, 0, OpKind::Rect).size(), 2u) << path.toStdString();
    }
}

TEST(Lines, BorderStyleAndWidthGiveThePen)
{
    struct Case {
        qint32 borderStyle, borderWidth, penStyle;
    };
    // The pen style before the line is the mark's 0; style 9 leaves it.
    const Case cases[] = {{0, 1, 5}, {1, 1, 0}, {2, 1, 1}, {3, 0, 2}, {4, 1, 3}, {5, 1, 4},
                          {6, 1, 6}, {9, 1, 0}, {2, 3, 0}, {5, 2, 0}};
    for (const Case &c : cases) {
        colPLControls t;
        t.Add(Mark("m", 1, 1, 1, 1, true));
        t.Add(Line("l", 10, 20, -5, 0, c.borderStyle, c.borderWidth, 0x0000FF));
        clsPLPrint engine;
        const PrintDocument doc = layOutPage(t, engine);
        const std::vector<Op> lines = OpsOfKind(doc, 0, OpKind::Line);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].state.PenStyle, c.penStyle) << c.borderStyle << "/" << c.borderWidth;
        EXPECT_EQ(lines[0].state.PenWidth, c.borderWidth);
        EXPECT_EQ(lines[0].state.PenColor, 0x0000FF);
        ExpectCorners(lines[0], 567, 1134, 283.5, 1134);
    }
}

TEST(LocateMarks, DrawnInMarkColorWithThePenWidthLeftBefore)
{
    colPLControls t;
    t.Add(Line("thick", 0, 0, 10, 0, 1, 7, 0));
    t.Add(Mark("m", 4, 6, 2, 1, false));
    SetMarkColor(0x666666);
    clsPLPrint engine;
    const PrintDocument doc = layOutPage(t, engine);
    SetMarkColor(0);
    const std::vector<Op> rects = OpsOfKind(doc, 0, OpKind::Rect);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].state.PenWidth, 7);
    EXPECT_EQ(rects[0].state.PenColor, 0x666666);
    EXPECT_EQ(rects[0].state.BrushColor, 0x666666);
    EXPECT_EQ(rects[0].state.PenStyle, 0);
    ExpectCorners(rects[0], 226.8, 340.2, 340.2, 396.9);
}

TEST(Labels, FieldWords)
{
    struct Case {
        const char *field;
        const char *printed;
    };
    const Case cases[] = {
        {"{页码}", "第1页"}, {" {页码} ", "第1页"}, {"x{页码}", "x{页码}"}, {"{页码}。", "{页码}。"},
        {"{注序号}", "注：1~1"}, {"{日期}", "2024-03-05 14:07"}, {" {日期}", "2024-03-05 14:07"},
        {"{date}", "{date}"}, {"投注单", "投注单"}, {"", ""},
    };
    for (const Case &c : cases) {
        colPLControls t;
        t.Add(Label("l", QString::fromUtf8(c.field), 1, 1, 40, 5));
        clsPLPrint engine;
        engine.setClock([] { return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 59)); });
        const PrintDocument doc = layOutPage(t, engine, {QString()});
        const std::vector<QString> texts = PageTexts(doc, 0);
        ASSERT_EQ(texts.size(), 1u) << c.field;
        EXPECT_EQ(texts[0], QString::fromUtf8(c.printed)) << c.field;
    }
}

TEST(Labels, StateOfTheTextBox)
{
    struct Case {
        qint32 borderStyle, backStyle, alignment;
        qint32 penColor, textAlign;
        bool fill;
    };
    // The text align before the label is the surface's 0, or 1 after a centred label.
    const Case cases[] = {
        {1, 1, 0, 0, 0, true},       {0, 1, 1, 0xABCDEF, 0, true}, {1, 0, 2, 0, 1, false},
        {0, 0, 7, 0xABCDEF, 0, false},
    };
    for (const Case &c : cases) {
        colPLControls t;
        clsPLControl l = Label("l", "甲乙", 1, 2, 30, 5);
        l.setBorderStyle(c.borderStyle);
        l.setBackStyle(c.backStyle);
        l.setAlignment(c.alignment);
        l.setForeColor(0x123456);
        l.setBackColor(0xABCDEF);
        l.setFontName("黑体");
        l.setFontSize(12);
        l.setFontBold(-1);
        l.setFontUnderline(1);
        t.Add(l);
        clsPLPrint engine;
        const PrintDocument doc = layOutPage(t, engine);
        const std::vector<Op> texts = OpsOfKind(doc, 0, OpKind::Text);
        ASSERT_EQ(texts.size(), 1u);
        const Op &op = texts[0];
        EXPECT_EQ(op.fill, c.fill);
        EXPECT_EQ(op.state.PenColor, c.penColor);
        EXPECT_EQ(op.state.TextAlign, c.textAlign) << c.alignment;
        EXPECT_EQ(op.state.TextColor, 0x123456);
        EXPECT_EQ(op.state.BrushColor, 0xABCDEF);
        EXPECT_EQ(op.state.PenStyle, 0);
        EXPECT_EQ(op.state.PenWidth, 1);
        EXPECT_EQ(op.state.FontName, "黑体");
        EXPECT_EQ(op.state.FontSize, 12);
        EXPECT_TRUE(op.state.FontBold);
        EXPECT_TRUE(op.state.FontUnderline);
        EXPECT_FALSE(op.state.FontItalic);
        ExpectCorners(op, 56.7, 113.4, 1701, 283.5);
    }
}

TEST(Labels, EmptyFontNameAndZeroSizeKeepTheFontBefore)
{
    colPLControls t;
    clsPLControl first = Label("a", "A", 1, 1, 10, 5);
    first.setFontName("楷体");
    first.setFontSize(14);
    t.Add(first);
    t.Add(Label("b", "B", 1, 10, 10, 5));
    clsPLPrint engine;
    const std::vector<Op> texts = OpsOfKind(layOutPage(t, engine), 0, OpKind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].state.FontName, "楷体");
    EXPECT_EQ(texts[1].state.FontSize, 14);
}

TEST(Labels, SpacedCharactersAdvanceByTheirWidthUntilTheBoxIsFull)
{
    colPLControls t;
    clsPLControl l = Label("l", "一二三四五六七八九十", 1, 1, 20, 5);
    l.setSpaceBetweenChar(0.5);
    l.setFontSize(20);
    t.Add(l);
    clsPLPrint engine;
    DocumentSurface measure;
    measure.StartDoc();
    measure.setFontSize(20);
    const float cw = measure.TextWidth("一");
    ASSERT_GT(cw, 300); // a 20-point CJK character is about 400 twips wide

    const std::vector<Op> texts = OpsOfKind(layOutPage(t, engine), 0, OpKind::Text);
    // The box is 1134 twips wide: characters are set while the remaining width is not below 0.
    const int expected = int(1134 / (cw + 0.5)) + 1;
    ASSERT_EQ(int(texts.size()), expected);
    for (int i = 0; i < expected; ++i) {
        EXPECT_EQ(texts[i].text, QString("一二三四五六七八九十").mid(i, 1));
        EXPECT_NEAR(texts[i].a, 56.7 + i * (cw + 0.5), 0.05);
        EXPECT_NEAR(texts[i].c, 1134 - i * (cw + 0.5), 0.05);
        EXPECT_FALSE(texts[i].fill);
    }
}

TEST(Labels, OpaqueSpacedLabelFillsItsBoxFirst)
{
    colPLControls t;
    clsPLControl l = Label("l", "AB", 1, 1, 20, 5);
    l.setSpaceBetweenChar(10);
    l.setBackStyle(1);
    t.Add(l);
    clsPLPrint engine;
    const std::vector<Op> texts = OpsOfKind(layOutPage(t, engine), 0, OpKind::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "");
    EXPECT_TRUE(texts[0].fill);
    EXPECT_EQ(texts[1].text, "A");
    EXPECT_EQ(texts[2].text, "B");
    EXPECT_FALSE(texts[2].fill);
}

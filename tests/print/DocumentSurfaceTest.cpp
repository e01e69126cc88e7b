// The recording surface: document life cycle, drawing state, compact storage, text metrics.
#include "PrintTestSupport.h"
#include "TestSupport.h"
#include "print/DocumentSurface.h"
#include "print/PrintFonts.h"
#include "print/clsPLPrint.h"
#include "print/PageSetup.h"
#include <QPageSize>

#include <QFontDatabase>
#include <gtest/gtest.h>

using namespace printtest;

TEST(DocumentSurface, StartDocResetsStateAndPagesButKeepsThePaper)
{
    DocumentSurface s;
    s.setPaperSize(11);
    s.StartDoc();
    s.setPenColor(255);
    s.setFontName("黑体");
    s.DrawLine(0, 0, 1, 1);
    s.NewPage();
    s.NewPage();
    s.EndDoc();
    EXPECT_EQ(s.Document().PageCount(), 3);

    s.StartDoc();
    s.DrawRectangle(0, 0, 1, 1);
    s.EndDoc();
    const PrintDocument &doc = s.Document();
    ASSERT_EQ(doc.PageCount(), 1);
    EXPECT_EQ(doc.Setup().PaperSize, 11);
    const DrawState &st = doc.State(doc.PageBegin(0)->State);
    EXPECT_EQ(st, DrawState());
    EXPECT_EQ(st.FontName, "宋体");
    EXPECT_EQ(st.FontSize, 9);
    EXPECT_EQ(st.BrushColor, 16777215);
}

TEST(DocumentSurface, StateCarriesAcrossPagesUntilChanged)
{
    DocumentSurface s;
    s.StartDoc();
    s.setBrushColor(0x112233);
    s.setPenWidth(5);
    s.DrawRectangle(0, 0, 1, 1);
    s.NewPage();
    s.DrawRectangle(2, 2, 3, 3);
    s.setPenWidth(6);
    s.DrawRectangle(4, 4, 5, 5);
    s.EndDoc();
    const std::vector<Op> p1 = PageOps(s.Document(), 1);
    ASSERT_EQ(p1.size(), 2u);
    EXPECT_EQ(p1[0].state.BrushColor, 0x112233);
    EXPECT_EQ(p1[0].state.PenWidth, 5);
    EXPECT_EQ(p1[1].state.PenWidth, 6);
    EXPECT_EQ(s.Document().StateCount(), 2);
}

TEST(DocumentSurface, NothingIsRecordedOutsideADocument)
{
    DocumentSurface s;
    s.DrawRectangle(0, 0, 1, 1);
    s.TextBox("x", 0, 0, 1, 1);
    EXPECT_EQ(s.Document().OpCount(), 0);
    s.StartDoc();
    s.EndDoc();
    s.DrawLine(0, 0, 1, 1);
    s.NewPage();
    EXPECT_EQ(s.Document().OpCount(), 0);
    EXPECT_EQ(s.Document().PageCount(), 1);
}

TEST(DocumentSurface, TextsAndPicturesAreStoredOnce)
{
    DocumentSurface s;
    s.StartDoc();
    for (int i = 0; i < 100; ++i) {
        s.TextBox(QStringLiteral("第%1页").arg(i % 3), 0, 0, 10, 10);
        s.DrawPicture(PrintPicture::Load(testDataPath("print/slip.png")), 0, 0, 10, 10);
    }
    s.EndDoc();
    const PrintDocument &doc = s.Document();
    EXPECT_EQ(doc.OpCount(), 200);
    EXPECT_EQ(doc.Text(doc.PageBegin(0)[0].Ref), QStringLiteral("第0页"));
    EXPECT_EQ(doc.PageBegin(0)[6].Ref, doc.PageBegin(0)[0].Ref);
    EXPECT_EQ(doc.PageBegin(0)[7].Ref, doc.PageBegin(0)[1].Ref);
    EXPECT_LT(doc.MemoryBytes(), 200 * sizeof(DrawOp) * 2 + 1024);
}

TEST(DocumentSurface, PaperSetters)
{
    struct Case {
        const char *what;
        bool ok;
        float width, height;
        qint32 size;
    };
    DocumentSurface s;
    const Case cases[] = {
        {"width 5000", true, 5000, 16838, 256},
        {"height 0", false, 5000, 16838, 256},
        {"height 9000", true, 5000, 9000, 256},
        {"size 9", true, 11906, 16838, 9},
        {"size 3", true, 15840, 24480, 3}, // Tabloid, a printer code beyond the common ones
        {"size -1", false, 15840, 24480, 3},
        {"width 300000", false, 15840, 24480, 3},
    };
    for (const Case &c : cases) {
        const QStringList w = QString::fromLatin1(c.what).split(' ');
        const float v = w[1].toFloat();
        bool ok = false;
        if (w[0] == "width")
            ok = s.setPaperWidth(v);
        else if (w[0] == "height")
            ok = s.setPaperHeight(v);
        else
            ok = s.setPaperSize(qint32(v));
        EXPECT_EQ(ok, c.ok) << c.what;
        EXPECT_EQ(s.PaperWidth(), c.width) << c.what;
        EXPECT_EQ(s.PaperHeight(), c.height) << c.what;
        EXPECT_EQ(s.PaperSize(), c.size) << c.what;
    }
    EXPECT_FALSE(s.setOrientation(2));
    EXPECT_TRUE(s.setOrientation(1));
    EXPECT_EQ(s.Setup().PageSizeTwips(), QSizeF(24480, 15840));
}

TEST(DocumentSurface, NoPaperIsSetUntilATemplateOrCallerSetsOne)
{
    DocumentSurface s;
    EXPECT_EQ(s.PaperSize(), 0) << "paper not set";
    EXPECT_EQ(s.Setup().PageSizeTwips(), QSizeF(11906, 16838)) << "drawn on A4";
    EXPECT_EQ(PageLayoutOf(s.Setup()).pageSize().id(), QPageSize::A4);
    ASSERT_TRUE(s.setPaperSize(11));
    EXPECT_EQ(s.Setup().PageSizeTwips(), QSizeF(8391, 11906));
    ASSERT_TRUE(s.setPaperSize(0));
    EXPECT_EQ(s.PaperSize(), 0);
    EXPECT_EQ(s.Setup().PageSizeTwips(), QSizeF(11906, 16838));

    // A template without paper reads the same back: 0, so a dialog can tell "not set".
    colPLControls t;
    t.setPaperSize(0);
    t.setPaperOrientation(1);
    DocumentSurface fresh;
    clsPLPrint engine;
    engine.SetPrinterPageByLayout(fresh, t);
    colPLControls back;
    engine.GetPrinterPageByLayout(fresh, back);
    EXPECT_EQ(back.PaperSize(), 0);
    EXPECT_EQ(back.PaperOrientation(), 1);
}

TEST(DocumentSurface, TextWidthUsesRealMetricsInTwips)
{
    DocumentSurface s;
    s.StartDoc();
    s.setFontSize(10);
    const float wide = s.TextWidth("WWWW");
    const float narrow = s.TextWidth("iiii");
    const float han = s.TextWidth("汉");
    EXPECT_GT(wide, narrow);
    // A CJK character of a 10-point font is about 10 points (200 twips) wide.
    EXPECT_NEAR(han, 200, 20);
    s.setFontSize(20);
    EXPECT_NEAR(s.TextWidth("汉"), 2 * han, 2);
    s.setFontBold(true);
    EXPECT_GE(s.TextWidth("WWWW"), 2 * wide - 2);
    EXPECT_EQ(s.TextWidth(QString()), 0);
}

TEST(DocumentSurface, MissingFacesFallBackToAnInstalledCjkFamily)
{
    const QStringList installed = QFontDatabase::families();
    for (const char *face : {"宋体", "黑体", "NoSuchFace", ""}) {
        const QString family = ResolveFontFamily(QString::fromUtf8(face));
        EXPECT_TRUE(installed.contains(family)) << face << " -> " << family.toStdString();
        EXPECT_TRUE(QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese))
            << face << " -> " << family.toStdString();
    }
}

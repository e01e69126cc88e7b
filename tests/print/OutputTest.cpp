// Writing recorded documents: the JSON form, PDF, PNG, and where blocks land on paper.
#include "PrintTestSupport.h"
#include "TestSupport.h"
#include "print/DocumentOutput.h"
#include "print/DocumentSurface.h"
#include "print/clsPLPrint.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace printtest;

namespace {
PrintDocument oneOfEachOp()
{
    DocumentSurface s;
    s.setPaperWidth(8000);
    s.setPaperHeight(6000);
    s.setOrientation(1);
    s.StartDoc();
    s.setDocName("VornPrn-测试");
    s.DrawRectangle(10, 20, 30.25f, 40);
    s.setPenStyle(2);
    s.DrawLine(1, 2, 3, 4);
    s.setTextColor(255);
    s.setTextAlign(1);
    s.setFontBold(true);
    s.TextBox("甲\"\\\r\n乙", 5, 6, 700, 800, 1, true);
    s.NewPage();
    s.DrawPicture(PrintPicture::Load(testDataPath("print/slip.png")), 0, 0, 100, 50);
    s.EndDoc();
    return s.TakeDocument();
}

QStringList keysOf(const QJsonObject &o)
{
    QStringList k = o.keys();
    k.sort();
    return k;
}

QStringList sorted(QStringList l)
{
    l.sort();
    return l;
}

// "W H" of every page's media box, in points.
QStringList mediaBoxes(const QByteArray &pdf)
{
    static const QRegularExpression re(
        QStringLiteral("/MediaBox \\[([0-9.]+) ([0-9.]+) ([0-9.]+) ([0-9.]+)\\]"));
    QStringList out;
    for (auto it = re.globalMatch(QString::fromLatin1(pdf)); it.hasNext();) {
        const auto m = it.next();
        const double w = m.captured(3).toDouble() - m.captured(1).toDouble();
        const double h = m.captured(4).toDouble() - m.captured(2).toDouble();
        out << QStringLiteral("%1 %2").arg(w, 0, 'g', 8).arg(h, 0, 'g', 8);
    }
    return out;
}

int countOf(const QByteArray &bytes, const char *needle)
{
    int n = 0;
    for (qsizetype at = bytes.indexOf(needle); at >= 0; at = bytes.indexOf(needle, at + 1))
        ++n;
    return n;
}
} // namespace

TEST(DocumentJson, FollowsTheCommandLineFormat)
{
    const QByteArray json = DocumentJson(oneOfEachOp(), {"下标越界"});
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(json, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(keysOf(root), sorted({"docName", "page", "pages", "messages"}));
    EXPECT_EQ(root["docName"].toString(), "VornPrn-测试");
    EXPECT_EQ(root["messages"].toArray().at(0).toString(), "下标越界");

    const QJsonObject page = root["page"].toObject();
    EXPECT_EQ(keysOf(page), sorted({"orientation", "paperSize", "paperWidth", "paperHeight",
                                    "marginLeft", "marginTop", "marginRight", "marginBottom"}));
    EXPECT_EQ(page["orientation"].toInt(), 1);
    EXPECT_EQ(page["paperSize"].toInt(), 256);
    EXPECT_EQ(page["paperWidth"].toDouble(), 8000);
    EXPECT_EQ(page["paperHeight"].toDouble(), 6000);

    const QJsonArray pages = root["pages"].toArray();
    ASSERT_EQ(pages.size(), 2);
    const QJsonArray ops = pages[0].toObject()["ops"].toArray();
    ASSERT_EQ(ops.size(), 3);
    const QJsonObject rect = ops[0].toObject();
    EXPECT_EQ(keysOf(rect), sorted({"op", "x1", "y1", "x2", "y2", "penColor", "penStyle",
                                    "penWidth", "brushColor"}));
    EXPECT_EQ(rect["op"].toString(), "rect");
    EXPECT_DOUBLE_EQ(rect["x2"].toDouble(), 30.25);
    EXPECT_EQ(rect["brushColor"].toInt(), 16777215);
    const QJsonObject line = ops[1].toObject();
    EXPECT_EQ(keysOf(line), sorted({"op", "x1", "y1", "x2", "y2", "penColor", "penStyle", "penWidth"}));
    EXPECT_EQ(line["penStyle"].toInt(), 2);
    const QJsonObject text = ops[2].toObject();
    EXPECT_EQ(keysOf(text),
              sorted({"op", "text", "left", "top", "width", "height", "textColor", "textAlign",
                      "fontName", "fontSize", "fontBold", "fontItalic", "fontUnderline",
                      "fontStrikethru", "fill", "brushColor", "penColor", "penStyle", "penWidth"}));
    EXPECT_EQ(text["text"].toString(), "甲\"\\\r\n乙");
    EXPECT_EQ(text["fontName"].toString(), "宋体");
    EXPECT_EQ(text["fontSize"].toDouble(), 9);
    EXPECT_EQ(text["fontBold"], QJsonValue(true));
    EXPECT_EQ(text["fontItalic"], QJsonValue(false));
    EXPECT_EQ(text["fill"], QJsonValue(true));
    EXPECT_EQ(text["textColor"].toInt(), 255);
    EXPECT_EQ(text["textAlign"].toInt(), 1);
    const QJsonObject pic = pages[1].toObject()["ops"].toArray()[0].toObject();
    EXPECT_EQ(keysOf(pic), sorted({"op", "path", "left", "top", "width", "height"}));
    EXPECT_EQ(pic["path"].toString(), testDataPath("print/slip.png"));
}

TEST(DocumentJson, EngineLengthsSurviveToAHundredthOfATwip)
{
    colPLControls t = TwoAreaSlip();
    t.setLayoutLeft(1.37);
    DocumentSurface s;
    clsPLPrint engine;
    engine.PrintPLWithTest(t, s, true);
    const QJsonObject root = QJsonDocument::fromJson(DocumentJson(s.Document(), {})).object();
    const QJsonArray ops = root["pages"].toArray()[0].toObject()["ops"].toArray();
    const std::vector<Op> recorded = PageOps(s.Document(), 0);
    ASSERT_EQ(ops.size(), qsizetype(recorded.size()));
    for (qsizetype i = 0; i < ops.size(); ++i) {
        if (recorded[size_t(i)].kind != OpKind::Rect)
            continue;
        EXPECT_NEAR(ops[i].toObject()["x1"].toDouble(), recorded[size_t(i)].a, 0.01);
        EXPECT_NEAR(ops[i].toObject()["y2"].toDouble(), recorded[size_t(i)].d, 0.01);
    }
}

TEST(DocumentPdf, PagesFontsAndPicturesOnce)
{
    colPLControls t = TwoAreaSlip();
    t.setBackPicPathFile(testDataPath("print/slip.png"));
    DocumentSurface s;
    clsPLPrint engine;
    engine.setIsPrintBackPic(true);
    QStringList lines{QString()};
    for (int i = 0; i < 50; ++i)
        lines << QStringLiteral("01 02 03 04 05 06 07");
    engine.PrintPLWithDatas(t, lines, s, true, 1);
    ASSERT_EQ(s.Document().PageCount(), 10);

    const QString path = makeTempDir() + "/out.pdf";
    ASSERT_TRUE(WriteDocumentPdf(s.Document(), path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(countOf(pdf, "/Type /Page\n") + countOf(pdf, "/Type /Page\r"), 10);
    EXPECT_EQ(countOf(pdf, "/Subtype /Image"), 1);
    EXPECT_EQ(countOf(pdf, "/FontFile2"), 1);
    // A4 portrait, the surface's own paper.
    EXPECT_EQ(mediaBoxes(pdf), QStringList(10, "595 842"));
}

TEST(DocumentPdf, LandscapeCustomPaperTurnsThePage)
{
    const QString path = makeTempDir() + "/landscape.pdf";
    ASSERT_TRUE(WriteDocumentPdf(oneOfEachOp(), path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    // 8000 x 6000 twips turned: 300 x 400 points.
    EXPECT_EQ(mediaBoxes(f.readAll()), QStringList(2, "300 400"));
}

// Every object the cross-reference table names starts where the table says.
void expectValidXref(const QByteArray &pdf)
{
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    ASSERT_GE(startxref, 0);
    const qsizetype xref = pdf.mid(startxref + 9).trimmed().split('\n').first().trimmed().toLongLong();
    ASSERT_TRUE(pdf.mid(xref).startsWith("xref\n0 "));
    const qsizetype countAt = xref + 7;
    const int count = pdf.mid(countAt, pdf.indexOf('\n', countAt) - countAt).toInt();
    ASSERT_GT(count, 1) << "a table that names no object checks nothing";
    qsizetype entry = pdf.indexOf('\n', countAt) + 1;
    for (int object = 0; object < count; ++object, entry += 20) {
        if (pdf[entry + 17] != 'n')
            continue;
        const qsizetype at = pdf.mid(entry, 10).toLongLong();
        EXPECT_TRUE(pdf.mid(at).startsWith(QByteArray::number(object) + " 0 obj")) << object;
    }
}

TEST(DocumentPdf, CustomPaperKeepsItsExactSize)
{
    struct Case {
        qint32 orientation;
        QStringList boxes;
    };
    // 10772 x 4677.75 twips = 538.6 x 233.8875 points, turned for landscape.
    const Case cases[] = {
        {0, {"538.6 233.8875", "538.6 233.8875"}},
        {1, {"233.8875 538.6", "233.8875 538.6"}},
    };
    for (const Case &c : cases) {
        DocumentSurface s;
        s.setPaperWidth(10772);
        s.setPaperHeight(4677.75f);
        s.setOrientation(c.orientation);
        s.StartDoc();
        s.DrawRectangle(0, 0, 1440, 1440);
        s.NewPage();
        s.DrawLine(0, 0, 2000, 2000);
        s.EndDoc();
        const QString path = makeTempDir() + "/custom.pdf";
        ASSERT_TRUE(WriteDocumentPdf(s.Document(), path));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray pdf = f.readAll();
        EXPECT_EQ(mediaBoxes(pdf), c.boxes) << c.orientation;
        expectValidXref(pdf);
    }
}

TEST(DocumentPng, OnePictureFilePerPageAtThreeHundredDpi)
{
    DocumentSurface s;
    s.setPaperSize(11); // A5: 8391 x 11906 twips
    s.StartDoc();
    s.setBrushColor(0);
    s.DrawRectangle(0, 0, 1440, 1440);
    s.NewPage();
    s.EndDoc();
    const QString dir = makeTempDir() + "/pages";
    ASSERT_TRUE(WriteDocumentPngs(s.Document(), dir));
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), (QStringList{"page-0001.png", "page-0002.png"}));
    const QImage first(dir + "/page-0001.png");
    EXPECT_EQ(first.size(), QSize(1749, 2481));
    EXPECT_EQ(qGray(first.pixel(150, 150)), 0);
    EXPECT_EQ(qGray(first.pixel(310, 310)), 255);
}


TEST(Fidelity, CrossRunsCornerToCorner)
{
    DocumentSurface s;
    s.StartDoc();
    s.setPenWidth(32);
    s.DrawLine(1440, 1440, 1440 + 720, 1440 + 720);
    s.EndDoc();
    const QImage img = RenderPageImage(s.Document(), 0, 600, 600, QRectF(1340, 1340, 920, 920));
    // 100 twips of margin are 41.7 pixels; the diagonal is 300 pixels long.
    const double start = 100 * 600 / 1440.0;
    for (int i = 10; i < 290; i += 40) {
        const int p = int(start + i);
        EXPECT_LT(qGray(img.pixel(p, p)), 128) << i;
        EXPECT_EQ(qGray(img.pixel(p + 20, p)), 255) << i;
    }
    EXPECT_EQ(qGray(img.pixel(int(start) - 10, int(start) - 10)), 255);
}

TEST(BadInput, AbsurdElementsAreDrawnOrSkippedWithoutACrash)
{
    colPLControls t;
    t.setGroupLottNumberCountStr("1");
    t.Add(Block("huge", "1", "1", -5000, 0, 10000, 10000)); // ten metres wide
    t.Add(Label("far", "远", 1.0e30, 1.0e30, 1.0e30, 5));
    clsPLControl spaced = Label("spaced", "很多很多字", 0, 0, 1.0e6, 5);
    spaced.setSpaceBetweenChar(1);
    t.Add(spaced);
    t.Add(Line("nan", std::nan(""), 0, 5, 5, 1, 1, 0));
    t.setBackPicPathFile(testDataPath("print/slip.png"));
    t.setBackPicWidth(1.0e7);
    DocumentSurface s;
    clsPLPrint engine;
    engine.setIsPrintBackPic(true);
    ASSERT_TRUE(engine.PrintPLWithDatas(t, {QString(), "1"}, s, true, 1));
    EXPECT_GE(s.Document().OpCount(), 5);
    const QImage img = RenderPageImage(s.Document(), 0, 72, 72);
    EXPECT_EQ(img.size(), QSize(596, 842));
    EXPECT_LT(qGray(img.pixel(10, 10)), 128); // the huge block covers the page
    const QString dir = makeTempDir();
    EXPECT_TRUE(WriteDocumentPdf(s.Document(), dir + "/absurd.pdf"));
}

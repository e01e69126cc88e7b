// The element-drawing routine in design mode (what the designer canvas shows), its agreement
// with print mode where the two must agree, and the painter surface that draws it on screen.
#include "PrintTestSupport.h"
#include "common/DesignScale.h"
#include "print/DocumentSurface.h"
#include "print/ElementDrawing.h"
#include "print/PainterSurface.h"
#include "print/PrintFonts.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace printtest;
using elements::Shown;

namespace {
constexpr double Scale = 56.7;
constexpr float Twip = 0.01f;

std::vector<Op> draw(const std::vector<clsPLControl> &elements, ElementDrawMode mode,
                     double originX = 0, double originY = 0)
{
    DocumentSurface surface;
    surface.StartDoc();
    for (const clsPLControl &e : elements)
        DrawElement(surface, e, originX, originY, Scale, mode);
    surface.EndDoc();
    return PageOps(surface.Document(), 0);
}

std::vector<float> lefts(const std::vector<Op> &ops)
{
    std::vector<float> v;
    for (const Op &op : ops) {
        if (op.kind == OpKind::Text && !op.text.isEmpty())
            v.push_back(op.a);
    }
    return v;
}
} // namespace

TEST(ElementDrawing, DesignShowsANumberBlockInItsGroupColourWithItsNumberCentred)
{
    clsPLControl block = Block("b", "2", "07", 10, 20, 3, 1.5);
    block.ApplyBlockStyle();
    const std::vector<Op> ops = draw({block}, ElementDrawMode::Design, 100, 200);
    ASSERT_EQ(ops.size(), 1u);
    const Op &op = ops[0];
    EXPECT_EQ(op.kind, OpKind::Text);
    EXPECT_EQ(op.text, "07");
    EXPECT_TRUE(op.fill);
    ExpectCorners(op, 100 + 10 * Scale, 200 + 20 * Scale, 3 * Scale, 1.5 * Scale);
    EXPECT_EQ(op.state.BrushColor, GetGroupColor("2"));
    EXPECT_EQ(op.state.TextColor, InvertColor(GetGroupColor("2")));
    EXPECT_EQ(op.state.TextAlign, 1);
    EXPECT_EQ(op.state.PenStyle, 5); // no border
    EXPECT_EQ(op.state.FontSize, 8);
}

TEST(ElementDrawing, DesignKeepsEachAlignmentAndDefaultsTheFont)
{
    struct Case {
        qint32 alignment, textAlign;
    };
    for (const Case c : {Case{0, 0}, Case{1, 2}, Case{2, 1}}) {
        clsPLControl other = Shown(Label("o", "x", 0, 0, 10, 5));
        other.setFontName("黑体");
        other.setFontSize(20);
        clsPLControl label = Shown(Label("l", "文字", 0, 10, 30, 5));
        label.setAlignment(c.alignment);
        const std::vector<Op> ops = draw({other, label}, ElementDrawMode::Design);
        ASSERT_EQ(ops.size(), 2u);
        EXPECT_EQ(ops[1].state.TextAlign, c.textAlign) << c.alignment;
        // No face and no size of its own: the canvas's label font, not the one drawn before.
        EXPECT_EQ(ops[1].state.FontName, "宋体");
        EXPECT_EQ(ops[1].state.FontSize, 9);
    }
}

TEST(ElementDrawing, DesignSpacedTextStartsAtTheLeftEdgeAndStopsWherePrintStops)
{
    clsPLControl label = Shown(Label("l", "2024-02-29", 5, 5, 12, 5));
    label.setAlignment(2);
    label.setSpaceBetweenChar(40);
    label.setBackStyle(1);
    label.setBackColor(0x00FFFF);
    label.setBorderStyle(1);
    const std::vector<Op> design = draw({label}, ElementDrawMode::Design);
    const std::vector<Op> print = draw({label}, ElementDrawMode::Print);
    ASSERT_GE(design.size(), 3u);
    // The background and border first, covering the whole label.
    EXPECT_TRUE(design[0].fill);
    EXPECT_EQ(design[0].text, "");
    EXPECT_NEAR(design[0].c, 12 * Scale, Twip);
    EXPECT_EQ(design[0].state.PenStyle, 0);
    EXPECT_EQ(design[0].state.PenColor, 0);
    EXPECT_EQ(design[1].state.TextAlign, 0);
    EXPECT_NEAR(design[1].a, 5 * Scale, Twip);
    EXPECT_EQ(lefts(design), lefts(print));
    EXPECT_LT(lefts(design).size(), 10u); // 12 mm do not hold ten spaced characters
    EXPECT_GT(lefts(design).size(), 1u);
}

TEST(ElementDrawing, DesignShowsOneCharacterOrNoSpacingAsAPlainLabel)
{
    for (const QString text : {QStringLiteral("8"), QString::fromUtf8("\xF0\xA0\x80\x80")}) {
        clsPLControl label = Shown(Label("l", text, 0, 0, 20, 5));
        label.setSpaceBetweenChar(100);
        label.setAlignment(1);
        const std::vector<Op> ops = draw({label}, ElementDrawMode::Design);
        ASSERT_EQ(ops.size(), 1u);
        EXPECT_EQ(ops[0].text, text);
        EXPECT_EQ(ops[0].state.TextAlign, 2);
    }
}

TEST(ElementDrawing, DesignBackgroundAndBorder)
{
    struct Case {
        qint32 backStyle, borderStyle;
        int lines;
        bool fill;
    };
    for (const Case c : {Case{0, 0, 0, false}, Case{0, 1, 4, false}, Case{1, 0, 0, true}, Case{1, 1, 0, true}}) {
        clsPLControl label = Shown(Label("l", "abc", 1, 2, 10, 4));
        label.setBackStyle(c.backStyle);
        label.setBorderStyle(c.borderStyle);
        const std::vector<Op> ops = draw({label}, ElementDrawMode::Design);
        const std::vector<Op> lines = [&] {
            std::vector<Op> v;
            for (const Op &op : ops)
                if (op.kind == OpKind::Line)
                    v.push_back(op);
            return v;
        }();
        ASSERT_EQ(int(lines.size()), c.lines) << c.backStyle << c.borderStyle;
        ASSERT_EQ(ops.back().kind, OpKind::Text);
        EXPECT_EQ(ops.back().fill, c.fill);
        EXPECT_EQ(ops.back().text, "abc");
        if (c.fill)
            EXPECT_EQ(ops.back().state.PenStyle, c.borderStyle == 1 ? 0 : 5);
        // The outline of a transparent label goes round its rectangle.
        for (const Op &line : lines) {
            for (float x : {line.a, line.c})
                EXPECT_TRUE(std::fabs(x - Scale) < Twip || std::fabs(x - 11 * Scale) < Twip);
            for (float y : {line.b, line.d})
                EXPECT_TRUE(std::fabs(y - 2 * Scale) < Twip || std::fabs(y - 6 * Scale) < Twip);
        }
    }
}

TEST(ElementDrawing, DesignLinesWithTheirOwnPen)
{
    struct Case {
        qint32 borderStyle, borderWidth, penStyle, penWidth;
    };
    const Case cases[] = {
        {0, 1, 5, 15}, {1, 1, 0, 15}, {2, 1, 1, 15}, {3, 1, 2, 15}, {6, 1, 6, 15},
        {9, 1, 0, 15}, // a style the canvas does not know is drawn solid
        {2, 3, 0, 45}, // thick lines are always solid
    };
    for (const Case &c : cases) {
        const std::vector<Op> ops = draw({Shown(Line("ln", 10, 20, -5, 0, c.borderStyle, c.borderWidth, 0x123456))},
                                         ElementDrawMode::Design);
        ASSERT_EQ(ops.size(), 1u);
        EXPECT_EQ(ops[0].state.PenStyle, c.penStyle) << c.borderStyle << "/" << c.borderWidth;
        EXPECT_EQ(ops[0].state.PenWidth, c.penWidth);
        EXPECT_EQ(ops[0].state.PenColor, 0x123456);
        ExpectCorners(ops[0], 567, 1134, 283.5, 1134);
    }
}

TEST(ElementDrawing, HiddenAndUnknownElements)
{
    clsPLControl hidden = Label("h", "看不见", 0, 0, 10, 5);
    hidden.setVisible(0);
    EXPECT_TRUE(draw({hidden}, ElementDrawMode::Design).empty());
    EXPECT_EQ(draw({hidden}, ElementDrawMode::Print).size(), 1u); // printing ignores Visible
    clsPLControl odd = Shown(Label("o", "x", 0, 0, 10, 5));
    odd.setControlType("Picture");
    EXPECT_TRUE(draw({odd}, ElementDrawMode::Design).empty());
    EXPECT_TRUE(draw({odd}, ElementDrawMode::Print).empty());
}

namespace {
// The box of the non-white pixels.
QRect inkBox(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 200)
                box |= QRect(x, y, 1, 1);
    return box;
}

QImage blankImage()
{
    QImage image(400, 120, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    return image;
}
} // namespace

TEST(PainterSurface, TextLandsWhereTheWrappedLayoutPutsIt)
{
    struct Case {
        const char *text;
        qint32 align;
        float width; // twips
    };
    const Case cases[] = {
        {"07", 0, 1500}, {"07", 1, 1500}, {"07", 2, 1500}, {"2024-02-29", 2, 1500},
        {"第1页 注序号", 0, 600}, // wraps
    };
    for (const Case &c : cases) {
        DrawState state;
        state.TextAlign = c.align;
        state.FontSize = 12;
        QImage viaSurface = blankImage();
        {
            QPainter painter(&viaSurface);
            PainterSurface surface(painter);
            surface.setTextAlign(c.align);
            surface.setFontSize(12);
            surface.TextBox(QString::fromUtf8(c.text), 1500, 150, c.width, 1200);
        }
        QImage viaDrawText = blankImage();
        {
            QPainter painter(&viaDrawText);
            painter.scale(96.012 / 1440, 96.012 / 1440);
            painter.setFont(TwipsFont(state, viaDrawText.logicalDpiY()));
            const int h = c.align == 1 ? Qt::AlignHCenter : c.align == 2 ? Qt::AlignRight : Qt::AlignLeft;
            painter.drawText(QRectF(1500, 150, c.width, 1200), h | Qt::AlignTop | Qt::TextWordWrap,
                             QString::fromUtf8(c.text));
        }
        const QRect a = inkBox(viaSurface), b = inkBox(viaDrawText);
        ASSERT_FALSE(a.isEmpty()) << c.text;
        EXPECT_LE(std::abs(a.left() - b.left()), 1) << c.text << " " << c.align;
        EXPECT_LE(std::abs(a.right() - b.right()), 1) << c.text << " " << c.align;
        EXPECT_LE(std::abs(a.top() - b.top()), 1) << c.text << " " << c.align;
        EXPECT_LE(std::abs(a.bottom() - b.bottom()), 1) << c.text << " " << c.align;
    }
}

TEST(PainterSurface, AnUnbreakableTextWiderThanItsBoxStartsAtTheLeftEdge)
{
    for (qint32 align : {0, 1, 2}) {
        QImage image = blankImage();
        {
            QPainter painter(&image);
            PainterSurface surface(painter);
            surface.setTextAlign(align);
            surface.setFontSize(12);
            surface.TextBox(QStringLiteral("12345678"), 1500, 150, 150, 1200);
        }
        const QRect ink = inkBox(image);
        EXPECT_LE(std::abs(ink.left() - 100), 2) << align; // 1500 twips at 96 dpi
        EXPECT_GT(ink.width(), 40) << align;                // every digit, not cut at the box
    }
}

TEST(PainterSurface, DrawsInTwipsAndPutsThePainterBack)
{
    QImage image = blankImage();
    QPainter painter(&image);
    painter.translate(10, 5);
    const QTransform before = painter.worldTransform();
    {
        PainterSurface surface(painter);
        surface.setBrushColor(0x0000FF); // red
        surface.setPenColor(0x0000FF);
        surface.DrawRectangle(1440, 720, 2880, 1440); // 1 inch in, half an inch down
        EXPECT_FALSE(surface.setPaperSize(9));
    }
    EXPECT_EQ(painter.worldTransform(), before);
    painter.end();
    EXPECT_EQ(image.pixelColor(10 + 96 + 30, 5 + 48 + 20), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(10 + 96 - 3, 5 + 48 + 20), QColor(Qt::white));
}

// The spaced label: notifications, stored-property defaults, and where its characters land.
#include "canvas/KdLabel.h"
#include "print/DocumentSurface.h"

#include <gtest/gtest.h>

namespace {

TEST(KdLabel, StartsWithTheStoredPropertyDefaults)
{
    const KdLabel label;
    EXPECT_EQ(label.Caption(), "lblThis");
    EXPECT_TRUE(label.Enabled());
    EXPECT_EQ(label.BackStyle(), 0);
    EXPECT_EQ(label.BorderStyle(), 0);
    EXPECT_EQ(label.MousePointer(), 0);
    EXPECT_EQ(label.Alignment(), 0);
    EXPECT_FALSE(label.FontBold());
    EXPECT_FALSE(label.FontItalic());
    EXPECT_EQ(label.FontName(), "");
    EXPECT_EQ(label.FontSize(), 0);
    EXPECT_FALSE(label.FontStrikethru());
    EXPECT_FALSE(label.FontUnderline());
    EXPECT_EQ(label.SpaceBetweenChar(), 0);
}

TEST(KdLabel, SettersNotifyOnlyRealChanges)
{
    KdLabel label;
    QStringList changed;
    label.SetChangeHandler([&](const QString &name) { changed << name; });
    label.setCaption(QStringLiteral("lblThis"));
    label.setBackStyle(0);
    label.setSpaceBetweenChar(0);
    label.setEnabled(true);
    EXPECT_TRUE(changed.isEmpty());
    label.setCaption(QStringLiteral("12"));
    label.setSpaceBetweenChar(100);
    label.setBackStyle(1);
    label.setFontBold(true);
    label.setFontBold(true);
    EXPECT_EQ(changed, QStringList({"Caption", "SpaceBetweenChar", "BackStyle", "FontBold"}));
    // Position and size are the host's: no notification.
    label.setLeft(10);
    label.setWidth(99);
    EXPECT_EQ(changed.size(), 4);
}

TEST(KdLabel, SpacedOnlyWithAGapAndTwoCharacters)
{
    struct Case {
        QString caption;
        double spacing;
        bool spaced;
    };
    for (const Case &c : {Case{"abc", 0, false}, Case{"a", 100, false}, Case{"ab", 100, true},
                          Case{"号码", -20, true}, Case{"", 50, false}}) {
        KdLabel label;
        label.setCaption(c.caption);
        label.setSpaceBetweenChar(c.spacing);
        EXPECT_EQ(label.IsSpaced(), c.spaced) << c.caption.toStdString() << " " << c.spacing;
    }
}

// The texts drawn, with their left edges, in twips.
std::vector<std::pair<QString, float>> textsOf(const PrintDocument &doc)
{
    std::vector<std::pair<QString, float>> out;
    for (const DrawOp *op = doc.PageBegin(0); op != doc.PageEnd(0); ++op)
        if (op->Kind == OpKind::Text)
            out.emplace_back(doc.Text(op->Ref).toString(), op->A);
    return out;
}

TEST(KdLabel, SpacedCharactersStartTheGapAfterTheOneBefore)
{
    KdLabel label;
    label.setLeft(1000);
    label.setTop(500);
    label.setWidth(3000);
    label.setHeight(400);
    label.setCaption(QStringLiteral("123"));
    label.setFontName(QStringLiteral("宋体"));
    label.setFontSize(9);
    label.setVisible(true);

    DocumentSurface plain;
    plain.StartDoc();
    label.Paint(plain);
    plain.EndDoc();
    const auto whole = textsOf(plain.Document());
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0].first, "123");

    label.setSpaceBetweenChar(100);
    DocumentSurface spaced;
    spaced.StartDoc();
    label.Paint(spaced);
    const auto chars = textsOf(spaced.Document());
    ASSERT_EQ(chars.size(), 3u);
    EXPECT_NEAR(chars[0].second, 1000, 1e-3);
    const float charWidth = spaced.TextWidth(QStringLiteral("1"));
    EXPECT_NEAR(chars[1].second, 1000 + charWidth + 100, 1e-2);
    EXPECT_NEAR(chars[2].second, 1000 + 2 * (charWidth + 100), 1e-2);
    spaced.EndDoc();
}

} // namespace

#include "storage/IniSections.h"

#include "common/IniDocument.h"
#include "common/TextFile.h"

#include <gtest/gtest.h>

// The template reader's index must answer exactly as the program's INI reader does.
TEST(IniSections, AnswersEveryKeyAsIniDocumentDoes)
{
    const QString texts[] = {
        "[Base]\r\nA=1\r\na=2\r\n B = 3 \r\n[base]\r\nA=4\r\nC=5\r\n",
        "A=outside\n[S]\nnoequals\n=empty name\nK=\nK2==x=\n[T\nK=t\n[ U ]x\nK=u\n",
        "[S]\rK=cr only\r[S2]\r\n\r\nK = v w \r\n",
        QStringLiteral("[段]\r\n键=值\r\nÄ=1\r\nä=2\r\n[Controls1]\r\nLeft=1\r\n[controls1]\r\nLeft=2\r\n"),
        "[S]\r\n[x]=1\r\nK=[y]\r\n",
        "",
        "\r\n\r\n",
        QStringLiteral("[S]\r\nK=\t\u3000v\u00A0 \r\n\u3000K2 = x\r\n"),
    };
    const QString sections[] = {"Base", "BASE", "S", "S2", "T", "U", "段", "Controls1", "x", "none", ""};
    const QString keys[] = {"A", "a", "B", "C", "K", "K2", "", "noequals", "键", "Ä", "ä",
                            "Left", "[x]", "k", "missing"};
    for (const QString &text : texts) {
        const IniDocument doc(EncodeGbk(text));
        const IniSections idx(text);
        for (const QString &s : sections) {
            const int section = idx.FindSection(s);
            EXPECT_EQ(section >= 0, doc.HasSection(s)) << s.toStdString() << " in " << text.toStdString();
            for (const QString &k : keys) {
                const std::optional<QString> expected = doc.Value(s, k);
                const std::optional<QStringView> actual = idx.Value(section, QStringView(k));
                ASSERT_EQ(actual.has_value(), expected.has_value())
                    << "[" << s.toStdString() << "] " << k.toStdString() << " in " << text.toStdString();
                if (expected)
                    EXPECT_EQ(actual->toString(), *expected) << s.toStdString() << "/" << k.toStdString();
            }
        }
    }
}

TEST(IniSections, KeysWhoseHashesCollideAreStillToldApart)
{
    // Many keys per section and many sections: lookups must never mix sections.
    QString text;
    for (int s = 0; s < 300; ++s) {
        text += QString("[Controls%1]\r\n").arg(s);
        for (int k = 0; k < 40; ++k)
            text += QString("Key%1=%2.%3\r\n").arg(k).arg(s).arg(k);
    }
    const IniSections idx(text);
    for (int s = 0; s < 300; s += 7)
        for (int k = 0; k < 40; k += 3)
            EXPECT_EQ(idx.Value(idx.FindSection(QString("CONTROLS%1").arg(s)), QLatin1String(QString("key%1").arg(k).toLatin1()))
                          .value_or(u"<none>").toString(),
                      QString("%1.%2").arg(s).arg(k));
}

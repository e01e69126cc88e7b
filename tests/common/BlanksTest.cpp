#include "common/Blanks.h"

#include <gtest/gtest.h>

TEST(TrimBlanks, OnlyTheAsciiSpaceAndTabAreBlanks)
{
    const std::pair<QString, QString> cases[] = {
        {" \t a b \t ", "a b"},
        {QStringLiteral("\u3000\u3000第{页码}页"), QStringLiteral("\u3000\u3000第{页码}页")},
        {QStringLiteral(" \u3000七乐彩\u3000 "), QStringLiteral("\u3000七乐彩\u3000")},
        {QStringLiteral("\u00A0x\u00A0"), QStringLiteral("\u00A0x\u00A0")},
        {"\r\nx\n", "\r\nx\n"},
        {"   ", ""},
        {"", ""},
    };
    for (const auto &[text, trimmed] : cases) {
        EXPECT_EQ(TrimBlanks(text), trimmed) << text.toStdString();
        EXPECT_EQ(TrimBlanks(QStringView(text)).toString(), trimmed) << text.toStdString();
    }
}

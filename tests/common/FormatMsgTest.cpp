#include "common/FormatMsg.h"
#include "common/LastError.h"

#include <gtest/gtest.h>

TEST(FormatMsg, ExpandsPlaceholdersAndLineBreaks)
{
    struct Case {
        QString text;
        QVariantList values;
        QString expected;
    };
    const Case cases[] = {
        {"第{1}页", {3}, "第3页"},
        {"共 {1} 注, {2} 页", {12, 3}, "共 12 注, 3 页"},
        {"每次打印{1}页[第 {2} ～ {3} 注]", {200, 1}, "每次打印200页[第 1 ～ {3} 注]"},
        {"a{CRLF}b{crlf}c{Crlf}", {}, "a\r\nb\r\nc{Crlf}"},
        // a value that itself holds a later placeholder is expanded when that one is processed
        {"{1}|{2}", {"{2}", "x"}, "x|x"},
        {"{1}{1}", {"ab"}, "abab"},
        {"{1} {2}", {QVariant(), 2.5}, " 2.5"},
        {"{1}", {true}, "True"},
        {"{1}", {0.1 + 0.2}, "0.3"},
        // a list cannot become text: its placeholder stays
        {"{1}-{2}", {QVariantList{1, 2}, "z"}, "{1}-z"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FormatMsg("1", c.text, c.values), c.expected) << c.text.toStdString();
}

TEST(LastError, TextHasMessageContentNumberAndDescriptionThenClears)
{
    GetLastErrorText(true);
    EXPECT_EQ(GetLastErrorText(true), "");

    RecordError("D", "13", "src");
    EXPECT_EQ(GetLastErrorText(false), "\r\n\r\n错误编号:13\r\n错误描述:D\r\n");
    EXPECT_EQ(GetLastErrorText(true), "\r\n\r\n错误编号:13\r\n错误描述:D\r\n");
    EXPECT_EQ(GetLastErrorText(true), "");

    RecordError("desc", "5", "src");
    RecordErrorContext("kdGrid", "SetValue", "msg", "detail", true);
    ASSERT_NE(LastErrorRecord(), nullptr);
    EXPECT_EQ(LastErrorRecord()->ErrSource(), "src");
    EXPECT_EQ(LastErrorRecord()->strMoudle(), "kdGrid");
    EXPECT_EQ(GetLastErrorText(true), "msg\r\ndetail\r\n\r\n\r\n错误编号:5\r\n错误描述:desc\r\n");
}

TEST(LastError, ContextAloneCreatesARecordAndNewErrorReplacesIt)
{
    GetLastErrorText(true);
    RecordErrorContext("m", "f", "only message", "", false);
    EXPECT_EQ(GetLastErrorText(false), "only message\r\n\r\n错误编号:0\r\n错误描述:\r\n");
    RecordError("second", "x", "s");
    EXPECT_EQ(GetLastErrorText(true), "\r\n\r\n错误编号:0\r\n错误描述:second\r\n");
}

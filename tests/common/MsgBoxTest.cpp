#include "TestSupport.h"
#include <gtest/gtest.h>

TEST(MsgBox, ScriptedHandlerRecordsTextStyleAndAnswersInOrder)
{
    ScriptedMsgBox box;
    box.queue(MsgAnswer::No);
    EXPECT_EQ(MsgBox("a", MsgStyle::Question), MsgAnswer::No);
    EXPECT_EQ(MsgBox("b", MsgStyle::Exclamation), MsgAnswer::Ok);
    ASSERT_EQ(box.shown().size(), 2u);
    EXPECT_EQ(box.shown()[0].text, "a");
    EXPECT_EQ(box.shown()[1].style, MsgStyle::Exclamation);
}

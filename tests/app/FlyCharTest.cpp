#include "app/clsFlyChar.h"

#include <gtest/gtest.h>

TEST(clsFlyChar, FramePaddingAndRotation)
{
    struct Case {
        QString text;
        qint16 width;
        QString frame;
    };
    const Case cases[] = {
        {"abc", 7, "  abc  "},       // pad (7-3)/2+0.5 = 2.5 -> 2 (halves to even)
        {"abcde", 2, " abcde "},     // width becomes 6, pad (6-5)/2+0.5 = 1
        {"abcd", 7, "  abcd  "},     // pad 2, a frame of 8 characters
        {"ab", 9, "    ab    "},     // pad (9-2)/2+0.5 = 4
    };
    for (const Case &c : cases) {
        clsFlyChar fly;
        fly.Init(c.text, 0, c.width);
        EXPECT_EQ(fly.Frame(), c.frame) << c.text.toStdString();
    }

    clsFlyChar fly;
    fly.Init("abc", 0, 7);
    EXPECT_EQ(fly.FlyString(1), " abc   ");
    EXPECT_EQ(fly.FlyString(1), "abc    ");
    EXPECT_EQ(fly.FlyString(0), "bc    a"); // 0 moves by one too
    EXPECT_EQ(fly.FlyString(100), "abc    "); // n beyond the frame becomes length - 1
}

#include "print/DocumentSurface.h"

#include <gtest/gtest.h>

TEST(DocumentSurfaceSmoke, RecordsARectangle)
{
    DocumentSurface s;
    s.StartDoc();
    s.DrawRectangle(1, 2, 3, 4);
    s.EndDoc();
    ASSERT_EQ(s.Document().PageCount(), 1);
    EXPECT_EQ(s.Document().OpCount(), 1);
}

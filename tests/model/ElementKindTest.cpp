#include "model/ElementKind.h"
#include "model/clsPLControl.h"

#include <gtest/gtest.h>

TEST(ElementKind, DecidedByControlTypeAndShowType)
{
    struct Case {
        const char *controlType, *showType;
        ElementKind kind;
    };
    const Case cases[] = {
        {"Label", "LottNumber", ElementKind::NumberBlock},
        {"Label", "LocateMark", ElementKind::Mark},
        {"Label", "NormalLable", ElementKind::TextLabel},
        {"Line", "Line", ElementKind::Line},
        {"Line", "LottNumber", ElementKind::Line}, // a line stays a line, whatever it shows
        {"Label", "NormalLabel", ElementKind::Other}, // the file's spelling is the only one
        {"label", "LottNumber", ElementKind::Other},
        {"", "", ElementKind::Other},
        {"Image", "NormalLable", ElementKind::Other},
    };
    for (const Case &c : cases) {
        clsPLControl el;
        el.setControlType(QString::fromUtf8(c.controlType));
        el.setShowType(QString::fromUtf8(c.showType));
        EXPECT_EQ(ElementKindOf(el), c.kind) << c.controlType << "/" << c.showType;
        EXPECT_EQ(el.IsBlockOrMark(), IsBlockOrMarkKind(c.kind)) << c.controlType << "/" << c.showType;
    }
    EXPECT_TRUE(IsLabelKind(ElementKind::TextLabel));
    EXPECT_FALSE(IsLabelKind(ElementKind::Line));
    EXPECT_FALSE(IsLabelKind(ElementKind::Other));
}

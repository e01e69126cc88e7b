// Positions beyond what a coordinate holds: the element is left out with one message, and the
// JSON form holds numbers only.
#include "print/DocumentOutput.h"
#include "print/DocumentSurface.h"
#include "print/clsPLPrint.h"
#include "storage/clsPLStoreINI.h"

#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <gtest/gtest.h>

namespace {
// Every number of the JSON value, wherever it sits; false when something else stands where a
// number belongs (a null).
bool allNumbers(const QJsonValue &v)
{
    if (v.isNull())
        return false;
    if (v.isArray()) {
        for (const QJsonValue &e : v.toArray())
            if (!allNumbers(e))
                return false;
    }
    if (v.isObject()) {
        for (const QJsonValue &e : v.toObject())
            if (!allNumbers(e))
                return false;
    }
    return true;
}
} // namespace

TEST(OutOfRange, AnOffsetBeyondACoordinateLeavesTheElementOutWithOneMessage)
{
    struct Case {
        const char *what;
        double left, top;
        int messages;
    };
    const Case cases[] = {
        {"an ordinary offset", 1.5, -2.25, 0},
        {"LayoutLeft 1e300", 1e300, 0, 1},
        {"LayoutTop -1e300", 0, -1e300, 1},
        {"both beyond", 1e300, 1e300, 1},
    };
    qsizetype ordinaryOps = 0;
    for (const Case &c : cases) {
        colPLControls t;
        clsPLStoreINI().LoadFromINI(testDataPath("templates/four_kinds.tzd"), t);
        t.setLayoutLeft(c.left);
        t.setLayoutTop(c.top);
        ScriptedMsgBox box;
        DocumentSurface surface;
        clsPLPrint engine;
        engine.setIsPrintMark(true);
        engine.SetPrinterPageByLayout(surface, t);
        engine.PrintPLWithDatas(t, {QString(), "01 02 03 04 05 06+07", "08 09 10 11 12 13+14"},
                                surface, true, 1);
        const QStringList shown = box.texts();
        EXPECT_EQ(shown.count(QStringLiteral("填涂位置超出范围，未打印")), c.messages) << c.what;
        EXPECT_EQ(shown.size(), c.messages) << c.what;

        const QByteArray json = DocumentJson(surface.Document(), shown);
        EXPECT_FALSE(json.contains("null")) << c.what;
        const QJsonDocument parsed = QJsonDocument::fromJson(json);
        ASSERT_TRUE(parsed.isObject()) << c.what;
        EXPECT_TRUE(allNumbers(parsed.object())) << c.what;
        const QJsonArray ops = parsed.object()["pages"].toArray()[0].toObject()["ops"].toArray();
        if (c.messages == 0) {
            ordinaryOps = ops.size();
            EXPECT_GT(ordinaryOps, 0);
        } else {
            EXPECT_LT(ops.size(), ordinaryOps) << c.what << ": the marks far away are left out";
        }
    }
}

TEST(OutOfRange, AFontSizeBeyondAFloatKeepsTheSurfacesSize)
{
    ScriptedMsgBox box;
    DocumentSurface s;
    s.StartDoc();
    s.setFontSize(12);
    s.setFontSize(float(1e300));
    s.setFontSize(std::nanf(""));
    EXPECT_EQ(s.CurrentState().FontSize, 12);
    s.DrawLine(0, 0, std::numeric_limits<float>::infinity(), 5);
    s.TextBox("x", std::nanf(""), 0, 100, 100);
    s.DrawRectangle(0, 0, 100, 100);
    EXPECT_EQ(s.Document().OpCount(), 1);
    EXPECT_EQ(box.texts(), QStringList{QStringLiteral("填涂位置超出范围，未打印")}) << "once a document";
}

// Keys, limits, the design area, deleting and the copies the canvas hands out.
#include "CanvasTestSupport.h"

#include "TestSupport.h"
#include "canvas/CanvasKeyNames.h"
#include "common/clsRegIni.h"

#include <QFile>


namespace {

TEST_F(CanvasTest, GeneratedKeysFollowTheLargestNumberOfEitherKind)
{
    struct Case {
        QStringList existing;
        bool line;
        QString expected;
    };
    const Case cases[] = {
        {{}, false, "lbl1"},
        {{}, true, "Line1"},
        {{"lbl1", "lbl2", "lbl9"}, false, "lbl10"},
        {{"lbl12"}, true, "Line3"},
        {{"Line7"}, false, "lbl1"}, // after three characters "e7" is no number
        {{"Line7", "lbl3"}, true, "Line8"},
        {{"lbl 5x"}, false, "lbl6"},
    };
    for (const Case &c : cases) {
        CanvasKeyNames keys;
        for (const QString &k : c.existing)
            keys.Add(k);
        EXPECT_EQ(keys.Next(c.line), c.expected) << c.existing.join(',').toStdString();
    }
}

TEST_F(CanvasTest, AddingAssignsKeysAndKeepsGivenOnes)
{
    clsPLControl a = MakeLabel("", 1, 1, 5, 5);
    clsPLControl b = MakeLine("", 1, 1, 5, 0);
    clsPLControl c = MakeLabel("mine", 1, 1, 5, 5);
    canvas.AddOneControl(a);
    canvas.AddOneControl(b);
    canvas.AddOneControl(c);
    EXPECT_EQ(a.KeyName(), "lbl1");
    EXPECT_EQ(b.KeyName(), "Line1"); // lbl1 has nothing after four characters
    EXPECT_EQ(c.KeyName(), "mine");
    clsPLControl again = MakeLabel("MINE", 1, 1, 5, 5);
    EXPECT_EQ(canvas.AddOneControl(again), nullptr);
    EXPECT_EQ(canvas.AllItems().Count(), 3);
}

TEST_F(CanvasTest, AKeyFreedByDeletingCanComeBack)
{
    add(MakeLabel("lbl4", 1, 1, 5, 5));
    canvas.DeleteOneControl("lbl4");
    clsPLControl e = MakeLabel("", 1, 1, 5, 5);
    canvas.AddOneControl(e);
    EXPECT_EQ(e.KeyName(), "lbl1");
}

TEST_F(CanvasTest, UpdateKeepsLabelsUsableOnTheArea)
{
    struct Case {
        double left, width;
        double expectLeft, expectWidth;
    };
    const double areaEdge = 300 - 300 / 85.05; // the ruler counts in front of the area
    const Case cases[] = {
        {5, 0.2, 5, 0.5},          // too narrow
        {-12, 10, -8, 10},         // 2 mm stay on the area
        {-9, 10, -9, 10},          // 1 mm stays: that is enough
        {-3, 1.5, 0, 1.5},         // narrower than 2 mm: all of it comes back
        {400, 10, areaEdge - 2, 10}, // beyond the right edge
        {10, 900, 10, 300},        // wider than the area
    };
    add(MakeLabel("a", 10, 10, 10, 5));
    for (const Case &c : cases) {
        clsPLControl e = element("a");
        e.setLeft(c.left);
        e.setWidth(c.width);
        canvas.UpdateOneControl(e);
        EXPECT_NEAR(element("a").Left(), c.expectLeft, 1e-9) << c.left << " " << c.width;
        EXPECT_NEAR(element("a").Width(), c.expectWidth, 1e-9) << c.left << " " << c.width;
    }
}

TEST_F(CanvasTest, UpdateKeepsLinesUsable)
{
    add(MakeLine("l", 10, 10, 20, 0));
    clsPLControl e = element("l");
    e.setLeft(-4);
    e.setTop(-1);
    e.setWidth(0.1);
    e.setHeight(-0.2);
    canvas.UpdateOneControl(e);
    EXPECT_EQ(element("l").Left(), 0);
    EXPECT_EQ(element("l").Top(), 0);
    EXPECT_EQ(element("l").Width(), 0.5);
    EXPECT_EQ(element("l").Height(), -0.2);
    // A line drawn leftwards keeps its direction.
    e.setLeft(50);
    e.setWidth(-20);
    canvas.UpdateOneControl(e);
    EXPECT_EQ(element("l").Width(), -20);
    EXPECT_NEAR(state("l").x2, tw(30), 1e-9);
}

TEST_F(CanvasTest, UpdateOfAnUnknownKeyChangesNothing)
{
    add(MakeLabel("a", 10, 10, 10, 5));
    int changed = 0;
    QObject::connect(&canvas, &KdPLDesinger::CtrlChanged, [&] { ++changed; });
    canvas.UpdateOneControl(MakeLabel("b", 1, 1, 1, 1));
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(canvas.AllItems().Count(), 1);
}

TEST_F(CanvasTest, CopiesHandedOutUpdateTheCanvasOnlyThroughUpdateOneControl)
{
    add(MakeLabel("a", 10, 10, 10, 5));
    colPLControls all;
    canvas.GetAllControls(all);
    all.Item(1).setLeft(33);
    EXPECT_EQ(element("a").Left(), 10);
    int changed = 0;
    QObject::connect(&canvas, &KdPLDesinger::CtrlChanged, [&] { ++changed; });
    canvas.UpdateOneControl(all.Item(1));
    EXPECT_EQ(element("a").Left(), 33);
    EXPECT_NEAR(state("a").left, tw(33), 1e-9);
    EXPECT_EQ(changed, 1);
}

TEST_F(CanvasTest, TempIndexNamesTheControlAndMapsBack)
{
    add(MakeLabel("a", 1, 1, 5, 5));
    add(MakeLine("b", 1, 1, 5, 0));
    add(MakeLabel("c", 1, 1, 5, 5));
    EXPECT_EQ(element("a").TempIndex(), 1);
    EXPECT_EQ(element("b").TempIndex(), 1);
    EXPECT_EQ(element("c").TempIndex(), 2);
    canvas.DeleteOneControl("a");
    add(MakeLabel("d", 1, 1, 5, 5));
    EXPECT_EQ(element("d").TempIndex(), 1); // the lowest free control is used again
    EXPECT_EQ(canvas.GetOneControlByCtl({false, 1})->KeyName(), "d");
    EXPECT_EQ(canvas.GetOneControlByCtl({true, 1})->KeyName(), "b");
    EXPECT_EQ(canvas.GetOneControlByCtl({true, 2}), nullptr);
    const auto ref = canvas.GetOneCtlByControl(element("c"));
    ASSERT_TRUE(ref);
    EXPECT_FALSE(ref->line);
    EXPECT_EQ(ref->index, 2);
}

TEST_F(CanvasTest, DeletingTheCurrentElementAnnouncesNoneFirst)
{
    add(MakeLabel("a", 10, 10, 10, 5));
    click(at(12, 12));
    ASSERT_EQ(canvas.GetCurrentControl()->KeyName(), "a");
    bool stillThere = false;
    int nones = 0;
    QObject::connect(&canvas, &KdPLDesinger::CtrlClick, [&](const clsPLControl *e) {
        if (!e) {
            ++nones;
            stillThere = canvas.GetOneControlByKeyName("a") != nullptr;
        }
    });
    canvas.DeleteOneControl("a");
    EXPECT_EQ(nones, 1);
    EXPECT_TRUE(stillThere);
    EXPECT_EQ(canvas.GetCurrentControl(), nullptr);
    EXPECT_EQ(canvas.AllItems().Count(), 0);
}

TEST_F(CanvasTest, DeleteKeyRemovesTheMultiSelectionAndTheCurrentElement)
{
    add(MakeLabel("a", 10, 10, 5, 5));
    add(MakeLabel("b", 20, 10, 5, 5));
    add(MakeLabel("c", 30, 10, 5, 5));
    click(at(11, 11), KdPLDesinger::CtrlKey);
    click(at(21, 11), KdPLDesinger::CtrlKey);
    canvas.KeyDown(Qt::Key_Delete, 0);
    EXPECT_EQ(canvas.AllItems().Count(), 1);
    EXPECT_NE(canvas.GetOneControlByKeyName("c"), nullptr);
    EXPECT_TRUE(canvas.MultiSelectionKeys().isEmpty());
    EXPECT_EQ(canvas.GetCurrentControl(), nullptr);
}

TEST(CanvasArea, StoredDesignAreaIsReadWithinItsLimits)
{
    clsRegIni::SetStoreFile(makeTempDir() + QStringLiteral("/registry.ini"));
    struct Case {
        QString stored;
        double expected;
    };
    for (const Case &c : {Case{"20", 50}, Case{"800", 500}, Case{"120", 120}, Case{"x", 300}}) {
        clsRegIni reg;
        reg.Init(clsRegIni::HKEY_CURRENT_USER, QStringLiteral("Software\\VornPrn\\KdPLDesinger"));
        reg.SaveReg(QStringLiteral("VirtualWidth"), c.stored);
        KdPLDesinger canvas;
        EXPECT_EQ(canvas.VirtualWidth(), c.expected) << c.stored.toStdString();
        EXPECT_EQ(canvas.VirtualHeight(), 300);
    }
    KdPLDesinger canvas;
    canvas.setVirtualHeight(222);
    EXPECT_EQ(KdPLDesinger().VirtualHeight(), 222);
}

TEST_F(CanvasTest, BadTemplatesOpenAndStayUsableWithoutAMessage)
{
    ScriptedMsgBox boxes;
    colPLControls bad;
    bad.Add(MakeLabel("far", 5000, -4000, 10, 5));
    bad.Add(MakeLabel("flat", 10, 10, 0, 0));
    bad.Add(MakeLabel("inside-out", 20, 20, -5, -3));
    bad.Add(MakeLine("dot", 30, 30, 0, 0));
    canvas.AddControls(bad);
    canvas.SetBackPicture(QStringLiteral("/no/such/slip.jpg"), 0, 0, 100, 100);
    EXPECT_TRUE(canvas.BackPicture().isNull());
    const QString notAPicture = makeTempDir() + QStringLiteral("/slip.jpg");
    QFile f(notAPicture);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is text");
    f.close();
    canvas.SetBackPicture(notAPicture, 0, 0, 100, 100);
    EXPECT_TRUE(canvas.BackPicture().isNull());
    EXPECT_EQ(canvas.AllItems().Count(), 4);
    // Still usable: a band, a click, keys, an update that brings the far element back.
    drag(at(1, 1), at(60, 60));
    canvas.KeyDown(Qt::Key_Right, 0);
    clsPLControl far = element("far");
    canvas.UpdateOneControl(far);
    EXPECT_GE(element("far").Top(), -8);
    EXPECT_LT(element("far").Left(), 300);
    canvas.KeyDown(Qt::Key_A, KdPLDesinger::CtrlKey);
    canvas.KeyDown(Qt::Key_Delete, 0);
    EXPECT_EQ(canvas.AllItems().Count(), 1); // the line stays
    EXPECT_TRUE(boxes.shown().empty());
}

} // namespace

// The designer's view tools: zooming with Ctrl and the wheel around the pointer, zooming the slip
// to fit, the measuring tool, the millimetre grid and snapping to it, the background picture's
// lock, the designer's keys in the check window, and the element cap for pasting.
#include "DesignerFixture.h"
#include "canvas/MeasurementText.h"
#include "canvas/TemplateUndoStack.h"
#include "common/ElementLimit.h"
#include "gui/DesignCanvasView.h"
#include "gui/DesignerActions.h"
#include "gui/TemplateCheckWindow.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>
#include <QWheelEvent>
#include <cmath>

namespace {
bool onGrid(double v, double step)
{
    return std::abs(v / step - std::round(v / step)) < 1e-9;
}

// The numbers of a measurement as the status line shows them: distance, across, down.
std::vector<double> shownNumbers(const QString &text)
{
    std::vector<double> out;
    static const QRegularExpression number(QStringLiteral("-?\\d+\\.\\d+"));
    for (auto it = number.globalMatch(text); it.hasNext();)
        out.push_back(it.next().captured().toDouble());
    return out;
}
} // namespace

class DesignerViewToolsTest : public DesignerTest {
protected:
    DesignCanvasView &view() { return w->View(); }
    void trigger(const char *name) { w->Actions().Action(QString::fromLatin1(name))->trigger(); }
    QString measureText() { return w->findChild<QLabel *>("lblMeasure")->text(); }
    int steps() { return w->Undo().Stack().count(); }
    void wheel(QPointF pixel, int angle, Qt::KeyboardModifiers modifiers)
    {
        QWheelEvent e(pixel, view().viewport()->mapToGlobal(pixel), QPoint(), QPoint(0, angle), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view().viewport(), &e);
    }
    // Where a surface point (mm) is drawn in the viewport, pixels.
    QPointF pixelOf(QPointF mm) { return view().Viewport().ToPixels(QRectF(mm * GetDesignScale(), QSizeF())).topLeft(); }
    QPointF mmAt(QPointF pixel) { return view().Viewport().ToTwips(pixel) / GetDesignScale(); }
};

TEST_F(DesignerViewToolsTest, CtrlWheelZoomsAroundThePointerToThePixel)
{
    w->Load(m_layout, false);
    w->show();
    QTest::qWait(10);
    struct Case {
        QPointF pixel;
        int angle;
        double factor;
    };
    const Case cases[] = {{{311, 207}, 120, 1.25},  {{97.5, 402}, 240, 1.5625}, {{640, 91}, -120, 0.8},
                          {{200, 300}, -360, 0.512}, {{455, 123}, 60, std::sqrt(1.25)}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.angle);
        SetDesignScale(120);
        w->Canvas().RedrawAllContols();
        view().horizontalScrollBar()->setValue(900);
        view().verticalScrollBar()->setValue(700);
        const QPointF under = mmAt(c.pixel);
        wheel(c.pixel, c.angle, Qt::ControlModifier);
        EXPECT_NEAR(GetDesignScale(), 120 * c.factor, 1e-9);
        const QPointF now = pixelOf(under);
        EXPECT_NEAR(now.x(), c.pixel.x(), 0.5);
        EXPECT_NEAR(now.y(), c.pixel.y(), 0.5);
    }
    // Without Ctrl the wheel scrolls and leaves the scale.
    const int before = view().verticalScrollBar()->value();
    const double scale = GetDesignScale();
    wheel({300, 300}, -120, Qt::NoModifier);
    EXPECT_EQ(GetDesignScale(), scale);
    EXPECT_GT(view().verticalScrollBar()->value(), before);
    w->hide();
}

TEST_F(DesignerViewToolsTest, ZoomToFitShowsTheWholeSlipFillingOneSideOfTheView)
{
    struct Case {
        const char *name;
        double paperW, paperH, layoutLeft;
    };
    // Paper in twips (56.7 a millimetre); a wide slip fills across, a tall one down.
    for (const Case c : {Case{"wide", 200, 80, 0}, Case{"tall", 90, 260, 0}, Case{"moved origin", 150, 100, 12}}) {
        SCOPED_TRACE(c.name);
        m_layout.setPaperWidth(float(c.paperW * 56.7));
        m_layout.setPaperHeight(float(c.paperH * 56.7));
        m_layout.setLayoutLeft(c.layoutLeft);
        w->Load(m_layout, false);
        w->show();
        QTest::qWait(10);
        trigger("cmdZoomFit");
        const QRectF slip = w->SlipArea();
        EXPECT_NEAR(slip.width(), c.paperW, 1e-3);
        EXPECT_NEAR(slip.left(), -c.layoutLeft, 1e-9);
        // Paper left of the origin is not on the surface: the rest of it is fitted.
        const QPointF topLeft = pixelOf(QPointF(std::max(slip.left(), 0.0), std::max(slip.top(), 0.0)));
        const QPointF bottomRight = pixelOf(slip.bottomRight());
        const QRect port = view().viewport()->rect();
        // Beside the rulers (300 twips, 20 pixels).
        EXPECT_NEAR(topLeft.x(), 20, 0.5);
        EXPECT_NEAR(topLeft.y(), 20, 0.5);
        EXPECT_LE(bottomRight.x(), port.width() - 7);
        EXPECT_LE(bottomRight.y(), port.height() - 7);
        const double slackX = port.width() - 8 - bottomRight.x(), slackY = port.height() - 8 - bottomRight.y();
        EXPECT_LT(std::min(slackX, slackY), 1.5) << slackX << " " << slackY;
        w->hide();
    }
}

TEST_F(DesignerViewToolsTest, MeasuringShowsDistanceAndLeavesNothingBehind)
{
    w->Canvas().setVirtualWidth(300);
    w->Canvas().setVirtualHeight(120);
    w->Load(m_layout, false);
    colPLControls before;
    w->Canvas().GetAllControls(before);
    trigger("cmdMeasure");
    ASSERT_TRUE(w->Canvas().IsMeasuring());
    EXPECT_TRUE(w->Actions().Action("cmdMeasure")->isChecked());
    struct Case {
        QPointF from, to;
    };
    // The first starts on the label L1 (20..30, 20..25): measuring neither selects nor moves it.
    for (const Case c : {Case{{25.3, 22.1}, {71.9, 9.45}}, Case{{12.5, 30.25}, {12.5, 98.8}},
                         Case{{280.4, 110.2}, {3.07, 1.93}}}) {
        w->Canvas().MouseDownAt(KdPLDesinger::LeftButton, 0, at(c.from.x(), c.from.y()));
        m_now += 100;
        w->Canvas().MouseMoveAt(KdPLDesinger::LeftButton, 0, at(c.to.x(), c.to.y()));
        w->Canvas().MouseUpAt(KdPLDesinger::LeftButton, 0, at(c.to.x(), c.to.y()));
        const std::vector<double> shown = shownNumbers(measureText());
        ASSERT_EQ(shown.size(), 3u) << measureText().toStdString();
        const QPointF d = c.to - c.from;
        EXPECT_NEAR(shown[0], std::hypot(d.x(), d.y()), 0.005 + 1e-9);
        EXPECT_NEAR(shown[1], d.x(), 0.005 + 1e-9);
        EXPECT_NEAR(shown[2], d.y(), 0.005 + 1e-9);
    }
    colPLControls after;
    w->Canvas().GetAllControls(after);
    ASSERT_EQ(after.Count(), before.Count());
    for (int i = 1; i <= before.Count(); ++i)
        EXPECT_TRUE(after.Item(i) == before.Item(i)) << i;
    EXPECT_EQ(w->Canvas().GetCurrentControl(), nullptr);
    EXPECT_EQ(steps(), 0);
    EXPECT_FALSE(w->IsModified());
    // Escape ends the mode, and the switch goes off with it.
    w->Canvas().KeyDown(Qt::Key_Escape, 0);
    EXPECT_FALSE(w->Canvas().IsMeasuring());
    EXPECT_FALSE(w->Actions().Action("cmdMeasure")->isChecked());
    EXPECT_TRUE(measureText().isEmpty());
}

TEST_F(DesignerViewToolsTest, MeasuringThroughTheViewCountsPixelsAtTheScale)
{
    w->Canvas().setVirtualWidth(300);
    w->Canvas().setVirtualHeight(120);
    w->Load(m_layout, false);
    w->show();
    QTest::qWait(10);
    SetDesignScale(100);
    w->Canvas().RedrawAllContols();
    trigger("cmdMeasure");
    QWidget *port = view().viewport();
    const QPoint a(150, 90), b(437, 233);
    QTest::mousePress(port, Qt::LeftButton, Qt::NoModifier, a);
    QMouseEvent move(QEvent::MouseMove, QPointF(b), port->mapToGlobal(QPointF(b)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(port, &move);
    QTest::mouseRelease(port, Qt::LeftButton, Qt::NoModifier, b);
    // 15 twips a pixel at 96 dpi, 100 twips a millimetre.
    const std::vector<double> shown = shownNumbers(measureText());
    ASSERT_EQ(shown.size(), 3u) << measureText().toStdString();
    EXPECT_NEAR(shown[1], (b.x() - a.x()) * 0.15, 0.005 + 1e-9);
    EXPECT_NEAR(shown[2], (b.y() - a.y()) * 0.15, 0.005 + 1e-9);
    EXPECT_NEAR(shown[0], std::hypot(b.x() - a.x(), b.y() - a.y()) * 0.15, 0.005 + 1e-9);
    EXPECT_EQ(steps(), 0);
    w->hide();
}

TEST_F(DesignerViewToolsTest, MovingResizingAndAddingSnapToTheGridExactly)
{
    for (const double step : {1.0, 0.5, 0.1}) {
        SCOPED_TRACE(step);
        w->Load(m_layout, false);
        MillimetreGrid grid;
        grid.step = step;
        grid.snap = true;
        w->Canvas().SetGrid(grid);
        // Move: L1's corner (20, 20) dragged by (7.37, 3.81).
        drag(at(25, 22), at(32.37, 25.81));
        EXPECT_TRUE(onGrid(element("L1").Left(), step)) << element("L1").Left();
        EXPECT_TRUE(onGrid(element("L1").Top(), step)) << element("L1").Top();
        EXPECT_NEAR(element("L1").Left(), 27.37, step / 2 + 1e-9);
        EXPECT_NEAR(element("L1").Top(), 23.81, step / 2 + 1e-9);
        // Resize: the bottom-right handle dragged towards (45.63, 31.17); the far edges snap.
        const auto handles = w->Canvas().Handles();
        ASSERT_TRUE(handles.has_value());
        const QPointF grip = (*handles)[4].center();
        drag(grip, grip + at(45.63, 31.17) - at(element("L1").Left() + element("L1").Width(),
                                                 element("L1").Top() + element("L1").Height()));
        const clsPLControl &l = element("L1");
        EXPECT_TRUE(onGrid(l.Left() + l.Width(), step)) << l.Left() + l.Width();
        EXPECT_TRUE(onGrid(l.Top() + l.Height(), step)) << l.Top() + l.Height();
        EXPECT_NEAR(l.Left() + l.Width(), 45.63, step / 2 + 0.2);
        // Add: a line drawn from (100.37, 50.21) to (120.77, 44.12) starts and ends on the grid.
        w->cmdAddLine_Click();
        drag(at(100.37, 50.21), at(120.77, 44.12));
        const clsPLControl *line = w->Canvas().GetCurrentControl();
        ASSERT_NE(line, nullptr);
        for (const double v : {line->Left(), line->Top(), line->Left() + line->Width(), line->Top() + line->Height()})
            EXPECT_TRUE(onGrid(v, step)) << v;
        EXPECT_NEAR(line->Left(), 100.37, step / 2 + 1e-9);
        EXPECT_NEAR(line->Top() + line->Height(), 44.12, step / 2 + 0.2);
    }
    // Snapping off: the same move lands off the 0.1 mm grid.
    w->Load(m_layout, false);
    MillimetreGrid off;
    off.step = 0.1;
    w->Canvas().SetGrid(off);
    drag(at(25, 22), at(32.37, 25.81));
    EXPECT_FALSE(onGrid(element("L1").Left(), 0.1)) << element("L1").Left();
}

TEST_F(DesignerViewToolsTest, TheGridCommandsSwitchAndChooseTheStepAndAreKept)
{
    w->Load(m_layout, false);
    EXPECT_FALSE(w->Canvas().Grid().shown);
    trigger("cmdGridStep05");
    EXPECT_EQ(w->Canvas().Grid().step, 0.5);
    EXPECT_TRUE(w->Canvas().Grid().shown);
    EXPECT_TRUE(w->Actions().Action("cmdGridStep05")->isChecked());
    EXPECT_FALSE(w->Actions().Action("cmdGridStep10")->isChecked());
    trigger("cmdSnapToGrid");
    EXPECT_TRUE(w->Canvas().Grid().snap);
    trigger("cmdShowGrid");
    EXPECT_FALSE(w->Canvas().Grid().shown);
    // The next designer opens with the same grid.
    frmPLDesigner next;
    EXPECT_EQ(next.Canvas().Grid().step, 0.5);
    EXPECT_TRUE(next.Canvas().Grid().snap);
    EXPECT_FALSE(next.Canvas().Grid().shown);
    EXPECT_TRUE(next.Actions().Action("cmdSnapToGrid")->isChecked());
}

TEST_F(DesignerViewToolsTest, ALockedPictureCannotBeDraggedAnUnlockedOneMovesInOneStep)
{
    const QString picture = makeTempDir() + "/slip.png";
    QImage image(160, 60, QImage::Format_RGB32);
    image.fill(Qt::yellow);
    ASSERT_TRUE(image.save(picture));
    m_layout.setBackPicPathFile(picture);
    m_layout.setBackPicLeft(5);
    m_layout.setBackPicTop(8);
    m_layout.setBackPicWidth(160);
    m_layout.setBackPicHeight(60);
    w->Load(m_layout, false);
    ASSERT_FALSE(w->Canvas().BackPicture().isNull());
    EXPECT_TRUE(w->Canvas().IsBackPictureLocked());
    // A press on the picture where no element is: locked, it stays.
    drag(at(100, 50), at(113.3, 57.1));
    EXPECT_EQ(w->Canvas().BackPictureRect().topLeft(), QPointF(5, 8));
    EXPECT_EQ(w->Layout().BackPicLeft(), 5);
    EXPECT_EQ(steps(), 0);

    trigger("cmdLockBackPicture");
    EXPECT_FALSE(w->Canvas().IsBackPictureLocked());
    MillimetreGrid grid;
    grid.step = 0.5;
    grid.snap = true;
    w->Canvas().SetGrid(grid);
    drag(at(100, 50), at(113.3, 57.1));
    EXPECT_NEAR(w->Layout().BackPicLeft(), 18.5, 1e-9);
    EXPECT_NEAR(w->Layout().BackPicTop(), 15, 1e-9);
    EXPECT_EQ(w->Canvas().BackPictureRect().topLeft(), QPointF(w->Layout().BackPicLeft(), w->Layout().BackPicTop()));
    EXPECT_EQ(steps(), 1);
    EXPECT_TRUE(w->IsModified());
    // The elements stayed where they were.
    EXPECT_EQ(element("L1").Left(), 20);
    w->Undo().Stack().undo();
    EXPECT_EQ(w->Layout().BackPicLeft(), 5);
    EXPECT_EQ(w->Canvas().BackPictureRect().topLeft(), QPointF(5, 8));
    EXPECT_FALSE(w->IsModified());
}

TEST_F(DesignerViewToolsTest, CtrlSReachesTheDesignerWhileTheCheckWindowHasTheFocus)
{
    w->Load(m_layout, true);
    w->show();
    trigger("cmdCheckTemplate");
    TemplateCheckWindow &check = w->CheckWindow();
    check.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&check));
    QTest::keyClick(check.Findings(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(m_saveDialogs, 1); // a new template asks where to save
    check.hide();
    w->hide();
}

TEST_F(DesignerViewToolsTest, PastingOrDuplicatingPastTheElementCapIsRefusedWhole)
{
    colPLControls full;
    full.setGroupLottNumberCountStr("1");
    for (int i = 0; i < kMaxTemplateElements - 1; ++i)
        full.Add(blockAt(QString("K%1").arg(i), "1", 5 + (i % 100) * 2, 5 + (i / 100) * 0.5));
    w->Load(full, false);
    const int count = w->Canvas().AllItems().Count();
    ASSERT_EQ(count, kMaxTemplateElements - 1);
    w->Canvas().SelectKeys({"K1", "K2"});
    struct Case {
        const char *name;
        std::function<void()> run;
    };
    for (const Case &c : {Case{"Ctrl+D", [&] { w->DuplicateSelection(); }},
                          Case{"Ctrl+C Ctrl+V", [&] { w->CopySelection(); w->PasteClipboard(); }}}) {
        SCOPED_TRACE(c.name);
        ScriptedMsgBox box;
        c.run();
        EXPECT_EQ(box.texts(), QStringList{TooManyElementsMessage()});
        EXPECT_EQ(w->Canvas().AllItems().Count(), count);
        EXPECT_EQ(steps(), 0);
    }
    // One more still fits.
    ScriptedMsgBox box;
    w->Canvas().SelectKeys({"K7"});
    w->DuplicateSelection();
    EXPECT_TRUE(box.texts().isEmpty());
    EXPECT_EQ(w->Canvas().AllItems().Count(), kMaxTemplateElements);
}

// Every event of a gesture, counted: each is raised exactly as often as the gesture calls for,
// never missed and never twice.
#include "CanvasTestSupport.h"

#include <functional>

namespace {

struct Counts {
    int ctrlClick = 0, mouseMove = 0, mouseUp = 0, ctrlChanged = 0, endAdd = 0, cancelAdd = 0,
        steps = 0;
    bool operator==(const Counts &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Counts &c)
{
    return out << "CtrlClick " << c.ctrlClick << ", MouseMove " << c.mouseMove << ", MouseUp "
               << c.mouseUp << ", CtrlChanged " << c.ctrlChanged << ", EndAdd " << c.endAdd
               << ", CancelAdd " << c.cancelAdd << ", steps " << c.steps;
}

class CanvasEventsTest : public CanvasTest {
public:
    // The table's gestures reach these through the fixture.
    using CanvasTest::canvas;
    using CanvasTest::click;
    using CanvasTest::drag;
    using CanvasTest::element;

protected:
    CanvasEventsTest()
    {
        canvas.setVirtualHeight(120);
        add(MakeLabel("a", 20, 20, 10, 5));
        add(MakeLabel("b", 60, 20, 10, 5));
        add(MakeLine("n", 20, 60, 20, 0));
    }

    // Counts the events of what `gesture` does.
    Counts count(const std::function<void()> &gesture)
    {
        Counts c;
        QList<QMetaObject::Connection> links = {
            QObject::connect(&canvas, &KdPLDesinger::CtrlClick, [&] { ++c.ctrlClick; }),
            QObject::connect(&canvas, &KdPLDesinger::MouseMove, [&] { ++c.mouseMove; }),
            QObject::connect(&canvas, &KdPLDesinger::MouseUp, [&] { ++c.mouseUp; }),
            QObject::connect(&canvas, &KdPLDesinger::CtrlChanged, [&] { ++c.ctrlChanged; }),
            QObject::connect(&canvas, &KdPLDesinger::EndAddControlByMouse, [&] { ++c.endAdd; }),
            QObject::connect(&canvas, &KdPLDesinger::CancelAddControlByMouse, [&] { ++c.cancelAdd; }),
            QObject::connect(&canvas, &KdPLDesinger::StepFinished, [&] { ++c.steps; }),
        };
        gesture();
        for (const auto &link : links)
            QObject::disconnect(link);
        return c;
    }

public:
    void press(QPointF p, int button = KdPLDesinger::LeftButton, int shift = 0)
    {
        canvas.MouseDownAt(button, shift, p);
        canvas.MouseUpAt(button, shift, p);
    }
};

TEST_F(CanvasEventsTest, EachGestureRaisesItsEventsOnce)
{
    struct Case {
        const char *gesture;
        std::function<void(CanvasEventsTest &)> before; // not counted
        std::function<void(CanvasEventsTest &)> run;
        Counts expected;
    };
    auto selectA = [](CanvasEventsTest &t) { t.click(at(21, 21)); };
    const Case cases[] = {
        {"click on a label", {}, [](CanvasEventsTest &t) { t.click(at(21, 21)); },
         {1, 0, 1, 1, 0, 0, 0}},
        {"ctrl-click on a label", {}, [](CanvasEventsTest &t) { t.click(at(21, 21), KdPLDesinger::CtrlKey); },
         {1, 0, 1, 1, 0, 0, 0}},
        {"drag a label, one step", {}, [](CanvasEventsTest &t) { t.drag(at(21, 21), at(40, 40)); },
         {1, 1, 1, 1, 0, 0, 1}},
        {"drag a label, three steps", {}, [](CanvasEventsTest &t) { t.drag(at(21, 21), at(40, 40), 0, 3); },
         {1, 3, 1, 1, 0, 0, 1}},
        {"drag a handle", selectA,
         [](CanvasEventsTest &t) {
             const QPointF h = (*t.canvas.Handles())[4].center();
             t.drag(h, h + QPointF(400, 300));
         },
         {0, 1, 1, 1, 0, 0, 1}},
        {"click on a line", {}, [](CanvasEventsTest &t) { t.click(at(30, 60)); }, {1, 0, 1, 1, 0, 0, 0}},
        {"drag a line's grip", [](CanvasEventsTest &t) { t.click(at(30, 60)); },
         [](CanvasEventsTest &t) {
             const QPointF g = (*t.canvas.Grips())[1].center();
             t.drag(g, g + QPointF(400, 300));
         },
         {0, 1, 1, 1, 0, 0, 1}},
        {"click on the empty area", {}, [](CanvasEventsTest &t) { t.click(at(150, 100)); },
         {0, 0, 1, 0, 0, 0, 0}},
        {"band over two labels", {}, [](CanvasEventsTest &t) { t.drag(at(15, 15), at(80, 30)); },
         {1, 1, 1, 0, 0, 0, 0}},
        {"right button on a label", {},
         [](CanvasEventsTest &t) { t.press(at(21, 21), KdPLDesinger::RightButton); },
         {0, 0, 1, 0, 0, 0, 0}},
        {"arrow key", selectA, [](CanvasEventsTest &t) { t.canvas.KeyDown(Qt::Key_Right, 0); },
         {0, 0, 0, 1, 0, 0, 1}},
        {"shift+arrow key", selectA,
         [](CanvasEventsTest &t) { t.canvas.KeyDown(Qt::Key_Down, KdPLDesinger::ShiftKey); },
         {0, 0, 0, 1, 0, 0, 1}},
        {"Delete", selectA, [](CanvasEventsTest &t) { t.canvas.KeyDown(Qt::Key_Delete, 0); },
         {1, 0, 0, 0, 0, 0, 1}},
        {"Ctrl+A", {}, [](CanvasEventsTest &t) { t.canvas.KeyDown(Qt::Key_A, KdPLDesinger::CtrlKey); },
         {1, 0, 0, 0, 0, 0, 0}},
        {"add by mouse", [](CanvasEventsTest &t) { t.canvas.BeginAddControlByMouse(MakeLabel("", 0, 0, 0, 0)); },
         [](CanvasEventsTest &t) { t.drag(at(150, 80), at(170, 90)); },
         {1, 1, 1, 1, 1, 0, 1}},
        {"add mode left by the right button",
         [](CanvasEventsTest &t) { t.canvas.BeginAddControlByMouse(MakeLabel("", 0, 0, 0, 0)); },
         [](CanvasEventsTest &t) { t.press(at(150, 80), KdPLDesinger::RightButton); },
         {0, 0, 1, 0, 0, 1, 0}},
        {"update from outside", {},
         [](CanvasEventsTest &t) {
             clsPLControl e = t.element("b");
             e.setLeft(61);
             t.canvas.UpdateOneControl(e);
         },
         {0, 0, 0, 1, 0, 0, 0}},
        {"select by the host", {},
         [](CanvasEventsTest &t) { t.canvas.SetCurrentControl(t.element("b"), 0); },
         {1, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case &c : cases) {
        canvas.ClearAllControls();
        add(MakeLabel("a", 20, 20, 10, 5));
        add(MakeLabel("b", 60, 20, 10, 5));
        add(MakeLine("n", 20, 60, 20, 0));
        m_now += 1000;
        if (c.before)
            c.before(*this);
        const Counts got = count([&] { c.run(*this); });
        EXPECT_EQ(got, c.expected) << c.gesture;
    }
}

} // namespace

#include "CanvasTestSupport.h"

#include "ElementBuilders.h"
#include "TestSupport.h"
#include "common/DesignScale.h"
#include "common/clsRegIni.h"

clsPLControl MakeLabel(const QString &key, double left, double top, double width, double height)
{
    return elements::Shown(elements::Label(key, key, left, top, width, height));
}

clsPLControl MakeBlock(const QString &key, double left, double top, double width, double height)
{
    clsPLControl e =
        elements::Shown(elements::Block(key, QStringLiteral("1"), key, left, top, width, height));
    e.ApplyBlockStyle();
    return e;
}

clsPLControl MakeLine(const QString &key, double left, double top, double dx, double dy)
{
    return elements::Shown(elements::Line(key, left, top, dx, dy, 1, 1, 0));
}

namespace {
// The canvas reads its stored design area when it is made, so the store moves first.
int useTemporaryStore()
{
    clsRegIni::SetStoreFile(makeTempDir() + QStringLiteral("/registry.ini"));
    SetDesignScale(0);
    return 0;
}
} // namespace

CanvasTest::CanvasTest()
    : canvas((useTemporaryStore(), nullptr), [this] { return m_now; })
{
}

CanvasTest::~CanvasTest() { SetDesignScale(0); }

double CanvasTest::tw(double mm) { return mm * 85.05; }

void CanvasTest::add(const clsPLControl &e)
{
    clsPLControl copy = e;
    ASSERT_NE(canvas.AddOneControl(copy), nullptr);
}

const clsPLControl &CanvasTest::element(const QString &key) const
{
    const clsPLControl *e = canvas.GetOneControlByKeyName(key);
    EXPECT_NE(e, nullptr) << key.toStdString();
    static const clsPLControl none;
    return e ? *e : none;
}

const ControlState &CanvasTest::state(const QString &key) const
{
    const KdPLDesinger::Item *item = canvas.FindItem(key);
    EXPECT_NE(item, nullptr) << key.toStdString();
    static const ControlState none;
    return item ? item->state : none;
}

void CanvasTest::drag(QPointF from, QPointF to, int shift, int steps)
{
    canvas.MouseDownAt(KdPLDesinger::LeftButton, shift, from);
    for (int i = 1; i <= steps; ++i) {
        m_now += CanvasGeometry::MovePauseMs + 1;
        canvas.MouseMoveAt(KdPLDesinger::LeftButton, shift, from + (to - from) * i / steps);
    }
    canvas.MouseUpAt(KdPLDesinger::LeftButton, shift, to);
}

void CanvasTest::click(QPointF p, int shift)
{
    canvas.MouseDownAt(KdPLDesinger::LeftButton, shift, p);
    canvas.MouseUpAt(KdPLDesinger::LeftButton, shift, p);
}

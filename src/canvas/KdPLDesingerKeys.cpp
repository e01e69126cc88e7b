// The keyboard of the design canvas (arrow nudges, Shift+arrow resizing, Delete, Ctrl+A) and
// the alignment and same-size modes.
#include "canvas/KdPLDesinger.h"

#include "common/VbFormat.h"
#include "model/ElementKind.h"

namespace {
// Rounded to a whole number of steps.
double onStep(double v, double step) { return RoundHalfEven(v / step) * step; }

struct Arrow {
    int dx, dy;
};

std::optional<Arrow> arrowOf(int key)
{
    switch (key) {
    case Qt::Key_Right: return Arrow{1, 0};
    case Qt::Key_Left: return Arrow{-1, 0};
    case Qt::Key_Down: return Arrow{0, 1};
    case Qt::Key_Up: return Arrow{0, -1};
    default: return std::nullopt;
    }
}
} // namespace

void KdPLDesinger::KeyDown(int key, int shift)
{
    if (arrowOf(key)) {
        arrowKey(key, shift);
        return;
    }
    newBurst();
    if (key == Qt::Key_Delete)
        DeleteSelectedControls();
    else if (key == Qt::Key_A && (shift & CtrlKey))
        selectLabels(std::nullopt);
}

void KdPLDesinger::arrowKey(int key, int shift)
{
    Item *cur = currentItem();
    if (!cur)
        return;
    const Arrow arrow = *arrowOf(key);
    const double stepX = m_twipsPerPixelX / scale();
    const double stepY = m_twipsPerPixelY / scale();
    // One pixel along the arrow, on the grid of whole pixels.
    auto nudge = [&](clsPLControl &e) {
        e.setLeft(onStep(e.Left() + arrow.dx * stepX, stepX));
        e.setTop(onStep(e.Top() + arrow.dy * stepY, stepY));
    };
    bool changed = false;
    // The rest of the multi-selection moves by one pixel, whether the current one moves or grows.
    for (const clsStringValueWithKey &r : m_selMul) {
        Item *other = findItem(r.Key());
        if (!other || other == cur)
            continue;
        clsPLControl e = other->element;
        nudge(e);
        updateItem(*other, e);
        changed = true;
    }
    clsPLControl e = cur->element;
    if (shift & ShiftKey) {
        if (e.IsAllowResize()) {
            e.setWidth(onStep(e.Width() + arrow.dx * stepX, stepX));
            e.setHeight(onStep(e.Height() + arrow.dy * stepY, stepY));
            changed = true;
        }
    } else {
        nudge(e);
        changed = true;
    }
    updateItem(*cur, e);
    if (changed)
        emit StepFinished(StepKind::Keys, m_burst);
}

void KdPLDesinger::selectLabels(const std::optional<QRectF> &band)
{
    m_selMul.RemoveAll();
    std::optional<QString> first;
    for (const Item &item : m_items) {
        if (item.state.isLine || !IsLabelKind(ElementKindOf(item.element)))
            continue;
        if (band && !CanvasGeometry::SharesArea(ControlRect(item.state), *band))
            continue;
        m_selMul.Add(item.element.KeyName());
        if (!first)
            first = item.element.KeyName();
    }
    emit Repaint(QRectF());
    if (first) {
        m_current = first;
        emit CtrlClick(GetCurrentControl());
    }
}

void KdPLDesinger::DoAlignmentSelectMul(int mode)
{
    Item *cur = currentItem();
    if (!cur || mode < 1 || mode > 8)
        return;
    const clsPLControl ref = cur->element;
    for (const clsStringValueWithKey &r : m_selMul) {
        Item *item = findItem(r.Key());
        if (!item)
            continue;
        clsPLControl e = item->element;
        switch (mode) {
        case 1: e.setLeft(ref.Left()); break;
        case 2: e.setLeft(ref.Left() + (ref.Width() - e.Width()) / 2); break;
        case 3: e.setLeft(ref.Left() + ref.Width() - e.Width()); break;
        case 4: e.setTop(ref.Top()); break;
        case 5: e.setTop(ref.Top() + (ref.Height() - e.Height()) / 2); break;
        case 6: e.setTop(ref.Top() + ref.Height() - e.Height()); break;
        case 7:
            if (e.IsAllowResize())
                e.setWidth(ref.Width());
            break;
        case 8:
            if (e.IsAllowResize())
                e.setHeight(ref.Height());
            break;
        }
        updateItem(*item, e);
    }
    newBurst();
    emit Repaint(QRectF());
    emit StepFinished(StepKind::Alignment, m_burst);
}

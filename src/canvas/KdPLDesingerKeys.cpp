// The keyboard of the design canvas (arrow nudges, Shift+arrow resizing, Delete, Ctrl+A, Escape
// ending the measuring mode) and
// the alignment and same-size modes.
#include "canvas/KdPLDesinger.h"

#include "model/ElementKind.h"

#include <cmath>

namespace {
// One arrow step in millimetres, at every zoom. A whole number of steps out and back returns
// to the same value, which a step of one screen pixel (its size in millimetres changing with
// the zoom, its result rounded to the pixel grid) did not.
constexpr double ArrowStepMm = 0.1;

// A value moved by some steps, kept to the micrometre so that the steps cancel exactly.
double stepped(double v, int steps)
{
    return std::round((v + steps * ArrowStepMm) * 1e6) / 1e6;
}

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
    else if (key == Qt::Key_Escape)
        SetMeasuring(false);
    else if (key == Qt::Key_A && (shift & CtrlKey))
        selectLabels(std::nullopt);
}

void KdPLDesinger::arrowKey(int key, int shift)
{
    Item *cur = currentItem();
    if (!cur)
        return;
    const Arrow arrow = *arrowOf(key);
    // An arrow changes its own axis only; the other value is not touched.
    auto nudge = [&](clsPLControl &e) {
        if (arrow.dx)
            e.setLeft(stepped(e.Left(), arrow.dx));
        if (arrow.dy)
            e.setTop(stepped(e.Top(), arrow.dy));
    };
    bool changed = false;
    // The rest of the multi-selection moves by one step, whether the current one moves or
    // grows. They change quietly: one repaint and one change notice (the current element's)
    // for the whole step, however many elements are selected.
    for (const clsStringValueWithKey &r : m_selMul) {
        Item *other = findItem(r.Key());
        if (!other || other == cur)
            continue;
        clsPLControl e = other->element;
        nudge(e);
        applyValues(*other, e);
        changed = true;
    }
    clsPLControl e = cur->element;
    if (shift & ShiftKey) {
        if (e.IsAllowResize()) {
            if (arrow.dx)
                e.setWidth(stepped(e.Width(), arrow.dx));
            if (arrow.dy)
                e.setHeight(stepped(e.Height(), arrow.dy));
            changed = true;
        }
    } else {
        nudge(e);
        changed = true;
    }
    applyValues(*cur, e);
    emit Repaint(QRectF());
    emit CtrlChanged(cur->element);
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
    bool changed = false;
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
        // What is aligned already (or nothing selected at all) is no change and no step.
        changed |= updateIfMoved(*item, e);
    }
    finishAlignment(changed);
}

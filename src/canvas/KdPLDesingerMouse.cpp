// The mouse gestures of the design canvas: selecting, moving, resizing with the handles,
// lines and their grips, placing an element in add mode, and the rubber band.
#include "canvas/KdPLDesinger.h"

#include "model/ElementKind.h"

#include <algorithm>
#include <cmath>

using namespace CanvasGeometry;

namespace {
QRectF withHandles(const QRectF &r) { return r.adjusted(-HandleSize, -HandleSize, HandleSize, HandleSize); }
} // namespace

void KdPLDesinger::clearCurrent()
{
    m_current.reset();
    newBurst();
    emit Repaint(QRectF());
    emit CtrlClick(nullptr);
}

void KdPLDesinger::SelectCtl(const QString *keyName, int shift)
{
    if (!keyName) {
        clearCurrent();
        return;
    }
    if (shift == ShiftKey || shift == CtrlKey) {
        if (m_selMul.GetByKey(*keyName))
            m_selMul.Remove(QLatin1Char('A') + *keyName);
        else
            m_selMul.Add(*keyName);
    } else if (!m_selMul.GetByKey(*keyName)) {
        // A plain click outside the multi-selection ends it, so that what is marked is all
        // that is selected (and all that Delete removes). A click inside keeps it for a drag.
        m_selMul.RemoveAll();
    }
    m_current = *keyName;
    newBurst();
    emit Repaint(QRectF());
}

KdPLDesinger::Hit KdPLDesinger::hitTest(QPointF at) const
{
    if (const Item *cur = currentItem()) {
        if (const auto handles = Handles()) {
            for (int i = 0; i < 8; ++i)
                if ((*handles)[size_t(i)].contains(at))
                    return {Target::Handle, i, cur->element.KeyName()};
        }
        if (const auto grips = Grips()) {
            for (int i = 0; i < 2; ++i)
                if ((*grips)[size_t(i)].contains(at))
                    return {Target::Grip, i, cur->element.KeyName()};
        }
    }
    // Controls placed later lie on top.
    for (int i = m_items.Count(); i >= 1; --i) {
        const Item &item = m_items.Item(i);
        if (item.state.isLine || !item.state.visible || !IsLabelKind(ElementKindOf(item.element)))
            continue;
        if (ControlRect(item.state).contains(at))
            return {Target::Element, 0, item.element.KeyName()};
    }
    return {};
}

const KdPLDesinger::Item *KdPLDesinger::pickLine(QPointF at) const
{
    for (const Item &item : m_items) {
        if (!item.state.isLine || ElementKindOf(item.element) != ElementKind::Line)
            continue;
        const ControlState &s = item.state;
        if (PicksLine(at, {s.x1, s.y1}, {s.x2, s.y2}))
            return &item;
    }
    return nullptr;
}

int KdPLDesinger::PointerAt(QPointF at) const
{
    if ((m_addMode || m_measuring) && m_drag.target == Target::None)
        return CrossPointer;
    static constexpr int handlePointers[8] = {SizeNWSE, SizeNS, SizeNESW, SizeWE,
                                              SizeNWSE, SizeNS, SizeNESW, SizeWE};
    const Hit hit = hitTest(at);
    switch (hit.target) {
    case Target::Handle: return handlePointers[hit.part];
    case Target::Grip: return CrossPointer;
    case Target::Element: return SizeAllPointer;
    default: return onUnlockedPicture(at) && !pickLine(at) ? SizeAllPointer : ArrowPointer;
    }
}

void KdPLDesinger::cancelAddMode()
{
    m_addMode = false;
    m_pending_element = clsPLControl();
    emit Repaint(QRectF());
    emit CancelAddControlByMouse();
}

void KdPLDesinger::placePending(QPointF at)
{
    clsPLControl element = m_pending_element;
    element.setLeft(at.x() / scale());
    element.setTop(at.y() / scale());
    const clsPLControl *stored = AddOneControl(element);
    if (!stored) {
        cancelAddMode();
        return;
    }
    const QString key = element.KeyName();
    SelectCtl(&key, 0);
    // The press goes on as a drag of the bottom-right handle, or of the line's end grip.
    m_drag = Drag();
    m_drag.target = currentItem()->state.isLine ? Target::Grip : Target::Handle;
    m_drag.part = m_drag.target == Target::Grip ? 1 : 4;
    m_drag.pressRel = at - objectRect(m_drag.target, m_drag.part).topLeft();
    emit CtrlClick(GetOneControlByKeyName(key));
}

void KdPLDesinger::MouseDownAt(int button, int shift, QPointF at)
{
    newBurst();
    if (m_drag.target != Target::None)
        return;
    if (m_measuring && button == LeftButton) {
        m_drag.target = Target::Measure;
        measureTo(at, shift, true);
        return;
    }
    const Hit hit = hitTest(at);
    if (hit.target != Target::None) {
        if (hit.target == Target::Element && m_addMode)
            cancelAddMode();
        if (button != LeftButton)
            return;
        // Selected first, so that whoever hears the click finds the selection it made.
        if (hit.target == Target::Element) {
            SelectCtl(&hit.key, shift);
            emit CtrlClick(GetOneControlByKeyName(hit.key));
        }
        m_drag = Drag();
        m_drag.target = hit.target;
        m_drag.part = hit.part;
        m_drag.pressRel = at - objectRect(hit.target, hit.part).topLeft();
        return;
    }
    if (m_addMode) {
        // Only the design area takes the element: a press on a ruler or beyond the area would
        // put it where it prints outside the slip.
        if (button == LeftButton && OnDesignArea(at))
            placePending(snappedPoint(at, shift));
        else if (button != LeftButton)
            cancelAddMode();
        return;
    }
    if (button != LeftButton)
        return;
    if (const Item *line = pickLine(at)) {
        const QString key = line->element.KeyName();
        SelectCtl(&key, shift);
        emit CtrlClick(GetOneControlByKeyName(key));
        m_drag = Drag();
        m_drag.target = Target::LineBody;
        m_drag.pressRel = at - objectRect(Target::LineBody, 0).topLeft();
        return;
    }
    m_drag = Drag();
    if (onUnlockedPicture(at)) {
        m_drag.target = Target::Picture;
        m_drag.pressRel = at - m_backRect.topLeft() * scale();
        return;
    }
    m_drag.target = Target::Band;
    m_drag.bandStart = m_drag.bandEnd = at;
}

void KdPLDesinger::MouseMoveAt(int button, int shift, QPointF at)
{
    if (m_drag.target == Target::Measure && (button & LeftButton)) {
        measureTo(at, shift, false);
    } else if (m_drag.target == Target::Picture && (button & LeftButton)) {
        dragPicture(at, shift);
    } else if (m_drag.target == Target::Band) {
        const QRectF before = *Band();
        m_drag.bandEnd = at;
        emit Repaint(withHandles(before.united(*Band())));
        emit ScrollTo(QRectF(at, QSizeF(1, 1)));
    } else if (m_drag.target != Target::None && (button & LeftButton)) {
        m_pending = PendingMove{button, shift, at};
        FlushPendingMove();
    }
    emit MouseMove(qint16(button), qint16(shift), float(at.x()), float(at.y()));
}

void KdPLDesinger::FlushPendingMove()
{
    if (!m_pending)
        return;
    if (m_moveLock.Value()) {
        // A step ran less than a pause ago: this move waits, and later moves replace it.
        if (!m_moveTimer.isActive())
            m_moveTimer.start(MovePauseMs);
        return;
    }
    m_moveLock.setValue(true);
    const PendingMove move = *m_pending;
    m_pending.reset();
    runMove(move);
}

QRectF KdPLDesinger::objectRect(Target target, int part) const
{
    const Item *cur = currentItem();
    if (!cur)
        return {};
    const QRectF control = ControlRect(cur->state);
    switch (target) {
    case Target::Handle: return HandleRects(control)[size_t(part)];
    case Target::Grip:
        return part == 0 ? GripRect({cur->state.x1, cur->state.y1})
                         : GripRect({cur->state.x2, cur->state.y2});
    default: return control;
    }
}

QPointF KdPLDesinger::limitPosition(QPointF pos, QSizeF size) const
{
    const QSizeF area = AreaTwips();
    double x = std::min(pos.x(), area.width() - RulerTwips - size.width());
    double y = std::min(pos.y(), area.height() - RulerTwips - size.height());
    return QPointF(std::max(x, 0.0), std::max(y, 0.0));
}

void KdPLDesinger::runMove(const PendingMove &move)
{
    Item *cur = currentItem();
    if (!cur)
        return;
    const Target target = m_drag.target;
    if (target == Target::Handle && !cur->element.IsAllowResize())
        return;
    const QRectF object = objectRect(target, m_drag.part);
    const QPointF offset = move.at - object.topLeft() - m_drag.pressRel;
    const bool free = (move.shift & ShiftKey) != 0;
    if (!free && std::abs(offset.x()) < HandleUnit && std::abs(offset.y()) < HandleUnit)
        return;
    QPointF to = object.topLeft() + offset;
    // Snapped first and limited after, so that the grid never carries an object past an edge.
    if (!free)
        to = snapped(target, m_drag.part, to);
    to = limitPosition(to, object.size());
    if (target == Target::Handle) {
        if (KeepsTop(m_drag.part))
            to.setY(object.top());
        if (KeepsLeft(m_drag.part))
            to.setX(object.left());
    }
    QRectF dirty = ControlRect(cur->state);
    applyObjectMove(target, m_drag.part, object.topLeft(), to, dirty);
    m_drag.changed = true;
    dirty = dirty.united(ControlRect(cur->state));
    emit Repaint(withHandles(dirty));
    const QRectF moved = objectRect(target, m_drag.part);
    emit ScrollTo(QRectF(moved.topLeft(), QSizeF(std::min(moved.width(), ScrollMargin),
                                                   std::min(moved.height(), ScrollMargin))));
}

void KdPLDesinger::applyObjectMove(Target target, int part, QPointF from, QPointF to, QRectF &dirty)
{
    Item &cur = *currentItem();
    ControlState &s = cur.state;
    const QPointF delta = to - from;
    switch (target) {
    case Target::Handle:
        resizeFromHandle(cur, part, to);
        return;
    case Target::Grip:
        (part == 0 ? s.x1 : s.x2) = to.x() + HandleSize / 2;
        (part == 0 ? s.y1 : s.y2) = to.y() + HandleSize / 2;
        return;
    case Target::Element:
        s.left = to.x();
        s.top = to.y();
        break;
    case Target::LineBody:
        s.x1 += delta.x();
        s.x2 += delta.x();
        s.y1 += delta.y();
        s.y2 += delta.y();
        break;
    default: return;
    }
    // The rest of the multi-selection goes along.
    for (const clsStringValueWithKey &r : m_selMul) {
        Item *other = findItem(r.Key());
        if (other && other != &cur)
            moveStateBy(*other, delta, dirty);
    }
}

void KdPLDesinger::moveStateBy(Item &item, QPointF delta, QRectF &dirty)
{
    ControlState &s = item.state;
    const QRectF before = ControlRect(s);
    const QPointF to = limitPosition(before.topLeft() + delta, before.size());
    const QPointF d = to - before.topLeft();
    if (s.isLine) {
        s.x1 += d.x();
        s.x2 += d.x();
        s.y1 += d.y();
        s.y2 += d.y();
    } else {
        s.left = to.x();
        s.top = to.y();
    }
    dirty = dirty.united(before).united(ControlRect(s));
}

void KdPLDesinger::resizeFromHandle(Item &item, int handle, QPointF handlePos)
{
    ControlState &s = item.state;
    const auto handles = HandleRects(ControlRect(s));
    const double h = HandleSize;
    double left = handles[0].left() + h, top = handles[0].top() + h;
    double right = handles[4].left(), bottom = handles[4].top();
    const HandleEdges edges = EdgesOf(handle);
    if (edges.left)
        left = handlePos.x() + h;
    if (edges.top)
        top = handlePos.y() + h;
    if (edges.right)
        right = handlePos.x();
    if (edges.bottom)
        bottom = handlePos.y();
    const double minimum = MinSizeMm * scale();
    s.left = std::max(left, 0.0);
    s.top = std::max(top, 0.0);
    s.width = std::max(right - s.left, minimum);
    s.height = std::max(bottom - s.top, minimum);
}

void KdPLDesinger::syncElement(Item &item)
{
    Ctl2Cls(item.state, item.element, scale());
}

void KdPLDesinger::MouseUpAt(int button, int shift, QPointF at)
{
    if (button == LeftButton && m_drag.target == Target::Measure)
        m_drag = Drag(); // the measurement stays on show
    else if (button == LeftButton && m_drag.target == Target::Picture)
        endPictureDrag();
    else if (button == LeftButton && m_drag.target == Target::Band)
        endBand();
    else if (button == LeftButton && m_drag.target != Target::None)
        endGesture();
    emit MouseUp(qint16(button), qint16(shift), float(at.x()), float(at.y()));
}

void KdPLDesinger::endGesture()
{
    m_moveTimer.stop();
    if (m_pending) {
        // The last position counts, however soon after the previous step it came.
        const PendingMove last = *m_pending;
        m_pending.reset();
        runMove(last);
    }
    const bool changed = m_drag.changed;
    m_drag = Drag();
    Item *cur = currentItem();
    if (cur && changed) {
        syncElement(*cur);
        for (const clsStringValueWithKey &r : m_selMul)
            if (Item *other = findItem(r.Key()))
                syncElement(*other);
    }
    emit Repaint(QRectF());
    const bool added = m_addMode;
    if (added) {
        m_addMode = false;
        m_pending_element = clsPLControl();
        if (cur)
            emit EndAddControlByMouse(cur->element);
    }
    if (cur)
        emit CtrlChanged(cur->element);
    newBurst();
    if (added)
        emit StepFinished(StepKind::AddByMouse, m_burst);
    else if (changed)
        emit StepFinished(StepKind::Drag, m_burst);
}

void KdPLDesinger::endBand()
{
    const QRectF band = *Band();
    m_drag = Drag();
    newBurst();
    selectLabels(band);
}

// Distributing the selection evenly, and the selection as one list of keys.
#include "canvas/KdPLDesinger.h"

#include <QSet>
#include <algorithm>
#include <cmath>
#include <vector>

QStringList KdPLDesinger::SelectedKeys() const
{
    QSet<QString> chosen;
    for (const clsStringValueWithKey &r : m_selMul)
        chosen.insert(r.Key().toCaseFolded());
    if (currentItem())
        chosen.insert(m_current->toCaseFolded());
    QStringList keys;
    for (int i = 1; i <= m_items.Count(); ++i) {
        const QString key = m_items.Item(i).element.KeyName();
        if (chosen.contains(key.toCaseFolded()))
            keys << key;
    }
    return keys;
}

int KdPLDesinger::SelectionCount() const
{
    const bool currentApart = currentItem() && !m_selMul.GetByKey(*m_current);
    return m_selMul.Count() + (currentApart ? 1 : 0);
}

void KdPLDesinger::SelectKeys(const QStringList &keyNames)
{
    m_selMul.RemoveAll();
    clearCurrent();
    for (const QString &key : keyNames)
        if (findItem(key))
            m_selMul.Add(key);
    for (auto it = keyNames.crbegin(); it != keyNames.crend(); ++it) {
        if (findItem(*it)) {
            m_current = *it;
            break;
        }
    }
    newBurst();
    emit Repaint(QRectF());
    emit CtrlClick(GetCurrentControl());
    if (const Item *cur = currentItem())
        emit ScrollTo(ControlRect(cur->state));
}

void KdPLDesinger::DistributeSelectMul(Qt::Orientation orientation)
{
    const bool across = orientation == Qt::Horizontal;
    struct Placed {
        Item *item;
        double start, size; // mm along the direction, a line's extent whichever way it runs
    };
    std::vector<Placed> placed;
    for (const QString &key : SelectedKeys()) {
        Item *item = findItem(key);
        const double pos = across ? item->element.Left() : item->element.Top();
        const double size = across ? item->element.Width() : item->element.Height();
        placed.push_back({item, std::min(pos, pos + size), std::abs(size)});
    }
    if (placed.size() < 3)
        return;
    std::stable_sort(placed.begin(), placed.end(),
                     [](const Placed &a, const Placed &b) { return a.start < b.start; });
    const double first = placed.front().start;
    double span = 0;
    for (const Placed &p : placed)
        span += p.size;
    const Placed &last = placed.back();
    const double gap = (last.start + last.size - first - span) / double(placed.size() - 1);
    double next = first;
    bool changed = false;
    for (Placed &p : placed) {
        clsPLControl e = p.item->element;
        const double delta = next - p.start;
        if (across)
            e.setLeft(e.Left() + delta);
        else
            e.setTop(e.Top() + delta);
        next += p.size + gap;
        changed |= updateIfMoved(*p.item, e);
    }
    finishAlignment(changed);
}

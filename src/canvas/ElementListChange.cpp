#include "canvas/ElementListChange.h"

#include <QHash>
#include <QSet>

qint64 ApproxBytes(const clsPLControl &e)
{
    const QString texts[] = {e.KeyName(), e.ControlType(), e.ShowType(), e.GroupID(),
                             e.FieldValue(), e.FormatString(), e.FontName()};
    qint64 bytes = qint64(sizeof(clsPLControl));
    for (const QString &t : texts)
        bytes += t.size() * qint64(sizeof(QChar));
    return bytes;
}

ElementListChange ElementListChange::Between(const colPLControls &before, const colPLControls &after)
{
    QHash<QString, qsizetype> afterAt;
    afterAt.reserve(after.Count());
    qsizetype i = 0;
    for (const clsPLControl &e : after)
        afterAt.insert(colPLControls::KeyOf(e.KeyName()).toCaseFolded(), i++);
    std::vector<const clsPLControl *> afterList;
    afterList.reserve(size_t(after.Count()));
    for (const clsPLControl &e : after)
        afterList.push_back(&e);

    // Shared: the same key with the same values on both sides.
    ElementListChange change;
    std::vector<bool> sharedAfter(afterList.size(), false);
    std::vector<qsizetype> sharedOrder; // places after, in the order of the list before
    i = 0;
    for (const clsPLControl &e : before) {
        const auto it = afterAt.constFind(colPLControls::KeyOf(e.KeyName()).toCaseFolded());
        if (it != afterAt.constEnd() && *afterList[size_t(*it)] == e) {
            sharedAfter[size_t(*it)] = true;
            sharedOrder.push_back(*it);
        } else {
            change.m_before.push_back({i, e});
        }
        ++i;
    }
    for (size_t k = 1; k < sharedOrder.size(); ++k) {
        if (sharedOrder[k] < sharedOrder[k - 1]) {
            // Reordered: both lists whole.
            change.m_before.clear();
            change.m_after.clear();
            i = 0;
            for (const clsPLControl &e : before)
                change.m_before.push_back({i++, e});
            i = 0;
            for (const clsPLControl &e : after)
                change.m_after.push_back({i++, e});
            return change;
        }
    }
    for (size_t k = 0; k < afterList.size(); ++k)
        if (!sharedAfter[k])
            change.m_after.push_back({qsizetype(k), *afterList[k]});
    return change;
}

void ElementListChange::rebuild(const colPLControls &from, const std::vector<Placed> &dropped,
                                const std::vector<Placed> &placed, colPLControls &into)
{
    into.NewEnum().Clear();
    const qsizetype total = from.Count() - qsizetype(dropped.size()) + qsizetype(placed.size());
    into.Reserve(qint32(total));
    auto nextDropped = dropped.begin();
    auto nextPlaced = placed.begin();
    qsizetype fromIndex = 0;
    auto source = from.begin();
    for (qsizetype at = 0; at < total; ++at) {
        if (nextPlaced != placed.end() && nextPlaced->index == at) {
            into.Add(nextPlaced->element);
            ++nextPlaced;
            continue;
        }
        // The next shared element of `from`.
        while (nextDropped != dropped.end() && nextDropped->index == fromIndex) {
            ++nextDropped;
            ++fromIndex;
            ++source;
        }
        into.Add(*source);
        ++fromIndex;
        ++source;
    }
}

void ElementListChange::Undo(const colPLControls &after, colPLControls &before) const
{
    rebuild(after, m_after, m_before, before);
}

void ElementListChange::Redo(const colPLControls &before, colPLControls &after) const
{
    rebuild(before, m_before, m_after, after);
}

bool ElementListChange::inPlace() const
{
    if (m_before.size() != m_after.size())
        return false;
    for (size_t k = 0; k < m_before.size(); ++k)
        if (m_before[k].index != m_after[k].index
            || m_before[k].element.KeyName().compare(m_after[k].element.KeyName(), Qt::CaseInsensitive) != 0)
            return false;
    return true;
}

bool ElementListChange::Absorb(const ElementListChange &next)
{
    if (!inPlace() || !next.inPlace())
        return false;
    // Each place keeps its first "before" and its last "after".
    std::vector<Placed> before, after;
    size_t a = 0, b = 0;
    while (a < m_before.size() || b < next.m_before.size()) {
        const bool takeMine = b == next.m_before.size()
            || (a < m_before.size() && m_before[a].index <= next.m_before[b].index);
        const bool takeNext = a == m_before.size()
            || (b < next.m_before.size() && next.m_before[b].index <= m_before[a].index);
        if (takeMine && takeNext) {
            before.push_back(m_before[a]);
            after.push_back(next.m_after[b]);
            ++a, ++b;
        } else if (takeMine) {
            before.push_back(m_before[a]);
            after.push_back(m_after[a]);
            ++a;
        } else {
            before.push_back(next.m_before[b]);
            after.push_back(next.m_after[b]);
            ++b;
        }
    }
    m_before = std::move(before);
    m_after = std::move(after);
    return true;
}

qint64 ElementListChange::Bytes() const
{
    qint64 bytes = qint64(sizeof(*this));
    for (const auto *side : {&m_before, &m_after})
        for (const Placed &p : *side)
            bytes += qint64(sizeof(Placed)) - qint64(sizeof(clsPLControl)) + ApproxBytes(p.element);
    return bytes;
}

#include "canvas/SelectionClipboard.h"

#include "canvas/KdPLDesinger.h"
#include "model/ElementKind.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double SameRowMm = 0.01;

std::vector<clsPLControl> selected(const KdPLDesinger &canvas)
{
    std::vector<clsPLControl> out;
    for (const QString &key : canvas.SelectedKeys())
        if (const clsPLControl *e = canvas.GetOneControlByKeyName(key))
            out.push_back(*e);
    return out;
}
} // namespace

bool SelectionClipboard::Copy(const KdPLDesinger &canvas)
{
    std::vector<clsPLControl> copies = selected(canvas);
    if (copies.empty())
        return false;
    m_elements = std::move(copies);
    m_pitch = BlockPitch(canvas);
    m_pastes = 0;
    return true;
}

QStringList SelectionClipboard::Paste(KdPLDesinger &canvas, int roomLeft)
{
    if (m_elements.empty())
        return {};
    const QStringList keys = add(canvas, m_elements, QPointF(m_pitch * (m_pastes + 1), 0), roomLeft);
    if (!keys.isEmpty())
        ++m_pastes;
    return keys;
}

QStringList SelectionClipboard::Duplicate(KdPLDesinger &canvas, int roomLeft)
{
    return add(canvas, selected(canvas), QPointF(BlockPitch(canvas), 0), roomLeft);
}

QStringList SelectionClipboard::add(KdPLDesinger &canvas, const std::vector<clsPLControl> &elements,
                                    QPointF offset, int roomLeft)
{
    if (elements.empty() || int(elements.size()) > roomLeft)
        return {};
    QStringList keys;
    for (clsPLControl e : elements) {
        e.setKeyName(QString());
        e.setLeft(e.Left() + offset.x());
        e.setTop(e.Top() + offset.y());
        if (const clsPLControl *added = canvas.AddOneControl(e))
            keys << added->KeyName();
    }
    canvas.SelectKeys(keys);
    return keys;
}

double SelectionClipboard::BlockPitch(const KdPLDesinger &canvas)
{
    std::vector<const clsPLControl *> blocks;
    double widest = 0;
    for (int i = 1; i <= canvas.AllItems().Count(); ++i) {
        const clsPLControl &e = canvas.AllItems().Item(i).element;
        if (ElementKindOf(e) != ElementKind::NumberBlock && ElementKindOf(e) != ElementKind::Mark)
            continue;
        blocks.push_back(&e);
        widest = std::max(widest, e.Width());
    }
    std::sort(blocks.begin(), blocks.end(), [](const clsPLControl *a, const clsPLControl *b) {
        return a->Top() != b->Top() ? a->Top() < b->Top() : a->Left() < b->Left();
    });
    double pitch = 0;
    for (size_t i = 1; i < blocks.size(); ++i) {
        const clsPLControl &a = *blocks[i - 1];
        const clsPLControl &b = *blocks[i];
        const double dx = b.Left() - a.Left();
        if (std::abs(b.Top() - a.Top()) <= SameRowMm && dx > SameRowMm && (pitch == 0 || dx < pitch))
            pitch = dx;
    }
    return pitch > 0 ? pitch : 2 * std::max(widest, 1.0);
}

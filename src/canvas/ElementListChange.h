#pragma once
// What one undo step changed in a template's element list: the elements that were removed or
// changed (with their places in the list before) and the elements that were added or changed
// (with their places after). The elements both lists share, unchanged and in the same order,
// are not kept: a step that moves one element of 30,000 holds two elements, not two copies.
// A change that reorders the list keeps both lists whole.
#include "model/clsPLControl.h"
#include "model/colPLControls.h"

#include <vector>

class ElementListChange {
public:
    struct Placed {
        qsizetype index;
        clsPLControl element;
    };

    ElementListChange() = default;
    // The change that turns `before` into `after`.
    static ElementListChange Between(const colPLControls &before, const colPLControls &after);

    // The elements of the list before the change, given those after it (and back again).
    void Undo(const colPLControls &after, colPLControls &before) const;
    void Redo(const colPLControls &before, colPLControls &after) const;
    // A change followed by `next`, as one. Only changes in place (no element added, removed
    // or moved) combine this way; false leaves this change as it was.
    bool Absorb(const ElementListChange &next);
    // About how many bytes the change holds.
    qint64 Bytes() const;
    bool IsEmpty() const { return m_before.empty() && m_after.empty(); }

private:
    // Puts the shared elements of `from` (those not at `dropped`) and `placed` together.
    static void rebuild(const colPLControls &from, const std::vector<Placed> &dropped,
                        const std::vector<Placed> &placed, colPLControls &into);
    bool inPlace() const;

    std::vector<Placed> m_before; // removed or changed, at their places before
    std::vector<Placed> m_after;  // added or changed, at their places after
};

// About how many bytes an element takes in memory, its texts included.
qint64 ApproxBytes(const clsPLControl &element);

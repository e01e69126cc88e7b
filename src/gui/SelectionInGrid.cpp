#include "gui/SelectionInGrid.h"

#include "canvas/KdPLDesinger.h"
#include "canvas/TemplateUndoStack.h"
#include "gui/kdPLControlProperties.h"

#include <vector>

namespace {
void showElements(const KdPLDesinger &canvas, kdPLControlProperties &grid, const QStringList &keys)
{
    std::vector<const clsPLControl *> elements;
    elements.reserve(size_t(keys.size()));
    for (const QString &key : keys) {
        if (const clsPLControl *e = canvas.GetOneControlByKeyName(key))
            elements.push_back(e);
    }
    grid.Objs2Me(elements);
}
} // namespace

void ShowSelectionInGrid(const KdPLDesinger &canvas, kdPLControlProperties &grid)
{
    const clsPLControl *current = canvas.GetCurrentControl();
    const QStringList marked = canvas.MultiSelectionKeys();
    const bool several = marked.size() > 1
        || (marked.size() == 1 && current && !canvas.IsInMultiSelection(current->KeyName()));
    if (several)
        showElements(canvas, grid, canvas.SelectedKeys());
    else
        grid.Obj2Me(current);
}

bool ApplyGridToElements(KdPLDesinger &canvas, TemplateUndoStack &undo, kdPLControlProperties &grid)
{
    const QStringList keys = grid.ShownKeyNames();
    const std::vector<PropertyCell> cells = grid.EditedCells();
    std::vector<clsPLControl> changed;
    for (const QString &key : keys) {
        const clsPLControl *found = canvas.GetOneControlByKeyName(key);
        if (!found)
            continue;
        clsPLControl element = *found;
        ApplyPropertyCells(element, cells);
        if (!(element == *found))
            changed.push_back(std::move(element));
    }
    // One element changes as any single edit does, with its change notice; several quietly,
    // with one repaint.
    if (changed.size() == 1)
        canvas.UpdateOneControl(changed.front());
    else if (!changed.empty())
        canvas.UpdateControls(changed);
    if (!changed.empty())
        undo.Record(QStringLiteral("属性"));
    showElements(canvas, grid, keys);
    return !changed.empty();
}

#include "gui/SharedPropertyRows.h"

#include "model/ElementKind.h"

#include <algorithm>

namespace {
// The rows an element of this kind shows, and which of them the rows found so far keep.
void keepRowsOfKind(std::vector<SharedPropertyRow> &rows, const clsPLControl &element,
                    const clsPLControl &first)
{
    const std::vector<ShownPropertyRow> own = ShownPropertyRows(element);
    const auto &defs = PropertyRowDefs();
    std::erase_if(rows, [&](const SharedPropertyRow &r) {
        const auto it = std::find_if(own.begin(), own.end(),
                                     [&](const ShownPropertyRow &o) { return o.row == r.row; });
        if (it == own.end() || it->caption != r.caption)
            return true;
        const QString &key = defs[size_t(r.row)].key;
        const PropertyEditor a = PropertyEditorFor(key, element);
        const PropertyEditor b = PropertyEditorFor(key, first);
        return a.kind != b.kind || a.list != b.list;
    });
}
} // namespace

std::vector<SharedPropertyRow> SharedPropertyRows(const std::vector<const clsPLControl *> &elements)
{
    std::vector<SharedPropertyRow> rows;
    if (elements.empty())
        return rows;
    const clsPLControl &first = *elements.front();
    const auto &defs = PropertyRowDefs();
    for (const ShownPropertyRow &shown : ShownPropertyRows(first)) {
        const QString &key = defs[size_t(shown.row)].key;
        SharedPropertyRow r;
        r.row = shown.row;
        r.caption = shown.caption;
        if (IsColorProperty(key))
            r.color = PropertyColor(first, key);
        else
            r.text = PropertyText(first, key);
        rows.push_back(r);
    }
    // The kinds met so far: a kind's rows are compared once, however many elements it has.
    std::vector<ElementKind> kinds{ElementKindOf(first)};
    for (const clsPLControl *element : elements) {
        const ElementKind kind = ElementKindOf(*element);
        if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end()) {
            kinds.push_back(kind);
            keepRowsOfKind(rows, *element, first);
        }
        for (SharedPropertyRow &r : rows) {
            if (r.same && !SamePropertyValue(*element, first, defs[size_t(r.row)].key))
                r.same = false;
        }
    }
    for (SharedPropertyRow &r : rows) {
        if (!r.same) {
            r.text.clear();
            r.color = 0;
        }
    }
    return rows;
}

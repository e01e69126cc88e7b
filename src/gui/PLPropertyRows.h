#pragma once
// What the property grid shows of an element, without widgets: the rows with their keys and
// captions, which rows an element's kind shows and how they are captioned, the editor of each
// row, the value texts, and the way an edited text goes back into the element.
#include "model/clsPLControl.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

struct PropertyRowDef {
    QString key;
    QString caption;
};

// The grid's rows in order. "GROUPID" appears twice; a lookup by key finds the first.
const std::vector<PropertyRowDef> &PropertyRowDefs();
// The first row with this key, or -1.
int PropertyRowOf(const QString &key);

struct ShownPropertyRow {
    int row = 0;
    QString caption;
};
// The rows an element shows, in grid order, with their captions. Empty for an element of no
// known kind.
std::vector<ShownPropertyRow> ShownPropertyRows(const clsPLControl &element);

enum class PropertyEditorKind {
    Text,         // typed text
    Button,       // "..." opens the colour or font chooser
    List,         // a fixed list of ids with their captions
    EditableList  // free text or one of the listed texts
};
struct PropertyEditor {
    PropertyEditorKind kind = PropertyEditorKind::Text;
    // The list as handed to a grid: "#id;id<TAB>caption|..." ("@" already made a tab), or the
    // texts of an editable list separated by "|".
    QString list;
};
PropertyEditor PropertyEditorFor(const QString &key, const clsPLControl &element);

struct PropertyListEntry {
    QString id;
    QString caption;
};
// The entries of a fixed list as given by PropertyEditor::list.
std::vector<PropertyListEntry> ParsePropertyList(const QString &list);

// The colour rows keep their value as the cell's colour, not as text.
bool IsColorProperty(const QString &key);
qint32 PropertyColor(const clsPLControl &element, const QString &key);
void SetPropertyColor(clsPLControl &element, const QString &key, qint32 color);

// The text a row shows for the element ("" for the colour rows).
QString PropertyText(const clsPLControl &element, const QString &key);
// Whether two elements show the same value in a row: the same text, or the same colour.
bool SamePropertyValue(const clsPLControl &a, const clsPLControl &b, const QString &key);
// Puts an edited text back into the element. A text that does not convert keeps the value;
// for a line, WIDTH and HEIGHT are the end point, so Width = X2 - Left, Height = Y2 - Top.
void ApplyPropertyText(clsPLControl &element, const QString &key, const QString &text);

// One value cell of the grid: what it holds now and what was put there when the element was
// shown. A colour cell left blank (several elements of different colours) holds no colour.
struct PropertyCell {
    QString text;
    QString shownText;
    std::optional<qint32> color;
    std::optional<qint32> shownColor;
    bool changed() const { return text != shownText || color != shownColor; }
};
// Reads the grid back into the element, one cell per row in grid order. Only the cells the
// user changed are taken, so the two decimals a cell shows never round a value that was not
// edited; a line whose start point moved keeps its end point unless X2 or Y2 was edited too.
void ApplyPropertyCells(clsPLControl &element, const std::vector<PropertyCell> &cells);

// The tips shown while no element is selected, one per line, after an empty line.
QString PropertyTipsText();

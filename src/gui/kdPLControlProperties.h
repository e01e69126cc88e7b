#pragma once
// The property panel beside the design canvas: a two-column grid ("属性", "设置值") of the
// current element's properties, edited in place with lists and the colour and font choosers,
// or the usage tips while nothing is selected.
#include "gui/PLPropertyRows.h"
#include "model/clsStructFont.h"

#include <QFont>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class QPlainTextEdit;
class QTableWidget;
class QTableWidgetItem;

class kdPLControlProperties : public QWidget {
    Q_OBJECT
public:
    explicit kdPLControlProperties(QWidget *parent = nullptr);

    // The KeyName of the element shown; empty while none is, or several are.
    QString OldKeyName() const { return m_oldKeyName; }
    // Shows the element (nullptr: the tips).
    void Obj2Me(const clsPLControl *element);
    // Shows several elements by the rows they share, blank where their values differ (one
    // element as Obj2Me shows it, none: the tips).
    void Objs2Me(const std::vector<const clsPLControl *> &elements);
    // The KeyNames of the elements shown, one or several.
    const QStringList &ShownKeyNames() const { return m_shownKeys; }
    bool ShowsSeveral() const { return m_shownKeys.size() > 1; }
    // Reads the edited values back into the element: only the cells the user changed.
    void Me2Obj(clsPLControl &element) const;
    // The value cells as they are now, in grid order, for ApplyPropertyCells.
    std::vector<PropertyCell> EditedCells() const;

    // The choosers behind the "..." buttons; the standard dialogs unless a test puts its own.
    using ColorChooser = std::function<std::optional<qint32>(qint32 current)>;
    using FontChooser = std::function<std::optional<clsStructFont>(const clsStructFont &current)>;
    void setColorChooser(ColorChooser chooser) { m_chooseColor = std::move(chooser); }
    void setFontChooser(FontChooser chooser) { m_chooseFont = std::move(chooser); }
    // The family to store after the font dialog: the stored name when the user kept the family
    // the dialog offered for it (only the style or size changed), else the chosen family.
    static QString FamilyAfterChoice(const QString &stored, const QFont &offered, const QFont &chosen);

    // The "..." button of a colour row or of FONTNAME.
    void PressButton(const QString &key);
    // Commits a new text for a row as an edit in the grid does: BeforePropertyChanged, then,
    // unless cancelled, the value and AfterPropertyChanged.
    void CommitEdit(const QString &key, const QString &newText);

    // The grid's value cell text and colour of a row, and its caption, by key.
    QString CellText(const QString &key) const;
    qint32 CellColor(const QString &key) const;
    // The editor of a row for the element shown.
    PropertyEditor EditorOf(int row) const;
    QTableWidget *Grid() const { return m_grid; }

signals:
    void BeforePropertyChanged(const QString &key, const QString &currentValue,
                               const QString &newValue, bool *cancel);
    void AfterPropertyChanged(const QString &key, const QString &newValue);

private:
    QTableWidgetItem *valueItem(const QString &key) const;
    void setCellColor(int row, qint32 color);
    void clearCell(int row);
    void showGrid();
    void addButton(int row, const QString &key);
    bool commitColor(const QString &key, qint32 color);
    void chooseFont();
    std::optional<qint32> defaultChooseColor(qint32 current);
    std::optional<clsStructFont> defaultChooseFont(const clsStructFont &current);

    QTableWidget *m_grid = nullptr;     // vflexProperties
    QPlainTextEdit *m_tips = nullptr;   // txtTip
    QString m_oldKeyName;
    QStringList m_shownKeys;
    clsPLControl m_shown;               // the element as it was shown, for the editors
    std::vector<PropertyCell> m_shownCells;
    ColorChooser m_chooseColor;
    FontChooser m_chooseFont;
};

#pragma once
// The property panel beside the design canvas: a two-column grid ("属性", "设置值") of the
// current element's properties, edited in place with lists and the colour and font choosers,
// or the usage tips while nothing is selected.
#include "gui/PLPropertyRows.h"
#include "model/clsStructFont.h"

#include <QFont>
#include <QWidget>
#include <functional>
#include <optional>

class QPlainTextEdit;
class QTableWidget;
class QTableWidgetItem;

class kdPLControlProperties : public QWidget {
    Q_OBJECT
public:
    explicit kdPLControlProperties(QWidget *parent = nullptr);

    // The KeyName of the element shown; empty while none is.
    QString OldKeyName() const { return m_oldKeyName; }
    // Shows the element (nullptr: the tips).
    void Obj2Me(const clsPLControl *element);
    // Reads the edited values back into the element.
    void Me2Obj(clsPLControl &element) const;

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
    void addButton(int row, const QString &key);
    bool commitColor(const QString &key, qint32 color);
    void chooseFont();
    std::optional<qint32> defaultChooseColor(qint32 current);
    std::optional<clsStructFont> defaultChooseFont(const clsStructFont &current);

    QTableWidget *m_grid = nullptr;     // vflexProperties
    QPlainTextEdit *m_tips = nullptr;   // txtTip
    QString m_oldKeyName;
    clsPLControl m_shown;               // the element as it was shown, for the editors
    std::vector<PropertyCell> m_shownCells;
    ColorChooser m_chooseColor;
    FontChooser m_chooseFont;
};

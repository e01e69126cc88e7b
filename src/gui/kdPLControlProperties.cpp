#include "gui/kdPLControlProperties.h"

#include "common/Conversions.h"
#include "common/DesignScale.h"
#include "gui/SharedPropertyRows.h"
#include "platform/FormTheme.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QMetaProperty>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int KeyRole = Qt::UserRole;       // column 0: the row's property key
constexpr int ColorRole = Qt::UserRole + 1; // column 1 of a colour row: 0x00BBGGRR

qint32 fromQColor(const QColor &c)
{
    return RGB(c.red(), c.green(), c.blue());
}

QString flagText(bool on)
{
    return on ? QStringLiteral("-1") : QStringLiteral("0");
}

// The value column's editors: lists for the list rows, the caption of a list entry in place of
// its id, and every commit handed to the panel so that it raises its events.
class PropertyDelegate : public QStyledItemDelegate {
public:
    explicit PropertyDelegate(kdPLControlProperties *panel) : QStyledItemDelegate(panel), m_panel(panel) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        const PropertyEditor ed = m_panel->EditorOf(index.row());
        switch (ed.kind) {
        case PropertyEditorKind::Button:
            return nullptr;
        case PropertyEditorKind::Text:
            return QStyledItemDelegate::createEditor(parent, option, index);
        case PropertyEditorKind::List:
        case PropertyEditorKind::EditableList:
            break;
        }
        auto *combo = new QComboBox(parent);
        combo->setObjectName(QStringLiteral("cboPropertyList"));
        if (ed.kind == PropertyEditorKind::List) {
            for (const PropertyListEntry &e : ParsePropertyList(ed.list))
                combo->addItem(e.id + QLatin1Char(' ') + e.caption, e.id);
        } else {
            combo->setEditable(true);
            combo->addItems(ed.list.split(QLatin1Char('|')));
        }
        // The list opens as soon as the cell is edited.
        QTimer::singleShot(0, combo, [combo] {
            if (combo->isVisible())
                combo->showPopup();
        });
        return combo;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *combo = qobject_cast<QComboBox *>(editor);
        if (!combo)
            return QStyledItemDelegate::setEditorData(editor, index);
        const QString text = index.data(Qt::EditRole).toString();
        const int at = combo->findData(text);
        if (at >= 0)
            combo->setCurrentIndex(at);
        else
            combo->setEditText(text);
    }

    void setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const override
    {
        QString text;
        if (auto *combo = qobject_cast<QComboBox *>(editor))
            text = combo->isEditable() ? combo->currentText() : combo->currentData().toString();
        else
            text = editor->property(editor->metaObject()->userProperty().name()).toString();
        const QString key = index.siblingAtColumn(0).data(KeyRole).toString();
        if (text != index.data(Qt::EditRole).toString())
            m_panel->CommitEdit(key, text);
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const PropertyEditor ed = m_panel->EditorOf(index.row());
        if (ed.kind != PropertyEditorKind::List)
            return;
        for (const PropertyListEntry &e : ParsePropertyList(ed.list)) {
            if (e.id == option->text) {
                option->text = e.id + QLatin1Char(' ') + e.caption;
                return;
            }
        }
    }

private:
    kdPLControlProperties *m_panel;
};
} // namespace

kdPLControlProperties::kdPLControlProperties(QWidget *parent) : QWidget(parent)
{
    const auto &rows = PropertyRowDefs();
    m_grid = new QTableWidget(int(rows.size()), 2, this);
    m_grid->setObjectName(QStringLiteral("vflexProperties"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("属性"), QStringLiteral("设置值")});
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked
                            | QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed);
    m_grid->setItemDelegateForColumn(1, new PropertyDelegate(this));
    m_shownCells.resize(rows.size());
    for (int r = 0; r < int(rows.size()); ++r) {
        auto *name = new QTableWidgetItem(rows[size_t(r)].caption);
        name->setData(KeyRole, rows[size_t(r)].key);
        name->setFlags(Qt::ItemIsEnabled);
        m_grid->setItem(r, 0, name);
        auto *value = new QTableWidgetItem;
        m_grid->setItem(r, 1, value);
        if (PropertyEditorFor(rows[size_t(r)].key, clsPLControl()).kind == PropertyEditorKind::Button) {
            value->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            addButton(r, rows[size_t(r)].key);
        }
    }
    m_tips = new QPlainTextEdit(PropertyTipsText(), this);
    m_tips->setObjectName(QStringLiteral("txtTip"));
    m_tips->setReadOnly(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
    layout->addWidget(m_tips);
    m_chooseColor = [this](qint32 current) { return defaultChooseColor(current); };
    m_chooseFont = [this](const clsStructFont &current) { return defaultChooseFont(current); };
    Obj2Me(nullptr);
}

void kdPLControlProperties::addButton(int row, const QString &key)
{
    auto *cell = new QWidget;
    auto *layout = new QHBoxLayout(cell);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    auto *button = new QToolButton(cell);
    button->setObjectName(QStringLiteral("cmdChoose") + key);
    button->setText(QStringLiteral("..."));
    layout->addWidget(button);
    connect(button, &QToolButton::clicked, this, [this, key] { PressButton(key); });
    m_grid->setCellWidget(row, 1, cell);
}

QTableWidgetItem *kdPLControlProperties::valueItem(const QString &key) const
{
    const int row = PropertyRowOf(key);
    return row < 0 ? nullptr : m_grid->item(row, 1);
}

QString kdPLControlProperties::CellText(const QString &key) const
{
    const QTableWidgetItem *item = valueItem(key);
    return item ? item->text() : QString();
}

qint32 kdPLControlProperties::CellColor(const QString &key) const
{
    const QTableWidgetItem *item = valueItem(key);
    return item ? item->data(ColorRole).toInt() : 0;
}

PropertyEditor kdPLControlProperties::EditorOf(int row) const
{
    const auto &rows = PropertyRowDefs();
    if (row < 0 || row >= int(rows.size()))
        return {};
    return PropertyEditorFor(rows[size_t(row)].key, m_shown);
}

void kdPLControlProperties::setCellColor(int row, qint32 color)
{
    QTableWidgetItem *item = m_grid->item(row, 1);
    item->setData(ColorRole, color);
    item->setBackground(ResolveColor(color));
}

void kdPLControlProperties::clearCell(int row)
{
    QTableWidgetItem *item = m_grid->item(row, 1);
    item->setText(QString());
    item->setData(ColorRole, QVariant());
    item->setBackground(QBrush());
}

void kdPLControlProperties::showGrid()
{
    m_tips->hide();
    m_grid->show();
}

void kdPLControlProperties::Obj2Me(const clsPLControl *element)
{
    const auto &rows = PropertyRowDefs();
    m_grid->setCurrentItem(nullptr);
    if (!element) {
        for (int r = 0; r < int(rows.size()); ++r)
            clearCell(r);
        m_oldKeyName.clear();
        m_shownKeys.clear();
        m_shown = clsPLControl();
        m_grid->hide();
        m_tips->show();
        return;
    }
    m_shown = *element;
    m_oldKeyName = element->KeyName();
    m_shownKeys = {m_oldKeyName};
    for (int r = 0; r < int(rows.size()); ++r) {
        const QString &key = rows[size_t(r)].key;
        PropertyCell &cell = m_shownCells[size_t(r)];
        cell = PropertyCell{};
        if (IsColorProperty(key)) {
            cell.shownColor = PropertyColor(*element, key);
            cell.color = cell.shownColor;
            setCellColor(r, *cell.color);
        } else {
            cell.text = cell.shownText = PropertyText(*element, key);
            m_grid->item(r, 1)->setText(cell.text);
        }
        m_grid->item(r, 0)->setText(rows[size_t(r)].caption);
        m_grid->setRowHidden(r, true);
    }
    for (const ShownPropertyRow &shown : ShownPropertyRows(*element)) {
        m_grid->item(shown.row, 0)->setText(shown.caption);
        m_grid->setRowHidden(shown.row, false);
    }
    showGrid();
}

void kdPLControlProperties::Objs2Me(const std::vector<const clsPLControl *> &elements)
{
    if (elements.size() <= 1) {
        Obj2Me(elements.empty() ? nullptr : elements.front());
        return;
    }
    const auto &rows = PropertyRowDefs();
    m_grid->setCurrentItem(nullptr);
    // The first element stands for all of them where the editors are chosen: the rows shown
    // have the same editor for every one.
    m_shown = *elements.front();
    m_oldKeyName.clear();
    m_shownKeys.clear();
    m_shownKeys.reserve(qsizetype(elements.size()));
    for (const clsPLControl *e : elements)
        m_shownKeys << e->KeyName();
    // Every cell starts blank, so that only the rows edited now are written to the elements.
    for (int r = 0; r < int(rows.size()); ++r) {
        m_shownCells[size_t(r)] = PropertyCell{};
        clearCell(r);
        m_grid->item(r, 0)->setText(rows[size_t(r)].caption);
        m_grid->setRowHidden(r, true);
    }
    for (const SharedPropertyRow &shared : SharedPropertyRows(elements)) {
        PropertyCell &cell = m_shownCells[size_t(shared.row)];
        if (shared.same && IsColorProperty(rows[size_t(shared.row)].key)) {
            cell.color = cell.shownColor = shared.color;
            setCellColor(shared.row, shared.color);
        } else if (shared.same) {
            cell.text = cell.shownText = shared.text;
            m_grid->item(shared.row, 1)->setText(shared.text);
        }
        m_grid->item(shared.row, 0)->setText(shared.caption);
        m_grid->setRowHidden(shared.row, false);
    }
    showGrid();
}

std::vector<PropertyCell> kdPLControlProperties::EditedCells() const
{
    std::vector<PropertyCell> cells = m_shownCells;
    for (int r = 0; r < int(cells.size()); ++r) {
        const QTableWidgetItem *item = m_grid->item(r, 1);
        cells[size_t(r)].text = item->text();
        const QVariant color = item->data(ColorRole);
        cells[size_t(r)].color = color.isValid() ? std::optional<qint32>(color.toInt()) : std::nullopt;
    }
    return cells;
}

void kdPLControlProperties::Me2Obj(clsPLControl &element) const
{
    ApplyPropertyCells(element, EditedCells());
}

void kdPLControlProperties::CommitEdit(const QString &key, const QString &newText)
{
    QTableWidgetItem *item = valueItem(key);
    if (!item)
        return;
    bool cancel = false;
    emit BeforePropertyChanged(key, item->text(), newText, &cancel);
    if (cancel)
        return;
    item->setText(newText);
    emit AfterPropertyChanged(key, newText);
}

bool kdPLControlProperties::commitColor(const QString &key, qint32 color)
{
    bool cancel = false;
    emit BeforePropertyChanged(key, QString::number(CellColor(key)), QString::number(color), &cancel);
    if (cancel)
        return false;
    setCellColor(PropertyRowOf(key), color);
    return true;
}

void kdPLControlProperties::PressButton(const QString &key)
{
    if (m_oldKeyName.isEmpty() && m_grid->isHidden())
        return;
    if (key == QLatin1String("FONTNAME")) {
        chooseFont();
        return;
    }
    if (!IsColorProperty(key))
        return;
    const std::optional<qint32> chosen = m_chooseColor(CellColor(key));
    if (chosen && commitColor(key, *chosen))
        emit AfterPropertyChanged(key, QString::number(*chosen));
}

void kdPLControlProperties::chooseFont()
{
    clsStructFont font;
    font.setFontName(CellText(QStringLiteral("FONTNAME")));
    font.setFontSize(ToLong(CellText(QStringLiteral("FONTSIZE")), 0));
    font.setFontBold(ToLong(CellText(QStringLiteral("FONTBOLD")), 0) != 0);
    font.setFontItalic(ToLong(CellText(QStringLiteral("FONTITALIC")), 0) != 0);
    font.setFontStrikethru(ToLong(CellText(QStringLiteral("FONTSTRIKETHRU")), 0) != 0);
    font.setFontUnderline(ToLong(CellText(QStringLiteral("FONTUNDERLINE")), 0) != 0);
    font.setFontColor(CellColor(QStringLiteral("FORECOLOR")));
    const std::optional<clsStructFont> chosen = m_chooseFont(font);
    if (!chosen)
        return;
    bool cancel = false;
    emit BeforePropertyChanged(QStringLiteral("FONTNAME"), font.FontName(), chosen->FontName(), &cancel);
    if (cancel)
        return;
    valueItem(QStringLiteral("FONTNAME"))->setText(chosen->FontName());
    valueItem(QStringLiteral("FONTSIZE"))->setText(QString::number(chosen->FontSize()));
    valueItem(QStringLiteral("FONTBOLD"))->setText(flagText(chosen->FontBold()));
    valueItem(QStringLiteral("FONTITALIC"))->setText(flagText(chosen->FontItalic()));
    valueItem(QStringLiteral("FONTSTRIKETHRU"))->setText(flagText(chosen->FontStrikethru()));
    valueItem(QStringLiteral("FONTUNDERLINE"))->setText(flagText(chosen->FontUnderline()));
    setCellColor(PropertyRowOf(QStringLiteral("FORECOLOR")), chosen->FontColor());
    emit AfterPropertyChanged(QStringLiteral("FONTNAME"), chosen->FontName());
}

std::optional<qint32> kdPLControlProperties::defaultChooseColor(qint32 current)
{
    const QColor c = QColorDialog::getColor(ResolveColor(current), this);
    if (!c.isValid())
        return std::nullopt;
    return fromQColor(c);
}

QString kdPLControlProperties::FamilyAfterChoice(const QString &stored, const QFont &offered,
                                                const QFont &chosen)
{
    // The dialog offers the family the stored name stands for on this machine ("宋体" may be
    // drawn with another CJK family); handing that back means the family was not changed.
    if (!stored.isEmpty()
        && (chosen.family() == offered.family() || chosen.family() == QFontInfo(offered).family()))
        return stored;
    return chosen.family();
}

std::optional<clsStructFont> kdPLControlProperties::defaultChooseFont(const clsStructFont &current)
{
    QFont initial(current.FontName().isEmpty() ? font().family() : current.FontName());
    if (current.FontSize() > 0)
        initial.setPointSize(current.FontSize());
    initial.setBold(current.FontBold());
    initial.setItalic(current.FontItalic());
    initial.setStrikeOut(current.FontStrikethru());
    initial.setUnderline(current.FontUnderline());
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, this);
    if (!ok)
        return std::nullopt;
    clsStructFont result = current;
    result.setFontName(FamilyAfterChoice(current.FontName(), initial, chosen));
    result.setFontSize(chosen.pointSize() > 0 ? chosen.pointSize() : current.FontSize());
    result.setFontBold(chosen.bold());
    result.setFontItalic(chosen.italic());
    result.setFontStrikethru(chosen.strikeOut());
    result.setFontUnderline(chosen.underline());
    return result;
}

#include "gui/PLPropertyRows.h"

#include "common/Conversions.h"
#include "common/ToNumber.h"
#include "common/VbFormat.h"
#include "model/ElementFields.h"
#include "model/ElementKind.h"

#include <QHash>

namespace {
const QString kNoYes = QStringLiteral("#0;0@否|#1;1@是");

QString listText(const QString &withAt)
{
    QString s = withAt;
    return s.replace(QLatin1Char('@'), QLatin1Char('\t'));
}

QString twoDecimals(double v)
{
    return VbFormatNumber(v, QStringLiteral("#0.00"));
}

// The rows each kind shows, in grid order, with the captions it gives them (an empty caption
// keeps the row's own).
struct KindRows {
    ElementKind kind;
    std::vector<std::pair<const char *, const char *>> rows;
};

const std::vector<KindRows> &kindRows()
{
    static const std::vector<KindRows> table = {
        {ElementKind::TextLabel,
         {{"FIELDVALUE", "内容"}, {"ALIGNMENT", ""}, {"FORECOLOR", ""}, {"BACKCOLOR", ""},
          {"BACKSTYLE", ""}, {"BORDERSYTLE", "边框"}, {"FONTNAME", ""}, {"FONTBOLD", ""},
          {"FONTITALIC", ""}, {"FONTSIZE", ""}, {"FONTSTRIKETHRU", ""}, {"FONTUNDERLINE", ""},
          {"SPACEBETWEENCHAR", ""}, {"LEFT", "左位置(mm)"}, {"TOP", "顶位置(mm)"},
          {"WIDTH", "宽度(mm)"}, {"HEIGHT", "高度(mm)"}}},
        {ElementKind::NumberBlock,
         {{"GROUPID", ""}, {"FIELDVALUE", "号码"}, {"LEFT", "左位置(mm)"}, {"TOP", "顶位置(mm)"}}},
        {ElementKind::Mark,
         {{"LEFT", "左位置(mm)"}, {"TOP", "顶位置(mm)"}, {"WIDTH", "宽度(mm)"},
          {"HEIGHT", "高度(mm)"}, {"ISALWAYSPRINT", "永远可见"}}},
        {ElementKind::Line,
         {{"BORDERCOLOR", ""}, {"BORDERSYTLE", "线型"}, {"BORDERWIDTH", ""}, {"LEFT", "X1(mm)"},
          {"TOP", "Y1(mm)"}, {"WIDTH", "X2(mm)"}, {"HEIGHT", "Y2(mm)"}}},
    };
    return table;
}

// The element field behind each row's key: its stored name in capitals ("BORDERSYTLE" is
// the grid's key of BorderStyle). Only the grid's own keys are looked up.
const QHash<QString, const ElementField *> &fieldsByKey()
{
    static const QHash<QString, const ElementField *> table = [] {
        QHash<QString, const ElementField *> byName;
        for (const ElementField &f : ElementFields())
            byName.insert(QString::fromLatin1(f.Name).toUpper(), &f);
        byName.insert(QStringLiteral("BORDERSYTLE"), byName.value(QStringLiteral("BORDERSTYLE")));
        QHash<QString, const ElementField *> byKey;
        for (const PropertyRowDef &row : PropertyRowDefs())
            byKey.insert(row.key, byName.value(row.key));
        return byKey;
    }();
    return table;
}

bool isLine(const clsPLControl &element)
{
    return ElementKindOf(element) == ElementKind::Line;
}

bool isEndPoint(const QString &key)
{
    return key == QLatin1String("WIDTH") || key == QLatin1String("HEIGHT");
}

// A line's WIDTH row holds X2 and its HEIGHT row Y2.
double endPoint(const clsPLControl &element, const QString &key)
{
    return key == QLatin1String("WIDTH") ? element.Left() + element.Width()
                                         : element.Top() + element.Height();
}

void setEndPoint(clsPLControl &element, const QString &key, double end)
{
    if (key == QLatin1String("WIDTH"))
        element.setWidth(end - element.Left());
    else
        element.setHeight(end - element.Top());
}
} // namespace

const std::vector<PropertyRowDef> &PropertyRowDefs()
{
    static const std::vector<PropertyRowDef> rows = {
        {"GROUPID", "填涂区"},          {"FIELDVALUE", "内容"},
        {"ALIGNMENT", "对齐方式"},      {"FORECOLOR", "前景色"},
        {"BACKCOLOR", "背景色"},        {"BACKSTYLE", "允许背景色"},
        {"BORDERCOLOR", "线颜色"},      {"BORDERSYTLE", "线型"},
        {"BORDERWIDTH", "线宽"},        {"FONTNAME", "字体"},
        {"FONTBOLD", "粗体"},           {"FONTITALIC", "斜体"},
        {"FONTSIZE", "字体大小"},       {"FONTSTRIKETHRU", "删除线"},
        {"FONTUNDERLINE", "下划线"},    {"FORMATSTRING", "格式串"},
        {"SPACEBETWEENCHAR", "字符间距离(mm)"},
        {"LEFT", "左位置(mm)"},         {"TOP", "顶位置(mm)"},
        {"WIDTH", "宽度(mm)"},          {"HEIGHT", "高度(mm)"},
        {"ZORDERSEQ", "顺序"},          {"CONTROLTYPE", "类型"},
        {"SHOWTYPE", "子类型"},         {"GROUPID", "字段内部名称"},
        {"KEYNAME", "控件名称"},        {"VISIBLE", "是否可见"},
        {"ISALWAYSPRINT", "永远可见"},
    };
    return rows;
}

int PropertyRowOf(const QString &key)
{
    const auto &rows = PropertyRowDefs();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].key == key)
            return int(i);
    }
    return -1;
}

std::vector<ShownPropertyRow> ShownPropertyRows(const clsPLControl &element)
{
    std::vector<ShownPropertyRow> shown;
    const ElementKind kind = ElementKindOf(element);
    for (const KindRows &k : kindRows()) {
        if (k.kind != kind)
            continue;
        for (const auto &[key, caption] : k.rows) {
            const int row = PropertyRowOf(QString::fromLatin1(key));
            const QString own = PropertyRowDefs()[size_t(row)].caption;
            shown.push_back({row, *caption ? QString::fromUtf8(caption) : own});
        }
    }
    return shown;
}

PropertyEditor PropertyEditorFor(const QString &key, const clsPLControl &element)
{
    static const QStringList buttons = {"FORECOLOR", "BACKCOLOR", "BORDERCOLOR", "FONTNAME"};
    static const QStringList noYes = {"FONTBOLD", "FONTITALIC", "FONTSTRIKETHRU",
                                      "FONTUNDERLINE", "BACKSTYLE", "VISIBLE"};
    const ElementKind kind = ElementKindOf(element);
    if (buttons.contains(key))
        return {PropertyEditorKind::Button, {}};
    if (noYes.contains(key) || (key == QLatin1String("ISALWAYSPRINT") && kind == ElementKind::Mark))
        return {PropertyEditorKind::List, listText(kNoYes)};
    if (key == QLatin1String("ALIGNMENT"))
        return {PropertyEditorKind::List, listText(QStringLiteral("#0;0@左对齐|#1;1@右对齐|#2;2@居中"))};
    if (key == QLatin1String("BORDERSYTLE")) {
        if (kind == ElementKind::Line)
            return {PropertyEditorKind::List,
                    listText(QStringLiteral("#1;1@实线|#2;2@虚线|#3;3@点线|#4;4@点划线|"
                                            "#5;5@双点划线|#6;6@Inside Solid"))};
        return {PropertyEditorKind::List, listText(QStringLiteral("#0;0@无边框|#1;1@有边框"))};
    }
    if (key == QLatin1String("FIELDVALUE") && kind == ElementKind::TextLabel)
        return {PropertyEditorKind::EditableList, QStringLiteral("|{页码}|{注序号}|{日期}")};
    return {};
}

std::vector<PropertyListEntry> ParsePropertyList(const QString &list)
{
    std::vector<PropertyListEntry> entries;
    for (const QString &item : list.split(QLatin1Char('|'))) {
        // "#id;id<TAB>caption": the id after "#", the shown columns after ";".
        const int semi = item.indexOf(QLatin1Char(';'));
        if (!item.startsWith(QLatin1Char('#')) || semi < 0)
            continue;
        const QString columns = item.mid(semi + 1);
        const int tab = columns.indexOf(QLatin1Char('\t'));
        entries.push_back({item.mid(1, semi - 1), tab < 0 ? columns : columns.mid(tab + 1)});
    }
    return entries;
}

bool IsColorProperty(const QString &key)
{
    return key == QLatin1String("FORECOLOR") || key == QLatin1String("BACKCOLOR")
        || key == QLatin1String("BORDERCOLOR");
}

qint32 PropertyColor(const clsPLControl &element, const QString &key)
{
    return IsColorProperty(key) ? (element.*(fieldsByKey().value(key)->GetInt32))() : 0;
}

void SetPropertyColor(clsPLControl &element, const QString &key, qint32 color)
{
    if (IsColorProperty(key))
        (element.*(fieldsByKey().value(key)->SetInt32))(color);
}

QString PropertyText(const clsPLControl &element, const QString &key)
{
    const ElementField *f = fieldsByKey().value(key);
    if (!f || IsColorProperty(key))
        return QString();
    switch (f->Type) {
    case ElementFieldType::Text:
        return (element.*(f->GetText))();
    case ElementFieldType::Int32:
        return QString::number((element.*(f->GetInt32))());
    case ElementFieldType::Bool:
        return (element.*(f->GetBool))() ? QStringLiteral("1") : QStringLiteral("0");
    case ElementFieldType::Double:
        break;
    }
    if (isLine(element) && isEndPoint(key))
        return twoDecimals(endPoint(element, key));
    const bool labelLength = isEndPoint(key) && IsLabelKind(ElementKindOf(element));
    if (key == QLatin1String("LEFT") || key == QLatin1String("TOP")
        || key == QLatin1String("SPACEBETWEENCHAR") || labelLength)
        return twoDecimals((element.*(f->GetDouble))());
    return GeneralDouble((element.*(f->GetDouble))());
}

bool SamePropertyValue(const clsPLControl &a, const clsPLControl &b, const QString &key)
{
    if (IsColorProperty(key))
        return PropertyColor(a, key) == PropertyColor(b, key);
    // Equal values of one kind are written alike; only values that differ are formatted, since
    // two of them may still show the same two decimals.
    const ElementField *f = fieldsByKey().value(key);
    if (f && f->Type == ElementFieldType::Double && ElementKindOf(a) == ElementKindOf(b)) {
        const bool end = isLine(a) && isEndPoint(key);
        if (end ? endPoint(a, key) == endPoint(b, key)
                : (a.*(f->GetDouble))() == (b.*(f->GetDouble))())
            return true;
    }
    return PropertyText(a, key) == PropertyText(b, key);
}

void ApplyPropertyText(clsPLControl &element, const QString &key, const QString &text)
{
    const ElementField *f = fieldsByKey().value(key);
    if (!f || IsColorProperty(key))
        return;
    switch (f->Type) {
    case ElementFieldType::Text:
        (element.*(f->SetText))(text);
        return;
    case ElementFieldType::Int32:
        (element.*(f->SetInt32))(ToLong(text, (element.*(f->GetInt32))()));
        return;
    case ElementFieldType::Bool:
        (element.*(f->SetBool))(ToBoolean(text, (element.*(f->GetBool))()));
        return;
    case ElementFieldType::Double:
        break;
    }
    if (isLine(element) && isEndPoint(key)) {
        setEndPoint(element, key, ToNumber(text, endPoint(element, key)));
        return;
    }
    (element.*(f->SetDouble))(ToNumber(text, (element.*(f->GetDouble))()));
}

void ApplyPropertyCells(clsPLControl &element, const std::vector<PropertyCell> &cells)
{
    const auto &rows = PropertyRowDefs();
    const bool line = isLine(element);
    const double shownStart[2] = {element.Left(), element.Top()};
    const double shownEnd[2] = {element.Left() + element.Width(), element.Top() + element.Height()};
    const PropertyCell *endCells[2] = {nullptr, nullptr};
    for (size_t i = 0; i < rows.size() && i < cells.size(); ++i) {
        const QString &key = rows[i].key;
        const PropertyCell &cell = cells[i];
        if (line && isEndPoint(key)) {
            endCells[key == QLatin1String("WIDTH") ? 0 : 1] = &cell;
            continue;
        }
        // The second "GROUPID" row is never shown: a lookup by key always finds the first.
        if (!cell.changed() || PropertyRowOf(key) != int(i))
            continue;
        if (IsColorProperty(key)) {
            if (cell.color)
                SetPropertyColor(element, key, *cell.color);
        } else {
            ApplyPropertyText(element, key, cell.text);
        }
    }
    if (!line)
        return;
    // A line's end point stays where it was unless X2 or Y2 was edited, wherever the start
    // point went; a text that does not convert keeps it too. Where neither end moved the
    // length is left alone: working it out again could only round it.
    for (int axis = 0; axis < 2; ++axis) {
        const PropertyCell *cell = endCells[axis];
        const double end = cell && cell->changed() ? ToNumber(cell->text, shownEnd[axis]) : shownEnd[axis];
        const double start = axis == 0 ? element.Left() : element.Top();
        if (end == shownEnd[axis] && start == shownStart[axis])
            continue;
        setEndPoint(element, axis == 0 ? QStringLiteral("WIDTH") : QStringLiteral("HEIGHT"), end);
    }
}

QString PropertyTipsText()
{
    return QStringLiteral("\n"
                          "    使用批量添加功能，您可以很快的设计好一个投注单；\n"
                          "    您只需要设计投注单上第一注的填涂区域即可；\n"
                          "    您可以使用工具栏上的缩放功能，来放大或者缩小设计视图；\n"
                          "    整体的页边距可以在“投注单属性”里进行调整，也可以在主界面打印时进行临时调整；\n"
                          "    标尺线是以厘米为单位的，绝对准确；\n"
                          "    小技巧：您可以使用画线功能来测量投注单设计图的位置、距离");
}

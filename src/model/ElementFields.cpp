#include "model/ElementFields.h"

#include <type_traits>

namespace {
using E = clsPLControl;
using S = ElementFieldStorage;

// One entry from its accessor pair; the getter's type gives the field's type.
template <class Get, class Set>
ElementField field(const char *name, S storage, Get get, Set set)
{
    ElementField f{name, ElementFieldType::Text, storage};
    if constexpr (std::is_same_v<Get, QString (E::*)() const>) {
        f.GetText = get;
        f.SetText = set;
    } else if constexpr (std::is_same_v<Get, double (E::*)() const>) {
        f.Type = ElementFieldType::Double;
        f.GetDouble = get;
        f.SetDouble = set;
    } else if constexpr (std::is_same_v<Get, qint32 (E::*)() const>) {
        f.Type = ElementFieldType::Int32;
        f.GetInt32 = get;
        f.SetInt32 = set;
    } else {
        static_assert(std::is_same_v<Get, bool (E::*)() const>, "an element field of another type");
        f.Type = ElementFieldType::Bool;
        f.GetBool = get;
        f.SetBool = set;
    }
    return f;
}
} // namespace

const std::array<ElementField, ElementFieldCount> &ElementFields()
{
    static const std::array<ElementField, ElementFieldCount> fields{{
        field("KeyName", S::Always, &E::KeyName, &E::setKeyName),
        field("ControlType", S::Always, &E::ControlType, &E::setControlType),
        field("GroupID", S::Always, &E::GroupID, &E::setGroupID),
        field("ShowType", S::Always, &E::ShowType, &E::setShowType),
        field("FieldValue", S::Always, &E::FieldValue, &E::setFieldValue),
        field("Left", S::Always, &E::Left, &E::setLeft),
        field("Top", S::Always, &E::Top, &E::setTop),
        field("Width", S::Always, &E::Width, &E::setWidth),
        field("Height", S::Always, &E::Height, &E::setHeight),
        field("IsAlwaysPrint", S::Always, &E::IsAlwaysPrint, &E::setIsAlwaysPrint),
        field("BorderStyle", S::LabelStyle, &E::BorderStyle, &E::setBorderStyle),
        field("BackStyle", S::LabelStyle, &E::BackStyle, &E::setBackStyle),
        field("BackColor", S::LabelStyle, &E::BackColor, &E::setBackColor),
        field("ForeColor", S::LabelStyle, &E::ForeColor, &E::setForeColor),
        field("Visible", S::LabelStyle, &E::Visible, &E::setVisible),
        field("ZorderSeq", S::LabelStyle, &E::ZorderSeq, &E::setZorderSeq),
        field("SpaceBetweenChar", S::LabelStyle, &E::SpaceBetweenChar, &E::setSpaceBetweenChar),
        field("FormatString", S::LabelStyle, &E::FormatString, &E::setFormatString),
        field("FontName", S::LabelStyle, &E::FontName, &E::setFontName),
        field("FontBold", S::LabelStyle, &E::FontBold, &E::setFontBold),
        field("FontItalic", S::LabelStyle, &E::FontItalic, &E::setFontItalic),
        field("FontSize", S::LabelStyle, &E::FontSize, &E::setFontSize),
        field("FontUnderline", S::LabelStyle, &E::FontUnderline, &E::setFontUnderline),
        field("FontStrikethru", S::LabelStyle, &E::FontStrikethru, &E::setFontStrikethru),
        field("Alignment", S::LabelStyle, &E::Alignment, &E::setAlignment),
        field("BorderWidth", S::LabelStyle, &E::BorderWidth, &E::setBorderWidth),
        field("BorderColor", S::LabelStyle, &E::BorderColor, &E::setBorderColor),
        field("TempIndex", S::Never, &E::TempIndex, &E::setTempIndex),
        field("IsAllowResize", S::Never, &E::IsAllowResize, &E::setIsAllowResize),
    }};
    return fields;
}

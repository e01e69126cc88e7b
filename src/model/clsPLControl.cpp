#include "model/clsPLControl.h"

#include "common/DesignScale.h"
#include "model/ElementKind.h"

void clsPLControl::CopyFrom(const clsPLControl &other)
{
    if (&other != this)
        *this = other;
}

bool clsPLControl::IsBlockOrMark() const
{
    return IsBlockOrMarkKind(ElementKindOf(m_ControlType, m_ShowType));
}

void clsPLControl::ApplyBlockStyle()
{
    m_BackStyle = 1;
    m_BackColor = GetGroupColor(m_GroupID);
    m_ForeColor = InvertColor(m_BackColor);
    m_Visible = 1;
    m_FontBold = 0;
    m_FontItalic = 0;
    m_FontSize = 8;
    m_FontStrikethru = 0;
    m_FontUnderline = 0;
    m_Alignment = 2;
    m_IsAllowResize = false;
}

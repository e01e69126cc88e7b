#pragma once
#include <QString>

// One element of a slip template: a number block, an extra or locating mark, a text label or a
// line. Lengths are millimetres relative to the layout origin of the first stake; for a line,
// Width and Height are the signed distances from its start point to its end point.
//
// Kinds by ControlType / ShowType: "Label"/"LottNumber" number block, "Label"/"LocateMark" mark,
// "Label"/"NormalLable" text label, "Line"/"Line" line.
class clsPLControl {
public:
    void setKeyName(const QString &v) { m_KeyName = v; }
    QString KeyName() const { return m_KeyName; }
    void setControlType(const QString &v) { m_ControlType = v; }
    QString ControlType() const { return m_ControlType; }
    void setShowType(const QString &v) { m_ShowType = v; }
    QString ShowType() const { return m_ShowType; }
    void setGroupID(const QString &v) { m_GroupID = v; }
    QString GroupID() const { return m_GroupID; }
    void setFieldValue(const QString &v) { m_FieldValue = v; }
    QString FieldValue() const { return m_FieldValue; }
    void setLeft(double v) { m_Left = v; }
    double Left() const { return m_Left; }
    void setTop(double v) { m_Top = v; }
    double Top() const { return m_Top; }
    void setWidth(double v) { m_Width = v; }
    double Width() const { return m_Width; }
    void setHeight(double v) { m_Height = v; }
    double Height() const { return m_Height; }
    void setBorderStyle(qint32 v) { m_BorderStyle = v; }
    qint32 BorderStyle() const { return m_BorderStyle; }
    void setBackStyle(qint32 v) { m_BackStyle = v; }
    qint32 BackStyle() const { return m_BackStyle; }
    void setBackColor(qint32 v) { m_BackColor = v; }
    qint32 BackColor() const { return m_BackColor; }
    void setForeColor(qint32 v) { m_ForeColor = v; }
    qint32 ForeColor() const { return m_ForeColor; }
    void setVisible(qint32 v) { m_Visible = v; }
    qint32 Visible() const { return m_Visible; }
    void setZorderSeq(qint32 v) { m_ZorderSeq = v; }
    qint32 ZorderSeq() const { return m_ZorderSeq; }
    // A length in twips, used unchanged by the label control and the print engine.
    void setSpaceBetweenChar(double v) { m_SpaceBetweenChar = v; }
    double SpaceBetweenChar() const { return m_SpaceBetweenChar; }
    void setFormatString(const QString &v) { m_FormatString = v; }
    QString FormatString() const { return m_FormatString; }
    void setFontName(const QString &v) { m_FontName = v; }
    QString FontName() const { return m_FontName; }
    // The font flags hold whatever number was assigned; true from a control arrives as -1.
    void setFontBold(qint32 v) { m_FontBold = v; }
    qint32 FontBold() const { return m_FontBold; }
    void setFontItalic(qint32 v) { m_FontItalic = v; }
    qint32 FontItalic() const { return m_FontItalic; }
    void setFontSize(double v) { m_FontSize = v; }
    double FontSize() const { return m_FontSize; }
    void setFontUnderline(qint32 v) { m_FontUnderline = v; }
    qint32 FontUnderline() const { return m_FontUnderline; }
    void setFontStrikethru(qint32 v) { m_FontStrikethru = v; }
    qint32 FontStrikethru() const { return m_FontStrikethru; }
    void setAlignment(qint32 v) { m_Alignment = v; }
    qint32 Alignment() const { return m_Alignment; }
    void setBorderWidth(qint32 v) { m_BorderWidth = v; }
    qint32 BorderWidth() const { return m_BorderWidth; }
    void setBorderColor(qint32 v) { m_BorderColor = v; }
    qint32 BorderColor() const { return m_BorderColor; }
    void setTempIndex(qint32 v) { m_TempIndex = v; }
    qint32 TempIndex() const { return m_TempIndex; }
    void setIsAllowResize(bool v) { m_IsAllowResize = v; }
    bool IsAllowResize() const { return m_IsAllowResize; }
    void setIsAlwaysPrint(bool v) { m_IsAlwaysPrint = v; }
    bool IsAlwaysPrint() const { return m_IsAlwaysPrint; }

    // Copies every property of the other element, TempIndex and IsAllowResize included.
    void CopyFrom(const clsPLControl &other);
    // Every field equal (model/ElementFields.h lists them), TempIndex and IsAllowResize too.
    bool operator==(const clsPLControl &) const = default;

    // A number block or a mark: their style is fixed and derived, never stored.
    bool IsBlockOrMark() const;
    // Gives a number block or mark the style it always has: opaque, in its group's colour
    // with the inverted colour for its text, visible, 8 points centred, not resizable.
    void ApplyBlockStyle();

private:
    QString m_KeyName;
    QString m_ControlType;
    QString m_ShowType = QStringLiteral("NormalLable");
    QString m_GroupID;
    QString m_FieldValue;
    double m_Left = 0;
    double m_Top = 0;
    double m_Width = 0;
    double m_Height = 0;
    qint32 m_BorderStyle = 0;
    qint32 m_BackStyle = 0;
    qint32 m_BackColor = 0;
    qint32 m_ForeColor = 0;
    qint32 m_Visible = 0;
    qint32 m_ZorderSeq = 0;
    double m_SpaceBetweenChar = 0;
    QString m_FormatString;
    QString m_FontName;
    qint32 m_FontBold = 0;
    qint32 m_FontItalic = 0;
    double m_FontSize = 0;
    qint32 m_FontUnderline = 0;
    qint32 m_FontStrikethru = 0;
    qint32 m_Alignment = 0;
    qint32 m_BorderWidth = 0;
    qint32 m_BorderColor = 0;
    qint32 m_TempIndex = 0;
    bool m_IsAllowResize = true;
    bool m_IsAlwaysPrint = false;
};

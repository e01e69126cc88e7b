#include "dialogs/DialogElements.h"
#include "common/Blanks.h"

#include "common/DesignScale.h"
#include "model/colPLControls.h"

namespace {
clsPLControl newBlockLike(const QString &showType, const QString &fontName)
{
    clsPLControl e;
    e.setControlType(QStringLiteral("Label"));
    e.setShowType(showType);
    e.ApplyBlockStyle();
    e.setBorderStyle(1);
    e.setFontName(fontName);
    return e;
}
} // namespace

void ApplyGroupColors(clsPLControl &element)
{
    element.setBackColor(GetGroupColor(element.GroupID()));
    element.setForeColor(InvertColor(element.BackColor()));
}

void FitBlockToTemplate(clsPLControl &block, const colPLControls &layout)
{
    block.setWidth(layout.LottNumberWidth());
    block.setHeight(layout.LottNumberHeight());
    ApplyGroupColors(block);
}

clsPLControl NewLottNumberBlock(const QString &groupId, const QString &number,
                                const colPLControls &layout, const QString &fontName)
{
    clsPLControl e = newBlockLike(QStringLiteral("LottNumber"), fontName);
    e.setGroupID(TrimBlanks(groupId).toUpper());
    e.setFieldValue(TrimBlanks(number).toUpper());
    FitBlockToTemplate(e, layout);
    return e;
}

clsPLControl NewExtraMark(double width, double height, const QString &fontName)
{
    clsPLControl e = newBlockLike(QStringLiteral("LocateMark"), fontName);
    e.setWidth(width);
    e.setHeight(height);
    // The colour of "20": any text that names no fill area.
    e.setGroupID(QStringLiteral("20"));
    ApplyGroupColors(e);
    e.setGroupID(QString());
    e.setIsAllowResize(true);
    return e;
}

clsPLControl NewTextLabel(const QString &text, const QString &fontName, double fontSize)
{
    clsPLControl e;
    e.setControlType(QStringLiteral("Label"));
    e.setShowType(QStringLiteral("NormalLable"));
    e.setFieldValue(text);
    e.setBorderStyle(0);
    e.setBackStyle(0);
    e.setBackColor(RGB(255, 255, 255));
    e.setForeColor(RGB(0, 0, 0));
    e.setVisible(1);
    e.setFontBold(0);
    e.setFontItalic(0);
    e.setFontName(fontName);
    e.setFontSize(fontSize);
    e.setFontStrikethru(0);
    e.setFontUnderline(0);
    e.setAlignment(0);
    return e;
}

clsPLControl NewLine()
{
    clsPLControl e;
    e.setControlType(QStringLiteral("Line"));
    e.setShowType(QStringLiteral("Line"));
    e.setVisible(1);
    e.setBorderWidth(1);
    e.setBorderColor(RGB(0, 0, 0));
    e.setBorderStyle(1);
    return e;
}

#pragma once
// The common look every window gives itself when it loads: one font, colours from a small
// palette, captions and tool tips through FormatMsg, and the hand pointer on link labels.
// A control's look is steered by its style tag, the text of its dynamic property "Tag":
// "textColourCode,backColourCode,captionMsgNo,toolTipMsgNo,free text".
#include <QColor>
#include <QString>

class QWidget;

// System colours carry the top bit, as colour references of the desktop do.
constexpr qint32 SysButtonFace = qint32(0x8000000F);
constexpr qint32 SysHighlightText = qint32(0x8000000E);
constexpr qint32 SysHighlight = qint32(0x8000000D);

// The palette: a colour reference (0x00BBGGRR, or a system colour) for a colour code.
qint32 GetThemeColor(int code);
// A colour reference as a QColor; system colours come from the application palette.
QColor ResolveColor(qint32 colourRef);

struct StyleTag {
    qint16 textColor = 0;
    qint16 backColor = 1;
    qint32 captionMsgNo = 1;
    qint32 toolTipMsgNo = 1;
    QString freeText;
};
StyleTag ParseStyleTag(const QString &text);

// The name of the dynamic property that holds a control's style tag.
inline const char *StyleTagProperty() { return "Tag"; }

// Themes the window and every control on it, in creation order. A property a control does not
// have is skipped; theming goes on with the next control.
void ApplyFormTheme(QWidget *window);

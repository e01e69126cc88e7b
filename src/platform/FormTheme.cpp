#include "platform/FormTheme.h"
#include "common/Conversions.h"
#include "common/DesignScale.h"
#include "common/FormatMsg.h"
#include "common/PathFile.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

qint32 GetThemeColor(int code)
{
    switch (code) {
    case 1: case 3: case 8: return SysButtonFace;
    case 5: case 10: case 12: return RGB(255, 255, 255);
    case 7: return RGB(0, 255, 198);
    case 14: return RGB(217, 244, 251);
    case 16: return RGB(245, 245, 245);
    case 17: return SysHighlightText;
    case 18: return SysHighlight;
    case 19: return RGB(255, 255, 0);
    case 20: return RGB(255, 128, 64);
    case 21: return RGB(0, 0, 255);
    default: return RGB(1, 1, 1);
    }
}

QColor ResolveColor(qint32 ref)
{
    const QPalette pal = QApplication::palette();
    switch (ref) {
    case SysButtonFace: return pal.color(QPalette::Button);
    case SysHighlightText: return pal.color(QPalette::HighlightedText);
    case SysHighlight: return pal.color(QPalette::Highlight);
    default: return QColor(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
    }
}

StyleTag ParseStyleTag(const QString &text)
{
    StyleTag tag;
    const QStringList f = text.split(',');
    auto field = [&](int i) { return i < f.size() ? QVariant(f[i]) : QVariant(); };
    if (f.size() > 0)
        tag.textColor = qint16(ToLong(field(0), 0));
    if (f.size() > 1)
        tag.backColor = qint16(ToLong(field(1), 1));
    if (f.size() > 2)
        tag.captionMsgNo = ToLong(field(2), 1);
    if (f.size() > 3)
        tag.toolTipMsgNo = ToLong(field(3), 1);
    if (f.size() > 4)
        tag.freeText = f[4];
    return tag;
}

namespace {

StyleTag tagOf(const QObject *o) { return ParseStyleTag(o->property(StyleTagProperty()).toString()); }

QString msg(qint32 no, const QString &text) { return FormatMsg(QString::number(no), text); }

void setColours(QWidget *w, int textCode, int backCode, bool fillBackground)
{
    QPalette pal = w->palette();
    const QColor fg = ResolveColor(GetThemeColor(textCode));
    const QColor bg = ResolveColor(GetThemeColor(backCode));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        pal.setColor(role, fg);
    pal.setColor(fillBackground ? QPalette::Window : QPalette::Base, bg);
    if (!fillBackground)
        pal.setColor(QPalette::Window, bg);
    w->setPalette(pal);
    if (fillBackground)
        w->setAutoFillBackground(true);
}

void themeFont(QWidget *w)
{
    QFont f = w->font();
    f.setFamily(DefaultFontName());
    f.setPointSize(9);
    w->setFont(f);
}

void themeToolTip(QWidget *w, const StyleTag &tag)
{
    if (!w->toolTip().isEmpty())
        w->setToolTip(msg(tag.toolTipMsgNo, w->toolTip()));
}

void themeActions(QWidget *w)
{
    for (QAction *a : w->actions()) {
        const StyleTag tag = tagOf(a);
        a->setText(msg(tag.captionMsgNo, a->text()));
        if (!a->toolTip().isEmpty())
            a->setToolTip(msg(tag.toolTipMsgNo, a->toolTip()));
    }
}

void themeControl(QWidget *w)
{
    themeFont(w);
    const StyleTag tag = tagOf(w);
    if (auto *label = qobject_cast<QLabel *>(w)) {
        label->setText(msg(tag.captionMsgNo, label->text()));
        // A label of the default back colour sits on whatever its frame paints (a group box's
        // panel is not the window's colour in every style); only a colour of its own is filled.
        setColours(label, tag.textColor, tag.backColor, tag.backColor != 1);
        if (tag.textColor == 21) {
            QFont f = label->font();
            f.setUnderline(true);
            label->setFont(f);
            label->setCursor(Qt::PointingHandCursor);
        }
    } else if (qobject_cast<QGroupBox *>(w) || qobject_cast<QRadioButton *>(w)
               || qobject_cast<QCheckBox *>(w)) {
        if (auto *g = qobject_cast<QGroupBox *>(w))
            g->setTitle(msg(tag.captionMsgNo, g->title()));
        else if (auto *b = qobject_cast<QAbstractButton *>(w))
            b->setText(msg(tag.captionMsgNo, b->text()));
        setColours(w, tag.textColor, tag.backColor, false);
    } else if (qobject_cast<QPushButton *>(w) || qobject_cast<QToolButton *>(w)) {
        auto *b = static_cast<QAbstractButton *>(w);
        b->setText(msg(tag.captionMsgNo, b->text()));
        themeToolTip(w, tag);
    } else if (qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w)
               || qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QTextEdit *>(w)
               || qobject_cast<QPlainTextEdit *>(w)) {
        if (qobject_cast<QLineEdit *>(w) && w->parentWidget()
            && (qobject_cast<QComboBox *>(w->parentWidget()) || qobject_cast<QAbstractSpinBox *>(w->parentWidget())))
            return; // the edit inside a combo or spin box follows its owner
        themeToolTip(w, tag);
        setColours(w, tag.textColor == 0 ? 4 : tag.textColor, tag.backColor == 1 ? 5 : tag.backColor, false);
    } else if (auto *view = qobject_cast<QAbstractItemView *>(w)) {
        setColours(view, 9, 10, false);
    } else if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
        for (int i = 0; i < tabs->count(); ++i) {
            const StyleTag t = tagOf(tabs->widget(i));
            tabs->setTabText(i, msg(t.captionMsgNo, tabs->tabText(i)));
            if (!tabs->tabToolTip(i).isEmpty())
                tabs->setTabToolTip(i, msg(t.toolTipMsgNo, tabs->tabToolTip(i)));
        }
        setColours(tabs, 0, 8, false);
    } else if (qobject_cast<QToolBar *>(w) || qobject_cast<QMenu *>(w)) {
        themeActions(w);
    }
}

} // namespace

void ApplyFormTheme(QWidget *window)
{
    if (!window)
        return;
    QPalette pal = window->palette();
    pal.setColor(QPalette::Window, ResolveColor(GetThemeColor(8)));
    window->setPalette(pal);
    themeFont(window);
    if (!window->windowTitle().isEmpty())
        window->setWindowTitle(FormatMsg("1", window->windowTitle()));
    themeActions(window); // menu bar entries added to the window itself
    for (QWidget *w : window->findChildren<QWidget *>())
        themeControl(w);
}

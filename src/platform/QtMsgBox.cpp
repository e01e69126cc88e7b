#include "platform/QtMsgBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {
// The buttons carry the program's own Chinese captions, so that a text such as
// "要继续打印请按[确定]按钮" names a button the box really has, whatever language Qt runs in.
void ChineseCaptions(QMessageBox &box)
{
    const std::pair<QMessageBox::StandardButton, const char16_t *> captions[] = {
        {QMessageBox::Ok, u"确定"}, {QMessageBox::Cancel, u"取消"},
        {QMessageBox::Yes, u"是"}, {QMessageBox::No, u"否"}};
    for (const auto &[button, caption] : captions)
        if (QAbstractButton *b = box.button(button))
            b->setText(QString::fromUtf16(caption));
}
} // namespace

void SetUpMessageBox(QMessageBox &box, const QString &text, MsgStyle style)
{
    box.setWindowTitle(AppTitle());
    box.setText(text);
    switch (style) {
    case MsgStyle::Information:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgStyle::ConfirmDefaultNo:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        break;
    case MsgStyle::Question:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case MsgStyle::QuestionCancel:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MsgStyle::Exclamation:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgStyle::Plain:
        box.setIcon(QMessageBox::NoIcon);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgStyle::OkCancel:
    case MsgStyle::InformationOkCancel:
        box.setIcon(style == MsgStyle::OkCancel ? QMessageBox::Question : QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    }
    ChineseCaptions(box);
}

void InstallQtMsgBoxHandler()
{
    SetMsgBoxHandler([](const QString &text, MsgStyle style) {
        QMessageBox box(QApplication::activeWindow());
        SetUpMessageBox(box, text, style);
        switch (box.exec()) {
        case QMessageBox::Yes: return MsgAnswer::Yes;
        case QMessageBox::No: return MsgAnswer::No;
        case QMessageBox::Cancel: return MsgAnswer::Cancel;
        default:
            // Closing a Yes/No box with Escape counts as No, an OK/Cancel box as Cancel.
            if (style == MsgStyle::ConfirmDefaultNo || style == MsgStyle::Question)
                return box.clickedButton() == box.button(QMessageBox::Yes) ? MsgAnswer::Yes : MsgAnswer::No;
            if (style == MsgStyle::OkCancel || style == MsgStyle::InformationOkCancel)
                return box.clickedButton() == box.button(QMessageBox::Ok) ? MsgAnswer::Ok : MsgAnswer::Cancel;
            return MsgAnswer::Ok;
        }
    });
}

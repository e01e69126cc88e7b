#include "platform/QtMsgBox.h"

#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(QtMsgBox, EveryStyleHasItsButtonsIconAndTheApplicationTitle)
{
    struct Case {
        MsgStyle style;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton defaultButton; // NoButton = not checked
    };
    const Case cases[] = {
        {MsgStyle::Information, QMessageBox::Ok, QMessageBox::Information, QMessageBox::NoButton},
        {MsgStyle::ConfirmDefaultNo, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question, QMessageBox::No},
        {MsgStyle::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question, QMessageBox::NoButton},
        {MsgStyle::Exclamation, QMessageBox::Ok, QMessageBox::Warning, QMessageBox::NoButton},
        {MsgStyle::Plain, QMessageBox::Ok, QMessageBox::NoIcon, QMessageBox::NoButton},
        {MsgStyle::OkCancel, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Question, QMessageBox::NoButton},
        {MsgStyle::InformationOkCancel, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Information,
         QMessageBox::Ok},
    };
    for (const Case &c : cases) {
        QMessageBox box;
        SetUpMessageBox(box, "请输入合法值！", c.style);
        EXPECT_EQ(box.windowTitle(), AppTitle());
        EXPECT_EQ(box.text(), "请输入合法值！");
        EXPECT_EQ(box.standardButtons(), c.buttons);
        EXPECT_EQ(box.icon(), c.icon);
        if (c.defaultButton != QMessageBox::NoButton)
            EXPECT_EQ(box.defaultButton(), box.button(c.defaultButton));
    }
}

TEST(QtMsgBox, ButtonsHaveChineseCaptions)
{
    struct Case {
        MsgStyle style;
        QStringList captions; // in the order of the standard buttons' values
    };
    const Case cases[] = {
        {MsgStyle::Information, {"确定"}},
        {MsgStyle::ConfirmDefaultNo, {"是", "否"}},
        {MsgStyle::OkCancel, {"确定", "取消"}},
    };
    for (const Case &c : cases) {
        QMessageBox box;
        SetUpMessageBox(box, "x", c.style);
        QStringList captions;
        for (QMessageBox::StandardButton b : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
            if (box.button(b))
                captions << box.button(b)->text();
        EXPECT_EQ(captions, c.captions);
    }
}

#pragma once
// "添加文本、页码、注序号、日期": the text of a new label, which the designer then lets the user
// draw. A fresh dialog each time, with "页码" chosen.
#include "dialogs/LabelDialog.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;

class frmPAddLabel : public QDialog {
    Q_OBJECT
public:
    explicit frmPAddLabel(QWidget *parent = nullptr);

    // Shows a new dialog modally; the chosen text, or "" when it was cancelled or closed.
    static QString ShowMe(QWidget *parent = nullptr);

    // The text of the chosen option.
    QString ChosenText() const;
    void OptionChanged();

private:
    QRadioButton *optPage, *optStake, *optDateTime, *optUserDefine;
    QLineEdit *txtUserDefine = nullptr;
};

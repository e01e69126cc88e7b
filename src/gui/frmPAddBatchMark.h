#pragma once
// "批量：附加填涂块(如定位标记)": an evenly spaced run of extra marks.
#include "dialogs/MarkDialogs.h"
#include "gui/ElementDialog.h"

class frmPAddBatchMark : public ElementDialog {
    Q_OBJECT
public:
    frmPAddBatchMark();
    static frmPAddBatchMark &Instance() { return KeptDialog<frmPAddBatchMark>(); }

    AddBatchMarkFields Fields() const;

protected:
    DialogCheck RunOK(DialogCanvas &canvas, const colPLControls &layout) override;
    QLineEdit *FirstField() const override { return txtFirstX; }

private:
    QLineEdit *txtFirstX, *txtFirstY, *txtFirstWidth, *txtFirstHeight;
    QLineEdit *txtStepX, *txtStepY, *txtCount;
};

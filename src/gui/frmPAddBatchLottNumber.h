#pragma once
// "批量增加号码填涂块": a run of number blocks whose number (or fill area) counts by an increment
// while the position moves by a step.
#include "dialogs/LottNumberDialogs.h"
#include "gui/ElementDialog.h"

class frmPAddBatchLottNumber : public ElementDialog {
    Q_OBJECT
public:
    frmPAddBatchLottNumber();
    static frmPAddBatchLottNumber &Instance() { return KeptDialog<frmPAddBatchLottNumber>(); }

    AddBatchLottNumberFields Fields() const;

protected:
    DialogCheck RunOK(DialogCanvas &canvas, const colPLControls &layout) override;
    QLineEdit *FirstField() const override { return txtFirstGroupID; }

private:
    QLineEdit *txtFirstGroupID, *txtFirstLottNumber, *txtFirstX, *txtFirstY;
    QLineEdit *txtStep, *txtCount, *txtStepX, *txtStepY;
    QRadioButton *optBatchLottNumber, *optBatchGroupID;
};

#pragma once
// "添加号码填涂块": one number block, placed by a click on the canvas or at typed coordinates.
#include "dialogs/LottNumberDialogs.h"
#include "gui/ElementDialog.h"

class frmPAddLottNumber : public ElementDialog {
    Q_OBJECT
public:
    frmPAddLottNumber();
    static frmPAddLottNumber &Instance() { return KeptDialog<frmPAddLottNumber>(); }

    AddLottNumberFields Fields() const;
    void OptionChanged();

protected:
    DialogCheck RunOK(DialogCanvas &canvas, const colPLControls &layout) override;
    QLineEdit *FirstField() const override { return txtFirstGroupID; }
    void lblBatchAdd_Click() override;

private:
    QLineEdit *txtFirstGroupID, *txtFirstLottNumber, *txtX, *txtY;
    QRadioButton *optPosByMouse, *optPosByInput;
};

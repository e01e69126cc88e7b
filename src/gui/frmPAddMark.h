#pragma once
// "添加附加填涂块": one extra mark, drawn with the mouse or at typed coordinates.
#include "dialogs/MarkDialogs.h"
#include "gui/ElementDialog.h"

class frmPAddMark : public ElementDialog {
    Q_OBJECT
public:
    frmPAddMark();
    static frmPAddMark &Instance() { return KeptDialog<frmPAddMark>(); }

    AddMarkFields Fields() const;
    void OptionChanged();

protected:
    DialogCheck RunOK(DialogCanvas &canvas, const colPLControls &layout) override;
    QLineEdit *FirstField() const override;
    void lblBatchAdd_Click() override;

private:
    QLineEdit *txtX, *txtY, *txtWidth, *txtHeight;
    QRadioButton *optPosByMouse, *optPosByInput;
};

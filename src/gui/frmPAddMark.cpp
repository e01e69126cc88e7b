#include "gui/frmPAddMark.h"

#include "common/FormatMsg.h"
#include "common/PathFile.h"
#include "gui/frmPAddBatchMark.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

frmPAddMark::frmPAddMark()
    : ElementDialog(QStringLiteral("frmPAddMark"), QStringLiteral("添加附加填涂块"))
{
    QGridLayout *fg = nullptr;
    QGroupBox *frame = addPlacement(QStringLiteral("确定后，用鼠标在设计器里用左键拖动绘制"),
                                    optPosByMouse, optPosByInput, fg);
    txtX = addField(fg, 3, 0, "txtX", QStringLiteral("左边(毫米)"));
    txtY = addField(fg, 3, 2, "txtY", QStringLiteral("顶端(毫米)"));
    txtWidth = addField(fg, 4, 0, "txtWidth", QStringLiteral("宽度(毫米)"), QStringLiteral("5"));
    txtHeight = addField(fg, 4, 2, "txtHeight", QStringLiteral("高度(毫米)"), QStringLiteral("5"));

    auto *lblTip = new QLabel(FormatMsg(QString(), QStringLiteral("附加填涂块：指投注号码填涂块之外的填涂块，或者定位标记。{crlf}{crlf}【技巧】－如何对付比较差的打印机走纸不准确：将投注单上所有的定位标记（就是投注单边上黑色的那些小块）全部绘制为附加填涂块，然后打印时，打印到彩票背面，送投注机扫描即可（扫描背面）。")), this);
    lblTip->setObjectName("lblTip");
    lblTip->setWordWrap(true);

    auto *body = new QVBoxLayout;
    body->addWidget(frame);
    body->addWidget(lblTip);
    body->addWidget(addBatchLink());
    finishLayout(body);

    for (QRadioButton *o : {optPosByMouse, optPosByInput})
        connect(o, &QRadioButton::toggled, this, &frmPAddMark::OptionChanged);
    OptionChanged();
}

AddMarkFields frmPAddMark::Fields() const
{
    return {optPosByInput->isChecked(), txtX->text(), txtY->text(), txtWidth->text(), txtHeight->text()};
}

void frmPAddMark::OptionChanged()
{
    for (QLineEdit *box : {txtX, txtY, txtWidth, txtHeight})
        box->setEnabled(optPosByInput->isChecked());
}

QLineEdit *frmPAddMark::FirstField() const { return txtX->isEnabled() ? txtX : nullptr; }

DialogCheck frmPAddMark::RunOK(DialogCanvas &canvas, const colPLControls &)
{
    return RunAddMark(Fields(), canvas, DefaultFontName()).check;
}

void frmPAddMark::lblBatchAdd_Click() { handOnTo<frmPAddBatchMark>(); }

#include "gui/frmPAddLottNumber.h"

#include "common/PathFile.h"
#include "gui/frmPAddBatchLottNumber.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

frmPAddLottNumber::frmPAddLottNumber()
    : ElementDialog(QStringLiteral("frmPAddLottNumber"), QStringLiteral("添加号码填涂块"))
{
    auto *fields = new QGridLayout;
    txtFirstGroupID = addField(fields, 0, 0, "txtFirstGroupID", QStringLiteral("填涂区"));
    auto *what = new QLabel(QStringLiteral("什么是填涂区"), this);
    what->setToolTip(QStringLiteral("如双色球，分为红色球区和蓝色球区，即 2 个区，而足球彩票 13 场比赛则各为一个区，即 13 个填涂区，对于 33 选 7，那么只有一个填涂区。"));
    fields->addWidget(what, 0, 2);
    txtFirstLottNumber = addField(fields, 1, 0, "txtFirstLottNumber", QStringLiteral("号码值"));

    QGridLayout *fg = nullptr;
    QGroupBox *frame = addPlacement(QStringLiteral("确定后，用鼠标在设计器里点击指定位置"),
                                    optPosByMouse, optPosByInput, fg);
    txtX = addField(fg, 3, 0, "txtX", QStringLiteral("X(毫米)"));
    txtY = addField(fg, 3, 2, "txtY", QStringLiteral("Y(毫米)"));

    auto *body = new QVBoxLayout;
    body->addLayout(fields);
    body->addWidget(frame);
    body->addWidget(addBatchLink());
    finishLayout(body);

    for (QRadioButton *o : {optPosByMouse, optPosByInput})
        connect(o, &QRadioButton::toggled, this, &frmPAddLottNumber::OptionChanged);
    OptionChanged();
}

AddLottNumberFields frmPAddLottNumber::Fields() const
{
    return {txtFirstGroupID->text(), txtFirstLottNumber->text(), optPosByInput->isChecked(),
            txtX->text(), txtY->text()};
}

void frmPAddLottNumber::OptionChanged()
{
    txtX->setEnabled(optPosByInput->isChecked());
    txtY->setEnabled(optPosByInput->isChecked());
}

DialogCheck frmPAddLottNumber::RunOK(DialogCanvas &canvas, const colPLControls &layout)
{
    return RunAddLottNumber(Fields(), layout, canvas, DefaultFontName(), AskAboutDuplicates).check;
}

void frmPAddLottNumber::lblBatchAdd_Click() { handOnTo<frmPAddBatchLottNumber>(); }

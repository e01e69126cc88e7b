#include "gui/frmPAddBatchLottNumber.h"

#include "common/PathFile.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

frmPAddBatchLottNumber::frmPAddBatchLottNumber()
    : ElementDialog(QStringLiteral("frmPAddBatchLottNumber"), QStringLiteral("批量增加号码填涂块"))
{
    auto *first = new QGroupBox(QStringLiteral("第一个填涂块"), this);
    auto *fg = new QGridLayout(first);
    txtFirstGroupID = addField(fg, 0, 0, "txtFirstGroupID", QStringLiteral("填涂区"));
    txtFirstLottNumber = addField(fg, 0, 2, "txtFirstLottNumber", QStringLiteral("号码值"));
    txtFirstX = addField(fg, 1, 0, "txtFirstX", QStringLiteral("X(毫米)"));
    txtFirstY = addField(fg, 1, 2, "txtFirstY", QStringLiteral("Y(毫米)"));
    auto *help = new QLabel(QStringLiteral("什么是填涂区：如双色球，分为红色球区和蓝色球区，即 2 个区，而足球彩票 13 场比赛则各为一个区，即 13 个填涂区，对于 33 选 7，那么只有一个填涂区。"), this);
    help->setWordWrap(true);
    fg->addWidget(help, 2, 0, 1, 4);

    auto *increment = new QGroupBox(QStringLiteral("号码、填涂区增量"), this);
    auto *ig = new QGridLayout(increment);
    optBatchLottNumber = addOption("optBatchLottNumber", QStringLiteral("号码值增加"));
    optBatchGroupID = addOption("optBatchGroupID", QStringLiteral("填涂区增加"));
    ig->addWidget(optBatchLottNumber, 0, 0, 1, 2);
    ig->addWidget(optBatchGroupID, 0, 2, 1, 2);
    txtStep = addField(ig, 1, 0, "txtStep", QStringLiteral("增量"));
    txtCount = addField(ig, 1, 2, "txtCount", QStringLiteral("数目"));
    ig->addWidget(new QLabel(QStringLiteral("提示：增量可以是负数，但不能为 0"), this), 2, 0, 1, 4);

    QGroupBox *position = addPositionStep(txtStepX, txtStepY);
    QHBoxLayout *hint = addCalculatorHint();

    auto *body = new QVBoxLayout;
    body->addWidget(first);
    body->addWidget(increment);
    body->addWidget(position);
    body->addLayout(hint);
    finishLayout(body);
    optBatchLottNumber->setChecked(true);
}

AddBatchLottNumberFields frmPAddBatchLottNumber::Fields() const
{
    return {txtFirstGroupID->text(), txtFirstLottNumber->text(), txtFirstX->text(),
            txtFirstY->text(),       optBatchGroupID->isChecked(), txtStep->text(),
            txtCount->text(),        txtStepX->text(),            txtStepY->text()};
}

DialogCheck frmPAddBatchLottNumber::RunOK(DialogCanvas &canvas, const colPLControls &layout)
{
    return RunAddBatchLottNumber(Fields(), layout, canvas, DefaultFontName(), AskAboutDuplicates).check;
}

#include "gui/frmPAddBatchMark.h"

#include "common/PathFile.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

frmPAddBatchMark::frmPAddBatchMark()
    : ElementDialog(QStringLiteral("frmPAddBatchMark"), QStringLiteral("批量：附加填涂块(如定位标记)"))
{
    auto *first = new QGroupBox(QStringLiteral("第一个填涂块"), this);
    auto *fg = new QGridLayout(first);
    txtFirstX = addField(fg, 0, 0, "txtFirstX", QStringLiteral("左边(毫米)"));
    txtFirstY = addField(fg, 0, 2, "txtFirstY", QStringLiteral("顶端(毫米)"));
    txtFirstWidth = addField(fg, 1, 0, "txtFirstWidth", QStringLiteral("宽度(毫米)"));
    txtFirstHeight = addField(fg, 1, 2, "txtFirstHeight", QStringLiteral("高度(毫米)"));

    QGridLayout *pg = nullptr;
    QGroupBox *position = addPositionStep(txtStepX, txtStepY, &pg);
    txtCount = addField(pg, 2, 0, "txtCount", QStringLiteral("批量增加数目"));

    QHBoxLayout *hint = addCalculatorHint();

    auto *body = new QVBoxLayout;
    body->addWidget(first);
    body->addWidget(position);
    body->addLayout(hint);
    finishLayout(body);
}

AddBatchMarkFields frmPAddBatchMark::Fields() const
{
    return {txtFirstX->text(), txtFirstY->text(), txtFirstWidth->text(), txtFirstHeight->text(),
            txtStepX->text(),  txtStepY->text(),  txtCount->text()};
}

DialogCheck frmPAddBatchMark::RunOK(DialogCanvas &canvas, const colPLControls &)
{
    return RunAddBatchMark(Fields(), canvas, DefaultFontName()).check;
}

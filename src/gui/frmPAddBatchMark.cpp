#include "gui/frmPAddBatchMark.h"

#include "common/PathFile.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

    auto *position = new QGroupBox(QStringLiteral("位置增量"), this);
    auto *pg = new QGridLayout(position);
    pg->addWidget(new QLabel(QStringLiteral("每两个填涂块的位置增量："), this), 0, 0, 1, 4);
    txtStepX = addField(pg, 1, 0, "txtStepX", QStringLiteral("X(毫米)"));
    txtStepY = addField(pg, 1, 2, "txtStepY", QStringLiteral("Y(毫米)"));
    txtCount = addField(pg, 2, 0, "txtCount", QStringLiteral("批量增加数目"));

    auto *hint = new QHBoxLayout;
    hint->addWidget(new QLabel(QStringLiteral("提示：输入框中可以直接输入算术表达式，而不需要使用计算器。"), this), 1);
    hint->addWidget(addCalculatorButton());

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

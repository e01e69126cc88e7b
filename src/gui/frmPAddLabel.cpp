#include "gui/frmPAddLabel.h"
#include "gui/ElementDialog.h"

#include "platform/DialogInput.h"
#include "platform/FormTheme.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmPAddLabel::frmPAddLabel(QWidget *parent) : QDialog(parent)
{
    setObjectName("frmPAddLabel");
    setWindowTitle(QStringLiteral("添加文本、页码、注序号、日期"));
    auto *frame = new QGroupBox(QStringLiteral("请选择或者输入文字"), this);
    auto option = [this](const char *name, const QString &caption) {
        auto *o = new QRadioButton(caption, this);
        o->setObjectName(QLatin1String(name));
        connect(o, &QRadioButton::toggled, this, &frmPAddLabel::OptionChanged);
        return o;
    };
    optPage = option("optPage", QStringLiteral("页码"));
    optStake = option("optStake", QStringLiteral("注序号"));
    optDateTime = option("optDateTime", QStringLiteral("日期时间"));
    optUserDefine = option("optUserDefine", QStringLiteral("自定义文字"));
    txtUserDefine = new QLineEdit(this);
    txtUserDefine->setObjectName("txtUserDefine");
    auto *fg = new QGridLayout(frame);
    fg->addWidget(optPage, 0, 0);
    fg->addWidget(optStake, 1, 0);
    fg->addWidget(optDateTime, 2, 0);
    fg->addWidget(optUserDefine, 3, 0);
    fg->addWidget(txtUserDefine, 3, 1);

    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QHBoxLayout *buttons = OkCancelRow(
        this, cmdOK, cmdCancel,
        new QLabel(QStringLiteral("点击【确定】 ，然后用 鼠标在设计器里“画”出来 -->"), this));
    auto *all = new QVBoxLayout(this);
    all->addWidget(frame);
    all->addLayout(buttons);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    optPage->setChecked(true);
    OptionChanged();
    EnterMovesFocus(this);
    ApplyFormTheme(this);
}

QString frmPAddLabel::ShowMe(QWidget *parent)
{
    frmPAddLabel dialog(parent);
    return dialog.exec() == QDialog::Accepted ? dialog.ChosenText() : QString();
}

QString frmPAddLabel::ChosenText() const
{
    const LabelOption option = optStake->isChecked()        ? LabelOption::optStake
                               : optDateTime->isChecked()   ? LabelOption::optDateTime
                               : optUserDefine->isChecked() ? LabelOption::optUserDefine
                                                            : LabelOption::optPage;
    return LabelTextFor(option, txtUserDefine->text());
}

void frmPAddLabel::OptionChanged()
{
    if (!txtUserDefine)
        return;
    const bool own = optUserDefine->isChecked();
    txtUserDefine->setEnabled(own);
    if (own)
        txtUserDefine->setFocus(Qt::OtherFocusReason);
}

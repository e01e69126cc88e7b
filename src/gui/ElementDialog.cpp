#include "gui/ElementDialog.h"

#include "canvas/KdPLDesinger.h"
#include "common/MsgBox.h"
#include "dialogs/CanvasSink.h"
#include "dialogs/LottNumberDialogs.h"
#include "platform/Calculator.h"
#include "platform/DialogInput.h"
#include "platform/FormTheme.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

ElementDialog::ElementDialog(const QString &objectName, const QString &title) : QDialog(nullptr)
{
    setObjectName(objectName);
    setWindowTitle(title);
}

void ElementDialog::ShowMe(KdPLDesinger &canvas, colPLControls &layout)
{
    m_canvas = &canvas;
    m_layout = &layout;
    exec();
    m_canvas = nullptr;
    m_layout = nullptr;
}

void ElementDialog::CloseMe() { hide(); }

bool ElementDialog::AskAboutDuplicates(int duplicates)
{
    return IsConfirmed(MsgBox(DuplicateBlocksQuestion(duplicates), MsgStyle::ConfirmDefaultNo));
}

void ElementDialog::cmdOK_Click()
{
    if (!m_canvas || !m_layout)
        return;
    CanvasSink sink(*m_canvas);
    const DialogCheck check = RunOK(sink, *m_layout);
    if (!check.passed()) {
        if (auto *field = findChild<QLineEdit *>(check.field)) {
            if (check.asked)
                FocusField(field);
            else
                RejectField(field, check.message);
        } else { // a refusal of the whole run (too many elements) on a dialog without a count
            MsgBox(check.message, MsgStyle::Information);
        }
        return;
    }
    accept();
}

QLineEdit *ElementDialog::addField(QGridLayout *grid, int row, int column, const char *name,
                                   const QString &caption, const QString &preset)
{
    auto *label = new QLabel(caption, this);
    auto *box = new QLineEdit(preset, this);
    box->setObjectName(QLatin1String(name));
    label->setBuddy(box);
    grid->addWidget(label, row, column);
    grid->addWidget(box, row, column + 1);
    return box;
}

QRadioButton *ElementDialog::addOption(const char *name, const QString &caption)
{
    auto *option = new QRadioButton(caption, this);
    option->setObjectName(QLatin1String(name));
    return option;
}

QLabel *ElementDialog::addBatchLink()
{
    m_batchLink = new QLabel(QStringLiteral("提示：您可以使用“批量添加”功能。"), this);
    m_batchLink->setObjectName("lblBatchAdd");
    m_batchLink->setProperty("Tag", "21");
    m_batchLink->setCursor(Qt::PointingHandCursor);
    m_batchLink->installEventFilter(this);
    return m_batchLink;
}

QPushButton *ElementDialog::addCalculatorButton()
{
    auto *calc = new QPushButton(QStringLiteral("计算器"), this);
    calc->setObjectName("cmdCalc");
    calc->setAutoDefault(false);
    connect(calc, &QPushButton::clicked, this, [] { StartCalculator(); });
    return calc;
}

QHBoxLayout *ElementDialog::addCalculatorHint()
{
    auto *hint = new QHBoxLayout;
    hint->addWidget(new QLabel(QStringLiteral("提示：输入框中可以直接输入算术表达式，而不需要使用计算器。"), this), 1);
    hint->addWidget(addCalculatorButton());
    return hint;
}

QGroupBox *ElementDialog::addPositionStep(QLineEdit *&stepX, QLineEdit *&stepY, QGridLayout **grid)
{
    auto *position = new QGroupBox(QStringLiteral("位置增量"), this);
    auto *pg = new QGridLayout(position);
    pg->addWidget(new QLabel(QStringLiteral("每两个填涂块的位置增量："), this), 0, 0, 1, 4);
    stepX = addField(pg, 1, 0, "txtStepX", QStringLiteral("X(毫米)"));
    stepY = addField(pg, 1, 2, "txtStepY", QStringLiteral("Y(毫米)"));
    if (grid)
        *grid = pg;
    return position;
}

QGroupBox *ElementDialog::addPlacement(const QString &mouseHint, QRadioButton *&byMouse,
                                       QRadioButton *&byInput, QGridLayout *&grid)
{
    auto *frame = new QGroupBox(QStringLiteral("填涂块位置"), this);
    byMouse = addOption("optPosByMouse", QStringLiteral("用鼠标指定"));
    byInput = addOption("optPosByInput", QStringLiteral("手工指定位置"));
    grid = new QGridLayout(frame);
    grid->addWidget(byMouse, 0, 0, 1, 2);
    grid->addWidget(new QLabel(mouseHint, this), 1, 0, 1, 4);
    grid->addWidget(byInput, 2, 0, 1, 2);
    byMouse->setChecked(true);
    return frame;
}

QHBoxLayout *OkCancelRow(QDialog *dialog, QPushButton *&ok, QPushButton *&cancel, QWidget *lead)
{
    ok = new QPushButton(QStringLiteral("确定(&O)"), dialog);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    cancel = new QPushButton(QStringLiteral("取消(&C)"), dialog);
    cancel->setObjectName("cmdCancel");
    cancel->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    if (lead)
        buttons->addWidget(lead, 1);
    else
        buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    return buttons;
}

void ElementDialog::finishLayout(QLayout *body)
{
    QHBoxLayout *buttons = OkCancelRow(this, cmdOK, cmdCancel);
    auto *all = new QVBoxLayout(this);
    all->addLayout(body);
    all->addLayout(buttons);
    connect(cmdOK, &QPushButton::clicked, this, &ElementDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    EnterMovesFocus(this);
    ApplyFormTheme(this);
}

void ElementDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QLineEdit *first = FirstField())
        first->setFocus(Qt::ActiveWindowFocusReason);
}

bool ElementDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_batchLink && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        lblBatchAdd_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

#include "gui/frmPrinterCalibration.h"
#include "app/PrinterOffsets.h"
#include "gui/frmCalibrationScan.h"
#include "common/MsgBox.h"
#include "common/ToNumber.h"
#include "common/VbFormat.h"
#include "platform/DialogInput.h"
#include "platform/FormTheme.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
QLineEdit *offsetBox(QWidget *parent, const QString &name, double value, const QString &toolTip)
{
    auto *box = new QLineEdit(PrinterOffsetText(value), parent);
    box->setObjectName(name);
    box->setMaximumWidth(80);
    box->setToolTip(toolTip);
    new NumberBoxGuard(box);
    return box;
}
} // namespace

frmPrinterCalibration::frmPrinterCalibration(const QStringList &printers, QWidget *parent)
    : QDialog(parent), m_printers(printers)
{
    setObjectName("frmPrinterCalibration");
    setWindowTitle(QStringLiteral("打印机校准"));
    auto *intro = new QLabel(QStringLiteral("每台打印机进纸的位置不同。这里的偏移在打印到该打印机时加在投注单的边距上（毫米，向右、向下为正）。"), this);
    intro->setWordWrap(true);

    auto *rows = new QWidget;
    auto *grid = new QGridLayout(rows);
    grid->addWidget(new QLabel(QStringLiteral("打印机"), rows), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("左边"), rows), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("顶端"), rows), 0, 2);
    for (int i = 0; i < printers.size(); ++i) {
        const PrinterOffset offset = ReadPrinterOffset(printers[i]);
        grid->addWidget(new QLabel(printers[i], rows), i + 1, 0);
        m_left << offsetBox(rows, QStringLiteral("txtPrinterLeft%1").arg(i), offset.left,
                            QStringLiteral("打印到 %1 时整张投注单再向右移动的毫米数（负数向左）").arg(printers[i]));
        m_top << offsetBox(rows, QStringLiteral("txtPrinterTop%1").arg(i), offset.top,
                           QStringLiteral("打印到 %1 时整张投注单再向下移动的毫米数（负数向上）").arg(printers[i]));
        m_shown << qMakePair(m_left.last()->text(), m_top.last()->text());
        grid->addWidget(m_left.last(), i + 1, 1);
        grid->addWidget(m_top.last(), i + 1, 2);
        m_scan << new QPushButton(QStringLiteral("按扫描图校准..."), rows);
        m_scan.last()->setObjectName(QStringLiteral("cmdScanCalibrate%1").arg(i));
        m_scan.last()->setToolTip(QStringLiteral("打开 %1 打印的校准页的扫描图，量出偏差并保存校正").arg(printers[i]));
        m_scan.last()->setEnabled(false);
        connect(m_scan.last(), &QPushButton::clicked, this, [this, i] { calibrateFromScan(i); });
        grid->addWidget(m_scan.last(), i + 1, 3);
    }
    grid->setRowStretch(printers.size() + 1, 1);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(rows);
    scroll->setWidgetResizable(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &frmPrinterCalibration::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &frmPrinterCalibration::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(scroll, 1);
    layout->addWidget(buttons);
    resize(640, 360);
    EnterMovesFocus(this);
    ApplyFormTheme(this);
}

void frmPrinterCalibration::setTemplatePath(const QString &path)
{
    m_templatePath = path;
    for (QPushButton *b : m_scan)
        b->setEnabled(!path.isEmpty());
}

void frmPrinterCalibration::calibrateFromScan(int row)
{
    if (row < 0 || row >= m_printers.size() || m_templatePath.isEmpty())
        return;
    frmCalibrationScan window(m_printers[row], m_templatePath, this);
    emit scanWindowOpened(&window);
    if (window.exec() != QDialog::Accepted)
        return;
    // The correction is stored; the row shows it as the stored offset.
    const PrinterOffset offset = ReadPrinterOffset(m_printers[row]);
    m_left[row]->setText(PrinterOffsetText(offset.left));
    m_top[row]->setText(PrinterOffsetText(offset.top));
    m_shown[row] = qMakePair(m_left[row]->text(), m_top[row]->text());
}

void frmPrinterCalibration::accept()
{
    for (int i = 0; i < m_printers.size(); ++i)
        if (!CheckNumberField(m_left[i]) || !CheckNumberField(m_top[i]))
            return;
    for (int i = 0; i < m_printers.size(); ++i) {
        // A printer whose boxes were not edited keeps its stored offset exactly (the boxes
        // show it rounded to 0.01 mm) and gets no entry when it had none.
        if (m_left[i]->text() == m_shown[i].first && m_top[i]->text() == m_shown[i].second)
            continue;
        const PrinterOffset offset{ToNumber(m_left[i]->text(), 0), ToNumber(m_top[i]->text(), 0)};
        if (!SavePrinterOffset(m_printers[i], offset)) {
            MsgBox(QStringLiteral("打印机的偏移不能保存！"), MsgStyle::Exclamation);
            return;
        }
    }
    QDialog::accept();
}

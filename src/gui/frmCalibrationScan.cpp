#include "gui/frmCalibrationScan.h"

#include "common/FormatMsg.h"
#include "common/MsgBox.h"
#include "detect/CalibrationTargetOf.h"
#include "detect/PictureMessages.h"
#include "detect/SlipDetector.h"
#include "detect/Straighten.h"
#include "gui/CalibrationScanView.h"
#include "model/colPLControls.h"
#include "platform/FormTheme.h"
#include "storage/StrictConvert.h"
#include "storage/clsPLStoreINI.h"
#include "storage/WholeTemplate.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QString mm(double v)
{
    return QString::number(v, 'f', 2);
}
} // namespace

frmCalibrationScan::frmCalibrationScan(const QString &printer, const QString &templatePath, QWidget *parent)
    : QDialog(parent), m_printer(printer), m_templatePath(templatePath), m_old(ReadPrinterOffset(printer))
{
    setObjectName("frmCalibrationScan");
    setWindowTitle(QStringLiteral("按扫描图校准 - %1").arg(printer));
    setSizeGripEnabled(true);
    colPLControls layout;
    m_templateRead = clsPLStoreINI().LoadFromINI(templatePath, layout);
    if (m_templateRead)
        m_target = CalibrationTargetOf(layout);

    auto *intro = new QLabel(
        QStringLiteral("先在主窗口用“打印校准页”在空白投注单上打印校准页，再把它扫描（200 dpi 以上）后在这里打开。"
                       "程序找出投注单上的框和打印的标记，量出打印机的偏差。\n打印机：%1    模板：%2（当前偏移：左边 %3，顶端 %4 毫米）")
            .arg(printer, QFileInfo(templatePath).completeBaseName(), PrinterOffsetText(m_old.left),
                 PrinterOffsetText(m_old.top)),
        this);
    intro->setWordWrap(true);

    auto *open = new QPushButton(QStringLiteral("打开扫描图(&O)..."), this);
    open->setObjectName("cmdOpenScan");
    m_scanName = new QLabel(QStringLiteral("（未打开）"), this);
    m_scanName->setObjectName("lblScanFile");
    auto *dpiLabel = new QLabel(QStringLiteral("分辨率(&D)："), this);
    m_dpi = new QLineEdit(this);
    m_dpi->setObjectName("txtScanDpi");
    m_dpi->setPlaceholderText(QStringLiteral("按图片"));
    m_dpi->setMaximumWidth(80);
    m_dpi->setToolTip(QStringLiteral("扫描的 dpi；空着则用图片自带的分辨率"));
    dpiLabel->setBuddy(m_dpi);
    auto *again = new QPushButton(QStringLiteral("重新测量(&M)"), this);
    again->setObjectName("cmdMeasureAgain");
    auto *top = new QHBoxLayout;
    top->addWidget(open);
    top->addWidget(m_scanName, 1);
    top->addWidget(dpiLabel);
    top->addWidget(m_dpi);
    top->addWidget(again);

    m_view = new CalibrationScanView(this);
    auto *legend = new QLabel(QStringLiteral("绿框：投注单上的框；蓝框：打印的标记；箭头：标记中心的偏差，放大 %1 倍画出；红叉：没有找到的标记")
                                  .arg(CalibrationScanView::exaggeration),
                              this);
    legend->setWordWrap(true);
    m_marks = new QTableWidget(0, 4, this);
    m_marks->setObjectName("tblCalibrationMarks");
    m_marks->setHorizontalHeaderLabels({QStringLiteral("标记"), QStringLiteral("注"), QStringLiteral("向右（毫米）"),
                                        QStringLiteral("向下（毫米）")});
    m_marks->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_marks->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_figures = new QLabel(this);
    m_figures->setObjectName("lblCalibrationFigures");
    m_figures->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_warning = new QLabel(this);
    m_warning->setObjectName("lblCalibrationWarning");
    m_warning->setWordWrap(true);
    m_warning->setStyleSheet("color: #c00000");
    m_warning->hide();

    auto *side = new QWidget(this);
    auto *sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(m_marks, 1);
    sideLayout->addWidget(m_figures);
    sideLayout->addWidget(m_warning);
    auto *viewPane = new QWidget(this);
    auto *viewLayout = new QVBoxLayout(viewPane);
    viewLayout->setContentsMargins(0, 0, 0, 0);
    viewLayout->addWidget(m_view, 1);
    viewLayout->addWidget(legend);
    auto *split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(viewPane);
    split->addWidget(side);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(QStringLiteral("保存校正(&S)"));
    m_ok->setEnabled(false);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &frmCalibrationScan::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &frmCalibrationScan::reject);
    connect(open, &QPushButton::clicked, this, &frmCalibrationScan::openScan);
    connect(again, &QPushButton::clicked, this, [this] {
        if (!m_scanPath.isEmpty())
            Measure(m_scanPath);
    });

    auto *layoutBox = new QVBoxLayout(this);
    layoutBox->addWidget(intro);
    layoutBox->addLayout(top);
    layoutBox->addWidget(split, 1);
    layoutBox->addWidget(buttons);
    resize(960, 600);
    ApplyFormTheme(this);
    if (!m_templateRead) {
        m_figures->setText(TemplateUnopenedText(templatePath));
        open->setEnabled(false);
    }
}

void frmCalibrationScan::openScan()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("打开扫描图"), QString(),
                                                      QStringLiteral("图片 (*.png *.jpg *.jpeg *.bmp *.tif *.tiff);;所有文件 (*)"));
    if (!path.isEmpty())
        Measure(path);
}

bool frmCalibrationScan::Measure(const QString &path)
{
    m_scanPath = path;
    m_scanName->setText(QFileInfo(path).fileName());
    m_measured = false;
    m_ok->setEnabled(false);
    m_warning->hide();
    m_marks->setRowCount(0);
    m_view->clear();
    double dpi = 0;
    const QString typed = m_dpi->text().trimmed();
    if (!typed.isEmpty() && (!StrictDouble(typed, &dpi) || !(dpi > 0))) {
        m_figures->setText(QStringLiteral("请输入合法值！"));
        m_dpi->setFocus();
        return false;
    }
    const CalibrationFileMeasurement r = MeasureCalibrationFile(path, dpi, m_target);
    if (r.problem != PictureProblem::None) {
        m_figures->setText(PictureProblemText(r.problem, path));
        if (r.problem == PictureProblem::NoResolution)
            m_dpi->setFocus();
        return false;
    }
    m_measurement = r.measurement;
    showMeasurement(path);
    m_measured = m_measurement.ok();
    m_ok->setEnabled(m_measured);
    return m_measured;
}

void frmCalibrationScan::showMeasurement(const QString &path)
{
    const CalibrationMeasurement &m = m_measurement;
    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QImage picture = reader.read();
    if (!picture.isNull() && m.dpi > 0)
        m_view->setScan(StraightenPicture(picture, m.angle, SlipPaperColour(picture)), 25.4 / m.dpi, m);

    QStringList missing;
    for (const MeasuredMark &k : m.marks) {
        if (!k.found) {
            missing << MissingMarkText(k);
            continue;
        }
        const int row = m_marks->rowCount();
        m_marks->insertRow(row);
        m_marks->setItem(row, 0, new QTableWidgetItem(k.key));
        m_marks->setItem(row, 1, new QTableWidgetItem(QString::number(k.stake)));
        m_marks->setItem(row, 2, new QTableWidgetItem(mm(k.dx)));
        m_marks->setItem(row, 3, new QTableWidgetItem(mm(k.dy)));
    }
    if (!m.ok()) {
        m_figures->setText(CalibrationProblemText(m.problem));
        return;
    }
    const PrinterOffset next = NewOffset();
    m_figures->setText(
        QStringLiteral("平均偏差：向右 %1，向下 %2 毫米\n比例：横向 %3%，纵向 %4%\n歪斜：%5°（逆时针为正）\n"
                       "去掉平均偏差后最大误差：%6 毫米\n校正：左边 %7，顶端 %8 毫米\n保存后的偏移：左边 %9，顶端 %10 毫米")
            .arg(mm(m.shift.x()), mm(m.shift.y()), QString::number(m.scaleX, 'f', 2), QString::number(m.scaleY, 'f', 2),
                 QString::number(m.skew, 'f', 2), mm(m.residual), mm(m.correction().x()), mm(m.correction().y()),
                 PrinterOffsetText(next.left))
            .arg(PrinterOffsetText(next.top)));
    QStringList warnings = missing;
    const double quarter = std::min(m.block.width(), m.block.height()) / 4;
    if (m.residual > quarter)
        warnings << QStringLiteral("去掉平均偏差后仍有 %1 毫米的误差，超过填涂块大小的四分之一（%2 毫米）：只改偏移不能让每个标记都落在框内，请检查打印机的进纸和缩放。")
                        .arg(mm(m.residual), mm(quarter));
    m_warning->setText(warnings.join('\n'));
    m_warning->setVisible(!warnings.isEmpty());
}

PrinterOffset frmCalibrationScan::NewOffset() const
{
    return {m_old.left + m_measurement.correction().x(), m_old.top + m_measurement.correction().y()};
}

void frmCalibrationScan::accept()
{
    if (!m_measured)
        return;
    if (!SavePrinterOffset(m_printer, NewOffset())) {
        MsgBox(QStringLiteral("打印机的偏移不能保存！"), MsgStyle::Exclamation);
        return;
    }
    QDialog::accept();
}

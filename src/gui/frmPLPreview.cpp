#include "gui/frmPLPreview.h"
#include "model/colPLControls.h"
#include "print/StakeGeometry.h"
#include "common/MsgBox.h"
#include "common/Quitting.h"
#include "platform/FormTheme.h"
#include "print/DocumentSurface.h"
#include "gui/PreviewWidget.h"
#include "gui/WindowMemory.h"
#include "app/PrinterOffsets.h"
#include "print/printer/PrinterList.h"
#include "print/printer/PrinterOutput.h"
#include "print/clsPLPrint.h"

#include <QHBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
QPushButton *toolButton(const QString &caption, QWidget *parent, const QString &tip = QString())
{
    auto *b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    if (!tip.isEmpty())
        b->setToolTip(tip);
    return b;
}

bool defaultPrinterDialog(QPrinter &printer, int pageCount, QWidget *parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, std::max(1, pageCount));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    return dialog.exec() == QDialog::Accepted;
}
} // namespace

PrintDocument TestLayoutDocument(const colPLControls &layout, bool withBackPicture)
{
    clsPLPrint engine;
    engine.setIsPrintBackPic(withBackPicture);
    engine.setIsPrintMark(true);
    engine.setIsPrintText(true);
    DocumentSurface surface;
    engine.SetPrinterPageByLayout(surface, layout);
    engine.PrintPLWithTest(layout, surface, true);
    return surface.TakeDocument();
}

frmPLPreview::frmPLPreview(QWidget *parent) : QDialog(parent)
{
    setObjectName("frmPLPreview");
    setWindowTitle(QStringLiteral("打印预览"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    resize(960, 720);

    m_cmdPrint = toolButton(QStringLiteral("打印(&P)"), this, QStringLiteral("选择打印机并打印"));
    m_cmdPrint->setObjectName("cmdPrint");
    m_lblMessage = new QLabel(QStringLiteral("<--- 点按钮开始打印"), this);
    m_lblMessage->setObjectName("lblMessage");
    auto *zoomIn = toolButton(QStringLiteral("放大"), this);
    auto *zoomOut = toolButton(QStringLiteral("缩小"), this);
    auto *whole = toolButton(QStringLiteral("整页显示"), this);
    auto *width = toolButton(QStringLiteral("适合宽度"), this);
    auto *first = toolButton(QStringLiteral("|<"), this, QStringLiteral("第一页"));
    auto *prev = toolButton(QStringLiteral("<"), this, QStringLiteral("上一页"));
    m_pageBox = new QSpinBox(this);
    m_pageBox->setMinimum(1);
    m_pageCountLabel = new QLabel(this);
    auto *next = toolButton(QStringLiteral(">"), this, QStringLiteral("下一页"));
    auto *last = toolButton(QStringLiteral(">|"), this, QStringLiteral("最后一页"));
    m_vsp = new PreviewWidget(this);
    m_vsp->setObjectName("vsp");
    m_chkShowBackPic = new QCheckBox(QStringLiteral("显示底图"), this);
    m_chkShowBackPic->setObjectName("chkShowBackPic");
    m_chkShowBackPic->setToolTip(QStringLiteral("在预览中把投注单的底图画在标记下面，不会打印出来"));
    m_chkShowBackPic->setEnabled(false);

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_cmdPrint);
    bar->addWidget(m_lblMessage, 1);
    for (QPushButton *b : {first, prev, next, last})
        b->setMaximumWidth(40);
    for (QWidget *w : std::initializer_list<QWidget *>{m_chkShowBackPic, zoomIn, zoomOut, whole, width, first, prev,
                                                       m_pageBox, m_pageCountLabel, next, last})
        bar->addWidget(w);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_vsp, 1);

    connect(m_cmdPrint, &QPushButton::clicked, this, &frmPLPreview::cmdPrint_Click);
    connect(m_chkShowBackPic, &QCheckBox::toggled, m_vsp, &PreviewWidget::setUnderlayShown);
    connect(zoomIn, &QPushButton::clicked, m_vsp, &PreviewWidget::zoomIn);
    connect(zoomOut, &QPushButton::clicked, m_vsp, &PreviewWidget::zoomOut);
    connect(whole, &QPushButton::clicked, m_vsp, &PreviewWidget::showWholePage);
    connect(width, &QPushButton::clicked, m_vsp, &PreviewWidget::fitWidth);
    connect(first, &QPushButton::clicked, this, [this] { m_vsp->setCurrentPage(0); });
    connect(prev, &QPushButton::clicked, this, [this] { m_vsp->setCurrentPage(m_vsp->currentPage() - 1); });
    connect(next, &QPushButton::clicked, this, [this] { m_vsp->setCurrentPage(m_vsp->currentPage() + 1); });
    connect(last, &QPushButton::clicked, this, [this] { m_vsp->setCurrentPage(m_vsp->pageCount() - 1); });
    connect(m_pageBox, &QSpinBox::editingFinished, this, [this] { m_vsp->setCurrentPage(m_pageBox->value() - 1); });
    connect(m_vsp, &PreviewWidget::currentPageChanged, this, &frmPLPreview::updatePageControls);

    m_printerDialog = [this](QPrinter &printer, int pages) { return defaultPrinterDialog(printer, pages, this); };
    ApplyFormTheme(this);
    m_vsp->setFocus();
    RestoreWindowPlacement(this, QStringLiteral("Preview"));
}

void frmPLPreview::done(int result)
{
    SaveWindowPlacement(this, QStringLiteral("Preview"));
    QDialog::done(result);
}

QString frmPLPreview::PrintDocName() const
{
    const QString name = m_vsp->document().DocName();
    return m_batchNumber > 0 ? name + QStringLiteral("-第%1批").arg(m_batchNumber) : name;
}

void frmPLPreview::setDocument(PrintDocument doc)
{
    m_vsp->setDocument(std::move(doc));
    updatePageControls(m_vsp->currentPage());
}

void frmPLPreview::setSlipPicture(const colPLControls &layout, double layoutLeft, double layoutTop)
{
    const PrintPicture picture = PrintPicture::Load(layout.BackPicPathFile());
    m_vsp->setUnderlay(picture, QRectF((layoutLeft + layout.BackPicLeft()) * PrintScale,
                                       (layoutTop + layout.BackPicTop()) * PrintScale,
                                       layout.BackPicWidth() * PrintScale,
                                       layout.BackPicHeight() * PrintScale));
    m_chkShowBackPic->setEnabled(!picture.isNull());
    if (picture.isNull())
        m_chkShowBackPic->setChecked(false);
}

void frmPLPreview::updatePageControls(int page)
{
    const int count = m_vsp->pageCount();
    m_pageBox->setMaximum(std::max(1, count));
    m_pageBox->setValue(page + 1);
    m_pageCountLabel->setText(QStringLiteral("/ %1 页").arg(count));
}

bool frmPLPreview::ShowMe_Print(bool closeAfterPrinting, const QString &message)
{
    m_printed = false;
    m_closeAfterPrinting = closeAfterPrinting;
    m_lblMessage->setText(message);
    exec();
    return m_printed;
}

void frmPLPreview::ShowMe_One(const colPLControls &layout)
{
    m_printed = true;
    m_closeAfterPrinting = false;
    setDocument(TestLayoutDocument(layout, true));
    exec();
}

void frmPLPreview::cmdPrint_Click()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(PrintDocName());
    printer.setFromTo(1, std::max(1, m_vsp->pageCount()));
    if (IsSystemPrinter(m_targetPrinter))
        printer.setPrinterName(m_targetPrinter);
    if (!m_printerDialog || !m_printerDialog(printer, m_vsp->pageCount())) {
        m_printed = false;
        return;
    }
    int first = 0, last = m_vsp->pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage() - 1;
        last = std::min(last, printer.toPage() - 1);
    }
    const QString destination = DestinationName(printer);
    const PrinterOffset wanted = ReadPrinterOffset(destination);
    const PrinterOffset laidOut = ReadPrinterOffset(m_laidOutFor);
    if (!printTo(printer, first, last, QPointF(wanted.left - laidOut.left, wanted.top - laidOut.top)))
        return;
    m_targetPrinter = destination;
    SaveLastPrinter(destination);
    m_printed = true;
    if (m_closeAfterPrinting)
        accept();
}

bool frmPLPreview::printTo(QPrinter &printer, int first, int last, QPointF shiftMm)
{
    QProgressDialog progress(QStringLiteral("打印..."), QStringLiteral("取消"), 0,
                             std::max(1, last - first + 1), this);
    progress.setWindowTitle(AppTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    const QString printerLine = QStringLiteral("打印机 %1 , 端口 %2")
                                    .arg(printer.printerName().isEmpty() ? printer.outputFileName() : printer.printerName(),
                                         printer.outputFileName().isEmpty() ? QStringLiteral("-") : printer.outputFileName());
    const bool ok = PrinterOutput::PrintDocumentOn(printer, m_vsp->document(), first, last, [&](int page) {
        progress.setValue(page - first);
        progress.setLabelText(QStringLiteral("现在打印第 %1 页").arg(page + 1) + "\n" + printerLine);
        return !progress.wasCanceled();
    }, shiftMm);
    progress.setValue(progress.maximum());
    return ok;
}

bool frmPLPreview::mayClose()
{
    if (m_printed || IsQuitting())
        return true;
    return IsConfirmed(MsgBox(QStringLiteral("尚未打印,确定要退出吗?"), MsgStyle::ConfirmDefaultNo));
}

void frmPLPreview::reject()
{
    // Escape and the close button both end here.
    if (mayClose())
        QDialog::reject();
}

#include "gui/frmPDetectBlocks.h"

#include "app/ProgramFolders.h"
#include "canvas/KdPLDesinger.h"
#include "common/AtomicFile.h"
#include "common/DesignScale.h"
#include "common/MsgBox.h"
#include "common/PathFile.h"
#include "common/ToNumber.h"
#include "detect/AreaGrouping.h"
#include "detect/PictureMessages.h"
#include "detect/SlipPictureFile.h"
#include "detect/Straighten.h"
#include "dialogs/CanvasSink.h"
#include "model/colPLControls.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

namespace {
constexpr int kViewWidth = 900;
enum AreaColumn { ColArea, ColCount, ColFirst, ColPicks, ColLeftOut };

QColor groupColour(int area)
{
    const qint32 c = GetGroupColor(QString::number(area));
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// The resolution to start from: the file's own, else the one the template's background size
// implies, else 150.
double startDpi(const QString &path, const colPLControls &layout)
{
    const SlipPicture p = ReadSlipPicture(path, 0, 64);
    if (p.problem == PictureProblem::None)
        return p.dpi;
    if (p.problem == PictureProblem::NoResolution && layout.BackPicWidth() > 0
        && QFileInfo(layout.BackPicPathFile()) == QFileInfo(path)) {
        const QSize px = QImageReader(path).size();
        if (px.width() > 0)
            return px.width() * 25.4 / layout.BackPicWidth();
    }
    return 150;
}

// A count of numbers typed for an area: a whole number from 1 to the area's blocks, else -1.
int picksTyped(const QString &text, int blocks)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok && n >= 1 && n <= blocks ? n : -1;
}

QString mm(double v) { return QString::number(std::round(v * 100) / 100, 'g', 10); }
} // namespace

frmPDetectBlocks::frmPDetectBlocks(const QString &picturePath, double dpi, QWidget *parent,
                                   const QString &templateCounts)
    : QDialog(parent), m_picturePath(picturePath), m_templateCounts(templateCounts)
{
    setObjectName(QStringLiteral("frmPDetectBlocks"));
    setWindowTitle(QStringLiteral("识别填涂块"));
    const SlipPicture p = ReadSlipPicture(picturePath, dpi > 0 ? dpi : 150);
    m_picture = p.image;

    m_view = new QLabel;
    auto *scroll = new QScrollArea;
    scroll->setWidget(m_view);
    scroll->setMinimumSize(640, 360);
    m_info = new QLabel;
    m_info->setObjectName(QStringLiteral("lblInfo"));
    m_info->setWordWrap(true);
    m_dpi = new QLineEdit(QString::number(dpi > 0 ? dpi : 150, 'g', 10));
    m_dpi->setObjectName(QStringLiteral("txtDpi"));
    auto *again = new QPushButton(QStringLiteral("重新识别"));
    m_areasBy = new QComboBox;
    m_areasBy->setObjectName(QStringLiteral("cboAreasBy"));
    m_areasBy->addItem(QStringLiteral("按空隙分区"), int(AreasBy::Gaps));
    m_areasBy->addItem(QStringLiteral("每列一个填涂区"), int(AreasBy::Columns));
    m_areasBy->addItem(QStringLiteral("每行一个填涂区"), int(AreasBy::Rows));
    m_stakes = new QComboBox;
    m_stakes->setObjectName(QStringLiteral("cboStakeCount"));
    m_areas = new QTableWidget(0, 5);
    m_areas->setObjectName(QStringLiteral("tblAreas"));
    m_areas->setHorizontalHeaderLabels({QStringLiteral("填涂区"), QStringLiteral("填涂块数"),
                                        QStringLiteral("第一个号码"), QStringLiteral("选号个数"),
                                        QStringLiteral("不使用")});
    m_areas->verticalHeader()->hide();
    // Every column in sight: the numbers to type must not hide behind a scroll bar.
    m_areas->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_areas->setMinimumWidth(380);

    auto *form = new QFormLayout;
    auto *dpiRow = new QHBoxLayout;
    dpiRow->addWidget(m_dpi);
    dpiRow->addWidget(again);
    form->addRow(QStringLiteral("图片分辨率(DPI)"), dpiRow);
    form->addRow(QStringLiteral("填涂区划分"), m_areasBy);
    form->addRow(QStringLiteral("每张投注单注数"), m_stakes);
    auto *side = new QVBoxLayout;
    side->addLayout(form);
    side->addWidget(m_areas);
    side->addWidget(m_info);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(QStringLiteral("确定(&O)"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消(&C)"));
    auto *top = new QHBoxLayout;
    top->addWidget(scroll, 3);
    top->addLayout(side, 1);
    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(buttons);

    resize(1180, 620);
    connect(again, &QPushButton::clicked, this, &frmPDetectBlocks::Detect);
    connect(m_areasBy, &QComboBox::currentIndexChanged, this, [this] { regroup(); });
    connect(m_stakes, &QComboBox::currentIndexChanged, this, [this] { regroup(); });
    connect(m_areas, &QTableWidget::itemChanged, this, [this] { redraw(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Detect();
}

void frmPDetectBlocks::Detect()
{
    const double dpi = ToNumber(m_dpi->text(), 0.0);
    m_detection = dpi > 0 ? DetectSlip(m_picture, dpi) : SlipDetection();
    const QSignalBlocker block(m_stakes);
    m_stakes->clear();
    for (int n : PossibleStakeCounts(m_detection))
        m_stakes->addItem(QString::number(n), n);
    m_stakes->setCurrentIndex(m_stakes->count() - 1);
    regroup();
}

void frmPDetectBlocks::regroup()
{
    if (m_detection.found())
        GroupSlipBlocks(m_detection, ::AreasBy(m_areasBy->currentData().toInt()), m_stakes->currentData().toInt());
    fillAreas();
    redraw();
}

void frmPDetectBlocks::fillAreas()
{
    const QSignalBlocker block(m_areas);
    QList<SlipAreaChoice> kept = choices();
    m_areas->setRowCount(m_detection.areaCount());
    for (int a = 0; a < m_detection.areaCount(); ++a) {
        int count = 0;
        for (const DetectedBlock &b : m_detection.blocks)
            count += b.stake == 1 && b.area == a + 1;
        auto *area = new QTableWidgetItem(QString::number(a + 1));
        area->setFlags(Qt::ItemIsEnabled);
        const QColor colour = groupColour(a + 1);
        area->setBackground(colour);
        area->setForeground(colour.lightness() < 128 ? Qt::white : Qt::black);
        auto *n = new QTableWidgetItem(QString::number(count));
        n->setFlags(Qt::ItemIsEnabled);
        auto *leftOut = new QTableWidgetItem;
        leftOut->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        leftOut->setCheckState(kept.value(a).leftOut ? Qt::Checked : Qt::Unchecked);
        m_areas->setItem(a, ColArea, area);
        m_areas->setItem(a, ColCount, n);
        m_areas->setItem(a, ColFirst, new QTableWidgetItem(kept.value(a).firstNumber));
        m_areas->setItem(a, ColPicks, new QTableWidgetItem(QString::number(
                                          PicksForArea(m_templateCounts, a + 1, count, kept.value(a).picks))));
        m_areas->setItem(a, ColLeftOut, leftOut);
    }
}

QList<SlipAreaChoice> frmPDetectBlocks::choices() const
{
    QList<SlipAreaChoice> list;
    for (int a = 0; a < m_areas->rowCount(); ++a) {
        SlipAreaChoice c;
        if (const QTableWidgetItem *first = m_areas->item(a, ColFirst))
            c.firstNumber = first->text().trimmed();
        if (const QTableWidgetItem *out = m_areas->item(a, ColLeftOut))
            c.leftOut = out->checkState() == Qt::Checked;
        if (const QTableWidgetItem *picks = m_areas->item(a, ColPicks))
            c.picks = picksTyped(picks->text(), m_areas->item(a, ColCount)->text().toInt());
        list.append(c);
    }
    return list;
}

void frmPDetectBlocks::redraw()
{
    const SlipDetection &d = m_detection;
    bool numbersValid = true;
    for (const SlipAreaChoice &c : choices())
        numbersValid = numbersValid && (c.leftOut || (FirstNumberValid(c.firstNumber) && c.picks > 0));
    m_ok->setEnabled(d.found() && numbersValid);
    if (!d.found()) {
        m_info->setText(m_picture.isNull() ? PictureProblemText(PictureProblem::CannotOpen, m_picturePath)
                                           : NoBlocksFoundText());
        m_view->setPixmap(QPixmap::fromImage(m_picture.scaledToWidth(kViewWidth, Qt::SmoothTransformation)));
        m_view->adjustSize();
        return;
    }
    QImage view = StraightenPicture(m_picture, d.angle, SlipPaperColour(m_picture))
                      .scaledToWidth(kViewWidth, Qt::SmoothTransformation)
                      .convertToFormat(QImage::Format_RGB32);
    const double k = view.width() / d.size.width(); // pixels per mm of the view
    auto scaled = [k](const QRectF &r) { return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k); };
    const QList<SlipAreaChoice> chosen = choices();
    QPainter p(&view);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f = p.font();
    f.setPixelSize(std::max(6, int(d.block.height() * k * 0.6)));
    p.setFont(f);
    for (const DetectedBlock &b : d.blocks) {
        if (chosen.value(b.area - 1).leftOut)
            continue;
        const QColor c = groupColour(b.area);
        p.setPen(QPen(c.darker(150), 2));
        p.setBrush(QColor(c.red(), c.green(), c.blue(), 90));
        p.drawRect(scaled(b.rect));
        p.setPen(Qt::black);
        p.drawText(scaled(b.rect), Qt::AlignCenter, QStringLiteral("%1-%2").arg(b.stake).arg(b.index));
    }
    p.setPen(QPen(Qt::blue, 2, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    for (const QRectF &m : d.marks)
        p.drawRect(scaled(m).adjusted(-2, -2, 2, 2));
    p.end();
    m_view->setPixmap(QPixmap::fromImage(view));
    m_view->adjustSize();
    QStringList xs, ys;
    for (const QPointF &o : d.stakeOffsets) {
        xs << mm(o.x());
        ys << mm(o.y());
    }
    m_info->setText(QStringLiteral("旋转角度：%1°\n填涂块：%2 × %3 毫米，共 %4 个\n定位标记：%5 个\n"
                                   "各注偏移 X：%6\n各注偏移 Y：%7")
                        .arg(QString::number(d.angle, 'f', 2), mm(d.block.width()), mm(d.block.height()))
                        .arg(d.blocks.size())
                        .arg(d.marks.size())
                        .arg(xs.join(','), ys.join(',')));
}

bool frmPDetectBlocks::Apply(colPLControls &layout, KdPLDesinger &canvas, const QString &folder)
{
    const QImage straight = StraightenPicture(m_picture, m_detection.angle, SlipPaperColour(m_picture));
    QString target = QDir(folder).filePath(QFileInfo(m_picturePath).completeBaseName() + ".png");
    if (QFileInfo(target) == QFileInfo(m_picturePath) && m_detection.angle != 0)
        target = QDir(folder).filePath(QFileInfo(m_picturePath).completeBaseName() + "-straight.png");
    if (QFileInfo(target) != QFileInfo(m_picturePath) || m_detection.angle != 0) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        straight.save(&buffer, "PNG");
        if (const SaveOutcome saved = WriteFileAtomically(target, png); !saved.ok) {
            MsgBox(saved.reason, MsgStyle::Plain);
            return false;
        }
    }
    colPLControls existing;
    canvas.GetAllControls(existing);
    QList<clsPLControl> elements;
    for (const clsPLControl &e : existing)
        elements.append(e);
    SlipFromPicture from;
    from.detection = &m_detection;
    from.areas = choices();
    from.backPicture = target;
    from.fontName = DefaultFontName();
    CanvasSink sink(canvas);
    ApplySlipFromPicture(layout, sink, elements, from);
    return true;
}

bool frmPDetectBlocks::ShowMe(KdPLDesinger &canvas, colPLControls &layout, QWidget *parent)
{
    QString picture = layout.BackPicPathFile();
    if (picture.isEmpty() || !QFileInfo(picture).isFile())
        picture = QFileDialog::getOpenFileName(parent, QStringLiteral("识别填涂块"), Folders().templates,
                                               QStringLiteral("图片文件(*.bmp *.jpg *.jpeg *.png *.gif)"));
    if (picture.isEmpty())
        return false;
    const SlipPicture checked = ReadSlipPicture(picture, 150, 64);
    if (checked.problem == PictureProblem::CannotOpen || checked.problem == PictureProblem::TooLarge) {
        MsgBox(PictureProblemText(checked.problem, picture), MsgStyle::Plain);
        return false;
    }
    frmPDetectBlocks dialog(picture, startDpi(picture, layout), parent, layout.GroupLottNumberCountStr());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QString folder = layout.PathFile().isEmpty() ? Folders().templates
                                                       : QFileInfo(layout.PathFile()).absolutePath();
    return dialog.Apply(layout, canvas, folder);
}

#include "gui/frmPTwoPointScale.h"

#include "dialogs/LottPropertyDialog.h"
#include "dialogs/TwoPointScale.h"
#include "gui/TwoPointPicker.h"
#include "platform/DialogInput.h"
#include "common/MsgBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineF>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {
QString px(double v) { return QString::number(v, 'f', 1); }

QPushButton *zoomButton(const char *name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}
} // namespace

frmPTwoPointScale::frmPTwoPointScale(const QImage &picture, QWidget *parent)
    : QDialog(parent), m_pixels(picture.size())
{
    setObjectName(QStringLiteral("frmPTwoPointScale"));
    setWindowTitle(QStringLiteral("两点定标"));
    setSizeGripEnabled(true);
    auto *hint = new QLabel(QStringLiteral("在图片上点击两个点（例如一条印刷线的两端），再输入它们之间的实际距离。"
                                           "方向键微调选中的点（Shift 加快），按 1、2 选择点，+、- 或 Ctrl+滚轮缩放。"),
                            this);
    hint->setWordWrap(true);
    m_picker = new TwoPointPicker(picture);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrPicture"));
    m_scroll->setWidget(m_picker);
    m_scroll->setMinimumSize(320, 200);
    m_scroll->setBackgroundRole(QPalette::Dark);

    auto *zoomIn = zoomButton("cmdZoomIn", QStringLiteral("放大(&+)"), this);
    auto *zoomOut = zoomButton("cmdZoomOut", QStringLiteral("缩小(&-)"), this);
    auto *fit = zoomButton("cmdZoomFit", QStringLiteral("适合窗口(&F)"), this);
    m_points = new QLabel(this);
    m_points->setObjectName(QStringLiteral("lblPoints"));
    auto *zoomRow = new QHBoxLayout;
    zoomRow->addWidget(zoomIn);
    zoomRow->addWidget(zoomOut);
    zoomRow->addWidget(fit);
    zoomRow->addWidget(m_points, 1);

    m_distance = new QLineEdit(this);
    m_distance->setObjectName(QStringLiteral("txtDistance"));
    auto *distanceLabel = new QLabel(QStringLiteral("两点之间的实际距离(&D)（毫米）："), this);
    distanceLabel->setBuddy(m_distance);
    m_size = new QLabel(this);
    m_size->setObjectName(QStringLiteral("lblPictureSize"));
    auto *distanceRow = new QHBoxLayout;
    distanceRow->addWidget(distanceLabel);
    distanceRow->addWidget(m_distance);
    distanceRow->addWidget(m_size, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(QStringLiteral("确定(&O)"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消(&C)"));

    auto *all = new QVBoxLayout(this);
    all->addWidget(hint);
    all->addWidget(m_scroll, 1);
    all->addLayout(zoomRow);
    all->addLayout(distanceRow);
    all->addWidget(buttons);

    connect(zoomIn, &QPushButton::clicked, this, [this] { m_picker->setZoom(m_picker->zoom() * TwoPointPicker::kZoomStep); });
    connect(zoomOut, &QPushButton::clicked, this, [this] { m_picker->setZoom(m_picker->zoom() / TwoPointPicker::kZoomStep); });
    connect(fit, &QPushButton::clicked, this, &frmPTwoPointScale::FitToWindow);
    connect(m_picker, &TwoPointPicker::pointsChanged, this, &frmPTwoPointScale::showPoints);
    connect(m_picker, &TwoPointPicker::zoomChanged, this, &frmPTwoPointScale::showPoints);
    connect(m_picker, &TwoPointPicker::showPosition, this,
            [this](QPoint at) { m_scroll->ensureVisible(at.x(), at.y(), 40, 40); });
    connect(m_distance, &QLineEdit::textChanged, this, &frmPTwoPointScale::showPoints);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmPTwoPointScale::cmdOK_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    resize(960, 680);
    // The picture is fitted once the window has its size.
    QTimer::singleShot(0, this, &frmPTwoPointScale::FitToWindow);
    m_picker->setFocus();
    showPoints();
}

void frmPTwoPointScale::FitToWindow()
{
    // A pixel less each way, so that rounding the zoomed size up shows no scroll bar.
    const QSize room = m_scroll->viewport()->size() - QSize(2, 2);
    if (m_pixels.isEmpty() || room.isEmpty())
        return;
    m_picker->setZoom(std::min(double(room.width()) / m_pixels.width(), double(room.height()) / m_pixels.height()));
}

void frmPTwoPointScale::showPoints()
{
    QStringList parts;
    for (int i = 0; i < 2; ++i)
        if (const auto p = m_picker->point(i))
            parts << QStringLiteral("点 %1：(%2, %3)").arg(i + 1).arg(px(p->x()), px(p->y()));
    const auto a = m_picker->point(0), b = m_picker->point(1);
    if (a && b)
        parts << QStringLiteral("相距 %1 像素").arg(px(QLineF(*a, *b).length()));
    parts << QStringLiteral("缩放 %1%").arg(std::round(m_picker->zoom() * 100));
    m_points->setText(parts.join(QStringLiteral("　")));
    const TwoPointScale scale = ScaleFromTwoPoints(a, b, m_distance->text());
    if (scale.passed()) {
        const PictureSizeTexts size = PictureSizeFromScale(m_pixels, scale.mmPerPixel);
        m_size->setText(QStringLiteral("图片尺寸：%1 × %2 毫米").arg(size.width, size.height));
    } else {
        m_size->clear();
    }
}

void frmPTwoPointScale::cmdOK_Click()
{
    const TwoPointScale scale = ScaleFromTwoPoints(m_picker->point(0), m_picker->point(1), m_distance->text());
    if (!scale.passed()) {
        if (scale.message == TwoPointDistanceMessage())
            return void(RejectField(m_distance, scale.message));
        MsgBox(scale.message, MsgStyle::Information);
        m_picker->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_mmPerPixel = scale.mmPerPixel;
    accept();
}

#include "gui/frmPLottProperty.h"

#include "common/Blanks.h"
#include "common/MsgBox.h"
#include "detect/PictureMessages.h"
#include "detect/SlipPictureFile.h"
#include "gui/frmPTwoPointScale.h"
#include "model/colPLControls.h"
#include "platform/Calculator.h"
#include "platform/DialogInput.h"
#include "platform/FormTheme.h"
#include "platform/TenthSpinner.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
QLabel *wrapped(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QPushButton *button(const char *name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QRadioButton *option(const char *name, const QString &caption, QWidget *parent)
{
    auto *o = new QRadioButton(caption, parent);
    o->setObjectName(QLatin1String(name));
    return o;
}
} // namespace

frmPLottProperty::frmPLottProperty(const QString &templateFolder, QWidget *parent)
    : QDialog(parent), m_templateFolder(templateFolder)
{
    setObjectName("frmPLottProperty");
    setWindowTitle(QStringLiteral("彩票设置"));
    tabPages = new QTabWidget(this);
    tabPages->setObjectName("tabPages");
    tabPages->addTab(buildGeneralPage(), QStringLiteral("常规设置"));
    tabPages->addTab(buildStakePage(), QStringLiteral("同页注数"));
    tabPages->addTab(buildAreaPage(), QStringLiteral("填涂区设置"));
    tabPages->addTab(buildPicturePage(), QStringLiteral("背景设置"));

    cmdCalc = button("cmdCalc", QStringLiteral("计算器"), this);
    cmdPrev = button("cmdPrev", QStringLiteral("上一步"), this);
    cmdNext = button("cmdNext", QStringLiteral("下一步"), this);
    cmdApply = button("cmdApply", QStringLiteral("应用(&A)"), this);
    cmdOK = button("cmdOK", QStringLiteral("确定(&O)"), this);
    cmdOK->setDefault(true);
    cmdCancel = button("cmdCancel", QStringLiteral("取消(&C)"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdCalc);
    buttons->addStretch(1);
    for (QPushButton *b : {cmdPrev, cmdNext, cmdApply, cmdOK, cmdCancel})
        buttons->addWidget(b);
    auto *all = new QVBoxLayout(this);
    all->addWidget(tabPages, 1);
    all->addLayout(buttons);

    connect(cmdCalc, &QPushButton::clicked, this, [] { StartCalculator(); });
    connect(cmdPrev, &QPushButton::clicked, this, &frmPLottProperty::cmdPrev_Click);
    connect(cmdNext, &QPushButton::clicked, this, &frmPLottProperty::cmdNext_Click);
    connect(cmdApply, &QPushButton::clicked, this, &frmPLottProperty::cmdApply_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmPLottProperty::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdBrowBackPicture, &QPushButton::clicked, this, &frmPLottProperty::cmdBrowBackPicture_Click);
    connect(cmdLayoutWidthByDPI, &QPushButton::clicked, this, &frmPLottProperty::cmdLayoutWidthByDPI_Click);
    connect(cmdLayoutWidthByTwoPoints, &QPushButton::clicked, this, &frmPLottProperty::cmdLayoutWidthByTwoPoints_Click);

    m_chooseFile = [this](const QString &start) {
        return QFileDialog::getOpenFileName(this, QStringLiteral("打开"), start,
                                            QStringLiteral("图片文件(*.bmp *.jpg *.gif)"));
    };
    m_prompt = [this](const QString &text, const QString &title, const QString &preset) {
        return QInputDialog::getText(this, title, text, QLineEdit::Normal, preset);
    };
    EnterMovesFocus(this);
    ApplyFormTheme(this);
}

QLineEdit *frmPLottProperty::field(const char *name, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QWidget *frmPLottProperty::buildGeneralPage()
{
    auto *page = new QWidget(this);
    txtLayoutName = field("txtLayoutName", page);
    auto *shape = new QGroupBox(QStringLiteral("形状"), page);
    optMarkCross = option("optMarkCross", QStringLiteral("小叉"), shape);
    optMarkRect = option("optMarkRect", QStringLiteral("方块"), shape);
    auto *sg = new QHBoxLayout(shape);
    sg->addWidget(optMarkCross);
    sg->addWidget(optMarkRect);
    txtLottNumberWidth = field("txtLottNumberWidth", page);
    txtLottNumberHeight = field("txtLottNumberHeight", page);
    auto *size = new QHBoxLayout;
    size->addWidget(new QLabel(QStringLiteral("[宽×高][毫米]"), page));
    size->addWidget(txtLottNumberWidth);
    size->addWidget(new QLabel(QStringLiteral("×"), page));
    size->addWidget(txtLottNumberHeight);
    size->addWidget(new QLabel(QStringLiteral("例如 3.5 × 1.5"), page));

    auto *orientation = new QGroupBox(page);
    optLandscape = option("optLandscape", QStringLiteral("横向打印"), orientation);
    optPortrait = option("optPortrait", QStringLiteral("纵向打印"), orientation);
    auto *og = new QHBoxLayout(orientation);
    og->addWidget(optLandscape);
    og->addWidget(optPortrait);

    auto *margins = new QGroupBox(QStringLiteral("打印边距（毫米）"), page);
    txtLayoutLeft = field("txtLayoutLeft", margins);
    txtLayoutTop = field("txtLayoutTop", margins);
    auto *mg = new QGridLayout(margins);
    mg->addWidget(new QLabel(QStringLiteral("左侧"), margins), 0, 0);
    mg->addWidget(txtLayoutLeft, 0, 1);
    mg->addWidget(new QLabel(QStringLiteral("可以为负数"), margins), 0, 2);
    mg->addWidget(new QLabel(QStringLiteral("顶端"), margins), 1, 0);
    mg->addWidget(txtLayoutTop, 1, 1);

    auto *v = new QVBoxLayout(page);
    v->addWidget(new QLabel(QStringLiteral("请输入彩票的名称，便于以后使用时查看、选择："), page));
    v->addWidget(txtLayoutName);
    v->addWidget(shape);
    v->addLayout(size);
    v->addWidget(orientation);
    v->addWidget(margins);
    v->addStretch(1);
    return page;
}

QWidget *frmPLottProperty::buildStakePage()
{
    auto *page = new QWidget(this);
    txtStakeCount = field("txtStakeCount", page);
    txtStakeOffsetStrX = field("txtStakeOffsetStrX", page);
    txtStakeOffsetStrY = field("txtStakeOffsetStrY", page);
    lblStakeExample = wrapped(QString(), page);
    lblStakeExample->setObjectName("lblStakeExample");
    auto *g = new QGridLayout(page);
    g->addWidget(wrapped(QStringLiteral("一般来说，一张投注单上可以同时打印多注号码（比如 5 注），我们设计投注单时，只需要设计第一注号码的填涂就可以了。"), page), 0, 0, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("每张投注单注数："), page), 1, 0);
    g->addWidget(txtStakeCount, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("各注的填涂位置偏移量(毫米，各注位置用逗号分隔)："), page), 2, 0, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("X 方向"), page), 3, 0);
    g->addWidget(txtStakeOffsetStrX, 3, 1);
    g->addWidget(new QLabel(QStringLiteral("Y 方向"), page), 4, 0);
    g->addWidget(txtStakeOffsetStrY, 4, 1);
    g->addWidget(lblStakeExample, 5, 0, 1, 2);
    g->setRowStretch(6, 1);
    return page;
}

QWidget *frmPLottProperty::buildAreaPage()
{
    auto *page = new QWidget(this);
    txtGroupCount = field("txtGroupCount", page);
    txtGroupLottNumberCountStr = field("txtGroupLottNumberCountStr", page);
    auto *g = new QGridLayout(page);
    g->addWidget(new QLabel(QStringLiteral("每注分为多少个填涂区"), page), 0, 0);
    g->addWidget(txtGroupCount, 0, 1);
    g->addWidget(wrapped(QStringLiteral("如双色球，分为红色球区和蓝色球区，即 2 个区，而足球彩票 13 场比赛则各为一个区，即 13 个填涂区，对于 33 选 7，那么只有一个填涂区。"), page), 1, 0, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("各填涂区选择号码个数(逗号分隔)"), page), 2, 0);
    g->addWidget(txtGroupLottNumberCountStr, 2, 1);
    g->addWidget(wrapped(QStringLiteral("按填涂区的顺序，依次写出每个填涂区选择的号码个数，例如 33 选 7 只有一个填涂区，写“7”；足球彩票 13 场比赛各选一个号码，写“1,1,1,1,1,1,1,1,1,1,1,1,1”。"), page), 3, 0, 1, 2);
    g->setRowStretch(4, 1);
    return page;
}

QWidget *frmPLottProperty::buildPicturePage()
{
    auto *page = new QWidget(this);
    txtBackPicturePathFile = field("txtBackPicturePathFile", page);
    cmdBrowBackPicture = button("cmdBrowBackPicture", QStringLiteral("浏览"), page);
    auto *path = new QHBoxLayout;
    path->addWidget(new QLabel(QStringLiteral("背景图文件"), page));
    path->addWidget(txtBackPicturePathFile, 1);
    path->addWidget(cmdBrowBackPicture);

    auto *size = new QGroupBox(QStringLiteral("背景图大小（毫米）"), page);
    auto *position = new QGroupBox(QStringLiteral("背景图左上角位置（毫米）"), page);
    txtBackPictureWidth = field("txtBackPictureWidth", size);
    txtBackPictureHeight = field("txtBackPictureHeight", size);
    txtBackPictureLeft = field("txtBackPictureLeft", position);
    txtBackPictureTop = field("txtBackPictureTop", position);
    cmdLayoutWidthByDPI = button("cmdLayoutWidthByDPI", QStringLiteral("根据 DPI 得到"), size);
    cmdLayoutWidthByTwoPoints = button("cmdLayoutWidthByTwoPoints", QStringLiteral("两点定标"), size);
    auto spun = [this](QGroupBox *box, QGridLayout *g, int row, const QString &caption, QLineEdit *edit,
                       const char *spinner) {
        g->addWidget(new QLabel(caption, box), row, 0);
        g->addWidget(edit, row, 1);
        auto *spin = new TenthSpinner(edit, QLatin1String(spinner), box);
        g->addWidget(spin, row, 2);
        // The picture on the canvas follows the fields.
        connect(spin, &TenthSpinner::released, this, &frmPLottProperty::Apply);
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] {
            if (edit->isModified()) {
                edit->setModified(false);
                Apply();
            }
        });
    };
    auto *sg = new QGridLayout(size);
    spun(size, sg, 0, QStringLiteral("宽度"), txtBackPictureWidth, "updBackPictureWidth");
    spun(size, sg, 1, QStringLiteral("高度"), txtBackPictureHeight, "updBackPictureHeight");
    sg->addWidget(cmdLayoutWidthByDPI, 0, 3);
    sg->addWidget(cmdLayoutWidthByTwoPoints, 1, 3);
    auto *pg = new QGridLayout(position);
    spun(position, pg, 0, QStringLiteral("左边"), txtBackPictureLeft, "updBackPictureLeft");
    spun(position, pg, 1, QStringLiteral("上边"), txtBackPictureTop, "updBackPictureTop");

    // Offered by the new template's wizard once a picture is there: the blocks, marks, stakes and
    // the picture's size all come from it, most of what the other pages asked.
    chkDetectBlocks = new QCheckBox(QStringLiteral("完成后识别填涂块(&I)"), page);
    chkDetectBlocks->setObjectName("chkDetectBlocks");
    chkDetectBlocks->setEnabled(false);
    connect(txtBackPicturePathFile, &QLineEdit::textChanged, this,
            [this](const QString &text) { chkDetectBlocks->setEnabled(!TrimBlanks(text).isEmpty()); });

    auto *v = new QVBoxLayout(page);
    v->addLayout(path);
    v->addWidget(chkDetectBlocks);
    v->addWidget(size);
    v->addWidget(position);
    v->addWidget(wrapped(QStringLiteral("背景图仅供设计时使用，不是必须的，但如果以清晰的投注单扫描图片作为背景图，将使我们设计投注单更为直观、方便。"), page));
    v->addStretch(1);
    return page;
}

bool frmPLottProperty::ShowMe(colPLControls &layout, bool blnIsWizard,
                              UpdateControls DoUpdateControlsByProperty)
{
    m_layout = &layout;
    m_update = std::move(DoUpdateControlsByProperty);
    m_result = false;
    lblStakeExample->setText(StakeOffsetExampleText());
    tabPages->setCurrentIndex(0);
    SetWizardMode(blnIsWizard);
    LoadFromTemplate();
    exec();
    m_layout = nullptr;
    return m_result;
}

void frmPLottProperty::SetWizardMode(bool wizard)
{
    m_wizard = wizard;
    chkDetectBlocks->setVisible(wizard);
    chkDetectBlocks->setChecked(false);
    cmdPrev->setVisible(wizard);
    cmdNext->setVisible(wizard);
    cmdApply->setVisible(!wizard);
    // In the wizard the pages are only reached through the step buttons.
    tabPages->tabBar()->setVisible(!wizard);
    if (wizard) {
        cmdOK->setText(QStringLiteral("完成(&O)"));
        UpdatePageButtons();
    } else {
        cmdOK->setText(QStringLiteral("确定(&O)"));
        cmdOK->setEnabled(true);
    }
}

void frmPLottProperty::UpdatePageButtons()
{
    const int page = CurrentPage();
    if (auto *first = findChild<QLineEdit *>(PageFirstField(page)))
        first->setFocus(Qt::OtherFocusReason);
    if (!m_wizard)
        return;
    const WizardButtons b = WizardButtonsOnPage(page);
    cmdPrev->setEnabled(b.prevEnabled);
    cmdNext->setEnabled(b.nextEnabled);
    cmdOK->setEnabled(b.finishEnabled);
}

bool frmPLottProperty::DetectBlocksAfterFinish() const
{
    return m_wizard && chkDetectBlocks->isChecked() && chkDetectBlocks->isEnabled();
}

int frmPLottProperty::CurrentPage() const { return tabPages->currentIndex(); }

std::vector<frmPLottProperty::TextField> frmPLottProperty::textFields() const
{
    using F = LottPropertyFields;
    return {
        {&F::txtLayoutName, txtLayoutName},
        {&F::txtLottNumberWidth, txtLottNumberWidth},
        {&F::txtLottNumberHeight, txtLottNumberHeight},
        {&F::txtLayoutLeft, txtLayoutLeft},
        {&F::txtLayoutTop, txtLayoutTop},
        {&F::txtStakeCount, txtStakeCount},
        {&F::txtStakeOffsetStrX, txtStakeOffsetStrX},
        {&F::txtStakeOffsetStrY, txtStakeOffsetStrY},
        {&F::txtGroupCount, txtGroupCount},
        {&F::txtGroupLottNumberCountStr, txtGroupLottNumberCountStr},
        {&F::txtBackPicturePathFile, txtBackPicturePathFile},
        {&F::txtBackPictureWidth, txtBackPictureWidth},
        {&F::txtBackPictureHeight, txtBackPictureHeight},
        {&F::txtBackPictureLeft, txtBackPictureLeft},
        {&F::txtBackPictureTop, txtBackPictureTop},
    };
}

LottPropertyFields frmPLottProperty::Fields() const
{
    LottPropertyFields f;
    for (const TextField &t : textFields())
        f.*t.text = t.box->text();
    f.optMarkCross = optMarkCross->isChecked();
    f.optLandscape = optLandscape->isChecked();
    return f;
}

void frmPLottProperty::LoadFromTemplate()
{
    const LottPropertyFields f = ::LoadFromTemplate(*m_layout, vspThis);
    for (const TextField &t : textFields())
        t.box->setText(f.*t.text);
    (f.optMarkCross ? optMarkCross : optMarkRect)->setChecked(true);
    (f.optLandscape ? optLandscape : optPortrait)->setChecked(true);
}

bool frmPLottProperty::refuse(const DialogCheck &check)
{
    if (check.passed())
        return true;
    tabPages->setCurrentIndex(check.page);
    if (auto *box = findChild<QLineEdit *>(check.field))
        return RejectField(box, check.message);
    return false;
}

bool frmPLottProperty::ValidatePage(int page) { return refuse(::ValidatePage(Fields(), page)); }

bool frmPLottProperty::ValidateAllPages() { return refuse(::ValidateAllPages(Fields())); }

void frmPLottProperty::SaveToTemplate()
{
    if (m_layout)
        ::SaveToTemplate(Fields(), *m_layout, vspThis);
}

void frmPLottProperty::cmdNext_Click()
{
    if (!ValidatePage(CurrentPage()))
        return;
    tabPages->setCurrentIndex(NextPage(CurrentPage()));
    UpdatePageButtons();
}

void frmPLottProperty::cmdPrev_Click()
{
    if (!ValidatePage(CurrentPage()))
        return;
    tabPages->setCurrentIndex(PrevPage(CurrentPage()));
    UpdatePageButtons();
}

void frmPLottProperty::cmdOK_Click()
{
    if (!ValidateAllPages())
        return;
    SaveToTemplate();
    m_result = true;
    accept();
}

void frmPLottProperty::Apply()
{
    if (!m_layout || !ValidateAllPages())
        return;
    SaveToTemplate();
    if (m_update)
        m_update();
}

void frmPLottProperty::cmdApply_Click() { Apply(); }

void frmPLottProperty::cmdBrowBackPicture_Click()
{
    const QString chosen = m_chooseFile(m_templateFolder);
    if (chosen.isEmpty())
        return;
    txtBackPicturePathFile->setText(chosen);
    chkDetectBlocks->setChecked(true);
    // The picture is taken at once, whatever the other pages hold.
    SaveToTemplate();
    if (m_update)
        m_update();
}

QString frmPLottProperty::backPicturePath() const
{
    // A bare file name lies beside the template, as the template reads it.
    colPLControls picture;
    picture.setPathFile(m_layout ? m_layout->PathFile() : QString());
    picture.setBackPicPathFile(txtBackPicturePathFile->text());
    return picture.BackPicPathFile();
}

void frmPLottProperty::showPictureSize(const PictureSizeTexts &size)
{
    txtBackPictureHeight->setText(size.height);
    txtBackPictureWidth->setText(size.width);
}

void frmPLottProperty::cmdLayoutWidthByDPI_Click()
{
    const QString path = backPicturePath();
    const QSize pixels = QImageReader(path).size();
    const auto size = PictureSizeFromDpi(pixels.isValid() ? pixels : QSize(0, 0),
                                         m_prompt(DpiPromptText(), DpiPromptTitle(), DpiPromptDefaultFor(path)));
    if (size)
        showPictureSize(*size);
}

void frmPLottProperty::cmdLayoutWidthByTwoPoints_Click()
{
    const QString path = backPicturePath();
    // Any resolution will do: only the pixels are shown.
    const SlipPicture picture = ReadSlipPicture(path, 150);
    if (picture.problem != PictureProblem::None) {
        MsgBox(path.isEmpty() ? QStringLiteral("请先选择背景图文件！") : PictureProblemText(picture.problem, path),
               MsgStyle::Plain);
        return;
    }
    frmPTwoPointScale scale(picture.image, this);
    if (scale.exec() == QDialog::Accepted)
        showPictureSize(PictureSizeFromScale(picture.image.size(), scale.MmPerPixel()));
}

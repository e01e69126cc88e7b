#include "gui/frmMain.h"
#include "gui/MarkSample.h"
#include "app/PrintJob.h"
#include "app/ProgramFolders.h"
#include "common/AtomicFile.h"
#include "common/FormatMsg.h"
#include "common/MsgBox.h"
#include "common/PathFile.h"
#include "common/Quitting.h"
#include "common/ToNumber.h"
#include "common/VbFormat.h"
#include "input/BetImporter.h"
#include "input/BetList.h"
#include "input/BetListCommands.h"
#include "input/StakeCheck.h"
#include "gui/frmPImportLottNumbers.h"
#include "platform/FormTheme.h"
#include "print/DocumentSurface.h"
#include "print/MarkColor.h"
#include "gui/PreviewWidget.h"
#include "print/clsPLPrint.h"
#include "gui/frmPLPreview.h"
#include "storage/clsMouseCtrl.h"
#include "storage/clsPLStoreINI.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
const char *const kHomePage = "https://github.com/vornprn";

// Enter in a box and leaving it both apply what was typed.
class ApplyOnEnter : public QObject {
public:
    ApplyOnEnter(QLineEdit *box, std::function<void()> apply) : QObject(box), m_apply(std::move(apply))
    {
        box->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::FocusOut)
            m_apply();
        else if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(e)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_apply();
                return true;
            }
        }
        return false;
    }

private:
    std::function<void()> m_apply;
};

QToolButton *arrowButton(Qt::ArrowType arrow, QWidget *parent, const QString &name)
{
    auto *b = new QToolButton(parent);
    b->setArrowType(arrow);
    b->setAutoRepeat(true);
    b->setObjectName(name);
    b->setFixedSize(18, 12);
    return b;
}

QLineEdit *numberBox(QWidget *parent, const QString &name, int width = 60)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMaximumWidth(width);
    return box;
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent), m_bets(std::make_unique<BetList>()), m_layout(std::make_unique<colPLControls>())
{
    setObjectName("frmMain");
    buildUi();
    connectSignals();
}

frmMain::~frmMain() = default;

frmPLPreview &frmMain::PreviewWindow()
{
    if (!m_preview)
        m_preview = std::make_unique<frmPLPreview>(this);
    return *m_preview;
}

QString frmMain::TemplatePath() const { return Folders().templates + icboLottType->currentText(); }

QWidget *frmMain::buildTemplatePane()
{
    auto *pane = new QWidget(this);
    auto *label = new QLabel(QStringLiteral("选择彩票"), pane);
    icboLottType = new QComboBox(pane);
    icboLottType->setObjectName("icboLottType");
    icboLottType->setMinimumContentsLength(16);
    label->setBuddy(icboLottType);
    cmdZoomIn = new QPushButton(QStringLiteral("放大"), pane);
    cmdZoomIn->setObjectName("cmdZoomIn");
    cmdZoomOut = new QPushButton(QStringLiteral("缩小"), pane);
    cmdZoomOut->setObjectName("cmdZoomOut");
    cmdZoomAll = new QPushButton(QStringLiteral("显示整页"), pane);
    cmdZoomAll->setObjectName("cmdZoomAll");
    vspPreview = new PreviewWidget(pane);
    vspPreview->setObjectName("vspPreview");

    auto *top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(icboLottType, 1);
    top->addSpacing(12);
    top->addWidget(cmdZoomIn);
    top->addWidget(cmdZoomOut);
    top->addWidget(cmdZoomAll);
    auto *layout = new QVBoxLayout(pane);
    layout->addLayout(top);
    layout->addWidget(vspPreview, 1);
    return pane;
}

QWidget *frmMain::buildOptionsPane()
{
    auto *pane = new QWidget(this);

    // The print offset and orientation for this printer.
    auto *layoutBox = new QGroupBox(QStringLiteral("临时调整打印设置："), pane);
    txtLayoutLeft = numberBox(layoutBox, "txtLayoutLeft");
    txtLayoutTop = numberBox(layoutBox, "txtLayoutTop");
    updLayoutLeftUp = arrowButton(Qt::UpArrow, layoutBox, "updLayoutLeft");
    updLayoutLeftDown = arrowButton(Qt::DownArrow, layoutBox, "updLayoutLeftDown");
    updLayoutTopUp = arrowButton(Qt::UpArrow, layoutBox, "updLayoutTop");
    updLayoutTopDown = arrowButton(Qt::DownArrow, layoutBox, "updLayoutTopDown");
    auto upDown = [&](QToolButton *up, QToolButton *down) {
        auto *col = new QVBoxLayout;
        col->setSpacing(0);
        col->addWidget(up);
        col->addWidget(down);
        return col;
    };
    optLandscape = new QRadioButton(QStringLiteral("横向打印"), layoutBox);
    optLandscape->setObjectName("optLandscape");
    optPortrait = new QRadioButton(QStringLiteral("纵向打印"), layoutBox);
    optPortrait->setObjectName("optPortrait");
    cmdSaveLayout = new QPushButton(QStringLiteral("将边距、打印方向设定保存到投注单设置文件中"), layoutBox);
    cmdSaveLayout->setObjectName("cmdSaveLayout");
    auto *leftLabel = new QLabel(QStringLiteral("左边"), layoutBox);
    leftLabel->setBuddy(txtLayoutLeft);
    auto *topLabel = new QLabel(QStringLiteral("顶端"), layoutBox);
    topLabel->setBuddy(txtLayoutTop);
    auto *lg = new QGridLayout(layoutBox);
    lg->addWidget(leftLabel, 0, 0);
    lg->addWidget(txtLayoutLeft, 0, 1);
    lg->addLayout(upDown(updLayoutLeftUp, updLayoutLeftDown), 0, 2);
    lg->addWidget(new QLabel(QStringLiteral("毫米"), layoutBox), 0, 3);
    lg->addWidget(optLandscape, 0, 4);
    lg->addWidget(topLabel, 1, 0);
    lg->addWidget(txtLayoutTop, 1, 1);
    lg->addLayout(upDown(updLayoutTopUp, updLayoutTopDown), 1, 2);
    lg->addWidget(new QLabel(QStringLiteral("毫米"), layoutBox), 1, 3);
    lg->addWidget(optPortrait, 1, 4);
    lg->addWidget(cmdSaveLayout, 2, 0, 1, 5);
    lg->setColumnStretch(5, 1);

    auto *testLabel = new QLabel(QStringLiteral("测试打印是否准确-->"), pane);
    cmdPrintTest = new QPushButton(QStringLiteral("打印所有标记，以检查套打是否准确"), pane);
    cmdPrintTest->setObjectName("cmdPrintTest");
    auto *testRow = new QHBoxLayout;
    testRow->addWidget(testLabel);
    testRow->addWidget(cmdPrintTest, 1);

    // What to print.
    auto *optionsBox = new QGroupBox(QStringLiteral("打印选项"), pane);
    chkPrintText = new QCheckBox(QStringLiteral("打印文字（如页码、注序号）"), optionsBox);
    chkPrintText->setObjectName("chkPrintText");
    chkPrintMark = new QCheckBox(QStringLiteral("打印定位标记（打印到背面或白纸时）"), optionsBox);
    chkPrintMark->setObjectName("chkPrintMark");
    sldMarkGray = new QSlider(Qt::Horizontal, optionsBox);
    sldMarkGray->setObjectName("sldMarkGray");
    sldMarkGray->setRange(0, 100);
    sldMarkGray->setPageStep(10);
    lblMarkGray = new MarkSample(optionsBox);
    lblMarkGray->setObjectName("lblMarkGray");
    auto *grayLabel = new QLabel(QStringLiteral("填涂块"), optionsBox);
    grayLabel->setBuddy(sldMarkGray);
    auto *og = new QGridLayout(optionsBox);
    og->addWidget(chkPrintText, 0, 0, 1, 3);
    og->addWidget(chkPrintMark, 1, 0, 1, 3);
    og->addWidget(grayLabel, 2, 0);
    og->addWidget(sldMarkGray, 2, 1);
    og->addWidget(lblMarkGray, 2, 2);
    og->addWidget(new QLabel(QStringLiteral("可以在设计彩票时设置填涂块形状"), optionsBox), 3, 0, 1, 3);

    // Which stakes, and how many tickets between pauses.
    auto *rangeBox = new QGroupBox(QStringLiteral("打印范围"), pane);
    optPrintRangeAll = new QRadioButton(QStringLiteral("全部打印"), rangeBox);
    optPrintRangeAll->setObjectName("optPrintRangeAll");
    optPrintRangeByPage = new QRadioButton(QStringLiteral("打印页码范围"), rangeBox);
    optPrintRangeByPage->setObjectName("optPrintRangeByPage");
    optPrintRangeByStake = new QRadioButton(QStringLiteral("打印注号范围"), rangeBox);
    optPrintRangeByStake->setObjectName("optPrintRangeByStake");
    txtPaperStart = numberBox(rangeBox, "txtPaperStart");
    txtPaperEnd = numberBox(rangeBox, "txtPaperEnd");
    txtLottNumberStart = numberBox(rangeBox, "txtLottNumberStart");
    txtLottNumberEnd = numberBox(rangeBox, "txtLottNumberEnd");
    txtPrintPaustPaper = numberBox(rangeBox, "txtPrintPaustPaper");
    cmdPrint = new QPushButton(QStringLiteral("开始打印"), rangeBox);
    cmdPrint->setObjectName("cmdPrint");
    cmdPrint->setDefault(true);
    auto *pauseLabel = new QLabel(QStringLiteral("每多少页暂停:"), rangeBox);
    pauseLabel->setBuddy(txtPrintPaustPaper);
    auto *rg = new QGridLayout(rangeBox);
    rg->addWidget(optPrintRangeAll, 0, 0);
    rg->addWidget(optPrintRangeByPage, 1, 0);
    rg->addWidget(txtPaperStart, 1, 1);
    rg->addWidget(new QLabel(QStringLiteral("～"), rangeBox), 1, 2);
    rg->addWidget(txtPaperEnd, 1, 3);
    rg->addWidget(optPrintRangeByStake, 2, 0);
    rg->addWidget(txtLottNumberStart, 2, 1);
    rg->addWidget(new QLabel(QStringLiteral("～"), rangeBox), 2, 2);
    rg->addWidget(txtLottNumberEnd, 2, 3);
    rg->addWidget(pauseLabel, 3, 0);
    rg->addWidget(txtPrintPaustPaper, 3, 1);
    rg->addWidget(cmdPrint, 3, 3, 1, 2);
    rg->setColumnStretch(4, 1);

    // The bet list.
    auto *listBox = new QGroupBox(QStringLiteral("投注号码"), pane);
    lvwLottNumbers = new QTableView(listBox);
    lvwLottNumbers->setObjectName("lvwLottNumbers");
    lvwLottNumbers->setModel(m_bets.get());
    lvwLottNumbers->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwLottNumbers->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvwLottNumbers->verticalHeader()->hide();
    lvwLottNumbers->verticalHeader()->setDefaultSectionSize(20);
    lvwLottNumbers->horizontalHeader()->setStretchLastSection(true);
    lvwLottNumbers->setWordWrap(false);
    // The columns' widths in twips at this screen's resolution.
    for (int c = 0; c < BetList::ColumnCount; ++c)
        lvwLottNumbers->setColumnWidth(c, BetList::ColumnWidthTwips(c) * logicalDpiX() / 1440);
    lblLottCountInfo = new QLabel(QStringLiteral("共 0  注，0 页"), listBox);
    lblLottCountInfo->setObjectName("lblLottCountInfo");
    cmdLottNumbersImport = new QPushButton(QStringLiteral("导入"), listBox);
    cmdLottNumbersImport->setObjectName("cmdLottNumbersImport");
    cmdLottNumberClear = new QPushButton(QStringLiteral("清除"), listBox);
    cmdLottNumberClear->setObjectName("cmdLottNumberClear");
    cmdDelSelected = new QPushButton(QStringLiteral("删除选中"), listBox);
    cmdDelSelected->setObjectName("cmdDelSelected");
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(lblLottCountInfo, 1);
    buttons->addWidget(cmdLottNumbersImport);
    buttons->addWidget(cmdLottNumberClear);
    buttons->addWidget(cmdDelSelected);
    auto *lv = new QVBoxLayout(listBox);
    lv->addWidget(lvwLottNumbers, 1);
    lv->addLayout(buttons);

    lblWeb = new QLabel(pane);
    lblWeb->setObjectName("lblWeb");
    lblWeb->setProperty("Tag", "21");
    lblWeb->setTextFormat(Qt::PlainText);
    lblWeb->setToolTip(QString::fromLatin1(kHomePage));
    cmdExit = new QPushButton(QStringLiteral("退出"), pane);
    cmdExit->setObjectName("cmdExit");
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblWeb, 1);
    bottom->addWidget(cmdExit);

    auto *layout = new QVBoxLayout(pane);
    layout->addWidget(layoutBox);
    layout->addLayout(testRow);
    layout->addWidget(optionsBox);
    layout->addWidget(rangeBox);
    layout->addWidget(listBox, 1);
    layout->addLayout(bottom);
    return pane;
}

void frmMain::buildUi()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    QAction *import = file->addAction(QStringLiteral("导入投注号码(&I)..."));
    import->setObjectName("mnuFileImportLottNumber");
    file->addSeparator();
    QAction *quit = file->addAction(QStringLiteral("退出(&X)"));
    quit->setObjectName("mnuFileExit");
    QMenu *help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    QAction *helpIndex = help->addAction(QStringLiteral("帮助索引"));
    helpIndex->setShortcut(QKeySequence(Qt::Key_F1));
    QAction *home = help->addAction(QStringLiteral("主页-查看最新信息"));
    connect(import, &QAction::triggered, this, &frmMain::cmdLottNumbersImport_Click);
    connect(quit, &QAction::triggered, this, &frmMain::mnuFileExit_Click);
    connect(helpIndex, &QAction::triggered, this, &frmMain::openHelp);
    connect(home, &QAction::triggered, this, &frmMain::openHomePage);

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(buildTemplatePane());
    splitter->addWidget(buildOptionsPane());
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setChildrenCollapsible(false);
    setCentralWidget(splitter);
    statusBar();
    resize(1180, 760);

    tmrFlyChar = new QTimer(this);
    tmrFlyChar->setObjectName("tmrFlyChar");
    tmrFlyChar->setInterval(300);
}

void frmMain::connectSignals()
{
    connect(icboLottType, &QComboBox::activated, this, [this] {
        LoadLayout(TemplatePath(), true);
        ShowLayoutTest(true);
    });
    connect(cmdZoomIn, &QPushButton::clicked, vspPreview, &PreviewWidget::zoomIn);
    connect(cmdZoomOut, &QPushButton::clicked, vspPreview, &PreviewWidget::zoomOut);
    connect(cmdZoomAll, &QPushButton::clicked, vspPreview, &PreviewWidget::showWholePage);
    new ApplyOnEnter(txtLayoutLeft, [this] { ApplyLayoutChanges(); });
    new ApplyOnEnter(txtLayoutTop, [this] { ApplyLayoutChanges(); });
    connect(updLayoutLeftUp, &QToolButton::pressed, this, [this] { StepLayout(txtLayoutLeft, 1); });
    connect(updLayoutLeftDown, &QToolButton::pressed, this, [this] { StepLayout(txtLayoutLeft, -1); });
    connect(updLayoutTopUp, &QToolButton::pressed, this, [this] { StepLayout(txtLayoutTop, 1); });
    connect(updLayoutTopDown, &QToolButton::pressed, this, [this] { StepLayout(txtLayoutTop, -1); });
    for (QToolButton *b : {updLayoutLeftUp, updLayoutLeftDown, updLayoutTopUp, updLayoutTopDown})
        connect(b, &QToolButton::released, this, &frmMain::ApplyLayoutChanges);
    connect(optLandscape, &QRadioButton::clicked, this, &frmMain::ApplyLayoutChanges);
    connect(optPortrait, &QRadioButton::clicked, this, &frmMain::ApplyLayoutChanges);
    connect(cmdSaveLayout, &QPushButton::clicked, this, &frmMain::cmdSaveLayout_Click);
    connect(cmdPrintTest, &QPushButton::clicked, this, &frmMain::cmdPrintTest_Click);
    connect(sldMarkGray, &QSlider::valueChanged, this, [this] {
        UpdateMarkColor();
        if (!sldMarkGray->isSliderDown() && m_loaded)
            ShowLayoutTest(true); // keyboard and page clicks end at once
    });
    connect(sldMarkGray, &QSlider::sliderReleased, this, [this] {
        UpdateMarkColor();
        ShowLayoutTest(true);
    });
    for (QRadioButton *o : {optPrintRangeAll, optPrintRangeByPage, optPrintRangeByStake})
        connect(o, &QRadioButton::clicked, this, &frmMain::UpdateRangeControls);
    connect(cmdPrint, &QPushButton::clicked, this, &frmMain::cmdPrint_Click);
    connect(cmdLottNumbersImport, &QPushButton::clicked, this, &frmMain::cmdLottNumbersImport_Click);
    connect(cmdLottNumberClear, &QPushButton::clicked, this, &frmMain::cmdLottNumberClear_Click);
    connect(cmdDelSelected, &QPushButton::clicked, this, &frmMain::cmdDelSelected_Click);
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
    connect(tmrFlyChar, &QTimer::timeout, this, [this] { lblWeb->setText(m_fly.FlyString(1)); });
    lblWeb->installEventFilter(this);
}

void frmMain::Form_Load()
{
    ApplyFormTheme(this);
    FillLayoutList(QString());
    LoadMainSettings();
    RefreshLottNumberStatus();
    m_loaded = true;
    setWindowTitle(FormatMsg("1", QStringLiteral("{1} {2}"),
                             {AppTitle(), QCoreApplication::applicationVersion()}));
    m_fly.Init(QStringLiteral("VornPrn 彩票套打 - 点击访问主页，查看最新版本与使用技巧"), 0, 40);
    lblWeb->setText(m_fly.Frame());
    tmrFlyChar->start();
}

void frmMain::FillLayoutList(const QString &fileToSelect)
{
    const QString remembered = icboLottType->currentText();
    QStringList names = QDir(Folders().templates).entryList({QStringLiteral("*.tzd")}, QDir::Files);
    std::sort(names.begin(), names.end()); // code-unit order: upper case before lower case
    if (names.isEmpty()) {
        MsgBox(FormatMsg("1", QStringLiteral("未在[{1}]目录找到任何的投注单文件!"), {Folders().templates}),
               MsgStyle::Exclamation);
        return;
    }
    icboLottType->clear();
    icboLottType->addItems(names);
    int index = names.indexOf(fileToSelect);
    if (index < 0)
        index = names.indexOf(remembered);
    icboLottType->setCurrentIndex(std::max(0, index));
    LoadLayout(TemplatePath(), true);
    ShowLayoutTest(true);
}

void frmMain::LoadLayout(const QString &templatePath, bool fromTemplate)
{
    m_layout = std::make_unique<colPLControls>();
    clsPLStoreINI store;
    store.LoadFromINI(templatePath, *m_layout);
    SyncLayoutSettings(fromTemplate);
    UpdateMarkColor();
    CheckLottNumbers();
}

void frmMain::CheckLottNumbers()
{
    m_bets->SetFindings(::CheckLottNumbers(*m_bets, *m_layout));
    RefreshLottNumberStatus();
}

void frmMain::SyncLayoutSettings(bool fromTemplate)
{
    if (fromTemplate) {
        txtLayoutLeft->setText(VbFormatNumber(m_layout->LayoutLeft(), QStringLiteral("#0.00")));
        txtLayoutTop->setText(VbFormatNumber(m_layout->LayoutTop(), QStringLiteral("#0.00")));
        (m_layout->PaperOrientation() == 1 ? optLandscape : optPortrait)->setChecked(true);
    } else {
        m_layout->setLayoutLeft(ToNumber(txtLayoutLeft->text(), 0));
        m_layout->setLayoutTop(ToNumber(txtLayoutTop->text(), 0));
        m_layout->setPaperOrientation(optLandscape->isChecked() ? 1 : 0);
    }
    m_lastOrientation = m_layout->PaperOrientation();
    m_lastLeft = m_layout->LayoutLeft();
    m_lastTop = m_layout->LayoutTop();
}

void frmMain::ApplyLayoutChanges()
{
    const double left = ToNumber(txtLayoutLeft->text(), 0);
    const double top = ToNumber(txtLayoutTop->text(), 0);
    const qint32 orientation = optLandscape->isChecked() ? 1 : 0;
    if (left == m_lastLeft && top == m_lastTop && orientation == m_lastOrientation)
        return;
    SyncLayoutSettings(false);
    ShowLayoutTest(true);
}

void frmMain::StepLayout(QLineEdit *box, int direction)
{
    const double v = ToNumber(box->text(), 0) + (direction > 0 ? 0.1 : -0.1);
    box->setText(GeneralDouble(v));
}

void frmMain::ShowLayoutTest(bool inMainWindow)
{
    m_stakesPerTicket = std::max<int>(1, m_layout->StakeCountPerTicket());
    RefreshLottNumberStatus();
    clsPLPrint engine;
    engine.setIsPrintBackPic(inMainWindow);
    engine.setIsPrintMark(true);
    engine.setIsPrintText(true);
    DocumentSurface surface;
    engine.SetPrinterPageByLayout(surface, *m_layout);
    engine.PrintPLWithTest(*m_layout, surface, true);
    ++m_testLayouts;
    if (inMainWindow) {
        vspPreview->setDocument(surface.TakeDocument());
        return;
    }
    frmPLPreview &preview = PreviewWindow();
    preview.setDocument(surface.TakeDocument());
    preview.exec();
}

void frmMain::UpdateMarkColor()
{
    SetMarkColor(MarkColorFromGray(sldMarkGray->value()));
    const qint32 c = GetMarkColor();
    lblMarkGray->setColor(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    lblMarkGray->setCross(m_layout && m_layout->MarkStyle() == 1);
}

void frmMain::UpdateRangeControls()
{
    const bool byPage = optPrintRangeByPage->isChecked();
    const bool byStake = optPrintRangeByStake->isChecked();
    auto enable = [](QLineEdit *box, bool on) {
        box->setEnabled(on);
        QPalette pal = box->palette();
        pal.setColor(QPalette::Base, on ? QColor(Qt::white) : QApplication::palette().color(QPalette::Button));
        box->setPalette(pal);
    };
    enable(txtPaperStart, byPage);
    enable(txtPaperEnd, byPage);
    enable(txtLottNumberStart, byStake);
    enable(txtLottNumberEnd, byStake);
}

void frmMain::LoadMainSettings()
{
    const MainSettings s = MainSettings::Load(Folders().SettingsFile());
    sldMarkGray->blockSignals(true);
    sldMarkGray->setValue(s.markGray);
    sldMarkGray->blockSignals(false);
    chkPrintMark->setChecked(s.printMark);
    chkPrintText->setChecked(s.printText);
    txtPrintPaustPaper->setText(s.pauseText);
    optPrintRangeAll->setChecked(s.range == MainSettings::RangeAll);
    optPrintRangeByPage->setChecked(s.range == MainSettings::RangeByPage);
    optPrintRangeByStake->setChecked(s.range == MainSettings::RangeByStake);
    txtPaperStart->setText(s.paperStart);
    txtPaperEnd->setText(s.paperEnd);
    txtLottNumberStart->setText(s.lottNumberStart);
    txtLottNumberEnd->setText(s.lottNumberEnd);
    UpdateRangeControls();
    const int index = icboLottType->findText(s.selectFile);
    if (index >= 0)
        icboLottType->setCurrentIndex(index);
    UpdateMarkColor();
    if (icboLottType->count() > 0) {
        LoadLayout(TemplatePath(), true);
        ShowLayoutTest(true);
    }
}

MainSettings frmMain::currentSettings() const
{
    MainSettings s;
    s.markGray = sldMarkGray->value();
    s.printMark = chkPrintMark->isChecked();
    s.printText = chkPrintText->isChecked();
    s.pauseText = txtPrintPaustPaper->text();
    s.range = optPrintRangeAll->isChecked() ? MainSettings::RangeAll
              : optPrintRangeByPage->isChecked() ? MainSettings::RangeByPage : MainSettings::RangeByStake;
    s.paperStart = txtPaperStart->text();
    s.paperEnd = txtPaperEnd->text();
    s.lottNumberStart = txtLottNumberStart->text();
    s.lottNumberEnd = txtLottNumberEnd->text();
    s.selectFile = icboLottType->currentText();
    return s;
}

void frmMain::SaveMainSettings() { currentSettings().Save(Folders().SettingsFile()); }

void frmMain::RefreshLottNumberStatus()
{
    lblLottCountInfo->setText(LottNumberStatusText(m_bets->Count(), m_stakesPerTicket, m_bets->FindingCount()));
}

void frmMain::cmdSaveLayout_Click()
{
    colPLControls layout;
    layout.setLayoutLeft(ToNumber(txtLayoutLeft->text(), 0));
    layout.setLayoutTop(ToNumber(txtLayoutTop->text(), 0));
    layout.setPaperOrientation(optLandscape->isChecked() ? 1 : 0);
    clsPLStoreINI store;
    if (!store.SaveToINI_LayoutSettingOnly(TemplatePath(), layout))
        MsgBox(LastSaveFailureText(), MsgStyle::Exclamation); // why: full disk, permission, folder
    else
        statusBar()->showMessage(QStringLiteral("边距和打印方向已保存到 %1").arg(icboLottType->currentText()), 5000);
}

void frmMain::cmdPrintTest_Click() { ShowLayoutTest(false); }

void frmMain::PrintLottNumbers(const QString &templatePath, bool useTemplateLayout)
{
    PrintJobOptions o;
    o.templatePath = templatePath;
    o.useTemplateLayout = useTemplateLayout;
    o.layoutLeft = txtLayoutLeft->text();
    o.layoutTop = txtLayoutTop->text();
    o.landscape = optLandscape->isChecked();
    o.printMark = chkPrintMark->isChecked();
    o.printText = chkPrintText->isChecked();
    o.markColor = GetMarkColor();
    const MainSettings s = currentSettings();
    o.range = s.range;
    o.paperStart = s.paperStart;
    o.paperEnd = s.paperEnd;
    o.lottNumberStart = s.lottNumberStart;
    o.lottNumberEnd = s.lottNumberEnd;
    o.pause = s.pauseText;

    PrintJobCallbacks cb;
    cb.showBatch = [this](PrintDocument &batch, const QString &caption) {
        frmPLPreview &preview = PreviewWindow();
        preview.setDocument(std::move(batch));
        return preview.ShowMe_Print(true, caption);
    };
    cb.confirmFaultyStakes = [](const QString &question) {
        return IsConfirmed(MsgBox(question, MsgStyle::ConfirmDefaultNo));
    };
    cb.progress = [this](qint64 done, qint64 total) {
        statusBar()->showMessage(QStringLiteral("已排版 %1 / %2 注").arg(done).arg(total));
    };
    const PrintJobOutcome out = ::PrintLottNumbers(*m_bets, o, cb);
    statusBar()->clearMessage();
    if (!out.started)
        return;
    if (useTemplateLayout) {
        txtLayoutLeft->setText(VbFormatNumber(out.layoutLeft, QStringLiteral("#0.00")));
        txtLayoutTop->setText(VbFormatNumber(out.layoutTop, QStringLiteral("#0.00")));
        (out.orientation == 1 ? optLandscape : optPortrait)->setChecked(true);
    }
    m_lastOrientation = out.orientation;
    m_lastLeft = out.layoutLeft;
    m_lastTop = out.layoutTop;
}

void frmMain::cmdPrint_Click()
{
    // The window's own controls rest while the job runs; its preview windows stay usable.
    vspPreview->setCursor(Qt::WaitCursor);
    centralWidget()->setEnabled(false);
    menuBar()->setEnabled(false);
    PrintLottNumbers(TemplatePath(), false);
    menuBar()->setEnabled(true);
    centralWidget()->setEnabled(true);
    vspPreview->unsetCursor();
}

void frmMain::cmdLottNumbersImport_Click()
{
    frmPImportLottNumbers dialog(Folders().Import(), this);
    if (dialog.ShowMe(*m_bets))
        CheckLottNumbers();
}

void frmMain::cmdLottNumberClear_Click()
{
    if (ClearLottNumbers(*m_bets))
        RefreshLottNumberStatus();
}

void frmMain::cmdDelSelected_Click()
{
    m_bets->ClearSelection();
    for (const QModelIndex &row : lvwLottNumbers->selectionModel()->selectedRows())
        m_bets->SetSelected(row.row(), true);
    if (DeleteSelectedLottNumbers(*m_bets) > 0) {
        lvwLottNumbers->clearSelection();
        RefreshLottNumberStatus();
    }
}

void frmMain::mnuFileExit_Click()
{
    SetQuitting(true);
    close();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (!IsQuitting()
        && !IsConfirmed(MsgBox(FormatMsg("1", QStringLiteral("确认要退出{1}吗?"), {AppTitle()}), MsgStyle::Question))) {
        event->ignore();
        return;
    }
    tmrFlyChar->stop();
    SaveMainSettings();
    SetQuitting(true);
    if (m_preview)
        m_preview->close();
    event->accept();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lblWeb && event->type() == QEvent::MouseButtonRelease) {
        openHomePage();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::openHelp()
{
    const QString help = Folders().HelpFile();
    QDesktopServices::openUrl(QUrl::fromLocalFile(help));
}

void frmMain::openHomePage() { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomePage))); }

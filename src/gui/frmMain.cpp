#include "gui/frmMain.h"
#include "gui/MarkSample.h"
#include "app/CalibrationPageJob.h"
#include "app/PrintJob.h"
#include "app/PrinterOffsets.h"
#include "app/ProgramFolders.h"
#include "app/ShippedTemplateCopy.h"
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
#include "gui/frmPLDesigner.h"
#include "gui/HelpPage.h"
#include "platform/FormTheme.h"
#include "print/MarkColor.h"
#include "gui/PreviewWidget.h"
#include "gui/frmPLPreview.h"
#include "gui/frmPrinterCalibration.h"
#include "print/PdfPrinterName.h"
#include "print/printer/PrinterList.h"
#include "gui/WindowMemory.h"
#include "platform/DialogInput.h"
#include "platform/TenthSpinner.h"
#include "storage/clsPLStoreINI.h"
#include "storage/WholeTemplate.h"

#include <QAction>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QMenu>
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
#include <QScrollArea>
#include <QScrollBar>
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

// One row of a grid, one widget per column from the first.
void addGridRow(QGridLayout *grid, int row, std::initializer_list<QWidget *> widgets)
{
    int column = 0;
    for (QWidget *w : widgets)
        grid->addWidget(w, row, column++);
}

// A button, option or check box named as its member, with its caption and tool tip.
template <class Widget>
Widget *named(QWidget *parent, const char *name, const QString &caption, const QString &toolTip)
{
    auto *w = new Widget(caption, parent);
    w->setObjectName(QLatin1String(name));
    w->setToolTip(toolTip);
    return w;
}

QLineEdit *numberBox(QWidget *parent, const QString &name, const QString &toolTip, int width = 60)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMaximumWidth(width);
    box->setToolTip(toolTip);
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

QString frmMain::TemplatePath() const { return Folders().TemplatePath(icboLottType->currentText()); }

QWidget *frmMain::buildTemplatePane()
{
    auto *pane = new QWidget(this);
    auto *label = new QLabel(QStringLiteral("选择彩票(&B)"), pane);
    icboLottType = new QComboBox(pane);
    icboLottType->setObjectName("icboLottType");
    icboLottType->setToolTip(QStringLiteral("投注单模板文件夹中的投注单模板"));
    icboLottType->setMinimumContentsLength(10);
    label->setBuddy(icboLottType);
    cmdZoomIn = named<QPushButton>(pane, "cmdZoomIn", QStringLiteral("放大(&Z)"), QStringLiteral("放大预览"));
    cmdZoomOut = named<QPushButton>(pane, "cmdZoomOut", QStringLiteral("缩小(&O)"), QStringLiteral("缩小预览"));
    cmdZoomAll = named<QPushButton>(pane, "cmdZoomAll", QStringLiteral("显示整页(&E)"), QStringLiteral("在预览中显示整页"));
    cmdLottSetting = named<QPushButton>(pane, "cmdLottSetting", QStringLiteral("设计模板(&K)"), QStringLiteral("在设计器中修改所选的投注单模板"));
    cmdLottNew = named<QPushButton>(pane, "cmdLottNew", QStringLiteral("新建模板(&U)"), QStringLiteral("在设计器中新建一个投注单模板"));
    vspPreview = new PreviewWidget(pane);
    vspPreview->setObjectName("vspPreview");
    vspPreview->setToolTip(QStringLiteral("所选投注单的测试页：每一注的所有填涂块，背景是投注单的扫描图"));

    auto *top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(icboLottType, 1);
    top->addSpacing(12);
    top->addWidget(cmdZoomIn);
    top->addWidget(cmdZoomOut);
    top->addWidget(cmdZoomAll);
    auto *layout = new QVBoxLayout(pane);
    layout->addLayout(top);
    // The designer's buttons on a row of their own, so the window stays as narrow as before.
    auto *design = new QHBoxLayout;
    design->addWidget(cmdLottSetting);
    design->addWidget(cmdLottNew);
    design->addStretch();
    layout->addLayout(design);
    layout->addWidget(vspPreview, 1);
    return pane;
}

QWidget *frmMain::buildOptionsPane()
{
    auto *pane = new QWidget(this);
    auto *layout = new QVBoxLayout(pane);
    layout->addWidget(buildLayoutBox(pane));
    layout->addLayout(buildTestRow(pane));
    layout->addWidget(buildPrintOptionsBox(pane));
    layout->addWidget(buildRangeBox(pane));
    layout->addWidget(buildBetListBox(pane), 1);
    layout->addLayout(buildBottomRow(pane));
    return pane;
}

// The print offset and orientation for this printer.
QGroupBox *frmMain::buildLayoutBox(QWidget *pane)
{
    auto *box = new QGroupBox(QStringLiteral("临时调整打印设置："), pane);
    txtLayoutLeft = numberBox(box, "txtLayoutLeft", QStringLiteral("整张投注单向右移动的毫米数（负数向左），可以输入算术表达式"));
    txtLayoutTop = numberBox(box, "txtLayoutTop", QStringLiteral("整张投注单向下移动的毫米数（负数向上），可以输入算术表达式"));
    updLayoutLeft = new TenthSpinner(txtLayoutLeft, QStringLiteral("updLayoutLeft"), box);
    updLayoutTop = new TenthSpinner(txtLayoutTop, QStringLiteral("updLayoutTop"), box);
    for (TenthSpinner *spinner : {updLayoutLeft, updLayoutTop}) {
        spinner->UpButton()->setToolTip(QStringLiteral("增加 0.1 毫米"));
        spinner->DownButton()->setToolTip(QStringLiteral("减少 0.1 毫米"));
    }
    optLandscape = named<QRadioButton>(box, "optLandscape", QStringLiteral("横向打印(&L)"), QStringLiteral("纸张横放打印"));
    optPortrait = named<QRadioButton>(box, "optPortrait", QStringLiteral("纵向打印(&V)"), QStringLiteral("纸张竖放打印"));
    cmdSaveLayout = named<QPushButton>(box, "cmdSaveLayout", QStringLiteral("将边距、打印方向设定保存到投注单设置文件中(&S)"), QStringLiteral("以后选择这种投注单时，自动使用预览中的边距和打印方向"));
    auto *leftLabel = new QLabel(QStringLiteral("左边"), box);
    leftLabel->setBuddy(txtLayoutLeft);
    auto *topLabel = new QLabel(QStringLiteral("顶端"), box);
    topLabel->setBuddy(txtLayoutTop);
    // The printer's own offset is shown beside the template's: the two are added when printing.
    lblPrinterLeft = new QLabel(box);
    lblPrinterLeft->setObjectName("lblPrinterLeft");
    lblPrinterTop = new QLabel(box);
    lblPrinterTop->setObjectName("lblPrinterTop");
    lblJobPrinter = new QLabel(box);
    lblJobPrinter->setObjectName("lblJobPrinter");
    cmdPrinterCalibration = named<QPushButton>(box, "cmdPrinterCalibration", QStringLiteral("打印机校准(&Q)..."), QStringLiteral("查看和修改每台打印机的偏移"));
    auto *grid = new QGridLayout(box);
    addGridRow(grid, 0, {leftLabel, txtLayoutLeft, updLayoutLeft, new QLabel(QStringLiteral("毫米"), box), lblPrinterLeft, optLandscape});
    addGridRow(grid, 1, {topLabel, txtLayoutTop, updLayoutTop, new QLabel(QStringLiteral("毫米"), box), lblPrinterTop, optPortrait});
    grid->addWidget(cmdSaveLayout, 2, 0, 1, 6);
    grid->addWidget(lblJobPrinter, 3, 0, 1, 4);
    grid->addWidget(cmdPrinterCalibration, 3, 4, 1, 2);
    cmdPrintCalibration = named<QPushButton>(box, "cmdPrintCalibration", QStringLiteral("打印校准页(&J)"),
                                             QStringLiteral("在空白投注单上打印几个填涂块，扫描后在“打印机校准”中量出打印机的偏差"));
    grid->addWidget(cmdPrintCalibration, 4, 4, 1, 2);
    grid->setColumnStretch(6, 1);
    return box;
}

QHBoxLayout *frmMain::buildTestRow(QWidget *pane)
{
    auto *testLabel = new QLabel(QStringLiteral("测试打印是否准确-->"), pane);
    cmdPrintTest = named<QPushButton>(pane, "cmdPrintTest", QStringLiteral("打印所有标记，以检查套打是否准确(&T)"), QStringLiteral("在白纸上打印每一注的所有填涂块，和投注单对照检查位置"));
    auto *row = new QHBoxLayout;
    row->addWidget(testLabel);
    row->addWidget(cmdPrintTest, 1);
    return row;
}

// What to print.
QGroupBox *frmMain::buildPrintOptionsBox(QWidget *pane)
{
    auto *box = new QGroupBox(QStringLiteral("打印选项"), pane);
    chkPrintText = named<QCheckBox>(box, "chkPrintText", QStringLiteral("打印文字（如页码、注序号）(&W)"), QStringLiteral("打印投注单上设计的文字"));
    chkPrintMark = named<QCheckBox>(box, "chkPrintMark", QStringLiteral("打印定位标记（打印到背面或白纸时）(&M)"), QStringLiteral("打印定位标记和线条"));
    sldMarkGray = new QSlider(Qt::Horizontal, box);
    sldMarkGray->setObjectName("sldMarkGray");
    sldMarkGray->setRange(0, 100);
    sldMarkGray->setPageStep(10);
    sldMarkGray->setToolTip(QStringLiteral("填涂块的灰度：0 为白色，100 为黑色"));
    lblMarkGrayValue = new QLabel(box);
    lblMarkGrayValue->setObjectName("lblMarkGrayValue");
    lblMarkGrayValue->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("100")) + 4);
    lblMarkGrayValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblMarkGray = new MarkSample(box);
    lblMarkGray->setObjectName("lblMarkGray");
    lblMarkGray->setToolTip(QStringLiteral("填涂块样式"));
    auto *grayLabel = new QLabel(QStringLiteral("填涂块(&G)"), box);
    grayLabel->setBuddy(sldMarkGray);
    auto *grid = new QGridLayout(box);
    grid->addWidget(chkPrintText, 0, 0, 1, 4);
    grid->addWidget(chkPrintMark, 1, 0, 1, 4);
    grid->addWidget(grayLabel, 2, 0);
    grid->addWidget(sldMarkGray, 2, 1);
    grid->addWidget(lblMarkGrayValue, 2, 2);
    grid->addWidget(lblMarkGray, 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("可以在设计彩票时设置填涂块形状"), box), 3, 0, 1, 4);
    return box;
}

// Which stakes, and how many tickets between pauses.
QGroupBox *frmMain::buildRangeBox(QWidget *pane)
{
    auto *box = new QGroupBox(QStringLiteral("打印范围"), pane);
    optPrintRangeAll = named<QRadioButton>(box, "optPrintRangeAll", QStringLiteral("全部打印(&A)"), QStringLiteral("打印列表中的所有投注号码"));
    optPrintRangeByPage = named<QRadioButton>(box, "optPrintRangeByPage", QStringLiteral("打印页码范围(&Y)"), QStringLiteral("只打印第几页到第几页的投注单"));
    optPrintRangeByStake = named<QRadioButton>(box, "optPrintRangeByStake", QStringLiteral("打印注号范围(&N)"), QStringLiteral("只打印列表中第几注到第几注"));
    txtPaperStart = numberBox(box, "txtPaperStart", QStringLiteral("从第几页开始打印"));
    txtPaperEnd = numberBox(box, "txtPaperEnd", QStringLiteral("打印到第几页"));
    txtLottNumberStart = numberBox(box, "txtLottNumberStart", QStringLiteral("从列表中第几注开始打印"));
    txtLottNumberEnd = numberBox(box, "txtLottNumberEnd", QStringLiteral("打印到列表中第几注"));
    txtPrintPaustPaper = numberBox(box, "txtPrintPaustPaper", QStringLiteral("每打印这么多张投注单暂停一次，以便放入新的投注单"));
    cmdPrint = new QPushButton(QStringLiteral("开始打印(&P)"), box);
    cmdPrint->setObjectName("cmdPrint");
    cmdPrint->setDefault(true);
    cmdPrint->setToolTip(QStringLiteral("排版并预览投注单，在预览窗口中打印"));
    auto *pauseLabel = new QLabel(QStringLiteral("每多少页暂停:"), box);
    pauseLabel->setBuddy(txtPrintPaustPaper);
    auto *grid = new QGridLayout(box);
    addGridRow(grid, 0, {optPrintRangeAll});
    addGridRow(grid, 1, {optPrintRangeByPage, txtPaperStart, new QLabel(QStringLiteral("～"), box), txtPaperEnd});
    addGridRow(grid, 2, {optPrintRangeByStake, txtLottNumberStart, new QLabel(QStringLiteral("～"), box), txtLottNumberEnd});
    addGridRow(grid, 3, {pauseLabel, txtPrintPaustPaper});
    grid->addWidget(cmdPrint, 3, 3, 1, 2);
    grid->setColumnStretch(4, 1);
    return box;
}

// The bet list and its buttons.
QGroupBox *frmMain::buildBetListBox(QWidget *pane)
{
    auto *box = new QGroupBox(QStringLiteral("投注号码"), pane);
    lvwLottNumbers = new QTableView(box);
    lvwLottNumbers->setObjectName("lvwLottNumbers");
    lvwLottNumbers->setModel(m_bets.get());
    lvwLottNumbers->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwLottNumbers->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvwLottNumbers->verticalHeader()->hide();
    lvwLottNumbers->verticalHeader()->setDefaultSectionSize(20);
    lvwLottNumbers->horizontalHeader()->setStretchLastSection(true);
    lvwLottNumbers->setWordWrap(false);
    lvwLottNumbers->setContextMenuPolicy(Qt::CustomContextMenu);
    lvwLottNumbers->setToolTip(QStringLiteral("红色的投注号码不能正确打印，鼠标停在上面可以看到原因"));
    // The columns' widths in twips at this screen's resolution; the index column also fits
    // a seven-digit index.
    for (int c = 0; c < BetList::ColumnCount; ++c)
        lvwLottNumbers->setColumnWidth(c, BetList::ColumnWidthTwips(c) * logicalDpiX() / 1440);
    lvwLottNumbers->setColumnWidth(
        BetList::ColumnIndex,
        std::max(lvwLottNumbers->columnWidth(BetList::ColumnIndex),
                 lvwLottNumbers->fontMetrics().horizontalAdvance(QStringLiteral("1000000")) + 16));
    // At the window's smallest the list still shows eight stakes.
    lvwLottNumbers->setMinimumHeight(lvwLottNumbers->horizontalHeader()->sizeHint().height()
                                     + 8 * lvwLottNumbers->verticalHeader()->defaultSectionSize()
                                     + 2 * lvwLottNumbers->frameWidth());
    lblLottCountInfo = new QLabel(QStringLiteral("共 0  注，0 页"), box);
    lblLottCountInfo->setObjectName("lblLottCountInfo");
    lblLottCountInfo->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred); // on its own row
    cmdLottNumbersImport = named<QPushButton>(box, "cmdLottNumbersImport", QStringLiteral("导入(&I)"), QStringLiteral("从文件导入投注号码（也可以把文件拖到窗口上）"));
    cmdLottNumberClear = named<QPushButton>(box, "cmdLottNumberClear", QStringLiteral("清除(&C)"), QStringLiteral("清除所有的投注号码"));
    cmdDelSelected = named<QPushButton>(box, "cmdDelSelected", QStringLiteral("删除选中(&D)"), QStringLiteral("删除选中的投注号码（Delete 键）"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdLottNumbersImport);
    buttons->addWidget(cmdLottNumberClear);
    buttons->addWidget(cmdDelSelected);
    auto *column = new QVBoxLayout(box);
    column->addWidget(lvwLottNumbers, 1);
    column->addWidget(lblLottCountInfo);
    column->addLayout(buttons);
    return box;
}

QHBoxLayout *frmMain::buildBottomRow(QWidget *pane)
{
    lblWeb = new QLabel(pane);
    lblWeb->setObjectName("lblWeb");
    lblWeb->setProperty("Tag", "21");
    lblWeb->setTextFormat(Qt::PlainText);
    lblWeb->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred); // its ticker never widens the pane
    lblWeb->setToolTip(QString::fromLatin1(kHomePage));
    cmdExit = named<QPushButton>(pane, "cmdExit", QStringLiteral("退出(&X)"), QStringLiteral("退出程序"));
    auto *row = new QHBoxLayout;
    row->addWidget(lblWeb, 1);
    row->addWidget(cmdExit);
    return row;
}

void frmMain::buildUi()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    QAction *import = file->addAction(QStringLiteral("导入投注号码(&I)..."));
    import->setObjectName("mnuFileImportLottNumber");
    mnuFileRecent = file->addMenu(QStringLiteral("最近导入的文件(&R)"));
    mnuFileRecent->setObjectName("mnuFileRecent");
    file->addSeparator();
    QAction *quit = file->addAction(QStringLiteral("退出(&X)"));
    quit->setObjectName("mnuFileExit");
    QMenu *help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    QAction *helpIndex = help->addAction(QStringLiteral("帮助索引"));
    helpIndex->setObjectName("mnuHelpIndex");
    helpIndex->setShortcut(QKeySequence(Qt::Key_F1));
    QAction *home = help->addAction(QStringLiteral("主页-查看最新信息"));
    home->setObjectName("mnuHelpHome");
    help->addSeparator();
    QAction *about = help->addAction(QStringLiteral("关于(&A)..."));
    about->setObjectName("mnuHelpAbout");
    connect(import, &QAction::triggered, this, &frmMain::cmdLottNumbersImport_Click);
    connect(quit, &QAction::triggered, this, &frmMain::mnuFileExit_Click);
    connect(helpIndex, &QAction::triggered, this, &frmMain::openHelp);
    connect(home, &QAction::triggered, this, &frmMain::openHomePage);
    connect(about, &QAction::triggered, this, &frmMain::showAbout);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName("splitterMain");
    m_splitter->addWidget(buildTemplatePane());
    // The options scroll on a small screen rather than squeeze the bet list below eight rows.
    auto *options = new QScrollArea(this);
    options->setObjectName("scrollOptions");
    options->setWidget(buildOptionsPane());
    options->setWidgetResizable(true);
    options->setFrameShape(QFrame::NoFrame);
    m_splitter->addWidget(options);
    m_splitter->setStretchFactor(0, 3);
    m_splitter->setStretchFactor(1, 2);
    m_splitter->setChildrenCollapsible(false);
    setCentralWidget(m_splitter);
    statusBar();
    resize(1180, 760);
    setAcceptDrops(true);

    tmrFlyChar = new QTimer(this);
    tmrFlyChar->setObjectName("tmrFlyChar");
    tmrFlyChar->setInterval(300);
    fillRecentMenu();
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
    connect(cmdLottSetting, &QPushButton::clicked, this, &frmMain::cmdLottSetting_Click);
    connect(cmdLottNew, &QPushButton::clicked, this, &frmMain::cmdLottNew_Click);
    // A typo in a number box goes back to the box's last value; the offsets apply when left.
    m_leftGuard = new NumberBoxGuard(txtLayoutLeft, [this] { ApplyLayoutChanges(); });
    m_topGuard = new NumberBoxGuard(txtLayoutTop, [this] { ApplyLayoutChanges(); });
    for (QLineEdit *box : {txtPaperStart, txtPaperEnd, txtLottNumberStart, txtLottNumberEnd, txtPrintPaustPaper})
        new NumberBoxGuard(box);
    connect(updLayoutLeft, &TenthSpinner::released, this, &frmMain::ApplyLayoutChanges);
    connect(updLayoutTop, &TenthSpinner::released, this, &frmMain::ApplyLayoutChanges);
    connect(optLandscape, &QRadioButton::clicked, this, &frmMain::ApplyLayoutChanges);
    connect(optPortrait, &QRadioButton::clicked, this, &frmMain::ApplyLayoutChanges);
    connect(cmdSaveLayout, &QPushButton::clicked, this, &frmMain::cmdSaveLayout_Click);
    connect(cmdPrintTest, &QPushButton::clicked, this, &frmMain::cmdPrintTest_Click);
    connect(cmdPrinterCalibration, &QPushButton::clicked, this, &frmMain::cmdPrinterCalibration_Click);
    connect(cmdPrintCalibration, &QPushButton::clicked, this, &frmMain::cmdPrintCalibration_Click);
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
    connect(lvwLottNumbers, &QWidget::customContextMenuRequested, this, &frmMain::showBetListMenu);
    lvwLottNumbers->installEventFilter(this); // Delete and Ctrl+C
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
    connect(tmrFlyChar, &QTimer::timeout, this, [this] { lblWeb->setText(m_fly.FlyString(1)); });
    lblWeb->installEventFilter(this);
}

void frmMain::Form_Load()
{
    ApplyFormTheme(this);
    FillLayoutList(QString());
    LoadMainSettings();
    RefreshPrinterOffset();
    RefreshLottNumberStatus();
    m_loaded = true;
    setWindowTitle(FormatMsg("1", QStringLiteral("{1} {2}"),
                             {AppTitle(), QCoreApplication::applicationVersion()}));
    m_fly.Init(QStringLiteral("VornPrn 彩票套打 - 点击访问主页，查看最新版本与使用技巧"), 0, 40);
    lblWeb->setText(m_fly.Frame());
    tmrFlyChar->start();
    fitOptionsPane();
    RestoreWindowPlacement(this, QStringLiteral("Main"), m_splitter);
}

// The options never scroll sideways: their pane is as wide as its widest row in the window's
// own font, which the theme has set.
void frmMain::fitOptionsPane()
{
    auto *options = findChild<QScrollArea *>("scrollOptions");
    options->widget()->layout()->activate();
    const int need = options->widget()->sizeHint().width() + options->verticalScrollBar()->sizeHint().width() + 2;
    options->setMinimumWidth(need);
    m_splitter->setSizes({std::max(200, m_splitter->width() - need - m_splitter->handleWidth()), need});
}

void frmMain::FillLayoutList(const QString &fileToSelect)
{
    const QString remembered = icboLottType->currentText();
    RemoveStaleTemporaries(Folders().templates); // left by saves that were killed midway
    // The user's templates and, installed, the shipped ones: each name once, the user's copy
    // standing for both.
    const QStringList names = Folders().TemplateNames();
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
    m_templateFindings = CheckTemplate(*m_layout);
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
        showLayoutValues(m_layout->LayoutLeft(), m_layout->LayoutTop(), m_layout->PaperOrientation());
    } else {
        m_layout->setLayoutLeft(ToNumber(txtLayoutLeft->text(), 0));
        m_layout->setLayoutTop(ToNumber(txtLayoutTop->text(), 0));
        m_layout->setPaperOrientation(optLandscape->isChecked() ? 1 : 0);
    }
    rememberLayoutValues(m_layout->LayoutLeft(), m_layout->LayoutTop(), m_layout->PaperOrientation());
}

void frmMain::showLayoutValues(double left, double top, qint32 orientation)
{
    txtLayoutLeft->setText(VbFormatNumber(left, QStringLiteral("#0.00")));
    txtLayoutTop->setText(VbFormatNumber(top, QStringLiteral("#0.00")));
    (orientation == 1 ? optLandscape : optPortrait)->setChecked(true);
}

void frmMain::rememberLayoutValues(double left, double top, qint32 orientation)
{
    m_lastLeft = left;
    m_lastTop = top;
    m_lastOrientation = orientation;
}

void frmMain::ApplyLayoutChanges()
{
    // A box that does not read as a number goes back to the value the preview shows.
    if (!m_leftGuard->Check() || !m_topGuard->Check())
        return;
    const double left = ToNumber(txtLayoutLeft->text(), 0);
    const double top = ToNumber(txtLayoutTop->text(), 0);
    const qint32 orientation = optLandscape->isChecked() ? 1 : 0;
    if (left == m_lastLeft && top == m_lastTop && orientation == m_lastOrientation)
        return;
    SyncLayoutSettings(false);
    ShowLayoutTest(true);
}

void frmMain::ShowLayoutTest(bool inMainWindow)
{
    m_stakesPerTicket = std::max<int>(1, m_layout->StakeCountPerTicket());
    RefreshLottNumberStatus();
    PrintDocument test = TestLayoutDocument(*m_layout, inMainWindow);
    ++m_testLayouts;
    if (inMainWindow) {
        vspPreview->setDocument(std::move(test));
        return;
    }
    frmPLPreview &preview = PreviewWindow();
    preview.setDocument(std::move(test));
    // The test page is laid out with the template's offset alone; the printer chosen adds its own.
    preview.setTargetPrinter(JobPrinter());
    preview.setLaidOutFor(QString());
    preview.exec();
    RefreshPrinterOffset();
}

void frmMain::UpdateMarkColor()
{
    lblMarkGrayValue->setText(QString::number(sldMarkGray->value()));
    SetMarkColor(MarkColorFromGray(sldMarkGray->value()));
    lblMarkGray->setColor(ResolveColor(GetMarkColor()));
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
    lblLottCountInfo->setText(LottNumberStatusText(m_bets->Count(), m_stakesPerTicket, m_bets->FindingCount(),
                                                   int(m_templateFindings.size())));
    // The findings themselves, a few of them, where the count is shown.
    constexpr size_t kFindingsInTip = 10;
    QStringList tip;
    for (size_t i = 0; i < m_templateFindings.size() && i < kFindingsInTip; ++i)
        tip << m_templateFindings[i].key + QStringLiteral("\t") + m_templateFindings[i].reason;
    lblLottCountInfo->setToolTip(tip.join(QLatin1Char('\n')));
}

void frmMain::cmdSaveLayout_Click()
{
    // What is saved is what the preview shows: a pending edit is applied (or refused) first,
    // so a typo never reaches the template's saved calibration.
    ApplyLayoutChanges();
    if (!ConvertsToNumber(txtLayoutLeft->text()) || !ConvertsToNumber(txtLayoutTop->text()))
        return;
    colPLControls layout;
    layout.setLayoutLeft(m_lastLeft);
    layout.setLayoutTop(m_lastTop);
    layout.setPaperOrientation(m_lastOrientation);
    // A shipped template of an installed program is copied into the user's folder first.
    QString reason;
    const QString path = WritableTemplatePath(Folders(), TemplatePath(), &reason);
    if (path.isEmpty()) {
        MsgBox(reason, MsgStyle::Exclamation);
        return;
    }
    clsPLStoreINI store;
    if (!store.SaveToINI_LayoutSettingOnly(path, layout))
        MsgBox(LastSaveFailureText(), MsgStyle::Exclamation); // why: full disk, permission, folder
    else
        statusBar()->showMessage(QStringLiteral("边距和打印方向已保存到 %1").arg(icboLottType->currentText()), 5000);
}

void frmMain::cmdPrintTest_Click() { ShowLayoutTest(false); }

QString frmMain::JobPrinter() const
{
    const QString last = ReadLastPrinter();
    return last == PdfPrinterName() || IsSystemPrinter(last) ? last : DefaultPrinterName();
}

void frmMain::RefreshPrinterOffset()
{
    const QString printer = JobPrinter();
    const PrinterOffset offset = ReadPrinterOffset(printer);
    lblPrinterLeft->setText(QStringLiteral("+ 打印机 %1").arg(PrinterOffsetText(offset.left)));
    lblPrinterTop->setText(QStringLiteral("+ 打印机 %1").arg(PrinterOffsetText(offset.top)));
    lblJobPrinter->setText(QStringLiteral("打印机：%1").arg(printer));
    const QString tip = QStringLiteral("打印到 %1 时加在边距上的偏移（在“打印机校准”中修改）").arg(printer);
    lblPrinterLeft->setToolTip(tip);
    lblPrinterTop->setToolTip(tip);
}

void frmMain::cmdPrinterCalibration_Click()
{
    frmPrinterCalibration window(PrinterList(), this);
    window.setTemplatePath(TemplatePath());
    window.exec();
    RefreshPrinterOffset();
}

void frmMain::cmdPrintCalibration_Click()
{
    PrintJobOptions o;
    o.templatePath = TemplatePath();
    o.layoutLeft = txtLayoutLeft->text();
    o.layoutTop = txtLayoutTop->text();
    o.landscape = optLandscape->isChecked();
    o.markColor = GetMarkColor();
    const QString problem = PrintJobInputProblem(o);
    if (!problem.isEmpty()) {
        MsgBox(problem, MsgStyle::Exclamation);
        return;
    }
    const QString printer = JobPrinter();
    o.printerOffset = ReadPrinterOffset(printer);
    PrintDocument page;
    if (!LayOutCalibrationPage(o, &page)) {
        MsgBox(TemplateUnopenedText(o.templatePath), MsgStyle::Exclamation);
        return;
    }
    frmPLPreview &preview = PreviewWindow();
    preview.setDocument(std::move(page));
    preview.setTargetPrinter(printer);
    preview.setLaidOutFor(printer);
    preview.setSlipPicture(*m_layout, ToNumber(o.layoutLeft, 0), ToNumber(o.layoutTop, 0));
    preview.ShowMe_Print(true, QStringLiteral("打印校准页：在空白投注单上打印后扫描，到“打印机校准”中打开扫描图"));
    RefreshPrinterOffset();
}

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

    const QString printer = JobPrinter();
    o.printerOffset = ReadPrinterOffset(printer);
    PreviewWindow().setTargetPrinter(printer);
    PreviewWindow().setLaidOutFor(printer);

    PrintJobCallbacks cb;
    int batchNumber = 0;
    cb.showBatch = [this, &batchNumber, useTemplateLayout](PrintDocument &batch, const QString &caption) {
        frmPLPreview &preview = PreviewWindow();
        preview.setDocument(std::move(batch));
        const bool own = !useTemplateLayout;
        preview.setSlipPicture(*m_layout, own ? ToNumber(txtLayoutLeft->text(), 0) : m_layout->LayoutLeft(),
                               own ? ToNumber(txtLayoutTop->text(), 0) : m_layout->LayoutTop());
        preview.setBatchNumber(++batchNumber);
        const bool printed = preview.ShowMe_Print(true, caption);
        preview.setBatchNumber(0);
        return printed;
    };
    cb.confirmFaultyStakes = [](const QString &question) {
        return IsConfirmed(MsgBox(question, MsgStyle::ConfirmDefaultNo));
    };
    cb.confirmTemplateFindings = cb.confirmFaultyStakes;
    cb.progress = [this](qint64 done, qint64 total) {
        statusBar()->showMessage(QStringLiteral("已排版 %1 / %2 注").arg(done).arg(total));
    };
    const PrintJobOutcome out = ::PrintLottNumbers(*m_bets, o, cb);
    statusBar()->clearMessage();
    RefreshPrinterOffset();
    if (!out.started)
        return;
    // The job says nothing of an empty range; the window does, so a click is never lost.
    if (out.lastStake < out.firstStake && m_bets->Count() > 0)
        MsgBox(QStringLiteral("打印范围内没有投注号码！"), MsgStyle::Information);
    if (useTemplateLayout)
        showLayoutValues(out.layoutLeft, out.layoutTop, out.orientation);
    rememberLayoutValues(out.layoutLeft, out.layoutTop, out.orientation);
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
    if (!dialog.ShowMe(*m_bets))
        return;
    CheckLottNumbers();
    rememberImported(dialog.ImportedPathFile());
}

void frmMain::ImportBetFile(const QString &path, bool rememberedMode)
{
    BetImporter importer(*m_bets, Folders().Import());
    if (rememberedMode)
        importer.Load(); // the mode and script chosen last in the import dialog
    importer.setPathFile(path);
    if (!rememberedMode)
        importer.setMode(ImportMode::NotIncludeIndex);
    if (!importer.ImportLottNumbers())
        return;
    CheckLottNumbers();
    rememberImported(path);
}

void frmMain::rememberImported(const QString &path)
{
    if (!path.trimmed().isEmpty())
        AddRecentBetFile(path);
    fillRecentMenu();
}

void frmMain::fillRecentMenu()
{
    mnuFileRecent->clear();
    const QStringList files = RecentBetFiles();
    for (int i = 0; i < files.size(); ++i) {
        QAction *a = mnuFileRecent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(files[i]));
        connect(a, &QAction::triggered, this, [this, file = files[i]] { ImportBetFile(file, true); });
    }
    mnuFileRecent->setEnabled(!files.isEmpty());
}

void frmMain::InstallTemplateFile(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const QString target = Folders().templates + name;
    if (QFileInfo(target).canonicalFilePath() != QFileInfo(path).canonicalFilePath()) {
        EnsureFolder(Folders().templates);
        if (QFileInfo::exists(target)
            && !IsConfirmed(MsgBox(FormatMsg("1", QStringLiteral("投注单模板文件 {1} 已存在，是否替换？"), {name}),
                                   MsgStyle::ConfirmDefaultNo)))
            return;
        QFile source(path);
        if (!source.open(QIODevice::ReadOnly)) {
            MsgBox(TemplateUnopenedText(path), MsgStyle::Plain);
            return;
        }
        const SaveOutcome saved = WriteFileAtomically(target, source.readAll());
        if (!saved.ok) {
            MsgBox(saved.reason, MsgStyle::Exclamation);
            return;
        }
    }
    FillLayoutList(name);
}

void frmMain::OpenTemplateFile(const QString &path)
{
    const PathParts parts = SplitPathFile(QFileInfo(path).absoluteFilePath());
    if (SameFolder(parts.folder, Folders().templates) || SameFolder(parts.folder, Folders().shippedTemplates))
        FillLayoutList(parts.fileName);
    else
        InstallTemplateFile(path);
}

void frmMain::OpenStartupFile(const QString &path)
{
    if (path.isEmpty())
        return;
    if (path.endsWith(QStringLiteral(".tzd"), Qt::CaseInsensitive)) {
        OpenTemplateFile(path);
        return;
    }
    ShowMe_Background(*m_bets, path, Folders().Import());
    CheckLottNumbers();
}

void frmMain::OpenDroppedFile(const QString &path)
{
    if (path.endsWith(QStringLiteral(".tzd"), Qt::CaseInsensitive))
        InstallTemplateFile(path);
    else
        ImportBetFile(path, false);
}

void frmMain::dragEnterEvent(QDragEnterEvent *event)
{
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
}

void frmMain::dropEvent(QDropEvent *event)
{
    event->acceptProposedAction();
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile())
            OpenDroppedFile(url.toLocalFile());
}

void frmMain::showBetListMenu(const QPoint &pos)
{
    QMenu menu(this);
    QAction *del = menu.addAction(QStringLiteral("删除选中(&D)"));
    QAction *clear = menu.addAction(QStringLiteral("清除(&C)"));
    menu.addSeparator();
    QAction *copy = menu.addAction(QStringLiteral("复制(&Y)"));
    const bool anySelected = lvwLottNumbers->selectionModel()->hasSelection();
    del->setEnabled(anySelected);
    copy->setEnabled(anySelected);
    clear->setEnabled(m_bets->Count() > 0);
    QAction *chosen = menu.exec(lvwLottNumbers->viewport()->mapToGlobal(pos));
    if (chosen == del)
        cmdDelSelected_Click();
    else if (chosen == clear)
        cmdLottNumberClear_Click();
    else if (chosen == copy)
        copySelectedLottNumbers();
}

QString frmMain::SelectedLottNumbersText() const
{
    QModelIndexList rows = lvwLottNumbers->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QString text;
    for (const QModelIndex &row : rows)
        text += m_bets->StakeIndex(row.row()) + QLatin1Char('\t') + m_bets->BetLine(row.row()) + QLatin1Char('\n');
    return text;
}

void frmMain::copySelectedLottNumbers()
{
    const QString text = SelectedLottNumbersText();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
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
    SaveWindowPlacement(this, QStringLiteral("Main"), m_splitter);
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
    if (watched == lvwLottNumbers && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Delete)) {
            cmdDelSelected_Click();
            return true;
        }
        if (key->matches(QKeySequence::Copy)) {
            copySelectedLottNumbers();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// Without a browser the user is told where to look instead of nothing happening.
void frmMain::openHelp()
{
    OpenHelpPage();
}

void frmMain::openHomePage()
{
    const QString home = QString::fromLatin1(kHomePage);
    if (ShellOpenResult(home) <= 32)
        MsgBox(FormatMsg("1", QStringLiteral("无法启动浏览器打开主页。主页地址是：{CRLF}{1}"), {home}),
               MsgStyle::Information);
}

void frmMain::showAbout()
{
    MsgBox(FormatMsg("1", QStringLiteral("{1} {2}{CRLF}{CRLF}彩票投注单套打程序{CRLF}{3}"),
                     {AppTitle(), QCoreApplication::applicationVersion(), QString::fromLatin1(kHomePage)}),
           MsgStyle::Information);
}

void frmMain::cmdLottSetting_Click()
{
    // The designer saves where the template came from: a shipped one is designed as the
    // user's copy.
    QString path = WritableTemplatePath(Folders(), TemplatePath(), nullptr);
    if (path.isEmpty())
        path = TemplatePath(); // the designer's save then says why it cannot write there
    colPLControls layout;
    const bool complete = frmPLDesigner::LoadForDesign(path, layout);
    openDesigner(layout, false, complete);
}

void frmMain::cmdLottNew_Click()
{
    colPLControls layout;
    openDesigner(layout, true, true);
}

void frmMain::openDesigner(colPLControls &layout, bool isNew, bool loadedCompletely)
{
    if (m_runDesigner) {
        m_runDesigner(layout, isNew, loadedCompletely);
    } else {
        frmPLDesigner designer(this);
        designer.ShowMe(layout, isNew, loadedCompletely);
    }
    const PathParts saved = SplitPathFile(layout.PathFile());
    if (!saved.folder.isEmpty() && !SameFolder(saved.folder, Folders().templates))
        MsgBox(FormatMsg(QString(),
                         QStringLiteral("该投注单设计文件不在系统要求的目录下，将不能正确加载，请将其拷贝到目录 [{1}] 中！"),
                         {Folders().templates}),
               MsgStyle::Plain);
    FillLayoutList(saved.fileName);
}

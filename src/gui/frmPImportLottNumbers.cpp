#include "gui/frmPImportLottNumbers.h"
#include "gui/ElementDialog.h"
#include "input/BetList.h"
#include "platform/FormTheme.h"

#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmPImportLottNumbers::frmPImportLottNumbers(const ImportFolders &folders, QWidget *parent)
    : QDialog(parent), m_folders(folders)
{
    setObjectName("frmPImportLottNumbers");
    setWindowTitle(QStringLiteral("导入投注号码"));
    resize(560, 380);

    auto *pathLabel = new QLabel(QStringLiteral("请选择要导入的投注号码文件"), this);
    txtPathFile = new QLineEdit(this);
    txtPathFile->setObjectName("txtPathFile");
    pathLabel->setBuddy(txtPathFile);
    cmdBrowse = new QPushButton(QStringLiteral("浏览"), this);
    cmdBrowse->setObjectName("cmdBrowse");
    cmdBrowse->setAutoDefault(false);

    auto *frame = new QGroupBox(QStringLiteral("导入文件识别方法"), this);
    optNotIncludeIndex = new QRadioButton(QStringLiteral("标准格式(不包含注序号)"), frame);
    optNotIncludeIndex->setObjectName("optNotIncludeIndex");
    optIncludeIndex = new QRadioButton(QStringLiteral("标准格式(包含注序号)"), frame);
    optIncludeIndex->setObjectName("optIncludeIndex");
    optSpecial = new QRadioButton(QStringLiteral("特殊格式"), frame);
    optSpecial->setObjectName("optSpecial");
    icboScript = new QComboBox(frame);
    icboScript->setObjectName("icboScript");
    icboScript->setEditable(true);
    icboScript->setInsertPolicy(QComboBox::NoInsert);
    icboScript->setMinimumContentsLength(20);
    lblTest = new QLabel(QStringLiteral("测试"), frame);
    lblTest->setObjectName("lblTest");
    lblTest->setProperty("Tag", "21");
    lblTest->setFocusPolicy(Qt::StrongFocus);
    lblTest->setToolTip(QStringLiteral("运行转换脚本，把输出保存到 debugout.txt"));
    lblTest->installEventFilter(this);
    auto *help1 = new QLabel(QStringLiteral("一般选择【标准格式】即可,有的彩票软件导出的文件中包含注序号，对于这样的文件，需要选则【包含注序号】，以让本程序能够正确的导入文件。"), frame);
    help1->setWordWrap(true);
    auto *help2 = new QLabel(QStringLiteral("有的彩票软件不能导出标准格式所支持的文件,这时需要选择【特殊格式】, 并选择相应的彩票软件类型。"), frame);
    help2->setWordWrap(true);

    auto *fg = new QGridLayout(frame);
    fg->addWidget(optNotIncludeIndex, 0, 0, 1, 3);
    fg->addWidget(optIncludeIndex, 1, 0, 1, 3);
    fg->addWidget(help1, 2, 0, 1, 3);
    fg->addWidget(optSpecial, 3, 0);
    fg->addWidget(icboScript, 3, 1);
    fg->addWidget(lblTest, 3, 2);
    fg->addWidget(help2, 4, 0, 1, 3);
    fg->setColumnStretch(1, 1);

    QHBoxLayout *buttons = OkCancelRow(this, cmdOK, cmdCancel);

    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(txtPathFile, 1);
    pathRow->addWidget(cmdBrowse);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pathLabel);
    layout->addLayout(pathRow);
    layout->addWidget(frame, 1);
    layout->addLayout(buttons);

    connect(cmdBrowse, &QPushButton::clicked, this, &frmPImportLottNumbers::cmdBrowse_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmPImportLottNumbers::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    for (QRadioButton *o : {optNotIncludeIndex, optIncludeIndex, optSpecial})
        connect(o, &QRadioButton::clicked, this, &frmPImportLottNumbers::OptionChanged);

    m_chooseFile = [this](const QString &start) {
        return QFileDialog::getOpenFileName(this, QStringLiteral("打开"), start,
                                            QStringLiteral("所有文件 (*.*)"));
    };
    ApplyFormTheme(this);
}

frmPImportLottNumbers::~frmPImportLottNumbers() = default;

bool frmPImportLottNumbers::ShowMe(BetList &list)
{
    m_importer = std::make_unique<BetImporter>(list, m_folders);
    Form_Load();
    return exec() == QDialog::Accepted;
}

QString frmPImportLottNumbers::ImportedPathFile() const
{
    return m_importer ? m_importer->PathFile() : QString();
}

void frmPImportLottNumbers::Form_Load()
{
    QStringList scripts;
    m_importer->Load(&scripts);
    txtPathFile->setText(m_importer->PathFile());
    const ImportMode mode = m_importer->Mode();
    optIncludeIndex->setChecked(mode == ImportMode::IncludeIndex);
    optSpecial->setChecked(mode == ImportMode::Special);
    optNotIncludeIndex->setChecked(mode == ImportMode::NotIncludeIndex);
    if (!scripts.isEmpty()) {
        icboScript->clear();
        icboScript->addItems(scripts);
    }
    icboScript->setEditText(m_importer->ScriptName());
    icboScript->setEnabled(mode == ImportMode::Special);
    lblTest->setEnabled(true);
}

void frmPImportLottNumbers::pushStateToImporter()
{
    m_importer->setPathFile(txtPathFile->text());
    m_importer->setMode(optIncludeIndex->isChecked() ? ImportMode::IncludeIndex
                        : optSpecial->isChecked()    ? ImportMode::Special
                                                     : ImportMode::NotIncludeIndex);
    m_importer->setScriptName(icboScript->currentText());
}

void frmPImportLottNumbers::OptionChanged()
{
    const bool special = optSpecial->isChecked();
    icboScript->setEnabled(special);
    if (special) {
        icboScript->setFocus();
        icboScript->showPopup();
    }
}

void frmPImportLottNumbers::cmdBrowse_Click()
{
    const QString chosen = m_chooseFile ? m_chooseFile(m_importer->LastPath()) : QString();
    if (chosen.isEmpty())
        return;
    m_importer->BrowseChosen(chosen);
    txtPathFile->setText(m_importer->PathFile());
}

void frmPImportLottNumbers::cmdOK_Click()
{
    pushStateToImporter();
    if (m_importer->Ok([this] { cmdBrowse_Click(); }))
        accept();
}

void frmPImportLottNumbers::lblTest_Click()
{
    pushStateToImporter();
    m_importer->Test();
}

bool frmPImportLottNumbers::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lblTest) {
        if (event->type() == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            lblTest_Click();
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
                lblTest_Click();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

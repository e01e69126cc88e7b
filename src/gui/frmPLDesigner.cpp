#include "gui/frmPLDesigner.h"

#include "app/ProgramFolders.h"
#include "canvas/KdPLDesinger.h"
#include "canvas/MeasurementText.h"
#include "canvas/SelectionClipboard.h"
#include "canvas/TemplateUndoStack.h"
#include "common/DesignScale.h"
#include "common/ElementLimit.h"
#include "common/FormatMsg.h"
#include "common/LastError.h"
#include "common/MsgBox.h"
#include "common/PathFile.h"
#include "common/VbFormat.h"
#include "dialogs/CanvasSink.h"
#include "dialogs/DialogElements.h"
#include "gui/DesignCanvasView.h"
#include "gui/DesignerActions.h"
#include "gui/frmPDetectBlocks.h"
#include "gui/KdPopupMenu.h"
#include "gui/SelectionInGrid.h"
#include "gui/TemplateCheckWindow.h"
#include "gui/frmPAddBatchLottNumber.h"
#include "gui/frmPAddBatchMark.h"
#include "gui/frmPAddLabel.h"
#include "gui/frmPAddLottNumber.h"
#include "gui/frmPAddMark.h"
#include "gui/frmPLPreview.h"
#include "gui/frmPLottProperty.h"
#include "gui/kdPLControlProperties.h"
#include "model/ElementKind.h"
#include "print/PaperArea.h"
#include "print/TemplateCheck.h"
#include "storage/clsPLStoreINI.h"
#include "storage/WholeTemplate.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {
constexpr double ZoomStep = 1.5;

QString mm1(double v)
{
    return VbFormatNumber(v, QStringLiteral("#0.0"));
}

// The element dialogs are made once and keep their fields until the program quits.
template <class Dialog>
void showKept(KdPLDesinger &canvas, colPLControls &layout)
{
    Dialog::Instance().ShowMe(canvas, layout);
}

// Adding (by mouse, pasting, duplicating) stops at the count a template file can hold: what
// would pass it is refused whole.
bool roomFor(const KdPLDesinger &canvas, int count)
{
    if (count <= kMaxTemplateElements - canvas.AllItems().Count())
        return true;
    MsgBox(TooManyElementsMessage(), MsgStyle::Information);
    return false;
}
} // namespace

frmPLDesigner::frmPLDesigner(QWidget *parent, clsTimerLock::TickSource ticks)
    : QDialog(parent), m_canvas(std::make_unique<KdPLDesinger>(nullptr, std::move(ticks))),
      m_clipboard(std::make_unique<SelectionClipboard>())
{
    setObjectName(QStringLiteral("frmPLDesigner"));
    m_undo = std::make_unique<TemplateUndoStack>(*m_canvas);
    m_actions = new DesignerActions(*this);
    buildUi();
    connectCanvas();
    installDefaultWindows();
    connect(m_undo.get(), &TemplateUndoStack::PropertiesRestored, this,
            &frmPLDesigner::propertiesRestored);
    connect(&m_undo->Stack(), &QUndoStack::cleanChanged, this, [this] { refreshTitle(); });
}

frmPLDesigner::~frmPLDesigner()
{
    // The undo stack reports itself clean once more as it goes, when the window is half gone:
    // the window stops listening first.
    disconnect(&m_undo->Stack(), nullptr, this, nullptr);
    disconnect(m_undo.get(), nullptr, this, nullptr);
}

bool frmPLDesigner::LoadForDesign(const QString &path, colPLControls &layout)
{
    // A file that is missing or cannot be read loads as a template of defaults: still a
    // failure to report.
    QFile file(path);
    const bool readable = QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly);
    file.close();
    QString reason;
    if (clsPLStoreINI().LoadFromINI(path, layout, &reason) && readable)
        return true;
    // A damaged file says what is wrong with it, so the user can judge before saving over it.
    MsgBox(TemplateUnopenedText(path, reason), MsgStyle::Plain);
    if (layout.PathFile().isEmpty())
        layout.setPathFile(path);
    return false;
}

void frmPLDesigner::buildUi()
{
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    kdPLD = new DesignCanvasView(*m_canvas, this);
    kdPLD->setObjectName(QStringLiteral("kdPLD"));
    kdPLD->setMinimumSize(480, 360);
    kdPLProperties = new kdPLControlProperties(this);
    kdPLProperties->setObjectName(QStringLiteral("kdPLProperties"));
    popMenu = new KdPopupMenu(this);
    popMenu->setObjectName(QStringLiteral("popMenu"));
    popMenu->hide();

    lblCurrentMousePointer = new QLabel(this);
    lblCurrentMousePointer->setObjectName(QStringLiteral("lblCurrentMousePointer"));
    lblLastLineInfo = new QLabel(this);
    lblLastLineInfo->setObjectName(QStringLiteral("lblLastLineInfo"));
    auto *status = new QHBoxLayout;
    status->addWidget(new QLabel(QStringLiteral("当前鼠标位置(毫米)"), this));
    status->addWidget(lblCurrentMousePointer);
    status->addSpacing(24);
    status->addWidget(new QLabel(QStringLiteral("最近一次选择的直线长度"), this));
    status->addWidget(lblLastLineInfo);
    status->addSpacing(24);
    lblMeasure = new QLabel(this);
    lblMeasure->setObjectName(QStringLiteral("lblMeasure"));
    status->addWidget(lblMeasure);
    status->addStretch();

    auto *eoLayout = new QSplitter(Qt::Horizontal, this);
    eoLayout->setObjectName(QStringLiteral("eoLayout"));
    eoLayout->addWidget(kdPLD);
    eoLayout->addWidget(kdPLProperties);
    eoLayout->setStretchFactor(0, 4);
    eoLayout->setStretchFactor(1, 1);
    eoLayout->setChildrenCollapsible(false);

    auto *eoMain = new QVBoxLayout(this);
    eoMain->setContentsMargins(4, 4, 4, 4);
    eoMain->addWidget(buildToolBar());
    eoMain->addWidget(eoLayout, 1);
    eoMain->addLayout(status);
    resize(1100, 760);
}

QToolBar *frmPLDesigner::buildToolBar()
{
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("tbrCommands"));
    // 22 pixels: every command fits on the bar of the window at its first size.
    bar->setIconSize(QSize(22, 22));
    m_actions->FillToolBar(*bar);
    return bar;
}

void frmPLDesigner::connectCanvas()
{
    KdPLDesinger *c = m_canvas.get();
    connect(c, &KdPLDesinger::MouseMove, this, [this](qint16, qint16, float x, float y) {
        const double s = GetDesignScale();
        lblCurrentMousePointer->setText(mm1(x / s) + QStringLiteral(" , ") + mm1(y / s));
    });
    connect(c, &KdPLDesinger::CtrlChanged, this, [this](const clsPLControl &e) {
        if (ElementKindOf(e) == ElementKind::Line)
            lblLastLineInfo->setText(QStringLiteral("(") + mm1(e.Width()) + QStringLiteral(" , ")
                                     + mm1(e.Height()) + QStringLiteral(")"));
        // With several selected, the grid waits for the end of the step to show them again.
        if (!kdPLProperties->ShowsSeveral())
            kdPLProperties->Obj2Me(&e);
    });
    // The grid follows the selection: after every click and every finished step.
    connect(c, &KdPLDesinger::CtrlClick, this, [this] { showSelection(); });
    connect(c, &KdPLDesinger::StepFinished, this, [this] { showSelection(); });
    connect(c, &KdPLDesinger::MouseUp, this, [this](qint16 button, qint16, float x, float y) {
        if (button == KdPLDesinger::RightButton)
            ShowPopMenu(x, y);
    });
    connect(popMenu, &KdPopupMenu::mnuClick, this, &frmPLDesigner::popMenu_mnuClick);
    connect(c, &KdPLDesinger::Measured, this, [this] {
        const auto measured = m_canvas->Measurement();
        lblMeasure->setText(measured ? MeasurementText(*measured) : QString());
    });
    connect(c, &KdPLDesinger::BackPictureMoved, this, &frmPLDesigner::backPictureMoved);
    // The commands' states follow the selection and the undo stack.
    connect(c, &KdPLDesinger::Repaint, m_actions, &DesignerActions::Refresh);
    connect(c, &KdPLDesinger::CtrlClick, m_actions, &DesignerActions::Refresh);
    connect(&m_undo->Stack(), &QUndoStack::indexChanged, m_actions, &DesignerActions::Refresh);
    connect(kdPLProperties, &kdPLControlProperties::AfterPropertyChanged, this,
            [this](const QString &, const QString &) { propertyEdited(); });
}

void frmPLDesigner::installDefaultWindows()
{
    m_windows.lottProperty = [this](colPLControls &layout, bool isNew) {
        frmPLottProperty dialog(Folders().templates, this);
        // Apply shows the settings on the canvas at once; the whole run is one undo step.
        bool applied = false;
        const bool accepted = dialog.ShowMe(layout, isNew, [&] {
            applied = true;
            ApplyTemplateToCanvas(layout, *m_canvas);
        });
        if (accepted)
            return dialog.DetectBlocksAfterFinish() ? PropertiesRun::AcceptedDetectBlocks : PropertiesRun::Accepted;
        return applied ? PropertiesRun::AppliedThenCancelled : PropertiesRun::Cancelled;
    };
    m_windows.addLottNumber = &showKept<frmPAddLottNumber>;
    m_windows.batchAddLottNumber = &showKept<frmPAddBatchLottNumber>;
    m_windows.addMark = &showKept<frmPAddMark>;
    m_windows.batchAddMark = &showKept<frmPAddBatchMark>;
    m_windows.detectBlocks = [this](KdPLDesinger &canvas, colPLControls &layout) {
        return frmPDetectBlocks::ShowMe(canvas, layout, this);
    };
    m_windows.addLabel = [this] { return frmPAddLabel::ShowMe(this); };
    m_windows.saveFile = [this](const QString &folder, const QString &proposed) {
        QFileDialog dialog(this, QString(), folder, QStringLiteral("投注单模板文件(*.tzd)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("tzd"));
        if (!proposed.isEmpty())
            dialog.selectFile(proposed);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().first();
    };
    m_windows.preview = [this](const colPLControls &layout) {
        frmPLPreview preview(this);
        preview.ShowMe_One(layout);
    };
}

void frmPLDesigner::Load(const colPLControls &layout, bool isNew, bool loadedCompletely)
{
    m_canvas->ClearAllControls();
    m_canvas->AddControls(layout);
    ShowBackPicture(layout, *m_canvas);
    m_undo->Reset(layout);
    kdPLProperties->Obj2Me(nullptr);
    m_openPropertiesFirst = true;
    m_newTemplate = isNew;
    m_loadedCompletely = loadedCompletely;
    m_closeWithoutQuestion = false;
    refreshTitle();
}

void frmPLDesigner::ShowMe(colPLControls &layout, bool isNew, bool loadedCompletely)
{
    Load(layout, isNew, loadedCompletely);
    exec();
    layout.setPathFile(m_undo->Properties().PathFile());
}

colPLControls frmPLDesigner::Layout() const
{
    return m_undo->Template();
}

void frmPLDesigner::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_openPropertiesFirst)
        QTimer::singleShot(0, this, &frmPLDesigner::firstActivation);
}

void frmPLDesigner::firstActivation()
{
    if (!m_openPropertiesFirst)
        return;
    m_openPropertiesFirst = false;
    const bool isNew = m_newTemplate;
    m_newTemplate = false;
    runPropertiesDialog(isNew);
}

void frmPLDesigner::runPropertiesDialog(bool isNew)
{
    if (!m_windows.lottProperty)
        return;
    colPLControls settings = m_undo->Properties();
    const PropertiesRun run = m_windows.lottProperty(settings, isNew);
    const bool accepted = run == PropertiesRun::Accepted || run == PropertiesRun::AcceptedDetectBlocks;
    if (isNew && !accepted) {
        // A new template the user did not finish describing: nothing to keep, nothing to ask,
        // even when a step of the wizard already showed its settings on the canvas.
        m_closeWithoutQuestion = true;
        reject();
        return;
    }
    if (run != PropertiesRun::Cancelled)
        applyProperties(settings);
    // The slip's picture was just chosen: its blocks are found as the designer's command finds
    // them, a step of its own after the settings.
    if (run == PropertiesRun::AcceptedDetectBlocks)
        cmdDetectBlocks_Click();
}

void frmPLDesigner::refreshTitle()
{
    const colPLControls &t = m_undo->Properties();
    // "[*]" is where the title marks unsaved changes.
    setWindowTitle(FormatMsg(QString(), QStringLiteral("打印设计器 - [{1}] - {2}"),
                             {t.LayoutName(), t.PathFile()})
                   + QStringLiteral("[*]"));
    setWindowModified(IsModified());
}

bool frmPLDesigner::IsModified() const
{
    return !m_undo->Stack().isClean();
}

void frmPLDesigner::DoUpdateControlsByProperty()
{
    const colPLControls settings = m_undo->Properties();
    applyProperties(settings);
}

void frmPLDesigner::applyProperties(const colPLControls &settings, const QString &stepText)
{
    ApplyTemplateToCanvas(settings, *m_canvas);
    m_undo->Record(stepText, settings);
    // Every block reported its change on the way; the grid goes back to the selection.
    showSelection();
    refreshTitle();
}

void frmPLDesigner::propertiesRestored()
{
    ShowBackPicture(m_undo->Properties(), *m_canvas);
    showSelection();
    refreshTitle();
}

void frmPLDesigner::showSelection()
{
    ShowSelectionInGrid(*m_canvas, *kdPLProperties);
}

void frmPLDesigner::propertyEdited()
{
    // A text that did not convert changed nothing: no step, and the grid shows the values again.
    ApplyGridToElements(*m_canvas, *m_undo, *kdPLProperties);
}

void frmPLDesigner::runElementDialog(const std::function<void(KdPLDesinger &, colPLControls &)> &dialog,
                                     const QString &stepText)
{
    if (!dialog)
        return;
    const int before = m_canvas->AllItems().Count();
    colPLControls settings = m_undo->Properties();
    dialog(*m_canvas, settings);
    if (m_canvas->AllItems().Count() != before)
        m_undo->Record(stepText);
}

void frmPLDesigner::cmdAddLottNumber_Click()
{
    runElementDialog(m_windows.addLottNumber, QStringLiteral("添加号码填涂块"));
}

void frmPLDesigner::cmdBatchAddLottNumber_Click()
{
    runElementDialog(m_windows.batchAddLottNumber, QStringLiteral("批量添加号码填涂块"));
}

void frmPLDesigner::cmdAddMark_Click()
{
    runElementDialog(m_windows.addMark, QStringLiteral("添加附加填涂块"));
}

void frmPLDesigner::cmdDetectBlocks_Click()
{
    if (!m_windows.detectBlocks)
        return;
    colPLControls settings = m_undo->Properties();
    // Settings and elements together are one step: one Ctrl+Z takes it all back.
    if (m_windows.detectBlocks(*m_canvas, settings))
        applyProperties(settings, QStringLiteral("识别填涂块"));
}

void frmPLDesigner::cmdBatchAddMark_Click()
{
    runElementDialog(m_windows.batchAddMark, QStringLiteral("批量添加附加填涂块"));
}

void frmPLDesigner::cmdAddLabel_Click()
{
    if (!m_windows.addLabel)
        return;
    const QString text = m_windows.addLabel();
    if (text.isEmpty())
        return;
    if (!roomFor(*m_canvas, 1))
        return;
    // The program's default font, as every block, mark and command-line label has: a template
    // does not depend on the machine it was made on.
    m_canvas->BeginAddControlByMouse(NewTextLabel(text, DefaultFontName(), font().pointSizeF()));
}

void frmPLDesigner::cmdAddLine_Click()
{
    if (!roomFor(*m_canvas, 1))
        return;
    m_canvas->BeginAddControlByMouse(NewLine());
}

void frmPLDesigner::zoomBy(double factor)
{
    // The buttons zoom around the middle of the view.
    kdPLD->ZoomAround(factor, QRectF(kdPLD->viewport()->rect()).center());
}

void frmPLDesigner::cmdZoomFit_Click()
{
    kdPLD->ZoomToFit(SlipArea());
}

QRectF frmPLDesigner::SlipArea() const
{
    // The slip's picture where there is one (it is the slip as scanned), else its paper, else
    // what its elements cover.
    if (!m_canvas->BackPicture().isNull())
        return m_canvas->BackPictureRect();
    const QRectF paper = PaperArea(m_undo->Properties());
    if (!paper.isEmpty())
        return paper;
    QRectF covered;
    for (const KdPLDesinger::Item &item : m_canvas->AllItems())
        covered = covered.united(QRectF(item.element.Left(), item.element.Top(), item.element.Width(),
                                        item.element.Height()).normalized());
    return covered;
}

void frmPLDesigner::backPictureMoved(const QPointF &topLeftMm)
{
    colPLControls settings = m_undo->Properties();
    settings.setBackPicLeft(topLeftMm.x());
    settings.setBackPicTop(topLeftMm.y());
    m_undo->Record(QStringLiteral("移动底图"), settings);
    refreshTitle();
}

void frmPLDesigner::cmdZoomIn_Click()
{
    zoomBy(ZoomStep);
}

void frmPLDesigner::cmdZoomOut_Click()
{
    zoomBy(1.0 / ZoomStep);
}

void frmPLDesigner::cmdPLProperty_Click()
{
    runPropertiesDialog(false);
}

void frmPLDesigner::cmdPreview_Click()
{
    if (m_windows.preview)
        m_windows.preview(Layout());
}

bool frmPLDesigner::cmdSave_Click()
{
    const QString path = m_undo->Properties().PathFile();
    if (path.isEmpty())
        return cmdSaveAs_Click();
    return saveTo(path);
}

bool frmPLDesigner::cmdSaveAs_Click()
{
    const colPLControls &t = m_undo->Properties();
    const QString folder = Folders().templates;
    const QString proposed = t.PathFile().isEmpty() ? t.LayoutName() : SplitPathFile(t.PathFile()).fileName;
    for (;;) {
        const QString file = m_windows.saveFile ? m_windows.saveFile(folder, proposed) : QString();
        if (file.isEmpty())
            return false;
        if (!SameFolder(SplitPathFile(file).folder, folder)) {
            MsgBox(FormatMsg(QString(), QStringLiteral("请保存到目录 [{1}] 中！"), {folder}),
                   MsgStyle::Information);
            continue;
        }
        // Saving as the file that was not read completely overwrites it after the dialog's
        // own question: there is nothing more to ask.
        if (QFileInfo(file) == QFileInfo(m_undo->Properties().PathFile()))
            m_loadedCompletely = true;
        return saveTo(file);
    }
}

bool frmPLDesigner::mayKeepFindings()
{
    const std::size_t count = CheckTemplate(Layout()).size();
    if (count == 0)
        return true;
    const QString question = FormatMsg(QString(), QStringLiteral("模板有 {1} 处问题，是否仍然保存？"), {int(count)});
    return IsConfirmed(MsgBox(question, MsgStyle::ConfirmDefaultNo));
}

bool frmPLDesigner::saveTo(const QString &path)
{
    if (!mayKeepFindings())
        return false;
    if (!m_loadedCompletely && QFileInfo::exists(path)) {
        const QString question = FormatMsg(
            QString(), QStringLiteral("投注单模板文件 {1} 没有完整读入，保存将覆盖原文件，是否继续？"), {path});
        if (!IsConfirmed(MsgBox(question, MsgStyle::ConfirmDefaultNo)))
            return false;
    }
    colPLControls shown = Layout();
    shown.setPathFile(path);
    clsPLStoreINI store;
    if (!store.SaveToINI_Fast(path, shown)) {
        MsgBox(GetLastErrorText(true), MsgStyle::Information);
        return false;
    }
    m_undo->SetPathFile(path);
    m_loadedCompletely = true;
    // The title is right while the notice is up.
    m_undo->Stack().setClean();
    refreshTitle();
    MsgBox(QStringLiteral("布局保存成功！"), MsgStyle::Information);
    return true;
}

void frmPLDesigner::DeleteCurrent()
{
    if (!m_canvas->GetCurrentControl()) {
        MsgBox(QStringLiteral("请选择要删除的对象！"), MsgStyle::Information);
        return;
    }
    if (MsgBox(QStringLiteral("是否要删除当前选中的对象？"), MsgStyle::ConfirmDefaultNo) == MsgAnswer::No)
        return;
    m_canvas->DeleteSelectedControls();
}

void frmPLDesigner::ShowPopMenu(double x, double y)
{
    m_actions->FillMenu(*popMenu);
    // The canvas reports surface twips; the menu wants twips from the corner of the visible part.
    const CanvasViewport view = kdPLD->Viewport();
    const QPointF pixel = view.ToPixels(QRectF(x, y, 0, 0)).topLeft();
    popMenu->PopUpMenu(pixel.x() * view.TwipsPerPixelX(), pixel.y() * view.TwipsPerPixelY(),
                       kdPLD->viewport(), true);
}

void frmPLDesigner::popMenu_mnuClick(const QString &key)
{
    m_actions->RunMenuKey(key);
}

bool frmPLDesigner::mayClose()
{
    if (m_closeWithoutQuestion || !IsModified())
        return true;
    // 取消 (and Escape) keep the window open, and so does a save that did not happen: a
    // slip of the hand on the close box never throws the user's work away.
    switch (MsgBox(QStringLiteral("是否保存?"), MsgStyle::QuestionCancel)) {
    case MsgAnswer::Yes: return cmdSave_Click();
    case MsgAnswer::No: return true;
    default: return false;
    }
}

// Every way out (the exit button, the close box, Alt+F4, a new template left undescribed)
// comes here and asks the same question.
void frmPLDesigner::reject()
{
    if (!mayClose())
        return;
    m_closeWithoutQuestion = false;
    QDialog::reject();
}

void frmPLDesigner::closeEvent(QCloseEvent *event)
{
    if (!isVisible()) {
        event->accept();
        return;
    }
    reject();
    if (isVisible())
        event->ignore();
    else
        event->accept();
}

void frmPLDesigner::keyPressEvent(QKeyEvent *event)
{
    // A dialog closes on Escape; the designer does not: Escape while the focus is in the grid,
    // the tips or the toolbar must not end the work.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

TemplateCheckWindow &frmPLDesigner::CheckWindow()
{
    if (!m_checkWindow) {
        m_checkWindow = new TemplateCheckWindow(this);
        // Ctrl+S and the other keys of the designer still work while the list has the focus.
        m_actions->LendKeys(*m_checkWindow);
        connect(m_checkWindow, &TemplateCheckWindow::ElementChosen, this, &frmPLDesigner::selectFinding);
    }
    return *m_checkWindow;
}

void frmPLDesigner::cmdCheckTemplate_Click()
{
    TemplateCheckWindow &window = CheckWindow();
    window.Show(CheckTemplate(Layout()));
    window.show();
    window.raise();
}

void frmPLDesigner::selectFinding(const QString &key)
{
    // A finding about the template's settings names no element: the selection stays.
    if (m_canvas->GetOneControlByKeyName(key))
        m_canvas->SelectKeys({key});
}

void frmPLDesigner::recordPasted(const QStringList &keys, const QString &stepText)
{
    if (keys.isEmpty())
        return;
    m_undo->Record(stepText);
}

bool frmPLDesigner::CanPaste() const
{
    return !m_clipboard->IsEmpty();
}

void frmPLDesigner::CopySelection()
{
    m_clipboard->Copy(*m_canvas);
    m_actions->Refresh(); // paste has something now
}

void frmPLDesigner::CutSelection()
{
    // Deleting is the one step; the copies stay on the clipboard.
    if (m_clipboard->Copy(*m_canvas))
        m_canvas->DeleteSelectedControls();
}

void frmPLDesigner::PasteClipboard()
{
    if (m_clipboard->IsEmpty() || !roomFor(*m_canvas, m_clipboard->Count()))
        return;
    const int room = kMaxTemplateElements - m_canvas->AllItems().Count();
    recordPasted(m_clipboard->Paste(*m_canvas, room), QStringLiteral("粘贴"));
}

void frmPLDesigner::DuplicateSelection()
{
    if (!roomFor(*m_canvas, m_canvas->SelectionCount()))
        return;
    const int room = kMaxTemplateElements - m_canvas->AllItems().Count();
    recordPasted(SelectionClipboard::Duplicate(*m_canvas, room), QStringLiteral("再制"));
}

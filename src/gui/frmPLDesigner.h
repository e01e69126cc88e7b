#pragma once
// The slip designer: the design canvas, the property grid beside it, a toolbar, the right-click
// menu and two status labels. It edits one template, opens the template properties and element
// dialogs and the preview, and saves into the template folder. Every change is a step of its
// undo stack; the template is modified while the stack is away from its clean state.
//
// The template lives in one place while it is designed: its elements on the canvas, its
// settings (and where it is saved) beside the undo stack. What is saved, previewed or handed
// out by Layout() is put together from those two at that moment, so it is always what the
// canvas and the property grid show.
#include "common/clsTimerLock.h"
#include "model/colPLControls.h"

#include <QDialog>
#include <functional>
#include <memory>

class DesignCanvasView;
class DesignerActions;
class KdPLDesinger;
class KdPopupMenu;
class SelectionClipboard;
class TemplateCheckWindow;
class TemplateUndoStack;
class kdPLControlProperties;
class QAction;
class QLabel;
class QToolBar;

class frmPLDesigner : public QDialog {
    Q_OBJECT
public:
    // The windows the designer opens. The program's own are set by default where they exist;
    // tests put scripted ones.
    // How a run of the template properties dialog ended.
    // AcceptedDetectBlocks: the new template's wizard finished with "完成后识别填涂块" ticked.
    enum class PropertiesRun { Cancelled, AppliedThenCancelled, Accepted, AcceptedDetectBlocks };
    struct Windows {
        // The template properties dialog, on a copy of the template's settings.
        std::function<PropertiesRun(colPLControls &layout, bool isNew)> lottProperty;
        // The element dialogs add through the canvas themselves.
        std::function<void(KdPLDesinger &canvas, colPLControls &layout)> addLottNumber,
            batchAddLottNumber, addMark, batchAddMark;
        // The add label dialog: the label's text, "" when cancelled.
        std::function<QString()> addLabel;
        // The save dialog: the chosen file, "" when cancelled.
        std::function<QString(const QString &folder, const QString &proposedName)> saveFile;
        std::function<void(const colPLControls &layout)> preview;
        // "识别填涂块": changes the template's settings and adds through the canvas; true when
        // it changed anything.
        std::function<bool(KdPLDesinger &canvas, colPLControls &layout)> detectBlocks;
    };

    explicit frmPLDesigner(QWidget *parent = nullptr, clsTimerLock::TickSource ticks = {});
    ~frmPLDesigner() override;

    // Reads a template file for editing. A file that cannot be read completely is reported
    // ("投注单模板文件 {1} 不能打开！") and keeps what was read and its path: the designer still
    // opens on it. Returns whether it was read completely.
    static bool LoadForDesign(const QString &path, colPLControls &layout);

    // Shows the window modally for the template and returns when it has closed; the caller's
    // template then carries the file it was last saved to. A template that was not read
    // completely asks before its file is overwritten.
    void ShowMe(colPLControls &layout, bool isNew, bool loadedCompletely = true);
    // Everything ShowMe does before the window is shown.
    void Load(const colPLControls &layout, bool isNew, bool loadedCompletely = true);
    void DoUpdateControlsByProperty();

    // The commands of the toolbar, the right-click menu and the keys (DesignerCommands).
    void cmdAddLottNumber_Click();
    void cmdBatchAddLottNumber_Click();
    void cmdAddMark_Click();
    void cmdBatchAddMark_Click();
    void cmdDetectBlocks_Click();
    void cmdAddLabel_Click();
    void cmdAddLine_Click();
    void cmdZoomIn_Click();
    void cmdZoomOut_Click();
    // "适合窗口": the slip (its picture, else its paper, else its elements) fills the view.
    void cmdZoomFit_Click();
    // The slip's rectangle on the canvas, millimetres.
    QRectF SlipArea() const;
    void cmdPLProperty_Click();
    void cmdPreview_Click();
    bool cmdSave_Click();
    bool cmdSaveAs_Click();
    void DeleteCurrent();
    // "检查模板": lists what the template check finds in the template as it is shown.
    void cmdCheckTemplate_Click();
    // The selection through the designer's clipboard; each change is one undo step.
    void CopySelection();
    void CutSelection();
    void PasteClipboard();
    void DuplicateSelection();
    bool CanPaste() const;
    TemplateCheckWindow &CheckWindow();
    void popMenu_mnuClick(const QString &key);
    // Rebuilds the right-click menu and shows it at (x, y) twips on the canvas.
    void ShowPopMenu(double x, double y);

    bool IsModified() const;
    Windows &windows() { return m_windows; }
    KdPLDesinger &Canvas() { return *m_canvas; }
    kdPLControlProperties &Properties() { return *kdPLProperties; }
    KdPopupMenu &PopMenu() { return *popMenu; }
    DesignerActions &Actions() { return *m_actions; }
    DesignCanvasView &View() { return *kdPLD; }
    TemplateUndoStack &Undo() { return *m_undo; }
    // The template as it is shown now: its settings and the canvas's elements.
    colPLControls Layout() const;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildUi();
    QToolBar *buildToolBar();
    void connectCanvas();
    void firstActivation();
    void refreshTitle();
    bool saveTo(const QString &path);
    // Asks before a template with findings is saved: true when it may be.
    bool mayKeepFindings();
    void selectFinding(const QString &key);
    void recordPasted(const QStringList &keys, const QString &stepText);
    // Asks about unsaved changes before the window closes: true when it may close.
    bool mayClose();
    void runElementDialog(const std::function<void(KdPLDesinger &, colPLControls &)> &dialog,
                          const QString &stepText);
    void runPropertiesDialog(bool isNew);
    void applyProperties(const colPLControls &settings,
                         const QString &stepText = QStringLiteral("投注单设置"));
    // The grid shows the canvas's selection; its edits go to every element it shows.
    void showSelection();
    void propertyEdited();
    void propertiesRestored();
    void zoomBy(double factor);
    // A drag moved the unlocked picture: one step of the template's settings.
    void backPictureMoved(const QPointF &topLeftMm);
    void installDefaultWindows();

    std::unique_ptr<KdPLDesinger> m_canvas;
    std::unique_ptr<TemplateUndoStack> m_undo;
    std::unique_ptr<SelectionClipboard> m_clipboard;
    TemplateCheckWindow *m_checkWindow = nullptr;
    DesignerActions *m_actions = nullptr;
    Windows m_windows;
    bool m_openPropertiesFirst = false;
    bool m_newTemplate = false;
    bool m_loadedCompletely = true;
    bool m_closeWithoutQuestion = false;

    DesignCanvasView *kdPLD = nullptr;
    kdPLControlProperties *kdPLProperties = nullptr;
    KdPopupMenu *popMenu = nullptr;
    QLabel *lblCurrentMousePointer = nullptr;
    QLabel *lblLastLineInfo = nullptr;
    QLabel *lblMeasure = nullptr;
};

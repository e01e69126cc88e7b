#include "gui/DesignerCommands.h"

#include "canvas/KdPLDesinger.h"
#include "canvas/MillimetreGrid.h"
#include "canvas/TemplateUndoStack.h"
#include "gui/HelpPage.h"
#include "gui/frmPLDesigner.h"

#include <QUndoStack>

namespace {
using Run = std::function<void(frmPLDesigner &)>;
using Rule = std::function<bool(frmPLDesigner &)>;

QKeySequence ctrl(int key) { return QKeySequence(Qt::CTRL | key); }
QKeySequence ctrlShift(int key) { return QKeySequence(Qt::CTRL | Qt::SHIFT | key); }

// A command of the toolbar (and perhaps the menu); its icon is named after it.
DesignerCommand command(const char *name, const char *tip, Run run, const char *menuKey = "",
                        const char *menuText = "", QList<QKeySequence> keys = {}, Rule enabled = {})
{
    const QString n = QString::fromLatin1(name);
    return {n,
            QString::fromUtf8(tip),
            QString::fromLatin1(menuKey),
            QString::fromUtf8(menuText),
            QStringLiteral(":/designer/") + n.mid(3) + QStringLiteral(".svg"),
            std::move(keys),
            std::move(run),
            std::move(enabled),
            {}};
}

DesignerCommand alignment(const char *name, const char *tip, int mode)
{
    // Alignment takes the rest of the selection to the current element.
    return command(name, tip, [mode](frmPLDesigner &d) { d.Canvas().DoAlignmentSelectMul(mode); }, "", "", {},
                   [](frmPLDesigner &d) {
                       return d.Canvas().GetCurrentControl() != nullptr && d.Canvas().SelectionCount() >= 2;
                   });
}

DesignerCommand distribution(const char *name, const char *tip, Qt::Orientation orientation)
{
    return command(name, tip, [orientation](frmPLDesigner &d) { d.Canvas().DistributeSelectMul(orientation); },
                   "", "", {}, [](frmPLDesigner &d) { return d.Canvas().SelectionCount() >= 3; });
}

bool hasSelection(frmPLDesigner &d) { return d.Canvas().SelectionCount() > 0; }

// A switch: a command that is on while its rule holds, and flips when run.
DesignerCommand toggle(const char *name, const char *tip, const char *menuKey, const char *menuText,
                       Run flip, Rule on, QList<QKeySequence> keys = {})
{
    DesignerCommand c = command(name, tip, std::move(flip), menuKey, menuText, std::move(keys));
    c.checked = std::move(on);
    return c;
}

void changeGrid(frmPLDesigner &d, const std::function<void(MillimetreGrid &)> &change)
{
    MillimetreGrid grid = d.Canvas().Grid();
    change(grid);
    d.Canvas().SetGrid(grid);
}

// A grid step: choosing it also shows the grid, which is what the user wants to see.
DesignerCommand gridStep(const char *name, const char *tip, const char *menuKey, const char *menuText, double step)
{
    return toggle(name, tip, menuKey, menuText,
                  [step](frmPLDesigner &d) {
                      changeGrid(d, [step](MillimetreGrid &g) {
                          g.step = step;
                          g.shown = true;
                      });
                  },
                  [step](frmPLDesigner &d) { return d.Canvas().Grid().step == step; });
}
} // namespace

const std::vector<DesignerCommand> &DesignerCommands()
{
    static const std::vector<DesignerCommand> commands = {
        command("cmdSave", "保存", [](frmPLDesigner &d) { d.cmdSave_Click(); }, "SAVE", "保存(&S)", {ctrl(Qt::Key_S)}),
        command("cmdSaveAs", "另存为", [](frmPLDesigner &d) { d.cmdSaveAs_Click(); }, "SAVEAS", "另存为(&A)",
                {ctrlShift(Qt::Key_S)}),
        command("cmdPreview", "打印预览", [](frmPLDesigner &d) { d.cmdPreview_Click(); }, "PREVIEW", "打印预览(&P)"),
        command("cmdPLProperty", "投注单设置", [](frmPLDesigner &d) { d.cmdPLProperty_Click(); }, "LAYOUTSETTING",
                "投注单设置(&Z)"),
        command("cmdUndo", "撤销", [](frmPLDesigner &d) { d.Undo().Stack().undo(); }, "", "", {ctrl(Qt::Key_Z)},
                [](frmPLDesigner &d) { return d.Undo().Stack().canUndo(); }),
        command("cmdRedo", "重做", [](frmPLDesigner &d) { d.Undo().Stack().redo(); }, "", "",
                {ctrl(Qt::Key_Y), ctrlShift(Qt::Key_Z)}, [](frmPLDesigner &d) { return d.Undo().Stack().canRedo(); }),
        command("cmdAddLottNumber", "添加号码填涂块", [](frmPLDesigner &d) { d.cmdAddLottNumber_Click(); },
                "ADD-LOTTNUMBER", "添加【号码】填涂块(&O)"),
        command("cmdBatchAddLottNumber", "批量添加号码填涂块", [](frmPLDesigner &d) { d.cmdBatchAddLottNumber_Click(); },
                "BATCH-LOTTNUMBER", "批量添加【号码】填涂块(&L)"),
        command("cmdAddMark", "添加附加填涂块（如定位标记）", [](frmPLDesigner &d) { d.cmdAddMark_Click(); }, "ADD-MARK",
                "添加【附加】填涂块(&R)"),
        command("cmdBatchAddMark", "批量添加附加填涂块", [](frmPLDesigner &d) { d.cmdBatchAddMark_Click(); },
                "BATCH-MARK", "批量添加【附加】填涂块(&M)"),
        command("cmdDetectBlocks", "识别填涂块", [](frmPLDesigner &d) { d.cmdDetectBlocks_Click(); }, "DETECT-BLOCKS",
                "识别填涂块(&I)"),
        command("cmdAddLabel", "添加文字（如页码、注序号、注号）", [](frmPLDesigner &d) { d.cmdAddLabel_Click(); },
                "ADD-LABEL", "添加文字(&B)"),
        command("cmdAddLine", "画线", [](frmPLDesigner &d) { d.cmdAddLine_Click(); }, "ADD-LINE", "画线(&L)"),
        // Nothing current asks the user to choose first, so the menu greys it (the Delete key
        // on the canvas deletes without asking).
        command("cmdDeleteCurrent", "删除选中项", [](frmPLDesigner &d) { d.DeleteCurrent(); }, "DELETE-CURRENT",
                "删除选中项(&D)", {}, [](frmPLDesigner &d) { return d.Canvas().GetCurrentControl() != nullptr; }),
        command("cmdCut", "剪切", [](frmPLDesigner &d) { d.CutSelection(); }, "CUT", "剪切(&T)", {ctrl(Qt::Key_X)},
                hasSelection),
        command("cmdCopy", "复制", [](frmPLDesigner &d) { d.CopySelection(); }, "COPY", "复制(&C)", {ctrl(Qt::Key_C)},
                hasSelection),
        command("cmdPaste", "粘贴", [](frmPLDesigner &d) { d.PasteClipboard(); }, "PASTE", "粘贴(&V)",
                {ctrl(Qt::Key_V)}, [](frmPLDesigner &d) { return d.CanPaste(); }),
        command("cmdDuplicate", "再制", [](frmPLDesigner &d) { d.DuplicateSelection(); }, "DUPLICATE", "再制(&U)",
                {ctrl(Qt::Key_D)}, hasSelection),
        alignment("cmdAlignmentLeft", "左对齐", 1),
        alignment("cmdAlignmentCenter", "水平居中对齐", 2),
        alignment("cmdAlignmentRight", "右对齐", 3),
        alignment("cmdAlignmentTop", "顶端对齐", 4),
        alignment("cmdAlignmentMiddle", "垂直中间对齐", 5),
        alignment("cmdAlignmentBottom", "底部对齐", 6),
        alignment("cmdSizeSameWidth", "使宽度相同", 7),
        alignment("cmdSizeSameHeight", "使高度相同", 8),
        distribution("cmdDistributeHorizontal", "水平等距分布", Qt::Horizontal),
        distribution("cmdDistributeVertical", "垂直等距分布", Qt::Vertical),
        command("cmdZoomIn", "放大", [](frmPLDesigner &d) { d.cmdZoomIn_Click(); }, "", "",
                {ctrl(Qt::Key_Equal), ctrl(Qt::Key_Plus)}),
        command("cmdZoomOut", "缩小", [](frmPLDesigner &d) { d.cmdZoomOut_Click(); }, "", "", {ctrl(Qt::Key_Minus)}),
        command("cmdZoomFit", "适合窗口", [](frmPLDesigner &d) { d.cmdZoomFit_Click(); }, "ZOOM-FIT", "适合窗口(&W)",
                {ctrl(Qt::Key_0)}),
        toggle("cmdMeasure", "测量距离", "MEASURE", "测量距离(&E)",
               [](frmPLDesigner &d) { d.Canvas().SetMeasuring(!d.Canvas().IsMeasuring()); },
               [](frmPLDesigner &d) { return d.Canvas().IsMeasuring(); }, {ctrl(Qt::Key_M)}),
        toggle("cmdLockBackPicture", "锁定底图", "LOCK-BACKPIC", "锁定底图(&J)",
               [](frmPLDesigner &d) { d.Canvas().SetBackPictureLocked(!d.Canvas().IsBackPictureLocked()); },
               [](frmPLDesigner &d) { return d.Canvas().IsBackPictureLocked(); }),
        toggle("cmdShowGrid", "显示网格", "SHOW-GRID", "显示网格(&S)",
               [](frmPLDesigner &d) { changeGrid(d, [](MillimetreGrid &g) { g.shown = !g.shown; }); },
               [](frmPLDesigner &d) { return d.Canvas().Grid().shown; }, {ctrl(Qt::Key_Apostrophe)}),
        toggle("cmdSnapToGrid", "对齐网格", "SNAP-GRID", "对齐网格(&N)",
               [](frmPLDesigner &d) { changeGrid(d, [](MillimetreGrid &g) { g.snap = !g.snap; }); },
               [](frmPLDesigner &d) { return d.Canvas().Grid().snap; }),
        gridStep("cmdGridStep10", "网格间距 1 毫米", "GRID-10", "网格 1 毫米(&1)", 1.0),
        gridStep("cmdGridStep05", "网格间距 0.5 毫米", "GRID-05", "网格 0.5 毫米(&5)", 0.5),
        gridStep("cmdGridStep01", "网格间距 0.1 毫米", "GRID-01", "网格 0.1 毫米(&0)", 0.1),
        command("cmdCheckTemplate", "检查模板", [](frmPLDesigner &d) { d.cmdCheckTemplate_Click(); }, "CHECK-TEMPLATE",
                "检查模板(&K)"),
        command("cmdHelp", "帮助", [](frmPLDesigner &) { OpenHelpPage(); }, "", "", {QKeySequence(Qt::Key_F1)}),
        command("cmdExit", "退出", [](frmPLDesigner &d) { d.close(); }),
    };
    return commands;
}

const QStringList &DesignerToolBarOrder()
{
    static const QStringList order = {
        "cmdSave", "cmdSaveAs", "cmdPreview", "cmdPLProperty", "-",
        "cmdUndo", "cmdRedo", "-",
        "cmdAddLottNumber", "cmdBatchAddLottNumber", "cmdAddMark", "cmdBatchAddMark", "cmdDetectBlocks",
        "cmdAddLabel", "cmdAddLine", "-",
        "cmdAlignmentLeft", "cmdAlignmentCenter", "cmdAlignmentRight", "cmdAlignmentTop", "cmdAlignmentMiddle",
        "cmdAlignmentBottom", "cmdSizeSameWidth", "cmdSizeSameHeight", "cmdDistributeHorizontal",
        "cmdDistributeVertical", "-",
        "cmdZoomIn", "cmdZoomOut", "cmdZoomFit", "-",
        "cmdMeasure", "cmdLockBackPicture", "cmdShowGrid", "cmdSnapToGrid", "-",
        "cmdCheckTemplate", "-",
        "cmdExit",
    };
    return order;
}

const std::vector<DesignerMenuEntry> &DesignerMenuOrder()
{
    static const std::vector<DesignerMenuEntry> order = {
        {"BATCH-LOTTNUMBER"}, {"BATCH-MARK"}, {"DETECT-BLOCKS"}, {"-"},
        {"ADD-LOTTNUMBER"}, {"ADD-MARK"}, {"ADD-LABEL"}, {"ADD-LINE"}, {"-"},
        {"DELETE-CURRENT"}, {"-"},
        {"CUT"}, {"COPY"}, {"PASTE"}, {"DUPLICATE"}, {"-"},
        {"CHECK-TEMPLATE"}, {"LAYOUTSETTING"}, {"-"},
        {"ZOOM-FIT"}, {"MEASURE"}, {"LOCK-BACKPIC"}, {"GRID", "", "网格(&G)"},
        {"SHOW-GRID", "GRID"}, {"SNAP-GRID", "GRID"}, {"-", "GRID"},
        {"GRID-10", "GRID"}, {"GRID-05", "GRID"}, {"GRID-01", "GRID"}, {"-"},
        {"PREVIEW"}, {"SAVE"}, {"SAVEAS"},
    };
    return order;
}

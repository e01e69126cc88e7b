#include "gui/DesignerCommands.h"

namespace {
DesignerCommand command(const char *name, const char *text)
{
    const QString n = QString::fromLatin1(name);
    return {n, QString::fromUtf8(text), QStringLiteral(":/designer/") + n.mid(3) + QStringLiteral(".svg")};
}
} // namespace

const std::vector<DesignerCommand> &DesignerCommands()
{
    static const std::vector<DesignerCommand> commands = {
        command("cmdSave", "保存"),
        command("cmdSaveAs", "另存为"),
        command("cmdPreview", "打印预览"),
        command("cmdPLProperty", "投注单设置"),
        {},
        command("cmdUndo", "撤销"),
        command("cmdRedo", "重做"),
        {},
        command("cmdAddLottNumber", "添加号码填涂块"),
        command("cmdBatchAddLottNumber", "批量添加号码填涂块"),
        command("cmdAddMark", "添加附加填涂块（如定位标记）"),
        command("cmdBatchAddMark", "批量添加附加填涂块"),
        command("cmdDetectBlocks", "识别填涂块"),
        command("cmdAddLabel", "添加文字（如页码、注序号、注号）"),
        command("cmdAddLine", "画线"),
        {},
        command("cmdAlignmentLeft", "左对齐"),
        command("cmdAlignmentCenter", "水平居中对齐"),
        command("cmdAlignmentRight", "右对齐"),
        command("cmdAlignmentTop", "顶端对齐"),
        command("cmdAlignmentMiddle", "垂直中间对齐"),
        command("cmdAlignmentBottom", "底部对齐"),
        command("cmdSizeSameWidth", "使宽度相同"),
        command("cmdSizeSameHeight", "使高度相同"),
        command("cmdDistributeHorizontal", "水平等距分布"),
        command("cmdDistributeVertical", "垂直等距分布"),
        {},
        command("cmdZoomIn", "放大"),
        command("cmdZoomOut", "缩小"),
        {},
        command("cmdCheckTemplate", "检查模板"),
        {},
        command("cmdExit", "退出"),
    };
    return commands;
}

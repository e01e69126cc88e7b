#include "input/BetListCommands.h"

#include "common/FormatMsg.h"
#include "common/MsgBox.h"
#include "input/BetList.h"

QString LottNumberStatusText(int count, int stakesPerTicket, int faulty, int templateFindings)
{
    if (stakesPerTicket < 1)
        stakesPerTicket = 1;
    // The quotient truncates toward zero, so an empty list still counts one page.
    const int pages = (count - 1) / stakesPerTicket + 1;
    QString text = FormatMsg(QString(), QStringLiteral("共 {1} 注, {2} 页"), {count, pages});
    if (faulty > 0)
        text += FormatMsg(QString(), QStringLiteral("，其中 {1} 注有误"), {faulty});
    if (templateFindings > 0)
        text += FormatMsg(QString(), QStringLiteral("，模板有 {1} 处问题"), {templateFindings});
    return text;
}

bool ClearLottNumbers(BetList &list)
{
    if (!IsConfirmed(MsgBox(QStringLiteral("确认要清除所有的投注号码吗？"), MsgStyle::Question)))
        return false;
    list.Clear();
    return true;
}

int DeleteSelectedLottNumbers(BetList &list)
{
    const int selected = list.SelectedCount();
    if (selected == 0) {
        MsgBox(FormatMsg(QString(),
                         QStringLiteral("请选择要删除的投注号码！{CRLF}(可以配合使用 Ctrl、Shift "
                                        "键，同时选择多个号码)")),
               MsgStyle::Information);
        return 0;
    }
    if (!IsConfirmed(MsgBox(FormatMsg(QString(), QStringLiteral("确认删除选中的 {1} 个投注号码吗？"),
                                      {selected}),
                            MsgStyle::Question)))
        return 0;
    return list.RemoveSelected();
}

#include "gui/HelpPage.h"

#include "app/ProgramFolders.h"
#include "common/FormatMsg.h"
#include "common/MsgBox.h"
#include "common/PathFile.h"

#include <QDir>

void OpenHelpPage()
{
    const QString help = Folders().HelpFile();
    if (ShellOpenResult(help) <= 32)
        MsgBox(FormatMsg("1", QStringLiteral("无法启动浏览器打开帮助。帮助页面在：{CRLF}{1}"),
                         {QDir::toNativeSeparators(help)}),
               MsgStyle::Information);
}

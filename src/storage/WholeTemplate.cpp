#include "storage/WholeTemplate.h"

#include "common/FormatMsg.h"
#include "storage/clsPLStoreINI.h"

#include <QFileInfo>

bool LoadWholeTemplate(const QString &path, colPLControls &layout, QString *reason)
{
    if (!QFileInfo(path).isFile()) {
        if (reason)
            reason->clear();
        return false;
    }
    return clsPLStoreINI().LoadFromINI(path, layout, reason);
}

QString TemplateUnopenedText(const QString &named, const QString &reason)
{
    QString text = FormatMsg(QString(), QStringLiteral("投注单模板文件 {1} 不能打开！"), {named});
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return text;
}

#include "storage/clsPLStoreINI.h"

#include "common/FormatMsg.h"
#include "common/LastError.h"
#include "common/TextFile.h"
#include "common/VbFormat.h"
#include "common/clsIniFile.h"
#include "storage/TemplateText.h"
#include "storage/clsMouseCtrl.h"

#include <QFileInfo>

#include <cerrno>

// The old file is replaced only by a complete new one (the text file writer goes through
// AtomicFile), so a failed save never loses the previous template. The reason of a failure is
// the last error; the window that asked for the save shows it.
bool clsPLStoreINI::SaveToINI_Fast(const QString &path, colPLControls &layout)
{
    clsMouseCtrl wait;
    layout.setPathFile(path);
    return WriteWholeTextFile(path, TemplateToText(layout, path));
}

bool clsPLStoreINI::SaveToINI_LayoutSettingOnly(const QString &path, const colPLControls &layout)
{
    clsMouseCtrl wait;
    // Only an existing template is updated. A file created with these three keys alone would
    // be no template at all (it has no element count) and would read as damaged everywhere: the
    // user is told the template is gone instead.
    if (!QFileInfo(path).isFile()) {
        const QString message =
            FormatMsg("1", QStringLiteral("保存文件 {1} 失败：模板文件不存在"), {path});
        RecordError(message, QString::number(ENOENT), path);
        RecordErrorContext(QStringLiteral("clsPLStoreINI"), QStringLiteral("SaveToINI_LayoutSettingOnly"),
                           message, QString(), false);
        return false;
    }
    clsIniFile ini;
    ini.setFileName(path);
    // One write for the three keys: an interrupted save never leaves one changed without the
    // others.
    return ini.WriteStrings(QStringLiteral("Base"),
                            {{QStringLiteral("LayoutLeft"), GeneralDouble(layout.LayoutLeft())},
                             {QStringLiteral("LayoutTop"), GeneralDouble(layout.LayoutTop())},
                             {QStringLiteral("PaperOrientation"),
                              QString::number(layout.PaperOrientation())}});
}

bool clsPLStoreINI::LoadFromINI(const QString &path, colPLControls &layout, QString *reason)
{
    clsMouseCtrl wait;
    layout.RemoveAll();
    layout.setPathFile(path);
    // A file that cannot be read counts as missing: every key keeps its default.
    const TextReadResult file = ReadWholeTextFile(path);
    const IniSections doc(file.ok ? file.text : QString());
    return TemplateFromIni(doc, layout, reason);
}

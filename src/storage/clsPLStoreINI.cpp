#include "storage/clsPLStoreINI.h"

#include "common/MsgBox.h"
#include "common/TextFile.h"
#include "common/VbFormat.h"
#include "common/clsIniFile.h"
#include "storage/TemplateText.h"
#include "storage/clsMouseCtrl.h"

// The old file is replaced only by a complete new one (the text file writer goes through
// QSaveFile), so a failed save never loses the previous template.
bool clsPLStoreINI::SaveToINI_Fast(const QString &path, colPLControls &layout)
{
    clsMouseCtrl wait;
    layout.setPathFile(path);
    QString error;
    if (!WriteWholeTextFile(path, TemplateToText(layout, path), &error)) {
        MsgBox(error, MsgStyle::Plain);
        return false;
    }
    return true;
}

bool clsPLStoreINI::SaveToINI_LayoutSettingOnly(const QString &path, const colPLControls &layout)
{
    clsMouseCtrl wait;
    clsIniFile ini;
    ini.setFileName(path);
    bool ok = ini.WriteString(QStringLiteral("Base"), QStringLiteral("LayoutLeft"),
                              GeneralDouble(layout.LayoutLeft()));
    ok = ini.WriteString(QStringLiteral("Base"), QStringLiteral("LayoutTop"),
                         GeneralDouble(layout.LayoutTop()))
         && ok;
    ok = ini.WriteString(QStringLiteral("Base"), QStringLiteral("PaperOrientation"),
                         QString::number(layout.PaperOrientation()))
         && ok;
    return ok;
}

bool clsPLStoreINI::LoadFromINI(const QString &path, colPLControls &layout)
{
    clsMouseCtrl wait;
    layout.RemoveAll();
    layout.setPathFile(path);
    // A file that cannot be read counts as missing: every key keeps its default.
    const TextReadResult file = ReadWholeTextFile(path);
    const IniSections doc(file.ok ? file.text : QString());
    return TemplateFromIni(doc, layout);
}

bool clsPLStoreINI::SaveToINI_SlowXXX(const QString &path, colPLControls &layout)
{
    return SaveToINI_Fast(path, layout);
}

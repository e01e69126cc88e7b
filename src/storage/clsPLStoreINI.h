#pragma once
// The template file (".tzd"): INI text in GBK with CR LF, section "Base" with the
// template-wide settings, then one section "Controls<n>" per element in list order.
#include "model/colPLControls.h"

#include <QString>

class clsPLStoreINI {
public:
    // Writes the whole file (PathFile becomes path). The file is replaced only when the new
    // one is complete: a failure records its reason in the last error (SaveFailureText) and
    // leaves the old file as it was; the caller shows it.
    bool SaveToINI_Fast(const QString &path, colPLControls &layout);
    // Updates LayoutLeft, LayoutTop and PaperOrientation in section "Base" in one atomic
    // write and keeps every other byte; a missing file is not created (false, the reason in the
    // last error).
    // Shows nothing; false (the reason in the last error) when the file was not changed.
    bool SaveToINI_LayoutSettingOnly(const QString &path, const colPLControls &layout);
    // Fills a newly created template from the file. A missing or empty file, a missing key of
    // section "Base" or a missing style key of an element whose style is derived keeps the
    // defaults; a value that does not convert ends the reading with false, keeping what was
    // read before it; a damaged file (see TemplateFromIni) gives false after reading what is
    // whole. `reason`, when given, receives why the file was not read completely.
    bool LoadFromINI(const QString &path, colPLControls &layout, QString *reason = nullptr);
};

#pragma once
// The template file's text without the file around it: what the writer writes and what the
// reader reads, so both can be measured and tested apart from the disk.
#include "storage/IniSections.h"
#include "model/colPLControls.h"

#include <QString>

// The full file text (CR LF after every line). The background picture is stored by its name
// alone when it lies in the folder of filePath.
QString TemplateToText(const colPLControls &layout, const QString &filePath);

// Reads the template from a parsed file into layout by the reading rules of the template file;
// false when a present value does not convert (reading stops there).
bool TemplateFromIni(const IniSections &doc, colPLControls &layout);

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
// false, with the reason in `reason`, when a present value does not convert (reading stops
// there) or the file is damaged: a count that is missing, negative, not a whole number or past
// kMaxTemplateElements, a missing element section, a section past the count, or an element
// section that lacks a key the writer always writes for its kind. A damaged element is not
// read; the others are.
bool TemplateFromIni(const IniSections &doc, colPLControls &layout, QString *reason = nullptr);

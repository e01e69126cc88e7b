#pragma once
// A template to print or show must be read whole: a missing file, a damaged one or a value
// that does not convert is refused, never laid out in part (half a slip printed looks like a
// whole one).
#include "model/colPLControls.h"

#include <QString>

// Reads the template at `path` when the file exists and is read completely; otherwise false,
// with the reader's reason in `reason` (empty for a missing file).
bool LoadWholeTemplate(const QString &path, colPLControls &layout, QString *reason = nullptr);

// "投注单模板文件 {1} 不能打开！" naming the template as the user knows it, and the reason on
// a line of its own when there is one.
QString TemplateUnopenedText(const QString &named, const QString &reason = QString());

#pragma once
// The shipped folder of an installed program cannot be written: a shipped template that the user
// changes (in the designer, or by saving a printer's layout into it) is first copied into the
// user's template folder, with its slip picture when the user's folder lacks it.
#include <QString>

struct ProgramFolders;

// The template file to change: `path` itself when it is not a shipped one, else the user's copy
// (made now unless the user has one). "" when the copy cannot be written; *reason says why.
QString WritableTemplatePath(const ProgramFolders &folders, const QString &path, QString *reason);

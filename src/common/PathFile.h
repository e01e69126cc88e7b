#pragma once
#include <QString>

struct PathParts {
    QString folder;   // with its trailing separator, or ""
    QString fileName;
    QString baseName;
    QString extension;
};
// Splits at "\" or "/" (both separate folders on this platform).
PathParts SplitPathFile(const QString &path);
// Two folders are the same when their texts match ("\" and "/" alike) or when both exist and
// the file system finds the same folder under both names: letter case counts exactly where the
// file system counts it.
bool SameFolder(const QString &a, const QString &b);
// Cut before the first NUL; trimmed of blanks when `trim`.
QString StripNull(const QString &text, bool trim);
// Opens a document or address with the program the system associates with it; shows the
// matching message and returns false when that fails.
bool ShellOpen(const QString &path);
// The same without any message: the shell-style result (> 32 success), for callers that say
// something more useful themselves (where the help page is, the home page's address).
int ShellOpenResult(const QString &path);
// The face name the program asks for by default.
QString DefaultFontName();

// The handler that really opens (QDesktopServices in the program); returns a shell-style result
// (> 32 success, 2/3 not found, 27/31 no association, anything else another failure).
using ShellOpenHandler = int (*)(const QString &path, const QString &folder);
ShellOpenHandler SetShellOpenHandler(ShellOpenHandler handler);

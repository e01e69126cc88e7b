#pragma once
// Where the command line finds what ships with it: the program folder, portable or installed by
// the layout around the executable, and the rule that tells a script's path from its name.
#include "app/ProgramFolders.h"

#include <QString>

// The folders of the program, portable or installed by the layout around the executable, where
// the command line finds templates and scripts.
const ProgramFolders &CliFolders();
// The folder of the executable, with a trailing separator.
QString CliProgramFolder();
// A --script value ending in ".cvb" or holding a folder separator is a path.
bool CliScriptIsPath(const QString &script);

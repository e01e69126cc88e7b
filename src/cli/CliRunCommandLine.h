#pragma once
// What vornprn-cli does with its command line once the application object exists: the help,
// the version, one registered command, or the unknown-command message. Both programs of the
// command line run it, each with the commands it holds.
#include <QStringList>

// `arguments` are the program's arguments without the program name. Returns the exit code.
int CliRunCommandLine(QStringList arguments);

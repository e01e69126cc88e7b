// vornprn-cli: the program users run. A conversion script is often run over a small file many
// times in a row, so `script` starts with Qt Core alone (no fonts, no images, no OpenCV); every
// other command, the help and the version come from vornprn-cli-full, which this process becomes.
#include "cli/CliRunCommandLine.h"
#include "cli/FullProgramStart.h"
#include "common/FreedMemory.h"

#include <QCoreApplication>
#include <cstring>

int main(int argc, char **argv)
{
    if (argc < 2 || std::strcmp(argv[1], "script") != 0)
        return StartFullProgram(argv);
    KeepFreedMemoryForReuse();
    QCoreApplication app(argc, argv);
    return CliRunCommandLine(QCoreApplication::arguments().mid(1));
}

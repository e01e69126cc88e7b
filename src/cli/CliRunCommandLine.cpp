#include "cli/CliRunCommandLine.h"
#include "cli/CliCommand.h"

#include <QCoreApplication>
#include <QTextStream>
#include <clocale>

namespace {
void printHelp(QTextStream &out)
{
    out << "vornprn-cli " << VORN_VERSION << " - VornPrn without a window\n\n"
        << "usage: vornprn-cli COMMAND [ARGS...]\n"
        << "       vornprn-cli --help | --version\n\n"
        << "commands:\n";
    for (const CliCommand &c : cliCommands())
        out << "  " << c.name.leftJustified(10) << " " << c.summary << "\n";
    out << "\n'vornprn-cli COMMAND --help' shows the usage of one command.\n";
}
} // namespace

int CliRunCommandLine(QStringList args)
{
    std::setlocale(LC_NUMERIC, "C"); // numbers in files are always written with a "."
    QCoreApplication::setApplicationName("vornprn-cli");

    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    if (args.isEmpty()) {
        printHelp(err);
        return ExitUsage;
    }
    const QString first = args.takeFirst();
    if (first == "--help" || first == "-h" || first == "help") {
        printHelp(out);
        return ExitOk;
    }
    if (first == "--version") {
        out << "vornprn-cli " << VORN_VERSION << "\n";
        return ExitOk;
    }
    for (const CliCommand &c : cliCommands()) {
        if (c.name != first)
            continue;
        CliContext ctx{args, out, err};
        if (cliWantsHelp(args)) {
            out << "usage: vornprn-cli " << c.usage << "\n" << c.summary << "\n";
            return ExitOk;
        }
        const int rc = c.handler(ctx);
        out.flush();
        err.flush();
        return rc;
    }
    err << "vornprn-cli: unknown command '" << first << "'\n";
    printHelp(err);
    return ExitUsage;
}

#pragma once
// The subcommands of vornprn-cli register themselves with a CliRegistrar in their own file,
// so a new subcommand is one new file.
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>

struct CliContext {
    QStringList args;   // the arguments after the subcommand name
    QTextStream &out;   // stdout, UTF-8, LF
    QTextStream &err;   // stderr, UTF-8, LF
};

using CliHandler = int (*)(CliContext &ctx);

struct CliCommand {
    QString name;
    QString usage;   // one line: "eval EXPR [--default D] [--decimals N]"
    QString summary; // one line of help
    CliHandler handler;
    int order;       // position in the help listing
};

class CliRegistrar {
public:
    CliRegistrar(const CliCommand &command);
};

const QList<CliCommand> &cliCommands();

// Exit codes of every subcommand.
enum CliExit { ExitOk = 0, ExitFailure = 1, ExitUsage = 2 };

// Prints "usage: vornprn-cli USAGE" to err and returns ExitUsage.
int cliUsageError(CliContext &ctx, const CliCommand &command, const QString &problem);

// True when the arguments ask for help (--help or -h before a "--").
bool cliWantsHelp(const QStringList &args);

// Small option parser shared by the subcommands: options take a value unless listed as flags;
// "--" ends the options. Unknown options are reported as usage errors.
struct CliOptions {
    QStringList positional;
    QMap<QString, QStringList> values; // option name (without dashes) -> values in order
    QStringList flags;
    QString error;

    bool has(const QString &name) const { return values.contains(name) || flags.contains(name); }
    QString value(const QString &name, const QString &fallback = QString()) const
    {
        auto it = values.find(name);
        return it == values.end() || it->isEmpty() ? fallback : it->last();
    }
};
// valued: option names that take one value each; multi: names followed by N values (name -> N).
CliOptions cliParse(const QStringList &args, const QStringList &valued, const QStringList &flags,
                    const QMap<QString, int> &multi = {});

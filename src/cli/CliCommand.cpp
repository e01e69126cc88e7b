#include "cli/CliCommand.h"

#include <algorithm>

namespace {
QList<CliCommand> &registry()
{
    static QList<CliCommand> commands;
    return commands;
}
} // namespace

CliRegistrar::CliRegistrar(const CliCommand &command)
{
    auto &r = registry();
    r.append(command);
    std::stable_sort(r.begin(), r.end(),
                     [](const CliCommand &a, const CliCommand &b) { return a.order < b.order; });
}

const QList<CliCommand> &cliCommands() { return registry(); }

int cliUsageError(CliContext &ctx, const CliCommand &command, const QString &problem)
{
    if (!problem.isEmpty())
        ctx.err << "vornprn-cli " << command.name << ": " << problem << "\n";
    ctx.err << "usage: vornprn-cli " << command.usage << "\n";
    ctx.err.flush();
    return ExitUsage;
}

bool cliWantsHelp(const QStringList &args)
{
    for (const QString &a : args) {
        if (a == "--")
            return false;
        if (a == "--help" || a == "-h")
            return true;
    }
    return false;
}

CliOptions cliParse(const QStringList &args, const QStringList &valued, const QStringList &flags,
                    const QMap<QString, int> &multi)
{
    CliOptions o;
    bool optionsEnded = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (optionsEnded || !a.startsWith("--") || a == "-") {
            o.positional << a;
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        QString name = a.mid(2);
        QString inlineValue;
        bool hasInline = false;
        if (int eq = name.indexOf('='); eq >= 0) {
            inlineValue = name.mid(eq + 1);
            name = name.left(eq);
            hasInline = true;
        }
        if (flags.contains(name) && !hasInline) {
            o.flags << name;
        } else if (valued.contains(name)) {
            if (hasInline) {
                o.values[name] << inlineValue;
            } else if (i + 1 < args.size()) {
                o.values[name] << args[++i];
            } else {
                o.error = QStringLiteral("option --%1 needs a value").arg(name);
                return o;
            }
        } else if (multi.contains(name) && !hasInline) {
            const int n = multi.value(name);
            if (i + n >= args.size()) {
                o.error = QStringLiteral("option --%1 needs %2 values").arg(name).arg(n);
                return o;
            }
            for (int k = 0; k < n; ++k)
                o.values[name] << args[++i];
        } else {
            o.error = QStringLiteral("unknown option --%1").arg(name);
            return o;
        }
    }
    return o;
}

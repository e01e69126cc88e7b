// vornprn-cli import: the import dialog's OK without the dialog, the bet list on stdout.
#include "cli/CliCommand.h"
#include "cli/CliShared.h"
#include "input/BetList.h"

namespace {
int runImport(CliContext &ctx);

const CliCommand kCommand{QStringLiteral("import"),
                          QStringLiteral("import FILE [--mode 0|1|2] [--script NAME|PATH.cvb]"),
                          QStringLiteral("import a bet file as the import dialog does and print "
                                         "the bet list"),
                          &runImport, 41};
const CliRegistrar reg(kCommand);

int runImport(CliContext &ctx)
{
    const CliOptions o = cliParse(ctx.args, {"mode", "script"}, {});
    if (!o.error.isEmpty())
        return cliUsageError(ctx, kCommand, o.error);
    if (o.positional.size() != 1)
        return cliUsageError(ctx, kCommand, o.positional.isEmpty() ? QStringLiteral("missing FILE")
                                                                   : QStringLiteral("one FILE only"));
    CliBetOptions bets;
    bets.file = o.positional.first();
    bets.mode = o.value("mode", QStringLiteral("0"));
    bets.script = o.value("script");
    if (const QString problem = CliCheckBetOptions(bets); !problem.isEmpty())
        return cliUsageError(ctx, kCommand, problem);

    BetList list;
    QStringList messages;
    const bool ok = CliImportBets(bets, list, &messages);
    // A failed import may have put entries in the list before it stopped: they are printed too.
    for (int row = 0; row < list.Count(); ++row)
        ctx.out << list.StakeIndexNumber(row) << '\t' << list.BetLineView(row) << '\n';
    ctx.out.flush();
    for (const QString &message : messages)
        ctx.err << message << '\n';
    if (!ok) {
        if (messages.isEmpty())
            ctx.err << "vornprn-cli import: " << bets.file << ": nothing to import\n";
        return ExitFailure;
    }
    return ExitOk;
}
} // namespace

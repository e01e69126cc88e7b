// vornprn-cli check: the bets of a file against a template before any paper is used, one line
// per stake that would not print right.
#include "cli/CliCommand.h"
#include "cli/CliShared.h"
#include "input/BetList.h"
#include "input/StakeCheck.h"
#include "model/colPLControls.h"

namespace {
int runCheck(CliContext &ctx);

const CliCommand kCommand{
    QStringLiteral("check"),
    QStringLiteral("check --template FILE.tzd --bets FILE [--mode 0|1|2] [--script NAME|PATH.cvb]"),
    QStringLiteral("list the stakes of a bet file that would not print right on a template"),
    &runCheck, 43};
const CliRegistrar reg(kCommand);

// "Could not check" has its own exit status, apart from "found faults".
constexpr int ExitNotChecked = 2;

int runCheck(CliContext &ctx)
{
    const CliOptions o = cliParse(ctx.args, {"template", "bets", "mode", "script"}, {});
    CliBetOptions bets;
    if (const QString problem = CliReadTemplateAndBets(o, bets); !problem.isEmpty())
        return cliUsageError(ctx, kCommand, problem);

    colPLControls layout;
    if (!CliLoadWholeTemplate(ctx, o.value("template"), layout))
        return ExitNotChecked;
    BetList list;
    QStringList messages;
    const bool imported = CliImportBetsReporting(ctx, bets, list, messages);
    if (!imported) {
        if (messages.isEmpty())
            ctx.err << "vornprn-cli check: " << bets.file << ": nothing to check\n";
        return ExitNotChecked;
    }
    const std::vector<StakeFinding> findings = CheckLottNumbers(list, layout);
    for (const StakeFinding &f : findings)
        ctx.out << list.StakeIndexNumber(f.row) << '\t' << list.BetLineView(f.row) << '\t'
                << f.reason << '\n';
    return findings.empty() ? ExitOk : ExitFailure;
}
} // namespace

// vornprn-cli check: the bets of a file against a template before any paper is used, one line
// per stake that would not print right.
#include "cli/CliCommand.h"
#include "cli/CliShared.h"
#include "common/FormatMsg.h"
#include "input/BetList.h"
#include "input/StakeCheck.h"
#include "model/colPLControls.h"
#include "storage/clsPLStoreINI.h"

#include <QFileInfo>

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
    if (!o.error.isEmpty())
        return cliUsageError(ctx, kCommand, o.error);
    if (!o.positional.isEmpty())
        return cliUsageError(ctx, kCommand, QStringLiteral("unexpected argument ") + o.positional.first());
    if (!o.has("template") || !o.has("bets"))
        return cliUsageError(ctx, kCommand, QStringLiteral("--template and --bets are required"));
    const CliBetOptions bets{o.value("bets"), o.value("mode", QStringLiteral("0")), o.value("script")};
    if (const QString problem = CliCheckBetOptions(bets); !problem.isEmpty())
        return cliUsageError(ctx, kCommand, problem);

    colPLControls layout;
    const QString templatePath = CliResolveTemplate(o.value("template"));
    if (!QFileInfo(templatePath).isFile() || !clsPLStoreINI().LoadFromINI(templatePath, layout)) {
        ctx.err << FormatMsg(QString(), QStringLiteral("投注单模板文件 {1} 不能打开！"),
                             {o.value("template")})
                << '\n';
        return ExitNotChecked;
    }
    BetList list;
    QStringList messages;
    const bool imported = CliImportBets(bets, list, &messages);
    for (const QString &message : messages)
        ctx.err << message << '\n';
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

// vornprn-cli eval: the numeric conversion of every numeric field, from the command line.
#include "cli/CliCommand.h"
#include "common/CEval.h"
#include "common/ToNumber.h"
#include "common/VbFormat.h"

namespace {
int runEval(CliContext &ctx);

const CliRegistrar reg({QStringLiteral("eval"),
                        QStringLiteral("eval EXPR [--default D] [--decimals N] | eval --postfix EXPR"),
                        QStringLiteral("convert a number or arithmetic expression as numeric fields do"),
                        &runEval, 10});

int runEval(CliContext &ctx)
{
    const CliCommand &self = cliCommands()[0].name == "eval" ? cliCommands()[0] : *std::find_if(
        cliCommands().begin(), cliCommands().end(), [](const CliCommand &c) { return c.name == "eval"; });
    const CliOptions o = cliParse(ctx.args, {"default", "decimals"}, {"postfix"});
    if (!o.error.isEmpty())
        return cliUsageError(ctx, self, o.error);
    if (o.positional.size() != 1)
        return cliUsageError(ctx, self, o.positional.isEmpty() ? "missing EXPR" : "one EXPR only");
    const QString expr = o.positional.first();

    if (o.flags.contains("postfix")) {
        CEval eval;
        const CEval::PostfixResult r = eval.ToPostfix(expr);
        if (!r.ok) {
            ctx.out << "error: " << r.message << " at " << r.position << "\n";
            return ExitFailure;
        }
        ctx.out << r.postfix << "\n";
        return ExitOk;
    }

    bool ok = true;
    const double def = o.has("default") ? o.value("default").trimmed().toDouble(&ok) : 0.0;
    if (!ok)
        return cliUsageError(ctx, self, "--default needs a number");
    const int decimals = o.has("decimals") ? o.value("decimals").trimmed().toInt(&ok) : -1;
    if (!ok)
        return cliUsageError(ctx, self, "--decimals needs a whole number");
    ctx.out << GeneralDouble(ToNumber(expr, def, decimals)) << "\n";
    return ExitOk;
}
} // namespace

// vornprn-cli normalize: the bet line of every line of a bet file, as the import makes it.
#include "cli/CliCommand.h"
#include "input/NormalizeLottNumberLine.h"
#include "input/TextLines.h"

#include <QFile>

namespace {
int runNormalize(CliContext &ctx);

const CliCommand kCommand{QStringLiteral("normalize"),
                          QStringLiteral("normalize [--include-index] [FILE|-]"),
                          QStringLiteral("print the bet line of every line of a bet file"),
                          &runNormalize, 40};
const CliRegistrar reg(kCommand);

int runNormalize(CliContext &ctx)
{
    const CliOptions o = cliParse(ctx.args, {}, {"include-index"});
    if (!o.error.isEmpty())
        return cliUsageError(ctx, kCommand, o.error);
    if (o.positional.size() > 1)
        return cliUsageError(ctx, kCommand, QStringLiteral("one FILE only"));
    const QString path = o.positional.isEmpty() ? QStringLiteral("-") : o.positional.first();
    const bool includeIndex = o.flags.contains("include-index");

    qint64 lineNumber = 0;
    QString betLine;
    const auto onLine = [&](QStringView line) {
        ++lineNumber;
        betLine.clear();
        if (AppendNormalizedLottNumberLine(line, includeIndex, betLine) > 0)
            ctx.out << lineNumber << '\t' << betLine << '\n';
    };
    QString failure;
    bool ok;
    if (path == QStringLiteral("-")) {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly)) {
            ctx.err << in.errorString() << "\n";
            return ExitFailure;
        }
        ok = ForEachTextLine(in, QStringLiteral("-"), onLine, &failure, TextFileKind::BetFile);
    } else {
        ok = ForEachTextLine(path, onLine, &failure, TextFileKind::BetFile);
    }
    if (!ok) {
        ctx.out.flush();
        ctx.err << failure << "\n";
        return ExitFailure;
    }
    return ExitOk;
}
} // namespace

// vornprn-cli script: runs a conversion script over a file as the import dialog's test action
// does, and prints what it stored.
#include "cli/CliCommand.h"
#include "cli/CliFolders.h"
#include "common/MsgBox.h"
#include "input/TextLines.h"
#include "input/clsScriptRunner.h"

#include <QFileInfo>

namespace {
int runScript(CliContext &ctx);

const CliCommand kCommand{QStringLiteral("script"),
                          QStringLiteral("script SCRIPT.cvb INPUT [--timeout-ms N] [--memory-mb N]"),
                          QStringLiteral("run a conversion script over a file and print its output "
                                         "lines"),
                          &runScript, 42};
const CliRegistrar reg(kCommand);

// A name is a script of the Script folder (installed: the user's, then the shipped one); so is
// a bare file name that does not exist where we stand.
QString ResolveScript(const QString &given)
{
    if (!CliScriptIsPath(given))
        return CliFolders().ScriptFolderOf(given) + given + QStringLiteral(".cvb");
    const bool hasFolder = given.contains('/') || given.contains('\\');
    if (hasFolder || QFileInfo::exists(given))
        return given;
    const QString scripts = CliFolders().ScriptFolderOf(given.chopped(4)); // without ".cvb"
    return QFileInfo::exists(scripts + given) ? scripts + given : given;
}

int runScript(CliContext &ctx)
{
    const CliOptions o = cliParse(ctx.args, {"timeout-ms", "memory-mb"}, {});
    if (!o.error.isEmpty())
        return cliUsageError(ctx, kCommand, o.error);
    if (o.positional.size() != 2)
        return cliUsageError(ctx, kCommand, QStringLiteral("needs SCRIPT.cvb and INPUT"));
    // A limit the options may set: its default when not given, 0 when not a positive number.
    auto limit = [&](const char *name, qint64 fallback) -> qint64 {
        if (!o.has(name))
            return fallback;
        bool ok = false;
        const qint64 n = o.value(name).toLongLong(&ok);
        return ok && n >= 1 ? n : 0;
    };
    const qint64 timeoutMs = limit("timeout-ms", clsScriptRunner::kTimeLimitMs);
    if (timeoutMs == 0)
        return cliUsageError(ctx, kCommand, QStringLiteral("--timeout-ms needs a positive number"));
    const qint64 memoryMb = limit("memory-mb", clsScriptRunner::kMemoryLimitMb);
    if (memoryMb == 0)
        return cliUsageError(ctx, kCommand, QStringLiteral("--memory-mb needs a positive number"));

    // Boxes go to stderr; a file that could not be read fails the command after its message.
    int shown = 0;
    const MsgBoxHandler previous = SetMsgBoxHandler([&](const QString &text, MsgStyle) {
        ++shown;
        ctx.err << text << "\n";
        ctx.err.flush();
        return MsgAnswer::Ok;
    });
    const QString input = ReadTextFile(o.positional[1], TextFileKind::BetFile);
    clsScriptRunner runner;
    runner.setTimeLimitMs(timeoutMs);
    runner.setMemoryLimitMb(memoryMb);
    if (shown == 0)
        runner.LoadScriptFile(ResolveScript(o.positional[0]));
    const bool ok = shown == 0 && runner.RunScript(input);
    SetMsgBoxHandler(previous);
    if (!ok)
        return ExitFailure;

    for (const QString &line : runner.ScriptValue().GetArrayReturn())
        ctx.out << line << '\n';
    return ExitOk;
}
} // namespace

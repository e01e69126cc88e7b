// vornprn-cli import: the import dialog's OK without the dialog, the bet list on stdout.
#include "cli/CliCommand.h"
#include "common/MsgBox.h"
#include "input/BetImporter.h"
#include "input/BetList.h"

#include <QCoreApplication>
#include <QDir>

namespace {
int runImport(CliContext &ctx);

const CliCommand kCommand{QStringLiteral("import"),
                          QStringLiteral("import FILE [--mode 0|1|2] [--script NAME|PATH.cvb]"),
                          QStringLiteral("import a bet file as the import dialog does and print "
                                         "the bet list"),
                          &runImport, 41};
const CliRegistrar reg(kCommand);

QString ProgramFolder()
{
    return QDir(QCoreApplication::applicationDirPath()).absolutePath() + QLatin1Char('/');
}

int runImport(CliContext &ctx)
{
    const CliOptions o = cliParse(ctx.args, {"mode", "script"}, {});
    if (!o.error.isEmpty())
        return cliUsageError(ctx, kCommand, o.error);
    if (o.positional.size() != 1)
        return cliUsageError(ctx, kCommand, o.positional.isEmpty() ? QStringLiteral("missing FILE")
                                                                   : QStringLiteral("one FILE only"));
    const QString mode = o.value("mode", QStringLiteral("0"));
    if (mode != "0" && mode != "1" && mode != "2")
        return cliUsageError(ctx, kCommand, QStringLiteral("--mode takes 0, 1 or 2"));
    if (mode == "2" && !o.has("script"))
        return cliUsageError(ctx, kCommand, QStringLiteral("--mode 2 needs --script"));

    ImportFolders folders;
    folders.ProgramFolder = ProgramFolder();
    folders.ScriptFolder = folders.ProgramFolder + QStringLiteral("Script/");
    BetList list;
    BetImporter importer(list, folders);
    importer.setPathFile(o.positional.first());
    importer.setMode(ImportModeFromValue(mode.toInt()));
    if (o.has("script")) {
        const QString script = o.value("script");
        if (script.endsWith(QStringLiteral(".cvb"), Qt::CaseInsensitive) || script.contains('/') ||
            script.contains('\\'))
            importer.setScriptPathFile(script);
        else
            importer.setScriptName(script);
    }

    // Every box goes to stderr as the window would show it; a failure that showed none still
    // gets a line of its own.
    int shown = 0;
    const MsgBoxHandler previous = SetMsgBoxHandler([&](const QString &text, MsgStyle) {
        ++shown;
        ctx.out.flush();
        ctx.err << text << "\n";
        ctx.err.flush();
        return MsgAnswer::Ok;
    });
    const bool ok = importer.ImportLottNumbers();
    SetMsgBoxHandler(previous);

    for (int row = 0; row < list.Count(); ++row)
        ctx.out << list.StakeIndexNumber(row) << '\t' << list.BetLineView(row) << '\n';
    if (!ok) {
        if (shown == 0)
            ctx.err << "vornprn-cli import: " << o.positional.first() << ": nothing to import\n";
        return ExitFailure;
    }
    return ExitOk;
}
} // namespace

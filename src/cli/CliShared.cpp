#include "cli/CliShared.h"
#include "common/FormatMsg.h"
#include "common/MsgBox.h"
#include "input/BetImporter.h"
#include "input/BetList.h"
#include "storage/clsPLStoreINI.h"
#include "storage/WholeTemplate.h"

QString CliResolveTemplate(const QString &given)
{
    return CliFolders().ResolveTemplate(given);
}

QString CliCheckBetOptions(const CliBetOptions &bets)
{
    if (bets.mode != "0" && bets.mode != "1" && bets.mode != "2")
        return QStringLiteral("--mode takes 0, 1 or 2");
    if (bets.mode == "2" && bets.script.isEmpty())
        return QStringLiteral("--mode 2 needs --script");
    return QString();
}

bool CliImportBets(const CliBetOptions &bets, BetList &list, QStringList *messages)
{
    ImportFolders folders = CliFolders().Import();
    if (!CliScriptIsPath(bets.script))
        folders.ScriptFolder = CliFolders().ScriptFolderOf(bets.script);
    BetImporter importer(list, folders);
    importer.setPathFile(bets.file);
    importer.setMode(ImportModeFromValue(bets.mode.toInt()));
    if (!bets.script.isEmpty()) {
        if (CliScriptIsPath(bets.script))
            importer.setScriptPathFile(bets.script);
        else
            importer.setScriptName(bets.script);
    }
    const MsgBoxHandler previous = SetMsgBoxHandler([&](const QString &text, MsgStyle) {
        if (messages)
            *messages << text;
        return MsgAnswer::Ok;
    });
    const bool ok = importer.ImportLottNumbers();
    SetMsgBoxHandler(previous);
    return ok;
}

bool CliImportBetsReporting(CliContext &ctx, const CliBetOptions &bets, BetList &list,
                            QStringList &messages)
{
    const bool imported = CliImportBets(bets, list, &messages);
    for (const QString &message : messages)
        ctx.err << message << '\n';
    return imported;
}

QString CliReadTemplateAndBets(const CliOptions &o, CliBetOptions &bets)
{
    if (!o.error.isEmpty())
        return o.error;
    if (!o.positional.isEmpty())
        return QStringLiteral("unexpected argument ") + o.positional.first();
    if (!o.has("template") || !o.has("bets"))
        return QStringLiteral("--template and --bets are required");
    bets = {o.value("bets"), o.value("mode", QStringLiteral("0")), o.value("script")};
    return CliCheckBetOptions(bets);
}

void CliReportTemplateUnopened(CliContext &ctx, const QString &typed)
{
    ctx.err << TemplateUnopenedText(typed) << '\n';
}

bool CliLoadWholeTemplate(CliContext &ctx, const QString &given, colPLControls &layout)
{
    const QString path = CliResolveTemplate(given);
    if (LoadWholeTemplate(path, layout))
        return true;
    CliReportTemplateUnopened(ctx, given);
    return false;
}

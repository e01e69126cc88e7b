#pragma once
// What several subcommands share: finding templates by the command line's rules, and importing a
// bet file as the import dialog's OK does.
#include "cli/CliCommand.h"
#include "cli/CliFolders.h"

#include <QString>
#include <QStringList>

class BetList;
class colPLControls;

// A template path as given; when no such file exists and the name has no folder part, the
// template folder is searched (installed: the user's, then the shipped one).
QString CliResolveTemplate(const QString &given);

struct CliBetOptions {
    QString file;
    QString mode = QStringLiteral("0"); // "0", "1" or "2"
    QString script;
};
// Checks --mode and --script; an empty text when they are fine, else the usage problem.
QString CliCheckBetOptions(const CliBetOptions &bets);

// Imports the file into the list; every message box the import shows is appended to
// `messages` (not shown). False when the import failed.
bool CliImportBets(const CliBetOptions &bets, BetList &list, QStringList *messages);
// CliImportBets for a command: every message goes to the error stream as well.
bool CliImportBetsReporting(CliContext &ctx, const CliBetOptions &bets, BetList &list,
                            QStringList &messages);

// The options of a command that reads a template and a bet file: no stray argument, both
// --template and --bets given, --mode and --script fine. Fills `bets`; an empty text when all is
// fine, else the usage problem.
QString CliReadTemplateAndBets(const CliOptions &o, CliBetOptions &bets);
// "投注单模板文件 {1} 不能打开！" on the error stream, with the template named as it was typed.
void CliReportTemplateUnopened(CliContext &ctx, const QString &typed);
// Reads the template named on the command line completely into `layout`, or reports it as not
// opened (CliReportTemplateUnopened) and returns false: a template that does not load is never
// used, nor written back from what was read of it.
bool CliLoadWholeTemplate(CliContext &ctx, const QString &given, colPLControls &layout);

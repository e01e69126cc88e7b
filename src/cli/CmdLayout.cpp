// vornprn-cli layout: one document from the print engine, as JSON, PDF or PNG pages.
#include "app/PrinterOffsets.h"
#include "cli/CliCommand.h"
#include "cli/CliShared.h"
#include "common/AtomicFile.h"
#include "common/MsgBox.h"
#include "input/BetList.h"
#include "model/colPLControls.h"
#include "print/DocumentOutput.h"
#include "print/DocumentSurface.h"
#include "print/MarkColor.h"
#include "print/PdfPrinterName.h"
#include "print/clsPLPrint.h"
#include "storage/clsPLStoreINI.h"

#include <QFile>
#include <QFileInfo>

namespace {
int runLayout(CliContext &ctx);

const CliCommand kCommand{
    QStringLiteral("layout"),
    QStringLiteral("layout --template FILE.tzd (--bets FILE [--mode 0|1|2 --script NAME] | --test | --calibration) "
                   "[--first-serial F] [--text on|off] [--marks on|off] [--backpic on|off] "
                   "[--gray 0..100] [--printer NAME] (--json OUT|- | --pdf OUT.pdf | --png DIR)"),
    QStringLiteral("lay out bet lines, the overlay test page or the calibration page of a template as JSON, PDF or PNG"),
    &runLayout, 50};
const CliRegistrar reg(kCommand);

// "on"/"off" of a switch; the default when the option is absent. False when the value is neither.
bool readSwitch(const CliOptions &o, const char *name, bool fallback, bool *value)
{
    const QString v = o.value(QLatin1String(name), fallback ? "on" : "off");
    *value = v == QLatin1String("on");
    return v == QLatin1String("on") || v == QLatin1String("off");
}

bool writeJson(CliContext &ctx, const QString &target, const QByteArray &json, QString *failure)
{
    if (target == QLatin1String("-")) {
        // Already UTF-8: straight to stdout, after what the text stream holds.
        ctx.out.flush();
        QFile out;
        if (out.open(stdout, QIODevice::WriteOnly) && out.write(json) == json.size() && out.flush())
            return true;
        *failure = QStringLiteral("vornprn-cli: cannot write -");
        return false;
    }
    const SaveOutcome outcome = WriteFileAtomically(target, json);
    *failure = outcome.reason;
    return outcome.ok;
}

int runLayout(CliContext &ctx)
{
    const CliOptions o = cliParse(ctx.args,
                                  {"template", "bets", "mode", "script", "first-serial", "text",
                                   "marks", "backpic", "gray", "json", "pdf", "png", "printer"},
                                  {"test", "calibration"});
    if (!o.error.isEmpty())
        return cliUsageError(ctx, kCommand, o.error);
    if (!o.positional.isEmpty())
        return cliUsageError(ctx, kCommand, QStringLiteral("unexpected argument ") + o.positional.first());
    if (!o.has("template"))
        return cliUsageError(ctx, kCommand, QStringLiteral("missing --template"));
    const bool test = o.flags.contains("test");
    const bool calibration = o.flags.contains("calibration");
    if (int(test) + int(calibration) + int(o.has("bets")) != 1)
        return cliUsageError(ctx, kCommand, QStringLiteral("give one of --bets, --test, --calibration"));
    const int outputs = int(o.has("json")) + int(o.has("pdf")) + int(o.has("png"));
    if (outputs != 1)
        return cliUsageError(ctx, kCommand, QStringLiteral("give one of --json, --pdf, --png"));

    CliBetOptions bets;
    bets.file = o.value("bets");
    bets.mode = o.value("mode", QStringLiteral("0"));
    bets.script = o.value("script");
    if (o.has("bets")) {
        const QString problem = CliCheckBetOptions(bets);
        if (!problem.isEmpty())
            return cliUsageError(ctx, kCommand, problem);
    }
    bool ok = true;
    const qint32 firstSerial = o.has("first-serial") ? o.value("first-serial").trimmed().toInt(&ok) : 1;
    if (!ok)
        return cliUsageError(ctx, kCommand, QStringLiteral("--first-serial needs a whole number"));
    const int gray = o.has("gray") ? o.value("gray").trimmed().toInt(&ok) : 100;
    if (!ok || gray < 0 || gray > 100)
        return cliUsageError(ctx, kCommand, QStringLiteral("--gray takes 0 to 100"));
    bool text = true, marks = true, backPic = false;
    if (!readSwitch(o, "text", true, &text) || !readSwitch(o, "marks", true, &marks)
        || !readSwitch(o, "backpic", false, &backPic))
        return cliUsageError(ctx, kCommand, QStringLiteral("switches take on or off"));

    colPLControls layout;
    // A template that is not read completely is refused: half a slip laid out looks like a whole one.
    if (!CliLoadWholeTemplate(ctx, o.value("template"), layout))
        return ExitFailure;
    // Laid out as for the printer named (PDF output unless one is): its offset is added.
    ApplyPrinterOffset(layout, ReadPrinterOffset(o.value("printer", PdfPrinterName())));

    QStringList stakeLines{QString()};
    BetList list;
    if (o.has("bets")) {
        QStringList importMessages;
        const bool imported = CliImportBetsReporting(ctx, bets, list, importMessages);
        if (!imported) {
            if (importMessages.isEmpty())
                ctx.err << "vornprn-cli: the bet file could not be imported\n";
            return ExitFailure;
        }
        stakeLines = list.StakeLines(1, list.Count());
    }

    QStringList messages;
    const MsgBoxHandler previous = SetMsgBoxHandler([&](const QString &m, MsgStyle) {
        messages << m;
        ctx.out.flush();
        ctx.err << m << "\n";
        ctx.err.flush();
        return MsgAnswer::Ok;
    });
    SetMarkColor(MarkColorFromGray(gray));
    clsPLPrint engine;
    engine.setIsPrintMark(marks);
    engine.setIsPrintText(text);
    engine.setIsPrintBackPic(backPic);
    // A stake that stops the layout is named by its index in the imported list.
    engine.setStakeIndexOf([&list](qint64 line) { return qint64(list.StakeIndexNumber(int(line - 1))); });
    DocumentSurface surface;
    engine.SetPrinterPageByLayout(surface, layout);
    if (test)
        engine.PrintPLWithTest(layout, surface, true);
    else if (calibration)
        engine.PrintPLWithCalibration(layout, surface, true);
    else
        engine.PrintPLWithDatas(layout, stakeLines, surface, true, firstSerial);
    SetMsgBoxHandler(previous);
    const PrintDocument &doc = surface.Document();

    bool written = false;
    QString failure;
    if (o.has("json"))
        written = writeJson(ctx, o.value("json"), DocumentJson(doc, messages), &failure);
    else if (o.has("pdf"))
        written = WriteDocumentPdf(doc, o.value("pdf"), &failure);
    else
        written = WriteDocumentPngs(doc, o.value("png"), 300, &failure);
    if (!written) {
        ctx.err << failure << "\n";
        return ExitFailure;
    }
    return ExitOk;
}
} // namespace

// vornprn-cli print: the whole print job of "开始打印" without a window. Every batch is
// "printed" (written to the PDF or JSON, or sent to a printer) and every continue question is
// answered OK.
#include "app/PrintJob.h"
#include "print/printer/PrinterOutput.h"
#include "cli/CliShared.h"
#include "common/AtomicFile.h"
#include "input/BetList.h"
#include "print/DocumentOutput.h"
#include "print/MarkColor.h"
#include "print/PrintDocument.h"

#include <memory>

namespace {
int runPrint(CliContext &ctx);

const CliCommand kCommand{
    QStringLiteral("print"),
    QStringLiteral("print --template FILE.tzd --bets FILE [--mode 0|1|2 --script NAME] "
                   "[--range all | --pages A B | --stakes A B] [--pause N] "
                   "[--left MM --top MM --orientation 0|1] [--text on|off] [--marks on|off] "
                   "[--gray 0..100] (--pdf OUT.pdf | --json OUT.json) [--printer NAME]"),
    QStringLiteral("run a whole print job: batches to a PDF, a JSON file or a printer"),
    &runPrint, 60};
const CliRegistrar reg(kCommand);

bool onOff(const CliOptions &o, const QString &name, bool def, QString *problem)
{
    if (!o.has(name))
        return def;
    const QString v = o.value(name);
    if (v != "on" && v != "off")
        *problem = QStringLiteral("--%1 takes on or off").arg(name);
    return v == "on";
}

int runPrint(CliContext &ctx)
{
    const CliOptions o = cliParse(
        ctx.args,
        {"template", "bets", "mode", "script", "range", "pause", "left", "top", "orientation",
         "text", "marks", "gray", "pdf", "json", "printer"},
        {}, {{"pages", 2}, {"stakes", 2}});
    if (!o.error.isEmpty())
        return cliUsageError(ctx, kCommand, o.error);
    if (!o.positional.isEmpty())
        return cliUsageError(ctx, kCommand, QStringLiteral("unexpected argument ") + o.positional.first());
    if (!o.has("template") || !o.has("bets"))
        return cliUsageError(ctx, kCommand, QStringLiteral("--template and --bets are required"));
    if (o.has("pdf") == o.has("json") && !o.has("printer"))
        return cliUsageError(ctx, kCommand, QStringLiteral("give --pdf or --json (or --printer)"));
    if (o.has("pdf") && o.has("json"))
        return cliUsageError(ctx, kCommand, QStringLiteral("--pdf and --json exclude each other"));

    CliBetOptions bets{o.value("bets"), o.value("mode", "0"), o.value("script")};
    if (const QString problem = CliCheckBetOptions(bets); !problem.isEmpty())
        return cliUsageError(ctx, kCommand, problem);

    PrintJobOptions job;
    job.templatePath = CliResolveTemplate(o.value("template"));
    int rangeKinds = int(o.has("range")) + int(o.has("pages")) + int(o.has("stakes"));
    if (rangeKinds > 1)
        return cliUsageError(ctx, kCommand, QStringLiteral("one of --range, --pages, --stakes"));
    if (o.has("range") && o.value("range") != "all")
        return cliUsageError(ctx, kCommand, QStringLiteral("--range takes all"));
    if (o.has("pages")) {
        job.range = MainSettings::RangeByPage;
        job.paperStart = o.values["pages"][0];
        job.paperEnd = o.values["pages"][1];
    } else if (o.has("stakes")) {
        job.range = MainSettings::RangeByStake;
        job.lottNumberStart = o.values["stakes"][0];
        job.lottNumberEnd = o.values["stakes"][1];
    }
    job.pause = o.value("pause", "200");

    const int layoutGiven = int(o.has("left")) + int(o.has("top")) + int(o.has("orientation"));
    if (layoutGiven != 0 && layoutGiven != 3)
        return cliUsageError(ctx, kCommand, QStringLiteral("--left, --top and --orientation go together"));
    job.useTemplateLayout = layoutGiven == 0;
    if (!job.useTemplateLayout) {
        if (o.value("orientation") != "0" && o.value("orientation") != "1")
            return cliUsageError(ctx, kCommand, QStringLiteral("--orientation takes 0 or 1"));
        job.layoutLeft = o.value("left");
        job.layoutTop = o.value("top");
        job.landscape = o.value("orientation") == "1";
    }
    QString problem;
    job.printText = onOff(o, "text", true, &problem);
    job.printMark = onOff(o, "marks", false, &problem);
    if (!problem.isEmpty())
        return cliUsageError(ctx, kCommand, problem);
    bool grayOk = true;
    const int gray = o.value("gray", "100").toInt(&grayOk);
    if (!grayOk || gray < 0 || gray > 100)
        return cliUsageError(ctx, kCommand, QStringLiteral("--gray takes 0 to 100"));
    job.markColor = MarkColorFromGray(gray);

    BetList list;
    QStringList importMessages;
    const bool imported = CliImportBets(bets, list, &importMessages);
    for (const QString &m : importMessages)
        ctx.err << m << "\n";
    if (!imported && list.Count() == 0 && !importMessages.isEmpty()) {
        ctx.err.flush();
        return ExitFailure;
    }

    // Outputs.
    std::unique_ptr<PdfOutput> pdf;
    if (o.has("pdf"))
        pdf = std::make_unique<PdfOutput>(o.value("pdf"));
    std::unique_ptr<PrinterOutput> printer;
    if (o.has("printer")) {
        printer = std::make_unique<PrinterOutput>(o.value("printer"));
        if (!printer->IsValid()) {
            ctx.err << "vornprn-cli print: no printer named " << o.value("printer") << "\n";
            return ExitFailure;
        }
    }
    QByteArray json = "{\"batches\": [";
    int jsonBatches = 0;
    QStringList jobMessages;
    QStringList batchMessages;
    bool outputFailed = false;

    // Messages of a batch's layout belong to that batch; they are shown in order as well.
    const MsgBoxHandler previous = SetMsgBoxHandler([&](const QString &text, MsgStyle) {
        batchMessages << text;
        ctx.out << text << "\n";
        ctx.out.flush();
        return MsgAnswer::Ok;
    });

    PrintJobCallbacks cb;
    cb.message = [&](const QString &text, MsgStyle) {
        jobMessages << text;
        ctx.out << text << "\n";
        ctx.out.flush();
        return MsgAnswer::Ok;
    };
    cb.showBatch = [&](PrintDocument &doc, const QString &caption) {
        ctx.out << caption << "\n";
        ctx.out.flush();
        if (pdf && !pdf->Append(doc))
            outputFailed = true;
        if (printer && !printer->Print(doc))
            outputFailed = true;
        if (o.has("json")) {
            json += jsonBatches++ ? ",\n" : "\n";
            json += "{\"caption\": " + JsonString(caption) + ", \"document\": "
                    + DocumentJson(doc, batchMessages) + "}";
        }
        batchMessages.clear();
        return !outputFailed;
    };
    cb.progress = [&](qint64 done, qint64 total) {
        ctx.err << "laid out " << done << " of " << total << " stakes\n";
        ctx.err.flush();
    };
    const PrintJobOutcome outcome = PrintLottNumbers(list, job, cb);
    SetMsgBoxHandler(previous);

    if (o.has("json")) {
        json += "],\n\"messages\": [";
        for (int i = 0; i < jobMessages.size(); ++i)
            json += (i ? ", " : "") + JsonString(jobMessages[i]);
        json += "]}\n";
        const SaveOutcome saved = WriteFileAtomically(o.value("json"), json);
        if (!saved.ok) {
            ctx.err << saved.reason << "\n";
            return ExitFailure;
        }
    }
    if (pdf && !pdf->Finish()) {
        ctx.err << pdf->FailureText() << "\n";
        return ExitFailure;
    }
    if (outputFailed) {
        ctx.err << "vornprn-cli print: the output could not be written\n";
        return ExitFailure;
    }
    if (!outcome.started)
        return ExitFailure;
    if (pdf)
        ctx.err << "wrote " << pdf->PagesWritten() << " pages to " << o.value("pdf") << "\n";
    return ExitOk;
}
} // namespace

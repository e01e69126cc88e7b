// vornprn-cli print: the whole print job of "开始打印" without a window. Every batch is
// "printed" (written to the PDF or JSON, or sent to a printer) and every continue question is
// answered OK.
#include "app/PrintJob.h"
#include "print/printer/PrinterOutput.h"
#include "cli/CliShared.h"
#include "storage/clsPLStoreINI.h"
#include "common/AtomicFile.h"
#include "input/BetList.h"
#include "print/DocumentOutput.h"
#include "print/MarkColor.h"
#include "print/PdfPrinterName.h"
#include "print/PrintDocument.h"
#include "storage/WholeTemplate.h"

#include <QFileInfo>
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

// The usage problem of the outputs, or "".
QString checkOutputs(const CliOptions &o)
{
    if (o.has("pdf") == o.has("json") && !o.has("printer"))
        return QStringLiteral("give --pdf or --json (or --printer)");
    if (o.has("pdf") && o.has("json"))
        return QStringLiteral("--pdf and --json exclude each other");
    return QString();
}

QString readRange(const CliOptions &o, PrintJobOptions &job)
{
    const int rangeKinds = int(o.has("range")) + int(o.has("pages")) + int(o.has("stakes"));
    if (rangeKinds > 1)
        return QStringLiteral("one of --range, --pages, --stakes");
    if (o.has("range") && o.value("range") != "all")
        return QStringLiteral("--range takes all");
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
    return QString();
}

QString readLayout(const CliOptions &o, PrintJobOptions &job)
{
    const int layoutGiven = int(o.has("left")) + int(o.has("top")) + int(o.has("orientation"));
    if (layoutGiven != 0 && layoutGiven != 3)
        return QStringLiteral("--left, --top and --orientation go together");
    job.useTemplateLayout = layoutGiven == 0;
    if (!job.useTemplateLayout) {
        if (o.value("orientation") != "0" && o.value("orientation") != "1")
            return QStringLiteral("--orientation takes 0 or 1");
        job.layoutLeft = o.value("left");
        job.layoutTop = o.value("top");
        job.landscape = o.value("orientation") == "1";
    }
    return QString();
}

QString readSwitches(const CliOptions &o, PrintJobOptions &job)
{
    QString problem;
    job.printText = onOff(o, "text", true, &problem);
    job.printMark = onOff(o, "marks", false, &problem);
    if (!problem.isEmpty())
        return problem;
    bool grayOk = true;
    const int gray = o.value("gray", "100").toInt(&grayOk);
    if (!grayOk || gray < 0 || gray > 100)
        return QStringLiteral("--gray takes 0 to 100");
    job.markColor = MarkColorFromGray(gray);
    return QString();
}

// Every option of the job; the first usage problem, or "".
QString readJob(const CliOptions &o, PrintJobOptions &job)
{
    for (const QString &problem : {checkOutputs(o), readRange(o, job), readLayout(o, job),
                                   readSwitches(o, job)})
        if (!problem.isEmpty())
            return problem;
    job.templatePath = CliResolveTemplate(o.value("template"));
    // The offset of the printer the batches go to (PDF output unless --printer names one).
    job.printerOffset = ReadPrinterOffset(o.value("printer", PdfPrinterName()));
    return QString();
}

// Where the batches go: one PDF, one JSON file, a printer.
class BatchSink {
public:
    explicit BatchSink(const CliOptions &o) : m_json(o.has("json")), m_jsonPath(o.value("json"))
    {
        if (o.has("pdf"))
            m_pdf = std::make_unique<PdfOutput>(o.value("pdf"));
        if (o.has("printer"))
            m_printer = std::make_unique<PrinterOutput>(o.value("printer"));
    }
    bool PrinterMissing() const { return m_printer && !m_printer->IsValid(); }

    bool Take(PrintDocument &doc, const QString &caption, const QStringList &messages)
    {
        if (m_pdf && !m_pdf->Append(doc))
            m_failed = true;
        if (m_printer && !m_printer->Print(doc))
            m_failed = true;
        if (m_json) {
            m_jsonBytes += m_batches ? ",\n" : "\n";
            m_jsonBytes += "{\"caption\": " + JsonString(caption) + ", \"document\": "
                           + DocumentJson(doc, messages) + "}";
        }
        ++m_batches;
        return !m_failed;
    }

    // Writes the files; false with the reason on stderr when one could not be written.
    bool Finish(CliContext &ctx, const QStringList &jobMessages)
    {
        if (m_json && !finishJson(ctx, jobMessages))
            return false;
        if (m_pdf && !m_pdf->Finish()) {
            ctx.err << m_pdf->FailureText() << "\n";
            return false;
        }
        if (m_failed) {
            ctx.err << "vornprn-cli print: the output could not be written\n";
            return false;
        }
        return true;
    }

    void Report(CliContext &ctx, const QString &pdfPath) const
    {
        if (!m_pdf)
            return;
        if (m_pdf->PagesWritten() == 0)
            ctx.err << "vornprn-cli print: nothing was printed; no file was written\n";
        else
            ctx.err << "wrote " << m_pdf->PagesWritten() << " pages to " << pdfPath << "\n";
    }

private:
    bool finishJson(CliContext &ctx, const QStringList &jobMessages)
    {
        QByteArray json = "{\"batches\": [" + m_jsonBytes + "],\n\"messages\": [";
        for (int i = 0; i < jobMessages.size(); ++i)
            json += (i ? ", " : "") + JsonString(jobMessages[i]);
        json += "]}\n";
        const SaveOutcome saved = WriteFileAtomically(m_jsonPath, json);
        if (!saved.ok)
            ctx.err << saved.reason << "\n";
        return saved.ok;
    }

    bool m_json;
    QString m_jsonPath;
    QByteArray m_jsonBytes;
    int m_batches = 0;
    bool m_failed = false;
    std::unique_ptr<PdfOutput> m_pdf;
    std::unique_ptr<PrinterOutput> m_printer;
};

// Runs the job, every batch into the sink; captions and messages on stdout in order.
PrintJobOutcome runJob(CliContext &ctx, const BetList &list, const PrintJobOptions &job,
                       BatchSink &sink, QStringList &jobMessages)
{
    QStringList batchMessages;
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
        const bool taken = sink.Take(doc, caption, batchMessages);
        batchMessages.clear();
        return taken;
    };
    cb.progress = [&](qint64 done, qint64 total) {
        ctx.err << "laid out " << done << " of " << total << " stakes\n";
        ctx.err.flush();
    };
    const PrintJobOutcome outcome = PrintLottNumbers(list, job, cb);
    SetMsgBoxHandler(previous);
    return outcome;
}

int runPrint(CliContext &ctx)
{
    const CliOptions o = cliParse(
        ctx.args,
        {"template", "bets", "mode", "script", "range", "pause", "left", "top", "orientation",
         "text", "marks", "gray", "pdf", "json", "printer"},
        {}, {{"pages", 2}, {"stakes", 2}});
    CliBetOptions bets;
    if (const QString problem = CliReadTemplateAndBets(o, bets); !problem.isEmpty())
        return cliUsageError(ctx, kCommand, problem);
    PrintJobOptions job;
    if (const QString problem = readJob(o, job); !problem.isEmpty())
        return cliUsageError(ctx, kCommand, problem);
    // The window offers only templates that exist; the command line checks what was typed, and
    // refuses a template that is not read completely (half a slip printed looks like a whole).
    colPLControls whole;
    if (!LoadWholeTemplate(job.templatePath, whole)) {
        CliReportTemplateUnopened(ctx, o.value("template"));
        return ExitFailure;
    }

    BetList list;
    QStringList importMessages;
    const bool imported = CliImportBetsReporting(ctx, bets, list, importMessages);
    if (!imported && list.Count() == 0 && !importMessages.isEmpty()) {
        ctx.err.flush();
        return ExitFailure;
    }
    BatchSink sink(o);
    if (sink.PrinterMissing()) {
        ctx.err << "vornprn-cli print: no printer named " << o.value("printer") << "\n";
        return ExitFailure;
    }
    QStringList jobMessages;
    const PrintJobOutcome outcome = runJob(ctx, list, job, sink, jobMessages);
    if (!sink.Finish(ctx, jobMessages))
        return ExitFailure;
    if (!outcome.started || outcome.refused)
        return ExitFailure;
    sink.Report(ctx, o.value("pdf"));
    return ExitOk;
}
} // namespace

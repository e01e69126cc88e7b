// vornprn-cli calibrate: where a printer put the marks of a template's calibration page, measured
// on a scan of the printed page.
#include "cli/CliCommand.h"
#include "cli/CliShared.h"
#include "common/AtomicFile.h"
#include "storage/StrictConvert.h"
#include "detect/CalibrationJson.h"
#include "detect/CalibrationTargetOf.h"
#include "detect/PictureMessages.h"
#include "model/colPLControls.h"

#include <QJsonDocument>

namespace {
int runCalibrate(CliContext &ctx);

const CliCommand kCommand{
    QStringLiteral("calibrate"),
    QStringLiteral("calibrate --template T.tzd --scan PICTURE [--dpi N] [--json FILE|-]"),
    QStringLiteral("measure a scan of a printed calibration page: each mark against its box"),
    &runCalibrate, 66};
const CliRegistrar reg(kCommand);

int runCalibrate(CliContext &ctx)
{
    const CliOptions o = cliParse(ctx.args, {"template", "scan", "dpi", "json"}, {});
    if (!o.error.isEmpty())
        return cliUsageError(ctx, kCommand, o.error);
    if (!o.positional.isEmpty())
        return cliUsageError(ctx, kCommand, QStringLiteral("unexpected argument ") + o.positional.first());
    if (!o.has("template") || !o.has("scan"))
        return cliUsageError(ctx, kCommand, QStringLiteral("give --template and --scan"));
    double dpi = 0;
    if (o.has("dpi") && (!StrictDouble(o.value("dpi"), &dpi) || !(dpi > 0)))
        return cliUsageError(ctx, kCommand, QStringLiteral("--dpi needs a positive number"));
    colPLControls layout;
    if (!CliLoadWholeTemplate(ctx, o.value("template"), layout))
        return ExitFailure;
    const CalibrationTarget target = CalibrationTargetOf(layout);
    const QString scan = o.value("scan");
    const CalibrationFileMeasurement r = MeasureCalibrationFile(scan, dpi, target);
    if (r.problem != PictureProblem::None) {
        ctx.err << PictureProblemText(r.problem, scan) << "\n";
        return r.problem == PictureProblem::NoResolution ? ExitUsage : ExitFailure;
    }
    const CalibrationMeasurement &m = r.measurement;
    for (const MeasuredMark &k : m.marks)
        if (!k.found && m.problem != CalibrationProblem::NoBoxes && m.problem != CalibrationProblem::NoRegistration)
            ctx.err << MissingMarkText(k) << "\n";
    if (!m.ok()) {
        ctx.err << CalibrationProblemText(m.problem) << "\n";
        return ExitFailure;
    }
    const QByteArray json = QJsonDocument(CalibrationJson(m)).toJson(QJsonDocument::Indented);
    const QString output = o.value("json", "-");
    if (output == "-") {
        ctx.out << QString::fromUtf8(json);
        return ExitOk;
    }
    const SaveOutcome saved = WriteFileAtomically(output, json);
    if (!saved.ok) {
        ctx.err << saved.reason << "\n";
        return ExitFailure;
    }
    return ExitOk;
}
} // namespace

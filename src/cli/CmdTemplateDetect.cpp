#include "cli/CmdTemplateDetect.h"

#include "cli/CliDetectOptions.h"
#include "cli/CmdTemplateFromPicture.h"
#include "common/AtomicFile.h"
#include "detect/PictureMessages.h"
#include "detect/SlipDetectionJson.h"
#include "detect/SlipDetector.h"

#include <QFileInfo>
#include <QJsonDocument>

namespace {
int runDetect(CliContext &ctx, const CliCommand &command, const QStringList &args)
{
    const CliOptions o = cliParse(args, {"dpi", "json", "areas-by"}, {});
    if (!o.error.isEmpty())
        return cliUsageError(ctx, command, o.error);
    if (o.positional.size() != 1)
        return cliUsageError(ctx, command, QStringLiteral("detect takes one PICTURE"));
    DetectOptions options;
    double dpi = 0;
    QString problem;
    if (!ReadDetectOptions(o, &options, &dpi, &problem))
        return cliUsageError(ctx, command, problem);
    const QString picture = o.positional[0];
    const SlipFileDetection r = DetectSlipFile(picture, dpi, options);
    if (r.problem != PictureProblem::None) {
        ctx.err << PictureProblemText(r.problem, picture) << "\n";
        return ExitUsage;
    }
    if (!r.detection.found()) {
        ctx.err << NoBlocksFoundText() << "\n";
        return ExitFailure;
    }
    const QByteArray json =
        QJsonDocument(SlipDetectionJson(r.detection, QFileInfo(picture).fileName())).toJson(QJsonDocument::Indented);
    const QString target = o.value("json", "-");
    if (target == "-") {
        ctx.out << QString::fromUtf8(json);
        return ExitOk;
    }
    const SaveOutcome saved = WriteFileAtomically(target, json);
    if (!saved.ok) {
        ctx.err << saved.reason << "\n";
        return ExitFailure;
    }
    return ExitOk;
}
} // namespace

QString TemplateDetectUsage()
{
    return QStringLiteral("template detect PICTURE [--dpi N] [--json FILE|-] [--areas-by gaps|columns|rows] | "
                          "template new FILE.tzd --from-picture PICTURE [--dpi N] [--areas-by gaps|columns|rows] "
                          "[--first-number N[,N...]] [--picks N[,N...]] [--name NAME]");
}

bool RunTemplateDetectAction(CliContext &ctx, const CliCommand &command, const QString &action,
                             const QStringList &args, int *exitCode)
{
    if (action == "detect") {
        *exitCode = runDetect(ctx, command, args);
        return true;
    }
    if (action == "new" && args.contains("--from-picture")) {
        *exitCode = RunTemplateFromPicture(ctx, command, args);
        return true;
    }
    return false;
}

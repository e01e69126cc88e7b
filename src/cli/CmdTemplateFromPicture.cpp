#include "cli/CmdTemplateFromPicture.h"

#include "canvas/KdPLDesinger.h"
#include "cli/CliDetectOptions.h"
#include "common/AtomicFile.h"
#include "common/PathFile.h"
#include "common/ToNumber.h"
#include "detect/PictureMessages.h"
#include "detect/SlipDetector.h"
#include "detect/Straighten.h"
#include "dialogs/CanvasSink.h"
#include "dialogs/SlipFromPicture.h"
#include "model/colPLControls.h"
#include "storage/clsPLStoreINI.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
// The texts of --first-number, one per area ("，" as well as ","); false when one is no number.
bool firstNumbers(const CliOptions &o, QList<SlipAreaChoice> *areas)
{
    if (!o.has("first-number"))
        return true;
    const QStringList texts = o.value("first-number").split(QRegularExpression("[,，]"));
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (!FirstNumberValid(texts[i]))
            return false;
        if (areas->size() <= i)
            areas->append(SlipAreaChoice());
        (*areas)[i].firstNumber = texts[i].trimmed();
    }
    return true;
}

// --picks: how many numbers a stake chooses in each area, whole numbers from 1; false when one
// is not. Areas it does not name choose 1.
bool picksPerArea(const CliOptions &o, QList<SlipAreaChoice> *areas)
{
    if (!o.has("picks"))
        return true;
    const QStringList texts = o.value("picks").split(QRegularExpression("[,，]"));
    for (qsizetype i = 0; i < texts.size(); ++i) {
        bool ok = false;
        const int n = texts[i].trimmed().toInt(&ok);
        if (!ok || n < 1)
            return false;
        if (areas->size() <= i)
            areas->append(SlipAreaChoice());
        (*areas)[i].picks = n;
    }
    return true;
}

QByteArray pngOf(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}
} // namespace

int RunTemplateFromPicture(CliContext &ctx, const CliCommand &command, const QStringList &args)
{
    const CliOptions o = cliParse(args, {"from-picture", "dpi", "areas-by", "first-number", "picks", "name"}, {});
    if (!o.error.isEmpty())
        return cliUsageError(ctx, command, o.error);
    if (o.positional.size() != 1)
        return cliUsageError(ctx, command, QStringLiteral("new takes one FILE.tzd"));
    DetectOptions options;
    double dpi = 0;
    QString problem;
    if (!ReadDetectOptions(o, &options, &dpi, &problem))
        return cliUsageError(ctx, command, problem);
    SlipFromPicture from;
    if (!firstNumbers(o, &from.areas)) {
        ctx.err << "message: " << InvalidValueMessage() << "\nfield: first-number\n";
        return ExitFailure;
    }
    if (!picksPerArea(o, &from.areas)) {
        ctx.err << "message: " << InvalidValueMessage() << "\nfield: picks\n";
        return ExitFailure;
    }

    const QString pictureGiven = o.value("from-picture");
    const SlipPicture picture = ReadSlipPicture(pictureGiven, dpi);
    if (picture.problem != PictureProblem::None) {
        ctx.err << PictureProblemText(picture.problem, pictureGiven) << "\n";
        return ExitUsage;
    }
    SlipDetection d = DetectSlip(picture.image, picture.dpi, options);
    if (!d.found()) {
        ctx.err << NoBlocksFoundText() << "\n";
        return ExitFailure;
    }
    from.detection = &d;

    const QString file = o.positional[0];
    const QString name = o.value("name", QFileInfo(file).completeBaseName());
    const QString backPicture = QFileInfo(file).absoluteDir().filePath(name + ".png");
    const QImage straight = StraightenPicture(picture.image, d.angle, SlipPaperColour(picture.image));
    if (const SaveOutcome saved = WriteFileAtomically(backPicture, pngOf(straight)); !saved.ok) {
        ctx.err << saved.reason << "\n";
        return ExitFailure;
    }
    from.backPicture = backPicture;
    from.fontName = DefaultFontName();

    colPLControls layout;
    layout.setLayoutName(name);
    // A new template has no count list of its own to go by: areas --picks leaves out choose 1.
    layout.setGroupLottNumberCountStr(QStringLiteral("1"));
    KdPLDesinger canvas;
    CanvasSink sink(canvas);
    ApplySlipFromPicture(layout, sink, {}, from);
    canvas.GetAllControls(layout);
    if (!clsPLStoreINI().SaveToINI_Fast(file, layout)) {
        ctx.err << LastSaveFailureText() << "\n";
        return ExitFailure;
    }
    return ExitOk;
}

// make_calibration_scan KIND OUT.png|OUT.jpg --template OUT.tzd [--dpi N] [--angle DEG]
//     [--offset X,Y] [--scale SX,SY] [--skew DEG] [--spread MM] [--missing I,...]
//     [--blur PX] [--noise N] [--light SHARE] [--page PRINTED.png]
// A scan of a generated slip with its calibration page printed on it by a printer with the
// given errors, the template that fits the slip, and beside the picture OUT.json with the
// truth: each mark's error and their mean. --scale takes factors (printed length per template
// length: 1.002 prints 0.2 % long), --offset millimetres, --skew and --angle degrees. --page puts a printed calibration page (a PDF of
// it rendered to PNG, e.g. by pdftoppm -r 600) on the slip instead of the page laid out here.
#include "CalibrationScan.h"
#include "SlipGenerator.h"
#include "storage/clsPLStoreINI.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {
bool pairOf(const QString &text, double *a, double *b)
{
    const QStringList parts = text.split(',');
    bool ok1 = false, ok2 = false;
    if (parts.size() == 2) {
        *a = parts[0].toDouble(&ok1);
        *b = parts[1].toDouble(&ok2);
    }
    return ok1 && ok2;
}
} // namespace

int main(int argc, char **argv)
{
    slipgen::DrawOffScreenWithoutDisplay();
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    slipgen::SlipRecipe recipe;
    const char *usage = "usage: make_calibration_scan two-areas|stakes-in-y|columns|scan OUT.png|OUT.jpg "
                        "--template OUT.tzd [--dpi N] [--angle DEG] [--offset X,Y] [--scale SX,SY] "
                        "[--skew DEG] [--spread MM] [--missing I,...] [--blur PX] [--noise N] [--light SHARE] "
                        "[--page PRINTED.png]\n"
                        "  --scale: factors, printed length per template length (1.002 = 0.2 % long)\n";
    if (args.size() < 3 || !slipgen::RecipeByName(args[1], &recipe)) {
        std::fputs(usage, stderr);
        return 2;
    }
    slipgen::PrinterError printer;
    QString templatePath;
    for (int i = 3; i + 1 < args.size(); i += 2) {
        const QString &o = args[i], &v = args[i + 1];
        double a = 0, b = 0;
        if (o == "--template")
            templatePath = v;
        else if (o == "--dpi")
            recipe.dpi = v.toDouble();
        else if (o == "--angle")
            recipe.rotationDeg = v.toDouble();
        else if (o == "--offset" && pairOf(v, &a, &b))
            printer.offsetMm = QPointF(a, b);
        else if (o == "--scale" && pairOf(v, &a, &b)) {
            printer.scaleX = a;
            printer.scaleY = b;
        } else if (o == "--skew")
            printer.skewDeg = v.toDouble();
        else if (o == "--spread")
            printer.spreadMm = v.toDouble();
        else if (o == "--missing")
            for (const QString &m : v.split(','))
                printer.missing.append(m.toInt());
        else if (o == "--blur")
            recipe.blurPx = v.toDouble();
        else if (o == "--noise")
            recipe.noise = v.toDouble();
        else if (o == "--light")
            recipe.unevenLight = v.toDouble();
        else if (o == "--page" && QImage(v).dotsPerMeterX() > 0)
            printer.page = QImage(v);
        else {
            std::fputs(usage, stderr);
            return 2;
        }
    }
    if (templatePath.isEmpty()) {
        std::fputs(usage, stderr);
        return 2;
    }
    slipgen::CalibrationScan scan = slipgen::MakeCalibrationScan(recipe, printer);
    if (!scan.slip.picture.save(args[2], nullptr, args[2].endsWith(".jpg") ? 90 : -1))
        return 1;
    if (!clsPLStoreINI().SaveToINI_Fast(templatePath, scan.layout))
        return 1;
    QJsonArray marks;
    for (qsizetype i = 0; i < scan.error.size(); ++i)
        marks.append(QJsonObject{{"printed", scan.printed[i]}, {"dx", scan.error[i].x()}, {"dy", scan.error[i].y()}});
    const QPointF mean = scan.meanError();
    QFile json(args[2].section('.', 0, -2) + ".json");
    if (!json.open(QIODevice::WriteOnly))
        return 1;
    json.write(QJsonDocument(QJsonObject{{"marks", marks}, {"shift", QJsonObject{{"x", mean.x()}, {"y", mean.y()}}}})
                   .toJson());
    return 0;
}

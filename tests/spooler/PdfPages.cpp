#include "PdfPages.h"
#include "TestSupport.h"

#include <QDir>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {
QByteArray runTool(const QString &tool, const QStringList &args, bool *ok)
{
    QProcess p;
    p.start(tool, args);
    *ok = p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return p.readAllStandardOutput();
}
} // namespace

QString PdfToolsMissing()
{
    for (const char *tool : {"pdfinfo", "pdftoppm"})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return QStringLiteral("%1 is missing (Debian package poppler-utils)").arg(tool);
    return QString();
}

QList<QSizeF> PdfPageSizes(const QString &pdf)
{
    bool ok = false;
    const QString info = QString::fromUtf8(runTool("pdfinfo", {"-f", "1", "-l", "100000", pdf}, &ok));
    QList<QSizeF> sizes;
    static const QRegularExpression line(QStringLiteral("^Page +\\d+ size: +([0-9.]+) x ([0-9.]+) pts"),
                                         QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(info); ok && it.hasNext();) {
        const auto m = it.next();
        sizes << QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
    }
    return sizes;
}

QImage PdfPageGray(const QString &pdf, int page, int dpi)
{
    const QString prefix = makeTempDir() + "/page";
    bool ok = false;
    runTool("pdftoppm", {"-r", QString::number(dpi), "-gray", "-singlefile", "-f", QString::number(page),
                         "-l", QString::number(page), pdf, prefix},
            &ok);
    // An A4 page at 600 dpi is beyond Qt's default limit for one picture.
    QImageReader::setAllocationLimit(1024);
    QImage image(prefix + ".pgm");
    return ok ? image.convertToFormat(QImage::Format_Grayscale8) : QImage();
}

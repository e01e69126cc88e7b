#include "detect/SlipPictureFile.h"

#include "detect/PictureResolution.h"

#include <QFile>
#include <QImageReader>
#include <algorithm>

int AnalysisReduction(double dpi)
{
    // Two thirds of a step up still rounds down, so a 450-dpi scan is kept whole.
    return std::max(1, int(dpi / kAnalysisDpi + 1.0 / 3));
}

SlipPicture ReadSlipPicture(const QString &path, double dpi, int maxReduction)
{
    SlipPicture p;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        p.problem = PictureProblem::CannotOpen;
        return p;
    }
    const double declared = PictureResolutionDpi(file.read(64 * 1024));
    file.close();

    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) {
        p.problem = PictureProblem::CannotOpen;
        return p;
    }
    if (qint64(size.width()) * size.height() > kMaxPicturePixels) {
        p.problem = PictureProblem::TooLarge;
        return p;
    }
    p.fileSize = size;
    p.dpi = dpi > 0 ? dpi : declared;
    if (!(p.dpi > 0)) {
        p.problem = PictureProblem::NoResolution;
        return p;
    }
    p.reduction = std::clamp(AnalysisReduction(p.dpi), 1, std::max(1, maxReduction));
    if (p.reduction > 1)
        reader.setScaledSize(QSize(size.width() / p.reduction, size.height() / p.reduction));
    p.image = reader.read();
    if (p.image.isNull()) {
        p.problem = PictureProblem::CannotOpen;
        p.reduction = 1;
    }
    return p;
}

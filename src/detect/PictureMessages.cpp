#include "detect/PictureMessages.h"

#include "common/FormatMsg.h"

QString PictureProblemText(PictureProblem problem, const QString &path)
{
    switch (problem) {
    case PictureProblem::None: return QString();
    case PictureProblem::CannotOpen: return FormatMsg("", QStringLiteral("图片 {1} 不能打开！"), {path});
    case PictureProblem::TooLarge: return FormatMsg("", QStringLiteral("图片 {1} 太大"), {path});
    case PictureProblem::NoResolution: return QStringLiteral("图片没有分辨率信息，请用 --dpi 指定");
    }
    return QString();
}

QString NoBlocksFoundText()
{
    return QStringLiteral("没有在图片中找到填涂块");
}

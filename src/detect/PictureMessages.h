#pragma once
// What the program says about a slip's picture that it cannot use.
#include "detect/SlipPictureFile.h"

#include <QString>

// "图片 {1} 不能打开！", "图片 {1} 太大", "图片没有分辨率信息，请用 --dpi 指定" with {1} the path as
// given; empty for PictureProblem::None.
QString PictureProblemText(PictureProblem problem, const QString &path);

// When nothing that looks like a grid of blocks was found.
QString NoBlocksFoundText();

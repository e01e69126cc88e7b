#pragma once
// The resolution a picture file declares about itself: PNG pHYs, the BMP header's pixels per
// metre, JPEG's JFIF density. Read from the file's first bytes, before any pixel is decoded.
#include <QByteArray>

// Dots per inch (horizontal), or 0 when the file declares none.
double PictureResolutionDpi(const QByteArray &head);

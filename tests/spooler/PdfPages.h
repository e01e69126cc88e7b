#pragma once
// What a PDF holds, read with poppler's command-line tools: page sizes and pages as pictures.
#include <QImage>
#include <QList>
#include <QSizeF>
#include <QString>

// The tools are there; otherwise the reason.
QString PdfToolsMissing();
// The size of every page in points, in order; empty when the file cannot be read.
QList<QSizeF> PdfPageSizes(const QString &pdf);
// Page `page` (1-based) as an 8-bit gray picture at `dpi`; null when it cannot be rendered.
QImage PdfPageGray(const QString &pdf, int page, int dpi);

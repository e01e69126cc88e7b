#pragma once
// Replays a recorded document on any QPainter: a QPdfWriter, a QPrinter in full-page mode, a
// QImage, a preview widget. The painter's origin must be the paper's top-left corner; x and y
// are scaled separately, from the device's own resolution or from the caller's zoom.
#include "print/PrintDocument.h"

class QPainter;

class DocumentPainter {
public:
    explicit DocumentPainter(const PrintDocument &doc) : m_doc(doc) {}

    // Paints page `page` (0-based) at the resolution of the painter's device.
    void PaintPage(QPainter &painter, int page) const;
    // Paints page `page` with device pixels per inch `dpiX` and `dpiY`.
    void PaintPage(QPainter &painter, int page, double dpiX, double dpiY) const;

private:
    const PrintDocument &m_doc;
};

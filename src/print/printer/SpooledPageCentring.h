#pragma once
// A printer queue receives Qt's PDF of the job, whose page Qt writes in whole points (A4,
// 595.276 x 841.89 pt, goes out as 595 x 842). The spooler's PDF filter then puts that page
// on the exact paper of the queue, centred, so every mark lands half the rounding away from
// where the document puts it (0.05 mm on A4). This is the move, in millimetres, that takes it
// back; zero for a PDF file and for a custom paper, whose page the filter keeps as it is.
#include <QPointF>

class QPrinter;

QPointF SpooledPageCentringMm(const QPrinter &printer);

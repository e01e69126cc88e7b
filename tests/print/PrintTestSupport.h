#pragma once
// Templates built in code and a readable view of recorded operations for the print tests.
#include "ElementBuilders.h"
#include "model/colPLControls.h"
#include "print/PrintDocument.h"

#include <QImage>
#include <QString>
#include <vector>

namespace printtest {

using elements::Block;
using elements::Label;
using elements::Line;
using elements::Mark;

// Red numbers 1-33 in six rows of the first area, blue numbers 1-16 in the second, five
// stakes across, a page label and a stake label: the shape of a 双色球 slip.
colPLControls TwoAreaSlip();

struct Op {
    OpKind kind;
    float a, b, c, d;
    QString text;
    bool fill;
    DrawState state;
};
// The four numbers of an operation (x1, y1, x2, y2 or left, top, width, height) to 1/100 twip.
void ExpectCorners(const Op &op, float a, float b, float c, float d);

std::vector<Op> PageOps(const PrintDocument &doc, int page);
std::vector<Op> OpsOfKind(const PrintDocument &doc, int page, OpKind kind);
std::vector<QString> PageTexts(const PrintDocument &doc, int page);

// Edges of the dark area crossing the image's middle row and column, in pixels.
struct Edges {
    int left = -1, right = -1, top = -1, bottom = -1;
};
Edges darkEdges(const QImage &img);

} // namespace printtest

#pragma once
// Where a template's paper lies in the coordinates of its elements (millimetres from the layout
// origin): the paper's size turned by its orientation, its corner moved back by the origin.
#include <QRectF>

class colPLControls;

// An empty rectangle when the template names no paper size.
QRectF PaperArea(const colPLControls &t);

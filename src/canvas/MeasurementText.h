#pragma once
// What the measuring tool says about a measurement (millimetres from its start to its end): the
// distance and how far across and down, to the hundredth of a millimetre.
#include <QLineF>
#include <QString>

QString MeasurementText(const QLineF &mm);
// The distance alone, as the canvas writes it beside the measuring line.
QString MeasurementLength(const QLineF &mm);

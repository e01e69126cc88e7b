#pragma once
// The JSON object `vornprn-cli calibrate` prints for a measurement: the marks found (a mark
// that is not on the scan is left out), lengths rounded to 0.01 mm, per cents to 0.01, degrees
// to 0.001, the resolution to 0.01 dpi (a PNG's whole dots per metre make 300 dpi 299.9994).
#include "detect/CalibrationMeasurement.h"

#include <QJsonObject>

QJsonObject CalibrationJson(const CalibrationMeasurement &m);

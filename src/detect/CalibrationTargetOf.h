#pragma once
// What the calibration page of a template prints, as the measurement needs it.
#include "detect/CalibrationMeasurement.h"

class colPLControls;

CalibrationTarget CalibrationTargetOf(const colPLControls &layout);

#pragma once
// "打印校准页": the calibration page of the job's template, laid out as "开始打印" lays out a
// batch (the window's layout offset and orientation, the printer's offset, the mark colour), to
// be shown and printed by the same window.
#include "app/PrintJob.h"
#include "print/PrintDocument.h"

// False (doc unchanged) when the template cannot be read.
bool LayOutCalibrationPage(const PrintJobOptions &options, PrintDocument *doc);

#pragma once
// --dpi and --areas-by, shared by template detect and template new --from-picture.
#include "cli/CliCommand.h"
#include "detect/SlipDetector.h"

// False with the usage problem when --dpi is not a positive number or --areas-by is not one
// of gaps, columns, rows. dpi is 0 when not given.
bool ReadDetectOptions(const CliOptions &o, DetectOptions *options, double *dpi, QString *problem);

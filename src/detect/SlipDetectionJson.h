#pragma once
// The JSON object `vornprn-cli template detect` prints for a detection.
#include "detect/SlipDetection.h"

#include <QJsonObject>
#include <QString>

// Lengths rounded to 0.001 mm, the angle to 0.001 degree.
QJsonObject SlipDetectionJson(const SlipDetection &d, const QString &pictureName);

#pragma once
// The one module that turns numbers and dates into text. No other code formats numbers by hand.
#include <QDateTime>
#include <QString>

// Rounding to a whole number as integer conversions do it: halves to even (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double v);
// Rounding as the number patterns do it: halves away from zero (2.5 -> 3, -2.5 -> -3).
double RoundHalfAway(double v, int decimals = 0);

// A double as the program writes it into text and files: at most 15 significant digits, no
// trailing zeros, exponent form ("1E+20", "1.5E-07") only for very large or small values.
QString GeneralDouble(double v);
// The same for a single-precision value: 7 significant digits.
QString GeneralSingle(float v);

// A number through a pattern: "0", "00", "#0.0", "#0.00", "###0.0", "####0.0", "####0",
// "0.000" (any count of zeros after the point), ... Digits after the point are the count of
// "0"/"#" after it (trailing "#" drop zeros); the integer part is at least as wide as the count
// of "0" before the point. Rounding takes halves away from zero.
QString VbFormatNumber(double v, const QString &pattern);
// A date/time through "yyyy-mm-dd HH:NN" style patterns (yyyy, yy, mm/m month, dd/d, HH/hh/H/h,
// NN/nn minutes, ss).
QString VbFormatDate(const QDateTime &t, const QString &pattern);

#pragma once
// The strict conversions of numbers read from a template file: a value that is not a plain
// decimal number (optional sign, digits with at most one ".", optional exponent; blanks around
// it allowed) or that does not fit the target type is refused, so the reader can stop there.
// Integers take a fraction rounded half to even, then must fit their width.
#include <QString>
#include <QStringView>

bool StrictDouble(QStringView text, double *out);
bool StrictSingle(QStringView text, float *out);
bool StrictInt32(QStringView text, qint32 *out);
bool StrictInt16(QStringView text, qint16 *out);
// "True" / "False" in any letter case, or a number (0 false, anything else true).
bool StrictBoolean(QStringView text, bool *out);

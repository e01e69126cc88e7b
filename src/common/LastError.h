#pragma once
#include "common/clsError.h"
#include <QString>

// Replaces the last-error record: description, number (the integer value of the text), source.
void RecordError(const QString &description, const QString &numberText, const QString &source);
// Fills in where the failure was caught; creates the record when there is none.
void RecordErrorContext(const QString &module, const QString &operation, const QString &message,
                        const QString &content, bool trace);
// The text shown for the last failure; "" when none. `clear` empties the record afterwards.
QString GetLastErrorText(bool clear);
// The record itself (nullptr when empty), for tests and the property grid.
const clsError *LastErrorRecord();

#pragma once
// The outcome of a dialog's checks: passed, or the message to show and the field that gets the
// focus (with its text selected). Fields are named as on the dialog ("txtStepX").
#include "common/ToNumber.h"

#include <QString>

struct DialogCheck {
    QString message; // empty: every check passed
    QString field;
    int page = 0;    // the page of the field, for dialogs with pages
    // The message was a question the user has already answered with No: the window only puts
    // the focus back on the field.
    bool asked = false;

    bool passed() const { return message.isEmpty(); }
    static DialogCheck Pass() { return {}; }
    static DialogCheck Refuse(const QString &field, const QString &message, int page = 0)
    {
        return {message, field, page};
    }
    // A value refused with InvalidValueMessage().
    static DialogCheck Invalid(const QString &field, int page = 0)
    {
        return Refuse(field, InvalidValueMessage(), page);
    }
};

// Both position steps of a run too small.
inline QString StepsTooSmallMessage() { return QStringLiteral("X、Y的增量不能都小于 0.1 毫米！"); }

// A length typed beyond this many millimetres (10 m) is no length anybody means on a slip: a
// typo or an overflow, refused like any other bad value.
constexpr double MaxTypedLengthMm = 10000;

// "Empty" is empty after trimming blanks.
bool IsBlankField(const QString &text);
// A count: refused when empty or when its number (default -1) is below 0.
bool IsBlankOrNegative(const QString &text);
// A length beyond MaxTypedLengthMm either way.
bool IsHugeLength(const QString &text);
// A position: refused when empty, below 0 (default -1) or huge.
bool IsBadPosition(const QString &text);
// A run's position steps: refused on txtStepX when each is empty or smaller than 0.1 mm in
// magnitude, and on the step itself when it is huge.
DialogCheck CheckPositionSteps(const QString &stepX, const QString &stepY);
// A number rounded halves to even into a 16-bit integer; false when it does not fit.
bool ToInt16(double value, qint16 *out);

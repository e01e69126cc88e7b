#include "dialogs/DialogCheck.h"
#include "common/Blanks.h"

#include "common/ToNumber.h"
#include "common/VbFormat.h"

#include <cmath>

bool IsBlankField(const QString &text) { return TrimBlanks(text).isEmpty(); }

bool IsBlankOrNegative(const QString &text)
{
    return IsBlankField(text) || ToNumber(text, -1) < 0;
}

bool IsHugeLength(const QString &text) { return std::fabs(ToNumber(text, 0)) > MaxTypedLengthMm; }

bool IsBadPosition(const QString &text) { return IsBlankOrNegative(text) || IsHugeLength(text); }

namespace {
bool stepTooSmall(const QString &step)
{
    return IsBlankField(step) || std::fabs(ToNumber(step, 0)) < 0.1;
}
} // namespace

DialogCheck CheckPositionSteps(const QString &stepX, const QString &stepY)
{
    if (stepTooSmall(stepX) && stepTooSmall(stepY))
        return DialogCheck::Refuse(QStringLiteral("txtStepX"), StepsTooSmallMessage());
    if (IsHugeLength(stepX))
        return DialogCheck::Invalid(QStringLiteral("txtStepX"));
    if (IsHugeLength(stepY))
        return DialogCheck::Invalid(QStringLiteral("txtStepY"));
    return DialogCheck::Pass();
}

bool ToInt16(double value, qint16 *out)
{
    if (!std::isfinite(value))
        return false;
    const double r = RoundHalfEven(value);
    if (r < -32768 || r > 32767)
        return false;
    *out = qint16(r);
    return true;
}

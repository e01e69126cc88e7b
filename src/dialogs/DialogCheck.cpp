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

namespace {
bool stepTooSmall(const QString &step)
{
    return IsBlankField(step) || std::fabs(ToNumber(step, 0)) < 0.1;
}
} // namespace

bool AreBothStepsTooSmall(const QString &stepX, const QString &stepY)
{
    return stepTooSmall(stepX) && stepTooSmall(stepY);
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

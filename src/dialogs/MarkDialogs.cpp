#include "dialogs/MarkDialogs.h"

#include "common/ToNumber.h"
#include "dialogs/DialogCanvas.h"
#include "dialogs/DialogElements.h"

namespace {

// A mark is at least 1 mm wide and high.
bool badSize(const QString &size) { return ToNumber(size, 0) < 1 || IsHugeLength(size); }
} // namespace

DialogCheck CheckAddMark(const AddMarkFields &f)
{
    if (!f.optPosByInput)
        return DialogCheck::Pass();
    if (IsBadPosition(f.txtX))
        return DialogCheck::Invalid("txtX");
    if (IsBadPosition(f.txtY))
        return DialogCheck::Invalid("txtY");
    if (badSize(f.txtWidth))
        return DialogCheck::Invalid("txtWidth");
    if (badSize(f.txtHeight))
        return DialogCheck::Invalid("txtHeight");
    return DialogCheck::Pass();
}

DialogRun RunAddMark(const AddMarkFields &f, DialogCanvas &canvas, const QString &fontName)
{
    DialogRun run;
    run.check = CheckAddMark(f);
    if (run.check.passed())
        run.check = CheckRoomForElements(canvas, 1, QStringLiteral("txtCount"));
    if (!run.check.passed())
        return run;
    if (!f.optPosByInput) {
        canvas.BeginAddControlByMouse(NewExtraMark(0, 0, fontName));
        return run;
    }
    clsPLControl mark = NewExtraMark(ToNumber(f.txtWidth, 0), ToNumber(f.txtHeight, 0), fontName);
    AddAtPosition(canvas, mark, ToNumber(f.txtX, 0), ToNumber(f.txtY, 0), 0, run.addedKeys);
    return run;
}

DialogCheck CheckAddBatchMark(const AddBatchMarkFields &f)
{
    if (IsBadPosition(f.txtFirstX))
        return DialogCheck::Invalid("txtFirstX");
    if (IsBadPosition(f.txtFirstY))
        return DialogCheck::Invalid("txtFirstY");
    if (badSize(f.txtFirstWidth))
        return DialogCheck::Invalid("txtFirstWidth");
    if (badSize(f.txtFirstHeight))
        return DialogCheck::Invalid("txtFirstHeight");
    if (const DialogCheck steps = CheckPositionSteps(f.txtStepX, f.txtStepY); !steps.passed())
        return steps;
    if (IsBlankOrNegative(f.txtCount))
        return DialogCheck::Invalid("txtCount");
    return DialogCheck::Pass();
}

DialogCheck PlanMarkRun(const AddBatchMarkFields &f, qint16 *count)
{
    return ToInt16(ToNumber(f.txtCount, 0), count) ? DialogCheck::Pass()
                                                   : DialogCheck::Invalid("txtCount");
}

DialogRun RunAddBatchMark(const AddBatchMarkFields &f, DialogCanvas &canvas, const QString &fontName)
{
    DialogRun run;
    run.check = CheckAddBatchMark(f);
    qint16 count = 0;
    if (run.check.passed())
        run.check = PlanMarkRun(f, &count);
    if (run.check.passed())
        run.check = CheckRoomForElements(canvas, count, QStringLiteral("txtCount"));
    if (!run.check.passed())
        return run;

    const clsPLControl prototype =
        NewExtraMark(ToNumber(f.txtFirstWidth, 0), ToNumber(f.txtFirstHeight, 0), fontName);
    double x = ToNumber(f.txtFirstX, 0), y = ToNumber(f.txtFirstY, 0);
    const double dx = ToNumber(f.txtStepX, 0), dy = ToNumber(f.txtStepY, 0);
    canvas.SetCurrentControl(nullptr, 0);
    run.addedKeys.reserve(count);
    for (qint32 i = 1; i <= count; ++i, x += dx, y += dy) {
        clsPLControl mark = prototype;
        if (!AddAtPosition(canvas, mark, x, y, 2, run.addedKeys))
            break;
    }
    return run;
}

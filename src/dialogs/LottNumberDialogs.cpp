#include "dialogs/LottNumberDialogs.h"

#include "common/ToNumber.h"
#include "dialogs/DialogCanvas.h"
#include "dialogs/DialogElements.h"
#include "common/FormatMsg.h"
#include "model/clsPLControl.h"
#include "model/colPLControls.h"
#include "print/StakeGeometry.h"

#include <cmath>

namespace {
// The fill areas and numbers a run would give its blocks, in order.
using RunKeys = std::vector<BlockKey>;

// Numbers of blocks are only ever added into the template's own fill areas: a block of an area
// the slip does not have can never be marked, and nobody notices until the bets print wrong.
DialogCheck CheckAreas(const RunKeys &keys, const colPLControls &layout)
{
    for (const BlockKey &k : keys)
        if (k.Group > layout.GroupCount())
            return DialogCheck::Refuse(QStringLiteral("txtFirstGroupID"),
                                       FormatMsg("", QStringLiteral("填涂区 {1} 超出了投注单的 {2} 个填涂区！"),
                                                 {k.Group, layout.GroupCount()}));
    return DialogCheck::Pass();
}

// A block with the fill area and number of one the template already has is stacked on it or
// never marked: the user is asked before such a run goes in.
DialogCheck CheckDuplicates(const RunKeys &keys, const colPLControls &layout,
                            const ConfirmDuplicates &confirm)
{
    const LottNumberIndex existing(layout);
    int duplicates = 0;
    for (const BlockKey &k : keys)
        duplicates += existing.Find(k) ? 1 : 0;
    if (duplicates == 0 || (confirm && confirm(duplicates)))
        return DialogCheck::Pass();
    DialogCheck refused =
        DialogCheck::Refuse(QStringLiteral("txtFirstLottNumber"), DuplicateBlocksQuestion(duplicates));
    refused.asked = bool(confirm);
    return refused;
}

DialogCheck CheckAgainstTemplate(const RunKeys &keys, const colPLControls &layout,
                                 const ConfirmDuplicates &confirm)
{
    if (DialogCheck areas = CheckAreas(keys, layout); !areas.passed())
        return areas;
    return CheckDuplicates(keys, layout, confirm);
}
} // namespace

QString DuplicateBlocksQuestion(int duplicates)
{
    return FormatMsg("", QStringLiteral("有 {1} 个填涂块与已有的填涂块重复，是否继续？"), {duplicates});
}

DialogCheck CheckAddLottNumber(const AddLottNumberFields &f)
{
    if (IsBlankField(f.txtFirstGroupID))
        return DialogCheck::Invalid("txtFirstGroupID");
    if (IsBlankField(f.txtFirstLottNumber))
        return DialogCheck::Invalid("txtFirstLottNumber");
    if (f.optPosByInput) {
        if (IsBadPosition(f.txtX))
            return DialogCheck::Invalid("txtX");
        if (IsBadPosition(f.txtY))
            return DialogCheck::Invalid("txtY");
    }
    return DialogCheck::Pass();
}

DialogRun RunAddLottNumber(const AddLottNumberFields &f, const colPLControls &layout,
                           DialogCanvas &canvas, const QString &fontName,
                           const ConfirmDuplicates &confirm)
{
    DialogRun run;
    run.check = CheckAddLottNumber(f);
    if (run.check.passed())
        run.check = CheckRoomForElements(canvas, 1, QStringLiteral("txtCount"));
    if (!run.check.passed())
        return run;
    clsPLControl block = NewLottNumberBlock(f.txtFirstGroupID, f.txtFirstLottNumber, layout, fontName);
    run.check = CheckAgainstTemplate(
        {{BlockKeyPart(block.GroupID()), BlockKeyPart(block.FieldValue())}}, layout, confirm);
    if (!run.check.passed())
        return run;
    if (f.optPosByInput)
        AddAtPosition(canvas, block, ToNumber(f.txtX, 0), ToNumber(f.txtY, 0), 0, run.addedKeys);
    else
        canvas.BeginAddControlByMouse(block);
    return run;
}

DialogCheck CheckAddBatchLottNumber(const AddBatchLottNumberFields &f)
{
    if (IsBlankField(f.txtFirstGroupID))
        return DialogCheck::Invalid("txtFirstGroupID");
    if (IsBlankField(f.txtFirstLottNumber))
        return DialogCheck::Invalid("txtFirstLottNumber");
    if (IsBadPosition(f.txtFirstX))
        return DialogCheck::Invalid("txtFirstX");
    if (IsBadPosition(f.txtFirstY))
        return DialogCheck::Invalid("txtFirstY");
    if (const DialogCheck steps = CheckPositionSteps(f.txtStepX, f.txtStepY); !steps.passed())
        return steps;
    if (IsBlankField(f.txtStep) || std::fabs(ToNumber(f.txtStep, 0)) < 1)
        return DialogCheck::Invalid("txtStep");
    if (IsBlankOrNegative(f.txtCount))
        return DialogCheck::Invalid("txtCount");
    return DialogCheck::Pass();
}

DialogCheck PlanLottNumberRun(const AddBatchLottNumberFields &f, RunCounter *counter)
{
    qint16 step = 0;
    if (!ToInt16(ToNumber(f.txtStep, 0), &step))
        return DialogCheck::Invalid("txtStep");
    const double first = ToNumber(f.optBatchGroupID ? f.txtFirstGroupID : f.txtFirstLottNumber, 0);
    const double count = ToNumber(f.txtCount, 0);
    qint16 n = 0, last = 0;
    if (!ToInt16(first, &n) || !ToInt16((count - 1) * step + first, &last))
        return DialogCheck::Invalid("txtCount");
    // How many values the counter takes from n while it has not passed last, and where it ends.
    const qint64 span = step > 0 ? qint64(last) - n : qint64(n) - last;
    const qint64 values = span < 0 ? 0 : span / std::abs(step) + 1;
    const qint64 end = n + values * step;
    if (values > 0 && (end < -32768 || end > 32767))
        return DialogCheck::Invalid("txtCount");
    *counter = RunCounter{n, step, qint32(values)};
    return DialogCheck::Pass();
}

DialogRun RunAddBatchLottNumber(const AddBatchLottNumberFields &f, const colPLControls &layout,
                                DialogCanvas &canvas, const QString &fontName,
                                const ConfirmDuplicates &confirm)
{
    DialogRun run;
    run.check = CheckAddBatchLottNumber(f);
    RunCounter counter;
    if (run.check.passed())
        run.check = PlanLottNumberRun(f, &counter);
    if (run.check.passed())
        run.check = CheckRoomForElements(canvas, counter.count, QStringLiteral("txtCount"));
    if (!run.check.passed())
        return run;

    const clsPLControl prototype =
        NewLottNumberBlock(f.txtFirstGroupID, f.txtFirstLottNumber, layout, fontName);
    RunKeys keys;
    keys.reserve(size_t(counter.count));
    const BlockKey firstKey{BlockKeyPart(prototype.GroupID()), BlockKeyPart(prototype.FieldValue())};
    for (qint32 i = 0, n = counter.first; i < counter.count; ++i, n += counter.step)
        keys.push_back(f.optBatchGroupID ? BlockKey{double(n), firstKey.Number}
                                         : BlockKey{firstKey.Group, double(n)});
    run.check = CheckAgainstTemplate(keys, layout, confirm);
    if (!run.check.passed())
        return run;
    double x = ToNumber(f.txtFirstX, 0), y = ToNumber(f.txtFirstY, 0);
    const double dx = ToNumber(f.txtStepX, 0), dy = ToNumber(f.txtStepY, 0);
    canvas.SetCurrentControl(nullptr, 0);
    run.addedKeys.reserve(counter.count);
    qint32 n = counter.first;
    for (qint32 i = 0; i < counter.count; ++i, n += counter.step, x += dx, y += dy) {
        clsPLControl block = prototype;
        if (f.optBatchGroupID)
            block.setGroupID(QString::number(n));
        else
            block.setFieldValue(QString::number(n));
        ApplyGroupColors(block);
        if (!AddAtPosition(canvas, block, x, y, 2, run.addedKeys))
            break;
    }
    return run;
}

#include "app/PrintJob.h"
#include "common/Conversions.h"
#include "common/FormatMsg.h"
#include "common/ToNumber.h"
#include "common/VbFormat.h"
#include "input/BetList.h"
#include "model/colPLControls.h"
#include "print/DocumentSurface.h"
#include "print/MarkColor.h"
#include "print/clsPLPrint.h"
#include "storage/clsPLStoreINI.h"

#include <limits>

namespace {

// A range box: the numeric conversion, then a whole number with halves to even.
qint64 rangeValue(const QString &text)
{
    const double v = RoundHalfEven(ToNumber(text, 0));
    if (v > double(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    if (v < double(std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    return qint64(v);
}

// The range boxes in use hold a whole number beyond 32 bits.
bool rangeOverflows(const PrintJobOptions &o)
{
    auto overflows = [](const QString &text) {
        const double v = RoundHalfEven(ToNumber(text, 0));
        return !(v >= double(std::numeric_limits<qint32>::min())
                 && v <= double(std::numeric_limits<qint32>::max()));
    };
    switch (o.range) {
    case MainSettings::RangeByPage: return overflows(o.paperStart) || overflows(o.paperEnd);
    case MainSettings::RangeByStake: return overflows(o.lottNumberStart) || overflows(o.lottNumberEnd);
    case MainSettings::RangeAll: break;
    }
    return false;
}

} // namespace

StakeRange ResolveStakeRange(const PrintJobOptions &o, qint64 count, qint64 perTicket)
{
    StakeRange r;
    switch (o.range) {
    case MainSettings::RangeAll:
        r.first = 1;
        r.last = count;
        break;
    case MainSettings::RangeByPage:
        r.first = (rangeValue(o.paperStart) - 1) * perTicket + 1;
        r.last = rangeValue(o.paperEnd) * perTicket;
        break;
    case MainSettings::RangeByStake:
        r.first = rangeValue(o.lottNumberStart);
        r.last = rangeValue(o.lottNumberEnd);
        break;
    }
    if (r.first < 1)
        r.first = 1;
    if (r.last > count)
        r.last = count;
    if (r.last < r.first)
        r.last = r.first - 1;
    return r;
}

PrintJobOutcome PrintLottNumbers(const BetList &bets, const PrintJobOptions &o,
                                 const PrintJobCallbacks &cb)
{
    PrintJobOutcome out;
    auto message = [&](const QString &text, MsgStyle style) {
        return cb.message ? cb.message(text, style) : MsgBox(text, style);
    };

    if (bets.Count() == 0) {
        message(FormatMsg("1", QStringLiteral("没有投注数据，请先导入投注数据！")), MsgStyle::Information);
        return out;
    }
    // A pause below one ticket can never form a batch: refuse it before laying anything out.
    const qint32 pause = ToLong(o.pause, 200);
    if (pause < 1) {
        message(FormatMsg("1", QStringLiteral("每多少页暂停的值必须是大于 0 的整数！当前值为：{1}"),
                          {o.pause}),
                MsgStyle::Exclamation);
        return out;
    }
    if (rangeOverflows(o)) {
        message(QStringLiteral("溢出"), MsgStyle::Plain);
        return out;
    }

    clsPLPrint engine;
    engine.setIsPrintBackPic(false);
    engine.setIsPrintMark(o.printMark);
    engine.setIsPrintText(o.printText);

    colPLControls layout;
    clsPLStoreINI store;
    store.LoadFromINI(o.templatePath, layout); // a failed load prints what was read, as before

    if (!o.useTemplateLayout) {
        layout.setLayoutLeft(ToNumber(o.layoutLeft, 0));
        layout.setLayoutTop(ToNumber(o.layoutTop, 0));
        layout.setPaperOrientation(o.landscape ? 1 : 0);
    }

    const qint64 perTicket = layout.StakeCountPerTicket();
    const StakeRange range = ResolveStakeRange(o, bets.Count(), perTicket);
    const qint64 n = range.last - range.first + 1;
    out.started = true;
    out.firstStake = range.first;
    out.lastStake = range.last;
    out.orientation = layout.PaperOrientation();
    out.layoutLeft = layout.LayoutLeft();
    out.layoutTop = layout.LayoutTop();

    if (n > 0 && perTicket < 1) {
        message(FormatMsg("1", QStringLiteral("投注单模板 {1} 中每张彩票的注数为 0，无法打印！"),
                          {o.templatePath}),
                MsgStyle::Exclamation);
        out.refused = true;
        return out;
    }
    // The product must fit in 32 bits, as every stake count of the program does.
    const qint64 perBatch = qint64(pause) * perTicket;
    if (perBatch > std::numeric_limits<qint32>::max()) {
        message(QStringLiteral("溢出"), MsgStyle::Plain);
        out.refused = true;
        return out;
    }

    SetMarkColor(o.markColor);
    DocumentSurface surface;
    for (qint64 b = 1; b <= n; b += perBatch) {
        const qint64 count = b + perBatch > n ? n - b + 1 : perBatch;
        const QStringList lines = bets.StakeLines(int(range.first + b - 1), int(range.first + b + count - 2));
        engine.SetPrinterPageByLayout(surface, layout);
        engine.PrintPLWithDatas(layout, lines, surface, true, qint32(range.first + b - 1));
        if (cb.progress)
            cb.progress(b + count - 1, n);

        const QString caption = FormatMsg("1", QStringLiteral("每次打印{1}页[第 {2} ～ {3} 注]"),
                                          {pause, range.first + b - 1, range.first + b + count - 2});
        PrintDocument batch = surface.TakeDocument();
        ++out.batches;
        if (!cb.showBatch || !cb.showBatch(batch, caption))
            return out;

        if (b + perBatch > n) {
            message(FormatMsg("1", QStringLiteral("所有投注单打印完毕， 注数从 {1} ～ {2} 共 {3} 注。"),
                              {range.first, range.first + n - 1, n}),
                    MsgStyle::InformationOkCancel);
            out.completed = true;
            return out;
        }
        const MsgAnswer go = message(
            FormatMsg("1", QStringLiteral("第 {1} ～ {2} 注打印完毕, 要继续打印请按[确定]按钮。"),
                      {range.first + b - 1, range.first + b + count - 2}),
            MsgStyle::OkCancel);
        if (go != MsgAnswer::Ok)
            return out;
    }
    // An empty range lays out nothing and says nothing.
    out.completed = n <= 0;
    return out;
}
